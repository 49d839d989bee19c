#pragma once

#include "dialog/checkfailure.h"
#include "dialog/dialogpage.h"

#include "config/tcpiprules.h"

class AddressGroup;
class IpAddressWidget;
class MSpinBoxEx;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QRadioButton;
class RemoteControlGroup;

// The "TCP/IP Port" tab: address modes and addresses (each address box with its fixed-mode
// radio button over the title), and the device's identity on the network with the
// remote-access server (RemoteControlGroup).
class TcpIpPage : public DialogPage
{
    Q_OBJECT

public:
    static constexpr int PortMin = TcpIpRules::PortMin;
    static constexpr int PortMax = TcpIpRules::PortMax;

    explicit TcpIpPage(const DialogContext& context, QWidget* parent = nullptr);

    void load(const CpuObject& source) override;
    void apply(CpuObject& target) override;
    QList<PageCheck> checks() const override;
    QList<QWidget*> noInputMethodFields() const override;

    CheckResult checkAddresses() const;
    // The port first, then the server port.
    CheckResult checkPorts() const;

public slots:
    void slot_bttnDefauEnterNet();
    void slot_bttnGroupIp(int id);
    void slot_bttnGroupDns(int id);
    void slot_getMaskAuto();

private:
    enum ModeId { AutomaticId = 0, FixedId = 1 };

    AddressGroup* buildIpGroup();
    AddressGroup* buildDnsGroup();

    QRadioButton* m_autoIpRadio = nullptr;
    QRadioButton* m_fixedIpRadio = nullptr;
    QRadioButton* m_autoDnsRadio = nullptr;
    QRadioButton* m_fixedDnsRadio = nullptr;
    QButtonGroup* m_ipButtons = nullptr;
    QButtonGroup* m_dnsButtons = nullptr;

    QGroupBox* m_ipGroup = nullptr;
    IpAddressWidget* m_ip = nullptr;
    QLabel* m_portLabel = nullptr;
    MSpinBoxEx* m_port = nullptr;
    IpAddressWidget* m_mask = nullptr;
    IpAddressWidget* m_gateway = nullptr;

    QGroupBox* m_dnsGroup = nullptr;
    IpAddressWidget* m_dns = nullptr;
    IpAddressWidget* m_altDns = nullptr;

    RemoteControlGroup* m_remote = nullptr;
};
