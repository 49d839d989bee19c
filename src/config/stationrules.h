#pragma once

#include "rulefailure.h"

#include <QList>
#include <QString>

// A station address a serial port of the compact CPU answers to, and its member.
struct StationValue
{
    int address = 0;
    QString path;
};

// The compact CPU's ports must not share a station address.
class StationRules
{
public:
    // The position of the first address that an earlier one already holds, or -1.
    static int firstRepeated(const QList<int>& addresses);
    // The failure for the first repeated address, at its member.
    static RuleResult repeated(const QList<StationValue>& addresses);
};
