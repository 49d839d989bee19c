#include "debuglog.h"

#include <QDebug>
#include <QLoggingCategory>
#include <QTime>

bool debugLogEnabled()
{
    return QLoggingCategory::defaultCategory()->isDebugEnabled();
}

void debugLine(const char* module, int line, const QString& text)
{
    if (!debugLogEnabled())
        return;
    QDebug out = qDebug().noquote();
    out << QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")) << module << line;
    if (!text.isEmpty())
        out << text;
}
