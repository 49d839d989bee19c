#pragma once

#include "opcuatypes.h"

#include <QString>

#include <optional>

// A record's address as the interface payload stores it: the memory area's code and the
// bit address (byte offset × 8 + bit number) in 24 bits. The data-block number travels in
// a field of its own.
struct OpcUaAddressParts
{
    quint8 areaCode = 0;
    quint32 byteOffset = 0;
    quint32 bit = 0;

    quint32 bitAddress() const { return (byteOffset * 8 + bit) & 0xFFFFFF; }
};

// An address text rebuilt from the payload, with the kind it has.
struct OpcUaRebuiltAddress
{
    QString text;
    OpcUaAddressKind kind = OpcUaAddressKind::Bit;
};

// Splits address texts into what the payload stores, and rebuilds them.
class OpcUaAddress
{
public:
    // MW10 → area M, byte 10; I0.3 → area I, byte 0, bit 3; DB5.DBX2.3 → area DB, byte 2,
    // bit 3; AIW4 and data-block objects (DB5) keep the whole prefix as their area. Nothing
    // when the area is not one the payload knows.
    static std::optional<OpcUaAddressParts> split(const QString& address, quint32 dataType,
                                                  quint32 addressKind);

    // The address of a node directly in its interface; nothing for a data type that has no
    // size letter (and is neither BOOL nor OBJECT) or an unknown area.
    static std::optional<OpcUaRebuiltAddress> topLevel(quint8 areaCode, quint32 dataType,
                                                       quint16 dbNumber, quint32 bitAddress);
    // The address of an element of the data-block object at `parent` (DB5 →
    // DB5.DBX2.3, DB5.DBW4); an element that is itself an object is named like one at the
    // top level.
    static std::optional<OpcUaRebuiltAddress> element(const QString& parent, quint8 areaCode,
                                                      quint32 dataType, quint16 dbNumber,
                                                      quint32 bitAddress);
};
