#pragma once

#include "command.h"

// hwcfg compare <a> <b>: the plug-in's compare messages for two blocks, then every field
// that differs. Exit status 0 when the blocks are equal, 1 when they differ.
class CompareCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("compare"); }
    QString synopsis() const override { return QStringLiteral("compare <file a> <file b>"); }
    QString summary() const override
    {
        return QStringLiteral("compare two blocks: the plug-in's messages and the fields");
    }
    int run(const QStringList& args, CommandContext& context) override;
};
