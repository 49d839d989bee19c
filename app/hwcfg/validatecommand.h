#pragma once

#include "projectcommand.h"

// hwcfg validate <module> --project <file> [--json]: the checks of the properties dialog's
// OK and of compile on a stored module, without the dialog (the plug-in's
// validateConfiguration); one line per finding. Exit status 0 only without findings.
class ValidateCommand : public ProjectCommand
{
public:
    QString name() const override { return QStringLiteral("validate"); }
    QString synopsis() const override
    {
        return QStringLiteral("validate <module> --project <file> [--json]");
    }
    QString summary() const override
    {
        return QStringLiteral("check a module as OK and compile would");
    }
    // The host's address check belongs to its widget library.
    bool needsGui() const override { return true; }
    bool offscreen() const override { return true; }
    int run(const QStringList& args, CommandContext& context) override;
};
