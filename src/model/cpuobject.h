#pragma once

#include "canmasterconfig.h"
#include "cardrecord.h"
#include "cpuparams.h"
#include "ethercatsettings.h"
#include "fieldbussettings.h"
#include "hscchannel.h"
#include "localport.h"
#include "moduledescriptor.h"
#include "slaveentry.h"
#include "soerecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

// The whole configuration of one CPU module: a plain record that the exports, the block
// codecs and the dialog read and write directly. The constructor sets only the
// construction defaults; createObject (CpuObjectFactory) adds the model's defaults.
struct CpuObject
{
    static constexpr int HscCount = 6;
    static constexpr int CardCount = 2;

    CpuObject();

    ModuleDescriptor descriptor;
    CpuParams params;
    std::array<SoeRecord, SoeRecord::SlotCount> soe{};
    QString projectPath;
    quint8 extBusClock = 0;      // the extension-bus clock selection
    quint8 inputFilterCount = 0; // a copy of the local input points
    QByteArray inputFilterCodes;
    std::array<HscChannel, HscCount> hsc{};
    EtherCatSettings etherCat;
    bool opcUaSupported = false;
    QList<SlaveEntry> etherCatSlaves;
    bool canMasterEnabled = false;
    CanMasterConfig canMaster;
    QByteArray opcUaSettingsData;
    QByteArray opcUaInterfaceData;
    ProfinetSettings profinet;
    EipSettings eip;
    QbusSettings qbus;
    std::array<CardRecord, CardCount> cards{};
    LocalPort localPort;

    // Whether the object's local I/O bytes and its cards' addresses are claimed in the
    // project's memory bookkeeping on its behalf. An object built from a block holds
    // nothing, so releasing it must not give back another object's claims.
    bool holdsLocalMemory = false;
    bool holdsCardMemory = false;
};
