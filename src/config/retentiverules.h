#pragma once

#include "rulefailure.h"

#include "model/cpuparams.h"

#include <QString>

// The check of the retentive ranges on plain values.
class RetentiveRules
{
public:
    // Range `index` (its area's codes, the offset and the number of elements as the page
    // shows them) against the PLC type's memory; nothing for codes that name no area.
    static RuleResult range(int index, quint8 typeCode, quint8 areaCode, qint64 offset,
                            qint64 count, const QString& plcType, const QString& plcVersion);

    // The offset the page shows for a stored range: bytes for the byte areas (the record
    // holds the bit address), elements for timers and counters.
    static qint64 shownOffset(const RetentiveRange& range);
};
