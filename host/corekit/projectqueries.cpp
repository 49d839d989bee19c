#include "projectqueries.h"

#include "projectfile.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QSaveFile>
#include <QUrl>

namespace {

const QString kFilePrefix = QStringLiteral("obj_");
const QString kFileSuffix = QStringLiteral(".bin");

QString kindDir(const QString& projectPath, int kind)
{
    return ProjectFile::contentDir(projectPath) + QLatin1Char('/') + QString::number(kind);
}

// Object names may hold any character, even none at all; the file name must not.
QString contentFile(const QString& projectPath, int kind, const QString& name)
{
    return kindDir(projectPath, kind) + QLatin1Char('/') + kFilePrefix +
           QString::fromLatin1(QUrl::toPercentEncoding(name)) + kFileSuffix;
}

QStringList storedNames(const QString& projectPath, int kind)
{
    QStringList names;
    const QStringList files =
        QDir(kindDir(projectPath, kind))
            .entryList({kFilePrefix + QLatin1Char('*') + kFileSuffix}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const QString encoded =
            file.mid(kFilePrefix.size(), file.size() - kFilePrefix.size() - kFileSuffix.size());
        names.append(QUrl::fromPercentEncoding(encoded.toLatin1()));
    }
    return names;
}

// A data block's rows of eight text cells, serialised the way the program editor stores
// them: two byte arrays, the first used by instance blocks, the second by the others.
QByteArray dataBlockContent(const QJsonObject& block)
{
    QStringList cells;
    const QJsonArray rows = block.value(QStringLiteral("rows")).toArray();
    for (const QJsonValue& row : rows) {
        const QJsonArray rowCells = row.toArray();
        for (int i = 0; i < 8; ++i)
            cells.append(rowCells.at(i).toString());
    }
    QByteArray cellBytes;
    {
        QDataStream stream(&cellBytes, QIODevice::WriteOnly);
        stream.setVersion(QDataStream::Qt_5_15);
        stream << cells;
    }
    const bool instance = block.value(QStringLiteral("instance")).toBool(false);
    QByteArray content;
    QDataStream stream(&content, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_5_15);
    stream << (instance ? cellBytes : QByteArray()) << (instance ? QByteArray() : cellBytes);
    return content;
}

} // namespace

void getPrjPlcTypeVersion(const QString& projectPath, QString& type, QString& version)
{
    const ProjectFile project = ProjectFile::load(projectPath);
    if (!project.isValid())
        return;
    type = project.plcType();
    version = project.plcVersion();
}

int getHwFileCreatedVerNum(const QString& projectPath)
{
    return ProjectFile::load(projectPath).hwFileCreatedVersion();
}

bool getPrjSupportEip(const QString& projectPath)
{
    return ProjectFile::load(projectPath).supportsEip();
}

bool getPrjSupportQBus(const QString& projectPath)
{
    return ProjectFile::load(projectPath).supportsQbus();
}

QStringList getPrjObjectChildren(const QString& projectPath, int kind)
{
    const ProjectFile project = ProjectFile::load(projectPath);
    if (!project.isValid())
        return {};
    QStringList names;
    if (kind == PrjObjectKindDataBlock) {
        const QJsonArray blocks = project.dataBlocks();
        for (const QJsonValue& block : blocks)
            names.append(block.toObject().value(QStringLiteral("name")).toString());
    }
    const QStringList stored = storedNames(projectPath, kind);
    for (const QString& name : stored) {
        if (!names.contains(name))
            names.append(name);
    }
    return names;
}

QByteArray getPrjObjectChildContent(const QString& projectPath, int kind, const QString& name)
{
    const ProjectFile project = ProjectFile::load(projectPath);
    if (!project.isValid())
        return {};
    QFile stored(contentFile(projectPath, kind, name));
    if (stored.open(QIODevice::ReadOnly))
        return stored.readAll();
    if (kind == PrjObjectKindDataBlock) {
        const QJsonObject block = project.dataBlock(name);
        if (!block.isEmpty())
            return dataBlockContent(block);
    }
    return {};
}

bool savePrjObjectChildContent(const QString& projectPath, int kind, const QString& name,
                               const QByteArray& content)
{
    if (!ProjectFile::load(projectPath).isValid())
        return false;
    if (!QDir().mkpath(kindDir(projectPath, kind)))
        return false;
    QSaveFile file(contentFile(projectPath, kind, name));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(content);
    return file.commit();
}
