#include "projectcommand.h"

#include "modulestore.h"
#include "pluginhost.h"

#include <QFileInfo>

void ProjectCommand::addProjectOption(QCommandLineParser& parser)
{
    parser.addOption(
        {QStringLiteral("project"), QStringLiteral("project file"), QStringLiteral("file")});
}

bool ProjectCommand::projectFrom(const QCommandLineParser& parser, CommandContext& context,
                                 QString& project)
{
    project = parser.value(QStringLiteral("project"));
    if (project.isEmpty()) {
        context.err << "hwcfg: --project <file> is needed\n";
        return false;
    }
    if (!QFileInfo(project).isFile()) {
        context.err << "hwcfg: no project file " << project << "\n";
        return false;
    }
    return true;
}

void* ProjectCommand::openModule(CommandContext& context, const QString& project,
                                 const QString& name)
{
    const ModuleStore store(project);
    if (!store.contains(name)) {
        context.err << "hwcfg: the project has no module \"" << name << "\"";
        const QStringList names = store.names();
        if (!names.isEmpty())
            context.err << " (it has: " << names.join(QStringLiteral(", ")) << ")";
        context.err << "\n";
        return nullptr;
    }
    void* handle = context.plugin.restore(store.load(name), project);
    if (!handle)
        context.err << "hwcfg: the save data of \"" << name << "\" cannot be restored\n";
    return handle;
}

bool ProjectCommand::parseModuleArguments(const QStringList& args, QCommandLineParser& parser,
                                          CommandContext& context, QString& project,
                                          QString& module) const
{
    addProjectOption(parser);
    if (!parser.parse(QStringList{name()} + args) || parser.positionalArguments().size() != 1) {
        context.err << "usage: hwcfg " << synopsis() << "\n";
        return false;
    }
    if (!projectFrom(parser, context, project))
        return false;
    module = parser.positionalArguments().constFirst();
    return true;
}
