#include "opcuagenerator.h"

#include <opcua/opcuaaddressrules.h>
#include <opcua/opcuadatablock.h>

#include <QDataStream>
#include <QJsonArray>

namespace {

// The address of symbol i: bits, bytes, words and double words of every area the editor
// publishes; one in a hundred a timer or a counter.
QString symbolAddress(int i)
{
    const int n = i / 10;
    if (i % 100 == 99)
        return (i % 200 == 99 ? QStringLiteral("T%1") : QStringLiteral("C%1")).arg(n % 256);
    switch (i % 10) {
    case 0:
        return QStringLiteral("I%1.%2").arg(n % 128).arg(i % 8);
    case 1:
        return QStringLiteral("Q%1.%2").arg(n % 128).arg(i % 8);
    case 2:
        return QStringLiteral("M%1.%2").arg(n % 32).arg(i % 8);
    case 3:
        return QStringLiteral("VB%1").arg(i);
    case 4:
        return QStringLiteral("VW%1").arg(2 * i);
    case 5:
        return QStringLiteral("VD%1").arg(4 * i);
    case 6:
        return QStringLiteral("MW%1").arg(2 * (n % 16));
    case 7:
        return QStringLiteral("AIW%1").arg(2 * (n % 64));
    case 8:
        return QStringLiteral("V%1.%2").arg(i).arg(i % 8);
    default:
        return QStringLiteral("SMB%1").arg(n % 200);
    }
}

struct ElementType
{
    const char* type;
    int size;
};

constexpr ElementType kElementTypes[] = {{"INT", 2},  {"REAL", 4}, {"BOOL", 1},
                                         {"DINT", 4}, {"WORD", 2}, {"BYTE", 1}};

QByteArray blockContent(const QStringList& cells)
{
    QByteArray list;
    {
        QDataStream out(&list, QIODevice::WriteOnly);
        out << cells;
    }
    QByteArray content;
    QDataStream out(&content, QIODevice::WriteOnly);
    out << QByteArray() << list;
    return content;
}

} // namespace

OpcUaGenerator::OpcUaGenerator(const Shape& shape)
{
    for (int i = 0; i < shape.symbols; ++i) {
        const QString address = symbolAddress(i);
        const QString name = QStringLiteral("Sym_%1").arg(i, 5, 10, QLatin1Char('0'));
        const QString comment =
            i % 2 ? QString() : QStringLiteral("Signal %1 of cell %2").arg(i).arg(i / 500);
        m_symbolTable.append(QJsonObject{
            {"name", name}, {"address", address}, {"dataType", "INT"}, {"comment", comment}});
        if (OpcUaAddressRules::isExcluded(address))
            continue;
        OpcUaDragItem item;
        item.address = address;
        item.browseName = address;
        item.displayName = name;
        item.description = comment;
        m_variables.push_back(std::move(item));
    }
    for (int b = 1; b <= shape.blocks; ++b) {
        const QString name = QStringLiteral("DB%1").arg(b);
        const QString symbol = QStringLiteral("Block%1").arg(b);
        const QString comment = QStringLiteral("Data of station %1").arg(b);
        QJsonArray rows;
        QStringList cells;
        int byte = 0;
        int bit = 0;
        for (int e = 0; e < shape.elementsPerBlock; ++e) {
            const ElementType& t = kElementTypes[e % std::size(kElementTypes)];
            QString at;
            if (QLatin1String(t.type) == QLatin1String("BOOL")) {
                at = QStringLiteral("+%1.%2").arg(byte).arg(bit);
                if (++bit == 8) {
                    ++byte;
                    bit = 0;
                }
            } else {
                if (bit > 0) {
                    ++byte;
                    bit = 0;
                }
                at = QStringLiteral("+%1.0").arg(byte);
                byte += t.size;
            }
            const QStringList row{at,
                                  QString(),
                                  QString(),
                                  QStringLiteral("Value%1").arg(e),
                                  QLatin1String(t.type),
                                  QString(),
                                  QString(),
                                  QStringLiteral("Element %1").arg(e)};
            rows.append(QJsonArray::fromStringList(row));
            cells += row;
        }
        m_dataBlocks.append(QJsonObject{{"name", name},
                                        {"symbol", symbol},
                                        {"comment", comment},
                                        {"retentive", b % 2 == 0},
                                        {"instance", false},
                                        {"rows", rows}});
        m_blockTable.append(QJsonObject{
            {"name", symbol}, {"address", name}, {"dataType", "DB"}, {"comment", comment}});
        OpcUaDragItem block;
        block.isObject = true;
        block.address = name;
        block.browseName = name;
        block.displayName = symbol;
        block.description = comment;
        block.elements =
            OpcUaDataBlock::elements(blockContent(cells), name, symbol, false, b % 2 == 0, 0)
                .elements;
        m_blocks.push_back(std::move(block));
    }
}

QJsonObject OpcUaGenerator::project() const
{
    return QJsonObject{
        {"name", "Generated line"},
        {"plcType", "KLV2-R70"},
        {"plcVersion", "02.01"},
        {"hwFileCreatedVersion", 2100},
        {"supportsEip", true},
        {"supportsQbus", true},
        {"dataBlocks", m_dataBlocks},
        {"symbolTables",
         QJsonArray{
             QJsonObject{{"name", "Global"}, {"type", 0}, {"symbols", m_symbolTable}},
             QJsonObject{{"name", "Block symbols"}, {"type", 5}, {"symbols", m_blockTable}}}},
    };
}

OpcUaInterfaces OpcUaGenerator::interfaces(int records, int count) const
{
    count = qMax(1, count);
    OpcUaInterfaces list(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        list[size_t(i)].name = QStringLiteral("Interface %1").arg(i + 1);
    int made = 0;
    size_t variable = 0;
    size_t block = 0;
    for (int drop = 0; made < records; ++drop) {
        const OpcUaDragItem* item = nullptr;
        if (drop % 10 == 9 && !m_blocks.empty() &&
            int(m_blocks[block % m_blocks.size()].elements.size()) < records - made)
            item = &m_blocks[block++ % m_blocks.size()];
        else if (!m_variables.empty())
            item = &m_variables[variable++ % m_variables.size()];
        if (!item)
            break;
        auto record = OpcUaAddressRules::recordFor(*item);
        if (!record)
            continue;
        made += record->recordCount();
        list[size_t(drop % count)].records.push_back(std::move(*record));
    }
    return list;
}
