#pragma once

#include <ifacekit/interface.h>

#include <QString>

// Slave plug-in names as blocks carry them. Save data from another project and blocks read
// back from a PLC are outside data: the name they give a slave's plug-in may pick a plug-in
// from the host's plug-in folders, never a file anywhere else.
namespace SlavePluginName {

// The name to resolve for a name read from a block: the name itself when it is a bare file
// name. Empty, meaning the plug-in cannot be resolved, when the name is empty, "." or "..",
// or holds '/', '\' or a control character (NUL included).
QString resolvable(const QString& stored);

// The plug-in a block names, found in the host's plug-in folders: resolveInterface of the
// resolvable name; without entry points (nothing loaded) when the name is refused. Every
// reader of a block resolves slave plug-ins through this.
Interface resolveStored(const QString& stored);

// The name to write for a slave's plug-in path: its file-name part (after the last '/' or
// '\'), so that what is written can be resolved when the block is read. Hosts add slaves by
// path as well as by name.
QString storable(const QString& pluginPath);

} // namespace SlavePluginName
