#pragma once

#include <QAbstractTableModel>
#include <QMimeData>
#include <QPersistentModelIndex>

class OpcUaInterfaceTreeModel;

// The variable table of the editor: the records of the tree's current item, read from the
// tree model (nothing is copied, so a switch costs nothing whatever the size). An interface
// or a data-block object with elements shows one row per record it holds; a published node
// without elements shows its own record; the root shows nothing. Rows come and go with the
// tree's, and a drop on the table is handed on (tblAddVar) with the row it landed on.
class OpcUaVariableTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Address, DataType, BrowseName, Columns };

    explicit OpcUaVariableTableModel(OpcUaInterfaceTreeModel* tree, QObject* parent = nullptr);

    // Shows the records of a tree item (in one reset).
    void showItem(const QModelIndex& treeIndex);
    QModelIndex shownItem() const { return m_item; }
    // The tree node of a row; invalid beyond the rows.
    QModelIndex treeIndex(int row) const;
    // The row of a tree node; −1 when the table does not show it.
    int rowOf(const QModelIndex& treeIndex) const;
    // Drops are taken while the table shows an interface.
    void setAcceptsDrops(bool accepts) { m_acceptsDrops = accepts; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

signals:
    // A drop on the table: the data, the action and the row dropped on (−1 below the rows).
    void tblAddVar(const QMimeData* data, Qt::DropAction action, int row);

private:
    enum class Mode { None, Children, Single };

    // Whether the shown item lies in rows first..last of `parent` or below them.
    bool shownItemIn(const QModelIndex& parent, int first, int last) const;
    void treeRowsAboutToBeInserted(const QModelIndex& parent, int first, int last);
    void treeRowsInserted(const QModelIndex& parent);
    void treeRowsAboutToBeRemoved(const QModelIndex& parent, int first, int last);
    void treeRowsRemoved(const QModelIndex& parent);
    void treeDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);

    OpcUaInterfaceTreeModel* m_tree;
    QPersistentModelIndex m_item;
    Mode m_mode = Mode::None;
    bool m_acceptsDrops = false;
    bool m_forwarding = false; // inside a forwarded insert or remove
    bool m_resetting = false;  // the shown item is being removed
};
