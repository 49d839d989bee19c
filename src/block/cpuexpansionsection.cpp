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
    return section.skip(8) && section.u8(object.extBusClock);
}

void CpuExpansionSection::dump(ByteReader& section, QList<DumpField>& fields)
{
    DumpChannel ch(section, fields);
    quint8 clock = 0;
    section.skip(8) && ch.u8("extension-bus clock", clock);
}
