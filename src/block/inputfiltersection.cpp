#include "inputfiltersection.h"

#include "bytes/bytewriter.h"

QByteArray InputFilterSection::write(const CpuObject& object, SectionId id)
{
    ByteWriter out;
    const int head = out.beginSection(1, quint8(id));
    out.u8(object.inputFilterCount);
    QByteArray codes = object.inputFilterCodes;
    // The compact section holds exactly one 4-bit code per input; codes read from a
    // grouped section of another model must not leave bytes its reader would not take.
    if (id == SectionId::LocalFilterCompact)
        codes = codes.leftJustified((object.inputFilterCount + 1) / 2, char(0xDD), true);
    out.bytes(codes);
    out.endSection(head);
    return out.take();
}

bool InputFilterSection::read(CpuObject& object, ByteReader& section, SectionId id)
{
    ByteReader::Section s;
    ByteReader& in = s.payload;
    if (!section.openSection(s) || !in.u8(object.inputFilterCount))
        return false;
    if (id == SectionId::LocalDiFilter)
        return in.bytes(in.remaining(), object.inputFilterCodes);
    return in.bytes((object.inputFilterCount + 1) / 2, object.inputFilterCodes);
}

void InputFilterSection::dump(ByteReader& section, QList<DumpField>& fields)
{
    ByteReader::Section s;
    ByteReader& in = s.payload;
    DumpChannel ch(in, fields);
    quint8 count = 0;
    QByteArray codes;
    if (!section.openSection(s) || !ch.u8("input count", count))
        return;
    const int at = in.pos();
    in.bytes(in.remaining(), codes);
    ch.add(QStringLiteral("filter codes"), at, codes.size(),
           QString::fromLatin1(codes.toHex(' ').toUpper()));
}
