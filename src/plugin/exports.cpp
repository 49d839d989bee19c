// The plug-in's C-linkage entry points. They only translate handles and delegate; the
// behaviour lives in the classes they call.

#include "block/blockcompare.h"
#include "block/paramblock.h"
#include "corvocpuapi.h"
#include "cpuobject.h"
#include "cpuobjectfactory.h"

#define CORVO_EXPORT extern "C" Q_DECL_EXPORT

namespace {

CpuObject* object(void* handle)
{
    return static_cast<CpuObject*>(handle);
}

} // namespace

CORVO_EXPORT void* createObject(int objectId, const QString& projectPath)
{
    return CpuObjectFactory::create(objectId, projectPath).release();
}

CORVO_EXPORT void releaseObject(void* handle)
{
    CpuObject* cpu = object(handle);
    if (!cpu)
        return;
    CpuObjectFactory::releaseMemory(*cpu);
    delete cpu;
}

CORVO_EXPORT QByteArray save(void* handle)
{
    return ParamBlock::save(*object(handle));
}

CORVO_EXPORT void* restore(const QByteArray& saveData, const QString& projectPath)
{
    return ParamBlock::restore(saveData, projectPath, false).release();
}

CORVO_EXPORT void* cloneFromSaveData(const QByteArray& saveData, const QString& projectPath)
{
    return ParamBlock::restore(saveData, projectPath, true).release();
}

CORVO_EXPORT QStringList compare(const QByteArray& first, const QByteArray& second)
{
    return BlockCompare::compare(first, second);
}

CORVO_EXPORT void* cloneFromHandle(void*)
{
    return nullptr;
}

CORVO_EXPORT int getFileVersion()
{
    return 0;
}

CORVO_EXPORT QString getName(void* handle)
{
    return object(handle)->descriptor.ObjName;
}

CORVO_EXPORT QString getComment(void* handle)
{
    return object(handle)->descriptor.comment;
}

CORVO_EXPORT int getRackId(void* handle)
{
    return object(handle)->descriptor.rackId;
}

CORVO_EXPORT void setRackId(void* handle, int rackId)
{
    object(handle)->descriptor.rackId = rackId;
}

CORVO_EXPORT int getSlotId(void* handle)
{
    return object(handle)->descriptor.slotId;
}

CORVO_EXPORT void setSlotId(void* handle, int slotId)
{
    object(handle)->descriptor.slotId = slotId;
}

CORVO_EXPORT Position getPosition(void* handle)
{
    return object(handle)->descriptor.position;
}

CORVO_EXPORT void setPosition(void* handle, const Position& position)
{
    object(handle)->descriptor.position = position;
}

CORVO_EXPORT LocalIoMap getInMap(void* handle)
{
    return object(handle)->descriptor.inMap;
}

CORVO_EXPORT LocalIoMap getOutMap(void* handle)
{
    return object(handle)->descriptor.outMap;
}

CORVO_EXPORT void enableEtherCAT(void* handle)
{
    object(handle)->etherCat.enabled = 1;
}

CORVO_EXPORT int getBaudrate(void* handle)
{
    return handle ? object(handle)->canMaster.baudRate : -1;
}

CORVO_EXPORT int getNodeId(void* handle)
{
    return handle ? object(handle)->canMaster.nodeId : -1;
}
