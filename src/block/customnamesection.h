#pragma once

#include "bytes/bytereader.h"
#include "bytes/fieldchannel.h"

#include "model/cpuobject.h"

// The Profinet (33, 75 bytes) and QBUS (34, 74 bytes) settings: two flags and a custom
// name in 64 zero-padded bytes; Profinet adds "IP from other sources".
class CustomNameSection
{
public:
    static constexpr int NameBytes = 64;

    static QByteArray writeProfinet(const CpuObject& object);
    static QByteArray writeQbus(const CpuObject& object);

    // A section whose declared length differs from its size is ignored whole. Profinet's
    // last flag is read only when the section is longer than 74 bytes (older blocks end
    // after the name).
    static bool readProfinet(CpuObject& object, ByteReader& section);
    static bool readQbus(CpuObject& object, ByteReader& section);
    static void dump(ByteReader& section, QList<DumpField>& fields);
};
