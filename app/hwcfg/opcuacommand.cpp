#include "opcuacommand.h"

#include "modulestore.h"
#include "opcuasample.h"
#include "opcuasavedata.h"
#include "pluginhost.h"

#include <opcua/opcuainterfacecodec.h>
#include <opcua/opcuasettingscodec.h>

#include <QFile>

namespace {

const char kUsage[] = "usage: hwcfg opcua export <module> --project <file> <file.opuca>\n"
                      "       hwcfg opcua import <module> --project <file> <file.opuca>\n"
                      "       hwcfg opcua sample <file.opuca>\n";

void describe(CommandContext& context, const OpcUaFileContents& contents)
{
    if (contents.settings.isEmpty()) {
        context.out << "  settings: none (the page's defaults)\n";
    } else {
        const OpcUaSettings s = OpcUaSettingsCodec::decode(contents.settings).settings;
        context.out << "  settings: server " << (s.serverEnabled ? "on" : "off") << ", \""
                    << s.serverName << "\" port " << s.port << ", " << s.users.size()
                    << " user(s), " << contents.settings.size() << " bytes\n";
    }
    if (contents.interfaces.isEmpty()) {
        context.out << "  interfaces: none\n";
    } else {
        const OpcUaInterfaceDecode d = OpcUaInterfaceCodec::decode(contents.interfaces);
        context.out << "  interfaces: " << d.interfaces.size() << ", "
                    << OpcUaInterfaceCodec::recordCount(d.interfaces) << " variable(s), "
                    << contents.interfaces.size() << " bytes\n";
    }
}

} // namespace

int OpcUaCommand::run(const QStringList& args, CommandContext& context)
{
    QCommandLineParser parser;
    addProjectOption(parser);
    if (!parser.parse(QStringList{name()} + args) || parser.positionalArguments().isEmpty()) {
        context.err << kUsage;
        return 2;
    }
    const QStringList positional = parser.positionalArguments();
    const QString action = positional.first();
    if (action == QLatin1String("sample") && positional.size() == 2) {
        if (!writeFile(context, positional.at(1), OpcUaFile::encode(OpcUaSample::contents())))
            return 1;
        context.out << "Wrote the sample OPC UA configuration to " << positional.at(1) << "\n";
        describe(context, OpcUaSample::contents());
        return 0;
    }
    if ((action != QLatin1String("export") && action != QLatin1String("import")) ||
        positional.size() != 3) {
        context.err << kUsage;
        return 2;
    }
    QString project;
    if (!projectFrom(parser, context, project))
        return 2;
    const QString module = positional.at(1);
    const QString path = positional.at(2);

    void* handle = openModule(context, project, module);
    if (!handle)
        return 1;
    const QByteArray saveData = context.plugin.save(handle);
    context.plugin.releaseObject(handle);
    const auto current = OpcUaSaveData::payloads(saveData);
    if (!current) {
        context.err << "hwcfg: \"" << module
                    << "\" has no OPC UA configuration (the project's PLC type has no OPC UA "
                       "server)\n";
        return 1;
    }

    if (action == QLatin1String("export")) {
        if (!writeFile(context, path, OpcUaFile::encode(*current)))
            return 1;
        context.out << "Exported the OPC UA configuration of " << module << " to " << path << "\n";
        describe(context, *current);
        return 0;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        context.err << "hwcfg: cannot open " << path << "\n";
        return 1;
    }
    QString problem;
    const auto contents = OpcUaFile::read(file, &problem);
    if (!contents) {
        context.err << "hwcfg: " << path << " holds no complete OPC UA configuration: " << problem
                    << "; nothing was changed\n";
        return 1;
    }
    const auto saved = OpcUaSaveData::replace(context.plugin, project, saveData, *contents);
    if (!saved) {
        context.err << "hwcfg: the plug-in did not keep the imported configuration; nothing was "
                       "changed\n";
        return 1;
    }
    if (!ModuleStore(project).store(module, *saved)) {
        context.err << "hwcfg: cannot store \"" << module << "\" in " << project << "\n";
        return 1;
    }
    context.out << "Imported " << path << " into " << module
                << (contents->settings.isEmpty() || contents->interfaces.isEmpty()
                        ? " (an empty payload keeps the module's)"
                        : "")
                << "\n";
    describe(context, *OpcUaSaveData::payloads(*saved));
    return 0;
}
