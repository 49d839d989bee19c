#include "okstep.h"

#include "config/stationrules.h"

int firstRepeatedAddress(const QList<StationAddress>& addresses)
{
    QList<int> numbers;
    for (const StationAddress& a : addresses)
        numbers.append(a.address);
    return StationRules::firstRepeated(numbers);
}
