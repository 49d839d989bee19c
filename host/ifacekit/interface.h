#pragma once

#include "ifacekit_global.h"

#include <symbolkit/symbol.h>

#include <QByteArray>
#include <QList>
#include <QString>

// Entry points of a slave-module plug-in, exported with C linkage under the names given
// in Interface::entryPointNames(). A slave object is known by its int handle; 0 is never
// a valid handle. Every entry point is optional; a missing one stays null.

using SlaveNodeIdFn = int (*)(int slave);
using SlaveMappingSymbolsFn = void (*)(int slave, QList<Symbol>& symbols); // appends
using SlaveIoMapChangedFn = bool (*)(int slave);
using SlaveResetIoMapChangedFn = void (*)(int slave);
using SlaveChildrenFn = QList<int> (*)(int slave);
using SlaveSaveFn = QByteArray (*)(int slave);
// Download records, new and old form: 0 on success, else an error code.
using SlaveCompileFn = int (*)(int slave, QByteArray& record);
using SlaveCompileOldFn = int (*)(int slave, QByteArray& record);
// Rebuild a slave from the front of `data`: the new handle, or 0. `consumed` receives the
// number of bytes of `data` the record occupied (callers that frame records may ignore it).
using SlaveRestoreFn = int (*)(const QByteArray& data, const QString& projectPath, int& consumed);
using SlaveCloneFn = int (*)(const QByteArray& data, const QString& projectPath, int& consumed);
using SlaveRecompileFn = int (*)(const QByteArray& data, const QString& projectPath, int& consumed,
                                 int& error);
// Sum of the counts of the slave's I/O items of type 1 (CAN slaves of kind 0 offer it).
using SlaveIoItemCountFn = int (*)(int slave);

struct IFACEKIT_EXPORT Interface
{
    QString pluginFile;  // the name it was resolved from, as given
    QString libraryPath; // the file that was loaded; empty when none could be

    SlaveNodeIdFn nodeId = nullptr;
    SlaveMappingSymbolsFn mappingSymbols = nullptr;
    SlaveIoMapChangedFn ioMapChanged = nullptr;
    SlaveResetIoMapChangedFn resetIoMapChanged = nullptr;
    SlaveChildrenFn children = nullptr;
    SlaveSaveFn save = nullptr;
    SlaveCompileFn compile = nullptr;
    SlaveCompileOldFn compileOld = nullptr;
    SlaveRestoreFn restore = nullptr;
    SlaveCloneFn clone = nullptr;
    SlaveRecompileFn recompile = nullptr;
    SlaveIoItemCountFn ioItemCount = nullptr;

    bool isLoaded() const { return !libraryPath.isEmpty(); }

    // The exported names, in the order of the members above.
    static QStringList entryPointNames();
};

// Loads the slave plug-in `pluginFile` and fills its entry points. A bare name is looked
// for in the folders of CORVO_PLUGIN_PATH (':'-separated), then in the folder of this
// library, where the plug-ins are installed; a name written as "x.dll" finds the
// platform's library for x (libx.so). An absolute path is loaded as it is. When nothing
// can be loaded every entry point is null. Libraries stay loaded for the process.
IFACEKIT_EXPORT Interface resolveInterface(const QString& pluginFile);
