#pragma once

#include "moduledescriptor.h"

#include <QIODevice>
#include <QList>
#include <QString>

// The module catalog: one file per module type in the host's component folder 6, named
// "hw" + the type id in eight upper-case hex digits + ".met", holding one record per model
// in a line-oriented "key = value" text.
class ModuleCatalog
{
public:
    // Files larger than this are not catalogs; they are refused rather than read whole.
    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

    static QString fileName(int typeId);
    static QString filePath(int typeId);

    // The records of a type's catalog file in file order; empty when the file cannot be
    // read. Parsed files are kept by path and read again only when their size or times
    // change (GUI thread only, as every caller).
    static QList<ModuleDescriptor> read(int typeId);

    // The records of a catalog text. A record runs from "[MODULE START]" to "[END]"; one
    // that is never closed is dropped.
    static QList<ModuleDescriptor> parse(QIODevice& device);

    // The record for a module type id, copied to `out` with ObjID set to `id`; its index
    // in the file, or -1. Id 4 is described by the catalog of id 3. A record that needs a
    // newer host application hides itself and every later record.
    static int lookup(int id, ModuleDescriptor& out);

    // The lookup rule over records already read (for tests and tools).
    static int find(const QList<ModuleDescriptor>& records, int fileId, int id, int appVersion,
                    ModuleDescriptor& out);

    // The catalog file that describes a type id.
    static int fileIdFor(int id) { return id == 4 ? 3 : id; }
};
