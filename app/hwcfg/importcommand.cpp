#include "importcommand.h"

#include "modulestore.h"
#include "pluginhost.h"

#include <QFile>

namespace {

// Larger files are no configuration; the plug-in would refuse them unread.
constexpr qint64 kMaxFile = 64 * 1024 * 1024;

} // namespace

int ImportCommand::run(const QStringList& args, CommandContext& context)
{
    QCommandLineParser parser;
    addProjectOption(parser);
    parser.addOption({QStringLiteral("module"), QStringLiteral("name to store the module under"),
                      QStringLiteral("name")});
    QString project;
    const QString module = parser.parse(QStringList{name()} + args)
                               ? parser.value(QStringLiteral("module"))
                               : QString();
    if (module.isEmpty() || parser.positionalArguments().size() != 1) {
        context.err << "usage: hwcfg " << synopsis() << "\n";
        return 2;
    }
    if (!projectFrom(parser, context, project))
        return 2;
    const QString path = parser.positionalArguments().constFirst();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        context.err << "hwcfg: cannot read " << path << "\n";
        return 1;
    }
    if (file.size() > kMaxFile) {
        context.err << "hwcfg: " << path << " is larger than " << kMaxFile << " bytes\n";
        return 1;
    }
    QString error;
    void* handle = context.plugin.importConfiguration(file.readAll(), project, error);
    if (!handle) {
        context.err << "hwcfg: " << path << " is refused; nothing was stored:\n";
        for (const QString& line : error.split(QLatin1Char('\n')))
            context.err << "  " << line << "\n";
        return 1;
    }
    const QByteArray data = context.plugin.save(handle);
    context.plugin.releaseObject(handle);

    const ModuleStore store(project);
    const bool replaced = store.contains(module);
    if (!store.store(module, data)) {
        context.err << "hwcfg: cannot store \"" << module << "\" in " << project << "\n";
        return 1;
    }
    context.out << "Imported " << path << " as " << module << ": " << data.size()
                << " bytes of save data" << (replaced ? " (replacing the stored module)" : "")
                << "\n";
    return 0;
}
