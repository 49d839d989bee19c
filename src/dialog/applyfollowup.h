#pragma once

#include "model/cpuobject.h"

#include <QList>
#include <QStringList>

#include <functional>

// What OK does once every page has written its values: warnings for the user, then the
// bus lines the host window is told about, in page order.
struct ApplyFollowUp
{
    // Bus kinds of the host window's addBusLine.
    enum class BusKind : int { CanOpen = 0, EtherCat = 1, Qbus = 2, EtherNetIp = 3 };

    struct BusLine
    {
        BusKind kind;
        bool enabled;
        // Stores the new enable state; runs only when the host window took the notification.
        std::function<void(CpuObject&)> store;
    };

    QStringList warnings;
    QList<BusLine> busLines;
};
