#pragma once

#include "projectcommand.h"

// hwcfg show <module> --project <file> [--json]: a stored module, restored through the
// plug-in, and its save data decoded field by field.
class ShowCommand : public ProjectCommand
{
public:
    QString name() const override { return QStringLiteral("show"); }
    QString synopsis() const override
    {
        return QStringLiteral("show <module> --project <file> [--json]");
    }
    QString summary() const override
    {
        return QStringLiteral("print a stored module's configuration field by field");
    }
    int run(const QStringList& args, CommandContext& context) override;
};
