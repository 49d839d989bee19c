#include "opcuawidget.h"

#include "tblitemdlgt.h"

#include "config/opcuasettingsrules.h"

#include <corekit/widgets/customintvalidator.h>
#include <corekit/widgets/mcomboboxex.h>

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kFieldWidth = 200;
const int kSamplingIntervals[] = {100, 250, 500, 1000, 5000, 10000};

} // namespace

OPCUAWidget::OPCUAWidget(const QByteArray& settings, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
{
    buildControls();
    restoreDefaults();
    loadSettings();
}

QLineEdit* OPCUAWidget::numberField(const char* name, qint64 bottom, qint64 top)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(QLatin1String(name));
    field->setValidator(new CustomIntValidator(bottom, top, field));
    field->setFixedWidth(kFieldWidth);
    return field;
}

void OPCUAWidget::buildControls()
{
    resize(622, 469);

    // Login modes and users.
    m_server = new QCheckBox(tr("Start OPC UA Server"), this);
    m_server->setObjectName(QStringLiteral("startServer"));
    m_anonymous = new QCheckBox(tr("Initiate anonymous logins"), this);
    m_anonymous->setObjectName(QStringLiteral("anonymousLogin"));
    m_authentication = new QCheckBox(tr("Start user authentication"), this);
    m_authentication->setObjectName(QStringLiteral("userAuthentication"));
    m_warning = new QLabel(tr("WARNING:If anonymous login and user authentication are "
                              "disabled,you cannot connect to the server."),
                           this);
    m_warning->setObjectName(QStringLiteral("loginWarning"));
    m_warning->setStyleSheet(QStringLiteral("color:red"));
    m_warning->setWordWrap(true);

    m_users = new QStandardItemModel(0, 2, this);
    m_usersView = new QTableView(this);
    m_usersView->setObjectName(QStringLiteral("usersTable"));
    m_usersView->setModel(m_users);
    m_usersView->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_usersView->setContextMenuPolicy(Qt::CustomContextMenu);
    // Compact rows, and room for the header and three users.
    m_usersView->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    m_usersView->setMinimumHeight(m_usersView->horizontalHeader()->sizeHint().height() +
                                  3 * m_usersView->verticalHeader()->defaultSectionSize() +
                                  2 * m_usersView->frameWidth());
    m_usersView->setItemDelegateForColumn(0, new TblItemDlgt(false, m_usersView));
    m_usersView->setItemDelegateForColumn(1, new TblItemDlgt(true, m_usersView));
    m_usersMenu = new QMenu(this);
    m_usersMenu->setObjectName(QStringLiteral("usersMenu"));
    m_deleteUser = m_usersMenu->addAction(tr("Delete"));
    m_deleteUser->setObjectName(QStringLiteral("deleteUser"));

    auto* logins = new QVBoxLayout;
    logins->addWidget(m_server);
    logins->addWidget(m_anonymous);
    logins->addWidget(m_authentication);
    logins->addWidget(m_warning);
    logins->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(logins, 1);
    top->addWidget(m_usersView, 1);

    // The server's parameters: label, field, unit.
    m_configuration = new QGroupBox(tr("Configuration"), this);
    m_configuration->setObjectName(QStringLiteral("configurationGroup"));
    m_serverName = new QLineEdit(m_configuration);
    m_serverName->setObjectName(QStringLiteral("serverName"));
    m_serverName->setMaxLength(MaxNameLength);
    m_serverName->setFixedWidth(kFieldWidth);
    m_port = numberField("serverPort", 1, 65535);
    m_sessionTimeout = numberField("sessionTimeout", 0, 6000000);
    m_maxSessions = new MComboBoxEx(m_configuration);
    m_maxSessions->setObjectName(QStringLiteral("maxSessions"));
    for (int n = 1; n <= 5; ++n)
        m_maxSessions->addItem(QString::number(n));
    m_maxSessions->setFixedWidth(kFieldWidth);
    m_samplingInterval = new MComboBoxEx(m_configuration);
    m_samplingInterval->setObjectName(QStringLiteral("samplingInterval"));
    for (int ms : kSamplingIntervals)
        m_samplingInterval->addItem(QString::number(ms));
    m_samplingInterval->setFixedWidth(kFieldWidth);
    m_publishingInterval = numberField("publishingInterval", 200, 20000);
    m_monitoredItems = numberField("monitoredItems", 100, 500);
    const struct
    {
        QString label;
        QWidget* field;
        QString unit;
    } rows[] = {
        {tr("Server Name:"), m_serverName, {}},
        {tr("Server Port:"), m_port, {}},
        {tr("Session timeout:"), m_sessionTimeout, tr("s")},
        {tr("Maximum number of sessions:"), m_maxSessions, {}},
        {tr("Subscribe to the minimum sampling interval:"), m_samplingInterval, tr("ms")},
        {tr("Subscribe to the minimum publishing interval:"), m_publishingInterval, tr("ms")},
        {tr("Monitor the maximum number of items:"), m_monitoredItems, {}},
    };
    auto* grid = new QGridLayout(m_configuration);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < int(std::size(rows)); ++i) {
        rows[i].field->setParent(m_configuration);
        grid->addWidget(new QLabel(rows[i].label, m_configuration), i, 0);
        grid->addWidget(rows[i].field, i, 1);
        if (!rows[i].unit.isEmpty())
            grid->addWidget(new QLabel(rows[i].unit, m_configuration), i, 2);
    }
    grid->setColumnStretch(3, 1);

    // Built, filled and written, but never shown: its values travel as they were set.
    m_security = new QGroupBox(tr("Security Policy"), this);
    m_security->setObjectName(QStringLiteral("securityGroup"));
    m_encryption = new QCheckBox(tr("Security Policy Encryption"), m_security);
    m_encryption->setObjectName(QStringLiteral("securityEncryption"));
    auto* securityGrid = new QGridLayout(m_security);
    securityGrid->addWidget(m_encryption, 0, 0, 1, 2);
    const struct
    {
        QString label;
        QLineEdit** field;
        const char* name;
    } certificates[] = {
        {tr("Generate Certificate Contents:"), &m_certificateContent, "certificateContent"},
        {tr("Generate key content:"), &m_keyContent, "keyContent"},
        {tr("The URI name in the self-signed certificate:"), &m_certificateUri, "certificateUri"},
        {tr("Self-signed certificate file name:"), &m_certificateFileName, "certificateFileName"},
    };
    for (int i = 0; i < int(std::size(certificates)); ++i) {
        auto* label = new QLabel(certificates[i].label, m_security);
        auto* edit = new QLineEdit(m_security);
        edit->setObjectName(QLatin1String(certificates[i].name));
        *certificates[i].field = edit;
        securityGrid->addWidget(label, i + 1, 0);
        securityGrid->addWidget(edit, i + 1, 1);
        m_securityFields << label << edit;
    }
    m_security->setEnabled(false);
    m_security->hide();

    m_rangeHint = new QLabel(this);
    m_rangeHint->setObjectName(QStringLiteral("rangeHint"));
    auto* importButton = new QPushButton(tr("Import"), this);
    importButton->setObjectName(QStringLiteral("importButton"));
    auto* exportButton = new QPushButton(tr("Export"), this);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    auto* defaults = new QPushButton(tr("Defaults"), this);
    defaults->setObjectName(QStringLiteral("defaultsButton"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_rangeHint, 1);
    bottom->addWidget(importButton);
    bottom->addWidget(exportButton);
    bottom->addStretch(1);
    bottom->addWidget(defaults);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(m_configuration);
    layout->addWidget(m_security);
    layout->addLayout(bottom);

    m_rangeHints = {
        {m_port, tr("Port number range:1-65535")},
        {m_sessionTimeout, tr("Session timeour range:0-6000000s")},
        {m_publishingInterval, tr("The shortest subscription interval range:200-20000ms")},
        {m_monitoredItems, tr("Monitoring scope:100-500")},
    };
    for (auto it = m_rangeHints.cbegin(); it != m_rangeHints.cend(); ++it)
        it.key()->installEventFilter(this);

    for (QCheckBox* box : {m_server, m_anonymous, m_authentication, m_encryption})
        connect(box, &QCheckBox::toggled, this, &OPCUAWidget::updateRules);
    connect(m_usersView, &QTableView::doubleClicked, this, &OPCUAWidget::slot_usersDoubleClicked);
    connect(m_usersView, &QTableView::customContextMenuRequested, this,
            &OPCUAWidget::slot_usersMenuRequested);
    connect(m_deleteUser, &QAction::triggered, this, &OPCUAWidget::slot_deleteUser);
    connect(importButton, &QPushButton::clicked, this, &OPCUAWidget::signal_importData);
    connect(exportButton, &QPushButton::clicked, this, &OPCUAWidget::signal_exportData);
    connect(defaults, &QPushButton::clicked, this, &OPCUAWidget::restoreDefaults);
}

void OPCUAWidget::updateRules()
{
    const bool server = m_server->isChecked();
    m_anonymous->setEnabled(server);
    m_authentication->setEnabled(server);
    m_configuration->setEnabled(server);
    m_usersView->setEnabled(server && m_authentication->isChecked());
    // Nobody could log in: say so while the server is on.
    m_warning->setVisible(server && !m_anonymous->isChecked() && !m_authentication->isChecked());
    for (QWidget* field : qAsConst(m_securityFields))
        field->setEnabled(m_encryption->isChecked());
}

void OPCUAWidget::appendUserRow(const OpcUaSettings::User& user)
{
    QList<QStandardItem*> row;
    int column = 0;
    for (const QString& text : {user.name, user.password}) {
        auto* item = new QStandardItem(TblItemDlgt::displayText(text, column == 1));
        item->setData(text, Qt::UserRole);
        row.append(item);
        ++column;
    }
    m_users->appendRow(row);
}

void OPCUAWidget::setUsers(const QVector<OpcUaSettings::User>& users)
{
    // Rows of an earlier load do not survive: they would be written as users.
    m_users->clear();
    m_users->setHorizontalHeaderLabels({tr("Name"), tr("Password")});
    for (const OpcUaSettings::User& user : users)
        appendUserRow(user);
    if (users.size() < MaxUsers)
        appendUserRow(); // the entry row
}

OpcUaSettings::User OPCUAWidget::userAt(int row) const
{
    return {m_users->index(row, 0).data(Qt::UserRole).toString(),
            m_users->index(row, 1).data(Qt::UserRole).toString()};
}

void OPCUAWidget::restoreDefaults()
{
    showSettings(OpcUaSettings(), OpcUaSettingsField::End);
}

void OPCUAWidget::importSettings(const QByteArray& settings)
{
    if (settings.isEmpty())
        return;
    m_settings = settings;
    loadSettings();
}

void OPCUAWidget::loadSettings()
{
    if (m_settings.isEmpty())
        return;
    const OpcUaSettingsDecode read = OpcUaSettingsCodec::decode(m_settings);
    showSettings(read.settings, read.reached);
}

void OPCUAWidget::showSettings(const OpcUaSettings& s, OpcUaSettingsField upTo)
{
    const auto has = [upTo](OpcUaSettingsField field) {
        return int(field) < int(upTo);
    };
    if (has(OpcUaSettingsField::ServerEnabled))
        m_server->setChecked(s.serverEnabled);
    if (has(OpcUaSettingsField::AnonymousLogin))
        m_anonymous->setChecked(s.anonymousLogin);
    if (has(OpcUaSettingsField::UserAuthentication))
        m_authentication->setChecked(s.userAuthentication);
    if (has(OpcUaSettingsField::Users))
        setUsers(s.users);
    if (has(OpcUaSettingsField::ServerName)) {
        m_serverName->setText(s.serverName);
        m_serverName->setCursorPosition(0);
    }
    if (has(OpcUaSettingsField::Port))
        m_port->setText(QString::number(s.port));
    if (has(OpcUaSettingsField::SessionTimeout))
        m_sessionTimeout->setText(QString::number(s.sessionTimeout));
    // Values the lists do not offer leave them as they are.
    if (has(OpcUaSettingsField::MaxSessions) && s.maxSessions >= 1 &&
        s.maxSessions <= m_maxSessions->count())
        m_maxSessions->setCurrentIndex(s.maxSessions - 1);
    if (has(OpcUaSettingsField::SamplingInterval)) {
        const int index = m_samplingInterval->findText(QString::number(s.samplingInterval));
        if (index >= 0)
            m_samplingInterval->setCurrentIndex(index);
    }
    if (has(OpcUaSettingsField::PublishingInterval))
        m_publishingInterval->setText(QString::number(s.publishingInterval));
    if (has(OpcUaSettingsField::MonitoredItems))
        m_monitoredItems->setText(QString::number(s.monitoredItems));
    if (has(OpcUaSettingsField::Security)) {
        m_encryption->setChecked(s.securityEnabled);
        m_certificateContent->setText(s.certificateContent);
        m_keyContent->setText(s.keyContent);
        m_certificateUri->setText(s.certificateUri);
        m_certificateFileName->setText(s.certificateFileName);
    }
    updateRules();
}

qint64 OPCUAWidget::numberOf(const QLineEdit* field)
{
    bool ok = false;
    const qint64 value = field->text().toLongLong(&ok);
    return ok ? value : 0;
}

OpcUaSettings OPCUAWidget::settingsRecord() const
{
    OpcUaSettings s;
    s.serverEnabled = m_server->isChecked();
    s.anonymousLogin = m_anonymous->isChecked();
    s.userAuthentication = m_authentication->isChecked();
    s.users.clear();
    for (int row = 0; row < m_users->rowCount(); ++row)
        s.users.append(userAt(row));
    s.serverName = m_serverName->text();
    s.port = quint16(numberOf(m_port));
    s.sessionTimeout = quint32(numberOf(m_sessionTimeout));
    s.maxSessions = quint8(m_maxSessions->currentText().toInt());
    s.samplingInterval = quint16(m_samplingInterval->currentText().toInt());
    s.publishingInterval = quint16(numberOf(m_publishingInterval));
    s.monitoredItems = quint16(numberOf(m_monitoredItems));
    s.securityEnabled = m_encryption->isChecked();
    s.certificateContent = m_certificateContent->text();
    s.keyContent = m_keyContent->text();
    s.certificateUri = m_certificateUri->text();
    s.certificateFileName = m_certificateFileName->text();
    return s;
}

QByteArray OPCUAWidget::settingsData() const
{
    return OpcUaSettingsCodec::encode(settingsRecord());
}

bool OPCUAWidget::isServerEnabled() const
{
    return m_server->isChecked();
}

CheckResult OPCUAWidget::validateOpcUaSettings() const
{
    OpcUaSettingsValues values;
    values.serverEnabled = isServerEnabled();
    values.userAuthentication = m_authentication->isChecked();
    const int rows = m_users->rowCount();
    for (int row = 0; row < rows; ++row) {
        const OpcUaSettings::User user = userAt(row);
        // The entry row counts once it holds a user that goes into the payload.
        const bool entryRow = rows < MaxUsers && row == rows - 1;
        if (!entryRow || OpcUaSettingsCodec::isWritten(user))
            values.userNames.append(user.name);
    }
    values.serverName = m_serverName->text();
    values.port = numberOf(m_port);
    values.publishingInterval = numberOf(m_publishingInterval);
    values.monitoredItems = numberOf(m_monitoredItems);
    const QList<RuleFailure> failures = OpcUaSettingsRules::check(values);
    if (failures.isEmpty())
        return std::nullopt;
    const QHash<QString, QWidget*> fields{
        {QStringLiteral("opcUa.settings.users"), m_usersView},
        {QStringLiteral("opcUa.settings.serverName"), m_serverName},
        {QStringLiteral("opcUa.settings.port"), m_port},
        {QStringLiteral("opcUa.settings.publishingInterval"), m_publishingInterval},
        {QStringLiteral("opcUa.settings.monitoredItems"), m_monitoredItems}};
    return failureAt(failures.first(), fields.value(failures.first().path));
}

void OPCUAWidget::slot_usersDoubleClicked(const QModelIndex& index)
{
    const int rows = m_users->rowCount();
    if (rows < MaxUsers && index.row() == rows - 1)
        appendUserRow();
}

void OPCUAWidget::slot_usersMenuRequested(const QPoint& pos)
{
    const int rows = m_users->rowCount();
    if (rows == 0)
        return;
    const int row = m_usersView->currentIndex().row();
    const OpcUaSettings::User user = userAt(row);
    m_deleteUser->setEnabled(row >= 0 &&
                             (row != rows - 1 || !user.name.isEmpty() || !user.password.isEmpty()));
    m_usersMenu->popup(m_usersView->viewport()->mapToGlobal(pos));
}

void OPCUAWidget::slot_deleteUser()
{
    const int row = m_usersView->currentIndex().row();
    if (row < 0)
        return;
    m_users->removeRow(row);
    if (m_users->rowCount() == 0)
        appendUserRow();
}

bool OPCUAWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && m_rangeHints.contains(watched))
        m_rangeHint->setText(m_rangeHints.value(watched));
    else if (event->type() == QEvent::FocusOut && m_rangeHints.contains(watched))
        m_rangeHint->clear();
    return QWidget::eventFilter(watched, event);
}
