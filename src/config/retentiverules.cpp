#include "retentiverules.h"

#include <corekit/plcfacts.h>

#include <QCoreApplication>

RuleResult RetentiveRules::range(int index, quint8 typeCode, quint8 areaCode, qint64 offset,
                                 qint64 count, const QString& plcType, const QString& plcVersion)
{
    const RetentiveArea* area = RetentiveArea::fromCodes(typeCode, areaCode);
    if (!area)
        return std::nullopt;
    // Timers and counters count elements, the byte areas count bytes.
    const qint64 perElement =
        area->bitAddressed ? RetentiveArea::bytesPerElement(area->typeCode) : 1;
    const qint64 needed = offset + count * perElement;
    if (needed <= getPlcAddrRange(plcType, plcVersion, QString(QLatin1Char(area->memory))))
        return std::nullopt;
    return RuleFailure{
        RuleFailure::Kind::Information,
        QCoreApplication::translate("RetentivePage",
                                    "Retentive Range %1 is illegal for the PLC type selected.")
            .arg(index),
        QStringLiteral("retentive[%1].count").arg(index)};
}

qint64 RetentiveRules::shownOffset(const RetentiveRange& range)
{
    return RetentiveArea::countsElements(range.typeCode) ? range.start : range.start / 8;
}
