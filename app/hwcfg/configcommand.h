#pragma once

#include "projectcommand.h"

// hwcfg config <module> --project <file> [--read-only] [--refuse-bus <bus>]: the properties
// dialog over a stored module, inside the host window (which can refuse bus lines); the
// module is stored again when OK changed it.
class ConfigCommand : public ProjectCommand
{
public:
    QString name() const override { return QStringLiteral("config"); }
    QString synopsis() const override
    {
        return QStringLiteral(
            "config <module> --project <file> [--read-only] [--refuse-bus <bus>]");
    }
    QString summary() const override
    {
        return QStringLiteral("open the properties dialog of a stored module");
    }
    bool needsGui() const override { return true; }
    int run(const QStringList& args, CommandContext& context) override;
};
