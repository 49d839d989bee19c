#include "customnamesection.h"

#include "bytewriter.h"
#include "sectionid.h"

namespace {

constexpr int kQbusLength = 8 + 2 + CustomNameSection::NameBytes;

QByteArray write(SectionId id, quint8 flag1, quint8 flag2, const QString& name, const quint8* last)
{
    ByteWriter out;
    const int head = out.beginSection(1, quint8(id));
    out.u8(flag1);
    out.u8(flag2);
    out.paddedText(name, CustomNameSection::NameBytes);
    if (last)
        out.u8(*last);
    out.endSection(head);
    return out.take();
}

// Flags are true only as 1; the name ends at its first zero byte.
bool read(ByteReader& section, quint8& flag1, quint8& flag2, QString& name, quint32& declared)
{
    if (!section.sub(4).u32(declared) || declared != quint32(section.remaining()))
        return false;
    quint8 a = 0;
    quint8 b = 0;
    QByteArray raw;
    if (!section.skip(8) || !section.u8(a) || !section.u8(b) ||
        !section.bytes(CustomNameSection::NameBytes, raw))
        return false;
    flag1 = a == 1 ? 1 : 0;
    flag2 = b == 1 ? 1 : 0;
    const int end = raw.indexOf('\0');
    name = QString::fromLocal8Bit(end < 0 ? raw : raw.left(end));
    return true;
}

} // namespace

QByteArray CustomNameSection::writeProfinet(const CpuObject& object)
{
    const ProfinetSettings& p = object.profinet;
    return write(SectionId::Profinet, p.useBus, p.useCustomName, p.customName,
                 &p.ipFromOtherSources);
}

QByteArray CustomNameSection::writeQbus(const CpuObject& object)
{
    const QbusSettings& q = object.qbus;
    return write(SectionId::QbusConfig, q.useSlave, q.useCustomName, q.customName, nullptr);
}

bool CustomNameSection::readProfinet(CpuObject& object, ByteReader& section)
{
    ProfinetSettings& p = object.profinet;
    quint32 declared = 0;
    if (!read(section, p.useBus, p.useCustomName, p.customName, declared))
        return false;
    quint8 other = 0;
    if (declared > quint32(kQbusLength) && section.u8(other))
        p.ipFromOtherSources = other == 1 ? 1 : 0;
    return true;
}

bool CustomNameSection::readQbus(CpuObject& object, ByteReader& section)
{
    quint32 declared = 0;
    return read(section, object.qbus.useSlave, object.qbus.useCustomName, object.qbus.customName,
                declared);
}

void CustomNameSection::dump(ByteReader& section, QList<DumpField>& fields)
{
    DumpChannel ch(section, fields);
    quint8 flag = 0;
    if (!section.skip(8) || !ch.u8("use bus", flag) || !ch.u8("use custom name", flag))
        return;
    const int at = section.pos();
    QByteArray raw;
    if (!section.bytes(NameBytes, raw))
        return;
    const int end = raw.indexOf('\0');
    ch.add(QStringLiteral("custom name"), at, NameBytes,
           QStringLiteral("\"%1\"").arg(QString::fromLocal8Bit(end < 0 ? raw : raw.left(end))));
    if (section.remaining() > 0)
        ch.u8("IP from other sources", flag);
}
