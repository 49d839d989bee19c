#include "showcommand.h"

#include "newcommand.h"
#include "pluginhost.h"

#include <block/blockdecoder.h>

#include <QJsonDocument>

int ShowCommand::run(const QStringList& args, CommandContext& context)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("json"), QStringLiteral("machine-readable output")});
    QString project;
    QString module;
    if (!parseModuleArguments(args, parser, context, project, module))
        return 2;
    void* handle = openModule(context, project, module);
    if (!handle)
        return 1;
    // What the plug-in makes of the stored data, saved again: the configuration as it is now.
    const QByteArray data = context.plugin.save(handle);
    const DecodedBlock block = BlockDecoder::decode(data);
    if (parser.isSet(QStringLiteral("json"))) {
        context.out << QJsonDocument(block.toJson()).toJson();
    } else {
        context.out << "Module " << module << " in " << project << "\n";
        NewCommand::printModule(context, handle);
        context.out << "\nSave data: " << block.toText();
    }
    context.plugin.releaseObject(handle);
    return 0;
}
