#include "localtext.h"

QByteArray fitLocal8Bit(const QString& text, int maxBytes)
{
    QByteArray bytes = text.toLocal8Bit();
    if (bytes.size() <= maxBytes)
        return bytes;
    // Walk forward by whole characters; the longest prefix that still fits wins.
    int fitting = 0;
    int i = 0;
    int used = 0;
    while (i < text.size()) {
        const int step = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const int size = text.mid(i, step).toLocal8Bit().size();
        if (used + size > maxBytes)
            break;
        used += size;
        i += step;
        fitting = i;
    }
    return text.left(fitting).toLocal8Bit();
}

int trimLocal8BitAtCursor(QString& text, int cursor, int maxBytes)
{
    cursor = qBound(0, cursor, text.size());
    while (text.toLocal8Bit().size() > maxBytes && !text.isEmpty()) {
        if (cursor > 0) {
            const int step = (cursor >= 2 && text.at(cursor - 1).isLowSurrogate()) ? 2 : 1;
            text.remove(cursor - step, step);
            cursor -= step;
        } else {
            text.chop(1);
        }
    }
    return cursor;
}
