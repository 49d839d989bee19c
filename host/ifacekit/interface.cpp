#include "interface.h"

#include <libraryfolder.h>

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>

namespace {

QStringList searchDirs()
{
    QStringList dirs =
        qEnvironmentVariable("CORVO_PLUGIN_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    const QString own = libraryFolderOf(reinterpret_cast<const void*>(&resolveInterface));
    if (!own.isEmpty())
        dirs.append(own);
    return dirs;
}

bool loadFrom(QLibrary& library, const QString& pluginFile)
{
    const QFileInfo info(pluginFile);
    if (info.isAbsolute()) {
        library.setFileName(pluginFile);
        return library.load();
    }
    QString base = info.fileName();
    if (base.endsWith(QLatin1String(".dll"), Qt::CaseInsensitive))
        base.chop(4);
    if (base.isEmpty())
        return false;
    const QStringList dirs = searchDirs();
    for (const QString& dir : dirs) {
        // QLibrary adds the platform's prefix and suffix (libx.so) when the plain name fails.
        library.setFileName(dir + QLatin1Char('/') + base);
        if (library.load())
            return true;
    }
    return false;
}

template <typename Fn>
Fn entry(QLibrary& library, const char* name)
{
    return reinterpret_cast<Fn>(library.resolve(name));
}

Interface load(const QString& pluginFile)
{
    Interface iface;
    iface.pluginFile = pluginFile;
    QLibrary library;
    if (!loadFrom(library, pluginFile))
        return iface;
    iface.libraryPath = library.fileName();
    iface.nodeId = entry<SlaveNodeIdFn>(library, "slaveNodeId");
    iface.mappingSymbols = entry<SlaveMappingSymbolsFn>(library, "slaveMappingSymbols");
    iface.ioMapChanged = entry<SlaveIoMapChangedFn>(library, "slaveIoMapChanged");
    iface.resetIoMapChanged = entry<SlaveResetIoMapChangedFn>(library, "slaveResetIoMapChanged");
    iface.children = entry<SlaveChildrenFn>(library, "slaveChildren");
    iface.save = entry<SlaveSaveFn>(library, "slaveSave");
    iface.compile = entry<SlaveCompileFn>(library, "slaveCompile");
    iface.compileOld = entry<SlaveCompileOldFn>(library, "slaveCompileOld");
    iface.restore = entry<SlaveRestoreFn>(library, "slaveRestore");
    iface.clone = entry<SlaveCloneFn>(library, "slaveClone");
    iface.recompile = entry<SlaveRecompileFn>(library, "slaveRecompile");
    iface.ioItemCount = entry<SlaveIoItemCountFn>(library, "slaveIoItemCount");
    return iface;
}

} // namespace

QStringList Interface::entryPointNames()
{
    return {QStringLiteral("slaveNodeId"),       QStringLiteral("slaveMappingSymbols"),
            QStringLiteral("slaveIoMapChanged"), QStringLiteral("slaveResetIoMapChanged"),
            QStringLiteral("slaveChildren"),     QStringLiteral("slaveSave"),
            QStringLiteral("slaveCompile"),      QStringLiteral("slaveCompileOld"),
            QStringLiteral("slaveRestore"),      QStringLiteral("slaveClone"),
            QStringLiteral("slaveRecompile"),    QStringLiteral("slaveIoItemCount")};
}

Interface resolveInterface(const QString& pluginFile)
{
    // Resolving is asked for on every add and every section read; loading once is enough.
    // Failures are not remembered, so a plug-in installed later is found.
    static QHash<QString, Interface> resolved;
    const QString key = pluginFile + QLatin1Char('\n') + qEnvironmentVariable("CORVO_PLUGIN_PATH");
    auto it = resolved.constFind(key);
    if (it != resolved.constEnd())
        return *it;
    Interface iface = load(pluginFile);
    if (iface.isLoaded())
        resolved.insert(key, iface);
    return iface;
}
