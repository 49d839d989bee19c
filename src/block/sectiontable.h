#pragma once

#include "bytes/bytereader.h"
#include "bytes/fieldchannel.h"
#include "sectionid.h"

#include "model/cpuobject.h"

#include <QByteArray>
#include <QList>
#include <QVector>

// What a section reader needs besides the object and the bytes.
struct ReadContext
{
    WriteMode source = WriteMode::Save; // save data or a download block
    bool clone = false;                 // rebuild slaves as copies
};

// One section of a parameter block, after the header: when it is written, by whom, and who
// reads and decodes it. The table's order is the order in the block.
struct SectionEntry
{
    SectionId id;
    quint8 mark;        // byte 4 of the head; readers ignore it
    const char* symbol; // "SEC_ID_CPU_PARAM"
    const char* title;  // "CPU parameters"

    // Whether the object has this section (the same in save data and download blocks).
    bool (*present)(const CpuObject& object);
    // The complete section; empty only when a download check failed.
    QByteArray (*write)(CpuObject& object, WriteMode mode, QList<int>& errors);
    // Fills the object from the section (head included); false when it ended early.
    bool (*read)(CpuObject& object, ByteReader& section, const ReadContext& context);
    // The section's fields for inspection (in a block of the given kind); null when it is
    // shown as bytes.
    void (*dump)(ByteReader& section, WriteMode source, QList<DumpField>& fields);
};

class SectionTable
{
public:
    // Every section after the header, in block order.
    static const QVector<SectionEntry>& sections();

    // The entry of an identifier, or null (unknown sections are skipped by readers).
    static const SectionEntry* find(quint8 id);

    // A name for any identifier, for tools.
    static QString title(quint8 id);
};
