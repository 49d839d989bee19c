#pragma once

#include "rulefailure.h"

#include <QString>

// The checks of the bus pages' custom names on plain values.
class BusRules
{
public:
    // While the bus and its custom name are used: not empty, not ending in "-".
    static RuleResult profinetName(bool useBus, bool useCustomName, const QString& name);
    // While the bus slave and its custom name are used: not empty.
    static RuleResult qbusName(bool useSlave, bool useCustomName, const QString& name);
};
