#include "canmasterbridge.h"

#include "model/debuglog.h"
#include "model/slavepluginname.h"
#include "model/slaveregistry.h"

#include "bytes/bytewriter.h"
#include "resultcodes.h"

#include <corekit/projectqueries.h>

namespace {

const char kModule[] = "canmasterbridge";
constexpr int kSaveFormCobIdVersion = 2002;
constexpr int kBaudTable[] = {1000, 800, 500, 250, 125, 1000, 50, 20, 10};

Interface interfaceForType(quint8 type)
{
    const QString plugin = CanMasterBridge::pluginForType(type);
    if (plugin.isEmpty()) {
        if (type != 2)
            debugLine(kModule, __LINE__, QStringLiteral("slave type error"));
        return Interface();
    }
    return SlavePluginName::resolveStored(plugin);
}

// The download form's fields, described once for reading and inspection.
template <typename Ch>
void downloadHead(Ch& ch, quint8& nodeId, quint8& baud, quint32& cobId, quint32& cycle,
                  quint16& heartbeat, quint8& count)
{
    if (!ch.u8("node id", nodeId) || !ch.u8("baud rate index", baud))
        return;
    ch.u32("COB ID", cobId) && ch.u32("cycle period (us)", cycle) &&
        ch.u16("heartbeat time (ms)", heartbeat) && ch.zeros(2) && ch.u8("slave count", count);
}

// Whether the save form, read with or without the COB ID, ends with its last slave record
// exactly at the end of the section. `in` is a copy: this only looks.
bool saveFormFits(ByteReader in, bool withCobId)
{
    qint32 count = 0;
    if (!in.skip(16 + (withCobId ? 4 : 0)) || !in.i32(count) || count < 0)
        return false;
    for (qint32 i = 0; i < count; ++i) {
        quint32 length = 0;
        if (!in.u32(length))
            return false;
        if (length != 0xFFFFFFFF && (length > quint32(in.remaining()) || !in.skip(int(length))))
            return false;
    }
    return in.atEnd();
}

} // namespace

quint8 CanMasterBridge::baudIndex(int kbps)
{
    switch (kbps) {
    case 1000:
        return 0;
    case 800:
        return 1;
    case 500:
        return 2;
    case 250:
        return 3;
    case 125:
        return 4;
    case 50:
        return 6;
    case 20:
        return 7;
    case 10:
        return 8;
    default:
        return 255;
    }
}

int CanMasterBridge::baudFromIndex(int index)
{
    return index >= 0 && index <= 8 ? kBaudTable[index] : 1000;
}

QString CanMasterBridge::pluginForType(quint8 type)
{
    switch (type) {
    case 0:
        return QStringLiteral("dpslavekit.dll");
    case 1:
        return QStringLiteral("canslavekit.dll");
    default:
        return {};
    }
}

int CanMasterBridge::compile(CanMasterConfig& master, QByteArray& payload, QList<int>& errors)
{
    SlaveRegistry::sortByNodeId(master.slaves);
    if (master.baudRate == SlowBaud) {
        if (master.slaves.size() > SlowBaudMaxSlaves) {
            errors.append(code(CompileError::CanMasterLimits));
            return 1;
        }
        for (const CanNodeEntry& slave : master.slaves) {
            if (slave.kind != 0 || !slave.iface.ioItemCount)
                continue;
            if (slave.iface.ioItemCount(slave.handle) > SlowBaudMaxItems) {
                errors.append(code(CompileError::CanMasterLimits));
                return 1;
            }
        }
    }
    payload.append(downloadPayload(master));
    return 0;
}

QByteArray CanMasterBridge::downloadPayload(const CanMasterConfig& master)
{
    ByteWriter out;
    out.u8(master.nodeId);
    out.u8(baudIndex(master.baudRate));
    out.u32(master.cobId);
    out.u32(master.cyclePeriod);
    out.u16(master.heartbeat);
    out.u16(0);
    out.u8(quint8(master.slaves.size())); // the list size, even when a record is left out
    for (const CanNodeEntry& slave : master.slaves) {
        if (!slave.iface.compile || !slave.iface.nodeId)
            continue;
        QByteArray record;
        if (slave.iface.compile(slave.handle, record) != 0 || record.size() > 0xFFFF - 2)
            continue;
        out.u16(quint16(record.size() + 2));
        out.bytes(record);
    }
    return out.take();
}

int CanMasterBridge::rebuildFromDownload(ByteReader& in, CanMasterConfig& master,
                                         const QString& projectPath)
{
    ReadChannel ch(in);
    quint8 nodeId = 0;
    quint8 baud = 0;
    quint8 count = 0;
    downloadHead(ch, nodeId, baud, master.cobId, master.cyclePeriod, master.heartbeat, count);
    master.nodeId = nodeId;
    master.baudRate = baudFromIndex(baud);
    for (int i = 0; i < count; ++i) {
        quint16 length = 0;
        QByteArray record;
        // A length below its own two bytes, or beyond the payload, cannot frame a record.
        if (!in.u16(length) || length < 2 || !in.bytes(length - 2, record) || record.isEmpty()) {
            debugLine(kModule, __LINE__, QStringLiteral("CAN slave record malformed"));
            break;
        }
        const quint8 type = quint8(record.at(0));
        const Interface iface = interfaceForType(type);
        if (!iface.recompile) {
            debugLine(kModule, __LINE__, QStringLiteral("Resolve Interface Error!!"));
            return code(CanRebuildError::SlaveUnresolvable);
        }
        int consumed = 0;
        int error = 0;
        const int handle = iface.recompile(record, projectPath, consumed, error);
        if (!handle) {
            debugLine(kModule, __LINE__, QStringLiteral("Slave Module Recompile Error"));
            return error;
        }
        master.slaves.append(CanNodeEntry{handle, iface.pluginFile, type, iface});
    }
    return code(CanRebuildError::None);
}

QByteArray CanMasterBridge::savePayload(const CanMasterConfig& master, const QString& projectPath)
{
    QList<QByteArray> records;
    for (const CanNodeEntry& slave : master.slaves) {
        if (slave.handle != 0 && slave.iface.save)
            records.append(slave.iface.save(slave.handle));
    }
    ByteWriter out;
    out.u8(master.useCanopen);
    out.u8(master.nodeId);
    out.i32(master.baudRate);
    out.i32(master.objectId);
    out.u32(master.cyclePeriod);
    out.u16(master.heartbeat);
    // A project created before the COB ID was kept is read without it, so it is written
    // without it too: otherwise the reader would take it for the slave count.
    if (getHwFileCreatedVerNum(projectPath) >= kSaveFormCobIdVersion)
        out.u32(master.cobId);
    // The records written, so that the count always frames what follows.
    out.i32(records.size());
    for (const QByteArray& record : records) {
        out.u32(quint32(record.size()));
        out.bytes(record);
    }
    return out.take();
}

void CanMasterBridge::rebuildFromSave(ByteReader& in, CanMasterConfig& master,
                                      const QString& projectPath)
{
    master.projectPath = projectPath;
    quint32 objectId = 0;
    quint32 baud = 0;
    if (!in.u8(master.useCanopen) || !in.u8(master.nodeId) || !in.u32(baud))
        return;
    master.baudRate = qint32(baud);
    if (!in.u32(objectId))
        return;
    master.objectId = qint32(objectId);
    if (!in.u32(master.cyclePeriod) || !in.u16(master.heartbeat))
        return;
    if (getHwFileCreatedVerNum(projectPath) >= kSaveFormCobIdVersion && !in.u32(master.cobId))
        return;
    qint32 count = 0;
    if (!in.i32(count))
        return;
    for (qint32 i = 0; i < count; ++i) {
        quint32 length = 0;
        QByteArray record;
        if (!in.u32(length))
            return;
        if (length == 0xFFFFFFFF) // a null byte array
            continue;
        if (length > quint32(in.remaining()) || !in.bytes(int(length), record))
            return;
        if (record.isEmpty())
            continue;
        const quint8 type = quint8(record.at(0));
        const Interface iface = interfaceForType(type);
        if (!iface.restore) {
            debugLine(kModule, __LINE__, QStringLiteral("Slave Module IRestore NULL"));
            continue;
        }
        int consumed = 0;
        const int handle = iface.restore(record, projectPath, consumed);
        if (!handle) {
            debugLine(kModule, __LINE__, QStringLiteral("Slave Module Restore Error"));
            continue;
        }
        master.slaves.append(CanNodeEntry{handle, iface.pluginFile, type, iface});
    }
}

void CanMasterBridge::dumpDownload(ByteReader& in, QList<DumpField>& fields)
{
    DumpChannel ch(in, fields);
    quint8 nodeId = 0;
    quint8 baud = 0;
    quint8 count = 0;
    quint32 cobId = 0;
    quint32 cycle = 0;
    quint16 heartbeat = 0;
    downloadHead(ch, nodeId, baud, cobId, cycle, heartbeat, count);
    for (int i = 0; i < count; ++i) {
        ch.group(QStringLiteral("slave %1").arg(i));
        quint16 length = 0;
        const bool ok = ch.u16("record length", length) && length >= 2;
        QByteArray record;
        const int at = in.pos();
        if (ok && in.bytes(length - 2, record))
            ch.add(QStringLiteral("record"), at, record.size(),
                   QString::fromLatin1(record.toHex(' ').toUpper()));
        ch.endGroup();
        if (record.isEmpty() && !(ok && length == 2))
            break;
    }
}

void CanMasterBridge::dumpSave(ByteReader& in, QList<DumpField>& fields)
{
    // The bytes do not say whether the project is older than the COB ID: the form whose
    // records fill the section tells, and the newer one where both or neither do.
    const bool withCobId = saveFormFits(in, true) || !saveFormFits(in, false);
    DumpChannel ch(in, fields);
    quint8 use = 0;
    quint8 nodeId = 0;
    qint32 baud = 0;
    qint32 objectId = 0;
    quint32 cycle = 0;
    quint16 heartbeat = 0;
    quint32 cobId = 0;
    qint32 count = 0;
    if (!(ch.u8("use CANopen", use) && ch.u8("node id", nodeId) && ch.i32("baud rate", baud) &&
          ch.i32("object id", objectId) && ch.u32("cycle period (us)", cycle) &&
          ch.u16("heartbeat time (ms)", heartbeat) && (!withCobId || ch.u32("COB ID", cobId)) &&
          ch.i32("slave count", count)))
        return;
    for (qint32 i = 0; i < count; ++i) {
        quint32 length = 0;
        QByteArray record;
        ch.group(QStringLiteral("slave %1").arg(i));
        const bool ok = ch.u32("record length", length) &&
                        (length == 0xFFFFFFFF || length <= quint32(in.remaining()));
        const int at = in.pos();
        if (ok && length != 0xFFFFFFFF && in.bytes(int(length), record))
            ch.add(QStringLiteral("record"), at, record.size(),
                   QString::fromLatin1(record.toHex(' ').toUpper()));
        ch.endGroup();
        if (!ok)
            break;
    }
}
