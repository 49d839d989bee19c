#pragma once

#include "opcua/opcuainterface.h"

#include <QAbstractItemModel>

#include <vector>

// The interfaces under the root "Server Interface", their nodes and the elements of their
// data-block objects, read-only. Built in one reset and in one pass over the records, so
// it serves tens of thousands of nodes.
class OpcUaInterfaceTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Column { Address, DataType, AccessLevel, BrowseName, DisplayName, Description, Columns };

    explicit OpcUaInterfaceTreeModel(QObject* parent = nullptr);

    void setInterfaces(OpcUaInterfaces interfaces);
    const OpcUaInterfaces& interfaces() const { return m_interfaces; }
    // The record behind an index; null for the root and the interfaces.
    const OpcUaVarRecord* record(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    struct Node
    {
        int parent = -1; // -1: the root "Server Interface"
        int row = 0;
        int interfaceIndex = -1;
        const OpcUaVarRecord* record = nullptr;
        std::vector<int> children;
    };

    void addRecords(int parent, const std::vector<OpcUaVarRecord>& records);

    OpcUaInterfaces m_interfaces;
    std::vector<Node> m_nodes; // node 0 is the root
};
