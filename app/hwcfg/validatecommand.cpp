#include "validatecommand.h"

#include "pluginhost.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

int ValidateCommand::run(const QStringList& args, CommandContext& context)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("json"), QStringLiteral("findings as JSON, for tools")});
    QString project;
    QString module;
    if (!parseModuleArguments(args, parser, context, project, module))
        return 2;
    void* handle = openModule(context, project, module);
    if (!handle)
        return 1;
    QList<CorvoCpuApi::Finding> findings;
    const int count = context.plugin.validateConfiguration(handle, findings);
    context.plugin.releaseObject(handle);
    if (count < 0) {
        context.err << "hwcfg: the plug-in could not check \"" << module << "\"\n";
        return 1;
    }

    if (parser.isSet(QStringLiteral("json"))) {
        QJsonArray list;
        for (const CorvoCpuApi::Finding& f : findings)
            list.append(QJsonObject{{QStringLiteral("path"), f.path},
                                    {QStringLiteral("message"), f.message},
                                    {QStringLiteral("check"), f.check}});
        const QJsonObject result{{QStringLiteral("module"), module},
                                 {QStringLiteral("count"), count},
                                 {QStringLiteral("findings"), list}};
        context.out << QString::fromUtf8(QJsonDocument(result).toJson());
    } else {
        for (const CorvoCpuApi::Finding& f : findings)
            context.out << f.path << ": " << f.message << "\n";
        context.out << module << ": "
                    << (count == 0
                            ? QStringLiteral("no findings")
                            : QStringLiteral("%1 finding%2").arg(count).arg(count == 1 ? "" : "s"))
                    << "\n";
    }
    return count == 0 ? 0 : 1;
}
