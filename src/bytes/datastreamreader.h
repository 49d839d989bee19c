#pragma once

#include "bytereader.h"

#include <QByteArray>
#include <QString>

// Reads what a QDataStream in its default (big-endian) form wrote: integers, one-byte
// booleans, strings as a byte count and UTF-16 code units, byte arrays as a byte count and
// the bytes (0xFFFFFFFF for a null one). Every read says whether its bytes were there and
// leaves its target and the position untouched when they were not, so no read passes the
// end and no allocation is sized from a count the bytes cannot back.
class DataStreamReader
{
public:
    explicit DataStreamReader(const QByteArray& data);

    bool i8(qint8& value);
    bool boolean(bool& value);
    bool i32(qint32& value);
    bool u32(quint32& value);
    bool string(QString& value);
    bool bytes(QByteArray& value);
    // A count of entries that take at least `minSize` bytes each: false when it is negative
    // or that many entries cannot fit in what remains.
    bool count(qint32& value, int minSize);

    int remaining() const { return m_in.remaining(); }
    bool atEnd() const { return m_in.atEnd(); }

private:
    // The byte count of a string or byte array, read only when that many bytes follow it.
    bool length(quint32& value, bool& isNull);

    ByteReader m_in;
};
