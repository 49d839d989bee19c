#include "tcpiprules.h"

#include <QCoreApplication>

QList<RuleFailure> TcpIpRules::addresses(const TcpIpAddressValues& v, const IpCheck& check)
{
    QList<RuleFailure> failures;
    const auto field = [&](const IpField& f, int kind, const IpField* mask, const IpField* ip,
                           bool optional, const char* path) {
        if (!f.checked || (optional && f.text.isEmpty()))
            return;
        const QString text =
            check(kind, f.text, mask ? mask->text : QString(), ip ? ip->text : QString());
        if (!text.isEmpty())
            failures.append({RuleFailure::Kind::Warning, text, QLatin1String(path)});
    };
    field(v.ip, Address, nullptr, nullptr, false, "tcpIp.ip");
    field(v.mask, Mask, nullptr, &v.ip, false, "tcpIp.mask");
    field(v.gateway, Gateway, &v.mask, &v.ip, true, "tcpIp.gateway");
    field(v.dns, Dns, nullptr, nullptr, true, "tcpIp.dns");
    field(v.altDns, Dns, nullptr, nullptr, true, "tcpIp.altDns");
    return failures;
}

RuleResult TcpIpRules::deviceName(const QString& name)
{
    if (!name.trimmed().isEmpty())
        return std::nullopt;
    return RuleFailure{
        RuleFailure::Kind::Information,
        QCoreApplication::translate("RemoteControlGroup", "The device name can not be empty."),
        QStringLiteral("tcpIp.deviceName")};
}

RuleResult TcpIpRules::port(qint64 port)
{
    if (port >= PortMin && port <= PortMax)
        return std::nullopt;
    return RuleFailure{
        RuleFailure::Kind::Information,
        QCoreApplication::translate("TcpIpPage", "The port setting has error(range: %1~%2).")
            .arg(PortMin)
            .arg(PortMax),
        QStringLiteral("tcpIp.port")};
}

RuleResult TcpIpRules::serverPort(qint64 port)
{
    if (port >= ServerPortMin && port <= ServerPortMax)
        return std::nullopt;
    return RuleFailure{
        RuleFailure::Kind::Information,
        QCoreApplication::translate("RemoteControlGroup",
                                    "The server's port setting has error(range: %1~%2).")
            .arg(ServerPortMin)
            .arg(ServerPortMax),
        QStringLiteral("tcpIp.serverPort")};
}

bool TcpIpRules::showsPort(const TcpIpParams& params)
{
    return !(params.addressMode & AddrModeAutoIp);
}

TcpIpAddressValues TcpIpRules::shown(const TcpIpParams& net)
{
    TcpIpAddressValues v;
    const bool autoIp = net.addressMode & AddrModeAutoIp;
    for (IpField* f : {&v.ip, &v.mask, &v.gateway})
        f->checked = !autoIp;
    if (!autoIp) {
        v.ip.text = toDotted(net.ip);
        v.mask.text = toDotted(net.mask);
        if (!(net.addressMode & AddrModeNoGateway))
            v.gateway.text = toDotted(net.gateway);
    }
    const bool autoDns = net.addressMode & AddrModeAutoDns;
    v.dns.checked = !autoDns;
    v.altDns.checked = !autoDns;
    if (!autoDns && !(net.addressMode & AddrModeNoDns))
        v.dns.text = toDotted(net.dns);
    if (!autoDns && !(net.addressMode & AddrModeNoAltDns))
        v.altDns.text = toDotted(net.altDns);
    return v;
}
