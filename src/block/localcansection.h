#pragma once

#include "bytes/bytereader.h"
#include "bytes/fieldchannel.h"
#include "sectionid.h"
#include "sectiontable.h"

#include "model/cpuobject.h"

// The local CANopen master section (identifier 25): the save payload in save data, the
// download payload in a download block (where the 20 kbit/s limits may add error 10 and
// leave the section without payload).
class LocalCanSection
{
public:
    static QByteArray write(CpuObject& object, WriteMode mode, QList<int>& errors);
    // Sets the CANopen-master-enabled flag and rebuilds the master from the payload.
    static bool read(CpuObject& object, ByteReader& section, const ReadContext& context);
    static void dump(ByteReader& section, WriteMode source, QList<DumpField>& fields);
};
