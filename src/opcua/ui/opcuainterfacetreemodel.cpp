#include "opcuainterfacetreemodel.h"

#include "opcua/opcuaaddressrules.h"
#include "opcua/opcuadragdata.h"
#include "opcua/opcuainterfacecodec.h"

#include "model/debuglog.h"

#include <QIcon>
#include <QMimeData>

#include <iterator>

namespace {

const char kModule[] = "OpcUaInterfaceTreeModel";

// Node depths: 1 interfaces, 2 their records; objects hold elements down to the depth the
// payload's readers accept.
constexpr int kDeepestRecord = 1 + OpcUaInterfaceCodec::MaxObjectDepth;

} // namespace

OpcUaInterfaceTreeModel::OpcUaInterfaceTreeModel(QObject* parent)
    : QAbstractItemModel(parent)
{}

OpcUaInterfaceTreeModel::~OpcUaInterfaceTreeModel() = default;

OpcUaTreeLoad OpcUaInterfaceTreeModel::setInterfaces(OpcUaInterfaces interfaces)
{
    OpcUaTreeLoad load;
    beginResetModel();
    m_interfaces = std::move(interfaces);
    m_root.children.clear();
    m_root.children.resize(m_interfaces.size());
    buildNodes(&m_root, 0, int(m_interfaces.size()), load);
    m_elementCount = load.records;
    endResetModel();
    return load;
}

OpcUaTreeLoad OpcUaInterfaceTreeModel::appendInterfaces(OpcUaInterfaces interfaces)
{
    OpcUaTreeLoad load;
    if (interfaces.empty())
        return load;
    const int first = int(m_interfaces.size());
    const int count = int(interfaces.size());
    beginInsertRows(rootIndex(), first, first + count - 1);
    m_interfaces.insert(m_interfaces.end(), std::make_move_iterator(interfaces.begin()),
                        std::make_move_iterator(interfaces.end()));
    m_root.children.resize(m_interfaces.size());
    buildNodes(&m_root, first, count, load);
    m_elementCount += load.records;
    endInsertRows();
    return load;
}

void OpcUaInterfaceTreeModel::buildNodes(Node* owner, int first, int count, OpcUaTreeLoad& load)
{
    if (owner == &m_root) {
        for (int i = first; i < first + count; ++i) {
            auto node = std::make_unique<Node>();
            node->parent = owner;
            node->row = i;
            node->depth = 1;
            const int records = int(m_interfaces[size_t(i)].records.size());
            node->children.resize(size_t(records));
            Node* raw = node.get();
            owner->children[size_t(i)] = std::move(node);
            ++load.interfaces;
            buildNodes(raw, 0, records, load);
        }
        return;
    }
    std::vector<OpcUaVarRecord>& list = records(owner);
    const int depth = owner->depth + 1;
    for (int i = first; i < first + count; ++i) {
        OpcUaVarRecord& r = list[size_t(i)];
        ++load.records;
        if (!r.isObject() || depth >= kDeepestRecord) {
            if (!r.elements.empty()) {
                (r.isObject() ? load.droppedTooDeep : load.droppedElements) += r.recordCount() - 1;
                std::vector<OpcUaVarRecord>().swap(r.elements);
            }
            if (!r.isObject())
                continue;
        }
        auto node = std::make_unique<Node>();
        node->parent = owner;
        node->row = i;
        node->depth = depth;
        node->children.resize(r.elements.size());
        Node* raw = node.get();
        owner->children[size_t(i)] = std::move(node);
        buildNodes(raw, 0, int(r.elements.size()), load);
    }
}

void OpcUaInterfaceTreeModel::renumber(Node* owner, int from)
{
    for (size_t i = size_t(from); i < owner->children.size(); ++i) {
        if (Node* child = owner->children[i].get())
            child->row = int(i);
    }
}

void OpcUaInterfaceTreeModel::numberRecords()
{
    OpcUaInterfaceCodec::number(m_interfaces);
}

std::vector<OpcUaVarRecord>& OpcUaInterfaceTreeModel::records(const Node* node)
{
    Q_ASSERT(node && node->depth > 0);
    if (node->depth == 1)
        return m_interfaces[size_t(node->row)].records;
    return records(node->parent)[size_t(node->row)].elements;
}

const std::vector<OpcUaVarRecord>& OpcUaInterfaceTreeModel::records(const Node* node) const
{
    return const_cast<OpcUaInterfaceTreeModel*>(this)->records(node);
}

OpcUaInterfaceTreeModel::Node* OpcUaInterfaceTreeModel::ownerOf(const QModelIndex& index) const
{
    return static_cast<Node*>(index.internalPointer());
}

OpcUaInterfaceTreeModel::Node* OpcUaInterfaceTreeModel::nodeOf(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    Node* owner = ownerOf(index);
    if (!owner)
        return const_cast<Node*>(&m_root);
    return owner->children[size_t(index.row())].get();
}

QModelIndex OpcUaInterfaceTreeModel::indexOf(const Node* node) const
{
    if (node == &m_root)
        return rootIndex();
    return createIndex(node->row, 0, node->parent);
}

QModelIndex OpcUaInterfaceTreeModel::interfaceIndex(int position) const
{
    if (position < 0 || position >= interfaceCount())
        return {};
    return createIndex(position, 0, const_cast<Node*>(&m_root));
}

OpcUaInterfaceTreeModel::NodeKind OpcUaInterfaceTreeModel::kind(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return NodeKind::None;
    const Node* owner = ownerOf(index);
    if (!owner)
        return NodeKind::Root;
    return owner == &m_root ? NodeKind::Interface : NodeKind::Variable;
}

const OpcUaVarRecord* OpcUaInterfaceTreeModel::record(const QModelIndex& index) const
{
    if (kind(index) != NodeKind::Variable)
        return nullptr;
    return &records(ownerOf(index))[size_t(index.row())];
}

QModelIndex OpcUaInterfaceTreeModel::interfaceOf(const QModelIndex& index) const
{
    switch (kind(index)) {
    case NodeKind::Interface:
        return index.sibling(index.row(), 0);
    case NodeKind::Variable: {
        const Node* owner = ownerOf(index);
        while (owner->depth > 1)
            owner = owner->parent;
        return indexOf(owner);
    }
    default:
        return {};
    }
}

QModelIndex OpcUaInterfaceTreeModel::addInterface(const QString& name)
{
    const int row = interfaceCount();
    beginInsertRows(rootIndex(), row, row);
    m_interfaces.push_back({name, {}});
    auto node = std::make_unique<Node>();
    node->parent = &m_root;
    node->row = row;
    node->depth = 1;
    m_root.children.push_back(std::move(node));
    endInsertRows();
    emit edited();
    return interfaceIndex(row);
}

bool OpcUaInterfaceTreeModel::renameInterface(const QModelIndex& index, const QString& name)
{
    if (kind(index) != NodeKind::Interface)
        return false;
    m_interfaces[size_t(index.row())].name = name;
    emit dataChanged(index, index);
    emit edited();
    return true;
}

bool OpcUaInterfaceTreeModel::removeNode(const QModelIndex& index)
{
    const NodeKind k = kind(index);
    if (k != NodeKind::Interface && k != NodeKind::Variable)
        return false;
    const int row = index.row();
    Node* owner = ownerOf(index);
    beginRemoveRows(indexOf(owner), row, row);
    if (k == NodeKind::Interface) {
        m_elementCount -= m_interfaces[size_t(row)].recordCount();
        m_interfaces.erase(m_interfaces.begin() + row);
    } else {
        std::vector<OpcUaVarRecord>& list = records(owner);
        m_elementCount -= list[size_t(row)].recordCount();
        list.erase(list.begin() + row);
    }
    owner->children.erase(owner->children.begin() + row);
    renumber(owner, row);
    endRemoveRows();
    emit edited();
    return true;
}

bool OpcUaInterfaceTreeModel::updateRecord(const QModelIndex& index, quint32 accessLevel,
                                           quint32 dataType, const QString& browseName,
                                           const QString& displayName, const QString& description)
{
    if (kind(index) != NodeKind::Variable)
        return false;
    OpcUaVarRecord& r = records(ownerOf(index))[size_t(index.row())];
    if (r.accessLevel == accessLevel && r.dataType == dataType && r.browseName == browseName &&
        r.displayName == displayName && r.description == description)
        return false;
    // An object's type is what makes it hold elements; the panel never offers another.
    if (r.isObject() != (dataType == quint32(OpcUaDataType::Object)))
        return false;
    r.accessLevel = accessLevel;
    r.dataType = dataType;
    r.browseName = browseName;
    r.displayName = displayName;
    r.description = description;
    emit dataChanged(index, index);
    emit edited();
    return true;
}

bool OpcUaInterfaceTreeModel::dropVariables(const QMimeData* data, const QModelIndex& target,
                                            int row)
{
    if (kind(target) != NodeKind::Interface)
        return false;
    const auto items = OpcUaDragData::items(data);
    if (!items) {
        debugLine(kModule, __LINE__, QStringLiteral("drop refused: unreadable drag data"));
        return false;
    }
    std::vector<OpcUaVarRecord> added;
    added.reserve(items->size());
    int total = 0;
    int skipped = 0;
    for (const OpcUaDragItem& item : *items) {
        auto r = OpcUaAddressRules::recordFor(item, &skipped);
        if (!r) {
            ++skipped;
            continue;
        }
        total += r->recordCount();
        added.push_back(std::move(*r));
    }
    if (skipped > 0)
        debugLine(kModule, __LINE__,
                  QStringLiteral("%1 dragged items have no published address").arg(skipped));
    if (added.empty())
        return false;
    if (m_elementCount + total > MaxElements) {
        emit varCntTooLarge(total);
        return false;
    }
    Node* owner = nodeOf(target);
    std::vector<OpcUaVarRecord>& list = records(owner);
    const int count = int(added.size());
    const int at = row < 0 || row > int(list.size()) ? int(list.size()) : row;
    beginInsertRows(target, at, at + count - 1);
    list.insert(list.begin() + at, std::make_move_iterator(added.begin()),
                std::make_move_iterator(added.end()));
    std::vector<std::unique_ptr<Node>> fresh(static_cast<size_t>(count));
    owner->children.insert(owner->children.begin() + at, std::make_move_iterator(fresh.begin()),
                           std::make_move_iterator(fresh.end()));
    OpcUaTreeLoad load;
    buildNodes(owner, at, count, load);
    renumber(owner, at + count);
    m_elementCount += load.records;
    endInsertRows();
    emit insertVarToTbl(target, at + count - 1);
    emit edited();
    return true;
}

QModelIndex OpcUaInterfaceTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? rootIndex() : QModelIndex();
    Node* node = nodeOf(parent);
    if (!node || row >= rowCount(parent))
        return {};
    return createIndex(row, 0, node);
}

QModelIndex OpcUaInterfaceTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    const Node* owner = ownerOf(child);
    return owner ? indexOf(owner) : QModelIndex();
}

int OpcUaInterfaceTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return 1;
    if (parent.column() != 0)
        return 0;
    const Node* node = nodeOf(parent);
    if (!node)
        return 0;
    if (node == &m_root)
        return interfaceCount();
    return int(records(node).size());
}

int OpcUaInterfaceTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant OpcUaInterfaceTreeModel::data(const QModelIndex& index, int role) const
{
    const NodeKind k = kind(index);
    if (k == NodeKind::None)
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        if (k == NodeKind::Root)
            return tr("Server Interface");
        if (k == NodeKind::Interface)
            return m_interfaces[size_t(index.row())].name;
        const OpcUaVarRecord* r = record(index);
        if (role == Qt::DisplayRole)
            return r->address;
        return QStringLiteral("%1 (%2, %3)")
            .arg(r->displayName, OpcUaTypes::dataTypeName(r->dataType),
                 OpcUaTypes::accessLevelName(r->accessLevel));
    }
    if (role == Qt::DecorationRole && k != NodeKind::Variable) {
        static const QIcon folder(QStringLiteral(":/images/folder.png"));
        return folder;
    }
    return {};
}

Qt::ItemFlags OpcUaInterfaceTreeModel::flags(const QModelIndex& index) const
{
    const NodeKind k = kind(index);
    if (k == NodeKind::None)
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (k == NodeKind::Interface)
        f |= Qt::ItemIsDropEnabled;
    return f;
}

QStringList OpcUaInterfaceTreeModel::mimeTypes() const
{
    return {OpcUaDragData::markType()};
}

Qt::DropActions OpcUaInterfaceTreeModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

bool OpcUaInterfaceTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int row, int,
                                              const QModelIndex& parent) const
{
    return OpcUaDragData::isDragData(data) && row < 0 && kind(parent) == NodeKind::Interface;
}

bool OpcUaInterfaceTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                           int column, const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    return dropVariables(data, parent, -1);
}
