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

    // Parses "<module> --project <file>" plus the options already added to `parser` (which
    // gets --project here); false after a usage message.
    bool parseModuleArguments(const QStringList& args, QCommandLineParser& parser,
                              CommandContext& context, QString& project, QString& module) const;

    // The stored module restored through the plug-in; null (with a message) when it is
    // not stored or the plug-in refuses its save data.
    static void* openModule(CommandContext& context, const QString& project, const QString& name);
};
