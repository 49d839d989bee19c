#pragma once

#include "bytes/bytereader.h"
#include "bytes/fieldchannel.h"

#include "model/cpuobject.h"

// The local high-speed counters (section 29): six 15-byte channel records and two zero
// bytes.
class HscSection
{
public:
    static QByteArray write(const CpuObject& object);
    // Nothing is read from a section that is shorter than it declares.
    static bool read(CpuObject& object, ByteReader& section);
    static void dump(ByteReader& section, QList<DumpField>& fields);
};
