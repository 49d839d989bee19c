#include "corvopropdlg.h"

#include "checkfailure.h"
#include "dialogpage.h"
#include "messages.h"
#include "pages/generalpage.h"
#include "pagetable.h"

#include "config/stationrules.h"
#include "model/cpuobjectfactory.h"
#include "model/debuglog.h"

#include <corekit/plcfacts.h>
#include <corekit/projectqueries.h>
#include <helpkit/helpsystem.h>

#include <QAbstractSpinBox>
#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

// The icons live in a static library; its resources need registering once.
static void initCorvoResources()
{
    Q_INIT_RESOURCE(corvo);
}

namespace {

const char kModule[] = ".\\corvopropdlg";

QString generalTopic()
{
    return helpKeyWord(QStringLiteral("CPU Properties General"), QString::fromUtf8("CPU属性常规"));
}

// "Communication Ports" → "communicationPorts": the object name of an item's tab widget.
QString itemObjectName(const char* treeText)
{
    const QStringList words = QString::fromLatin1(treeText).split(
        QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), Qt::SkipEmptyParts);
    QString name;
    for (const QString& word : words)
        name += name.isEmpty() ? word.toLower() : word.left(1).toUpper() + word.mid(1);
    return name;
}

// Tells the host window about a bus line; true when it took it. A host window whose
// addBusLine answers a bool refuses with false; one that answers nothing takes every
// notification that reaches it.
bool notifyBusLine(QObject* window, ApplyFollowUp::BusKind kind, bool enabled)
{
    if (!window)
        return false;
    const QMetaObject* meta = window->metaObject();
    const int index = meta->indexOfMethod("addBusLine(int,bool)");
    if (index >= 0 && meta->method(index).returnType() == QMetaType::Bool) {
        bool taken = false;
        return QMetaObject::invokeMethod(window, "addBusLine", Qt::DirectConnection,
                                         Q_RETURN_ARG(bool, taken), Q_ARG(int, int(kind)),
                                         Q_ARG(bool, enabled)) &&
               taken;
    }
    return QMetaObject::invokeMethod(window, "addBusLine", Qt::DirectConnection,
                                     Q_ARG(int, int(kind)), Q_ARG(bool, enabled));
}

} // namespace

Corvopropdlg::Corvopropdlg(CpuObject* object, const QString& projectPath, QWidget* parent,
                           bool readOnly)
    : QDialog(parent)
    , m_object(object)
    , m_pageLoadSource(object)
    , m_projectPath(projectPath)
    , m_parentWidget(parent)
    , m_readOnly(readOnly)
{
    initCorvoResources();
    m_inMapAtOpen = m_object->descriptor.inMap;
    m_outMapAtOpen = m_object->descriptor.outMap;
    m_heldLocalMemoryAtOpen = m_object->holdsLocalMemory;
    readContext();

    setWindowTitle(tr("Properties - %1").arg(m_object->descriptor.ObjName));
    setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint);
    resize(860, 540);
    setWindowIcon(QIcon(QStringLiteral(":/images/hwcnfg.png")));

    buildFrame();
    buildPages();
    loadPages();
    if (m_readOnly) {
        m_ok->setEnabled(false);
        m_defaultAll->setEnabled(false);
    }
}

Corvopropdlg::~Corvopropdlg() = default;

void Corvopropdlg::readContext()
{
    m_context.projectPath = m_projectPath;
    m_context.plcType = CpuModel::PlaceholderPlcType;
    m_context.plcVersion = CpuModel::PlaceholderPlcVersion;
    getPrjPlcTypeVersion(m_projectPath, m_context.plcType, m_context.plcVersion);
    m_object->opcUaSupported = getPlcSupportOpcUA(m_context.plcType, m_context.plcVersion);

    // The local I/O points as the host knows them now; the local I/O pages and the memory
    // handling of Defaults go by them. Cancel puts the old maps back.
    ModuleDescriptor& d = m_object->descriptor;
    CpuObjectFactory::readLocalPoints(d);

    m_context.descriptor = d;
    m_context.localInputPoints = d.inMap.points;
    m_context.localOutputPoints = d.outMap.points;
    m_context.opcUaSupported = m_object->opcUaSupported;
    m_context.projectSupportsQbus = getPrjSupportQBus(m_projectPath);
    m_context.projectSupportsEip = getPrjSupportEip(m_projectPath);
}

void Corvopropdlg::buildFrame()
{
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("pageTree"));
    m_tree->setFrameShape(QFrame::Box);
    m_tree->setLineWidth(2);
    m_tree->setHeaderHidden(true);
    m_tree->setExpandsOnDoubleClick(false);
    m_tree->setRootIsDecorated(false);
    m_tree->setIconSize(QSize(24, 24));
    m_root = new QTreeWidgetItem(m_tree, {tr("CPU")});
    m_root->setIcon(0, QIcon(QStringLiteral(":/images/folder.png")));
    m_root->setData(0, Qt::UserRole, -1);
    m_root->setExpanded(true);

    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("pageStack"));

    auto* note = new QLabel(
        tr("<font color=\"#0000FF\">Configuration must be downloaded before taking effect.</font>"),
        this);
    note->setTextFormat(Qt::RichText);
    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    m_defaultAll = new QPushButton(tr("Default All"), this);
    m_defaultAll->setObjectName(QStringLiteral("defaultAllButton"));
    auto* help = new QPushButton(tr("Help"), this);
    help->setObjectName(QStringLiteral("helpButton"));

    auto* top = new QHBoxLayout;
    top->addWidget(m_tree, 1);
    top->addWidget(m_stack, 3);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(note);
    bottom->addStretch();
    bottom->addWidget(m_ok);
    bottom->addWidget(cancel);
    bottom->addWidget(m_defaultAll);
    bottom->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);

    connect(m_ok, &QPushButton::clicked, this, &Corvopropdlg::slot_bttnOK);
    connect(cancel, &QPushButton::clicked, this, &Corvopropdlg::reject);
    connect(m_defaultAll, &QPushButton::clicked, this, &Corvopropdlg::slot_bttnDefaultAll);
    connect(help, &QPushButton::clicked, this, &Corvopropdlg::startHelpSystem);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &Corvopropdlg::raisePage);
    auto* helpAction = new QAction(QStringLiteral("help"), this);
    helpAction->setShortcut(QKeySequence(Qt::Key_F1));
    addAction(helpAction);
    connect(helpAction, &QAction::triggered, this, &Corvopropdlg::startHelpSystem);
}

QTreeWidgetItem* Corvopropdlg::addItem(const PageEntry& entry, QWidget* page)
{
    auto* item = new QTreeWidgetItem(m_root, {PageTable::treeText(entry, m_context)});
    item->setIcon(0, QIcon(QStringLiteral(":/images/itemconfig.png")));
    item->setData(0, Qt::UserRole, int(entry.id)); // the page number; the root carries -1
    item->setData(
        0, HelpTopicRole,
        helpKeyWord(QString::fromUtf8(entry.helpEnglish), QString::fromUtf8(entry.helpLocal)));
    m_itemPages.insert(item, page);
    m_items.insert(entry.id, item);
    m_stack->insertWidget(0, page); // every page goes in front; nothing uses stack indexes
    return item;
}

void Corvopropdlg::buildPages()
{
    // Items first, in table order; then every page into its item, so that a page may sit
    // in the tabs of an item that a later row of the table owns.
    QMap<PageId, QTabWidget*> tabs;
    QList<QPair<const PageEntry*, DialogPage*>> built;
    for (const PageEntry& entry : PageTable::pages()) {
        const PagePresence presence = entry.presence(m_context);
        if (presence == PagePresence::Absent)
            continue;
        DialogPage* page = entry.build(m_context, this);
        m_pages.append(page);
        built.append({&entry, page});
        connect(page, &DialogPage::defaultsRequested, this,
                [this](PageId id) { restorePageDefaults(int(id)); });
        connect(page, &DialogPage::pageEnabledRequested, this, &Corvopropdlg::setPageEnabled);
    }
    for (const auto& [entry, page] : qAsConst(built)) {
        if (entry->item != entry->id)
            continue;
        QWidget* itemPage = page;
        if (entry->tabTitle) {
            auto* tabWidget = new QTabWidget(this);
            tabWidget->setObjectName(itemObjectName(entry->treeText));
            tabs.insert(entry->id, tabWidget);
            itemPage = tabWidget;
        }
        QTreeWidgetItem* item = addItem(*entry, itemPage);
        if (entry->presence(m_context) == PagePresence::HiddenItem)
            item->setHidden(true);
    }
    for (const auto& [entry, page] : qAsConst(built)) {
        if (QTabWidget* tabWidget = tabs.value(entry->item))
            tabWidget->addTab(page, QCoreApplication::translate("Corvopropdlg", entry->tabTitle));
        m_noInputMethod += page->noInputMethodFields();
    }
    for (QWidget* field : qAsConst(m_noInputMethod))
        field->installEventFilter(this);
    m_tree->setCurrentItem(m_root);
    // Wide enough for the longest item; the pages take what is left.
    m_tree->resizeColumnToContents(0);
    m_tree->setMinimumWidth(m_tree->columnWidth(0) + 2 * m_tree->frameWidth() +
                            m_tree->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

DialogPage* Corvopropdlg::page(PageId id) const
{
    for (DialogPage* page : m_pages) {
        if (page->id() == id)
            return page;
    }
    return nullptr;
}

void Corvopropdlg::setPageEnabled(PageId id, bool enabled)
{
    const PageEntry* entry = PageTable::find(id);
    if (QTreeWidgetItem* item = entry ? m_items.value(entry->item) : nullptr) {
        if (QWidget* itemPage = m_itemPages.value(item))
            itemPage->setEnabled(enabled);
    }
}

void Corvopropdlg::loadPages()
{
    for (DialogPage* page : qAsConst(m_pages)) {
        if (page->id() == PageId::TcpIp)
            debugLine(kModule, 2586);
        page->loadAtOpen(*m_object);
    }
}

void Corvopropdlg::languageChange() {}

void Corvopropdlg::startHelpSystem()
{
    QString topic = generalTopic();
    QWidget* current = m_stack->currentWidget();
    for (auto it = m_itemPages.cbegin(); it != m_itemPages.cend(); ++it) {
        if (it.value() == current && current) {
            topic = it.key()->data(0, HelpTopicRole).toString();
            break;
        }
    }
    startHelpSys(topic);
}

void Corvopropdlg::raisePage(QTreeWidgetItem* current, QTreeWidgetItem*)
{
    if (QWidget* page = m_itemPages.value(current))
        m_stack->setCurrentWidget(page);
}

void Corvopropdlg::updatePage(int number)
{
    const auto id = PageId(number);
    if (id == PageId::TcpIp)
        debugLine(kModule, 2586);
    DialogPage* target = page(id);
    if (!target)
        return;
    if (m_pageLoadSource == m_object)
        target->load(*m_object);
    else
        target->loadDefaults(*m_pageLoadSource);
}

std::unique_ptr<CpuObject> Corvopropdlg::createDefaultObject()
{
    // The default object claims the module's local I/O bytes as a new module would; ours
    // step aside meanwhile.
    if (m_object->holdsLocalMemory)
        CpuObjectFactory::releaseLocalIo(*m_object);
    auto defaults = CpuObjectFactory::create(m_object->descriptor.ObjID, m_projectPath);
    if (!defaults)
        CpuObjectFactory::claimLocalIo(*m_object);
    else
        m_pageLoadSource = defaults.get();
    return defaults;
}

void Corvopropdlg::releaseDefaultObject(std::unique_ptr<CpuObject> object)
{
    CpuObjectFactory::releaseMemory(*object);
    object.reset();
    m_pageLoadSource = m_object;
    // What is claimed here is the object's from now on; the memory snapshot of the dialog
    // decides whether it stays.
    CpuObjectFactory::claimLocalIo(*m_object);
}

void Corvopropdlg::restorePageDefaults(int number)
{
    auto defaults = createDefaultObject();
    if (!defaults)
        return; // the catalog no longer describes the module: nothing to load from
    updatePage(number);
    releaseDefaultObject(std::move(defaults));
}

void Corvopropdlg::slot_bttnDefaultAll()
{
    // Name and comment come from the catalog entry, without a default object.
    if (auto* general = qobject_cast<GeneralPage*>(page(PageId::General)))
        general->slot_bttnDefaultGengral();
    auto defaults = createDefaultObject();
    if (!defaults)
        return;
    for (PageId id : PageTable::defaultAllOrder(m_context))
        updatePage(int(id));
    releaseDefaultObject(std::move(defaults));
}

bool Corvopropdlg::report(const CheckFailure& failure)
{
    Messages::show(this,
                   failure.kind == CheckFailure::Kind::Warning ? QMessageBox::Warning
                                                               : QMessageBox::Information,
                   windowTitle(), failure.text);
    if (QWidget* field = failure.focus) {
        reveal(field);
        field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->selectAll();
        else if (auto* spin = qobject_cast<QAbstractSpinBox*>(field))
            spin->selectAll();
    }
    return false;
}

void Corvopropdlg::reveal(QWidget* field)
{
    // The page, tab and stacked page that hold the field come to the front.
    for (QWidget* w = field; w && w != this; w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        if (!stack)
            continue;
        if (stack == m_stack) {
            for (auto it = m_itemPages.cbegin(); it != m_itemPages.cend(); ++it) {
                if (it.value() == w)
                    m_tree->setCurrentItem(it.key());
            }
        } else if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
                   tabs && tabs->indexOf(w) >= 0) {
            tabs->setCurrentWidget(w);
        } else {
            stack->setCurrentWidget(w);
        }
    }
}

bool Corvopropdlg::runChecks()
{
    QList<PageCheck> checks;
    for (const DialogPage* page : qAsConst(m_pages))
        checks += page->checks();
    if (m_context.isCompact()) {
        // The station addresses the compact CPU answers to, over every page's serial ports.
        checks.append({OkStep::StationAddresses, [this]() -> CheckResult {
                           QList<StationAddress> addresses;
                           QList<StationValue> values;
                           for (const DialogPage* page : qAsConst(m_pages))
                               addresses += page->stationAddresses();
                           for (const StationAddress& a : qAsConst(addresses))
                               values.append({a.address, QString()});
                           const RuleResult failure = StationRules::repeated(values);
                           if (!failure)
                               return std::nullopt;
                           return failureAt(*failure,
                                            addresses.at(firstRepeatedAddress(addresses)).field);
                       }});
    }
    std::stable_sort(checks.begin(), checks.end(),
                     [](const PageCheck& a, const PageCheck& b) { return a.step < b.step; });
    for (const PageCheck& check : qAsConst(checks)) {
        if (const CheckResult result = check.run())
            return report(*result);
    }
    return true;
}

void Corvopropdlg::applyPages()
{
    for (DialogPage* page : qAsConst(m_pages))
        page->apply(*m_object);

    ApplyFollowUp followUp;
    for (DialogPage* page : qAsConst(m_pages))
        page->followUp(*m_object, followUp);
    for (const QString& warning : qAsConst(followUp.warnings))
        Messages::show(this, QMessageBox::Warning, windowTitle(), warning);
    for (const ApplyFollowUp::BusLine& line : qAsConst(followUp.busLines)) {
        // The host window decides; only a notification it took changes the stored flag.
        if (notifyBusLine(m_parentWidget, line.kind, line.enabled))
            line.store(*m_object);
    }
}

void Corvopropdlg::slot_bttnOK()
{
    if (!runChecks())
        return;
    applyPages();
    accept();
}

void Corvopropdlg::reject()
{
    m_object->descriptor.inMap = m_inMapAtOpen;
    m_object->descriptor.outMap = m_outMapAtOpen;
    m_object->holdsLocalMemory = m_heldLocalMemoryAtOpen;
    QDialog::reject();
}

bool Corvopropdlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::InputMethod &&
        m_noInputMethod.contains(qobject_cast<QWidget*>(watched)))
        return true; // no input method composes text in password fields
    return QDialog::eventFilter(watched, event);
}
