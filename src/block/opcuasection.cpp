#include "opcuasection.h"

#include "bytes/bytewriter.h"
#include "sectionid.h"

#include "opcua/opcuadump.h"

namespace {

bool readPayload(ByteReader& in, QByteArray& payload)
{
    qint32 length = 0;
    QByteArray bytes;
    if (!in.i32(length) || length < 4 || !in.bytes(length - 4, bytes))
        return false;
    payload = bytes;
    return true;
}

} // namespace

QByteArray OpcUaSection::write(const CpuObject& object)
{
    ByteWriter out;
    const int head = out.beginSection(0, quint8(SectionId::OpcUaServer));
    for (const QByteArray* payload : {&object.opcUaSettingsData, &object.opcUaInterfaceData}) {
        out.u32(quint32(payload->size() + 4));
        out.bytes(*payload);
    }
    out.endSection(head);
    return out.take();
}

bool OpcUaSection::read(CpuObject& object, ByteReader& section)
{
    ByteReader::Section s;
    return section.openSection(s) && readPayload(s.payload, object.opcUaSettingsData) &&
           readPayload(s.payload, object.opcUaInterfaceData);
}

void OpcUaSection::dump(ByteReader& section, QList<DumpField>& fields)
{
    ByteReader::Section s;
    ByteReader& in = s.payload;
    DumpChannel ch(in, fields);
    if (!section.openSection(s))
        return;
    using Decode = QList<DumpField> (*)(const QByteArray&);
    const std::pair<const char*, Decode> payloads[] = {{"settings", OpcUaDump::settings},
                                                       {"interface", OpcUaDump::interfaces}};
    for (const auto& [name, decode] : payloads) {
        quint32 length = 0;
        QByteArray bytes;
        ch.group(QString::fromLatin1(name));
        if (!ch.u32("length", length))
            return;
        const int at = in.pos();
        if (length < 4 || !in.bytes(int(qMin<quint32>(length - 4, quint32(in.remaining()))), bytes))
            return;
        for (const DumpField& field : decode(bytes))
            ch.add(field.name, at + field.offset, field.size, field.value);
        ch.endGroup();
    }
}
