// The plug-in's C-linkage entry points. They only translate handles and delegate; the
// behaviour lives in the classes they call. Every export that takes a handle is safe on a
// null one (docs/architecture.md lists what each then answers).

#include "block/blockcompare.h"
#include "block/paramblock.h"
#include "config/configjson.h"
#include "config/configvalidator.h"
#include "corvocpuapi.h"
#include "dialog/corvopropdlg.h"
#include "model/cpuobject.h"
#include "model/cpuobjectfactory.h"
#include "model/slaveregistry.h"

#include <corekit/memory.h>
#include <corekit/widgets/ipaddresswidget.h>

#define CORVO_EXPORT extern "C" Q_DECL_EXPORT

namespace {

CpuObject* object(void* handle)
{
    return static_cast<CpuObject*>(handle);
}

// compile and compileOld without an object: failure, no block and no codes.
int failedCompile(QByteArray& block, QList<int>& errors)
{
    block.clear();
    errors.clear();
    return 1;
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

CORVO_EXPORT int config(void* handle, const QString& projectPath, QWidget* parent, bool readOnly)
{
    if (!handle || !parent)
        return 0;
    backupUsedMemory(projectPath);
    bool accepted = false;
    {
        Corvopropdlg dialog(object(handle), projectPath, parent, readOnly);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    // OK keeps what the edits claimed or freed; anything else rolls the claims back.
    if (accepted)
        popBackupMemory(projectPath);
    else
        restoreUsedMemory(projectPath);
    return 0;
}

CORVO_EXPORT QByteArray save(void* handle)
{
    CpuObject* cpu = object(handle);
    return cpu ? ParamBlock::save(*cpu) : QByteArray();
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

CORVO_EXPORT int compile(void* handle, QByteArray& block, QList<int>& errors)
{
    if (!handle)
        return failedCompile(block, errors);
    return ParamBlock::compile(*object(handle), block, errors);
}

CORVO_EXPORT int compileOld(void* handle, QByteArray& block, QList<int>& errors)
{
    if (!handle)
        return failedCompile(block, errors);
    return ParamBlock::compileOld(*object(handle), block, errors);
}

CORVO_EXPORT void* recompile(const QByteArray& block, const QString& projectPath, int& error)
{
    return ParamBlock::recompile(block, projectPath, error).release();
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
    return handle ? object(handle)->descriptor.ObjName : QString();
}

CORVO_EXPORT QString getComment(void* handle)
{
    return handle ? object(handle)->descriptor.comment : QString();
}

CORVO_EXPORT int getRackId(void* handle)
{
    return handle ? object(handle)->descriptor.rackId : -1;
}

CORVO_EXPORT void setRackId(void* handle, int rackId)
{
    if (CpuObject* cpu = object(handle))
        cpu->descriptor.rackId = rackId;
}

CORVO_EXPORT int getSlotId(void* handle)
{
    return handle ? object(handle)->descriptor.slotId : -1;
}

CORVO_EXPORT void setSlotId(void* handle, int slotId)
{
    if (CpuObject* cpu = object(handle))
        cpu->descriptor.slotId = slotId;
}

CORVO_EXPORT Position getPosition(void* handle)
{
    return handle ? object(handle)->descriptor.position : Position();
}

CORVO_EXPORT void setPosition(void* handle, const Position& position)
{
    if (CpuObject* cpu = object(handle))
        cpu->descriptor.position = position;
}

// A map of no points: it covers no bytes.
CORVO_EXPORT LocalIoMap getInMap(void* handle)
{
    return handle ? object(handle)->descriptor.inMap : LocalIoMap();
}

CORVO_EXPORT LocalIoMap getOutMap(void* handle)
{
    return handle ? object(handle)->descriptor.outMap : LocalIoMap();
}

CORVO_EXPORT void enableEtherCAT(void* handle)
{
    if (CpuObject* cpu = object(handle))
        cpu->etherCat.enabled = 1;
}

CORVO_EXPORT int getBaudrate(void* handle)
{
    return handle ? object(handle)->canMaster.baudRate : -1;
}

CORVO_EXPORT int getNodeId(void* handle)
{
    return handle ? object(handle)->canMaster.nodeId : -1;
}

// Slaves of the field buses.

CORVO_EXPORT void addCanSlave(void* handle, int slave, const QString& pluginPath)
{
    CpuObject* cpu = object(handle);
    if (cpu && cpu->canMasterEnabled)
        SlaveRegistry::appendCan(cpu->canMaster.slaves, slave, pluginPath);
}

CORVO_EXPORT void removeCanSlave(void* handle, int slave)
{
    CpuObject* cpu = object(handle);
    if (cpu && cpu->canMasterEnabled)
        SlaveRegistry::remove(cpu->canMaster.slaves, slave);
}

CORVO_EXPORT int getCanSlaveList(void* handle, QList<int>& handles, QList<int>& kinds)
{
    CpuObject* cpu = object(handle);
    return cpu ? SlaveRegistry::list(cpu->canMaster.slaves, cpu->canMasterEnabled, handles, kinds)
               : -1;
}

CORVO_EXPORT void addEthSlave(void* handle, int slave, const QString& pluginPath)
{
    if (CpuObject* cpu = object(handle))
        SlaveRegistry::insertOrdered(cpu->etherCatSlaves, slave, pluginPath);
}

CORVO_EXPORT void removeEthSlave(void* handle, int slave)
{
    if (CpuObject* cpu = object(handle))
        SlaveRegistry::remove(cpu->etherCatSlaves, slave);
}

CORVO_EXPORT int getEthSlaveList(void* handle, QList<int>& handles, QList<int>& codes)
{
    CpuObject* cpu = object(handle);
    return cpu ? SlaveRegistry::list(cpu->etherCatSlaves, cpu->etherCat.enabled != 0,
                                     SlaveRegistry::EtherCatCode, handles, codes)
               : -1;
}

CORVO_EXPORT void addEipSlave(void* handle, int slave, const QString& pluginPath)
{
    if (CpuObject* cpu = object(handle))
        SlaveRegistry::insertOrdered(cpu->eip.slaves, slave, pluginPath);
}

CORVO_EXPORT void removeEipSlave(void* handle, int slave)
{
    if (CpuObject* cpu = object(handle))
        SlaveRegistry::remove(cpu->eip.slaves, slave);
}

CORVO_EXPORT int getEipSlaveList(void* handle, QList<int>& handles, QList<int>& codes)
{
    CpuObject* cpu = object(handle);
    return cpu ? SlaveRegistry::list(cpu->eip.slaves, cpu->eip.enabled != 0, SlaveRegistry::EipCode,
                                     handles, codes)
               : -1;
}

CORVO_EXPORT void addQbusSlave(void* handle, int slave, const QString& pluginPath)
{
    if (CpuObject* cpu = object(handle))
        SlaveRegistry::insertOrdered(cpu->qbus.slaves, slave, pluginPath);
}

CORVO_EXPORT void removeQbusSlave(void* handle, int slave)
{
    if (CpuObject* cpu = object(handle))
        SlaveRegistry::remove(cpu->qbus.slaves, slave);
}

CORVO_EXPORT int getQbusSlaveList(void* handle, QList<int>& handles, QList<int>& codes)
{
    CpuObject* cpu = object(handle);
    return cpu ? SlaveRegistry::list(cpu->qbus.slaves, cpu->qbus.masterEnabled != 0,
                                     SlaveRegistry::QbusCode, handles, codes)
               : -1;
}

CORVO_EXPORT void getMappingSym(void* handle, QList<Symbol>& symbols)
{
    if (CpuObject* cpu = object(handle))
        SlaveRegistry::mappingSymbols(*cpu, symbols);
}

CORVO_EXPORT void resetEthSlaveIoMapChanged(void* handle)
{
    if (CpuObject* cpu = object(handle))
        SlaveRegistry::resetIoMapChanged(*cpu);
}

// The configuration as a JSON document, and the checks of OK without the dialog.

CORVO_EXPORT QByteArray exportConfiguration(void* handle)
{
    CpuObject* cpu = object(handle);
    return cpu ? ConfigJson::exportDocument(*cpu) : QByteArray();
}

CORVO_EXPORT void* importConfiguration(const QByteArray& json, const QString& projectPath,
                                       QString& error)
{
    QStringList errors;
    std::unique_ptr<CpuObject> cpu = ConfigJson::importDocument(json, projectPath, errors);
    error = errors.join(QLatin1Char('\n'));
    return cpu.release();
}

CORVO_EXPORT QByteArray configurationSchema()
{
    return ConfigJson::schema();
}

CORVO_EXPORT int validateConfiguration(void* handle, QList<CorvoCpuApi::Finding>& findings)
{
    CpuObject* cpu = object(handle);
    if (!cpu)
        return -1;
    // The address rule is the host's, as on the TCP/IP page.
    const QList<ConfigFinding> found = ConfigValidator::validate(
        *cpu, [](int kind, const QString& address, const QString& mask, const QString& ip) {
            return IpAddressWidget::checkIpValid(kind, address, mask, ip);
        });
    findings.clear();
    for (const ConfigFinding& f : found)
        findings.append({f.path, f.message, f.check});
    return found.size();
}
