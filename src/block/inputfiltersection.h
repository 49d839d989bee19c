#pragma once

#include "bytes/bytereader.h"
#include "bytes/fieldchannel.h"
#include "sectionid.h"

#include "model/cpuobject.h"

// The local digital input filter: section 28 on the KLV2 models (one 4-bit code per four
// inputs), section 48 on the compact model (one per input). Same payload: the count, then
// the codes as stored.
class InputFilterSection
{
public:
    // Section 48 carries exactly (count + 1) / 2 code bytes: longer codes are cut, shorter
    // ones filled with the default code 0xDD.
    static QByteArray write(const CpuObject& object, SectionId id);
    // 28 takes every remaining byte as codes; 48 takes (count + 1) / 2 bytes when they are
    // all there and leaves the codes alone otherwise.
    static bool read(CpuObject& object, ByteReader& section, SectionId id);
    static void dump(ByteReader& section, QList<DumpField>& fields);
};
