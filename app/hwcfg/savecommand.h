#pragma once

#include "projectcommand.h"

// hwcfg save <module> --project <file> [--out <file>]: restores a stored module and saves
// it again through the plug-in, back into the project and optionally into a file.
class SaveCommand : public ProjectCommand
{
public:
    QString name() const override { return QStringLiteral("save"); }
    QString synopsis() const override
    {
        return QStringLiteral("save <module> --project <file> [--out <file>]");
    }
    QString summary() const override
    {
        return QStringLiteral("save a module again through the plug-in; write its save data");
    }
    int run(const QStringList& args, CommandContext& context) override;
};
