#include "cpuparamsection.h"

#include "resultcodes.h"

#include "model/cpumodel.h"
#include "model/localtext.h"

#include <corekit/projectqueries.h>

#include <algorithm>

namespace {

using SoeSlots = std::array<SoeRecord, SoeRecord::SlotCount>;

constexpr quint8 kSoeId = 0x95;
constexpr int kSoeSettingsSize = 24;
constexpr qint64 kRetentiveLimit = 0x20000;
constexpr qint64 kRetentiveLimitCompact = 0x29000;

// Port 0 has 6 zero bytes after its tag and port 1 has 8; both end with 12.
template <typename Ch>
bool portFields(Ch& ch, PortParams& p, const char* group, int zerosAfterTag)
{
    ch.group(QString::fromLatin1(group));
    const bool ok = ch.u16("tag", p.tag) && ch.zeros(zerosAfterTag) &&
                    ch.u8("highest address", p.highestAddress) &&
                    ch.u8("PLC address", p.plcAddress) && ch.u8("retry count", p.retryCount) &&
                    ch.u8("baud rate", p.baudCode) && ch.zeros(3) &&
                    ch.u8("gap update factor", p.gapFactor) && ch.zeros(12);
    ch.endGroup();
    return ok;
}

template <typename Ch>
bool tcpIpFields(Ch& ch, TcpIpParams& t)
{
    return ch.fixedText("device name", t.deviceName) && ch.fixedText("group name", t.groupName) &&
           ch.ip("IP address", t.ip) && ch.u32("port", t.port) && ch.ip("subnet mask", t.mask) &&
           ch.ip("gateway", t.gateway) && ch.u8("address mode", t.addressMode) &&
           ch.u8("remote control", t.remoteControl) && ch.zeros(2) &&
           ch.u32("server port", t.serverPort) && ch.fixedText("domain", t.domain) &&
           ch.array("claim password (encoded)", t.claimPassword) && ch.zeros(4) &&
           ch.fixedText("group name, short", t.groupNameShort) &&
           ch.fixedText("alternate domain", t.altDomain) && ch.ip("DNS", t.dns) &&
           ch.ip("alternate DNS", t.altDns);
}

template <typename Ch>
bool retentiveFields(Ch& ch, RetentiveRange& r)
{
    return ch.u16("tag", r.tag) && ch.u16("index", r.index) && ch.u8("syntax", r.syntax) &&
           ch.u8("data type", r.typeCode) && ch.u16("element count", r.count) &&
           ch.u16("data block", r.dbNumber) && ch.u8("area", r.areaCode) &&
           ch.u24("start address", r.start);
}

template <typename Ch>
bool passwordFields(Ch& ch, PasswordParams& p)
{
    ch.group(QStringLiteral("password"));
    const bool ok = ch.u16("tag", p.tag) && ch.zeros(1) && ch.u8("privilege level", p.level) &&
                    ch.array("password (encoded)", p.password);
    ch.endGroup();
    return ok;
}

template <typename Ch>
bool backgroundFields(Ch& ch, BackgroundParams& b)
{
    ch.group(QStringLiteral("background time"));
    const bool ok = ch.u16("tag", b.tag) && ch.u8("percent", b.percent) && ch.zeros(1);
    ch.endGroup();
    return ok;
}

template <typename Ch>
bool varRefFields(Ch& ch, VarRef& v, const char* group)
{
    ch.group(QString::fromLatin1(group));
    const bool ok = ch.u8("syntax", v.syntax) && ch.u8("data type", v.typeCode) &&
                    ch.u16("element count", v.count) && ch.u16("data block", v.dbNumber) &&
                    ch.u8("area", v.area) && ch.u24("address", v.address);
    ch.endGroup();
    return ok;
}

// The 23 settings bytes after the slot index.
template <typename Ch>
bool soeSettingsAfterSlot(Ch& ch, SoeRecord& r)
{
    return ch.u8("event", r.event) && varRefFields(ch, r.trigger, "trigger") &&
           varRefFields(ch, r.process, "process value") && ch.u8("format index", r.formatIndex) &&
           ch.u8("title length", r.titleLength);
}

// One SOE record: a length byte counting the record (slot, settings and title), the slot,
// the settings and the title. Writers write the used slot `index`; readers step over the
// length byte and fill the slot the record names, and a slot beyond the sixteen ends the
// sub-block (`end`) before its settings; the decoder shows that record first.
template <typename Ch>
bool soeRecord(Ch& ch, SoeSlots& soe, int index, bool& end)
{
    SoeRecord shown;
    QByteArray title;
    quint8 slot = 0;
    if constexpr (Ch::Writing) {
        title = fitLocal8Bit(soe[size_t(index)].title, CpuParamSection::MaxSoeTitleBytes);
        slot = soe[size_t(index)].slot;
    }
    quint8 length = quint8(1 + kSoeSettingsSize + title.size());
    if (!ch.u8("record length", length) || !ch.u8("slot", slot))
        return false;
    end = !Ch::Writing && slot >= SoeRecord::SlotCount;
    if (end && !Ch::Dumping)
        return true;
    SoeRecord& record = Ch::Writing ? soe[size_t(index)] : Ch::Dumping ? shown : soe[slot];
    // The length bytes count what is written, so an over-long title cannot shift the
    // records behind it.
    if constexpr (Ch::Writing)
        record.titleLength = quint8(title.size());
    if constexpr (!Ch::Writing && !Ch::Dumping)
        record.slot = slot;
    if (!soeSettingsAfterSlot(ch, record) || !ch.rawText("title", title, record.titleLength))
        return false;
    if constexpr (!Ch::Writing && !Ch::Dumping)
        record.title = QString::fromLocal8Bit(title);
    return true;
}

// The SOE sub-block: a zero byte, its identifier, its length (from the zero byte to its
// end), the record count and the records of the used slots. Writers write a copy of the
// slots: only the title lengths change there.
template <typename Ch>
bool soeRecords(Ch& ch, SoeSlots& soe)
{
    int start = 0;
    quint8 count = 0;
    if constexpr (Ch::Writing) {
        start = ch.writer().size();
        count = quint8(
            std::count_if(soe.begin(), soe.end(), [](const SoeRecord& r) { return r.isUsed(); }));
    }
    quint8 zero = 0;
    quint8 id = kSoeId;
    quint16 length = 0;
    if (!ch.u8("length byte", zero) || !ch.u8("identifier", id) || !ch.u16("length", length) ||
        !ch.u8("record count", count))
        return false;
    for (int i = 0, index = 0; i < count; ++i, ++index) {
        if constexpr (Ch::Writing) {
            while (!soe[size_t(index)].isUsed())
                ++index;
        }
        ch.group(QStringLiteral("record %1").arg(i));
        bool end = false;
        const bool ok = soeRecord(ch, soe, index, end);
        ch.endGroup();
        if (!ok)
            return false;
        if (end)
            return true;
    }
    if constexpr (Ch::Writing)
        ch.writer().patchU16(start + 2, quint16(ch.writer().size() - start));
    return true;
}

template <typename Ch>
bool soeSubBlock(Ch& ch, SoeSlots& soe)
{
    ch.group(QStringLiteral("SOE"));
    const bool ok = soeRecords(ch, soe);
    ch.endGroup();
    return ok;
}

// Ports, TCP/IP, retentive ranges, password and background time as they stand.
template <typename Ch>
bool fixedSubBlocks(Ch& ch, CpuParams& p)
{
    if (!portFields(ch, p.port0, "port 0", 6) || !portFields(ch, p.port1, "port 1", 8))
        return false;
    ch.group(QStringLiteral("TCP/IP"));
    const bool tcpOk = ch.u16("tag", p.networkTag) && tcpIpFields(ch, p.tcpIp);
    ch.endGroup();
    if (!tcpOk)
        return false;
    for (int i = 0; i < CpuParams::RetentiveCount; ++i) {
        RetentiveRange& range = p.retentive[size_t(i)];
        ch.group(QStringLiteral("retentive range %1").arg(i));
        const bool ok = retentiveFields(ch, range);
        ch.endGroup();
        if constexpr (!Ch::Writing && !Ch::Dumping)
            range.index = quint16(i * 256); // whatever the block holds
        if (!ok)
            return false;
    }
    return passwordFields(ch, p.password) && backgroundFields(ch, p.background);
}

// The compact model in PPI mode reports its local port's address and baud rate on both
// serial ports.
void substituteLocalPort(const CpuObject& object, PortParams& p0, PortParams& p1)
{
    const LocalPort& local = object.localPort;
    if (!CpuModel::isCompact(object.descriptor.MLFB) ||
        (local.protocol != 3 && local.protocol != 4))
        return;
    const quint8 retry = object.params.port1.retryCount;
    for (PortParams* p : {&p0, &p1}) {
        p->plcAddress = local.plcAddress;
        p->retryCount = retry;
        p->baudCode = quint8(local.baudCode + 1);
    }
}

// Whether every data block that a used SOE slot's trigger names is in the project.
bool soeDataBlocksExist(const CpuObject& object)
{
    QStringList dataBlocks;
    bool listed = false;
    for (const SoeRecord& slot : object.soe) {
        if (!slot.isUsed() || slot.trigger.area != 0x85)
            continue;
        if (!listed) {
            dataBlocks = getPrjObjectChildren(object.projectPath, PrjObjectKindDataBlock);
            listed = true;
        }
        if (!dataBlocks.contains(QStringLiteral("DB%1").arg(slot.trigger.dbNumber)))
            return false;
    }
    return true;
}

void checkRetentiveSize(const CpuObject& object, QList<int>& errors)
{
    const qint64 total = CpuParamSection::retentiveBytes(object.params);
    QString type = CpuModel::PlaceholderPlcType;
    QString version = CpuModel::PlaceholderPlcVersion;
    getPrjPlcTypeVersion(object.projectPath, type, version);
    if (type.contains(CpuModel::CompactObjName) && total > kRetentiveLimitCompact)
        errors.append(code(CompileError::RetentiveTooLargeCompact));
    else if (total > kRetentiveLimit)
        errors.append(code(CompileError::RetentiveTooLarge));
}

} // namespace

qint64 CpuParamSection::retentiveBytes(const CpuParams& params)
{
    qint64 total = 0;
    for (const RetentiveRange& range : params.retentive) {
        switch (range.typeCode) {
        case 1:
        case 2:
        case 0x1E:
        case 0x1F:
        case 0x20:
            total += range.count;
            break;
        case 4:
            total += qint64(range.count) * 2;
            break;
        case 6:
            total += qint64(range.count) * 4;
            break;
        default:
            break;
        }
    }
    return total;
}

QByteArray CpuParamSection::write(CpuObject& object, WriteMode mode, QList<int>& errors)
{
    const bool download = mode == WriteMode::Download;
    CpuParams& params = object.params;
    for (int i = 0; i < CpuParams::RetentiveCount; ++i)
        params.retentive[size_t(i)].index = quint16(i * 256);

    ByteWriter out;
    const int head = out.beginSection(0, quint8(SectionId::CpuParam));
    WriteChannel ch(out);
    PortParams p0 = params.port0;
    PortParams p1 = params.port1;
    substituteLocalPort(object, p0, p1);
    portFields(ch, p0, "port 0", 6);
    portFields(ch, p1, "port 1", 8);

    // The TCP/IP tag holds the sub-block's length byte and identifier.
    const int tcpAt = out.size();
    out.u16(0);
    tcpIpFields(ch, params.tcpIp);
    params.networkTag = quint16(((out.size() - tcpAt) << 8) | 0x94);
    out.patchU16(tcpAt, params.networkTag);

    for (RetentiveRange& range : params.retentive)
        retentiveFields(ch, range);
    if (download)
        checkRetentiveSize(object, errors);
    passwordFields(ch, params.password);
    backgroundFields(ch, params.background);

    if (download && !soeDataBlocksExist(object)) {
        if (!errors.contains(code(CompileError::SoeDataBlockMissing)))
            errors.append(code(CompileError::SoeDataBlockMissing));
        return {};
    }
    SoeSlots soe = object.soe;
    soeSubBlock(ch, soe);
    out.endSection(head);
    return out.take();
}

bool CpuParamSection::read(CpuObject& object, ByteReader& section)
{
    ByteReader::Section s;
    ReadChannel ch(s.payload);
    if (!section.openSection(s) || !fixedSubBlocks(ch, object.params))
        return false;
    object.soe.fill(SoeRecord::readerReset());
    return soeSubBlock(ch, object.soe);
}

void CpuParamSection::dump(ByteReader& section, QList<DumpField>& fields)
{
    ByteReader::Section s;
    DumpChannel ch(s.payload, fields);
    CpuParams params;
    SoeSlots soe;
    section.openSection(s) && fixedSubBlocks(ch, params) && soeSubBlock(ch, soe);
}
