#include "slavelistsection.h"

#include "bytes/bytewriter.h"
#include "sectionid.h"

#include "model/slavepluginname.h"
#include "model/slaveregistry.h"

namespace {

enum class Width { U16, U32 };

// The slaves whose plug-ins produce a download record, with those records.
QList<QPair<const SlaveEntry*, QByteArray>> records(const QList<SlaveEntry>& slaves, Width width)
{
    QList<QPair<const SlaveEntry*, QByteArray>> list;
    for (const SlaveEntry& slave : slaves) {
        QByteArray record;
        if (!slave.iface.compile || slave.iface.compile(slave.handle, record) != 0)
            continue;
        if (width == Width::U16 && record.size() > 0xFFFF)
            continue;
        list.append({&slave, record});
    }
    return list;
}

void writeSlaves(ByteWriter& out, const QList<SlaveEntry>& slaves, Width width)
{
    // Only slaves with a record are counted, so the count frames what follows.
    const auto produced = records(slaves, width);
    out.u16(quint16(qMin(produced.size(), 0xFFFF)));
    for (int i = 0; i < produced.size() && i < 0xFFFF; ++i) {
        out.text8(SlavePluginName::storable(produced.at(i).first->pluginPath));
        if (width == Width::U16)
            out.u16(quint16(produced.at(i).second.size()));
        else
            out.u32(quint32(produced.at(i).second.size()));
        out.bytes(produced.at(i).second);
    }
}

bool readSlaves(ByteReader& in, QList<SlaveEntry>& list, Width width, const QString& projectPath)
{
    quint16 count = 0;
    if (!in.u16(count))
        return false;
    for (int i = 0; i < count; ++i) {
        QString stored;
        quint32 length = 0;
        quint16 length16 = 0;
        if (!in.text8(stored))
            return false;
        if (width == Width::U16) {
            if (!in.u16(length16))
                return false;
            length = length16;
        } else if (!in.u32(length)) {
            return false;
        }
        QByteArray record;
        if (length > quint32(in.remaining()) || !in.bytes(int(length), record))
            return false;
        const Interface iface = SlavePluginName::resolveStored(stored);
        if (!iface.recompile)
            continue;
        int consumed = 0;
        int error = 0;
        const int handle = iface.recompile(record, projectPath, consumed, error);
        if (handle)
            SlaveRegistry::insertFromBlock(list, SlaveEntry{handle, iface.pluginFile, iface});
    }
    return true;
}

void dumpSlaves(DumpChannel& ch, ByteReader& in, Width width)
{
    quint16 count = 0;
    if (!ch.u16("slave count", count))
        return;
    for (int i = 0; i < count; ++i) {
        ch.group(QStringLiteral("slave %1").arg(i));
        QString plugin;
        quint32 length = 0;
        quint16 length16 = 0;
        bool ok = ch.text8("plug-in", plugin);
        if (ok && width == Width::U16) {
            ok = ch.u16("record length", length16);
            length = length16;
        } else if (ok) {
            ok = ch.u32("record length", length);
        }
        QByteArray record;
        const int at = in.pos();
        ok = ok && length <= quint32(in.remaining()) && in.bytes(int(length), record);
        if (ok)
            ch.add(QStringLiteral("record"), at, record.size(),
                   QString::fromLatin1(record.toHex(' ').toUpper()));
        ch.endGroup();
        if (!ok)
            return;
    }
}

} // namespace

QByteArray SlaveListSection::writeQbus(CpuObject& object)
{
    SlaveRegistry::sortByNodeId(object.qbus.slaves);
    ByteWriter out;
    const int head = out.beginSection(1, quint8(SectionId::QbusSlaves));
    out.u8(object.qbus.masterEnabled ? 1 : 0);
    out.u8(object.qbus.protocolType);
    out.u8(0);
    writeSlaves(out, object.qbus.slaves, Width::U16);
    out.endSection(head);
    return out.take();
}

QByteArray SlaveListSection::writeEip(const CpuObject& object)
{
    ByteWriter out;
    const int head = out.beginSection(1, quint8(SectionId::EipSlaves));
    out.u8(object.eip.enabled ? 1 : 0);
    writeSlaves(out, object.eip.slaves, Width::U32);
    out.endSection(head);
    return out.take();
}

// Only a whole section is read.
bool SlaveListSection::readQbus(CpuObject& object, ByteReader& section)
{
    ByteReader::Section s;
    ByteReader& in = s.payload;
    if (!section.openSection(s) || !s.complete)
        return false;
    quint8 enabled = 0;
    quint8 skipped = 0;
    if (!in.u8(enabled))
        return false;
    object.qbus.masterEnabled = enabled == 1 ? 1 : 0;
    if (!in.u8(object.qbus.protocolType) || !in.u8(skipped) || !in.skip(skipped))
        return false;
    return readSlaves(in, object.qbus.slaves, Width::U16, object.projectPath);
}

bool SlaveListSection::readEip(CpuObject& object, ByteReader& section)
{
    ByteReader::Section s;
    ByteReader& in = s.payload;
    if (!section.openSection(s) || !s.complete)
        return false;
    quint8 enabled = 0;
    if (!in.u8(enabled))
        return false;
    object.eip.enabled = enabled == 1 ? 1 : 0;
    return readSlaves(in, object.eip.slaves, Width::U32, object.projectPath);
}

void SlaveListSection::dumpQbus(ByteReader& section, QList<DumpField>& fields)
{
    ByteReader::Section s;
    DumpChannel ch(s.payload, fields);
    quint8 value = 0;
    quint8 skipped = 0;
    if (!section.openSection(s) || !ch.u8("use QBUS bus master", value) ||
        !ch.u8("protocol type", value) || !ch.u8("extra bytes", skipped) || !ch.zeros(skipped))
        return;
    dumpSlaves(ch, s.payload, Width::U16);
}

void SlaveListSection::dumpEip(ByteReader& section, QList<DumpField>& fields)
{
    ByteReader::Section s;
    DumpChannel ch(s.payload, fields);
    quint8 value = 0;
    if (!section.openSection(s) || !ch.u8("EtherNet/IP enabled", value))
        return;
    dumpSlaves(ch, s.payload, Width::U32);
}
