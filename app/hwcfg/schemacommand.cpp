#include "schemacommand.h"

#include "pluginhost.h"

int SchemaCommand::run(const QStringList& args, CommandContext& context)
{
    if (!args.isEmpty()) {
        context.err << "usage: hwcfg " << synopsis() << "\n";
        return 2;
    }
    context.out << QString::fromUtf8(context.plugin.configurationSchema());
    return 0;
}
