#pragma once

#include "opcuainterfacetab.h"

#include <QPersistentModelIndex>

class FolderDlg;
class OpcUaInterfaceTreeModel;
class OpcUaNodePanel;
class OpcUaSourceModel;
class OpcUaVariableTableModel;
class PrjSymbolOperator;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QSplitter;
class QStackedWidget;
class QTableView;
class QTimer;
class QTreeView;

// The server interface editor (tab "Interface configuration"): the interfaces under the
// root "Server Interface" with their published nodes, the table of the current item's
// records, the node panel, and the source tree of the project's variables and data blocks
// from which nodes are dragged in.
//
// What is not on screen is built when the editor is first shown: the payload is decoded
// and the source tree read from the project then, so a dialog opens as fast with 50 000
// published nodes as with none. Until the user changes the interfaces, the payload it
// hands back is the one it was given (or imported), byte for byte: a stored payload it
// cannot show completely (more than 50 000 variables, records without their interface or
// data block) survives a plain OK, and a note says why the editor does not show it all.
class OpcUaParWdgt : public OpcUaInterfaceTab
{
    Q_OBJECT

public:
    static constexpr int SyncIntervalMs = 200;

    OpcUaParWdgt(const QByteArray& payload, const QString& projectPath, QWidget* parent = nullptr);
    ~OpcUaParWdgt() override;

    void setInterfaceData(const QByteArray& payload) override;
    // Keeps the payload and shows only its interfaces (an empty one changes nothing).
    void importInterfaces(const QByteArray& payload) override;
    // Commits the node panel's edits first; the payload given when nothing changed since.
    QByteArray interfaceData() override;

    // Appends the payload's interfaces under the root; more than 50 000 variables leave the
    // empty root. Records without a place are left out and counted in the debug log.
    void loadInterfaces(const QByteArray& payload);

    // Decodes the payload and reads the project now rather than at the first show.
    void ensureLoaded();
    void ensureSourceBuilt();

    int elementCount() const;
    // Whether the interfaces changed since the payload was given (or imported).
    bool isChanged() const { return m_changed; }
    QString note() const;

    OpcUaInterfaceTreeModel* treeModel() const { return m_tree; }
    OpcUaVariableTableModel* tableModel() const { return m_table; }
    OpcUaSourceModel* sourceModel() const { return m_source; }
    QTreeView* interfaceView() const { return m_treeView; }
    QTableView* tableView() const { return m_tableView; }
    QTreeView* sourceView() const { return m_sourceView; }
    OpcUaNodePanel* nodePanel() const { return m_panel; }
    QStackedWidget* infoStack() const { return m_stack; }

public slots:
    void slot_addInterface();
    void slot_changeInterfaceName();
    void slot_deleteInterface();
    // The table's current row, or without one the tree's current node.
    void slot_deleteVariable();
    void slot_updateElement();
    void slot_defaults();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Action { AddInterface, ChangeName, DeleteInterface, DeleteVariable, UpdateElement };

    void buildWidgets();
    QMenu* buildMenu(const char* name, void (OpcUaParWdgt::*deleteVariable)());
    QAction* action(QMenu* menu, Action which) const;
    void reload();
    // Shows the table of the tree's current item; without one, the root becomes current.
    void followTreeCurrent();
    void showTable(const QModelIndex& treeIndex);
    void showHint(const QString& text);
    void syncNodePanel();
    void commitNodePanel();
    void selectTableRow(int row);
    void deleteTreeVariable();
    void afterDeletion();
    void forwardTableDrop(const QMimeData* data, int row);
    void droppedInto(const QModelIndex& interfaceIndex, int row);
    void setNote(const QString& text);
    void openSourceTree();
    void treeMenuRequested(const QPoint& pos);
    void tableMenuRequested(const QPoint& pos);
    void sourceMenuRequested(const QPoint& pos);
    bool canDeleteTableRow() const;
    FolderDlg* newFolderDlg(const QString& title, const QString& name);

    QByteArray m_payload;
    QString m_projectPath;
    PrjSymbolOperator* m_symbols = nullptr;
    bool m_loaded = false;
    bool m_sourceBuilt = false;
    bool m_changed = false;
    bool m_treeBusy = false;    // the tree is taking rows away
    bool m_showPending = false; // the tree's current item moved meanwhile
    bool m_panelShowsRecord = false;

    OpcUaInterfaceTreeModel* m_tree = nullptr;
    OpcUaVariableTableModel* m_table = nullptr;
    OpcUaSourceModel* m_source = nullptr;
    QLabel* m_note = nullptr;
    QSplitter* m_vertical = nullptr;
    QTreeView* m_treeView = nullptr;
    QTableView* m_tableView = nullptr;
    QLineEdit* m_filter = nullptr;
    QTreeView* m_sourceView = nullptr;
    QStackedWidget* m_stack = nullptr;
    OpcUaNodePanel* m_panel = nullptr;
    QLabel* m_hint = nullptr;
    QMenu* m_treeMenu = nullptr;
    QMenu* m_tableMenu = nullptr;
    QMenu* m_sourceMenu = nullptr;
    QTimer* m_syncTimer = nullptr;
    QPersistentModelIndex m_panelIndex; // the tree node the panel shows
};
