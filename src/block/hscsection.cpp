#include "hscsection.h"

#include "bytes/bytewriter.h"
#include "sectionid.h"

namespace {

constexpr quint16 kChannelTag = 0x0E96;

template <typename Ch>
bool channelFields(Ch& ch, HscChannel& c)
{
    return ch.u8("control", c.control) && ch.u8("mode and enable", c.modeEnable) &&
           ch.u32("preset value", c.preset) && ch.u32("current value", c.current) &&
           ch.u8("input pulse filter", c.filterIndex) && ch.u16("speed-testing time", c.speedTime);
}

} // namespace

QByteArray HscSection::write(const CpuObject& object)
{
    ByteWriter out;
    const int head = out.beginSection(1, quint8(SectionId::LocalHsc));
    WriteChannel ch(out);
    for (HscChannel channel : object.hsc) {
        out.u16(kChannelTag);
        channelFields(ch, channel);
    }
    out.zeros(2);
    out.endSection(head);
    return out.take();
}

bool HscSection::read(CpuObject& object, ByteReader& section)
{
    // Only a whole section is read.
    ByteReader::Section s;
    ByteReader& in = s.payload;
    if (!section.openSection(s) || !s.complete || in.atEnd())
        return false;
    ReadChannel ch(in);
    for (HscChannel& channel : object.hsc) {
        if (!in.skip(2) || !channelFields(ch, channel))
            return false;
    }
    return true;
}

void HscSection::dump(ByteReader& section, QList<DumpField>& fields)
{
    ByteReader::Section s;
    DumpChannel ch(s.payload, fields);
    if (!section.openSection(s))
        return;
    for (int i = 0; i < CpuObject::HscCount; ++i) {
        HscChannel channel;
        quint16 tag = 0;
        ch.group(QStringLiteral("channel %1").arg(i));
        const bool ok = ch.u16("tag", tag) && channelFields(ch, channel);
        ch.endGroup();
        if (!ok)
            return;
    }
    ch.zeros(2);
}
