#pragma once

#include "bytes/bytereader.h"
#include "bytes/fieldchannel.h"
#include "sectionid.h"
#include "sectiontable.h"

#include "model/cpuobject.h"

// The EtherCAT section (identifier 22): the master's settings and one record per slave,
// each behind its plug-in's file name and produced by that plug-in (save records in save
// data, download records in a download block). Slave records are not framed: the plug-in
// that rebuilds a slave says how many bytes it used.
class EtherCatSection
{
public:
    static QByteArray write(CpuObject& object, WriteMode mode);

    // The layout older firmware expects: slaves sorted by node id (the object's list is
    // sorted too), each record framed by a 16-bit length, children not counted.
    static QByteArray writeOld(CpuObject& object, WriteMode mode);

    // Sets the EtherCAT-enabled flag and reads settings and slaves; slaves are rebuilt
    // from save records (copies in clone mode) or from download records.
    static bool read(CpuObject& object, ByteReader& section, const ReadContext& context);
    static void dump(ByteReader& section, QList<DumpField>& fields);

    // Where the I/O-map log of a project is written: "hwcompilelog" beside the project file.
    static QString logFilePath(const QString& projectPath);
    static const char* logPrefix() { return "IO Map Changed Slave:"; }
};
