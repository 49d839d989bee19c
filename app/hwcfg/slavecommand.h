#pragma once

#include "projectcommand.h"

// hwcfg slave add|list|remove: the field-bus slaves of a stored module. Slaves are made
// in the stand-in slave plug-ins and live in the module's save data.
class SlaveCommand : public ProjectCommand
{
public:
    QString name() const override { return QStringLiteral("slave"); }
    QString synopsis() const override
    {
        return QStringLiteral("slave add|list|remove <module> --project <file> ...");
    }
    QString summary() const override
    {
        return QStringLiteral("attach, list or detach stand-in slaves on a module's buses");
    }
    int run(const QStringList& args, CommandContext& context) override;
};
