#pragma once

#include <QString>

// A variable reference as the PLC's SOE and retentive records hold it (10 bytes in blocks).
struct VarRef
{
    quint8 syntax = 0;   // 0x10
    quint8 typeCode = 0; // 1 bit, 2 byte, 4 word, 6 double word, 0x1E counter, 0x1F timer
    quint16 count = 0;
    quint16 dbNumber = 0;
    quint8 area = 0;     // 0x81 I, 0x82 Q, 0x83 M, 0x84 V, 0x85 numbered data block
    quint32 address = 0; // 24 bits

    bool operator==(const VarRef& o) const;
};

// One of the sixteen SOE (sequence-of-events) slots: 24 settings bytes and a title.
struct SoeRecord
{
    static constexpr int SlotCount = 16;
    static constexpr quint8 FreeSlot = 0xFF;

    quint8 slot = FreeSlot; // its own index 0..15 when used
    quint8 event = 0;       // 0 rising edge, 1 falling edge
    VarRef trigger;
    VarRef process;
    quint8 formatIndex = 0;
    quint8 titleLength = 0; // kept equal to the title's encoded length by the editor
    QString title;

    bool isUsed() const { return slot != FreeSlot; }
    bool operator==(const SoeRecord& o) const;

    // A free slot as createObject fills it, and as a block reader resets it; they differ
    // in the trigger's type code (1 and 2).
    static SoeRecord creationDefault();
    static SoeRecord readerReset();
};
