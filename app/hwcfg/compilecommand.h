#pragma once

#include "projectcommand.h"

// hwcfg compile <module> --project <file> [--old] [--out <file>]: the download block of a
// stored module, with the compile error list and the I/O-map log.
class CompileCommand : public ProjectCommand
{
public:
    QString name() const override { return QStringLiteral("compile"); }
    QString synopsis() const override
    {
        return QStringLiteral("compile <module> --project <file> [--old] [--out <file>]");
    }
    QString summary() const override
    {
        return QStringLiteral("compile a module into its download block");
    }
    int run(const QStringList& args, CommandContext& context) override;

    // The host's text of a compile error code.
    static QString errorText(int code);
};
