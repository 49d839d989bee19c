#include "stationrules.h"

#include <QCoreApplication>
#include <QSet>

int StationRules::firstRepeated(const QList<int>& addresses)
{
    QSet<int> seen;
    for (int i = 0; i < addresses.size(); ++i) {
        if (seen.contains(addresses.at(i)))
            return i;
        seen.insert(addresses.at(i));
    }
    return -1;
}

RuleResult StationRules::repeated(const QList<StationValue>& addresses)
{
    QList<int> numbers;
    for (const StationValue& a : addresses)
        numbers.append(a.address);
    const int at = firstRepeated(numbers);
    if (at < 0)
        return std::nullopt;
    return RuleFailure{RuleFailure::Kind::Information,
                       QCoreApplication::translate("Corvopropdlg", "Address must not be repeated"),
                       addresses.at(at).path};
}
