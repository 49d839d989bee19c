#pragma once

#include "projectcommand.h"

// hwcfg import <file.json> --project <file> --module <name>: builds a module from a JSON
// document through the plug-in's importConfiguration and stores its save data; a document
// the plug-in refuses changes nothing.
class ImportCommand : public ProjectCommand
{
public:
    QString name() const override { return QStringLiteral("import"); }
    QString synopsis() const override
    {
        return QStringLiteral("import <file.json> --project <file> --module <name>");
    }
    QString summary() const override
    {
        return QStringLiteral("store a module built from a JSON document");
    }
    int run(const QStringList& args, CommandContext& context) override;
};
