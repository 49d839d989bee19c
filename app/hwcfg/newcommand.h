#pragma once

#include "command.h"

// hwcfg new <id> --project <file> [--module <name>]: creates a CPU module, shows it and the
// project's memory claims, stores its save data under the module name, and releases it.
class NewCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("new"); }
    QString synopsis() const override
    {
        return QStringLiteral("new <id> --project <file> [--module <name>]");
    }
    QString summary() const override
    {
        return QStringLiteral("create a CPU module from the catalog, show it, release it");
    }
    int run(const QStringList& args, CommandContext& context) override;

    // Identity, local maps and CANopen master of a module.
    static void printModule(CommandContext& context, void* handle);
    static void printClaims(CommandContext& context, const QString& projectPath);
    // Why createObject may have refused an id, as far as the host data tells.
    static QString diagnoseCreateFailure(int id, const QString& projectPath);
};
