#pragma once

#include "opcua/opcuainterface.h"

#include <QAbstractItemModel>

#include <memory>
#include <vector>

class QMimeData;

// What a load kept and what it had to leave out.
struct OpcUaTreeLoad
{
    int interfaces = 0;
    int records = 0;
    int droppedElements = 0; // elements of a record that is not a data-block object
    int droppedTooDeep = 0;  // data-block objects nested deeper than the payload allows
};

// The interface tree of the editor: the root "Server Interface", the interfaces under it,
// one node per published record and, below a data-block object, one node per element. The
// records themselves are the model's storage (the codec's interfaces, unchanged in form),
// so the payload is written from them directly. Everything is filled in one reset; edits
// touch only the rows they change, and finding a node's parent or row never searches.
//
// Drops: only onto an interface; the "varInfo" items become records by the address rules,
// all of them or (over the element limit, or unreadable data) none.
class OpcUaInterfaceTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    static constexpr int MaxElements = 50000;
    static constexpr int MaxInterfaces = 5;

    enum class NodeKind { None, Root, Interface, Variable };

    explicit OpcUaInterfaceTreeModel(QObject* parent = nullptr);
    ~OpcUaInterfaceTreeModel() override;

    // Replaces the tree with `interfaces` in one reset. Elements of a record that is not a
    // data-block object, and objects nested too deep, are left out and counted.
    OpcUaTreeLoad setInterfaces(OpcUaInterfaces interfaces);
    // Appends interfaces after the present ones.
    OpcUaTreeLoad appendInterfaces(OpcUaInterfaces interfaces);
    // The empty root.
    void clear() { setInterfaces({}); }

    const OpcUaInterfaces& interfaces() const { return m_interfaces; }
    // Gives every record the numbers the payload gives it (no row changes).
    void numberRecords();
    // The published records: always the number of records in the tree.
    int elementCount() const { return m_elementCount; }
    int interfaceCount() const { return int(m_interfaces.size()); }

    QModelIndex rootIndex() const { return createIndex(0, 0, nullptr); }
    QModelIndex interfaceIndex(int position) const;
    NodeKind kind(const QModelIndex& index) const;
    // The record of a published node; null for the root, an interface or an invalid index.
    const OpcUaVarRecord* record(const QModelIndex& index) const;
    // The interface a node sits in (the interface itself for an interface).
    QModelIndex interfaceOf(const QModelIndex& index) const;

    QModelIndex addInterface(const QString& name);
    bool renameInterface(const QModelIndex& index, const QString& name);
    // Removes an interface or a published node with everything below it; the element
    // counter drops by the records removed.
    bool removeNode(const QModelIndex& index);
    // Replaces the editable attributes of a node's record (access level, data type and the
    // three texts); false when nothing changed.
    bool updateRecord(const QModelIndex& index, quint32 accessLevel, quint32 dataType,
                      const QString& browseName, const QString& displayName,
                      const QString& description);

    // Adds the dragged items of `data` to the interface `target`, appended (row −1) or
    // inserted from `row` on. Refused (false, nothing added) when the target is not an
    // interface, the data cannot be read, nothing in it can be published, or the records
    // would take the counter past MaxElements (then varCntTooLarge).
    bool dropVariables(const QMimeData* data, const QModelIndex& target, int row);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    // A drop from the view: only onto an interface, not between items.
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

signals:
    // A drop would pass MaxElements; `count` records were refused.
    void varCntTooLarge(int count);
    // Records were dropped into `interfaceIndex`; `row` is the last one added.
    void insertVarToTbl(const QModelIndex& interfaceIndex, int row);
    // The tree's records changed (a drop, a deletion, a new, renamed or removed interface,
    // an edited record); not sent by loads.
    void edited();

private:
    // A node that owns a list: the root (its interfaces), an interface (its records) or a
    // data-block object (its elements). `children` runs parallel to that list, with a node
    // for each entry that owns a list in turn and null for plain variables; `row` is the
    // node's position in its parent's list and is renumbered when entries before it come
    // or go. Model indexes point at the node whose list holds them.
    struct Node
    {
        Node* parent = nullptr;
        int row = 0;
        int depth = 0; // 0 root, 1 interface, 2 a record in it, ...
        std::vector<std::unique_ptr<Node>> children;
    };

    std::vector<OpcUaVarRecord>& records(const Node* node);
    const std::vector<OpcUaVarRecord>& records(const Node* node) const;
    Node* ownerOf(const QModelIndex& index) const;
    Node* nodeOf(const QModelIndex& index) const;
    QModelIndex indexOf(const Node* node) const;
    // Nodes for the entries first..first + count − 1 of the owner's list (their slots in
    // `children` exist) and everything below them; leaves out what cannot sit in the tree.
    void buildNodes(Node* owner, int first, int count, OpcUaTreeLoad& load);
    static void renumber(Node* owner, int from);

    OpcUaInterfaces m_interfaces;
    Node m_root;
    int m_elementCount = 0;
};
