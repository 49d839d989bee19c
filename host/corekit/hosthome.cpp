#include "hosthome.h"

#include "jsonfilecache.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>

#include <dlfcn.h>

namespace {

QString libraryDir()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&libraryDir), &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

QString findHome()
{
    const QString fromEnv = qEnvironmentVariable("CORVO_HOST_HOME");
    if (!fromEnv.isEmpty())
        return QDir(fromEnv).absolutePath();
    const QString dir = libraryDir();
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
    // Not cached: tests switch CORVO_HOST_HOME between cases.
    return findHome();
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
