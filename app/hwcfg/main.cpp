// hwcfg: a demo host for the CPU plug-in. It loads the plug-in by file name, resolves its
// exports by name and drives it the way the hardware-configuration tool does.

#include "catalogcommand.h"
#include "comparecommand.h"
#include "compilecommand.h"
#include "configcommand.h"
#include "democommand.h"
#include "dumpcommand.h"
#include "exportcommand.h"
#include "hosttranslator.h"
#include "importcommand.h"
#include "modulescommand.h"
#include "newcommand.h"
#include "opcuacommand.h"
#include "pluginhost.h"
#include "recompilecommand.h"
#include "savecommand.h"
#include "schemacommand.h"
#include "shotscommand.h"
#include "showcommand.h"
#include "slavecommand.h"
#include "validatecommand.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTextStream>

#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<Command>> commands()
{
    std::vector<std::unique_ptr<Command>> list;
    list.push_back(std::make_unique<CatalogCommand>());
    list.push_back(std::make_unique<NewCommand>());
    list.push_back(std::make_unique<ModulesCommand>());
    list.push_back(std::make_unique<ShowCommand>());
    list.push_back(std::make_unique<SaveCommand>());
    list.push_back(std::make_unique<DumpCommand>());
    list.push_back(std::make_unique<CompareCommand>());
    list.push_back(std::make_unique<CompileCommand>());
    list.push_back(std::make_unique<RecompileCommand>());
    list.push_back(std::make_unique<SlaveCommand>());
    list.push_back(std::make_unique<OpcUaCommand>());
    list.push_back(std::make_unique<ExportCommand>());
    list.push_back(std::make_unique<ImportCommand>());
    list.push_back(std::make_unique<SchemaCommand>());
    list.push_back(std::make_unique<ValidateCommand>());
    list.push_back(std::make_unique<ConfigCommand>());
    list.push_back(std::make_unique<ShotsCommand>());
    list.push_back(std::make_unique<DemoCommand>());
    return list;
}

void usage(QTextStream& out, const std::vector<std::unique_ptr<Command>>& list)
{
    out << "usage: hwcfg [--plugin <file>] [--host <dir>] [--lang <language>] <command> "
           "[arguments]\n\n"
        << "  --plugin <file>  the CPU plug-in to load (default: the one installed beside "
           "hwcfg)\n"
        << "  --host <dir>     host data folder (default: $CORVO_HOST_HOME or the sample "
           "data)\n"
        << "  --lang <lang>    the dialog's language, e.g. zh_CN (default: the system's)\n"
        << "  --verbose        show the plug-in's debug log\n\ncommands:\n";
    for (const auto& command : list)
        out << QStringLiteral("  %1  %2\n").arg(command->synopsis(), -40).arg(command->summary());
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));

    QTextStream out(stdout);
    QTextStream err(stderr);
    const auto list = commands();

    QString pluginFile;
    QString language;
    bool verbose = false;
    // --lang may also follow the command: `hwcfg shots --lang zh_CN <dir>`.
    for (int i = 0; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--lang")) {
            language = args.at(i + 1);
            args.erase(args.begin() + i, args.begin() + i + 2);
            break;
        }
    }
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if ((option == QLatin1String("--plugin") || option == QLatin1String("--host")) &&
            !args.isEmpty()) {
            const QString value = args.takeFirst();
            if (option == QLatin1String("--plugin"))
                pluginFile = value;
            else
                qputenv("CORVO_HOST_HOME", value.toLocal8Bit());
        } else if (option == QLatin1String("--verbose")) {
            verbose = true;
        } else if (option == QLatin1String("--help")) {
            usage(out, list);
            return 0;
        } else {
            usage(err, list);
            return 2;
        }
    }
    if (args.isEmpty()) {
        usage(err, list);
        return 2;
    }
    const QString name = args.takeFirst();
    Command* command = nullptr;
    for (const auto& candidate : list) {
        if (candidate->name() == name)
            command = candidate.get();
    }
    if (!command) {
        err << "hwcfg: unknown command " << name << "\n";
        usage(err, list);
        return 2;
    }

    std::unique_ptr<QCoreApplication> app;
    if (command->offscreen() && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    if (command->needsGui())
        app = std::make_unique<QApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);

    // The plug-in's debug lines are for developers; users see them when they ask.
    if (!verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));

    PluginHost plugin;
    QString error;
    if (!plugin.load(pluginFile.isEmpty() ? PluginHost::defaultPluginFile() : pluginFile, &error)) {
        err << "hwcfg: cannot use the CPU plug-in: " << error << "\n";
        return 1;
    }
    if (!HostTranslator::install(*app, language, plugin.fileName(), &error)) {
        err << "hwcfg: " << error << "\n";
        return 2;
    }
    CommandContext context{out, err, plugin};
    const int status = command->run(args, context);
    out.flush();
    return status;
}
