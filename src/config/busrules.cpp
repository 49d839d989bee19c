#include "busrules.h"

#include <QCoreApplication>

RuleResult BusRules::profinetName(bool useBus, bool useCustomName, const QString& name)
{
    if (!useBus || !useCustomName)
        return std::nullopt;
    const QString path = QStringLiteral("buses.profinet.customName");
    if (name.isEmpty())
        return RuleFailure{
            RuleFailure::Kind::Warning,
            QCoreApplication::translate("ProfinetPage", "The custom name cannot be empty!"), path};
    if (name.endsWith(QLatin1Char('-')))
        return RuleFailure{
            RuleFailure::Kind::Warning,
            QCoreApplication::translate("ProfinetPage", "The custom name cannot end with '-'!"),
            path};
    return std::nullopt;
}

RuleResult BusRules::qbusName(bool useSlave, bool useCustomName, const QString& name)
{
    if (!useSlave || !useCustomName || !name.isEmpty())
        return std::nullopt;
    return RuleFailure{RuleFailure::Kind::Warning,
                       QCoreApplication::translate("QbusPage", "The custom name cannot be empty!"),
                       QStringLiteral("buses.qbus.customName")};
}
