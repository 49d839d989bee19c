#include "configfields.h"

#include <QRegularExpression>

namespace ConfigFields {

namespace {

const QString kOctet = QStringLiteral("(?:25[0-5]|2[0-4][0-9]|1[0-9]{2}|[1-9]?[0-9])");

} // namespace

TextRule ipRule()
{
    return {15, QStringLiteral("^(?:%1\\.){3}%1$").arg(kOctet),
            QStringLiteral("an IPv4 address, four numbers 0..255 with points between them")};
}

TextRule pluginRule()
{
    return {255, QStringLiteral("^[^/\\\\\\x00-\\x1f]+$"),
            QStringLiteral("a plug-in's bare file name (no folder, no control characters)")};
}

QStringList dataTypeNames()
{
    QStringList names;
    for (quint32 code = 0; code <= 255; ++code) {
        const QString name = OpcUaTypes::dataTypeName(code);
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

quint32 dataTypeCode(const QString& name)
{
    for (quint32 code = 0; code <= 255; ++code) {
        if (OpcUaTypes::dataTypeName(code) == name)
            return code;
    }
    return 0;
}

QStringList accessLevelNames()
{
    return {OpcUaTypes::accessLevelName(quint32(OpcUaAccessLevel::Read)),
            OpcUaTypes::accessLevelName(quint32(OpcUaAccessLevel::Write)),
            OpcUaTypes::accessLevelName(quint32(OpcUaAccessLevel::ReadWrite))};
}

quint32 accessLevelCode(const QString& name)
{
    for (quint32 level = 1; level <= 3; ++level) {
        if (OpcUaTypes::accessLevelName(level) == name)
            return level;
    }
    return 0;
}

quint16 impliedDbNumber(const QString& address, bool element, bool object, quint16 parentDb)
{
    if (element && !object)
        return parentDb;
    static const QRegularExpression block(QStringLiteral("^DB([0-9]{1,5})(?:\\.|$)"));
    const QRegularExpressionMatch match = block.match(address);
    if (!match.hasMatch())
        return 0;
    return quint16(qMin(match.captured(1).toUInt(), 0xFFFFu));
}

} // namespace ConfigFields
