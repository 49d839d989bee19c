#include "cpuobjectfactory.h"

#include "cardmemory.h"
#include "cpumodel.h"
#include "modulecatalog.h"

#include <corekit/hosthome.h>
#include <corekit/memory.h>
#include <corekit/plcfacts.h>
#include <corekit/projectqueries.h>

#include <QFileInfo>

namespace {

// Points are one byte in the map; a host range beyond it cannot be represented.
quint8 pointCount(int hostPoints)
{
    return quint8(qBound(0, hostPoints, 255));
}

void freeLocalMaps(const CpuObject& object)
{
    for (const LocalIoMap* map : {&object.descriptor.inMap, &object.descriptor.outMap}) {
        if (map->byteCount() > 0)
            freeMemory(object.projectPath, map->area, map->startByte, map->byteCount());
    }
}

} // namespace

bool CpuObjectFactory::serverFileExists(const ModuleDescriptor& descriptor)
{
    return QFileInfo(getHwcnfgComponentPath(9) + descriptor.ServerFile).isFile();
}

bool CpuObjectFactory::projectSupportsOpcUa(const QString& projectPath)
{
    QString type = CpuModel::PlaceholderPlcType;
    QString version = CpuModel::PlaceholderPlcVersion;
    getPrjPlcTypeVersion(projectPath, type, version);
    return getPlcSupportOpcUA(type, version);
}

void CpuObjectFactory::readLocalPoints(ModuleDescriptor& d)
{
    d.inMap.area = VarAreaLocalInput;
    d.inMap.points = pointCount(getPlcAddrRange(d.ObjName, d.MLFB, QStringLiteral("LocalI")));
    d.outMap.area = VarAreaLocalOutput;
    d.outMap.points = pointCount(getPlcAddrRange(d.ObjName, d.MLFB, QStringLiteral("LocalQ")));
}

bool CpuObjectFactory::claimLocalIo(CpuObject& object)
{
    const QString& path = object.projectPath;
    LocalIoMap& in = object.descriptor.inMap;
    LocalIoMap& out = object.descriptor.outMap;
    object.holdsLocalMemory = false;
    if (path.isEmpty())
        return true; // an object outside a project claims nothing
    if (in.byteCount() > 0 && getLocalMemory(path, in.area, 0, in.byteCount()) != MemoryOk)
        return false;
    if (out.byteCount() > 0 && getLocalMemory(path, out.area, 0, out.byteCount()) != MemoryOk) {
        // Only the inputs are ours; the refused output range may belong to someone else.
        if (in.byteCount() > 0)
            freeMemory(path, in.area, 0, in.byteCount());
        return false;
    }
    in.startByte = 0;
    out.startByte = 0;
    object.holdsLocalMemory = true;
    return true;
}

void CpuObjectFactory::releaseLocalIo(CpuObject& object)
{
    if (!object.holdsLocalMemory)
        return;
    freeLocalMaps(object);
    object.holdsLocalMemory = false;
}

std::unique_ptr<CpuObject> CpuObjectFactory::create(int id, const QString& projectPath)
{
    auto object = std::make_unique<CpuObject>();
    ModuleDescriptor entry;
    if (ModuleCatalog::lookup(id, entry) < 0)
        return nullptr;
    entry.projectPath = projectPath;
    object->descriptor = entry;
    if (!serverFileExists(entry))
        return nullptr;

    ModuleDescriptor& d = object->descriptor;
    CpuDefaults::fillCommunication(object->params, d.ObjName);
    CpuDefaults::fillRetentive(object->params, getDefaultDataRenten(d.ObjName, d.MLFB));
    CpuDefaults::fillPasswordAndBackground(object->params);
    object->soe.fill(SoeRecord::creationDefault());
    object->projectPath = projectPath;

    readLocalPoints(d);
    if (!claimLocalIo(*object))
        return nullptr;

    // One 4-bit filter code per input on the compact model, one per four inputs otherwise.
    object->inputFilterCount = d.inMap.points;
    const int count = object->inputFilterCount;
    if (CpuModel::isCompact(d.MLFB))
        object->inputFilterCodes = QByteArray((count + 1) / 2, char(0xDD));
    else
        object->inputFilterCodes = QByteArray((count + 7) / 8, char(0x66));

    object->hsc.fill(HscChannel::creationDefault());
    object->opcUaSupported = projectSupportsOpcUa(projectPath);
    return object;
}

void CpuObjectFactory::releaseMemory(const CpuObject& object)
{
    const QString& path = object.projectPath;
    if (object.holdsLocalMemory)
        freeLocalMaps(object);
    if (!object.holdsCardMemory)
        return;
    for (const CardRecord& card : object.cards)
        CardMemory::release(path, CardMemory::claimsOf(card));
}
