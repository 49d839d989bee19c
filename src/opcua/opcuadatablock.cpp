#include "opcuadatablock.h"

#include "bytes/datastreamreader.h"
#include "opcuaaddressrules.h"

namespace {

constexpr int kMinStringSize = 4;

// The address suffix of a PLC type; empty for types that have no published address.
QString suffix(const QString& plcType)
{
    if (plcType == QLatin1String("BOOL"))
        return QStringLiteral(".DBX");
    if (plcType == QLatin1String("BYTE") || plcType == QLatin1String("STRINGCHAR"))
        return QStringLiteral(".DBB");
    if (plcType == QLatin1String("INT") || plcType == QLatin1String("WORD"))
        return QStringLiteral(".DBW");
    if (plcType == QLatin1String("DINT") || plcType == QLatin1String("DWORD") ||
        plcType == QLatin1String("REAL"))
        return QStringLiteral(".DBD");
    return QString();
}

struct Row
{
    QString plcType;
    QString offset;
    QString name;
    QString comment;
};

} // namespace

std::optional<QStringList> OpcUaDataBlock::cells(const QByteArray& content, bool instance)
{
    DataStreamReader outer(content);
    QByteArray first;
    QByteArray second;
    if (!outer.bytes(first) || !outer.bytes(second))
        return std::nullopt;
    DataStreamReader in(instance ? first : second);
    qint32 count = 0;
    if (!in.count(count, kMinStringSize))
        return std::nullopt;
    QStringList list;
    list.reserve(count);
    for (qint32 i = 0; i < count; ++i) {
        QString cell;
        if (!in.string(cell))
            return std::nullopt;
        list.append(std::move(cell));
    }
    return list;
}

OpcUaDataBlockElements OpcUaDataBlock::elements(const QByteArray& content, const QString& name,
                                                const QString& symbol, bool instance,
                                                bool retentive, quint32 base)
{
    OpcUaDataBlockElements result;
    const auto number = OpcUaAddressRules::objectNumber(name);
    const auto list = cells(content, instance);
    if (!number || !list)
        return result;
    const int rows = list->size() / CellsPerRow;
    for (int r = 0; r < rows; ++r) {
        const auto cell = [&](int c) {
            return list->at(r * CellsPerRow + c);
        };
        Row row;
        if (instance) {
            row = {cell(2), cell(3), cell(7), cell(6)};
        } else {
            row = {cell(4), cell(0).mid(1), cell(3), cell(7)};
            if (row.plcType == QLatin1String("END_STRUCT"))
                break;
            if (row.plcType == QLatin1String("STRUCT") || cell(0).isEmpty())
                continue;
        }
        const QString sizeSuffix = suffix(row.plcType);
        const QString offset = sizeSuffix == QLatin1String(".DBX")
                                   ? row.offset
                                   : row.offset.section(QLatin1Char('.'), 0, 0);
        const auto address =
            sizeSuffix.isEmpty()
                ? std::nullopt
                : OpcUaAddressRules::classifyElement(name + sizeSuffix + offset, *number);
        if (!address) {
            ++result.skipped;
            continue;
        }
        const quint32 whole = row.offset.section(QLatin1Char('.'), 0, 0).toUInt();
        OpcUaDragItem element;
        element.address = address->address;
        element.browseName = address->address;
        element.displayName = symbol + QLatin1Char('.') + row.name;
        element.description = row.comment;
        element.tag = instance ? 0 : qint32(whole + base);
        element.flag = retentive ? 1 : 0;
        result.elements.push_back(std::move(element));
        if (!instance)
            result.lastOffset = whole;
    }
    return result;
}
