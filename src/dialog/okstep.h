#pragma once

#include "checkfailure.h"

#include <QPointer>
#include <QWidget>

#include <functional>

// The checks of OK run in this fixed order across the pages; within one step, in the
// order of the page table. The first failure stops OK before anything is written.
enum class OkStep : int {
    TcpIpAddresses = 1,
    DeviceName = 2,
    ClaimPassword = 3,
    Password = 4,
    RetentiveRanges = 5,
    OpcUaSettings = 6,
    SoeTriggers = 7,
    ProfinetName = 8,
    QbusName = 9,
    PortNumbers = 10,
    SoeTitles = 11,
    StationAddresses = 12,
    HscValues = 13, // counters' number fields: no partial or out-of-range text is written
    ExpansionCards = 14, // card parameters and the memory of their addresses
};

// One check a page contributes to OK. It reads the widgets and changes nothing.
struct PageCheck
{
    OkStep step;
    std::function<CheckResult()> run;
};

// A serial port's station address as the compact CPU answers to it, for the check that no
// two ports share one; `field` gets the focus when this one repeats an earlier address.
struct StationAddress
{
    int address = 0;
    QPointer<QWidget> field;
};

// The position of the first address that an earlier one already holds, or -1.
int firstRepeatedAddress(const QList<StationAddress>& addresses);
