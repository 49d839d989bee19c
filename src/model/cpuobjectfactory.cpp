#include "cpuobjectfactory.h"

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

// Fills a local map and claims its bytes; false when the host refuses the claim.
bool claimLocalMap(LocalIoMap& map, quint8 area, int points, const QString& projectPath)
{
    map.area = area;
    map.points = pointCount(points);
    const int bytes = map.byteCount();
    if (bytes > 0 && !projectPath.isEmpty()) {
        if (getLocalMemory(projectPath, area, 0, bytes) != MemoryOk)
            return false;
        map.startByte = 0;
    }
    return true;
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

    if (!claimLocalMap(d.inMap, VarAreaLocalInput,
                       getPlcAddrRange(d.ObjName, d.MLFB, QStringLiteral("LocalI")), projectPath))
        return nullptr;

    // One 4-bit filter code per input on the compact model, one per four inputs otherwise.
    object->inputFilterCount = d.inMap.points;
    const int count = object->inputFilterCount;
    if (CpuModel::isCompact(d.MLFB))
        object->inputFilterCodes = QByteArray((count + 1) / 2, char(0xDD));
    else
        object->inputFilterCodes = QByteArray((count + 7) / 8, char(0x66));

    if (!claimLocalMap(d.outMap, VarAreaLocalOutput,
                       getPlcAddrRange(d.ObjName, d.MLFB, QStringLiteral("LocalQ")), projectPath)) {
        // Only the inputs are ours; the refused output range may belong to someone else.
        if (d.inMap.byteCount() > 0 && !projectPath.isEmpty())
            freeMemory(projectPath, VarAreaLocalInput, d.inMap.startByte, d.inMap.byteCount());
        return nullptr;
    }
    object->holdsLocalMemory = !projectPath.isEmpty();
    object->hsc.fill(HscChannel::creationDefault());
    object->opcUaSupported = projectSupportsOpcUa(projectPath);
    return object;
}

void CpuObjectFactory::releaseMemory(const CpuObject& object)
{
    const QString& path = object.projectPath;
    const ModuleDescriptor& d = object.descriptor;
    if (object.holdsLocalMemory && d.inMap.byteCount() > 0)
        freeMemory(path, VarAreaLocalInput, d.inMap.startByte, d.inMap.byteCount());
    if (object.holdsLocalMemory && d.outMap.byteCount() > 0)
        freeMemory(path, VarAreaLocalOutput, d.outMap.startByte, d.outMap.byteCount());
    if (!object.holdsCardMemory)
        return;
    for (const CardRecord& card : object.cards) {
        switch (card.cardType()) {
        case CardType::Amx05: {
            const Amx05Params& amx = card.amx05;
            if (amx.inputWords > 0)
                freeMemory(path, amx.inputArea, amx.inputStart, amx.inputWords * 2);
            if (amx.outputWords > 0)
                freeMemory(path, amx.outputArea, amx.outputStart, amx.outputWords * 2);
            break;
        }
        case CardType::Dix06:
            for (const Dix06Channel& channel : card.dix06)
                freeBitMemory(path, int(channel.area), int(channel.bitAddress), 1);
            break;
        default:
            break;
        }
    }
}
