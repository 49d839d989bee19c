#include "compilecommand.h"

#include "pluginhost.h"

#include <block/blockdecoder.h>
#include <block/resultcodes.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

QString CompileCommand::errorText(int error)
{
    switch (CompileError(error)) {
    case CompileError::RetentiveTooLarge:
        return QStringLiteral("the retentive ranges need more than 128 KiB of retentive memory");
    case CompileError::RetentiveTooLargeCompact:
        return QStringLiteral("the retentive ranges need more than the compact CPU's 164 KiB of "
                              "retentive memory");
    case CompileError::CanMasterLimits:
        return QStringLiteral("at 20 kbit/s the CANopen master takes at most 8 slaves, and a "
                              "slave at most 8 process data channels");
    case CompileError::SoeDataBlockMissing:
        return QStringLiteral("an SOE record is triggered by a data block that the project does "
                              "not contain");
    }
    return QStringLiteral("unknown compile error");
}

int CompileCommand::run(const QStringList& args, CommandContext& context)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("old"), QStringLiteral("the block of older firmware")});
    parser.addOption({QStringLiteral("out"), QStringLiteral("file for the download block"),
                      QStringLiteral("file")});
    QString project;
    QString module;
    if (!parseModuleArguments(args, parser, context, project, module))
        return 2;
    void* handle = openModule(context, project, module);
    if (!handle)
        return 1;

    const QString log = QFileInfo(project).absolutePath() + QStringLiteral("/hwcompilelog");
    const QDateTime logBefore = QFileInfo(log).lastModified();
    const bool old = parser.isSet(QStringLiteral("old"));
    QByteArray block;
    QList<int> errors;
    const int result = old ? context.plugin.compileOld(handle, block, errors)
                           : context.plugin.compile(handle, block, errors);
    context.plugin.releaseObject(handle);

    context.out << (old ? "compileOld" : "compile") << " of " << module << ": "
                << (result == 0 ? "done" : "failed") << ", " << block.size() << " bytes\n";
    for (int code : errors)
        context.out << "  error " << code << ": " << errorText(code) << "\n";
    if (result == 0) {
        for (const DecodedSection& s : BlockDecoder::decode(block).sections)
            context.out << "  section " << s.id << " " << s.title << ", " << s.length << " bytes\n";
    }
    const QFileInfo logInfo(log);
    if (logInfo.exists() && logInfo.lastModified() != logBefore) {
        QFile file(log);
        file.open(QIODevice::ReadOnly);
        context.out << "Compile log " << log << ":\n  " << QString::fromLocal8Bit(file.readAll())
                    << "\n";
    }
    const QString out = parser.value(QStringLiteral("out"));
    if (result == 0 && !out.isEmpty()) {
        if (!writeFile(context, out, block))
            return 1;
        context.out << "Written to " << out << "\n";
    }
    return result == 0 ? 0 : 1;
}
