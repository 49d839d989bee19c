#include "dumpcommand.h"

#include <block/blockdecoder.h>

#include <QCommandLineParser>
#include <QFile>
#include <QJsonDocument>

namespace {

// Blocks are a few kilobytes; this keeps a wrong file argument from filling memory.
constexpr qint64 kMaxBlockFile = 64 * 1024 * 1024;

} // namespace

bool DumpCommand::readBlockFile(const QString& path, QByteArray& data, CommandContext& context)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        context.err << "hwcfg: cannot read " << path << ": " << file.errorString() << "\n";
        return false;
    }
    if (file.size() > kMaxBlockFile) {
        context.err << "hwcfg: " << path << " has " << file.size()
                    << " bytes; that is no parameter block\n";
        return false;
    }
    data = file.readAll();
    return true;
}

int DumpCommand::run(const QStringList& args, CommandContext& context)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("json"), QStringLiteral("machine-readable output")});
    parser.addOption({QStringLiteral("prefix"),
                      QStringLiteral("bytes before the count byte (4 in compare input)"),
                      QStringLiteral("n"), QStringLiteral("0")});
    bool prefixOk = false;
    if (!parser.parse(QStringList{name()} + args) || parser.positionalArguments().size() != 1) {
        context.err << "usage: hwcfg " << synopsis() << "\n";
        return 2;
    }
    const int prefix = parser.value(QStringLiteral("prefix")).toInt(&prefixOk);
    if (!prefixOk || prefix < 0) {
        context.err << "hwcfg: --prefix takes a byte count\n";
        return 2;
    }
    QByteArray data;
    if (!readBlockFile(parser.positionalArguments().constFirst(), data, context))
        return 1;
    const DecodedBlock block = BlockDecoder::decode(data, prefix);
    if (parser.isSet(QStringLiteral("json")))
        context.out << QJsonDocument(block.toJson()).toJson();
    else
        context.out << block.toText();
    if (!block.ok)
        context.err << "hwcfg: malformed block: " << block.error << "\n";
    return block.ok ? 0 : 1;
}
