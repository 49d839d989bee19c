#include "opcuacommand.h"

#include "modulestore.h"
#include "opcuagenerator.h"
#include "opcuasample.h"
#include "opcuasavedata.h"
#include "pluginhost.h"

#include <opcua/opcuainterfacecodec.h>
#include <opcua/opcuasettingscodec.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>

namespace {

const char kUsage[] = "usage: hwcfg opcua export <module> --project <file> <file.opuca>\n"
                      "       hwcfg opcua import <module> --project <file> <file.opuca>\n"
                      "       hwcfg opcua sample <file.opuca>\n"
                      "       hwcfg opcua generate <dir> [--symbols <n>] [--records <n>]\n"
                      "                            [--interfaces <n>] [--blocks <n>]\n";

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

// A large project and interface for measuring the editor: the project file, the *.opuca
// file, and a KLV2 R70 module "PLC" in the project that carries both payloads.
int generate(CommandContext& context, const QString& dir, const OpcUaGenerator::Shape& shape,
             int records, int interfaces)
{
    if (!QDir().mkpath(dir)) {
        context.err << "hwcfg: cannot write to " << dir << "\n";
        return 1;
    }
    const OpcUaGenerator generator(shape);
    const QString project = QDir(dir).filePath(QStringLiteral("opcua-large.json"));
    if (!Command::writeFile(context, project,
                            QJsonDocument(generator.project()).toJson(QJsonDocument::Compact)))
        return 1;
    const OpcUaFileContents contents{
        OpcUaSample::contents().settings,
        OpcUaInterfaceCodec::encode(generator.interfaces(records, interfaces))};
    const QString opuca = QDir(dir).filePath(QStringLiteral("opcua-large.opuca"));
    if (!Command::writeFile(context, opuca, OpcUaFile::encode(contents)))
        return 1;
    void* handle = context.plugin.createObject(0x21, project);
    if (!handle) {
        context.err << "hwcfg: no KLV2 R70 module for the project\n";
        return 1;
    }
    const auto saved =
        OpcUaSaveData::replace(context.plugin, project, context.plugin.save(handle), contents);
    context.plugin.releaseObject(handle);
    if (!saved || !ModuleStore(project).store(QStringLiteral("PLC"), *saved)) {
        context.err << "hwcfg: cannot store the module \"PLC\" in " << project << "\n";
        return 1;
    }
    context.out << "Wrote " << project << ": " << shape.symbols << " symbols, "
                << generator.variables().size() << " of them publishable, " << shape.blocks
                << " data blocks of " << shape.elementsPerBlock << " elements, module \"PLC\"\n";
    context.out << "Wrote " << opuca << "\n";
    describe(context, contents);
    context.out << "Open it with: hwcfg config PLC --project " << project << "\n";
    return 0;
}

} // namespace

int OpcUaCommand::run(const QStringList& args, CommandContext& context)
{
    QCommandLineParser parser;
    addProjectOption(parser);
    for (const char* option : {"symbols", "records", "interfaces", "blocks"})
        parser.addOption({QLatin1String(option), QString(), QStringLiteral("n")});
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
    if (action == QLatin1String("generate") && positional.size() == 2) {
        OpcUaGenerator::Shape shape;
        int records = int(OpcUaInterfaceCodec::MaxVariables);
        int interfaces = 5;
        bool ok = true;
        const auto number = [&](const char* option, int& value, int top) {
            if (!parser.isSet(QLatin1String(option)))
                return;
            bool read = false;
            value = parser.value(QLatin1String(option)).toInt(&read);
            ok = ok && read && value >= 0 && value <= top;
        };
        number("symbols", shape.symbols, 1000000);
        number("records", records, int(OpcUaInterfaceCodec::MaxVariables));
        number("interfaces", interfaces, 5);
        number("blocks", shape.blocks, 65535);
        if (!ok || interfaces < 1) {
            context.err << kUsage;
            return 2;
        }
        return generate(context, positional.at(1), shape, records, interfaces);
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
