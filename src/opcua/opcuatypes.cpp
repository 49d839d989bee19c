#include "opcuatypes.h"

namespace {

struct Area
{
    const char* prefix;
    quint8 code;
};

constexpr Area kAreas[] = {
    {"S", 0x04}, {"SM", 0x05}, {"AIW", 0x06}, {"AQW", 0x07}, {"I", 0x81},
    {"Q", 0x82}, {"M", 0x83},  {"V", 0x84},   {"DB", 0x85},
};

} // namespace

QString OpcUaTypes::dataTypeName(quint32 code)
{
    switch (code) {
    case quint32(OpcUaDataType::Bool):
        return QStringLiteral("BOOL");
    case quint32(OpcUaDataType::SByte):
        return QStringLiteral("SBYTE");
    case quint32(OpcUaDataType::ByteChar):
        return QStringLiteral("BYTE/CHAR");
    case quint32(OpcUaDataType::Int16):
        return QStringLiteral("INT16");
    case quint32(OpcUaDataType::UInt16):
        return QStringLiteral("UINT16");
    case quint32(OpcUaDataType::Int32):
        return QStringLiteral("INT32");
    case quint32(OpcUaDataType::UInt32):
        return QStringLiteral("UINT32");
    case quint32(OpcUaDataType::Float):
        return QStringLiteral("FLOAT");
    case quint32(OpcUaDataType::String):
        return QStringLiteral("STRING");
    case quint32(OpcUaDataType::Object):
        return QStringLiteral("OBJECT");
    }
    return QString();
}

int OpcUaTypes::areaCode(QStringView prefix)
{
    for (const Area& area : kAreas) {
        if (prefix == QLatin1String(area.prefix))
            return area.code;
    }
    return -1;
}

QString OpcUaTypes::areaPrefix(quint8 code)
{
    for (const Area& area : kAreas) {
        if (area.code == code)
            return QLatin1String(area.prefix);
    }
    return QString();
}

QChar OpcUaTypes::sizeLetter(quint32 dataType)
{
    switch (dataType) {
    case quint32(OpcUaDataType::SByte):
    case quint32(OpcUaDataType::ByteChar):
    case quint32(OpcUaDataType::String):
        return QLatin1Char('B');
    case quint32(OpcUaDataType::Int16):
    case quint32(OpcUaDataType::UInt16):
        return QLatin1Char('W');
    case quint32(OpcUaDataType::Int32):
    case quint32(OpcUaDataType::UInt32):
    case quint32(OpcUaDataType::Float):
        return QLatin1Char('D');
    }
    return QChar();
}

OpcUaAddressKind OpcUaTypes::kindOfSizeLetter(QChar letter)
{
    if (letter == QLatin1Char('W'))
        return OpcUaAddressKind::Word;
    if (letter == QLatin1Char('D'))
        return OpcUaAddressKind::DoubleWord;
    return OpcUaAddressKind::Byte;
}

QString OpcUaTypes::accessLevelName(quint32 level)
{
    switch (level) {
    case quint32(OpcUaAccessLevel::Read):
        return QStringLiteral("R");
    case quint32(OpcUaAccessLevel::Write):
        return QStringLiteral("W");
    case quint32(OpcUaAccessLevel::ReadWrite):
        return QStringLiteral("RW");
    }
    return QString();
}
