#pragma once

#include "dialog/checkfailure.h"
#include "dialog/dialogpage.h"

#include <QList>
#include <QPair>

class IpAddressWidget;
class MComboBoxEx;
class MSpinBoxEx;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The "TCP/IP Port" tab: address modes and addresses, the device's identity on the
// network and the remote-access server.
class TcpIpPage : public DialogPage
{
    Q_OBJECT

public:
    static constexpr int PageNumber = 2;
    static constexpr int PortMin = 1024;
    static constexpr int PortMax = 65000;
    static constexpr int ServerPortMin = 1024;
    static constexpr int ServerPortMax = 65535;
    static constexpr int DomainMaxBytes = 31;

    explicit TcpIpPage(const DialogContext& context, QWidget* parent = nullptr);

    QList<int> pageNumbers() const override { return {PageNumber}; }
    void load(int number, const CpuObject& source) override;
    void apply(CpuObject& target) override;

    // The checks of OK, in the dialog's order: addresses, device name, claim password,
    // then (later in the sequence) the ports.
    CheckResult checkAddresses() const;
    CheckResult checkDeviceName() const;
    CheckResult checkClaimPassword() const;
    CheckResult checkPorts() const;

    // Fields in which no input method may compose text.
    QList<QWidget*> noInputMethodFields() const;
    // Each address box with the radio button that lies over its title.
    QList<QPair<QGroupBox*, QRadioButton*>> titleRadioButtons() const;

public slots:
    void slot_bttnDefauEnterNet();
    void slot_bttnGroupIp(int id);
    void slot_bttnGroupDns(int id);
    void slot_getMaskAuto();
    void slot_serverDomainTextChanged(const QString& text);
    void slot_serverDomainBKTextChanged(const QString& text);

private:
    enum ModeId { AutomaticId = 0, FixedId = 1 };

    QGroupBox* buildIpGroup(QWidget* parent);
    QGroupBox* buildDnsGroup(QWidget* parent);
    QGroupBox* buildRemoteGroup(QWidget* parent);
    static void loadDomainList(MComboBoxEx* list, const QString& stored);
    static void limitDomain(MComboBoxEx* list);

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

    QGroupBox* m_remoteGroup = nullptr;
    QLineEdit* m_deviceName = nullptr;
    MComboBoxEx* m_domain = nullptr;
    MSpinBoxEx* m_serverPort = nullptr;
    MComboBoxEx* m_altDomain = nullptr;
    QLineEdit* m_groupName = nullptr;
    QLineEdit* m_claimPassword = nullptr;
    QLineEdit* m_claimVerify = nullptr;
};
