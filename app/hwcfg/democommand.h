#pragma once

#include "command.h"

// hwcfg demo: a short tour over the sample data, run on copies of the sample projects.
class DemoCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("demo"); }
    QString synopsis() const override { return QStringLiteral("demo [--workdir <dir>]"); }
    QString summary() const override
    {
        return QStringLiteral("run the demo on copies of the sample projects");
    }
    int run(const QStringList& args, CommandContext& context) override;

    // The bundled sample projects (installed copy, else the source tree's).
    static QString sampleProjectDir();
};
