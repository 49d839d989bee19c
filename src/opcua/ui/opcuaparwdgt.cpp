#include "opcuaparwdgt.h"

#include "folderdlg.h"
#include "opcuainterfacetreemodel.h"
#include "opcuanodepanel.h"
#include "opcuasourcemodel.h"
#include "opcuavariabletablemodel.h"

#include "dialog/messages.h"

#include "model/debuglog.h"
#include "opcua/opcuainterfacecodec.h"

#include <symbolkit/prjsymboloperator.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const char kModule[] = "OpcUaParWdgt";
const QString kSymbolOwner = QStringLiteral("opcuaConfig");

enum Page { PanelPage, HintPage };

// Interfaces open at load while the whole tree is this small.
constexpr int kOpenAllUpTo = 200;
// Data blocks open under a filter while this few show.
constexpr int kOpenBlocksUpTo = 20;

// Long texts scroll sideways rather than being cut. The header measures only the rows near
// those on screen (its precision), whatever the number of rows.
void widenToContents(QTreeView* view)
{
    view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->header()->setStretchLastSection(false);
}

// Shows a wait cursor for as long as it lives.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

OpcUaParWdgt::OpcUaParWdgt(const QByteArray& payload, const QString& projectPath, QWidget* parent)
    : OpcUaInterfaceTab(parent)
    , m_payload(payload)
    , m_projectPath(projectPath)
{
    setObjectName(QStringLiteral("opcUaParWdgt"));
    m_symbols = PrjSymbolOperator::getInstance(kSymbolOwner, projectPath);
    m_tree = new OpcUaInterfaceTreeModel(this);
    m_table = new OpcUaVariableTableModel(m_tree, this);
    m_source = new OpcUaSourceModel(this);

    // Before any view: while the tree takes rows away, the views' current items move and
    // the table follows only once the rows are gone.
    connect(m_tree, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { m_treeBusy = true; });
    connect(m_tree, &QAbstractItemModel::rowsRemoved, this, [this] {
        m_treeBusy = false;
        if (m_showPending) {
            m_showPending = false;
            followTreeCurrent();
        }
    });
    connect(m_tree, &OpcUaInterfaceTreeModel::edited, this, [this] { m_changed = true; });
    connect(m_tree, &OpcUaInterfaceTreeModel::varCntTooLarge, this, [this] {
        Messages::show(this, QMessageBox::Information, tr("Warning"),
                       tr("The number of elements added cannot exceed 50000."));
    });
    connect(m_tree, &OpcUaInterfaceTreeModel::insertVarToTbl, this, &OpcUaParWdgt::droppedInto);
    connect(
        m_table, &OpcUaVariableTableModel::tblAddVar, this,
        [this](const QMimeData* data, Qt::DropAction, int row) { forwardTableDrop(data, row); });

    buildWidgets();

    m_syncTimer = new QTimer(this);
    m_syncTimer->setInterval(SyncIntervalMs);
    connect(m_syncTimer, &QTimer::timeout, this, &OpcUaParWdgt::syncNodePanel);

    m_treeView->setCurrentIndex(m_tree->rootIndex());
    showTable(m_tree->rootIndex());
}

OpcUaParWdgt::~OpcUaParWdgt()
{
    PrjSymbolOperator::releaseInstance(m_symbols);
}

void OpcUaParWdgt::buildWidgets()
{
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("interfaceNote"));
    m_note->setWordWrap(true);
    m_note->hide();

    m_treeView = new QTreeView(this);
    m_treeView->setObjectName(QStringLiteral("interfaceTree"));
    m_treeView->setModel(m_tree);
    m_treeView->setHeaderHidden(true);
    m_treeView->setUniformRowHeights(true);
    m_treeView->setMinimumWidth(150);
    widenToContents(m_treeView);
    m_tableView = new QTableView(this);
    m_tableView->setObjectName(QStringLiteral("variableTable"));
    m_tableView->setModel(m_table);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tableView->setWordWrap(false);
    m_tableView->verticalHeader()->hide();
    m_tableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Fixed widths: measuring the cells would read every row.
    QHeaderView* columns = m_tableView->horizontalHeader();
    columns->setSectionResizeMode(OpcUaVariableTableModel::Address, QHeaderView::Stretch);
    const int wide = fontMetrics().horizontalAdvance(QStringLiteral("BYTE/CHAR__"));
    columns->resizeSection(OpcUaVariableTableModel::DataType, wide);
    columns->resizeSection(OpcUaVariableTableModel::BrowseName, wide * 3 / 2);
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(m_treeView),
                                    static_cast<QAbstractItemView*>(m_tableView)}) {
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setDragDropMode(QAbstractItemView::DropOnly);
        view->setAcceptDrops(true);
        view->setDropIndicatorShown(true);
        view->setDragDropOverwriteMode(true); // over an item means onto it
        view->setDefaultDropAction(Qt::CopyAction);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        view->installEventFilter(this);
    }

    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("sourceFilter"));
    m_filter->setPlaceholderText(tr("Filter"));
    m_filter->setClearButtonEnabled(true);
    m_sourceView = new QTreeView(this);
    m_sourceView->setObjectName(QStringLiteral("sourceTree"));
    m_sourceView->setModel(m_source);
    m_sourceView->setUniformRowHeights(true);
    widenToContents(m_sourceView);
    m_sourceView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_sourceView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_sourceView->setDragDropMode(QAbstractItemView::DragOnly);
    m_sourceView->setDragEnabled(true);
    m_sourceView->setDefaultDropAction(Qt::CopyAction);
    m_sourceView->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* sourceBox = new QWidget(this);
    auto* sourceLayout = new QVBoxLayout(sourceBox);
    sourceLayout->setContentsMargins(0, 0, 0, 0);
    sourceLayout->addWidget(m_filter);
    sourceLayout->addWidget(m_sourceView, 1);

    m_panel = new OpcUaNodePanel(this);
    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("interfaceHint"));
    m_hint->setWordWrap(true);
    m_hint->setAlignment(Qt::AlignCenter);
    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("infoStack"));
    for (int page : {PanelPage, HintPage}) {
        auto* widget = new QWidget(m_stack);
        auto* layout = new QVBoxLayout(widget);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(page == PanelPage ? static_cast<QWidget*>(m_panel) : m_hint,
                          page == PanelPage ? 0 : 1);
        if (page == PanelPage)
            layout->addStretch(1);
        auto* defaults = new QPushButton(tr("Defaults"), widget);
        defaults->setObjectName(page == PanelPage ? QStringLiteral("panelDefaults")
                                                  : QStringLiteral("hintDefaults"));
        connect(defaults, &QPushButton::clicked, this, &OpcUaParWdgt::slot_defaults);
        auto* row = new QHBoxLayout;
        row->addStretch(1);
        row->addWidget(defaults);
        layout->addLayout(row);
        m_stack->addWidget(widget);
    }

    auto* top = new QSplitter(Qt::Horizontal, this);
    top->setObjectName(QStringLiteral("interfaceSplitter"));
    top->addWidget(m_treeView);
    top->addWidget(m_tableView);
    top->setStretchFactor(0, 1);
    top->setStretchFactor(1, 3);
    top->setSizes({1000, 3000}); // the same shares from the start
    auto* bottom = new QSplitter(Qt::Horizontal, this);
    bottom->setObjectName(QStringLiteral("sourceSplitter"));
    bottom->addWidget(sourceBox);
    bottom->addWidget(m_stack);
    bottom->setStretchFactor(0, 24);
    bottom->setStretchFactor(1, 76);
    bottom->setSizes({2400, 7600});
    m_vertical = new QSplitter(Qt::Vertical, this);
    m_vertical->setObjectName(QStringLiteral("editorSplitter"));
    m_vertical->addWidget(top);
    m_vertical->addWidget(bottom);
    m_vertical->setStretchFactor(0, 1);
    m_vertical->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_note);
    layout->addWidget(m_vertical, 1);

    m_treeMenu = buildMenu("interfaceMenu", &OpcUaParWdgt::deleteTreeVariable);
    m_tableMenu = buildMenu("tableMenu", &OpcUaParWdgt::slot_deleteVariable);
    m_sourceMenu = buildMenu("sourceMenu", &OpcUaParWdgt::slot_deleteVariable);

    connect(m_treeView->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (m_treeBusy)
            m_showPending = true;
        else
            followTreeCurrent();
    });
    connect(m_tableView->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!m_treeBusy)
            syncNodePanel();
    });
    connect(m_tableView, &QAbstractItemView::pressed, this, [this] {
        if (m_panelShowsRecord)
            m_stack->setCurrentIndex(PanelPage);
    });
    connect(m_sourceView, &QAbstractItemView::clicked, this, [this] {
        commitNodePanel();
        showHint(tr("Please drag variables,program blocks or variables\nof program blocks into "
                    "the interface or the table\nshown in the interface on the right."));
    });
    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_source->setFilterText(text);
        openSourceTree();
    });
    connect(m_panel, &OpcUaNodePanel::edited, this, &OpcUaParWdgt::commitNodePanel);
    connect(m_treeView, &QWidget::customContextMenuRequested, this,
            &OpcUaParWdgt::treeMenuRequested);
    connect(m_tableView, &QWidget::customContextMenuRequested, this,
            &OpcUaParWdgt::tableMenuRequested);
    connect(m_sourceView, &QWidget::customContextMenuRequested, this,
            &OpcUaParWdgt::sourceMenuRequested);
}

QMenu* OpcUaParWdgt::buildMenu(const char* name, void (OpcUaParWdgt::*deleteVariable)())
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QLatin1String(name));
    const auto add = [&](const QString& text, const char* actionName, auto slot) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(actionName));
        connect(a, &QAction::triggered, this, slot);
    };
    add(tr("Add Interface"), "addInterface", &OpcUaParWdgt::slot_addInterface);
    add(tr("Change Interface Name"), "changeInterfaceName",
        &OpcUaParWdgt::slot_changeInterfaceName);
    add(tr("Delete Interface"), "deleteInterface", &OpcUaParWdgt::slot_deleteInterface);
    add(tr("Delete Variable"), "deleteVariable", deleteVariable);
    add(tr("Update Element"), "updateElement", &OpcUaParWdgt::slot_updateElement);
    return menu;
}

QAction* OpcUaParWdgt::action(QMenu* menu, Action which) const
{
    return menu->actions().at(int(which));
}

void OpcUaParWdgt::setInterfaceData(const QByteArray& payload)
{
    m_payload = payload;
    m_changed = false;
    if (m_loaded)
        reload();
}

void OpcUaParWdgt::importInterfaces(const QByteArray& payload)
{
    if (payload.isEmpty())
        return;
    setInterfaceData(payload);
}

QByteArray OpcUaParWdgt::interfaceData()
{
    if (!m_loaded)
        return m_payload;
    commitNodePanel();
    if (!m_changed)
        return m_payload;
    m_tree->numberRecords();
    return OpcUaInterfaceCodec::encode(m_tree->interfaces());
}

void OpcUaParWdgt::ensureLoaded()
{
    if (m_loaded)
        return;
    m_loaded = true;
    reload();
}

void OpcUaParWdgt::ensureSourceBuilt()
{
    if (m_sourceBuilt)
        return;
    m_sourceBuilt = true;
    slot_updateElement();
}

void OpcUaParWdgt::reload()
{
    m_panelIndex = QPersistentModelIndex();
    m_panel->clearRecord();
    m_panelShowsRecord = false;
    setNote(QString());
    m_tree->clear();
    loadInterfaces(m_payload);
    m_treeView->setCurrentIndex(m_tree->rootIndex());
    showTable(m_tree->rootIndex());
}

void OpcUaParWdgt::loadInterfaces(const QByteArray& payload)
{
    ensureLoaded();
    if (payload.isEmpty())
        return;
    WaitCursor wait;
    OpcUaInterfaceDecode read =
        OpcUaInterfaceCodec::decode(payload, OpcUaInterfaceCodec::MaxVariables);
    if (read.overLimit) {
        m_tree->clear();
        debugLine(kModule, __LINE__,
                  QStringLiteral("%1 variables stored, more than %2: not loaded")
                      .arg(read.declaredVariables)
                      .arg(OpcUaInterfaceCodec::MaxVariables));
        setNote(tr("The stored server interface publishes %1 variables, more than %2, and is "
                   "not shown. OK keeps it as it is unless you change the interfaces.")
                    .arg(read.declaredVariables)
                    .arg(OpcUaInterfaceCodec::MaxVariables));
        return;
    }
    const bool fresh = m_tree->interfaceCount() == 0;
    const OpcUaTreeLoad load = fresh ? m_tree->setInterfaces(std::move(read.interfaces))
                                     : m_tree->appendInterfaces(std::move(read.interfaces));
    const int leftOut = read.dropped() + load.droppedElements + load.droppedTooDeep;
    if (read.droppedNoInterface > 0 || read.droppedNoParent > 0)
        debugLine(kModule, __LINE__,
                  QStringLiteral("left out: %1 variables name no interface, %2 no data-block "
                                 "object")
                      .arg(read.droppedNoInterface)
                      .arg(read.droppedNoParent));
    if (!read.complete() || leftOut > 0) {
        const QString reason = read.complete()
                                   ? QStringLiteral("%1 records have no place").arg(leftOut)
                                   : read.reason();
        debugLine(kModule, __LINE__, QStringLiteral("payload not complete: %1").arg(reason));
        setNote(tr("Not everything stored can be shown (%1). OK keeps the stored interfaces "
                   "as they are unless you change them.")
                    .arg(reason));
    }
    m_treeView->expand(m_tree->rootIndex());
    if (m_tree->elementCount() <= kOpenAllUpTo) {
        for (int i = 0; i < m_tree->interfaceCount(); ++i)
            m_treeView->expand(m_tree->interfaceIndex(i));
    }
}

int OpcUaParWdgt::elementCount() const
{
    return m_tree->elementCount();
}

QString OpcUaParWdgt::note() const
{
    return m_note->text();
}

void OpcUaParWdgt::setNote(const QString& text)
{
    m_note->setText(text);
    m_note->setVisible(!text.isEmpty());
}

void OpcUaParWdgt::showEvent(QShowEvent* event)
{
    ensureLoaded();
    ensureSourceBuilt();
    m_syncTimer->start();
    OpcUaInterfaceTab::showEvent(event);
}

void OpcUaParWdgt::hideEvent(QHideEvent* event)
{
    m_syncTimer->stop();
    OpcUaInterfaceTab::hideEvent(event);
}

bool OpcUaParWdgt::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        if (watched == m_treeView) {
            deleteTreeVariable();
            return true;
        }
        if (watched == m_tableView) {
            if (canDeleteTableRow())
                slot_deleteVariable();
            return true;
        }
    }
    return OpcUaInterfaceTab::eventFilter(watched, event);
}

void OpcUaParWdgt::followTreeCurrent()
{
    const QModelIndex current = m_treeView->currentIndex();
    if (current.isValid())
        showTable(current);
    else
        m_treeView->setCurrentIndex(m_tree->rootIndex()); // comes back here
}

void OpcUaParWdgt::showTable(const QModelIndex& treeIndex)
{
    commitNodePanel();
    m_table->showItem(treeIndex);
    const auto kind = m_tree->kind(treeIndex);
    m_table->setAcceptsDrops(kind == OpcUaInterfaceTreeModel::NodeKind::Interface);
    if (kind != OpcUaInterfaceTreeModel::NodeKind::Interface &&
        kind != OpcUaInterfaceTreeModel::NodeKind::Variable) {
        showHint(tr("Please right-click the Server Interface to\nadd an interface."));
        syncNodePanel();
        return;
    }
    if (m_table->rowCount() == 0) {
        showHint(tr("Please drag elements into the interface."));
        syncNodePanel();
        return;
    }
    m_stack->setCurrentIndex(PanelPage);
    selectTableRow(0);
    syncNodePanel();
}

void OpcUaParWdgt::showHint(const QString& text)
{
    m_hint->setText(text);
    m_stack->setCurrentIndex(HintPage);
}

void OpcUaParWdgt::selectTableRow(int row)
{
    const QModelIndex index = m_table->index(row, 0);
    if (!index.isValid())
        return;
    m_tableView->setCurrentIndex(index);
    m_tableView->scrollTo(index);
}

void OpcUaParWdgt::syncNodePanel()
{
    const QModelIndex current = m_tableView->currentIndex();
    const QModelIndex node = current.isValid() ? m_table->treeIndex(current.row()) : QModelIndex();
    if (node == m_panelIndex && node.isValid() == m_panelShowsRecord)
        return;
    commitNodePanel();
    m_panelIndex = node;
    const OpcUaVarRecord* r = m_tree->record(node);
    m_panelShowsRecord = r != nullptr;
    if (r)
        m_panel->showRecord(*r);
    else
        m_panel->clearRecord();
}

void OpcUaParWdgt::commitNodePanel()
{
    if (!m_panelShowsRecord || !m_panel->hasChanges())
        return;
    const OpcUaVarRecord* r = m_tree->record(m_panelIndex);
    if (!r)
        return;
    const OpcUaNodeValues v = m_panel->values(*r);
    m_tree->updateRecord(m_panelIndex, v.accessLevel, v.dataType, v.browseName, v.displayName,
                         v.description);
}

void OpcUaParWdgt::treeMenuRequested(const QPoint& pos)
{
    const QModelIndex current = m_treeView->currentIndex();
    if (!current.isValid())
        return;
    for (QAction* a : m_treeMenu->actions())
        a->setEnabled(false);
    switch (m_tree->kind(current)) {
    case OpcUaInterfaceTreeModel::NodeKind::Root:
        action(m_treeMenu, Action::AddInterface)
            ->setEnabled(m_tree->interfaceCount() < OpcUaInterfaceTreeModel::MaxInterfaces);
        break;
    case OpcUaInterfaceTreeModel::NodeKind::Interface:
        action(m_treeMenu, Action::ChangeName)->setEnabled(true);
        action(m_treeMenu, Action::DeleteInterface)->setEnabled(true);
        break;
    case OpcUaInterfaceTreeModel::NodeKind::Variable:
        action(m_treeMenu, Action::DeleteVariable)->setEnabled(true);
        break;
    case OpcUaInterfaceTreeModel::NodeKind::None:
        break;
    }
    m_treeMenu->popup(m_treeView->viewport()->mapToGlobal(pos));
}

bool OpcUaParWdgt::canDeleteTableRow() const
{
    return m_tree->kind(m_treeView->currentIndex()) != OpcUaInterfaceTreeModel::NodeKind::Root &&
           m_table->treeIndex(m_tableView->currentIndex().row()).isValid();
}

void OpcUaParWdgt::tableMenuRequested(const QPoint& pos)
{
    for (QAction* a : m_tableMenu->actions())
        a->setEnabled(false);
    if (canDeleteTableRow()) {
        action(m_tableMenu, Action::DeleteVariable)->setEnabled(true);
        syncNodePanel();
    }
    m_tableMenu->popup(m_tableView->viewport()->mapToGlobal(pos));
}

void OpcUaParWdgt::sourceMenuRequested(const QPoint& pos)
{
    for (QAction* a : m_sourceMenu->actions())
        a->setEnabled(a == action(m_sourceMenu, Action::UpdateElement));
    m_sourceMenu->popup(m_sourceView->viewport()->mapToGlobal(pos));
}

FolderDlg* OpcUaParWdgt::newFolderDlg(const QString& title, const QString& name)
{
    auto* dialog = new FolderDlg(title, name, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    return dialog;
}

void OpcUaParWdgt::slot_addInterface()
{
    ensureLoaded();
    if (m_tree->interfaceCount() >= OpcUaInterfaceTreeModel::MaxInterfaces)
        return;
    FolderDlg* dialog = newFolderDlg(tr("Server Interface"), QString());
    connect(dialog, &FolderDlg::sendFolderDisplayName, this, [this](const QString& name) {
        m_treeView->setCurrentIndex(m_tree->addInterface(name));
    });
    dialog->exec();
}

void OpcUaParWdgt::slot_changeInterfaceName()
{
    ensureLoaded();
    const QModelIndex current = m_treeView->currentIndex();
    if (m_tree->kind(current) != OpcUaInterfaceTreeModel::NodeKind::Interface)
        return;
    FolderDlg* dialog = newFolderDlg(tr("Change Name"), current.data().toString());
    const QPersistentModelIndex target(current);
    connect(dialog, &FolderDlg::sendFolderDisplayName, this,
            [this, target](const QString& name) { m_tree->renameInterface(target, name); });
    dialog->exec();
}

void OpcUaParWdgt::slot_deleteInterface()
{
    ensureLoaded();
    const QModelIndex current = m_treeView->currentIndex();
    if (m_tree->kind(current) == OpcUaInterfaceTreeModel::NodeKind::Interface)
        m_tree->removeNode(current);
}

void OpcUaParWdgt::deleteTreeVariable()
{
    const QModelIndex current = m_treeView->currentIndex();
    if (m_tree->kind(current) != OpcUaInterfaceTreeModel::NodeKind::Variable)
        return;
    m_tree->removeNode(current);
    afterDeletion();
}

void OpcUaParWdgt::slot_deleteVariable()
{
    ensureLoaded();
    const QModelIndex row = m_table->treeIndex(m_tableView->currentIndex().row());
    const QModelIndex node = row.isValid() ? row : QModelIndex(m_treeView->currentIndex());
    if (m_tree->kind(node) != OpcUaInterfaceTreeModel::NodeKind::Variable)
        return;
    m_tree->removeNode(node);
    afterDeletion();
}

void OpcUaParWdgt::afterDeletion()
{
    if (m_table->rowCount() < 2)
        showTable(m_treeView->currentIndex());
    else
        syncNodePanel();
}

void OpcUaParWdgt::slot_updateElement()
{
    WaitCursor wait;
    m_sourceBuilt = true;
    m_source->rebuild(m_projectPath, m_symbols);
    openSourceTree();
}

void OpcUaParWdgt::openSourceTree()
{
    const QModelIndex blocks = m_source->index(OpcUaSourceModel::ProgramBlockRow, 0);
    m_sourceView->expand(m_source->index(OpcUaSourceModel::VariableRow, 0));
    m_sourceView->expand(blocks);
    const int shown = m_source->rowCount(blocks);
    if (!m_source->filterText().isEmpty() && shown <= kOpenBlocksUpTo) {
        for (int b = 0; b < shown; ++b)
            m_sourceView->expand(m_source->index(b, 0, blocks));
    }
}

void OpcUaParWdgt::slot_defaults()
{
    m_loaded = true;
    m_panelIndex = QPersistentModelIndex();
    m_panel->clearRecord();
    m_panelShowsRecord = false;
    setNote(QString());
    m_tree->clear();
    m_changed = true;
    m_treeView->setCurrentIndex(m_tree->rootIndex());
    showTable(m_tree->rootIndex());
}

void OpcUaParWdgt::forwardTableDrop(const QMimeData* data, int row)
{
    m_tree->dropVariables(data, m_treeView->currentIndex(), row);
}

void OpcUaParWdgt::droppedInto(const QModelIndex& interfaceIndex, int row)
{
    if (m_treeView->currentIndex() != interfaceIndex)
        m_treeView->setCurrentIndex(interfaceIndex); // shows its table
    m_stack->setCurrentIndex(PanelPage);
    selectTableRow(row);
    syncNodePanel();
}
