#pragma once

#include "command.h"

// hwcfg catalog: the module catalog entries the host data offers.
class CatalogCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("catalog"); }
    QString synopsis() const override { return QStringLiteral("catalog"); }
    QString summary() const override
    {
        return QStringLiteral("list the module catalog entries of the host data");
    }
    int run(const QStringList& args, CommandContext& context) override;
};
