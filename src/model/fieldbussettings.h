#pragma once

#include "slaveentry.h"

#include <QList>
#include <QString>

struct ProfinetSettings
{
    quint8 useBus = 0;
    quint8 useCustomName = 0;
    QString customName;
    quint8 ipFromOtherSources = 0;
};

struct QbusSettings
{
    quint8 useSlave = 0;
    quint8 useCustomName = 0;
    QString customName;
    quint8 masterEnabled = 0; // gates the QBUS slave exports
    quint8 protocolType = 0;
    QList<SlaveEntry> slaves;
};

struct EipSettings
{
    quint8 enabled = 0;
    QList<SlaveEntry> slaves;
};
