#pragma once

#include "command.h"

// hwcfg schema: the JSON Schema of the configuration documents (docs/config-schema.json).
class SchemaCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("schema"); }
    QString synopsis() const override { return QStringLiteral("schema"); }
    QString summary() const override
    {
        return QStringLiteral("print the JSON Schema of configuration documents");
    }
    int run(const QStringList& args, CommandContext& context) override;
};
