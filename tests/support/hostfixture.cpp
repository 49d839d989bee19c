#include "hostfixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

namespace {

void copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(file, target);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
}

} // namespace

HostFixture::HostFixture()
{
    m_hadHome = qEnvironmentVariableIsSet("CORVO_HOST_HOME");
    m_previousHome = qgetenv("CORVO_HOST_HOME");
    copyTree(sampleHome(), m_dir.path());
    qputenv("CORVO_HOST_HOME", m_dir.path().toLocal8Bit());
}

HostFixture::~HostFixture()
{
    if (m_hadHome)
        qputenv("CORVO_HOST_HOME", m_previousHome);
    else
        qunsetenv("CORVO_HOST_HOME");
}

QString HostFixture::sampleHome()
{
    return QStringLiteral(CORVO_SAMPLE_HOST_HOME);
}

void HostFixture::writeFile(const QString& relative, const QByteArray& content)
{
    const QString path = m_dir.filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    // A new file each time, so that the host's file cache sees the change even within
    // one clock tick.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(content);
        file.commit();
    }
}

void HostFixture::removeFile(const QString& relative)
{
    QFile::remove(m_dir.filePath(relative));
}

void HostFixture::setAppVersion(int version)
{
    writeFile(QStringLiteral("host.json"),
              QJsonDocument(QJsonObject{{QStringLiteral("appVersion"), version}}).toJson());
}

void HostFixture::setPlcModel(const QString& name, const QJsonObject& model)
{
    QFile file(m_dir.filePath(QStringLiteral("plc-types.json")));
    file.open(QIODevice::ReadOnly);
    QJsonArray models = QJsonDocument::fromJson(file.readAll()).array();
    file.close();
    QJsonObject entry = model;
    if (!entry.contains(QStringLiteral("names")))
        entry.insert(QStringLiteral("names"), QJsonArray{name});
    bool replaced = false;
    for (int i = 0; i < models.size(); ++i) {
        if (models.at(i).toObject().value(QStringLiteral("names")).toArray().contains(name)) {
            models[i] = entry;
            replaced = true;
        }
    }
    if (!replaced)
        models.append(entry);
    writeFile(QStringLiteral("plc-types.json"), QJsonDocument(models).toJson());
}

QString HostFixture::writeProject(const QString& name, const QJsonObject& project)
{
    writeFile(name, QJsonDocument(project).toJson());
    return m_dir.filePath(name);
}

QString HostFixture::writeProject(const QString& name, const QString& plcType,
                                  const QString& plcVersion)
{
    return writeProject(name, QJsonObject{{QStringLiteral("plcType"), plcType},
                                          {QStringLiteral("plcVersion"), plcVersion},
                                          {QStringLiteral("hwFileCreatedVersion"), 2100}});
}
