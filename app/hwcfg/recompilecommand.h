#pragma once

#include "projectcommand.h"

// hwcfg recompile <block> --project <file> --module <name>: rebuilds a module from a
// download block read back from a PLC and stores it in the project.
class RecompileCommand : public ProjectCommand
{
public:
    QString name() const override { return QStringLiteral("recompile"); }
    QString synopsis() const override
    {
        return QStringLiteral("recompile <block file> --project <file> --module <name>");
    }
    QString summary() const override
    {
        return QStringLiteral("rebuild a module from a download block and store it");
    }
    int run(const QStringList& args, CommandContext& context) override;
};
