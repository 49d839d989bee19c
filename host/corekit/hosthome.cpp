#include "hosthome.h"

#include "jsonfilecache.h"

#include <libraryfolder.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QMutex>
#include <QMutexLocker>

namespace {

QString findHome()
{
    const QString fromEnv = qEnvironmentVariable("CORVO_HOST_HOME");
    if (!fromEnv.isEmpty())
        return QDir(fromEnv).absolutePath();
    const QString dir = libraryFolderOf(reinterpret_cast<const void*>(&getAppVerNum));
    const QString installed =
        QDir::cleanPath(dir + QLatin1Char('/') + QStringLiteral(CORVO_LIB_TO_HOST_HOME));
    // The source tree's samples serve the build tree only: an installed copy uses its own
    // data, and says where it looked when that is missing.
    const bool inBuildTree = QFileInfo(dir).canonicalFilePath() ==
                             QFileInfo(QStringLiteral(CORVO_BUILD_LIB_DIR)).canonicalFilePath();
    if (!inBuildTree || QFileInfo(installed + QStringLiteral("/host.json")).isFile())
        return installed;
    return QDir::cleanPath(QStringLiteral(CORVO_SOURCE_HOST_HOME));
}

} // namespace

QString HostHome::path()
{
    // Tests switch CORVO_HOST_HOME between cases, so the variable is read every time; only
    // an absolute value, which does not depend on the working folder, is kept with its answer.
    static QMutex mutex;
    static QByteArray knownValue;
    static QString knownHome;
    const QByteArray value = qgetenv("CORVO_HOST_HOME");
    QMutexLocker lock(&mutex);
    if (!value.isEmpty() && value == knownValue)
        return knownHome;
    const QString home = findHome();
    if (QDir::isAbsolutePath(QString::fromLocal8Bit(value))) {
        knownValue = value;
        knownHome = home;
    }
    return home;
}

QString HostHome::file(const QString& relative)
{
    return path() + QLatin1Char('/') + relative;
}

int getAppVerNum()
{
    const auto doc = JsonFileCache::instance().read(HostHome::file(QStringLiteral("host.json")));
    return doc.document.object().value(QStringLiteral("appVersion")).toInt(0);
}

QString getHwcnfgComponentPath(int component)
{
    return HostHome::path() + QStringLiteral("/hwcnfg/%1/").arg(component);
}
