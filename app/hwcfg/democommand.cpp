#include "democommand.h"

#include "catalogcommand.h"
#include "modulestore.h"
#include "newcommand.h"
#include "pluginhost.h"

#include <block/blockdecoder.h>
#include <corekit/hosthome.h>
#include <slaves/slavecontrol.h>

#include <corekit/memory.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace {

bool copySamples(const QString& from, const QString& to, QTextStream& err)
{
    QDir target(to);
    if (!target.exists() && !QDir().mkpath(to)) {
        err << "hwcfg: cannot create " << to << "\n";
        return false;
    }
    QFile::remove(target.filePath(QStringLiteral("hwcompilelog")));
    const QStringList projects = QDir(from).entryList({QStringLiteral("*.json")}, QDir::Files);
    for (const QString& name : projects) {
        // A fresh copy each run: earlier runs' stored modules must not leak in.
        QFile::remove(target.filePath(name));
        QDir(target.filePath(name + QStringLiteral(".content"))).removeRecursively();
        if (!QFile::copy(QDir(from).filePath(name), target.filePath(name))) {
            err << "hwcfg: cannot copy " << name << " to " << to << "\n";
            return false;
        }
        QFile::setPermissions(target.filePath(name),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    }
    return true;
}

} // namespace

QString DemoCommand::sampleProjectDir()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString installed = QDir::cleanPath(appDir + "/../share/corvo/project");
    // The source tree's samples serve the build tree only, never an installed hwcfg.
    const bool inBuildTree = QFileInfo(appDir).canonicalFilePath() ==
                             QFileInfo(QStringLiteral(CORVO_BUILD_BIN_DIR)).canonicalFilePath();
    if (!inBuildTree || QDir(installed).exists())
        return installed;
    return QStringLiteral(CORVO_SOURCE_EXAMPLES "/project");
}

int DemoCommand::run(const QStringList& args, CommandContext& context)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("workdir"), QStringLiteral("work folder"),
                      QStringLiteral("dir"), QStringLiteral("hwcfg-demo")});
    if (!parser.parse(QStringList{name()} + args) || !parser.positionalArguments().isEmpty()) {
        context.err << "usage: hwcfg " << synopsis() << "\n";
        return 2;
    }
    const QString workdir = QDir(parser.value(QStringLiteral("workdir"))).absolutePath();
    if (!copySamples(sampleProjectDir(), workdir, context.err))
        return 1;
    const QString line1 = workdir + QStringLiteral("/line1.json");
    const QString compact = workdir + QStringLiteral("/compact.json");
    QTextStream& out = context.out;
    PluginHost& plugin = context.plugin;

    out << "== Module catalog\n";
    CatalogCommand().run({}, context);

    out << "\n== A KLV2 R70 CPU in " << line1 << "\n";
    void* r70 = plugin.createObject(0x21, line1);
    if (!r70) {
        context.err << "hwcfg: " << NewCommand::diagnoseCreateFailure(0x21, line1) << "\n";
        return 1;
    }
    plugin.setRackId(r70, 0);
    plugin.setSlotId(r70, 2);
    plugin.setPosition(r70, {120, 40});
    NewCommand::printModule(context, r70);
    out << "Project memory:\n";
    NewCommand::printClaims(context, line1);

    const QByteArray saved = plugin.save(r70);
    ModuleStore(line1).store(QStringLiteral("CPU1"), saved);
    out << "\n== Its save data, stored in the project as CPU1\n";
    for (const DecodedSection& section : BlockDecoder::decode(saved).sections)
        out << "  section " << section.id << " " << section.title << ", " << section.length
            << " bytes, " << section.fields.size() << " fields\n";

    out << "\n== Restored from the project, moved to slot 3, and compared\n";
    void* copy = plugin.restore(ModuleStore(line1).load(QStringLiteral("CPU1")), line1);
    if (!copy) {
        context.err << "hwcfg: the stored save data cannot be restored\n";
        return 1;
    }
    out << "restored: " << plugin.getName(copy) << " in slot " << plugin.getSlotId(copy) << "\n";
    plugin.setSlotId(copy, 3);
    const QByteArray moved = plugin.save(copy);
    plugin.releaseObject(copy);
    const QByteArray prefix(4, '\0');
    for (const QString& message : plugin.compare(prefix + saved, prefix + moved))
        out << "compare: " << message << "\n";
    for (const QString& line :
         BlockDecoder::differences(BlockDecoder::decode(saved), BlockDecoder::decode(moved)))
        out << "field: " << line << "\n";

    out << "\n== EtherCAT slaves: a coupler with two modules (its I/O map changed) and a drive\n";
    const SlaveControl ecat(QStringLiteral("ecatslavekit.dll"));
    const int coupler = ecat.create(3, QStringLiteral("coupler"));
    ecat.setItems(coupler, {{1, 8}, {2, 2}});
    ecat.setIoMapChanged(coupler, true);
    ecat.addChild(coupler, ecat.create(301));
    ecat.addChild(coupler, ecat.create(302));
    plugin.enableEtherCAT(r70);
    plugin.addEthSlave(r70, coupler, QStringLiteral("ecatslavekit.dll"));
    plugin.addEthSlave(r70, ecat.create(1, QStringLiteral("drive")),
                       QStringLiteral("ecatslavekit.dll"));
    QList<int> handles;
    QList<int> codes;
    plugin.getEthSlaveList(r70, handles, codes);
    for (int handle : handles) {
        const QJsonObject slave = ecat.describe(handle);
        out << "  node " << slave.value("nodeId").toInt() << " " << slave.value("name").toString()
            << ", " << slave.value("children").toArray().size() << " child module(s)\n";
    }
    ModuleStore(line1).store(QStringLiteral("CPU1"), plugin.save(r70));

    out << "\n== Compile\n";
    QByteArray block;
    QList<int> errors;
    const int result = plugin.compile(r70, block, errors);
    out << "compile: " << (result == 0 ? "done" : "failed") << ", " << block.size() << " bytes, "
        << errors.size() << " error(s)\n";
    for (const DecodedSection& section : BlockDecoder::decode(block).sections)
        out << "  section " << section.id << " " << section.title << ", " << section.length
            << " bytes\n";
    QFile log(QFileInfo(line1).absolutePath() + QStringLiteral("/hwcompilelog"));
    if (log.open(QIODevice::ReadOnly))
        out << "compile log: " << QString::fromLocal8Bit(log.readAll()) << "\n";
    plugin.resetEthSlaveIoMapChanged(r70);

    out << "\n== Recompile the download block, as read back from the PLC\n";
    const QString previous = QDir::currentPath();
    QDir::setCurrent(HostHome::file(QStringLiteral("bin")));
    int error = 0;
    void* rebuilt = plugin.recompile(block, line1, error);
    QDir::setCurrent(previous);
    if (!rebuilt) {
        context.err << "hwcfg: recompile failed with " << error << "\n";
        return 1;
    }
    plugin.getEthSlaveList(rebuilt, handles, codes);
    out << "rebuilt " << plugin.getName(rebuilt) << " in slot " << plugin.getSlotId(rebuilt)
        << " with " << handles.size() << " EtherCAT slave(s)\n";
    QByteArray again;
    plugin.compile(rebuilt, again, errors);
    const QStringList differences = plugin.compare(prefix + block, prefix + again);
    out << "compare with the project's block: "
        << (differences.isEmpty() ? QStringLiteral("the same") : differences.join(QLatin1Char(' ')))
        << "\n";
    plugin.releaseObject(rebuilt);

    out << "\n== A second CPU (KLV2 R60) in the same project\n";
    void* r60 = plugin.createObject(0x22, line1);
    out << (r60 ? "created (unexpected)\n"
                : "refused: " + NewCommand::diagnoseCreateFailure(0x22, line1) + "\n");
    if (r60)
        plugin.releaseObject(r60);

    out << "\n== Releasing the R70 gives its claims back\n";
    plugin.releaseObject(r70);
    NewCommand::printClaims(context, line1);

    out << "\n== The compact CPU (MRW-Q310-24T) in " << compact << "\n";
    void* q310 = plugin.createObject(0x30, compact);
    if (!q310) {
        context.err << "hwcfg: " << NewCommand::diagnoseCreateFailure(0x30, compact) << "\n";
        return 1;
    }
    NewCommand::printModule(context, q310);
    NewCommand::printClaims(context, compact);
    plugin.releaseObject(q310);

    out << "\n== Catalog entries the host cannot use\n";
    for (int id : {0x40, 0x99}) {
        void* handle = plugin.createObject(id, line1);
        out << "id 0x" << QString::number(id, 16) << ": "
            << (handle ? QStringLiteral("created (unexpected)")
                       : "refused: " + NewCommand::diagnoseCreateFailure(id, line1))
            << "\n";
        if (handle)
            plugin.releaseObject(handle);
    }
    out << "\nDemo finished; projects in " << workdir << "\n";
    return 0;
}
