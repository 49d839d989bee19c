#include "comparecommand.h"

#include "dumpcommand.h"
#include "pluginhost.h"

#include <block/blockdecoder.h>

int CompareCommand::run(const QStringList& args, CommandContext& context)
{
    if (args.size() != 2) {
        context.err << "usage: hwcfg " << synopsis() << "\n";
        return 2;
    }
    QByteArray a;
    QByteArray b;
    if (!DumpCommand::readBlockFile(args.at(0), a, context) ||
        !DumpCommand::readBlockFile(args.at(1), b, context))
        return 2;
    // The host hands compare each block behind four bytes of its own.
    const QByteArray prefix(4, '\0');
    const QStringList messages = context.plugin.compare(prefix + a, prefix + b);
    context.out << "Plug-in compare:\n";
    if (messages.isEmpty())
        context.out << "  (no message)\n";
    for (const QString& message : messages)
        context.out << "  " << message << "\n";

    const DecodedBlock first = BlockDecoder::decode(a);
    const DecodedBlock second = BlockDecoder::decode(b);
    const QStringList fields = BlockDecoder::differences(first, second);
    context.out << "Field differences (first / second):\n";
    if (fields.isEmpty())
        context.out << "  (none)\n";
    for (const QString& line : fields)
        context.out << "  " << line << "\n";
    for (const auto* block : {&first, &second}) {
        if (!block->ok)
            context.out << "Note: " << (block == &first ? args.at(0) : args.at(1))
                        << " is malformed: " << block->error << "\n";
    }
    return a == b ? 0 : 1;
}
