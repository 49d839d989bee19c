#pragma once

#include "bytes/bytereader.h"
#include "bytes/fieldchannel.h"

#include "model/cpuobject.h"

// The compact model's built-in serial port (section 40, 24 bytes).
class LocalPortSection
{
public:
    static QByteArray write(const CpuObject& object);
    static bool read(CpuObject& object, ByteReader& section);
    static void dump(ByteReader& section, QList<DumpField>& fields);
};
