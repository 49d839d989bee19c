#include "opcuaaddress.h"

#include <QStringBuilder>

namespace {

int firstDigit(const QString& text, int from = 0)
{
    for (int i = from; i < text.size(); ++i) {
        if (text.at(i).isDigit())
            return i;
    }
    return text.size();
}

// The decimal number at `from`, up to the first non-digit; saturates far beyond anything
// a 24-bit bit address can hold.
quint32 numberAt(const QString& text, int from)
{
    quint64 value = 0;
    for (int i = from; i < text.size() && text.at(i).isDigit(); ++i)
        value = qMin<quint64>(value * 10 + quint64(text.at(i).digitValue()), 0xFFFFFFFFu);
    return quint32(value);
}

bool isAnalog(const QString& prefix)
{
    return prefix == QLatin1String("AIW") || prefix == QLatin1String("AQW");
}

const QLatin1String kDataBlock("DB");

OpcUaRebuiltAddress objectAddress(const QString& prefix, quint16 dbNumber)
{
    return {QString(prefix % QString::number(dbNumber)), OpcUaAddressKind::DataBlockObject};
}

} // namespace

std::optional<OpcUaAddressParts> OpcUaAddress::split(const QString& address, quint32 dataType,
                                                     quint32 addressKind)
{
    const int d = firstDigit(address);
    const int p = address.indexOf(QLatin1Char('.'));
    QString area = address.left(d);
    OpcUaAddressParts parts;
    if (p < 0) {
        // The size letter (MW10, SMB28) is not part of the area; objects and analog words
        // have none.
        if (dataType != quint32(OpcUaDataType::Object) &&
            addressKind != quint32(OpcUaAddressKind::AnalogWord))
            area.chop(1);
        parts.byteOffset = numberAt(address, d);
    } else if (area == kDataBlock) {
        // DB5.DBX2.3: the data block's number travels apart; the rest names byte and bit.
        const QString rest = address.mid(p + 1);
        parts.byteOffset = numberAt(rest, firstDigit(rest));
        const int second = rest.indexOf(QLatin1Char('.'));
        parts.bit = second < 0 ? 0 : numberAt(rest, second + 1);
    } else {
        parts.byteOffset = numberAt(address, d);
        parts.bit = numberAt(address, p + 1);
    }
    const int code = OpcUaTypes::areaCode(area);
    if (code < 0)
        return std::nullopt;
    parts.areaCode = quint8(code);
    return parts;
}

std::optional<OpcUaRebuiltAddress> OpcUaAddress::topLevel(quint8 areaCode, quint32 dataType,
                                                          quint16 dbNumber, quint32 bitAddress)
{
    const QString prefix = OpcUaTypes::areaPrefix(areaCode);
    if (prefix.isEmpty())
        return std::nullopt;
    const QString offset = QString::number(bitAddress / 8);
    if (dataType == quint32(OpcUaDataType::Object))
        return objectAddress(prefix, dbNumber);
    if (isAnalog(prefix))
        return OpcUaRebuiltAddress{QString(prefix % offset), OpcUaAddressKind::AnalogWord};
    const bool inDataBlock = prefix == kDataBlock;
    const QString block = inDataBlock ? kDataBlock + QString::number(dbNumber) : QString();
    if (dataType == quint32(OpcUaDataType::Bool)) {
        const QString bit = offset + QLatin1Char('.') + QString::number(bitAddress % 8);
        return OpcUaRebuiltAddress{inDataBlock ? QString(block % QLatin1String(".DBX") % bit)
                                               : QString(prefix % bit),
                                   OpcUaAddressKind::Bit};
    }
    const QChar letter = OpcUaTypes::sizeLetter(dataType);
    if (letter.isNull())
        return std::nullopt;
    return OpcUaRebuiltAddress{inDataBlock ? QString(block % QLatin1String(".DB") % letter % offset)
                                           : QString(prefix % letter % offset),
                               OpcUaTypes::kindOfSizeLetter(letter)};
}

std::optional<OpcUaRebuiltAddress> OpcUaAddress::element(const QString& parent, quint8 areaCode,
                                                         quint32 dataType, quint16 dbNumber,
                                                         quint32 bitAddress)
{
    if (dataType == quint32(OpcUaDataType::Object)) {
        const QString prefix = OpcUaTypes::areaPrefix(areaCode);
        if (prefix.isEmpty())
            return std::nullopt;
        return objectAddress(prefix, dbNumber);
    }
    const QString offset = QString::number(bitAddress / 8);
    if (dataType == quint32(OpcUaDataType::Bool))
        return OpcUaRebuiltAddress{parent % QLatin1String(".DBX") % offset % QLatin1Char('.') %
                                       QString::number(bitAddress % 8),
                                   OpcUaAddressKind::Bit};
    const QChar letter = OpcUaTypes::sizeLetter(dataType);
    if (letter.isNull())
        return std::nullopt;
    return OpcUaRebuiltAddress{parent % QLatin1String(".DB") % letter % offset,
                               OpcUaTypes::kindOfSizeLetter(letter)};
}
