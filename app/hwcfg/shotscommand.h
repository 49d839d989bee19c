#pragma once

#include "command.h"

// hwcfg shots <dir>: opens the properties dialog of each sample model (offscreen) and
// writes a picture of every page, for the documentation and for review.
class ShotsCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("shots"); }
    QString synopsis() const override { return QStringLiteral("shots <dir>"); }
    QString summary() const override
    {
        return QStringLiteral("write a PNG of every dialog page of each sample model");
    }
    bool needsGui() const override { return true; }
    bool offscreen() const override { return true; }
    int run(const QStringList& args, CommandContext& context) override;
};
