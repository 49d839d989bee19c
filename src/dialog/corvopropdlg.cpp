#include "corvopropdlg.h"

#include "checkfailure.h"
#include "messages.h"
#include "pages/backgroundpage.h"
#include "pages/generalpage.h"
#include "pages/localportpage.h"
#include "pages/passwordpage.h"
#include "pages/ppiportspage.h"
#include "pages/retentivepage.h"
#include "pages/tcpippage.h"

#include "model/cpuobjectfactory.h"
#include "model/debuglog.h"

#include <corekit/memory.h>
#include <corekit/plcfacts.h>
#include <corekit/projectqueries.h>
#include <helpkit/helpsystem.h>

#include <QAbstractSpinBox>
#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

// The icons live in a static library; its resources need registering once.
static void initCorvoResources()
{
    Q_INIT_RESOURCE(corvo);
}

namespace {

const char kModule[] = ".\\corvopropdlg";

// Page numbers of the pages that load from an object.
enum Page {
    PagePpiPorts = 1,
    PageTcpIp = 2,
    PageRetentive = 3,
    PagePassword = 4,
    PageBackground = 5,
    PageSoe = 6,
    PageExtBusClock = 7,
    PageEtherCat = 8,
    PageCanMaster = 9,
    PageAddress = 10,
    PageInputFilter = 11,
    PageHsc = 12,
    PageOpcUa = 13,
    PageProfinet = 14,
    PageQbus = 15,
    PageExtCard = 16,
    PageLocalPort = 17,
    PageEip = 18,
};

QString generalTopic()
{
    return helpKeyWord(QStringLiteral("CPU Properties General"), QString::fromUtf8("CPU属性常规"));
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
    m_context.projectPath = projectPath;
    m_context.plcType = CpuModel::PlaceholderPlcType;
    m_context.plcVersion = CpuModel::PlaceholderPlcVersion;
    getPrjPlcTypeVersion(projectPath, m_context.plcType, m_context.plcVersion);
    m_object->opcUaSupported = getPlcSupportOpcUA(m_context.plcType, m_context.plcVersion);
    m_context.descriptor = m_object->descriptor;
    m_inMapAtOpen = m_object->descriptor.inMap;
    m_outMapAtOpen = m_object->descriptor.outMap;
    m_heldLocalMemoryAtOpen = m_object->holdsLocalMemory;

    setWindowTitle(tr("Properties - %1").arg(m_object->descriptor.ObjName));
    setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint);
    resize(860, 540);
    setWindowIcon(QIcon(QStringLiteral(":/images/hwcnfg.png")));

    buildFrame();
    buildPageTree();
    loadPages();
    if (m_readOnly) {
        m_ok->setEnabled(false);
        m_defaultAll->setEnabled(false);
    }
}

Corvopropdlg::~Corvopropdlg() = default;

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
    m_tree->setMinimumWidth(190); // page names stay readable next to wide pages
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

QTreeWidgetItem* Corvopropdlg::addPage(QWidget* page, const QString& text, const QString& english,
                                       const QString& local)
{
    auto* item = new QTreeWidgetItem(m_root, {text});
    item->setIcon(0, QIcon(QStringLiteral(":/images/itemconfig.png")));
    item->setData(0, HelpTopicRole, helpKeyWord(english, local));
    m_pages.insert(item, page);
    m_stack->insertWidget(0, page); // every page goes in front; nothing uses stack indexes
    return item;
}

QWidget* Corvopropdlg::inTab(QWidget* page, const QString& title)
{
    auto* tabs = new QTabWidget(this);
    tabs->addTab(page, title);
    return tabs;
}

void Corvopropdlg::registerPage(DialogPage* page)
{
    m_loadable.append(page);
    connect(page, &DialogPage::defaultsRequested, this, &Corvopropdlg::restorePageDefaults);
}

void Corvopropdlg::buildPageTree()
{
    const ModuleDescriptor& d = m_object->descriptor;
    const bool compact = m_context.isCompact();

    m_general = new GeneralPage(m_context, this);
    addPage(m_general, tr("General"), QStringLiteral("CPU Properties General"),
            QString::fromUtf8("CPU属性常规"));

    auto* ports = new QTabWidget(this);
    ports->setObjectName(QStringLiteral("communicationPorts"));
    if (!compact) {
        m_ppiPorts = new PpiPortsPage(m_context, this);
        registerPage(m_ppiPorts);
        ports->addTab(m_ppiPorts, tr("PPI Ports"));
    }
    m_tcpIp = new TcpIpPage(m_context, this);
    registerPage(m_tcpIp);
    ports->addTab(m_tcpIp, tr("TCP/IP Port"));
    addPage(ports, compact ? tr("TCP/IP Ports") : tr("Communication Ports"),
            QStringLiteral("CPU Properties Commport"), QString::fromUtf8("CPU属性通信端口"));

    m_retentive = new RetentivePage(m_context, this);
    registerPage(m_retentive);
    addPage(inTab(m_retentive, tr("Retentive Ranges")), tr("Retentive Ranges"),
            QStringLiteral("CPU Properties Retentive"), QString::fromUtf8("CPU属性断电数据保持"));

    m_password = new PasswordPage(m_context, this);
    registerPage(m_password);
    addPage(inTab(m_password, tr("Password")), tr("Password"),
            QStringLiteral("CPU Properties Password"), QString::fromUtf8("CPU属性密码"));

    m_background = new BackgroundPage(m_context, this);
    registerPage(m_background);
    addPage(inTab(m_background, tr("Background Time")), tr("Background Time"),
            QStringLiteral("CPU Properties Backtime"), QString::fromUtf8("CPU属性背景时间"));

    // The local I/O points as the host knows them now; the Address and Input Filter pages
    // and the memory handling of Defaults go by them. Cancel puts the old maps back.
    LocalIoMap& in = m_object->descriptor.inMap;
    LocalIoMap& out = m_object->descriptor.outMap;
    in.points =
        quint8(qBound(0, getPlcAddrRange(d.ObjName, d.MLFB, QStringLiteral("LocalI")), 255));
    in.area = VarAreaLocalInput;
    out.points =
        quint8(qBound(0, getPlcAddrRange(d.ObjName, d.MLFB, QStringLiteral("LocalQ")), 255));
    out.area = VarAreaLocalOutput;

    if (compact) {
        m_localPort = new LocalPortPage(m_context, this);
        registerPage(m_localPort);
        addPage(m_localPort, tr("PPI Ports"), QStringLiteral("Local Port"),
                QString::fromUtf8("本机端口配置"));
    }

    for (const auto& pair : m_tcpIp->titleRadioButtons()) {
        m_titleRadios.append(pair);
        pair.first->installEventFilter(this);
    }
    m_noInputMethod = m_tcpIp->noInputMethodFields() + m_password->noInputMethodFields();
    for (QWidget* field : qAsConst(m_noInputMethod))
        field->installEventFilter(this);
    m_tree->setCurrentItem(m_root);
}

void Corvopropdlg::loadPages()
{
    m_general->load(0, *m_object);
    for (int number : {PagePpiPorts, PageTcpIp, PageRetentive})
        updatePage(number);
    m_password->setWorking(m_object->params.password.level,
                           PasswordPage::workingPasswordOf(m_object->params.password));
    for (int number = PagePassword; number <= PageHsc; ++number)
        updatePage(number);
    updatePage(PageProfinet);
    updatePage(PageQbus);
    if (getPrjSupportEip(m_projectPath))
        updatePage(PageEip);
    if (m_context.isCompact())
        updatePage(PageLocalPort);
}

void Corvopropdlg::languageChange() {}

void Corvopropdlg::startHelpSystem()
{
    QString topic = generalTopic();
    QWidget* current = m_stack->currentWidget();
    for (auto it = m_pages.cbegin(); it != m_pages.cend(); ++it) {
        if (it.value() == current && current) {
            topic = it.key()->data(0, HelpTopicRole).toString();
            break;
        }
    }
    startHelpSys(topic);
}

void Corvopropdlg::raisePage(QTreeWidgetItem* current, QTreeWidgetItem*)
{
    if (QWidget* page = m_pages.value(current))
        m_stack->setCurrentWidget(page);
}

void Corvopropdlg::updatePage(int number)
{
    if (number == PageTcpIp)
        debugLine(kModule, 2586);
    for (DialogPage* page : qAsConst(m_loadable)) {
        if (page->pageNumbers().contains(number))
            page->load(number, *m_pageLoadSource);
    }
}

void Corvopropdlg::freeLocalMemory()
{
    if (!m_object->holdsLocalMemory)
        return; // nothing of ours to step aside
    const int inBytes = m_object->descriptor.inMap.byteCount();
    const int outBytes = m_object->descriptor.outMap.byteCount();
    if (inBytes)
        freeMemory(m_projectPath, VarAreaLocalInput, 0, inBytes);
    if (outBytes)
        freeMemory(m_projectPath, VarAreaLocalOutput, 0, outBytes);
}

void Corvopropdlg::claimLocalMemory()
{
    const int inBytes = m_object->descriptor.inMap.byteCount();
    const int outBytes = m_object->descriptor.outMap.byteCount();
    const bool inClaimed =
        !inBytes || getLocalMemory(m_projectPath, VarAreaLocalInput, 0, inBytes) == MemoryOk;
    const bool outClaimed =
        !outBytes || getLocalMemory(m_projectPath, VarAreaLocalOutput, 0, outBytes) == MemoryOk;
    // What is claimed here is the object's from now on; the memory snapshot of the dialog
    // decides whether it stays.
    m_object->holdsLocalMemory = !m_projectPath.isEmpty() && inClaimed && outClaimed;
}

std::unique_ptr<CpuObject> Corvopropdlg::createDefaultObject()
{
    // The default object claims the module's local I/O bytes as a new module would; ours
    // step aside meanwhile.
    freeLocalMemory();
    auto defaults = CpuObjectFactory::create(m_object->descriptor.ObjID, m_projectPath);
    if (!defaults)
        claimLocalMemory();
    return defaults;
}

void Corvopropdlg::releaseDefaultObject(std::unique_ptr<CpuObject> object)
{
    CpuObjectFactory::releaseMemory(*object);
    object.reset();
    m_pageLoadSource = m_object;
    claimLocalMemory();
}

void Corvopropdlg::restorePageDefaults(int number)
{
    auto defaults = createDefaultObject();
    if (!defaults)
        return; // the catalog no longer describes the module: nothing to load from
    m_pageLoadSource = defaults.get();
    updatePage(number);
    releaseDefaultObject(std::move(defaults));
}

void Corvopropdlg::slot_bttnDefaultAll()
{
    m_general->slot_bttnDefaultGengral();
    auto defaults = createDefaultObject();
    if (!defaults)
        return;
    m_pageLoadSource = defaults.get();
    for (int number = PagePpiPorts; number <= PageEtherCat; ++number)
        updatePage(number);
    updatePage(PageEip);
    if (CpuModel::hasLocalIoSections(m_object->descriptor.MLFB)) {
        updatePage(PageInputFilter);
        updatePage(PageHsc);
    }
    if (m_object->opcUaSupported)
        updatePage(PageOpcUa);
    updatePage(PageProfinet);
    updatePage(PageQbus);
    if (m_context.isCompact()) {
        updatePage(PageInputFilter);
        updatePage(PageLocalPort);
        defaults->cards = CpuObject().cards;
        updatePage(PageExtCard);
    }
    releaseDefaultObject(std::move(defaults));
}

bool Corvopropdlg::report(const CheckFailure& failure)
{
    Messages::show(this,
                   failure.kind == CheckFailure::Kind::Warning ? QMessageBox::Warning
                                                               : QMessageBox::Information,
                   windowTitle(), failure.text);
    if (QWidget* field = failure.focus) {
        field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->selectAll();
        else if (auto* spin = qobject_cast<QAbstractSpinBox*>(field))
            spin->selectAll();
    }
    return false;
}

bool Corvopropdlg::checkStationAddresses()
{
    if (!m_localPort)
        return true;
    // The station addresses the compact CPU answers to: its built-in port as a Modbus RTU
    // slave, and the serial ports of its expansion cards once their page is there.
    QList<int> addresses;
    if (m_localPort->protocolIndex() == 2)
        addresses.append(m_localPort->stationAddress());
    QSet<int> seen;
    for (int address : qAsConst(addresses)) {
        if (seen.contains(address))
            return report(
                {CheckFailure::Kind::Information, tr("Address must not be repeated"), {}});
        seen.insert(address);
    }
    return true;
}

bool Corvopropdlg::runChecks()
{
    for (const CheckResult& result :
         {m_tcpIp->checkAddresses(), m_tcpIp->checkDeviceName(), m_tcpIp->checkClaimPassword()}) {
        if (result)
            return report(*result);
    }
    if (const CheckResult result = m_password->check())
        return report(*result);
    if (const CheckResult result = m_retentive->checkRanges())
        return report(*result);
    if (const CheckResult result = m_tcpIp->checkPorts())
        return report(*result);
    return checkStationAddresses();
}

void Corvopropdlg::applyPages()
{
    m_general->apply(*m_object);
    for (DialogPage* page : qAsConst(m_loadable))
        page->apply(*m_object);
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
    if (event->type() == QEvent::Resize) {
        for (const auto& [box, radio] : qAsConst(m_titleRadios)) {
            if (box == watched)
                radio->move(box->pos() + QPoint(8, -8)); // over the box's title
        }
    }
    return QDialog::eventFilter(watched, event);
}
