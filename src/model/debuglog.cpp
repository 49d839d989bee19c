#include "debuglog.h"

#include <QDebug>
#include <QTime>

void debugLine(const char* module, int line, const QString& text)
{
    QDebug out = qDebug().noquote();
    out << QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")) << module << line;
    if (!text.isEmpty())
        out << text;
}
