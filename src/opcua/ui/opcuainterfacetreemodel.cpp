#include "opcuainterfacetreemodel.h"

#include "opcua/opcuainterfacecodec.h"

OpcUaInterfaceTreeModel::OpcUaInterfaceTreeModel(QObject* parent)
    : QAbstractItemModel(parent)
{
    setInterfaces({});
}

void OpcUaInterfaceTreeModel::setInterfaces(OpcUaInterfaces interfaces)
{
    beginResetModel();
    m_interfaces = std::move(interfaces);
    m_nodes.clear();
    m_nodes.reserve(1 + m_interfaces.size() +
                    size_t(OpcUaInterfaceCodec::recordCount(m_interfaces)));
    m_nodes.push_back(Node{});
    for (size_t i = 0; i < m_interfaces.size(); ++i) {
        Node node;
        node.parent = 0;
        node.row = int(i);
        node.interfaceIndex = int(i);
        m_nodes[0].children.push_back(int(m_nodes.size()));
        m_nodes.push_back(std::move(node));
        addRecords(int(m_nodes.size()) - 1, m_interfaces[i].records);
    }
    endResetModel();
}

void OpcUaInterfaceTreeModel::addRecords(int parent, const std::vector<OpcUaVarRecord>& records)
{
    // Iterative: the depth of objects comes from outside bytes.
    std::vector<std::pair<int, const std::vector<OpcUaVarRecord>*>> pending{{parent, &records}};
    while (!pending.empty()) {
        const auto [owner, list] = pending.back();
        pending.pop_back();
        for (const OpcUaVarRecord& record : *list) {
            Node node;
            node.parent = owner;
            node.row = int(m_nodes[size_t(owner)].children.size());
            node.interfaceIndex = m_nodes[size_t(owner)].interfaceIndex;
            node.record = &record;
            const int id = int(m_nodes.size());
            m_nodes[size_t(owner)].children.push_back(id);
            m_nodes.push_back(std::move(node));
            if (!record.elements.empty())
                pending.emplace_back(id, &record.elements);
        }
    }
}

const OpcUaVarRecord* OpcUaInterfaceTreeModel::record(const QModelIndex& index) const
{
    return index.isValid() ? m_nodes[size_t(index.internalId())].record : nullptr;
}

QModelIndex OpcUaInterfaceTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column < 0 || column >= Columns || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? createIndex(0, column, quintptr(0)) : QModelIndex();
    const Node& owner = m_nodes[size_t(parent.internalId())];
    if (row >= int(owner.children.size()))
        return {};
    return createIndex(row, column, quintptr(owner.children[size_t(row)]));
}

QModelIndex OpcUaInterfaceTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    const int parent = m_nodes[size_t(child.internalId())].parent;
    if (parent < 0)
        return {};
    return createIndex(m_nodes[size_t(parent)].row, 0, quintptr(parent));
}

int OpcUaInterfaceTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return 1;
    if (parent.column() != 0)
        return 0;
    return int(m_nodes[size_t(parent.internalId())].children.size());
}

int OpcUaInterfaceTreeModel::columnCount(const QModelIndex&) const
{
    return Columns;
}

QVariant OpcUaInterfaceTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const Node& node = m_nodes[size_t(index.internalId())];
    if (!node.record) {
        if (index.column() != Address)
            return {};
        if (node.interfaceIndex < 0)
            return tr("Server Interface");
        return m_interfaces[size_t(node.interfaceIndex)].name;
    }
    const OpcUaVarRecord& r = *node.record;
    switch (index.column()) {
    case Address:
        return r.address;
    case DataType: {
        const QString name = OpcUaTypes::dataTypeName(r.dataType);
        return name.isEmpty() ? QString::number(r.dataType) : name;
    }
    case AccessLevel:
        return OpcUaTypes::accessLevelName(r.accessLevel);
    case BrowseName:
        return r.browseName;
    case DisplayName:
        return r.displayName;
    case Description:
        return r.description;
    }
    return {};
}

QVariant OpcUaInterfaceTreeModel::headerData(int section, Qt::Orientation orientation,
                                             int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Address:
        return tr("Address");
    case DataType:
        return tr("Data Type");
    case AccessLevel:
        return tr("AccessLevel");
    case BrowseName:
        return tr("Browse Name");
    case DisplayName:
        return tr("Display Name");
    case Description:
        return tr("Description");
    }
    return {};
}
