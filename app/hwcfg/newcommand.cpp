#include "newcommand.h"

#include "modulestore.h"
#include "pluginhost.h"
#include "report.h"

#include <block/blockdecoder.h>
#include <corekit/hosthome.h>
#include <corekit/memory.h>
#include <model/cpuobjectfactory.h>
#include <model/modulecatalog.h>

#include <QCommandLineParser>
#include <QFileInfo>

int NewCommand::run(const QStringList& args, CommandContext& context)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("id"), QStringLiteral("module type id"));
    parser.addOption(
        {QStringLiteral("project"), QStringLiteral("project file"), QStringLiteral("file")});
    parser.addOption({QStringLiteral("module"),
                      QStringLiteral("store the module's save data in the project under this name"),
                      QStringLiteral("name")});
    int id = 0;
    if (!parser.parse(QStringList{name()} + args) || parser.positionalArguments().size() != 1 ||
        !Report::parseId(parser.positionalArguments().constFirst(), id) ||
        !parser.isSet(QStringLiteral("project"))) {
        context.err << "usage: hwcfg " << synopsis() << "\n";
        return 2;
    }
    const QString project = parser.value(QStringLiteral("project"));
    if (!QFileInfo(project).isFile()) {
        context.err << "hwcfg: no project file " << project << "\n";
        return 1;
    }

    void* handle = context.plugin.createObject(id, project);
    if (!handle) {
        context.err << "hwcfg: no module created for id " << id << ": "
                    << diagnoseCreateFailure(id, project) << "\n";
        return 1;
    }
    context.out << "Created module " << id << " in " << project << "\n";
    printModule(context, handle);
    const QString module = parser.value(QStringLiteral("module"));
    if (!module.isEmpty()) {
        const QByteArray saveData = context.plugin.save(handle);
        if (!ModuleStore(project).store(module, saveData)) {
            context.err << "hwcfg: cannot store \"" << module << "\" in " << project << "\n";
            context.plugin.releaseObject(handle);
            return 1;
        }
        context.out << "Stored as \"" << module << "\": " << saveData.size()
                    << " bytes of save data\n";
    }
    context.out << "Project memory while the module exists:\n";
    printClaims(context, project);
    context.plugin.releaseObject(handle);
    context.out << "Released; project memory now:\n";
    printClaims(context, project);
    return 0;
}

void NewCommand::printModule(CommandContext& context, void* handle)
{
    PluginHost& p = context.plugin;
    const Position position = p.getPosition(handle);
    context.out << "  name:       " << BlockDecoder::printable(p.getName(handle)) << "\n"
                << "  comment:    " << BlockDecoder::printable(p.getComment(handle)) << "\n"
                << "  rack/slot:  " << p.getRackId(handle) << " / " << p.getSlotId(handle) << "\n"
                << "  position:   " << position.x << ", " << position.y << "\n"
                << "  inputs:     " << Report::describeMap(p.getInMap(handle)) << "\n"
                << "  outputs:    " << Report::describeMap(p.getOutMap(handle)) << "\n"
                << "  CANopen:    node " << p.getNodeId(handle) << ", " << p.getBaudrate(handle)
                << " kbit/s\n";
}

void NewCommand::printClaims(CommandContext& context, const QString& projectPath)
{
    const QStringList lines = Report::describeClaims(getUsedMemory(projectPath));
    if (lines.isEmpty())
        context.out << "  (nothing claimed)\n";
    for (const QString& line : lines)
        context.out << "  " << line << "\n";
}

QString NewCommand::diagnoseCreateFailure(int id, const QString& projectPath)
{
    const int fileId = ModuleCatalog::fileIdFor(id);
    const QList<ModuleDescriptor> records = ModuleCatalog::read(fileId);
    if (records.isEmpty())
        return QStringLiteral("no catalog file %1").arg(ModuleCatalog::filePath(fileId));
    ModuleDescriptor entry;
    if (ModuleCatalog::find(records, fileId, id, getAppVerNum(), entry) < 0)
        return QStringLiteral("%1 has no entry usable by host version %2")
            .arg(ModuleCatalog::fileName(fileId))
            .arg(getAppVerNum());
    if (!CpuObjectFactory::serverFileExists(entry))
        return QStringLiteral("server file %1 is missing").arg(entry.ServerFile);
    return QStringLiteral("its local I/O bytes could not be claimed in %1 (in use, or beyond "
                          "the PLC type's memory)")
        .arg(projectPath);
}
