#pragma once

#include "bytes/bytereader.h"
#include "bytes/fieldchannel.h"

#include "model/cpuobject.h"

// The CPU expansion section (identifier 8): one byte, the extension-bus clock selection.
class CpuExpansionSection
{
public:
    static QByteArray write(const CpuObject& object);
    // False (object unchanged) when the section is shorter than its 9 bytes.
    static bool read(CpuObject& object, ByteReader& section);
    static void dump(ByteReader& section, QList<DumpField>& fields);
};
