#pragma once

#include "bytes/bytereader.h"
#include "bytes/fieldchannel.h"
#include "sectionid.h"

#include "model/cpuobject.h"

#include <QByteArray>
#include <QList>

// The CPU parameter section (identifier 3): serial ports, TCP/IP, six retentive ranges,
// password, background time and the used SOE slots, as a fixed run of sub-blocks.
class CpuParamSection
{
public:
    // Bytes an SOE title may take: its record's one-byte length is 25 + title bytes.
    static constexpr int MaxSoeTitleBytes = 255 - 25;

    // The whole section. Writing stores the computed network tag and the retentive index
    // members into the object, nothing else. In download mode it also checks the retentive
    // memory size (codes 8 or 14, the section is still written) and the data blocks that
    // SOE triggers name (code 132 once, and an empty result).
    static QByteArray write(CpuObject& object, WriteMode mode, QList<int>& errors);

    // Fills the object from a section (head included) as far as its bytes go; true when
    // every field was there. The SOE slots are reset before the SOE sub-block is read.
    static bool read(CpuObject& object, ByteReader& section);

    // The fields of a section (head included), for inspection.
    static void dump(ByteReader& section, QList<DumpField>& fields);

    // Bytes of retentive memory the ranges need (download check).
    static qint64 retentiveBytes(const CpuParams& params);
};
