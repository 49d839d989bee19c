#include "extcardsection.h"

#include "bytewriter.h"
#include "sectionid.h"

#include "model/debuglog.h"

namespace {

// A flag written as 0/1, read as it stands.
template <typename Ch>
bool flag(Ch& ch, const char* name, quint8& value)
{
    quint8 bit = value ? 1 : 0;
    quint8& target = Ch::Writing ? bit : value;
    return ch.u8(name, target);
}

template <typename Ch>
bool serialGroup(Ch& ch, SerialChannel& s, const char* group)
{
    ch.group(QString::fromLatin1(group));
    const bool ok = flag(ch, "enabled", s.enabled) && ch.u8("port", s.port) &&
                    ch.u8("protocol", s.protocol) && ch.u8("baud rate", s.baud) &&
                    ch.u8("data length", s.dataLength) && ch.u8("parity", s.parity) &&
                    ch.u8("stop bits", s.stopBits) && ch.u8("response time", s.responseTime) &&
                    ch.u8("address", s.address) && ch.u16("receive timeout", s.receiveTimeout) &&
                    ch.zeros(2);
    ch.endGroup();
    return ok;
}

template <typename Ch>
bool can485Part(Ch& ch, Can485Params& p)
{
    return serialGroup(ch, p.channel0, "channel 0") && flag(ch, "CAN enabled", p.canEnabled) &&
           ch.u8("CAN port", p.canPort) && ch.u8("CAN protocol", p.canProtocol) && ch.zeros(4);
}

template <typename Ch>
bool rtc485Part(Ch& ch, Rtc485Params& p)
{
    return ch.u8("RTC enabled", p.rtcEnabled) && serialGroup(ch, p.channel0, "channel 0") &&
           serialGroup(ch, p.channel1, "channel 1");
}

// The low byte of a 32-bit channel member: the record keeps them little-endian.
template <typename Ch>
bool lowByte(Ch& ch, const char* name, quint32& value)
{
    quint8 b = quint8(value);
    if (!ch.u8(name, b))
        return false;
    if constexpr (!Ch::Writing)
        value = b;
    return true;
}

template <typename Ch>
bool dix06Part(Ch& ch, std::array<Dix06Channel, CardRecord::Dix06Channels>& channels)
{
    for (int k = 0; k < CardRecord::Dix06Channels; ++k) {
        quint8 index = quint8(k);
        ch.group(QStringLiteral("channel %1").arg(k));
        if (!ch.u8("channel", index) || index >= CardRecord::Dix06Channels) {
            ch.endGroup();
            return false;
        }
        Dix06Channel& c = channels[index];
        const bool ok = lowByte(ch, "direction", c.direction) && lowByte(ch, "filter", c.filter) &&
                        lowByte(ch, "freeze", c.freeze) && lowByte(ch, "area", c.area) &&
                        ch.u32("bit address", c.bitAddress) && ch.u8("byte 20", c.byte20);
        ch.endGroup();
        if (!ok)
            return false;
    }
    return true;
}

template <typename Ch>
bool analogChannels(Ch& ch, QList<AnalogChannel>& list, const char* group)
{
    quint8 count = quint8(list.size());
    if (!ch.u8(group, count))
        return false;
    if constexpr (Ch::Writing) {
        for (AnalogChannel c : list) {
            quint16 length = quint16(c.size());
            ch.u16("length", length);
            ch.array("channel", c);
        }
        return true;
    } else {
        QList<AnalogChannel> read;
        for (int i = 0; i < count; ++i) {
            quint16 length = 0;
            AnalogChannel c{};
            // A channel record of another length is taken as far as it fits.
            if (!ch.u16("length", length) || length < c.size() || !ch.array("channel", c) ||
                !ch.zeros(length - int(c.size())))
                return false;
            read.append(c);
        }
        list = read;
        return true;
    }
}

template <typename Ch>
bool amx05Part(Ch& ch, Amx05Params& p)
{
    return ch.u8("input area", p.inputArea) && ch.u16("input start word", p.inputStart) &&
           ch.u8("input words", p.inputWords) && ch.u8("output area", p.outputArea) &&
           ch.u16("output start word", p.outputStart) && ch.u8("output words", p.outputWords) &&
           analogChannels(ch, p.inputs, "input channels") &&
           analogChannels(ch, p.outputs, "output channels");
}

// The body; the RTC card's bytes are whatever follows up to the body's end.
template <typename Ch>
bool bodyFields(Ch& ch, CardRecord& card, ByteReader* in)
{
    if (!ch.u8("slot", card.slot) || !flag(ch, "activated", card.activated) ||
        !ch.u8("card type", card.type))
        return false;
    if (card.type < 1 || card.type > 6)
        return true;
    if (!ch.text8("name", card.name) || !ch.text8("description", card.description) || !ch.zeros(4))
        return false;
    switch (CardType(card.type)) {
    case CardType::Can485:
        return can485Part(ch, card.can485);
    case CardType::Rtc485:
        return rtc485Part(ch, card.rtc485);
    case CardType::Amx05:
        return amx05Part(ch, card.amx05);
    case CardType::Rtc:
        if constexpr (Ch::Writing) {
            ch.writer().bytes(card.rtcData);
            return true;
        } else {
            return in->bytes(in->remaining(), card.rtcData);
        }
    case CardType::Dix06:
        return dix06Part(ch, card.dix06);
    default:
        return true;
    }
}

} // namespace

QByteArray ExtCardSection::writeBody(const CardRecord& card)
{
    ByteWriter out;
    WriteChannel ch(out);
    CardRecord copy = card;
    bodyFields(ch, copy, nullptr);
    return out.take();
}

QByteArray ExtCardSection::write(const CpuObject& object)
{
    ByteWriter out;
    const int head = out.beginSection(1, quint8(SectionId::ExtCard));
    out.u8(quint8(object.cards.size()));
    for (const CardRecord& card : object.cards) {
        const QByteArray body = writeBody(card);
        out.u16(quint16(body.size()));
        out.bytes(body);
        out.zeros(4);
    }
    out.endSection(head);
    if (debugLogEnabled())
        debugLine("CorvoCodeBlock", __LINE__,
                  QStringLiteral("SEC_ID_EXT_CARD ") + QString::fromLatin1(out.data().toHex(' ')));
    return out.take();
}

bool ExtCardSection::read(CpuObject& object, ByteReader& whole)
{
    ByteReader::Section s;
    ByteReader& section = s.payload;
    quint8 count = 0;
    if (!whole.openSection(s) || !section.u8(count))
        return false;
    for (int i = 0; i < count; ++i) {
        quint16 length = 0;
        if (!section.u16(length) || length > section.remaining())
            return false;
        ByteReader body = section.sub(length);
        if (!section.skip(length) || !section.skip(4))
            return false;
        quint8 slot = 0;
        if (!body.sub(1).u8(slot) || slot >= object.cards.size())
            continue;
        ReadChannel ch(body);
        if (!bodyFields(ch, object.cards[slot], &body))
            return false;
    }
    return true;
}

void ExtCardSection::dump(ByteReader& whole, QList<DumpField>& fields)
{
    ByteReader::Section s;
    ByteReader& section = s.payload;
    DumpChannel ch(section, fields);
    quint8 count = 0;
    if (!whole.openSection(s) || !ch.u8("card records", count))
        return;
    for (int i = 0; i < count; ++i) {
        quint16 length = 0;
        ch.group(QStringLiteral("card %1").arg(i));
        if (!ch.u16("body length", length) || length > section.remaining()) {
            ch.endGroup();
            return;
        }
        ByteReader body = section.sub(length);
        section.skip(length);
        DumpChannel bodyChannel(body, fields);
        bodyChannel.group(QStringLiteral("card %1").arg(i));
        CardRecord card;
        bodyFields(bodyChannel, card, &body);
        if (card.type == quint8(CardType::Rtc))
            bodyChannel.add(QStringLiteral("RTC data"), body.pos() - card.rtcData.size(),
                            card.rtcData.size(), QString::fromLatin1(card.rtcData.toHex(' ')));
        ch.zeros(4);
        ch.endGroup();
    }
}
