#include "soerules.h"

#include <QCoreApplication>

bool SoeRules::namesDataBlock(const SoeRecord& record)
{
    return record.isUsed() && record.trigger.area == DataBlockArea;
}

RuleResult SoeRules::trigger(const SoeRecord& record, const QStringList& dataBlocks,
                             const QString& path)
{
    if (!namesDataBlock(record))
        return std::nullopt;
    const QString name = QStringLiteral("DB%1").arg(record.trigger.dbNumber);
    if (dataBlocks.contains(name))
        return std::nullopt;
    return RuleFailure{
        RuleFailure::Kind::Warning,
        QCoreApplication::translate("SoePage", "The trigger setting has error,%1 does not exist.")
            .arg(name),
        path};
}

RuleResult SoeRules::title(int row, bool used, const QString& title, const QString& path)
{
    if (!used || !title.trimmed().isEmpty())
        return std::nullopt;
    return RuleFailure{
        RuleFailure::Kind::Information,
        QCoreApplication::translate("SoePage", "The title of SOE %1 is not allowed be empty.")
            .arg(row + 1),
        path};
}
