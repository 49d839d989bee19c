#pragma once

#include "projectcommand.h"

// hwcfg opcua export|import|sample|generate: a module's OPC UA configuration as an *.opuca
// file, without the dialog; a large project and interface for measuring the editor.
class OpcUaCommand : public ProjectCommand
{
public:
    QString name() const override { return QStringLiteral("opcua"); }
    QString synopsis() const override
    {
        return QStringLiteral("opcua export|import|sample|generate ...");
    }
    QString summary() const override
    {
        return QStringLiteral("exchange a module's OPC UA configuration with an *.opuca file");
    }
    int run(const QStringList& args, CommandContext& context) override;
};
