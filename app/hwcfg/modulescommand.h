#pragma once

#include "projectcommand.h"

// hwcfg modules --project <file>: the CPU modules stored in a project.
class ModulesCommand : public ProjectCommand
{
public:
    QString name() const override { return QStringLiteral("modules"); }
    QString synopsis() const override { return QStringLiteral("modules --project <file>"); }
    QString summary() const override { return QStringLiteral("list the modules of a project"); }
    int run(const QStringList& args, CommandContext& context) override;
};
