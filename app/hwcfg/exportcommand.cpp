#include "exportcommand.h"

#include "pluginhost.h"

int ExportCommand::run(const QStringList& args, CommandContext& context)
{
    QCommandLineParser parser;
    parser.addOption(
        {QStringLiteral("out"), QStringLiteral("file for the document"), QStringLiteral("file")});
    QString project;
    QString module;
    if (!parseModuleArguments(args, parser, context, project, module))
        return 2;
    void* handle = openModule(context, project, module);
    if (!handle)
        return 1;
    const QByteArray json = context.plugin.exportConfiguration(handle);
    context.plugin.releaseObject(handle);

    const QString out = parser.value(QStringLiteral("out"));
    if (out.isEmpty()) {
        context.out << QString::fromUtf8(json);
        return 0;
    }
    if (!writeFile(context, out, json))
        return 1;
    context.out << "Exported " << module << " to " << out << " (" << json.size() << " bytes)\n";
    return 0;
}
