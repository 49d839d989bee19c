#include "recompilecommand.h"

#include "dumpcommand.h"
#include "modulestore.h"
#include "newcommand.h"
#include "pluginhost.h"

#include <block/resultcodes.h>
#include <corekit/hosthome.h>

#include <QDir>

namespace {

// recompile leaves `error` at 0 for an empty block or a short header.
const char* failureText(int error)
{
    switch (RecompileError(error)) {
    case RecompileError::UnknownObjId:
        return "the module type is not in the catalog";
    case RecompileError::ServerFileMissing:
        return "the module's server file is not in the host's program folder";
    case RecompileError::SectionShort:
        return "the CPU parameter or CPU expansion section is cut short";
    case RecompileError::None:
        break;
    }
    return "the block is empty or its header is cut short";
}

} // namespace

int RecompileCommand::run(const QStringList& args, CommandContext& context)
{
    QCommandLineParser parser;
    addProjectOption(parser);
    parser.addOption({QStringLiteral("module"), QStringLiteral("name to store the module under"),
                      QStringLiteral("name")});
    QString project;
    if (!parser.parse(QStringList{name()} + args) || parser.positionalArguments().size() != 1 ||
        parser.value(QStringLiteral("module")).isEmpty()) {
        context.err << "usage: hwcfg " << synopsis() << "\n";
        return 2;
    }
    if (!projectFrom(parser, context, project))
        return 2;
    QByteArray block;
    if (!DumpCommand::readBlockFile(parser.positionalArguments().constFirst(), block, context))
        return 1;
    const QString projectPath = QDir(project).absolutePath();

    // The host runs in its program folder; the plug-in checks the module's server file
    // there.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(HostHome::file(QStringLiteral("bin")));
    int error = 0;
    void* handle = context.plugin.recompile(block, projectPath, error);
    QDir::setCurrent(previous);
    if (!handle) {
        context.err << "hwcfg: recompile failed with " << error << ": " << failureText(error)
                    << "\n";
        return 1;
    }
    const QString module = parser.value(QStringLiteral("module"));
    const QByteArray saveData = context.plugin.save(handle);
    context.out << "Rebuilt " << module << " from " << block.size() << " bytes\n";
    NewCommand::printModule(context, handle);
    context.plugin.releaseObject(handle);
    if (!ModuleStore(project).store(module, saveData)) {
        context.err << "hwcfg: cannot store \"" << module << "\" in " << project << "\n";
        return 1;
    }
    context.out << "Stored as \"" << module << "\": " << saveData.size() << " bytes of save data\n";
    return 0;
}
