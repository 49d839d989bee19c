#pragma once

#include "localiomap.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The catalog record of a module model. It heads every CpuObject and every CANopen master
// record; copies are deep.
struct ModuleDescriptor
{
    QString projectPath; // set by createObject; empty in catalog results
    QString MetVersion;
    qint32 NeedHwCnfgVersion = 2000; // lowest host application version allowed to use it
    QString ObjName;                 // module name
    QString MLFB;                    // order number of the model
    qint32 ObjID = 0;
    qint32 ParentObjID = 0;
    quint8 BaseType = 0;
    quint8 NumIOModules = 0;
    QList<qint32> NotSupported;
    QString textA;
    QString ServerFile; // must exist in host component folder 9
    bool IsCatEntry = false;
    quint32 ModuleInfo = 0;
    std::array<quint8, 5> IntSupported{};
    quint8 FwVersion = 0;
    std::array<quint8, 14> BuffCnfg{};
    std::array<quint8, 9> SyncCnfg{};
    bool softCtrlRemote = false; // the model offers remote control
    qint32 rackId = -1;
    qint32 slotId = -1;
    LocalIoMap inMap;
    LocalIoMap outMap;
    std::array<quint8, 5> IntEnableTbl{};
    QString comment;
    Position position;
    bool SupportGrpCnfg = false;
    bool SampPeriodGrpCnfg = false;
    QStringList SampPeriodList;
    std::array<quint8, 8> ReservBytes{};
    qint32 SupportEtherCAT = 0;
    qint32 supportRack = 4;
    bool SupportCANopen = false;
    qint32 SupportHSC = 0;
    QString textB;
};
