#pragma once

#include "bytes/bytereader.h"
#include "bytes/fieldchannel.h"

#include "model/cpuobject.h"

// The QBUS slaves (35) and EtherNet/IP slaves (49): the bus flag, then per slave its
// plug-in's file name and its download record behind a length (16 bits for QBUS, 32 for
// EtherNet/IP). Both carry download records, in save data too.
class SlaveListSection
{
public:
    // Sorts the object's QBUS slaves by node id first.
    static QByteArray writeQbus(CpuObject& object);
    static QByteArray writeEip(const CpuObject& object);

    // A section whose declared length differs from its size is ignored whole. Slaves are
    // rebuilt by their plug-ins and listed in node-id order; one that cannot be rebuilt is
    // left out.
    static bool readQbus(CpuObject& object, ByteReader& section);
    static bool readEip(CpuObject& object, ByteReader& section);
    static void dumpQbus(ByteReader& section, QList<DumpField>& fields);
    static void dumpEip(ByteReader& section, QList<DumpField>& fields);
};
