#include "projectfile.h"

#include "jsonfilecache.h"

#include <QFileInfo>

ProjectFile ProjectFile::load(const QString& projectPath)
{
    ProjectFile project;
    if (projectPath.isEmpty())
        return project;
    const auto result = JsonFileCache::instance().read(projectPath);
    project.m_valid = result.ok && result.document.isObject();
    if (project.m_valid)
        project.m_root = result.document.object();
    return project;
}

QString ProjectFile::plcType() const
{
    return m_root.value(QStringLiteral("plcType")).toString();
}

QString ProjectFile::plcVersion() const
{
    return m_root.value(QStringLiteral("plcVersion")).toString();
}

int ProjectFile::hwFileCreatedVersion() const
{
    return m_root.value(QStringLiteral("hwFileCreatedVersion")).toInt(0);
}

bool ProjectFile::supportsEip() const
{
    return m_root.value(QStringLiteral("supportsEip")).toBool(false);
}

bool ProjectFile::supportsQbus() const
{
    return m_root.value(QStringLiteral("supportsQbus")).toBool(false);
}

QJsonArray ProjectFile::dataBlocks() const
{
    return m_root.value(QStringLiteral("dataBlocks")).toArray();
}

QJsonObject ProjectFile::dataBlock(const QString& name) const
{
    const QJsonArray blocks = dataBlocks();
    for (const QJsonValue& value : blocks) {
        const QJsonObject block = value.toObject();
        if (block.value(QStringLiteral("name")).toString() == name)
            return block;
    }
    return {};
}

QJsonArray ProjectFile::symbolTables() const
{
    return m_root.value(QStringLiteral("symbolTables")).toArray();
}

QString ProjectFile::contentDir(const QString& projectPath)
{
    const QFileInfo info(projectPath);
    return info.absolutePath() + QLatin1Char('/') + info.fileName() + QStringLiteral(".content");
}
