#include "savecommand.h"

#include "modulestore.h"
#include "pluginhost.h"

#include <block/blockdecoder.h>

int SaveCommand::run(const QStringList& args, CommandContext& context)
{
    QCommandLineParser parser;
    parser.addOption(
        {QStringLiteral("out"), QStringLiteral("file for the save data"), QStringLiteral("file")});
    QString project;
    QString module;
    if (!parseModuleArguments(args, parser, context, project, module))
        return 2;
    void* handle = openModule(context, project, module);
    if (!handle)
        return 1;
    const QByteArray data = context.plugin.save(handle);
    context.plugin.releaseObject(handle);

    const ModuleStore store(project);
    const bool changed = store.load(module) != data;
    if (!store.store(module, data)) {
        context.err << "hwcfg: cannot store \"" << module << "\" in " << project << "\n";
        return 1;
    }
    const QString out = parser.value(QStringLiteral("out"));
    if (!out.isEmpty()) {
        if (!writeFile(context, out, data))
            return 1;
    }
    context.out << "Saved " << module << ": " << data.size() << " bytes"
                << (changed ? " (changed)" : " (unchanged)") << "\n";
    for (const DecodedSection& s : BlockDecoder::decode(data).sections)
        context.out << "  section " << s.id << " " << s.title << ", " << s.length << " bytes\n";
    if (!out.isEmpty())
        context.out << "Written to " << out << "\n";
    return 0;
}
