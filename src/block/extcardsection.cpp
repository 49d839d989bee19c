#include "extcardsection.h"

#include "bytes/bytewriter.h"
#include "sectionid.h"

#include "model/cardlists.h"
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

// A list code; tools see the entry's text beside it.
template <typename Ch>
bool code(Ch& ch, const char* label, quint8& value, const QVector<CardChoice>& list)
{
    if constexpr (Ch::Dumping) {
        const int at = ch.reader().pos();
        if (!ch.reader().u8(value))
            return false;
        const QString text = CardLists::textOf(list, value);
        ch.add(QString::fromUtf8(label), at, 1,
               text.isEmpty() ? QString::number(value)
                              : QStringLiteral("%1 (%2)").arg(value).arg(text));
        return true;
    } else {
        return ch.u8(label, value);
    }
}

template <typename Ch>
bool serialGroup(Ch& ch, SerialChannel& s, const char* group)
{
    ch.group(QString::fromLatin1(group));
    const bool ok = flag(ch, "Enable Channel", s.enabled) && ch.u8("Port Number", s.port) &&
                    code(ch, "Protocol Type", s.protocol, CardLists::protocols()) &&
                    code(ch, "Baud Rate", s.baud, CardLists::baudRates()) &&
                    code(ch, "Data Length", s.dataLength, CardLists::dataLengths()) &&
                    code(ch, "Parity", s.parity, CardLists::parities()) &&
                    code(ch, "Stop Bits", s.stopBits, CardLists::stopBits()) &&
                    ch.u8("Response Time (ms)", s.responseTime) && ch.u8("Address", s.address) &&
                    ch.u16("Receive Timeout (ms)", s.receiveTimeout) && ch.zeros(2);
    ch.endGroup();
    return ok;
}

template <typename Ch>
bool can485Part(Ch& ch, Can485Params& p)
{
    if (!serialGroup(ch, p.channel0, "channel 0"))
        return false;
    ch.group(QStringLiteral("channel 1 (CAN)"));
    const bool ok = flag(ch, "Enable Channel", p.canEnabled) && ch.u8("Port Number", p.canPort) &&
                    code(ch, "Protocol Type", p.canProtocol, CardLists::canProtocols()) &&
                    ch.zeros(4);
    ch.endGroup();
    return ok;
}

template <typename Ch>
bool rtc485Part(Ch& ch, Rtc485Params& p)
{
    return ch.u8("RTC", p.rtcEnabled) && serialGroup(ch, p.channel0, "channel 0") &&
           serialGroup(ch, p.channel1, "channel 1");
}

// The low byte of a 32-bit channel member: the record keeps them little-endian.
template <typename Ch>
bool lowByte(Ch& ch, const char* name, quint32& value, const QVector<CardChoice>& list)
{
    quint8 b = quint8(value);
    if (!code(ch, name, b, list))
        return false;
    if constexpr (!Ch::Writing)
        value = b;
    return true;
}

// A bit address; tools see it as byte.bit.
template <typename Ch>
bool bitAddress(Ch& ch, quint32& value)
{
    if constexpr (Ch::Dumping) {
        const int at = ch.reader().pos();
        if (!ch.reader().u32(value))
            return false;
        ch.add(QStringLiteral("Address"), at, 4,
               QStringLiteral("%1 (%2.%3)").arg(value).arg(value / 8).arg(value % 8));
        return true;
    } else {
        return ch.u32("Address", value);
    }
}

template <typename Ch>
bool dix06Part(Ch& ch, std::array<Dix06Channel, CardRecord::Dix06Channels>& channels)
{
    for (int k = 0; k < CardRecord::Dix06Channels; ++k) {
        quint8 index = quint8(k);
        ch.group(QStringLiteral("channel %1").arg(k));
        if (!ch.u8("Channel", index) || index >= CardRecord::Dix06Channels) {
            ch.endGroup();
            return false;
        }
        Dix06Channel& c = channels[index];
        const bool ok =
            lowByte(ch, "Direction", c.direction, CardLists::directions()) &&
            lowByte(ch, "Filter", c.filter, CardLists::inputFilters()) &&
            lowByte(ch, "Freeze Output", c.freeze, CardLists::outputFreeze()) &&
            lowByte(ch, "Area", c.area, CardLists::inputAreas() + CardLists::outputAreas()) &&
            bitAddress(ch, c.bitAddress) && ch.u8("byte 20", c.byte20);
        ch.endGroup();
        if (!ok)
            return false;
    }
    return true;
}

// An analog channel record field by field, for tools.
bool dumpAnalog(DumpChannel& ch, AnalogChannel& c, bool output)
{
    const int at = ch.reader().pos();
    if (!ch.reader().raw(c.data(), int(c.size())))
        return false;
    auto field = [&](int offset, int size, const char* label, int value,
                     const QVector<CardChoice>& list = {}) {
        const QString text = CardLists::textOf(list, value);
        ch.add(QString::fromUtf8(label), at + offset, size,
               text.isEmpty() ? QString::number(value)
                              : QStringLiteral("%1 (%2)").arg(value).arg(text));
    };
    field(1, 1, "Channel", c[1]);
    if (output) {
        field(2, 1, "Freeze outputs in last state", c[2]);
        field(4, 2, "Output Value", c[4] << 8 | c[5]);
        field(6, 1, "Enable Channel", c[6]);
        field(7, 1, "Output Range", c[7], CardLists::outputRanges());
    } else {
        field(2, 1, "Filter Parameter", c[2]);
        field(3, 1, "Enable Channel", c[3]);
        field(4, 1, "Filter Time", c[4], CardLists::filterTimes());
        field(5, 1, "Input Rang", c[5], CardLists::inputRanges());
        field(6, 1, "Open Wire Detect", c[6], CardLists::openWireDetect());
        field(7, 1, "Direction", c[7], CardLists::analogDirections());
    }
    return true;
}

template <typename Ch>
bool analogChannels(Ch& ch, QList<AnalogChannel>& list, const char* group)
{
    const bool output = qstrcmp(group, "output channels") == 0;
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
            if (!ch.u16("length", length) || length < c.size())
                return false;
            bool ok = false;
            if constexpr (Ch::Dumping) {
                ch.group(QStringLiteral("%1 %2").arg(QString::fromLatin1(group)).arg(i));
                ok = dumpAnalog(ch, c, output);
                ch.endGroup();
            } else {
                ok = ch.array("channel", c);
            }
            if (!ok || !ch.zeros(length - int(c.size())))
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
    static const QVector<CardChoice> areas{{"AIEx", Amx05Params::InputArea},
                                           {"AQEx", Amx05Params::OutputArea}};
    return code(ch, "Input address mapper / area", p.inputArea, areas) &&
           ch.u16("Input address mapper / start (byte)", p.inputStart) &&
           ch.u8("Input address mapper / Words", p.inputWords) &&
           code(ch, "Output address mapper / area", p.outputArea, areas) &&
           ch.u16("Output address mapper / start (byte)", p.outputStart) &&
           ch.u8("Output address mapper / Words", p.outputWords) &&
           analogChannels(ch, p.inputs, "input channels") &&
           analogChannels(ch, p.outputs, "output channels");
}

// The body; the RTC card's bytes are whatever follows up to the body's end.
template <typename Ch>
bool bodyFields(Ch& ch, CardRecord& card, ByteReader* in)
{
    static const QVector<CardChoice> slotNames{{"Upper slot", 0}, {"Lower slot", 1}};
    if (!code(ch, "Slot", card.slot, slotNames) || !flag(ch, "Activate", card.activated) ||
        !code(ch, "Module", card.type, CardLists::cardTypes()))
        return false;
    if (card.type < 1 || card.type > 6)
        return true;
    if (!ch.text8("Name", card.name) || !ch.text8("Information", card.description) || !ch.zeros(4))
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
            bodyChannel.add(QStringLiteral("RTC"), body.pos() - card.rtcData.size(),
                            card.rtcData.size(), QString::fromLatin1(card.rtcData.toHex(' ')));
        ch.zeros(4);
        ch.endGroup();
    }
}
