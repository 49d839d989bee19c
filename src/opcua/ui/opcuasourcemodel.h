#pragma once

#include "opcua/opcuadragdata.h"

#include <QAbstractItemModel>

#include <vector>

class PrjSymbolOperator;

// The source tree of the editor: "Variable" with the project's symbols and "Program Block"
// with its data blocks and their elements, each item carrying what its drag carries. A
// filter narrows the tree to what contains a text; the tree is rebuilt in one reset, so
// neither building nor filtering tens of thousands of symbols touches rows one by one.
class OpcUaSourceModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum TopRow { VariableRow, ProgramBlockRow, TopRows };

    explicit OpcUaSourceModel(QObject* parent = nullptr);

    // Reads the project: the symbols of its symbol tables (table types 0 and 5, table by
    // table, without timers and counters), and its data blocks (project object kind 53)
    // with the elements of their content.
    void rebuild(const QString& projectPath, const PrjSymbolOperator* symbols);
    // The items as they are (variables, and data blocks with their elements).
    void setItems(OpcUaDragItems variables, OpcUaDragItems blocks);

    // Narrows the tree to the variables, data blocks and elements whose address, name or
    // comment contains `text` (case-insensitive); a block that matches shows all its
    // elements, one shown for its elements only those. Empty: everything.
    void setFilterText(const QString& text);
    QString filterText() const { return m_filter; }

    int variableCount() const { return int(m_variables.size()); }
    int blockCount() const { return int(m_blocks.size()); }
    // The item behind an index; null for the two top items.
    const OpcUaDragItem* item(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    // The dragged items in tree order; nothing when a top item is among them.
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;

private:
    struct ShownBlock
    {
        int block = 0;
        std::vector<int> elements; // empty with `all`: every element
        bool all = true;
    };

    void applyFilter();
    int shownElementCount(const ShownBlock& shown) const;
    int elementAt(const ShownBlock& shown, int row) const;

    OpcUaDragItems m_variables;
    OpcUaDragItems m_blocks;
    QString m_filter;
    std::vector<int> m_shownVariables; // with no filter: empty, and every variable shows
    std::vector<ShownBlock> m_shownBlocks;
};
