#include "datastreamreader.h"

#include <QtEndian>

namespace {

constexpr quint32 kNull = 0xFFFFFFFFu;

} // namespace

DataStreamReader::DataStreamReader(const QByteArray& data)
    : m_data(data)
{}

bool DataStreamReader::i8(qint8& value)
{
    if (!has(1))
        return false;
    value = qint8(m_data.at(m_pos));
    m_pos += 1;
    return true;
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
    quint32 raw = 0;
    if (!u32(raw))
        return false;
    value = qint32(raw);
    return true;
}

bool DataStreamReader::u32(quint32& value)
{
    if (!has(4))
        return false;
    value = qFromBigEndian<quint32>(m_data.constData() + m_pos);
    m_pos += 4;
    return true;
}

bool DataStreamReader::length(quint32& value, bool& isNull)
{
    if (!has(4))
        return false;
    const quint32 raw = qFromBigEndian<quint32>(m_data.constData() + m_pos);
    isNull = raw == kNull;
    if (!isNull && !has(qint64(raw) + 4))
        return false;
    value = isNull ? 0 : raw;
    return true;
}

bool DataStreamReader::string(QString& value)
{
    quint32 size = 0;
    bool isNull = false;
    if (!length(size, isNull) || size % 2 != 0)
        return false;
    m_pos += 4;
    if (isNull) {
        value = QString();
        return true;
    }
    QString read(int(size / 2), Qt::Uninitialized);
    qFromBigEndian<quint16>(m_data.constData() + m_pos, size / 2, read.data());
    value = std::move(read);
    m_pos += int(size);
    return true;
}

bool DataStreamReader::bytes(QByteArray& value)
{
    quint32 size = 0;
    bool isNull = false;
    if (!length(size, isNull))
        return false;
    m_pos += 4;
    value = isNull ? QByteArray() : m_data.mid(m_pos, int(size));
    m_pos += int(size);
    return true;
}

bool DataStreamReader::count(qint32& value, int minSize)
{
    if (!has(4))
        return false;
    const qint32 read = qint32(qFromBigEndian<quint32>(m_data.constData() + m_pos));
    if (read < 0 || !has(4 + qint64(read) * minSize))
        return false;
    value = read;
    m_pos += 4;
    return true;
}
