#include "cpuparams.h"

#include "cpumodel.h"

#include <corekit/plcfacts.h>
#include <corekit/pwdcodec.h>

#include <tuple>

namespace {

constexpr IpV4 kDefaultIp{192, 168, 1, 201};
constexpr IpV4 kDefaultMask{255, 255, 0, 0};
constexpr IpV4 kDefaultGatewayAndDns{192, 168, 1, 1};

} // namespace

QString toDotted(const IpV4& address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address[0])
        .arg(address[1])
        .arg(address[2])
        .arg(address[3]);
}

IpV4 fromDotted(const QString& text)
{
    IpV4 address{};
    const QStringList parts = text.split(QLatin1Char('.'));
    for (int i = 0; i < parts.size() && i < int(address.size()); ++i)
        address[size_t(i)] = quint8(qMin(parts.at(i).toUInt(), 255u));
    return address;
}

PortParams PortParams::creationDefault(quint16 tag)
{
    PortParams port;
    port.tag = tag;
    port.highestAddress = 31;
    port.plcAddress = 2;
    port.retryCount = 3;
    port.baudCode = 0;
    port.gapFactor = 10;
    return port;
}

bool PortParams::operator==(const PortParams& o) const
{
    return std::tie(tag, highestAddress, plcAddress, retryCount, baudCode, gapFactor) ==
           std::tie(o.tag, o.highestAddress, o.plcAddress, o.retryCount, o.baudCode, o.gapFactor);
}

bool TcpIpParams::operator==(const TcpIpParams& o) const
{
    return std::tie(deviceName, groupName, ip, port, mask, gateway, addressMode, remoteControl,
                    serverPort, domain, claimPassword, groupNameShort, altDomain, dns, altDns) ==
           std::tie(o.deviceName, o.groupName, o.ip, o.port, o.mask, o.gateway, o.addressMode,
                    o.remoteControl, o.serverPort, o.domain, o.claimPassword, o.groupNameShort,
                    o.altDomain, o.dns, o.altDns);
}

bool RetentiveRange::operator==(const RetentiveRange& o) const
{
    return std::tie(tag, index, syntax, typeCode, count, dbNumber, areaCode, start) ==
           std::tie(o.tag, o.index, o.syntax, o.typeCode, o.count, o.dbNumber, o.areaCode, o.start);
}

bool PasswordParams::operator==(const PasswordParams& o) const
{
    return std::tie(tag, reserved, level, password) ==
           std::tie(o.tag, o.reserved, o.level, o.password);
}

bool BackgroundParams::operator==(const BackgroundParams& o) const
{
    return std::tie(tag, percent, reserved) == std::tie(o.tag, o.percent, o.reserved);
}

bool CpuParams::operator==(const CpuParams& o) const
{
    return std::tie(port0, port1, networkTag, tcpIp, retentive, password, background) ==
           std::tie(o.port0, o.port1, o.networkTag, o.tcpIp, o.retentive, o.password, o.background);
}

const std::array<RetentiveArea, 8>& RetentiveArea::all()
{
    static const std::array<RetentiveArea, 8> areas{{
        {"VB", 2, 0x84, true, 'V'},
        {"VW", 4, 0x84, true, 'V'},
        {"VD", 6, 0x84, true, 'V'},
        {"MB", 2, 0x83, true, 'M'},
        {"MW", 4, 0x83, true, 'M'},
        {"MD", 6, 0x83, true, 'M'},
        {"T", 0x1F, 0x1F, false, 'T'},
        {"C", 0x1E, 0x1E, false, 'C'},
    }};
    return areas;
}

RetentiveArea RetentiveArea::fromName(const QString& areaName)
{
    for (const RetentiveArea& area : all()) {
        if (areaName == QLatin1String(area.name))
            return area;
    }
    return {};
}

const RetentiveArea* RetentiveArea::fromCodes(quint8 typeCode, quint8 areaCode)
{
    for (const RetentiveArea& area : all()) {
        if (area.typeCode == typeCode && area.areaCode == areaCode)
            return &area;
    }
    return nullptr;
}

bool RetentiveArea::countsElements(quint8 typeCode)
{
    return typeCode == 0x1F || typeCode == 0x1E || typeCode == 0x20;
}

int RetentiveArea::bytesPerElement(quint8 typeCode)
{
    switch (typeCode) {
    case 1:
    case 2:
    case 0x1E:
    case 0x1F:
    case 0x20:
        return 1;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 0;
    }
}

namespace CpuDefaults {

QString remoteServerHost()
{
    return QStringLiteral("remote.tessel-plc.com");
}

std::array<quint8, 8> claimPassword()
{
    const QByteArray encoded = encodePwdLen8(QStringLiteral("tessel"));
    std::array<quint8, 8> field{};
    std::copy(encoded.begin(), encoded.begin() + qMin(8, encoded.size()), field.begin());
    return field;
}

void fillCommunication(CpuParams& params, const QString& objName)
{
    params.port0 = PortParams::creationDefault(CpuParams::Port0Tag);
    params.port1 = PortParams::creationDefault(CpuParams::Port1Tag);
    params.networkTag = CpuParams::NetworkTag;
    TcpIpParams& net = params.tcpIp;
    // The compact model's firmware looks for its own default device name.
    net.deviceName.setText(objName == CpuModel::CompactObjName ? QStringLiteral("simple")
                                                               : QStringLiteral("Corvo"));
    net.groupName.setText(QStringLiteral("PELLAN"));
    net.ip = kDefaultIp;
    net.port = 20000;
    net.mask = kDefaultMask;
    net.gateway = kDefaultGatewayAndDns;
    net.addressMode = AddrModeAutoIp | AddrModeAutoDns;
    net.serverPort = 8888;
    net.domain.setText(remoteServerHost());
    net.claimPassword = claimPassword();
    net.groupNameShort.setText(QStringLiteral("PELLAN"));
    net.altDomain.setText(remoteServerHost());
    net.dns = kDefaultGatewayAndDns;
    net.altDns = kDefaultGatewayAndDns;
}

void fillRetentive(CpuParams& params, const QList<DataRetenDefault>& defaults)
{
    for (int i = 0; i < CpuParams::RetentiveCount; ++i) {
        RetentiveRange& range = params.retentive[size_t(i)];
        range.tag = CpuParams::RetentiveTag;
        range.index = quint16(i * 256);
        range.syntax = 0x10;
    }
    const int n = qMin(defaults.size(), CpuParams::RetentiveCount);
    for (int i = 0; i < n; ++i) {
        const DataRetenDefault& entry = defaults.at(i);
        const RetentiveArea area = RetentiveArea::fromName(entry.area);
        RetentiveRange& range = params.retentive[size_t(i)];
        range.typeCode = area.typeCode;
        range.areaCode = area.areaCode;
        range.count = quint16(entry.length);
        range.dbNumber = entry.area.startsWith(QLatin1Char('V')) ? 1 : 0;
        range.start = quint32(area.bitAddressed ? entry.start * 8 : entry.start) & 0xFFFFFF;
    }
}

void fillPasswordAndBackground(CpuParams& params)
{
    params.password.tag = CpuParams::PasswordTag;
    params.password.reserved = 0;
    params.password.level = 1;
    params.password.password.fill(0);
    params.background.tag = CpuParams::BackgroundTag;
    params.background.percent = 10;
    params.background.reserved = 0;
}

} // namespace CpuDefaults
