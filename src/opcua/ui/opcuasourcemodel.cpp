#include "opcuasourcemodel.h"

#include "opcua/opcuaaddressrules.h"
#include "opcua/opcuadatablock.h"

#include "model/debuglog.h"

#include <corekit/prjobjectproperty.h>
#include <corekit/projectqueries.h>
#include <symbolkit/prjsymboloperator.h>

#include <QHash>
#include <QIcon>
#include <QMimeData>
#include <QSet>

#include <algorithm>
#include <tuple>

namespace {

const char kModule[] = "OpcUaSourceModel";

// Internal ids: the two top items, the variables, the data blocks, and the elements of the
// shown block b (kElements + b).
constexpr quintptr kTop = 0;
constexpr quintptr kVariable = 1;
constexpr quintptr kBlock = 2;
constexpr quintptr kElements = 3;

// The symbol tables the source tree lists, in this order.
constexpr int kTableTypes[] = {0, 5};

bool contains(const OpcUaDragItem& item, const QString& text)
{
    return item.address.contains(text, Qt::CaseInsensitive) ||
           item.displayName.contains(text, Qt::CaseInsensitive) ||
           item.description.contains(text, Qt::CaseInsensitive);
}

} // namespace

OpcUaSourceModel::OpcUaSourceModel(QObject* parent)
    : QAbstractItemModel(parent)
{}

void OpcUaSourceModel::rebuild(const QString& projectPath, const PrjSymbolOperator* symbols)
{
    OpcUaDragItems variables;
    OpcUaDragItems blocks;
    QList<Symbol> all;
    if (symbols)
        all = symbols->getSymbolByType(PrjSymbolOperator::AllTypes);

    // Table by table, each in the order of its entries.
    QHash<QString, QVector<int>> byTable;
    for (int i = 0; i < all.size(); ++i)
        byTable[QString::number(all.at(i).tableType) + QLatin1Char('\n') + all.at(i).table].append(
            i);
    variables.reserve(size_t(all.size()));
    for (int type : kTableTypes) {
        QStringList tables = symbols ? symbols->getTableNames(type) : QStringList();
        tables.removeDuplicates();
        for (const QString& table : qAsConst(tables)) {
            const QVector<int> entries =
                byTable.value(QString::number(type) + QLatin1Char('\n') + table);
            for (int i : entries) {
                const Symbol& s = all.at(i);
                if (OpcUaAddressRules::isExcluded(s.address))
                    continue;
                OpcUaDragItem item;
                item.address = s.address;
                item.browseName = s.address;
                item.displayName = s.name;
                item.description = s.comment;
                variables.push_back(std::move(item));
            }
        }
    }

    // Data blocks; a block's symbol comes from the project, else from the symbol whose
    // address is the block's name.
    QHash<QString, int> symbolOfAddress;
    const auto symbolFor = [&](const QString& address) -> const Symbol* {
        if (symbolOfAddress.isEmpty()) {
            for (int i = all.size() - 1; i >= 0; --i)
                symbolOfAddress.insert(all.at(i).address, i);
        }
        const int at = symbolOfAddress.value(address, -1);
        return at < 0 ? nullptr : &all.at(at);
    };
    quint32 bases[2] = {0, 0}; // retentive blocks, others
    const QStringList listed = getPrjObjectChildren(projectPath, PrjObjectKindDataBlock);
    for (const QString& text : listed) {
        const QString name = text.section(QLatin1Char('_'), -1);
        if (!OpcUaAddressRules::objectNumber(name)) {
            debugLine(kModule, __LINE__, QStringLiteral("not a data block: %1").arg(text));
            continue;
        }
        PrjObjectProperty property(projectPath, PrjObjectKindDataBlock, text);
        property.getFromPrj();
        QString symbol = property.symbolName;
        QString comment = property.symbolComment;
        if (symbol.isEmpty()) {
            if (const Symbol* s = symbolFor(name)) {
                symbol = s->name;
                comment = s->comment;
            }
        }
        const bool retentive = property.dbBeRetentive == 1;
        quint32& base = bases[retentive ? 0 : 1];
        OpcUaDataBlockElements read = OpcUaDataBlock::elements(
            getPrjObjectChildContent(projectPath, PrjObjectKindDataBlock, text), name, symbol,
            property.dbIsInstance == 1, retentive, base);
        base += read.lastOffset;
        if (read.skipped > 0)
            debugLine(kModule, __LINE__,
                      QStringLiteral("%1: %2 rows without a published address")
                          .arg(name)
                          .arg(read.skipped));
        OpcUaDragItem block;
        block.isObject = true;
        block.address = name;
        block.browseName = name;
        block.displayName = symbol;
        block.description = comment;
        block.flag = retentive ? 1 : 0;
        block.elements = std::move(read.elements);
        blocks.push_back(std::move(block));
    }
    setItems(std::move(variables), std::move(blocks));
}

void OpcUaSourceModel::setItems(OpcUaDragItems variables, OpcUaDragItems blocks)
{
    beginResetModel();
    m_variables = std::move(variables);
    m_blocks = std::move(blocks);
    applyFilter();
    endResetModel();
}

void OpcUaSourceModel::setFilterText(const QString& text)
{
    if (text == m_filter)
        return;
    beginResetModel();
    m_filter = text;
    applyFilter();
    endResetModel();
}

void OpcUaSourceModel::applyFilter()
{
    m_shownVariables.clear();
    m_shownBlocks.clear();
    const bool filtered = !m_filter.isEmpty();
    if (filtered) {
        for (size_t i = 0; i < m_variables.size(); ++i) {
            if (contains(m_variables[i], m_filter))
                m_shownVariables.push_back(int(i));
        }
    }
    for (size_t b = 0; b < m_blocks.size(); ++b) {
        ShownBlock shown;
        shown.block = int(b);
        if (filtered && !contains(m_blocks[b], m_filter)) {
            shown.all = false;
            const OpcUaDragItems& elements = m_blocks[b].elements;
            for (size_t e = 0; e < elements.size(); ++e) {
                if (contains(elements[e], m_filter))
                    shown.elements.push_back(int(e));
            }
            if (shown.elements.empty())
                continue;
        }
        m_shownBlocks.push_back(std::move(shown));
    }
}

int OpcUaSourceModel::shownElementCount(const ShownBlock& shown) const
{
    return shown.all ? int(m_blocks[size_t(shown.block)].elements.size())
                     : int(shown.elements.size());
}

int OpcUaSourceModel::elementAt(const ShownBlock& shown, int row) const
{
    return shown.all ? row : shown.elements[size_t(row)];
}

const OpcUaDragItem* OpcUaSourceModel::item(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    const quintptr id = index.internalId();
    const int row = index.row();
    if (id == kVariable)
        return &m_variables[size_t(m_filter.isEmpty() ? row : m_shownVariables[size_t(row)])];
    if (id == kBlock)
        return &m_blocks[size_t(m_shownBlocks[size_t(row)].block)];
    if (id >= kElements) {
        const ShownBlock& shown = m_shownBlocks[size_t(id - kElements)];
        return &m_blocks[size_t(shown.block)].elements[size_t(elementAt(shown, row))];
    }
    return nullptr;
}

QModelIndex OpcUaSourceModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0 || row >= rowCount(parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, 0, kTop);
    if (parent.internalId() == kTop)
        return createIndex(row, 0, parent.row() == VariableRow ? kVariable : kBlock);
    return createIndex(row, 0, kElements + quintptr(parent.row()));
}

QModelIndex OpcUaSourceModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    const quintptr id = child.internalId();
    if (id == kTop)
        return {};
    if (id == kVariable)
        return createIndex(VariableRow, 0, kTop);
    if (id == kBlock)
        return createIndex(ProgramBlockRow, 0, kTop);
    return createIndex(int(id - kElements), 0, kBlock);
}

int OpcUaSourceModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return TopRows;
    if (parent.column() != 0)
        return 0;
    const quintptr id = parent.internalId();
    if (id == kTop) {
        if (parent.row() == VariableRow)
            return m_filter.isEmpty() ? int(m_variables.size()) : int(m_shownVariables.size());
        return int(m_shownBlocks.size());
    }
    if (id == kBlock)
        return shownElementCount(m_shownBlocks[size_t(parent.row())]);
    return 0;
}

int OpcUaSourceModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant OpcUaSourceModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (index.internalId() == kTop) {
        const bool variables = index.row() == VariableRow;
        switch (role) {
        case Qt::DisplayRole:
            return variables ? tr("Variable") : tr("Program Block");
        case Qt::ToolTipRole:
            return variables ? tr("Please drag the elements under the variable into the "
                                  "interface")
                             : tr("Please drag the program block or the elements of the "
                                  "program block into the interface");
        case Qt::DecorationRole: {
            static const QIcon folder(QStringLiteral(":/images/folder.png"));
            return folder;
        }
        }
        return {};
    }
    const OpcUaDragItem* it = item(index);
    switch (role) {
    case Qt::DisplayRole:
        if (it->displayName.isEmpty())
            return it->address;
        return QStringLiteral("%1 (%2)").arg(it->isObject ? it->address : it->displayName,
                                             it->isObject ? it->displayName : it->address);
    case Qt::ToolTipRole:
        return it->description.isEmpty() ? QVariant() : QVariant(it->description);
    case Qt::DecorationRole:
        if (it->isObject) {
            static const QIcon block(QStringLiteral(":/images/itemconfig.png"));
            return block;
        }
        break;
    }
    return {};
}

QVariant OpcUaSourceModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return tr("Element");
    return {};
}

Qt::ItemFlags OpcUaSourceModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.internalId() == kTop)
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList OpcUaSourceModel::mimeTypes() const
{
    return {OpcUaDragData::markType(), OpcUaDragData::itemsType()};
}

QMimeData* OpcUaSourceModel::mimeData(const QModelIndexList& indexes) const
{
    // In tree order: variables, then each block followed by its elements.
    using Key = std::tuple<int, int, int>;
    std::vector<std::pair<Key, const OpcUaDragItem*>> picked;
    picked.reserve(size_t(indexes.size()));
    QSet<QPair<quintptr, int>> seen;
    for (const QModelIndex& index : indexes) {
        if (!index.isValid() || index.column() != 0)
            continue;
        const quintptr id = index.internalId();
        if (id == kTop)
            return nullptr; // a drag with a top item carries nothing
        if (seen.contains({id, index.row()}))
            continue;
        seen.insert({id, index.row()});
        Key key = id == kVariable ? Key{0, index.row(), 0}
                  : id == kBlock  ? Key{1, index.row(), -1}
                                  : Key{1, int(id - kElements), index.row()};
        picked.emplace_back(key, item(index));
    }
    if (picked.empty())
        return nullptr;
    std::sort(picked.begin(), picked.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    OpcUaDragItems items;
    items.reserve(picked.size());
    for (const auto& p : picked)
        items.push_back(*p.second);
    return OpcUaDragData::mimeData(items);
}

Qt::DropActions OpcUaSourceModel::supportedDragActions() const
{
    return Qt::CopyAction;
}
