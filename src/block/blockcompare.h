#pragma once

#include <QByteArray>
#include <QStringList>

// Compares two download blocks (each behind four bytes that are not examined) section by
// section; one translated message per difference, stopping at the first differing section
// other than the CPU parameters, whose sub-blocks are compared one by one. Bytes read past
// the end of a block count as 0.
class BlockCompare
{
public:
    static QStringList compare(const QByteArray& first, const QByteArray& second);

    // The message for a differing section or CPU parameter sub-block; empty for none.
    static QString sectionMessage(quint8 id);
    static QString subBlockMessage(quint8 id);
};
