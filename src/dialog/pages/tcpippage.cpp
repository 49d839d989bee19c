#include "tcpippage.h"

#include "addressgroup.h"
#include "remotecontrolgroup.h"

#include "config/tcpiprules.h"
#include "model/cpuparams.h"

#include <corekit/widgets/ipaddresswidget.h>
#include <corekit/widgets/mspinboxex.h>

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <climits>

namespace {

const char* const kDefaultIp = "192.168.1.201";
const char* const kDefaultMask = "255.255.0.0";
// What an address field of the gateway or the DNS servers starts with when it is offered.
const char* const kDefaultGatewayAndDns = "192.168.1.1";
constexpr IpV4 kStoredMissingGateway{192, 168, 1, 1};

constexpr int kAddressLabelWidth = 102;

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

} // namespace

TcpIpPage::TcpIpPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::TcpIp, context, parent)
{
    auto* top = introRow(tr("You can adjust the TCP/IP port parameters that Tessel PLC will "
                            "use to communicate to the attached PLC."),
                         &TcpIpPage::slot_bttnDefauEnterNet);

    auto* network = new QGroupBox(tr("Network"), this);
    m_autoIpRadio = new QRadioButton(tr("Automatic Assigned IP"), network);
    m_autoIpRadio->setObjectName(QStringLiteral("autoIpRadio"));
    m_autoDnsRadio = new QRadioButton(tr("Automatic Assigned DNS"), network);
    m_autoDnsRadio->setObjectName(QStringLiteral("autoDnsRadio"));
    AddressGroup* ipGroup = buildIpGroup();
    AddressGroup* dnsGroup = buildDnsGroup();
    m_remote = new RemoteControlGroup(context.descriptor.softCtrlRemote, network);

    m_fixedIpRadio = ipGroup->radio();
    m_fixedIpRadio->setObjectName(QStringLiteral("fixedIpRadio"));
    m_fixedDnsRadio = dnsGroup->radio();
    m_fixedDnsRadio->setObjectName(QStringLiteral("fixedDnsRadio"));

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
    grid->addWidget(ipGroup, 1, 0, 5, 1);
    grid->addWidget(m_autoDnsRadio, 6, 0);
    grid->addWidget(dnsGroup, 7, 0, 3, 1);
    grid->addWidget(m_remote, 1, 1, 9, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(network);
    layout->addStretch(1);

    connect(m_ipButtons, &QButtonGroup::idClicked, this, &TcpIpPage::slot_bttnGroupIp);
    connect(m_dnsButtons, &QButtonGroup::idClicked, this, &TcpIpPage::slot_bttnGroupDns);
    connect(m_mask, &IpAddressWidget::needGetMaskAuto, this, &TcpIpPage::slot_getMaskAuto);
}

AddressGroup* TcpIpPage::buildIpGroup()
{
    auto* wrapper = new AddressGroup(tr("   Use the Following IP"), this);
    QGroupBox* group = wrapper->box();
    group->setObjectName(QStringLiteral("ipGroup"));
    m_ipGroup = group;
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
    m_gateway->setIpAddr(QLatin1String(kDefaultGatewayAndDns));

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
    return wrapper;
}

AddressGroup* TcpIpPage::buildDnsGroup()
{
    auto* wrapper = new AddressGroup(tr("   Use the Following DNS"), this);
    QGroupBox* group = wrapper->box();
    group->setObjectName(QStringLiteral("dnsGroup"));
    m_dnsGroup = group;
    m_dns = new IpAddressWidget(group);
    m_dns->setObjectName(QStringLiteral("dns"));
    m_dns->setIpAddr(QLatin1String(kDefaultGatewayAndDns));
    m_altDns = new IpAddressWidget(group);
    m_altDns->setObjectName(QStringLiteral("altDns"));
    m_altDns->setIpAddr(QLatin1String(kDefaultGatewayAndDns));

    auto* grid = new QGridLayout(group);
    grid->addWidget(addressLabel(tr("DNS:"), group), 0, 0);
    grid->addWidget(m_dns, 0, 1);
    grid->addWidget(addressLabel(tr("Alt DNS:"), group), 1, 0);
    grid->addWidget(m_altDns, 1, 1);
    return wrapper;
}

void TcpIpPage::load(const CpuObject& source)
{
    const TcpIpParams& net = source.params.tcpIp;
    m_remote->load(net);
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
        m_ip->setIpAddr(toDotted(net.ip));
        m_port->setValue(portValue(net.port));
        m_mask->setIpAddr(toDotted(net.mask));
        if (net.addressMode & AddrModeNoGateway)
            m_gateway->clear();
        else
            m_gateway->setIpAddr(toDotted(net.gateway));
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
        m_dns->setIpAddr(toDotted(net.dns));
    if (autoDns || (net.addressMode & AddrModeNoAltDns))
        m_altDns->clear();
    else
        m_altDns->setIpAddr(toDotted(net.altDns));
}

void TcpIpPage::apply(CpuObject& target)
{
    TcpIpParams& net = target.params.tcpIp;
    m_remote->apply(net);

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
    const auto shown = [this](const IpAddressWidget* field) {
        return IpField{field->getIpAddr(), field->isEnabledTo(this)};
    };
    const TcpIpAddressValues values{shown(m_ip), shown(m_mask), shown(m_gateway), shown(m_dns),
                                    shown(m_altDns)};
    const QList<RuleFailure> failures = TcpIpRules::addresses(
        values, [](int kind, const QString& address, const QString& mask, const QString& ip) {
            return IpAddressWidget::checkIpValid(kind, address, mask, ip);
        });
    if (failures.isEmpty())
        return std::nullopt;
    const QHash<QString, IpAddressWidget*> fields{{QStringLiteral("tcpIp.ip"), m_ip},
                                                  {QStringLiteral("tcpIp.mask"), m_mask},
                                                  {QStringLiteral("tcpIp.gateway"), m_gateway},
                                                  {QStringLiteral("tcpIp.dns"), m_dns},
                                                  {QStringLiteral("tcpIp.altDns"), m_altDns}};
    return failureAt(failures.first(), fields.value(failures.first().path));
}

CheckResult TcpIpPage::checkPorts() const
{
    if (const RuleResult failure = TcpIpRules::port(m_port->value()))
        return failureAt(*failure, m_port);
    return m_remote->checkServerPort();
}

QList<PageCheck> TcpIpPage::checks() const
{
    return {{OkStep::TcpIpAddresses,
             [this] {
                 return checkAddresses();
             }},
            {OkStep::DeviceName,
             [this] {
                 return m_remote->checkDeviceName();
             }},
            {OkStep::ClaimPassword,
             [this] {
                 return m_remote->checkClaimPassword();
             }},
            {OkStep::PortNumbers, [this] {
                 return checkPorts();
             }}};
}

QList<QWidget*> TcpIpPage::noInputMethodFields() const
{
    return m_remote->noInputMethodFields();
}

void TcpIpPage::slot_bttnDefauEnterNet()
{
    requestDefaults();
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
            m_gateway->setIpAddr(QLatin1String(kDefaultGatewayAndDns));
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
            field->setIpAddr(QLatin1String(kDefaultGatewayAndDns));
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
