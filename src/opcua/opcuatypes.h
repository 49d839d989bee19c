#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// Data type codes of published nodes, as the interface payload carries them.
enum class OpcUaDataType : quint8 {
    Bool = 0,
    SByte = 1,
    ByteChar = 2,
    Int16 = 3,
    UInt16 = 4,
    Int32 = 5,
    UInt32 = 6,
    Float = 9,
    String = 11,
    Object = 255, // a data block published with its elements
};

// What an address names; it decides which data types a node may take.
enum class OpcUaAddressKind : quint8 {
    Bit = 0,
    Byte = 1,
    Word = 2,
    DoubleWord = 3,
    DataBlockObject = 4,
    AnalogWord = 5,
};

enum class OpcUaAccessLevel : quint8 {
    Read = 1,
    Write = 2,
    ReadWrite = 3,
};

// Names and codes shared by the payload codecs, the dump and the editors.
class OpcUaTypes
{
public:
    // "BOOL", "SBYTE", "BYTE/CHAR", ...; empty for a code without a name.
    static QString dataTypeName(quint32 code);

    // The memory area of an address prefix ("I" 0x81, "DB" 0x85, "AIW" 0x06, ...); -1 for a
    // prefix outside the table.
    static int areaCode(QStringView prefix);
    // The prefix of an area code; empty for a code outside the table.
    static QString areaPrefix(quint8 code);

    // The size letter of a data type in an address: 'B', 'W' or 'D'; a null character for
    // BOOL (a bit address), OBJECT and codes without one.
    static QChar sizeLetter(quint32 dataType);
    // The address kind a size letter stands for (Byte, Word, DoubleWord).
    static OpcUaAddressKind kindOfSizeLetter(QChar letter);

    // "R", "W", "RW"; empty for other values.
    static QString accessLevelName(quint32 level);
};
