#include "ethercatsection.h"

#include "bytes/bytewriter.h"

#include "model/slavepluginname.h"
#include "model/slaveregistry.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

template <typename Ch>
bool settingsFields(Ch& ch, EtherCatSettings& s)
{
    return ch.u8("redundancy", s.redundancy) && ch.u32("task interval (ms)", s.taskInterval) &&
           ch.u8("distributed clock", s.dcEnabled) &&
           ch.u32("distributed-clock cycle (us)", s.dcCycleTime) &&
           ch.u8("sync offset (%)", s.syncOffset) &&
           ch.u8("sync window monitor", s.syncWindowMonitor) &&
           ch.u32("sync window (us)", s.syncWindow) && ch.zeros(16);
}

// Reads the settings; one-byte fields that are missing become 0, the others keep their
// values.
void readSettings(ByteReader& in, EtherCatSettings& s)
{
    bool ended = false;
    auto byte = [&](quint8& v) {
        ended = ended || !in.u8(v);
        if (ended)
            v = 0;
    };
    auto word = [&](quint32& v) {
        ended = ended || !in.u32(v);
    };
    byte(s.redundancy);
    word(s.taskInterval);
    byte(s.dcEnabled);
    word(s.dcCycleTime);
    byte(s.syncOffset);
    byte(s.syncWindowMonitor);
    word(s.syncWindow);
}

void writeLog(const QString& projectPath, const QString& text)
{
    if (projectPath.isEmpty())
        return; // no project, no folder to write into
    QFile file(EtherCatSection::logFilePath(projectPath));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.toLocal8Bit());
}

} // namespace

QString EtherCatSection::logFilePath(const QString& projectPath)
{
    return QFileInfo(projectPath).absolutePath() + QStringLiteral("/hwcompilelog");
}

QByteArray EtherCatSection::write(CpuObject& object, WriteMode mode)
{
    ByteWriter out;
    const int head = out.beginSection(0, quint8(SectionId::EtherCat));
    WriteChannel ch(out);
    settingsFields(ch, object.etherCat);

    QString log = QString::fromLatin1(logPrefix());
    bool changed = false;
    ByteWriter records;
    int count = 0;
    for (const SlaveEntry& slave : object.etherCatSlaves) {
        const Interface& iface = slave.iface;
        QByteArray record;
        bool produced = false;
        if (mode == WriteMode::Save && iface.save) {
            record = iface.save(slave.handle);
            produced = !record.isEmpty();
        } else if (mode == WriteMode::Download && iface.compile) {
            produced = iface.compile(slave.handle, record) == 0;
        }
        if (iface.ioMapChanged && iface.ioMapChanged(slave.handle)) {
            changed = true;
            log += QString::number(SlaveRegistry::nodeIdOf(iface, slave.handle)) + QLatin1Char(' ');
        }
        // A slave without a record is left out whole, so the count frames what follows.
        if (!produced)
            continue;
        records.text8(SlavePluginName::storable(slave.pluginPath));
        records.bytes(record);
        count += 1 + (iface.children ? iface.children(slave.handle).size() : 0);
    }
    out.u8(quint8(count));
    out.bytes(records.data());
    out.endSection(head);
    if (changed)
        writeLog(object.projectPath, log);
    return out.take();
}

QByteArray EtherCatSection::writeOld(CpuObject& object, WriteMode mode)
{
    SlaveRegistry::sortByNodeId(object.etherCatSlaves);
    ByteWriter out;
    const int head = out.beginSection(0, quint8(SectionId::EtherCat));
    WriteChannel ch(out);
    settingsFields(ch, object.etherCat);
    ByteWriter records;
    int count = 0;
    for (const SlaveEntry& slave : object.etherCatSlaves) {
        QByteArray record;
        bool produced = false;
        if (mode == WriteMode::Save && slave.iface.save) {
            record = slave.iface.save(slave.handle);
            produced = true;
        } else if (mode == WriteMode::Download && slave.iface.compileOld) {
            produced = slave.iface.compileOld(slave.handle, record) == 0;
        }
        if (!produced || record.size() > 0xFFFF)
            continue;
        records.text8(SlavePluginName::storable(slave.pluginPath));
        records.u16(quint16(record.size()));
        records.bytes(record);
        ++count;
    }
    out.u8(quint8(count));
    out.bytes(records.data());
    out.endSection(head);
    return out.take();
}

bool EtherCatSection::read(CpuObject& object, ByteReader& whole, const ReadContext& context)
{
    object.etherCat.enabled = 1;
    ByteReader::Section s;
    if (!whole.openSection(s))
        return false;
    ByteReader& section = s.payload;
    readSettings(section, object.etherCat);
    quint8 count = 0;
    if (!section.skip(16) || !section.u8(count))
        return false;
    int processed = 0;
    while (processed < count) {
        QString stored;
        if (!section.text8(stored))
            return false;
        const Interface iface = SlavePluginName::resolveStored(stored);
        const QByteArray rest = section.data().mid(section.pos(), section.remaining());
        int consumed = 0;
        int handle = 0;
        if (context.source == WriteMode::Download && iface.recompile) {
            int error = 0;
            handle = iface.recompile(rest, object.projectPath, consumed, error);
        } else if (context.source == WriteMode::Save && context.clone && iface.clone) {
            handle = iface.clone(rest, object.projectPath, consumed);
        } else if (context.source == WriteMode::Save && !context.clone && iface.restore) {
            handle = iface.restore(rest, object.projectPath, consumed);
        }
        // Without a plug-in that says where its record ends, nothing after it can be found.
        if (consumed <= 0 || !section.skip(consumed))
            return false;
        const bool listed =
            std::any_of(object.etherCatSlaves.begin(), object.etherCatSlaves.end(),
                        [handle](const SlaveEntry& e) { return e.handle == handle; });
        if (handle && !listed) {
            SlaveRegistry::insertFromBlock(object.etherCatSlaves,
                                           SlaveEntry{handle, iface.pluginFile, iface});
            processed += iface.children ? iface.children(handle).size() : 0;
        }
        ++processed;
    }
    return true;
}

void EtherCatSection::dump(ByteReader& whole, QList<DumpField>& fields)
{
    ByteReader::Section s;
    ByteReader& section = s.payload;
    DumpChannel ch(section, fields);
    EtherCatSettings settings;
    quint8 count = 0;
    if (!whole.openSection(s) || !settingsFields(ch, settings) ||
        !ch.u8("slave count (with children)", count))
        return;
    if (section.remaining() > 0)
        ch.add(QStringLiteral("slave records"), section.pos(), section.remaining(),
               QString::fromLatin1(
                   section.data().mid(section.pos(), section.remaining()).toHex(' ').toUpper()));
}
