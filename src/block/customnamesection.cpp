#include "customnamesection.h"

#include "bytes/bytewriter.h"
#include "sectionid.h"

namespace {

constexpr int kQbusLength = ByteReader::SectionHeadSize + 2 + CustomNameSection::NameBytes;

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

// Only a whole section is read. Flags are true only as 1; the name ends at its first zero
// byte.
bool read(ByteReader::Section& s, quint8& flag1, quint8& flag2, QString& name)
{
    if (!s.complete)
        return false;
    quint8 a = 0;
    quint8 b = 0;
    QByteArray raw;
    ByteReader& in = s.payload;
    if (!in.u8(a) || !in.u8(b) || !in.bytes(CustomNameSection::NameBytes, raw))
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
    ByteReader::Section s;
    if (!section.openSection(s) || !read(s, p.useBus, p.useCustomName, p.customName))
        return false;
    // Older blocks end after the name.
    quint8 other = 0;
    if (s.length > quint32(kQbusLength) && s.payload.u8(other))
        p.ipFromOtherSources = other == 1 ? 1 : 0;
    return true;
}

bool CustomNameSection::readQbus(CpuObject& object, ByteReader& section)
{
    QbusSettings& q = object.qbus;
    ByteReader::Section s;
    return section.openSection(s) && read(s, q.useSlave, q.useCustomName, q.customName);
}

void CustomNameSection::dump(ByteReader& section, QList<DumpField>& fields)
{
    ByteReader::Section s;
    ByteReader& in = s.payload;
    DumpChannel ch(in, fields);
    quint8 flag = 0;
    if (!section.openSection(s) || !ch.u8("use bus", flag) || !ch.u8("use custom name", flag))
        return;
    const int at = in.pos();
    QByteArray raw;
    if (!in.bytes(NameBytes, raw))
        return;
    const int end = raw.indexOf('\0');
    ch.add(QStringLiteral("custom name"), at, NameBytes,
           QStringLiteral("\"%1\"").arg(QString::fromLocal8Bit(end < 0 ? raw : raw.left(end))));
    if (in.remaining() > 0)
        ch.u8("IP from other sources", flag);
}
