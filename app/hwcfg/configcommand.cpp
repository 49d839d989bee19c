#include "configcommand.h"

#include "hostwindow.h"
#include "modulestore.h"
#include "newcommand.h"
#include "pluginhost.h"

#include <corekit/memory.h>

#include <QSet>

int ConfigCommand::run(const QStringList& args, CommandContext& context)
{
    QCommandLineParser parser;
    parser.addOption(
        {QStringLiteral("read-only"), QStringLiteral("the dialog can only be cancelled")});
    parser.addOption({QStringLiteral("refuse-bus"),
                      QStringLiteral("the host window refuses the lines of <bus> (canopen, "
                                     "ethercat, qbus, eip or 0..3; repeatable)"),
                      QStringLiteral("bus")});
    QString project;
    QString module;
    if (!parseModuleArguments(args, parser, context, project, module))
        return 2;
    QSet<int> refused;
    for (const QString& bus : parser.values(QStringLiteral("refuse-bus"))) {
        const int kind = HostWindow::busKind(bus);
        if (kind < 0) {
            context.err << "hwcfg: unknown bus \"" << bus << "\"\n";
            return 2;
        }
        refused.insert(kind);
    }
    void* handle = openModule(context, project, module);
    if (!handle)
        return 1;
    HostWindow window(QStringLiteral("hwcfg - %1 - %2").arg(module, project));
    window.setRefusedBuses(refused);
    window.show();
    const QByteArray before = context.plugin.save(handle);
    context.plugin.config(handle, project, &window, parser.isSet(QStringLiteral("read-only")));
    const QByteArray after = context.plugin.save(handle);
    // What the module holds now, its expansion cards' addresses among it once OK took them.
    context.out << "Project memory while the module is open:\n";
    NewCommand::printClaims(context, project);
    context.plugin.releaseObject(handle);

    for (const QString& line : window.busLines())
        context.out << "bus line: " << line << "\n";
    if (after == before) {
        context.out << module << " unchanged\n";
        return 0;
    }
    if (!ModuleStore(project).store(module, after)) {
        context.err << "hwcfg: cannot store \"" << module << "\" in " << project << "\n";
        return 1;
    }
    context.out << module << " changed and stored (" << after.size() << " bytes of save data)\n";
    return 0;
}
