#include "tcpippage.h"

#include "model/cpuparams.h"
#include "model/localtext.h"

#include <corekit/pwdcodec.h>
#include <corekit/widgets/ipaddresswidget.h>
#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mspinboxex.h>

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <climits>

namespace {

const char* const kDefaultIp = "192.168.1.201";
const char* const kDefaultMask = "255.255.0.0";
const char* const kDefaultGateway = "192.168.1.1";
constexpr IpV4 kStoredMissingGateway{192, 168, 1, 1};

constexpr int kAddressLabelWidth = 102;
constexpr int kNameMaxLength = 31;
constexpr int kPasswordMaxLength = 8;

// ASCII letters, digits and the punctuation the device accepts in names and passwords.
const char* const kPasswordCharacters = R"re([A-Za-z0-9~!@#$%^&*()_+`\-=,.<>;':"/?\\|{}\[\]]*)re";
const char* const kDomainCharacters = R"re([a-zA-Z0-9._\-]+)re";

QString dotted(const IpV4& address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address[0])
        .arg(address[1])
        .arg(address[2])
        .arg(address[3]);
}

// The checks have passed before anything is written, so the text is a whole address.
IpV4 fromDotted(const QString& text)
{
    IpV4 address{};
    const QStringList parts = text.split(QLatin1Char('.'));
    for (int i = 0; i < qMin(parts.size(), int(address.size())); ++i)
        address[size_t(i)] = quint8(parts.at(i).toUInt());
    return address;
}

int portValue(quint32 stored)
{
    return int(qMin<quint32>(stored, INT_MAX));
}

QLabel* addressLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFixedWidth(kAddressLabelWidth);
    return label;
}

CheckResult failure(CheckFailure::Kind kind, const QString& text, QWidget* focus)
{
    return CheckFailure{kind, text, focus};
}

} // namespace

TcpIpPage::TcpIpPage(const DialogContext& context, QWidget* parent)
    : DialogPage(context, parent)
{
    QPushButton* defaults = nullptr;
    auto* top = introRow(tr("You can adjust the TCP/IP port parameters that Tessel PLC will "
                            "use to communicate to the attached PLC."),
                         defaults);

    auto* network = new QGroupBox(tr("Network"), this);
    m_autoIpRadio = new QRadioButton(tr("Automatic Assigned IP"), network);
    m_autoIpRadio->setObjectName(QStringLiteral("autoIpRadio"));
    m_autoDnsRadio = new QRadioButton(tr("Automatic Assigned DNS"), network);
    m_autoDnsRadio->setObjectName(QStringLiteral("autoDnsRadio"));
    m_ipGroup = buildIpGroup(network);
    m_dnsGroup = buildDnsGroup(network);
    m_remoteGroup = buildRemoteGroup(network);

    // Outside the boxes' layouts: the dialog lays them over the box titles, and they must
    // stay usable while their box is disabled.
    m_fixedIpRadio = new QRadioButton(network);
    m_fixedIpRadio->setObjectName(QStringLiteral("fixedIpRadio"));
    m_fixedDnsRadio = new QRadioButton(network);
    m_fixedDnsRadio->setObjectName(QStringLiteral("fixedDnsRadio"));
    for (QRadioButton* radio : {m_fixedIpRadio, m_fixedDnsRadio}) {
        radio->adjustSize();
        radio->raise();
    }

    m_ipButtons = new QButtonGroup(this);
    m_ipButtons->addButton(m_autoIpRadio, AutomaticId);
    m_ipButtons->addButton(m_fixedIpRadio, FixedId);
    m_dnsButtons = new QButtonGroup(this);
    m_dnsButtons->addButton(m_autoDnsRadio, AutomaticId);
    m_dnsButtons->addButton(m_fixedDnsRadio, FixedId);
    m_fixedIpRadio->setChecked(true);
    m_fixedDnsRadio->setChecked(true);
    m_autoDnsRadio->setEnabled(false);

    auto* grid = new QGridLayout(network);
    grid->addWidget(m_autoIpRadio, 0, 0);
    grid->addWidget(m_ipGroup, 1, 0, 5, 1);
    grid->addWidget(m_autoDnsRadio, 6, 0);
    grid->addWidget(m_dnsGroup, 7, 0, 3, 1);
    grid->addWidget(m_remoteGroup, 1, 1, 9, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(network);
    layout->addStretch(1);

    connect(defaults, &QPushButton::clicked, this, &TcpIpPage::slot_bttnDefauEnterNet);
    connect(m_ipButtons, &QButtonGroup::idClicked, this, &TcpIpPage::slot_bttnGroupIp);
    connect(m_dnsButtons, &QButtonGroup::idClicked, this, &TcpIpPage::slot_bttnGroupDns);
    connect(m_mask, &IpAddressWidget::needGetMaskAuto, this, &TcpIpPage::slot_getMaskAuto);
    connect(m_domain, &QComboBox::editTextChanged, this, &TcpIpPage::slot_serverDomainTextChanged);
    connect(m_altDomain, &QComboBox::editTextChanged, this,
            &TcpIpPage::slot_serverDomainBKTextChanged);
}

QGroupBox* TcpIpPage::buildIpGroup(QWidget* parent)
{
    auto* group = new QGroupBox(tr("   Use the Following IP"), parent);
    group->setObjectName(QStringLiteral("ipGroup"));
    m_ip = new IpAddressWidget(group);
    m_ip->setObjectName(QStringLiteral("ipAddress"));
    m_ip->setIpAddr(QLatin1String(kDefaultIp));
    m_port = new MSpinBoxEx(group);
    m_port->setObjectName(QStringLiteral("port"));
    // Wider than the allowed ports, so that a stored port outside them reaches the check of
    // OK instead of being clamped silently.
    m_port->setRange(0, 65535);
    m_port->setValue(20000);
    m_port->setFixedHeight(20);
    m_mask = new IpAddressWidget(group, true);
    m_mask->setObjectName(QStringLiteral("mask"));
    m_mask->setIpAddr(QLatin1String(kDefaultMask));
    m_gateway = new IpAddressWidget(group);
    m_gateway->setObjectName(QStringLiteral("gateway"));
    m_gateway->setIpAddr(QLatin1String(kDefaultGateway));

    auto* grid = new QGridLayout(group);
    grid->addWidget(addressLabel(tr("IP:"), group), 0, 0);
    grid->addWidget(m_ip, 0, 1);
    m_portLabel = addressLabel(tr("Port:"), group);
    grid->addWidget(m_portLabel, 1, 0);
    grid->addWidget(m_port, 1, 1);
    grid->addWidget(addressLabel(tr("Mask:"), group), 2, 0);
    grid->addWidget(m_mask, 2, 1);
    grid->addWidget(addressLabel(tr("Gateway:"), group), 3, 0);
    grid->addWidget(m_gateway, 3, 1);
    // The port is kept and checked, but not offered for editing.
    m_portLabel->hide();
    m_port->hide();
    return group;
}

QGroupBox* TcpIpPage::buildDnsGroup(QWidget* parent)
{
    auto* group = new QGroupBox(tr("   Use the Following DNS"), parent);
    group->setObjectName(QStringLiteral("dnsGroup"));
    m_dns = new IpAddressWidget(group);
    m_dns->setObjectName(QStringLiteral("dns"));
    m_dns->setIpAddr(QLatin1String(kDefaultGateway));
    m_altDns = new IpAddressWidget(group);
    m_altDns->setObjectName(QStringLiteral("altDns"));
    m_altDns->setIpAddr(QLatin1String(kDefaultGateway));

    auto* grid = new QGridLayout(group);
    grid->addWidget(addressLabel(tr("DNS:"), group), 0, 0);
    grid->addWidget(m_dns, 0, 1);
    grid->addWidget(addressLabel(tr("Alt DNS:"), group), 1, 0);
    grid->addWidget(m_altDns, 1, 1);
    return group;
}

QGroupBox* TcpIpPage::buildRemoteGroup(QWidget* parent)
{
    auto* group = new QGroupBox(parent);
    group->setObjectName(QStringLiteral("remoteControlBox"));
    if (context().descriptor.softCtrlRemote) {
        group->setTitle(tr("Enable Remote Control"));
        group->setCheckable(true);
    }

    const QRegularExpression passwordCharacters(QString::fromLatin1(kPasswordCharacters));
    const auto lineEdit = [group, &passwordCharacters](const char* name, int maxLength) {
        auto* edit = new QLineEdit(group);
        edit->setObjectName(QLatin1String(name));
        edit->setMaxLength(maxLength);
        edit->setValidator(new QRegularExpressionValidator(passwordCharacters, edit));
        return edit;
    };
    const QRegularExpression domainCharacters(QString::fromLatin1(kDomainCharacters));
    const auto domainList = [group, &domainCharacters](const char* name) {
        auto* list = new MComboBoxEx(group);
        list->setObjectName(QLatin1String(name));
        list->setEditable(true);
        list->setValidator(new QRegularExpressionValidator(domainCharacters, list));
        return list;
    };

    m_deviceName = lineEdit("deviceName", kNameMaxLength);
    m_domain = domainList("domain");
    m_serverPort = new MSpinBoxEx(group);
    m_serverPort->setObjectName(QStringLiteral("serverPort"));
    // Wider than the allowed ports for the same reason as the port.
    m_serverPort->setRange(0, 65535);
    m_altDomain = domainList("altDomain");
    m_groupName = lineEdit("groupName", kNameMaxLength);
    m_claimPassword = lineEdit("claimPassword", kPasswordMaxLength);
    m_claimPassword->setEchoMode(QLineEdit::Password);
    m_claimVerify = lineEdit("claimVerify", kPasswordMaxLength);
    m_claimVerify->setEchoMode(QLineEdit::Password);

    auto* form = new QFormLayout(group);
    form->addRow(tr("Device Name:"), m_deviceName);
    form->addRow(tr("Domain:"), m_domain);
    form->addRow(tr("Server Port:"), m_serverPort);
    form->addRow(tr("Alt Domain:"), m_altDomain);
    form->addRow(tr("Group Name:"), m_groupName);
    form->addRow(tr("Claim Password:"), m_claimPassword);
    form->addRow(tr("Verify:"), m_claimVerify);
    return group;
}

void TcpIpPage::load(int number, const CpuObject& source)
{
    if (number != PageNumber)
        return;
    const TcpIpParams& net = source.params.tcpIp;

    if (context().descriptor.softCtrlRemote)
        m_remoteGroup->setChecked(net.remoteControl != 0);
    m_deviceName->setText(net.deviceName.text());

    const bool autoIp = net.addressMode & AddrModeAutoIp;
    (autoIp ? m_autoIpRadio : m_fixedIpRadio)->setChecked(true);
    m_ipGroup->setEnabled(!autoIp);
    for (IpAddressWidget* field : {m_ip, m_mask, m_gateway})
        field->setEnabled(!autoIp);
    if (autoIp) {
        m_ip->clear();
        m_mask->clear();
        m_gateway->clear();
    } else {
        m_ip->setIpAddr(dotted(net.ip));
        m_port->setValue(portValue(net.port));
        m_mask->setIpAddr(dotted(net.mask));
        if (net.addressMode & AddrModeNoGateway)
            m_gateway->clear();
        else
            m_gateway->setIpAddr(dotted(net.gateway));
    }
    // As with the radio buttons: a fixed IP address goes with fixed DNS addresses.
    m_autoDnsRadio->setEnabled(autoIp);

    const bool autoDns = net.addressMode & AddrModeAutoDns;
    (autoDns ? m_autoDnsRadio : m_fixedDnsRadio)->setChecked(true);
    m_dnsGroup->setEnabled(!autoDns);
    m_dns->setEnabled(!autoDns);
    m_altDns->setEnabled(!autoDns);
    if (autoDns || (net.addressMode & AddrModeNoDns))
        m_dns->clear();
    else
        m_dns->setIpAddr(dotted(net.dns));
    if (autoDns || (net.addressMode & AddrModeNoAltDns))
        m_altDns->clear();
    else
        m_altDns->setIpAddr(dotted(net.altDns));

    m_serverPort->setValue(portValue(net.serverPort));
    loadDomainList(m_domain, net.domain.text());
    loadDomainList(m_altDomain, net.altDomain.text());

    const QString password = decodePwdLen8(QByteArray(
        reinterpret_cast<const char*>(net.claimPassword.data()), int(net.claimPassword.size())));
    m_claimPassword->setText(password);
    m_claimVerify->setText(password);

    const QString groupName = net.groupName.text();
    m_groupName->setText(groupName.isEmpty() ? net.groupNameShort.text() : groupName);
}

void TcpIpPage::apply(CpuObject& target)
{
    TcpIpParams& net = target.params.tcpIp;
    if (context().descriptor.softCtrlRemote)
        net.remoteControl = m_remoteGroup->isChecked() ? 1 : 0;
    net.deviceName.setText(m_deviceName->text());
    net.groupName.setText(m_groupName->text());

    quint8 flags = 0;
    if (m_fixedIpRadio->isChecked()) {
        net.ip = fromDotted(m_ip->getIpAddr());
        net.port = quint32(m_port->value());
        net.mask = fromDotted(m_mask->getIpAddr());
        if (m_gateway->isEmpty()) {
            flags |= AddrModeNoGateway;
            net.gateway = kStoredMissingGateway;
        } else {
            net.gateway = fromDotted(m_gateway->getIpAddr());
        }
    } else if (m_autoIpRadio->isChecked()) {
        flags |= AddrModeAutoIp;
    }

    net.serverPort = quint32(m_serverPort->value());
    net.domain.setText(m_domain->currentText());

    const QByteArray encoded = encodePwdLen8(m_claimPassword->text());
    net.claimPassword.fill(0);
    std::copy(encoded.begin(),
              encoded.begin() + qMin(encoded.size(), int(net.claimPassword.size())),
              net.claimPassword.begin());

    net.groupNameShort.setText(m_groupName->text());
    net.altDomain.setText(m_altDomain->currentText());

    // A missing DNS address is stored as the gateway, which the device then asks.
    if (m_fixedDnsRadio->isChecked()) {
        if (m_dns->isEmpty()) {
            flags |= AddrModeNoDns;
            net.dns = net.gateway;
        } else {
            net.dns = fromDotted(m_dns->getIpAddr());
        }
        if (m_altDns->isEmpty()) {
            flags |= AddrModeNoAltDns;
            net.altDns = net.gateway;
        } else {
            net.altDns = fromDotted(m_altDns->getIpAddr());
        }
    } else if (m_autoDnsRadio->isChecked()) {
        flags |= AddrModeAutoDns;
    }
    net.addressMode = flags;
}

CheckResult TcpIpPage::checkAddresses() const
{
    const auto check = [this](IpAddressWidget* field, int kind, const IpAddressWidget* mask,
                              const IpAddressWidget* ip, bool optional) -> CheckResult {
        if (!field->isEnabledTo(this) || (optional && field->isEmpty()))
            return std::nullopt;
        const QString text = field->checkIpValid(kind, mask, ip);
        if (text.isEmpty())
            return std::nullopt;
        return failure(CheckFailure::Kind::Warning, text, field);
    };
    if (CheckResult result = check(m_ip, IpAddressWidget::CheckAddress, nullptr, nullptr, false))
        return result;
    if (CheckResult result = check(m_mask, IpAddressWidget::CheckMask, nullptr, m_ip, false))
        return result;
    if (CheckResult result = check(m_gateway, IpAddressWidget::CheckGateway, m_mask, m_ip, true))
        return result;
    if (CheckResult result = check(m_dns, IpAddressWidget::CheckDns, nullptr, nullptr, true))
        return result;
    return check(m_altDns, IpAddressWidget::CheckDns, nullptr, nullptr, true);
}

CheckResult TcpIpPage::checkDeviceName() const
{
    if (!m_deviceName->text().trimmed().isEmpty())
        return std::nullopt;
    return failure(CheckFailure::Kind::Information, tr("The device name can not be empty."),
                   m_deviceName);
}

CheckResult TcpIpPage::checkClaimPassword() const
{
    if (m_claimPassword->text() == m_claimVerify->text())
        return std::nullopt;
    return failure(CheckFailure::Kind::Information,
                   tr("The password you enter must be as the same as the confirm password."),
                   m_claimPassword);
}

CheckResult TcpIpPage::checkPorts() const
{
    const int port = m_port->value();
    if (port < PortMin || port > PortMax)
        return failure(CheckFailure::Kind::Information,
                       tr("The port setting has error(range: %1~%2).").arg(PortMin).arg(PortMax),
                       m_port);
    const int serverPort = m_serverPort->value();
    if (serverPort < ServerPortMin || serverPort > ServerPortMax)
        return failure(CheckFailure::Kind::Information,
                       tr("The server's port setting has error(range: %1~%2).")
                           .arg(ServerPortMin)
                           .arg(ServerPortMax),
                       m_serverPort);
    return std::nullopt;
}

QList<QWidget*> TcpIpPage::noInputMethodFields() const
{
    return {m_claimPassword, m_claimVerify};
}

QList<QPair<QGroupBox*, QRadioButton*>> TcpIpPage::titleRadioButtons() const
{
    return {qMakePair(m_ipGroup, m_fixedIpRadio), qMakePair(m_dnsGroup, m_fixedDnsRadio)};
}

void TcpIpPage::slot_bttnDefauEnterNet()
{
    emit defaultsRequested(PageNumber);
}

void TcpIpPage::slot_bttnGroupIp(int id)
{
    if (id == FixedId && m_ipGroup->isEnabledTo(this))
        return;
    if (id == FixedId) {
        if (m_ip->isEmpty())
            m_ip->setIpAddr(QLatin1String(kDefaultIp));
        if (m_mask->isEmpty())
            m_mask->setIpAddr(QLatin1String(kDefaultMask));
        if (m_gateway->isEmpty())
            m_gateway->setIpAddr(QLatin1String(kDefaultGateway));
        m_ipGroup->setEnabled(true);
        m_fixedDnsRadio->setChecked(true);
        m_dnsGroup->setEnabled(true);
        m_autoDnsRadio->setChecked(false);
        m_autoDnsRadio->setEnabled(false);
        for (IpAddressWidget* field : {m_ip, m_mask, m_gateway, m_dns, m_altDns})
            field->setEnabled(true);
    } else {
        m_ipGroup->setEnabled(false);
        m_ip->clear();
        m_mask->clear();
        m_gateway->clear();
        m_autoDnsRadio->setEnabled(true);
        for (IpAddressWidget* field : {m_ip, m_mask, m_gateway})
            field->setEnabled(false);
    }
}

void TcpIpPage::slot_bttnGroupDns(int id)
{
    if (id == FixedId && m_dnsGroup->isEnabledTo(this))
        return;
    const bool fixed = id == FixedId;
    m_dnsGroup->setEnabled(fixed);
    m_dns->setEnabled(fixed);
    m_altDns->setEnabled(fixed);
    for (IpAddressWidget* field : {m_dns, m_altDns}) {
        if (!fixed)
            field->clear();
        else if (field->isEmpty())
            field->setIpAddr(QLatin1String(kDefaultGateway));
    }
}

void TcpIpPage::slot_getMaskAuto()
{
    const int first = m_ip->getIpPart0();
    if (first >= 1 && first <= 126)
        m_mask->setIpAddr(QStringLiteral("255.0.0.0"));
    else if (first >= 127 && first <= 191)
        m_mask->setIpAddr(QStringLiteral("255.255.0.0"));
    else if (first >= 192 && first <= 255)
        m_mask->setIpAddr(QStringLiteral("255.255.255.0"));
}

void TcpIpPage::slot_serverDomainTextChanged(const QString&)
{
    limitDomain(m_domain);
}

void TcpIpPage::slot_serverDomainBKTextChanged(const QString&)
{
    limitDomain(m_altDomain);
}

void TcpIpPage::loadDomainList(MComboBoxEx* list, const QString& stored)
{
    const QString builtIn = CpuDefaults::remoteServerHost();
    list->clear();
    list->addItem(builtIn);
    if (stored != builtIn && !stored.isEmpty()) {
        list->insertItem(0, stored);
        list->setCurrentIndex(0);
    }
    list->setEditText(stored);
}

void TcpIpPage::limitDomain(MComboBoxEx* list)
{
    QLineEdit* edit = list->lineEdit();
    QString text = edit->text();
    if (text.toLocal8Bit().size() <= DomainMaxBytes)
        return;
    const int cursor = trimLocal8BitAtCursor(text, edit->cursorPosition(), DomainMaxBytes);
    // Setting the text calls the slot again; it fits by then.
    edit->setText(text);
    edit->setCursorPosition(cursor);
}
