#pragma once

#include "opcuadragdata.h"
#include "opcuatypes.h"
#include "opcuavarrecord.h"

#include <QString>
#include <QVector>

#include <optional>

// What a published address is: its data type, address kind, access level and data block,
// and its text as the interface payload gives it back (MW010 → MW10, DB5.DBW 4 → DB5.DBW4),
// so that what the editor shows is what it shows again after a save.
struct OpcUaAddressClass
{
    QString address;
    OpcUaDataType dataType = OpcUaDataType::Bool;
    OpcUaAddressKind kind = OpcUaAddressKind::Bit;
    OpcUaAccessLevel access = OpcUaAccessLevel::ReadWrite;
    quint16 dbNumber = 0;
};

// The rules by which a dropped address becomes a published node, and the choices the node
// panel offers for it.
class OpcUaAddressRules
{
public:
    // The first rule that matches the whole address (with a point: bits and data-block
    // addresses; without: analog, byte, word and double-word addresses). Nothing when no
    // rule matches, or when the data-block number or the byte offset does not fit the
    // payload's fields (16 bits; 24 bits of byte × 8 + bit).
    static std::optional<OpcUaAddressClass> classify(const QString& address);

    // An element of the data-block object `objectNumber`: only the data-block rules, and
    // only an address inside that block.
    static std::optional<OpcUaAddressClass> classifyElement(const QString& address,
                                                            quint16 objectNumber);

    // The number of a data block named "DB<n>" (n at most 65535).
    static std::optional<quint16> objectNumber(const QString& name);

    // Addresses the server may only read: "R" is the only access level offered.
    static bool isReadOnly(const QString& address);

    // Symbols the source tree leaves out: timers, counters, analog and high-speed counters.
    static bool isExcluded(const QString& address);

    // The record a dragged item becomes: a classified variable, or a data-block object
    // (OBJECT, "RW", its number from its name) with those of its elements that lie in its
    // block. Nothing when the address (or, for an object, the name) has no published form;
    // `skippedElements` counts the elements left out.
    static std::optional<OpcUaVarRecord> recordFor(const OpcUaDragItem& item,
                                                   int* skippedElements = nullptr);

    // The data types a node of this kind may take, in the order the node panel offers them
    // (bit: BOOL; byte: SBYTE, BYTE/CHAR, STRING; word and analog word: INT16, UINT16;
    // double word: INT32, UINT32, FLOAT; data-block object: OBJECT).
    static QVector<OpcUaDataType> dataTypes(quint32 addressKind);
};
