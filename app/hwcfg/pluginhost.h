#pragma once

#include <plugin/corvocpuapi.h>

#include <QLibrary>
#include <QString>

// The CPU plug-in as a host sees it: a shared library loaded by file name whose exported
// functions are resolved by name.
class PluginHost
{
public:
    // The plug-in next to this program's libraries (build tree or install tree).
    static QString defaultPluginFile();

    // Loads the plug-in and resolves every export; false with a reason when the library
    // cannot be loaded or lacks an export.
    bool load(const QString& pluginFile, QString* error);

    QString fileName() const { return m_library.fileName(); }

    CorvoCpuApi::CreateObjectFn createObject = nullptr;
    CorvoCpuApi::ReleaseObjectFn releaseObject = nullptr;
    CorvoCpuApi::CloneFromHandleFn cloneFromHandle = nullptr;
    CorvoCpuApi::GetFileVersionFn getFileVersion = nullptr;
    CorvoCpuApi::GetNameFn getName = nullptr;
    CorvoCpuApi::GetCommentFn getComment = nullptr;
    CorvoCpuApi::GetIntFn getRackId = nullptr;
    CorvoCpuApi::SetIntFn setRackId = nullptr;
    CorvoCpuApi::GetIntFn getSlotId = nullptr;
    CorvoCpuApi::SetIntFn setSlotId = nullptr;
    CorvoCpuApi::GetPositionFn getPosition = nullptr;
    CorvoCpuApi::SetPositionFn setPosition = nullptr;
    CorvoCpuApi::GetMapFn getInMap = nullptr;
    CorvoCpuApi::GetMapFn getOutMap = nullptr;
    CorvoCpuApi::EnableEtherCatFn enableEtherCAT = nullptr;
    CorvoCpuApi::GetIntFn getBaudrate = nullptr;
    CorvoCpuApi::GetIntFn getNodeId = nullptr;
    CorvoCpuApi::ConfigFn config = nullptr;
    CorvoCpuApi::SaveFn save = nullptr;
    CorvoCpuApi::RestoreFn restore = nullptr;
    CorvoCpuApi::CloneFromSaveDataFn cloneFromSaveData = nullptr;
    CorvoCpuApi::CompareFn compare = nullptr;
    CorvoCpuApi::CompileFn compile = nullptr;
    CorvoCpuApi::CompileFn compileOld = nullptr;
    CorvoCpuApi::RecompileFn recompile = nullptr;
    CorvoCpuApi::AddSlaveFn addCanSlave = nullptr;
    CorvoCpuApi::AddSlaveFn addEthSlave = nullptr;
    CorvoCpuApi::AddSlaveFn addEipSlave = nullptr;
    CorvoCpuApi::AddSlaveFn addQbusSlave = nullptr;
    CorvoCpuApi::RemoveSlaveFn removeCanSlave = nullptr;
    CorvoCpuApi::RemoveSlaveFn removeEthSlave = nullptr;
    CorvoCpuApi::RemoveSlaveFn removeEipSlave = nullptr;
    CorvoCpuApi::RemoveSlaveFn removeQbusSlave = nullptr;
    CorvoCpuApi::SlaveListFn getCanSlaveList = nullptr;
    CorvoCpuApi::SlaveListFn getEthSlaveList = nullptr;
    CorvoCpuApi::SlaveListFn getEipSlaveList = nullptr;
    CorvoCpuApi::SlaveListFn getQbusSlaveList = nullptr;
    CorvoCpuApi::GetMappingSymFn getMappingSym = nullptr;
    CorvoCpuApi::ResetEthSlaveIoMapChangedFn resetEthSlaveIoMapChanged = nullptr;
    CorvoCpuApi::ExportConfigurationFn exportConfiguration = nullptr;
    CorvoCpuApi::ImportConfigurationFn importConfiguration = nullptr;
    CorvoCpuApi::ConfigurationSchemaFn configurationSchema = nullptr;
    CorvoCpuApi::ValidateConfigurationFn validateConfiguration = nullptr;

private:
    QLibrary m_library;
};
