#pragma once

#include "moduledescriptor.h"
#include "slaveentry.h"

#include <QList>
#include <QString>

// The CPU's integrated CANopen master.
struct CanMasterConfig
{
    static constexpr qint32 CatalogId = 0x1003;

    QString projectPath;
    qint32 objectId = 0; // catalog id of the master module; 0x1003 when the page builds it
    quint8 nodeId = 1;
    qint32 baudRate = 1000; // kbit/s
    quint8 useCanopen = 1;  // the page's check box when the dialog was last confirmed
    QString text1;
    quint32 cobId = 128;
    quint32 cyclePeriod = 50000; // microseconds
    quint16 heartbeat = 200;     // milliseconds
    quint16 word1 = 1;
    QString text2;
    quint32 value1 = 0;
    quint32 value2 = 0;
    ModuleDescriptor descriptor;
    QList<CanNodeEntry> slaves;
};
