#include "headersection.h"

#include "sectionid.h"

#include "model/modulecatalog.h"

namespace {

// Everything after the name in a download-layout payload.
constexpr int kTailAfterName = 4 + 1 + 14 + 9 + 1 + 2 + 1 + 1 + 2 + 1 + 1 + 8;

template <typename Ch>
bool mapFields(Ch& ch, const char* group, LocalIoMap& map)
{
    ch.group(QString::fromLatin1(group));
    const bool ok = ch.u8("memory area", map.area) && ch.u16("start byte", map.startByte) &&
                    ch.u8("points", map.points);
    ch.endGroup();
    return ok;
}

// The fields after ObjID. Writers take the object's values; readers stop at the first
// missing field. Writing never changes the object.
template <typename Ch>
bool fieldsAfterObjId(Ch& ch, ModuleDescriptor& d, HeaderSection::Layout layout)
{
    qint8 rack = qint8(d.rackId);
    qint8 slot = qint8(d.slotId);
    if (!ch.i8("rack id", rack))
        return false;
    if constexpr (!Ch::Writing)
        d.rackId = rack;
    if (!ch.i8("slot id", slot))
        return false;
    if constexpr (!Ch::Writing)
        d.slotId = slot;
    if (!ch.text8Lenient("name", d.ObjName))
        return false;
    if (layout == HeaderSection::Layout::SaveData) {
        if (!ch.text8Lenient("comment", d.comment) || !ch.i32("position x", d.position.x) ||
            !ch.i32("position y", d.position.y))
            return false;
    }
    return ch.u32("module info", d.ModuleInfo) && ch.u8("firmware version", d.FwVersion) &&
           ch.array("buffer configuration", d.BuffCnfg) &&
           ch.array("sync configuration", d.SyncCnfg) && mapFields(ch, "input map", d.inMap) &&
           mapFields(ch, "output map", d.outMap);
}

} // namespace

QByteArray HeaderSection::write(const CpuObject& object, Layout layout)
{
    ByteWriter out;
    const int head = out.beginSection(0, quint8(SectionId::ModuleInfo));
    WriteChannel ch(out);
    ModuleDescriptor d = object.descriptor; // the channel takes references; nothing changes
    quint32 objId = quint32(d.ObjID);
    ch.u32("ObjID", objId);
    fieldsAfterObjId(ch, d, layout);
    out.u8(0);
    out.bytes(d.ReservBytes.data(), int(d.ReservBytes.size()));
    out.endSection(head);
    return out.take();
}

RecompileError HeaderSection::read(CpuObject& object, ByteReader& payload, Layout layout)
{
    ReadChannel ch(payload);
    quint32 objId = 0;
    if (!ch.u32("ObjID", objId))
        return RecompileError::None;
    ModuleDescriptor entry;
    if (ModuleCatalog::lookup(int(objId), entry) < 0)
        return RecompileError::UnknownObjId;
    entry.projectPath = object.descriptor.projectPath;
    object.descriptor = entry;
    fieldsAfterObjId(ch, object.descriptor, layout);
    return RecompileError::None;
}

HeaderSection::Layout HeaderSection::guessLayout(const QByteArray& block, int payloadBegin,
                                                 int payloadEnd)
{
    // ObjID, rack, slot, then the name's length byte.
    const int nameAt = payloadBegin + 6;
    if (nameAt >= payloadEnd || nameAt >= block.size())
        return Layout::SaveData;
    const int afterName = nameAt + 1 + quint8(block.at(nameAt));
    return payloadEnd - afterName == kTailAfterName ? Layout::Download : Layout::SaveData;
}

void HeaderSection::dump(ByteReader& payload, Layout layout, QList<DumpField>& fields)
{
    DumpChannel ch(payload, fields);
    quint32 objId = 0;
    if (!ch.u32("ObjID", objId))
        return;
    ModuleDescriptor entry;
    const bool known = ModuleCatalog::lookup(int(objId), entry) >= 0;
    ch.add(QStringLiteral("catalog entry"), payload.pos() - 4, 0,
           known ? QStringLiteral("%1 (%2)").arg(entry.ObjName, entry.MLFB)
                 : QStringLiteral("not in the module catalog"));
    if (!fieldsAfterObjId(ch, entry, layout))
        return;
    quint8 zero = 0;
    ch.u8("zero", zero) && ch.array("reserved bytes", entry.ReservBytes);
}
