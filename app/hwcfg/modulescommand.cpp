#include "modulescommand.h"

#include "modulestore.h"
#include "pluginhost.h"
#include "report.h"

#include <block/blockdecoder.h>

int ModulesCommand::run(const QStringList& args, CommandContext& context)
{
    QCommandLineParser parser;
    addProjectOption(parser);
    QString project;
    if (!parser.parse(QStringList{name()} + args) || !parser.positionalArguments().isEmpty()) {
        context.err << "usage: hwcfg " << synopsis() << "\n";
        return 2;
    }
    if (!projectFrom(parser, context, project))
        return 2;
    const ModuleStore store(project);
    const QStringList names = store.names();
    if (names.isEmpty())
        context.out << "No modules in " << project << "\n";
    for (const QString& module : names) {
        const QByteArray data = store.load(module);
        void* handle = context.plugin.restore(data, project);
        if (!handle) {
            context.out << module << ": " << data.size() << " bytes, not restorable\n";
            continue;
        }
        context.out << module << ": " << BlockDecoder::printable(context.plugin.getName(handle))
                    << ", rack " << context.plugin.getRackId(handle) << " slot "
                    << context.plugin.getSlotId(handle) << ", " << data.size()
                    << " bytes of save data\n";
        context.plugin.releaseObject(handle);
    }
    return 0;
}
