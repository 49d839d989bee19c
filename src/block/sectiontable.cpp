#include "sectiontable.h"

#include "cpuexpansionsection.h"
#include "cpuparamsection.h"

namespace {

bool always(const CpuObject&)
{
    return true;
}

QVector<SectionSpec> buildTable()
{
    return {
        {SectionId::CpuParam, 0, "SEC_ID_CPU_PARAM", "CPU parameters", always,
         [](CpuObject& o, WriteMode mode, QList<int>& errors) {
             return CpuParamSection::write(o, mode, errors);
         },
         [](CpuObject& o, ByteReader& section, const ReadContext&) {
             return CpuParamSection::read(o, section);
         },
         CpuParamSection::dump},
        {SectionId::CpuExpansion, 0, "SEC_ID_CPU_EXPANSION", "CPU expansion", always,
         [](CpuObject& o, WriteMode, QList<int>&) { return CpuExpansionSection::write(o); },
         [](CpuObject& o, ByteReader& section, const ReadContext&) {
             return CpuExpansionSection::read(o, section);
         },
         CpuExpansionSection::dump},
    };
}

} // namespace

const QVector<SectionSpec>& SectionTable::sections()
{
    static const QVector<SectionSpec> table = buildTable();
    return table;
}

const SectionSpec* SectionTable::find(quint8 id)
{
    for (const SectionSpec& spec : sections()) {
        if (quint8(spec.id) == id)
            return &spec;
    }
    return nullptr;
}

QString SectionTable::title(quint8 id)
{
    if (id == quint8(SectionId::ModuleInfo))
        return QStringLiteral("module information");
    if (const SectionSpec* spec = find(id))
        return QString::fromLatin1(spec->title);
    return QStringLiteral("section %1").arg(id);
}
