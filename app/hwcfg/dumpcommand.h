#pragma once

#include "command.h"

// hwcfg dump <file> [--json] [--prefix <n>]: any save data or download block, decoded
// section by section and field by field.
class DumpCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("dump"); }
    QString synopsis() const override
    {
        return QStringLiteral("dump <file> [--json] [--prefix <n>]");
    }
    QString summary() const override
    {
        return QStringLiteral("decode save data or a download block field by field");
    }
    int run(const QStringList& args, CommandContext& context) override;

    // A file's bytes; false (with a message) when it cannot be read or is too large to be
    // a block.
    static bool readBlockFile(const QString& path, QByteArray& data, CommandContext& context);
};
