#pragma once

#include <QtGlobal>

#include <tuple>

struct EtherCatSettings
{
    quint8 enabled = 0;
    quint8 dcEnabled = 0;       // distributed clock
    quint32 dcCycleTime = 4000; // microseconds
    quint8 syncOffset = 20;     // percent, signed (two's complement, -50..100)
    quint8 syncWindowMonitor = 0;
    quint32 syncWindow = 1;   // microseconds
    quint32 taskInterval = 2; // milliseconds
    quint8 redundancy = 0;

    bool operator==(const EtherCatSettings& o) const
    {
        return std::tie(enabled, dcEnabled, dcCycleTime, syncOffset, syncWindowMonitor, syncWindow,
                        taskInterval, redundancy) ==
               std::tie(o.enabled, o.dcEnabled, o.dcCycleTime, o.syncOffset, o.syncWindowMonitor,
                        o.syncWindow, o.taskInterval, o.redundancy);
    }
};
