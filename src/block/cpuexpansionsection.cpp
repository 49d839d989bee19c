#include "cpuexpansionsection.h"

#include "sectionid.h"

QByteArray CpuExpansionSection::write(const CpuObject& object)
{
    ByteWriter out;
    const int head = out.beginSection(0, quint8(SectionId::CpuExpansion));
    out.u8(object.extBusClock);
    out.endSection(head);
    return out.take();
}

bool CpuExpansionSection::read(CpuObject& object, ByteReader& section)
{
    ByteReader::Section s;
    return section.openSection(s) && s.payload.u8(object.extBusClock);
}

void CpuExpansionSection::dump(ByteReader& section, QList<DumpField>& fields)
{
    ByteReader::Section s;
    if (!section.openSection(s))
        return;
    DumpChannel ch(s.payload, fields);
    quint8 clock = 0;
    ch.u8("extension-bus clock", clock);
}
