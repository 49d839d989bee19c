#pragma once

#include <QStringList>
#include <QTextStream>

class PluginHost;

// Where a command writes and what it works with.
struct CommandContext
{
    QTextStream& out;
    QTextStream& err;
    PluginHost& plugin;
};

// One hwcfg subcommand; it parses its own arguments.
class Command
{
public:
    virtual ~Command();

    virtual QString name() const = 0;
    virtual QString synopsis() const = 0; // "new <id> --project <file>"
    virtual QString summary() const = 0;
    virtual bool needsGui() const { return false; }
    // Whether its windows need no screen (pictures only).
    virtual bool offscreen() const { return false; }

    // Exit status: 0 success, 1 failure of the operation, 2 bad usage.
    virtual int run(const QStringList& args, CommandContext& context) = 0;

    // Writes `data` to `path` whole or not at all; false after a message.
    static bool writeFile(CommandContext& context, const QString& path, const QByteArray& data);
};
