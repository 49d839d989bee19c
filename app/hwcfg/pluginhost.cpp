#include "pluginhost.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

QString PluginHost::defaultPluginFile()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList dirs = {appDir + QStringLiteral("/" CORVO_BIN_TO_LIB),
                              appDir + QStringLiteral("/../lib")};
    for (const QString& dir : dirs) {
        const QString file = QDir::cleanPath(dir + QStringLiteral("/libcorvocpu.so"));
        if (QFile::exists(file))
            return file;
    }
    return QStringLiteral("corvocpu");
}

bool PluginHost::load(const QString& pluginFile, QString* error)
{
    m_library.setFileName(pluginFile);
    if (!m_library.load()) {
        if (error)
            *error = m_library.errorString();
        return false;
    }
    QStringList missing;
    auto bind = [&](auto& fn, const char* name) {
        fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(m_library.resolve(name));
        if (!fn)
            missing.append(QString::fromLatin1(name));
    };
    bind(createObject, "createObject");
    bind(releaseObject, "releaseObject");
    bind(cloneFromHandle, "cloneFromHandle");
    bind(getFileVersion, "getFileVersion");
    bind(getName, "getName");
    bind(getComment, "getComment");
    bind(getRackId, "getRackId");
    bind(setRackId, "setRackId");
    bind(getSlotId, "getSlotId");
    bind(setSlotId, "setSlotId");
    bind(getPosition, "getPosition");
    bind(setPosition, "setPosition");
    bind(getInMap, "getInMap");
    bind(getOutMap, "getOutMap");
    bind(enableEtherCAT, "enableEtherCAT");
    bind(getBaudrate, "getBaudrate");
    bind(getNodeId, "getNodeId");
    bind(config, "config");
    bind(save, "save");
    bind(restore, "restore");
    bind(cloneFromSaveData, "cloneFromSaveData");
    bind(compare, "compare");
    bind(compile, "compile");
    bind(compileOld, "compileOld");
    bind(recompile, "recompile");
    bind(addCanSlave, "addCanSlave");
    bind(addEthSlave, "addEthSlave");
    bind(addEipSlave, "addEipSlave");
    bind(addQbusSlave, "addQbusSlave");
    bind(removeCanSlave, "removeCanSlave");
    bind(removeEthSlave, "removeEthSlave");
    bind(removeEipSlave, "removeEipSlave");
    bind(removeQbusSlave, "removeQbusSlave");
    bind(getCanSlaveList, "getCanSlaveList");
    bind(getEthSlaveList, "getEthSlaveList");
    bind(getEipSlaveList, "getEipSlaveList");
    bind(getQbusSlaveList, "getQbusSlaveList");
    bind(getMappingSym, "getMappingSym");
    bind(resetEthSlaveIoMapChanged, "resetEthSlaveIoMapChanged");
    bind(exportConfiguration, "exportConfiguration");
    bind(importConfiguration, "importConfiguration");
    bind(configurationSchema, "configurationSchema");
    bind(validateConfiguration, "validateConfiguration");
    if (!missing.isEmpty()) {
        if (error)
            *error = QStringLiteral("%1 lacks the exports %2")
                         .arg(m_library.fileName(), missing.join(QStringLiteral(", ")));
        return false;
    }
    return true;
}
