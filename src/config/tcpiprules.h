#pragma once

#include "rulefailure.h"

#include "model/cpuparams.h"

#include <QList>
#include <QString>

#include <functional>

// The host's check of one address field (IpAddressWidget::checkIpValid): "" when `address`
// is valid for the kind, else the message.
using IpCheck = std::function<QString(int kind, const QString& address, const QString& mask,
                                      const QString& ip)>;

// One address field of the TCP/IP page as OK sees it.
struct IpField
{
    QString text;        // "a.b.c.d" as the field gives it, "" when empty
    bool checked = true; // the field is enabled
};

// The address fields of the TCP/IP page.
struct TcpIpAddressValues
{
    IpField ip;
    IpField mask;
    IpField gateway;
    IpField dns;
    IpField altDns;
};

// The checks of the TCP/IP page on plain values.
class TcpIpRules
{
public:
    static constexpr int PortMin = 1024;
    static constexpr int PortMax = 65000;
    static constexpr int ServerPortMin = 1024;
    static constexpr int ServerPortMax = 65535;

    // The kinds of the host's address check.
    enum Kind { Address = 0, Mask = 1, Gateway = 2, Dns = 3 };

    // Every failing field in the order OK checks them (IP, mask, gateway, DNS, alternate
    // DNS); disabled fields and an empty gateway or DNS field are not checked. The dialog
    // shows the first.
    static QList<RuleFailure> addresses(const TcpIpAddressValues& values, const IpCheck& check);
    static RuleResult deviceName(const QString& name);
    static RuleResult port(qint64 port);
    static RuleResult serverPort(qint64 port);

    // The address fields as the page shows stored settings.
    static TcpIpAddressValues shown(const TcpIpParams& params);
    // Whether the page shows (and OK checks) the stored port: only with a fixed IP address.
    static bool showsPort(const TcpIpParams& params);
};
