#include "cpuparamsection.h"

#include "resultcodes.h"

#include "model/cpumodel.h"
#include "model/localtext.h"

#include <corekit/projectqueries.h>

namespace {

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

    QStringList dataBlocks;
    if (download)
        dataBlocks = getPrjObjectChildren(object.projectPath, PrjObjectKindDataBlock);
    ByteWriter records;
    WriteChannel recordChannel(records);
    int count = 0;
    for (const SoeRecord& slot : object.soe) {
        if (!slot.isUsed())
            continue;
        if (download && slot.trigger.area == 0x85) {
            const QString block = QStringLiteral("DB%1").arg(slot.trigger.dbNumber & 0xFF);
            if (!dataBlocks.contains(block)) {
                if (!errors.contains(code(CompileError::SoeDataBlockMissing)))
                    errors.append(code(CompileError::SoeDataBlockMissing));
                return {};
            }
        }
        // The length bytes count what is written, so an over-long title cannot shift the
        // records behind it.
        const QByteArray title = fitLocal8Bit(slot.title, MaxSoeTitleBytes);
        SoeRecord record = slot;
        record.titleLength = quint8(title.size());
        records.u8(quint8(1 + kSoeSettingsSize + title.size()));
        recordChannel.u8("slot", record.slot);
        soeSettingsAfterSlot(recordChannel, record);
        records.bytes(title);
        ++count;
    }
    out.u8(0);
    out.u8(kSoeId);
    out.u16(quint16(records.size() + 5));
    out.u8(quint8(count));
    out.bytes(records.data());
    out.endSection(head);
    return out.take();
}

bool CpuParamSection::read(CpuObject& object, ByteReader& whole)
{
    ByteReader::Section s;
    ByteReader& section = s.payload;
    ReadChannel ch(section);
    if (!whole.openSection(s) || !fixedSubBlocks(ch, object.params))
        return false;
    object.soe.fill(SoeRecord::readerReset());
    quint8 count = 0;
    if (!section.skip(4) || !section.u8(count))
        return false;
    for (int i = 0; i < count; ++i) {
        quint8 slot = 0;
        if (!section.skip(1) || !section.u8(slot))
            return false;
        if (slot >= SoeRecord::SlotCount)
            return true;
        SoeRecord& record = object.soe[slot];
        record.slot = slot;
        QByteArray title;
        if (!soeSettingsAfterSlot(ch, record) || !section.bytes(record.titleLength, title))
            return false;
        record.title = QString::fromLocal8Bit(title);
    }
    return true;
}

void CpuParamSection::dump(ByteReader& whole, QList<DumpField>& fields)
{
    ByteReader::Section s;
    ByteReader& section = s.payload;
    DumpChannel ch(section, fields);
    CpuParams scratch;
    if (!whole.openSection(s) || !fixedSubBlocks(ch, scratch))
        return;
    ch.group(QStringLiteral("SOE"));
    quint8 zero = 0;
    quint8 id = 0;
    quint16 length = 0;
    quint8 count = 0;
    if (!ch.u8("length byte", zero) || !ch.u8("identifier", id) || !ch.u16("length", length) ||
        !ch.u8("record count", count)) {
        ch.endGroup();
        return;
    }
    for (int i = 0; i < count; ++i) {
        ch.group(QStringLiteral("record %1").arg(i));
        SoeRecord record;
        quint8 recordLength = 0;
        QByteArray title;
        const bool ok = ch.u8("record length", recordLength) && ch.u8("slot", record.slot) &&
                        soeSettingsAfterSlot(ch, record) &&
                        section.bytes(record.titleLength, title);
        if (ok)
            ch.add(QStringLiteral("title"), section.pos() - title.size(), title.size(),
                   QStringLiteral("\"%1\"").arg(QString::fromLocal8Bit(title)));
        ch.endGroup();
        if (!ok || record.slot >= SoeRecord::SlotCount)
            break;
    }
    ch.endGroup();
}
