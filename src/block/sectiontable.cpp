#include "sectiontable.h"

#include "cpuexpansionsection.h"
#include "cpuparamsection.h"
#include "customnamesection.h"
#include "ethercatsection.h"
#include "extcardsection.h"
#include "hscsection.h"
#include "inputfiltersection.h"
#include "localcansection.h"
#include "localportsection.h"
#include "opcuasection.h"
#include "slavelistsection.h"

#include "model/cpumodel.h"

namespace {

bool always(const CpuObject&)
{
    return true;
}

// The models that carry the local input filter (28) and high-speed counter (29) sections.
bool hasLocalIoSections(const CpuObject& o)
{
    return CpuModel::hasLocalIoSections(o.descriptor.MLFB);
}

bool compact(const CpuObject& o)
{
    return CpuModel::isCompact(o.descriptor.MLFB);
}

// Adapters from the sections' own signatures to the table's.
template <QByteArray (*Write)(const CpuObject&)>
QByteArray plainWrite(CpuObject& o, WriteMode, QList<int>&)
{
    return Write(o);
}

template <bool (*Read)(CpuObject&, ByteReader&)>
bool plainRead(CpuObject& o, ByteReader& s, const ReadContext&)
{
    return Read(o, s);
}

template <void (*Dump)(ByteReader&, QList<DumpField>&)>
void plainDump(ByteReader& s, WriteMode, QList<DumpField>& f)
{
    Dump(s, f);
}

QVector<SectionEntry> buildTable()
{
    return {
        {SectionId::CpuParam, 0, "SEC_ID_CPU_PARAM", "CPU parameters", always,
         CpuParamSection::write, plainRead<CpuParamSection::read>,
         plainDump<CpuParamSection::dump>},
        {SectionId::EtherCat, 0, "SEC_ID_ETHERCAT", "EtherCAT",
         [](const CpuObject& o) { return o.etherCat.enabled != 0; },
         [](CpuObject& o, WriteMode mode, QList<int>&) { return EtherCatSection::write(o, mode); },
         EtherCatSection::read, plainDump<EtherCatSection::dump>},
        {SectionId::CpuExpansion, 0, "SEC_ID_CPU_EXPANSION", "CPU expansion", always,
         plainWrite<CpuExpansionSection::write>, plainRead<CpuExpansionSection::read>,
         plainDump<CpuExpansionSection::dump>},
        {SectionId::LocalCan, 0, "SEC_ID_LOCAL_CAN", "local CANopen master",
         [](const CpuObject& o) { return o.canMasterEnabled; }, LocalCanSection::write,
         LocalCanSection::read, LocalCanSection::dump},
        {SectionId::OpcUaServer, 0, "SEC_ID_OPCUA_SERVER", "OPC UA server",
         [](const CpuObject& o) { return o.opcUaSupported; }, plainWrite<OpcUaSection::write>,
         plainRead<OpcUaSection::read>, plainDump<OpcUaSection::dump>},
        {SectionId::LocalDiFilter, 1, "SEC_ID_LOCAL_DI_FILTER", "local digital input filter",
         hasLocalIoSections,
         [](CpuObject& o, WriteMode, QList<int>&) {
             return InputFilterSection::write(o, SectionId::LocalDiFilter);
         },
         [](CpuObject& o, ByteReader& s, const ReadContext&) {
             return InputFilterSection::read(o, s, SectionId::LocalDiFilter);
         },
         plainDump<InputFilterSection::dump>},
        {SectionId::LocalFilterCompact, 1, "SEC_ID_LOCAL_FILTER_COMPACT",
         "compact local input filter", compact,
         [](CpuObject& o, WriteMode, QList<int>&) {
             return InputFilterSection::write(o, SectionId::LocalFilterCompact);
         },
         [](CpuObject& o, ByteReader& s, const ReadContext&) {
             return InputFilterSection::read(o, s, SectionId::LocalFilterCompact);
         },
         plainDump<InputFilterSection::dump>},
        {SectionId::LocalHsc, 1, "SEC_ID_LOCAL_HSC", "local high-speed counters",
         hasLocalIoSections, plainWrite<HscSection::write>, plainRead<HscSection::read>,
         plainDump<HscSection::dump>},
        {SectionId::Profinet, 1, "SEC_ID_PROFINET", "Profinet", always,
         plainWrite<CustomNameSection::writeProfinet>, plainRead<CustomNameSection::readProfinet>,
         plainDump<CustomNameSection::dump>},
        {SectionId::QbusConfig, 1, "SEC_ID_QBUS_CONFIG", "QBUS settings", always,
         plainWrite<CustomNameSection::writeQbus>, plainRead<CustomNameSection::readQbus>,
         plainDump<CustomNameSection::dump>},
        {SectionId::QbusSlaves, 1, "SEC_ID_QBUS_SLAVES", "QBUS slaves", always,
         [](CpuObject& o, WriteMode, QList<int>&) { return SlaveListSection::writeQbus(o); },
         plainRead<SlaveListSection::readQbus>, plainDump<SlaveListSection::dumpQbus>},
        {SectionId::EipSlaves, 1, "SEC_ID_EIP_SLAVES", "EtherNet/IP slaves",
         [](const CpuObject& o) { return o.eip.enabled != 0; },
         plainWrite<SlaveListSection::writeEip>, plainRead<SlaveListSection::readEip>,
         plainDump<SlaveListSection::dumpEip>},
        {SectionId::ExtCard, 1, "SEC_ID_EXT_CARD", "expansion cards", compact,
         plainWrite<ExtCardSection::write>, plainRead<ExtCardSection::read>,
         plainDump<ExtCardSection::dump>},
        {SectionId::LocalPort, 1, "SEC_ID_LOCAL_PORT", "compact local port", compact,
         plainWrite<LocalPortSection::write>, plainRead<LocalPortSection::read>,
         plainDump<LocalPortSection::dump>},
    };
}

} // namespace

const QVector<SectionEntry>& SectionTable::sections()
{
    static const QVector<SectionEntry> table = buildTable();
    return table;
}

const SectionEntry* SectionTable::find(quint8 id)
{
    for (const SectionEntry& entry : sections()) {
        if (quint8(entry.id) == id)
            return &entry;
    }
    return nullptr;
}

QString SectionTable::title(quint8 id)
{
    switch (SectionId(id)) {
    case SectionId::ModuleInfo:
        return QStringLiteral("module information");
    case SectionId::PlcData23:
    case SectionId::PlcData24:
    case SectionId::PlcData26:
    case SectionId::PlcData27:
    case SectionId::PlcData36:
        return QStringLiteral("PLC data for the project");
    default:
        break;
    }
    if (const SectionEntry* entry = find(id))
        return QString::fromLatin1(entry->title);
    return QStringLiteral("section %1").arg(id);
}
