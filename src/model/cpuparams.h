#pragma once

#include "fixedtext.h"

#include <QList>

#include <array>

struct DataRetenDefault;

using IpV4 = std::array<quint8, 4>; // dotted order: 192.168.1.201 is C0 A8 01 C9

// "192.168.1.201".
QString toDotted(const IpV4& address);
// The first four point-separated numbers of a text, each cut to 255; missing ones are 0.
IpV4 fromDotted(const QString& text);

// Address-mode bits of the TCP/IP settings.
enum AddressModeFlag : quint8 {
    AddrModeAutoIp = 0x01,
    AddrModeAutoDns = 0x02,
    AddrModeNoGateway = 0x04,
    AddrModeNoDns = 0x08,
    AddrModeNoAltDns = 0x10,
};

// One serial (PPI) port. Both ports carry the same settings; their tags differ and so do
// the zero bytes around them in the block.
struct PortParams
{
    quint16 tag = 0; // sub-block length and identifier bytes: 0x1C03 port 0, 0x1E80 port 1
    quint8 highestAddress = 0;
    quint8 plcAddress = 0;
    quint8 retryCount = 0;
    quint8 baudCode = 0;
    quint8 gapFactor = 0;

    static PortParams creationDefault(quint16 tag);
    bool operator==(const PortParams& o) const;
};

struct TcpIpParams
{
    FixedText<32> deviceName;
    FixedText<32> groupName;
    IpV4 ip{};
    quint32 port = 0;
    IpV4 mask{};
    IpV4 gateway{};
    quint8 addressMode = 0;   // AddressModeFlag bits
    quint8 remoteControl = 1; // the only member the constructor sets
    quint32 serverPort = 0;
    FixedText<32> domain;
    std::array<quint8, 8> claimPassword{}; // encoded, never clear text
    FixedText<16> groupNameShort;
    FixedText<32> altDomain;
    IpV4 dns{};
    IpV4 altDns{};

    bool operator==(const TcpIpParams& o) const;
};

// One retentive memory range.
struct RetentiveRange
{
    quint16 tag = 0;   // 0x0E06
    quint16 index = 0; // record index * 256
    quint8 syntax = 0; // pointer syntax byte, 0x10
    quint8 typeCode = 0;
    quint16 count = 0;
    quint16 dbNumber = 0;
    quint8 areaCode = 0;
    quint32 start = 0; // 24 bits: bit address for byte areas, element number for T and C

    bool operator==(const RetentiveRange& o) const;
};

struct PasswordParams
{
    quint16 tag = 0; // 0x0C0F
    quint8 reserved = 0;
    quint8 level = 0;                 // privilege level 1..4
    std::array<quint8, 8> password{}; // encoded

    bool operator==(const PasswordParams& o) const;
};

struct BackgroundParams
{
    quint16 tag = 0;    // 0x0402
    quint8 percent = 0; // share of the cycle for communication
    quint8 reserved = 0;

    bool operator==(const BackgroundParams& o) const;
};

// The CPU parameter record: serial ports, TCP/IP, retentive ranges, password and
// background time. A constructed record is all zero (but remote control); createObject
// fills the creation defaults, a restore fills it from a block.
struct CpuParams
{
    static constexpr int RetentiveCount = 6;
    static constexpr quint16 Port0Tag = 0x1C03;
    static constexpr quint16 Port1Tag = 0x1E80;
    static constexpr quint16 NetworkTag = 0xBE94;
    static constexpr quint16 RetentiveTag = 0x0E06;
    static constexpr quint16 PasswordTag = 0x0C0F;
    static constexpr quint16 BackgroundTag = 0x0402;

    PortParams port0;
    PortParams port1;
    quint16 networkTag = 0;
    TcpIpParams tcpIp;
    std::array<RetentiveRange, RetentiveCount> retentive{};
    PasswordParams password;
    BackgroundParams background;

    bool operator==(const CpuParams& o) const;
    bool operator!=(const CpuParams& o) const { return !(*this == o); }
};

// The memory areas a retentive range can cover: "VB", "VW", ..., "T", "C".
struct RetentiveArea
{
    const char* name = ""; // as the host and the dialog name it
    quint8 typeCode = 0;
    quint8 areaCode = 0;
    bool bitAddressed = false; // start is stored as start * 8; else it counts elements
    char memory = 0;           // the host's memory size key: 'V', 'M', 'T' or 'C'

    // Every area, in the dialog's list order.
    static const std::array<RetentiveArea, 8>& all();
    // The area of a name; a default (all zero) area for a name it does not know.
    static RetentiveArea fromName(const QString& areaName);
    // The area of a record's codes; null for codes that name none (an unused record).
    static const RetentiveArea* fromCodes(quint8 typeCode, quint8 areaCode);
    // Whether a record of this type code counts elements (timers, counters, elements)
    // rather than addressing bits.
    static bool countsElements(quint8 typeCode);
    // Bytes of memory one element of a type code takes; 0 for a code of no memory.
    static int bytesPerElement(quint8 typeCode);
};

namespace CpuDefaults {

// Host name of the maker's remote-access server, the default of both domain fields.
QString remoteServerHost();

// The encoded default claim password.
std::array<quint8, 8> claimPassword();

// Port records, network tag, names, addresses, ports and domains of a new object; the
// device name depends on the module name.
void fillCommunication(CpuParams& params, const QString& objName);

// Tags, index members and syntax bytes of all six ranges, then the host's defaults in
// list order (at most six).
void fillRetentive(CpuParams& params, const QList<DataRetenDefault>& defaults);

void fillPasswordAndBackground(CpuParams& params);

} // namespace CpuDefaults
