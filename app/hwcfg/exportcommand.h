#pragma once

#include "projectcommand.h"

// hwcfg export <module> --project <file> [--out <file>]: a stored module's configuration as a
// JSON document, through the plug-in's exportConfiguration.
class ExportCommand : public ProjectCommand
{
public:
    QString name() const override { return QStringLiteral("export"); }
    QString synopsis() const override
    {
        return QStringLiteral("export <module> --project <file> [--out <file>]");
    }
    QString summary() const override
    {
        return QStringLiteral("write a module's configuration as a JSON document");
    }
    int run(const QStringList& args, CommandContext& context) override;
};
