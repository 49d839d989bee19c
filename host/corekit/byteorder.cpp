#include "byteorder.h"

#include <QtEndian>

#include <algorithm>

namespace {

template <typename T>
QByteArray pack(T value)
{
    QByteArray out(int(sizeof(T)), Qt::Uninitialized);
    qToBigEndian(value, out.data());
    return out;
}

quint32 readPadded(const QByteArray& bytes, int size, int maxSize)
{
    size = std::clamp(size, 0, maxSize);
    quint32 value = 0;
    for (int i = 0; i < size; ++i) {
        const quint8 b = i < bytes.size() ? quint8(bytes.at(i)) : 0;
        value = (value << 8) | b;
    }
    return value;
}

} // namespace

QByteArray intToByteArray(quint32 value)
{
    return pack<quint32>(value);
}

QByteArray shortToByteArray(qint16 value)
{
    return pack<qint16>(value);
}

QByteArray ushortToByteArray(quint16 value)
{
    return pack<quint16>(value);
}

qint32 byteArrayToInt(const QByteArray& bytes, int size)
{
    return qint32(readPadded(bytes, size, 4));
}

quint32 byteArrayToUInt(const QByteArray& bytes, int size)
{
    return readPadded(bytes, size, 4);
}

quint16 byteArrayToUShort(const QByteArray& bytes, int size)
{
    return quint16(readPadded(bytes, size, 2));
}
