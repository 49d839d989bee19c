#pragma once

#include "bytes/bytereader.h"
#include "bytes/fieldchannel.h"

#include "model/cpuobject.h"

// The expansion cards of the compact model (section 39): the number of card records (2),
// then each record as a 16-bit body length, the body and four zero bytes. The body is the
// slot, the activated flag and the card type, and for types 1..6 the name, the
// description, four zero bytes and the type's parameters.
class ExtCardSection
{
public:
    static QByteArray write(const CpuObject& object);
    // Each record goes to the card of the slot its body names; a record of another slot
    // number is skipped.
    static bool read(CpuObject& object, ByteReader& section);
    static void dump(ByteReader& section, QList<DumpField>& fields);

    // One card's body, on its own (for tests and tools).
    static QByteArray writeBody(const CardRecord& card);
};
