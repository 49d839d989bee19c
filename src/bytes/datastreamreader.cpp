#include "bytes/datastreamreader.h"

#include <QtEndian>

namespace {

constexpr quint32 kNull = 0xFFFFFFFFu;

} // namespace

DataStreamReader::DataStreamReader(const QByteArray& data)
    : m_in(data)
{}

bool DataStreamReader::i8(qint8& value)
{
    return m_in.i8(value);
}

bool DataStreamReader::boolean(bool& value)
{
    qint8 byte = 0;
    if (!i8(byte))
        return false;
    value = byte != 0;
    return true;
}

bool DataStreamReader::i32(qint32& value)
{
    return m_in.i32(value);
}

bool DataStreamReader::u32(quint32& value)
{
    return m_in.u32(value);
}

bool DataStreamReader::length(quint32& value, bool& isNull)
{
    quint32 raw = 0;
    if (!m_in.sub(4).u32(raw))
        return false;
    isNull = raw == kNull;
    if (!isNull && qint64(raw) + 4 > m_in.remaining())
        return false;
    value = isNull ? 0 : raw;
    return m_in.skip(4);
}

bool DataStreamReader::string(QString& value)
{
    quint32 size = 0;
    bool isNull = false;
    if (!m_in.sub(4).u32(size) || (size != kNull && size % 2 != 0) || !length(size, isNull))
        return false;
    if (isNull) {
        value = QString();
        return true;
    }
    QByteArray units;
    m_in.bytes(int(size), units);
    QString read(int(size / 2), Qt::Uninitialized);
    qFromBigEndian<quint16>(units.constData(), size / 2, read.data());
    value = std::move(read);
    return true;
}

bool DataStreamReader::bytes(QByteArray& value)
{
    quint32 size = 0;
    bool isNull = false;
    if (!length(size, isNull))
        return false;
    if (isNull)
        value = QByteArray();
    else
        m_in.bytes(int(size), value);
    return true;
}

bool DataStreamReader::count(qint32& value, int minSize)
{
    qint32 read = 0;
    if (!m_in.sub(4).i32(read) || read < 0 || 4 + qint64(read) * minSize > m_in.remaining())
        return false;
    value = read;
    return m_in.skip(4);
}
