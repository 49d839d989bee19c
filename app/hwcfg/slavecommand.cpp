#include "slavecommand.h"

#include "modulestore.h"
#include "pluginhost.h"

#include <slaves/slavecontrol.h>

#include <QJsonArray>
#include <QJsonDocument>

namespace {

struct Bus
{
    const char* name;
    const char* defaultPlugin;
    CorvoCpuApi::AddSlaveFn PluginHost::*add;
    CorvoCpuApi::RemoveSlaveFn PluginHost::*remove;
    CorvoCpuApi::SlaveListFn PluginHost::*list;
};

const Bus kBuses[] = {
    {"ethercat", "ecatslavekit.dll", &PluginHost::addEthSlave, &PluginHost::removeEthSlave,
     &PluginHost::getEthSlaveList},
    {"canopen", "dpslavekit.dll", &PluginHost::addCanSlave, &PluginHost::removeCanSlave,
     &PluginHost::getCanSlaveList},
    {"qbus", "qbusslavekit.dll", &PluginHost::addQbusSlave, &PluginHost::removeQbusSlave,
     &PluginHost::getQbusSlaveList},
    {"eip", "eipslavekit.dll", &PluginHost::addEipSlave, &PluginHost::removeEipSlave,
     &PluginHost::getEipSlaveList},
};

const QStringList kKits{"ecatslavekit.dll", "dpslavekit.dll", "canslavekit.dll", "qbusslavekit.dll",
                        "eipslavekit.dll"};

const Bus* findBus(const QString& name)
{
    for (const Bus& bus : kBuses) {
        if (name == QLatin1String(bus.name))
            return &bus;
    }
    return nullptr;
}

// The slave behind a handle, asked of every stand-in plug-in (their handle ranges differ).
QJsonObject describe(int handle)
{
    for (const QString& kit : kKits) {
        const QJsonObject object = SlaveControl(kit).describe(handle);
        if (!object.isEmpty())
            return object;
    }
    return {};
}

QString describeLine(const QJsonObject& slave)
{
    QStringList items;
    for (const QJsonValue& item : slave.value("items").toArray())
        items.append(QStringLiteral("%1:%2")
                         .arg(item.toObject().value("type").toInt())
                         .arg(item.toObject().value("count").toInt()));
    return QStringLiteral("node %1 %2(%3)%4%5%6")
        .arg(slave.value("nodeId").toInt())
        .arg(slave.value("name").toString().isEmpty()
                 ? QString()
                 : QStringLiteral("\"%1\" ").arg(slave.value("name").toString()))
        .arg(slave.value("plugin").toString())
        .arg(slave.value("children").toArray().isEmpty()
                 ? QString()
                 : QStringLiteral(", %1 child module(s)")
                       .arg(slave.value("children").toArray().size()))
        .arg(items.isEmpty() ? QString()
                             : QStringLiteral(", items ") + items.join(QLatin1Char(' ')))
        .arg(slave.value("ioMapChanged").toBool() ? QStringLiteral(", I/O map changed")
                                                  : QString());
}

void printBuses(CommandContext& context, void* handle)
{
    for (const Bus& bus : kBuses) {
        QList<int> handles;
        QList<int> codes;
        const int n = (context.plugin.*bus.list)(handle, handles, codes);
        context.out << bus.name << ": ";
        if (n < 0) {
            context.out << "off\n";
            continue;
        }
        context.out << n << " slave(s)\n";
        for (int i = 0; i < handles.size(); ++i)
            context.out << "  " << describeLine(describe(handles.at(i))) << " [code " << codes.at(i)
                        << "]\n";
    }
}

// Items given as "type:count,type:count".
bool parseItems(const QString& text, QList<QPair<int, int>>& items)
{
    if (text.isEmpty())
        return true;
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QStringList pair = part.split(QLatin1Char(':'));
        bool typeOk = false;
        bool countOk = false;
        if (pair.size() != 2)
            return false;
        const int type = pair.at(0).toInt(&typeOk);
        const int count = pair.at(1).toInt(&countOk);
        if (!typeOk || !countOk || type < 0 || type > 255 || count < 0 || count > 65535)
            return false;
        items.append({type, count});
    }
    return true;
}

} // namespace

int SlaveCommand::run(const QStringList& args, CommandContext& context)
{
    QCommandLineParser parser;
    addProjectOption(parser);
    parser.addOption(
        {QStringLiteral("plugin"), QStringLiteral("slave plug-in file"), QStringLiteral("file")});
    parser.addOption({QStringLiteral("node"), QStringLiteral("node id"), QStringLiteral("id")});
    parser.addOption(
        {QStringLiteral("name"), QStringLiteral("slave name"), QStringLiteral("text")});
    parser.addOption({QStringLiteral("children"), QStringLiteral("child modules"),
                      QStringLiteral("n"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("items"), QStringLiteral("I/O items type:count,..."),
                      QStringLiteral("list")});
    parser.addOption({QStringLiteral("iomap-changed"), QStringLiteral("mark the I/O map changed")});
    const QString usage = QStringLiteral(
        "usage: hwcfg slave list <module> --project <file>\n"
        "       hwcfg slave add <ethercat|canopen|qbus|eip> <module> --project <file> --node <id>\n"
        "                 [--plugin <file>] [--name <text>] [--children <n>] [--items t:c,...]\n"
        "                 [--iomap-changed]\n"
        "       hwcfg slave remove <ethercat|canopen|qbus|eip> <module> --project <file> --node "
        "<id>\n");
    QString project;
    if (!parser.parse(QStringList{name()} + args) || parser.positionalArguments().isEmpty()) {
        context.err << usage;
        return 2;
    }
    const QStringList positional = parser.positionalArguments();
    const QString action = positional.first();
    const bool listing = action == QLatin1String("list");
    if ((listing && positional.size() != 2) || (!listing && positional.size() != 3) ||
        (action != QLatin1String("add") && action != QLatin1String("remove") && !listing)) {
        context.err << usage;
        return 2;
    }
    if (!projectFrom(parser, context, project))
        return 2;
    const Bus* bus = listing ? nullptr : findBus(positional.at(1));
    if (!listing && !bus) {
        context.err << "hwcfg: unknown bus " << positional.at(1) << "\n" << usage;
        return 2;
    }
    bool nodeOk = false;
    const int node = parser.value(QStringLiteral("node")).toInt(&nodeOk);
    if (!listing && !nodeOk) {
        context.err << "hwcfg: --node <id> is needed\n";
        return 2;
    }
    const QString module = positional.last();
    void* handle = openModule(context, project, module);
    if (!handle)
        return 1;
    int status = 0;
    if (listing) {
        printBuses(context, handle);
    } else {
        QList<int> handles;
        QList<int> codes;
        if ((context.plugin.*bus->list)(handle, handles, codes) < 0 &&
            bus->add == &PluginHost::addCanSlave) {
            context.err << "hwcfg: the CANopen master of " << module
                        << " is off; switch it on in the properties dialog first\n";
            context.plugin.releaseObject(handle);
            return 1;
        }
        if (action == QLatin1String("add")) {
            const SlaveControl kit(parser.value(QStringLiteral("plugin")).isEmpty()
                                       ? QString::fromLatin1(bus->defaultPlugin)
                                       : parser.value(QStringLiteral("plugin")));
            QList<QPair<int, int>> items;
            bool childrenOk = false;
            const int children = parser.value(QStringLiteral("children")).toInt(&childrenOk);
            if (!kit.isLoaded() || !parseItems(parser.value(QStringLiteral("items")), items) ||
                !childrenOk || children < 0 || children > 255) {
                context.err << (kit.isLoaded() ? "hwcfg: bad --items or --children\n"
                                               : "hwcfg: no such slave plug-in\n");
                context.plugin.releaseObject(handle);
                return 2;
            }
            const int slave = kit.create(node, parser.value(QStringLiteral("name")));
            kit.setItems(slave, items);
            kit.setIoMapChanged(slave, parser.isSet(QStringLiteral("iomap-changed")));
            for (int i = 0; i < children; ++i)
                kit.addChild(slave, kit.create(node * 100 + i + 1));
            // Placing an EtherCAT slave switches the master on, as the host's rack view does.
            if (bus->add == &PluginHost::addEthSlave)
                context.plugin.enableEtherCAT(handle);
            (context.plugin.*bus->add)(handle, slave, kit.pluginFile());
            if ((context.plugin.*bus->list)(handle, handles, codes) < 0)
                context.out << "note: " << bus->name << " is off on " << module
                            << "; the slave is attached but the bus lists none until it is "
                               "switched on\n";
        } else {
            (context.plugin.*bus->list)(handle, handles, codes);
            int removed = 0;
            for (int h : handles) {
                if (describe(h).value("nodeId").toInt() == node) {
                    (context.plugin.*bus->remove)(handle, h);
                    ++removed;
                    break;
                }
            }
            if (!removed) {
                context.err << "hwcfg: no slave with node id " << node << " on " << bus->name
                            << " (a bus that is off lists none)\n";
                status = 1;
            }
        }
        if (status == 0) {
            if (!ModuleStore(project).store(module, context.plugin.save(handle))) {
                context.err << "hwcfg: cannot store \"" << module << "\"\n";
                status = 1;
            } else {
                printBuses(context, handle);
            }
        }
    }
    context.plugin.releaseObject(handle);
    return status;
}
