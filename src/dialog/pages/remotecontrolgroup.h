#pragma once

#include "dialog/checkfailure.h"

#include "config/tcpiprules.h"

#include <QGroupBox>

class MComboBoxEx;
class MSpinBoxEx;
class QLineEdit;
struct TcpIpParams;

// The TCP/IP tab's right-hand box: the device's name and group on the network, the
// remote-access server and the claim password. On models that offer remote control the box
// is titled "Enable Remote Control" and checkable, and its check is the remote-control byte.
class RemoteControlGroup : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int ServerPortMin = TcpIpRules::ServerPortMin;
    static constexpr int ServerPortMax = TcpIpRules::ServerPortMax;
    static constexpr int DomainMaxBytes = 31;

    RemoteControlGroup(bool remoteControl, QWidget* parent = nullptr);

    void load(const TcpIpParams& net);
    // Writes every member the box shows; the address members are the page's.
    void apply(TcpIpParams& net) const;

    CheckResult checkDeviceName() const;
    CheckResult checkClaimPassword() const;
    CheckResult checkServerPort() const;

    QList<QWidget*> noInputMethodFields() const;

public slots:
    void slot_serverDomainTextChanged(const QString& text);
    void slot_serverDomainBKTextChanged(const QString& text);

private:
    static void loadDomainList(MComboBoxEx* list, const QString& stored);

    bool m_remoteControl;
    QLineEdit* m_deviceName = nullptr;
    MComboBoxEx* m_domain = nullptr;
    MSpinBoxEx* m_serverPort = nullptr;
    MComboBoxEx* m_altDomain = nullptr;
    QLineEdit* m_groupName = nullptr;
    QLineEdit* m_claimPassword = nullptr;
    QLineEdit* m_claimVerify = nullptr;
};
