#pragma once

#include "command.h"

#include <QCommandLineParser>

// A command that works on a project (--project <file>) and its stored modules.
class ProjectCommand : public Command
{
protected:
    // Adds --project; after parsing, checks that it names a readable project file.
    static void addProjectOption(QCommandLineParser& parser);
    static bool projectFrom(const QCommandLineParser& parser, CommandContext& context,
                            QString& project);

    // The stored module restored through the plug-in; null (with a message) when it is
    // not stored or the plug-in refuses its save data.
    static void* openModule(CommandContext& context, const QString& project, const QString& name);
};
