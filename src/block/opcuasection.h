#pragma once

#include "bytes/bytereader.h"
#include "bytes/fieldchannel.h"

#include "model/cpuobject.h"

// The OPC UA server section (identifier 32): the settings and the interface payloads as
// the object stores them, each behind a 32-bit length that counts itself.
class OpcUaSection
{
public:
    static QByteArray write(const CpuObject& object);
    // A length below 4 or beyond the section ends the read; the payload it would have
    // filled keeps its value.
    static bool read(CpuObject& object, ByteReader& section);
    static void dump(ByteReader& section, QList<DumpField>& fields);
};
