#include "okstep.h"

#include <QSet>

int firstRepeatedAddress(const QList<StationAddress>& addresses)
{
    QSet<int> seen;
    for (int i = 0; i < addresses.size(); ++i) {
        if (seen.contains(addresses.at(i).address))
            return i;
        seen.insert(addresses.at(i).address);
    }
    return -1;
}
