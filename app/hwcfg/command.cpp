#include "command.h"

#include <QSaveFile>

Command::~Command() = default;

bool Command::writeFile(CommandContext& context, const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        context.err << "hwcfg: cannot write " << path << "\n";
        return false;
    }
    return true;
}
