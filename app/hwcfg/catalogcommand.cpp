#include "catalogcommand.h"

#include <corekit/hosthome.h>
#include <model/cpuobjectfactory.h>
#include <model/modulecatalog.h>

#include <QDir>

int CatalogCommand::run(const QStringList& args, CommandContext& context)
{
    if (!args.isEmpty()) {
        context.err << "usage: hwcfg " << synopsis() << "\n";
        return 2;
    }
    const QString folder = getHwcnfgComponentPath(6);
    const QStringList files =
        QDir(folder).entryList({QStringLiteral("hw*.met")}, QDir::Files, QDir::Name);
    context.out << "Host data: " << HostHome::path() << "\n";
    context.out << "Application version: " << getAppVerNum() << "\n";
    if (files.isEmpty()) {
        context.out << "No catalog files in " << folder << "\n";
        return 0;
    }
    context.out << QStringLiteral("%1  %2  %3  %4  %5\n")
                       .arg(QStringLiteral("id"), -10)
                       .arg(QStringLiteral("name"), -16)
                       .arg(QStringLiteral("order number"), -16)
                       .arg(QStringLiteral("needs"), -6)
                       .arg(QStringLiteral("state"));
    for (const QString& file : files) {
        bool ok = false;
        const int fileId = int(file.mid(2, 8).toUInt(&ok, 16));
        if (!ok)
            continue;
        ModuleDescriptor entry;
        const QList<ModuleDescriptor> records = ModuleCatalog::read(fileId);
        const int index = ModuleCatalog::find(records, fileId, fileId, getAppVerNum(), entry);
        for (int i = 0; i < records.size(); ++i) {
            const ModuleDescriptor& record = records.at(i);
            QString state;
            if (i == index)
                state = CpuObjectFactory::serverFileExists(record)
                            ? QStringLiteral("available")
                            : QStringLiteral("server file %1 missing").arg(record.ServerFile);
            else if (record.NeedHwCnfgVersion > getAppVerNum())
                state = QStringLiteral("needs host version %1").arg(record.NeedHwCnfgVersion);
            else
                state = QStringLiteral("not the entry of %1").arg(file);
            context.out << QStringLiteral("0x%1  %2  %3  %4  %5\n")
                               .arg(record.ObjID, 8, 16, QLatin1Char('0'))
                               .arg(record.ObjName, -16)
                               .arg(record.MLFB, -16)
                               .arg(record.NeedHwCnfgVersion, -6)
                               .arg(state);
        }
        if (fileId == 3 && index >= 0)
            context.out << QStringLiteral("0x%1  %2  %3  %4  %5\n")
                               .arg(4, 8, 16, QLatin1Char('0'))
                               .arg(entry.ObjName, -16)
                               .arg(entry.MLFB, -16)
                               .arg(entry.NeedHwCnfgVersion, -6)
                               .arg(QStringLiteral("described by %1").arg(file));
    }
    return 0;
}
