#include "opcuavariabletablemodel.h"

#include "opcuainterfacetreemodel.h"

#include "opcua/opcuadragdata.h"

using NodeKind = OpcUaInterfaceTreeModel::NodeKind;

OpcUaVariableTableModel::OpcUaVariableTableModel(OpcUaInterfaceTreeModel* tree, QObject* parent)
    : QAbstractTableModel(parent)
    , m_tree(tree)
{
    connect(tree, &QAbstractItemModel::rowsAboutToBeInserted, this,
            &OpcUaVariableTableModel::treeRowsAboutToBeInserted);
    connect(tree, &QAbstractItemModel::rowsInserted, this,
            &OpcUaVariableTableModel::treeRowsInserted);
    connect(tree, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            &OpcUaVariableTableModel::treeRowsAboutToBeRemoved);
    connect(tree, &QAbstractItemModel::rowsRemoved, this,
            &OpcUaVariableTableModel::treeRowsRemoved);
    connect(tree, &QAbstractItemModel::dataChanged, this,
            &OpcUaVariableTableModel::treeDataChanged);
    connect(tree, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        beginResetModel();
        m_item = QPersistentModelIndex();
        m_mode = Mode::None;
    });
    connect(tree, &QAbstractItemModel::modelReset, this, [this] { endResetModel(); });
}

void OpcUaVariableTableModel::showItem(const QModelIndex& treeIndex)
{
    beginResetModel();
    m_item = treeIndex;
    switch (m_tree->kind(treeIndex)) {
    case NodeKind::Interface:
        m_mode = Mode::Children;
        break;
    case NodeKind::Variable:
        m_mode = m_tree->rowCount(treeIndex) > 0 ? Mode::Children : Mode::Single;
        break;
    default:
        m_mode = Mode::None;
        m_item = QPersistentModelIndex();
        break;
    }
    endResetModel();
}

QModelIndex OpcUaVariableTableModel::treeIndex(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return m_mode == Mode::Single ? QModelIndex(m_item) : m_tree->index(row, 0, m_item);
}

int OpcUaVariableTableModel::rowOf(const QModelIndex& treeIndex) const
{
    if (!treeIndex.isValid())
        return -1;
    if (m_mode == Mode::Single)
        return treeIndex == m_item ? 0 : -1;
    if (m_mode == Mode::Children && treeIndex.parent() == m_item)
        return treeIndex.row();
    return -1;
}

int OpcUaVariableTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    switch (m_mode) {
    case Mode::Children:
        return m_tree->rowCount(m_item);
    case Mode::Single:
        return m_item.isValid() ? 1 : 0;
    case Mode::None:
        break;
    }
    return 0;
}

int OpcUaVariableTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant OpcUaVariableTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const OpcUaVarRecord* r = m_tree->record(treeIndex(index.row()));
    if (!r)
        return {};
    switch (index.column()) {
    case Address:
        return role == Qt::ToolTipRole ? r->displayName : r->address;
    case DataType:
        return OpcUaTypes::dataTypeName(r->dataType);
    case BrowseName:
        return role == Qt::ToolTipRole ? r->description : r->browseName;
    }
    return {};
}

QVariant OpcUaVariableTableModel::headerData(int section, Qt::Orientation orientation,
                                             int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Address:
        return tr("Address");
    case DataType:
        return tr("Data Type");
    case BrowseName:
        return tr("Browse Name");
    }
    return {};
}

Qt::ItemFlags OpcUaVariableTableModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags drop = m_acceptsDrops ? Qt::ItemIsDropEnabled : Qt::NoItemFlags;
    if (!index.isValid())
        return drop;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | drop;
}

QStringList OpcUaVariableTableModel::mimeTypes() const
{
    return {OpcUaDragData::markType()};
}

Qt::DropActions OpcUaVariableTableModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

bool OpcUaVariableTableModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int,
                                              const QModelIndex&) const
{
    return m_acceptsDrops && OpcUaDragData::isDragData(data);
}

bool OpcUaVariableTableModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                           int column, const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    // Onto a row: that row; between rows: the row below; below the rows: the end.
    emit tblAddVar(data, action, parent.isValid() ? parent.row() : row);
    return true;
}

bool OpcUaVariableTableModel::shownItemIn(const QModelIndex& parent, int first, int last) const
{
    for (QModelIndex at = m_item; at.isValid(); at = at.parent()) {
        if (at.parent() == parent)
            return at.row() >= first && at.row() <= last;
    }
    return false;
}

void OpcUaVariableTableModel::treeRowsAboutToBeInserted(const QModelIndex& parent, int first,
                                                        int last)
{
    if (m_mode == Mode::Children && parent == m_item) {
        m_forwarding = true;
        beginInsertRows({}, first, last);
    }
}

void OpcUaVariableTableModel::treeRowsInserted(const QModelIndex&)
{
    if (m_forwarding) {
        m_forwarding = false;
        endInsertRows();
    }
}

void OpcUaVariableTableModel::treeRowsAboutToBeRemoved(const QModelIndex& parent, int first,
                                                       int last)
{
    if (m_mode == Mode::None)
        return;
    if (shownItemIn(parent, first, last)) {
        m_resetting = true;
        beginResetModel();
    } else if (m_mode == Mode::Children && parent == m_item) {
        m_forwarding = true;
        beginRemoveRows({}, first, last);
    }
}

void OpcUaVariableTableModel::treeRowsRemoved(const QModelIndex&)
{
    if (m_resetting) {
        m_resetting = false;
        m_item = QPersistentModelIndex();
        m_mode = Mode::None;
        endResetModel();
    } else if (m_forwarding) {
        m_forwarding = false;
        endRemoveRows();
    }
}

void OpcUaVariableTableModel::treeDataChanged(const QModelIndex& topLeft,
                                              const QModelIndex& bottomRight)
{
    if (m_mode == Mode::Single && topLeft == m_item) {
        emit dataChanged(index(0, 0), index(0, Columns - 1));
    } else if (m_mode == Mode::Children && topLeft.parent() == m_item) {
        emit dataChanged(index(topLeft.row(), 0), index(bottomRight.row(), Columns - 1));
    }
}
