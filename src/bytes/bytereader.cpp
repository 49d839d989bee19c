#include "bytereader.h"

#include <QtEndian>

#include <algorithm>

ByteReader::ByteReader(const QByteArray& data)
    : ByteReader(data, 0, data.size())
{}

ByteReader::ByteReader(const QByteArray& data, qint64 begin, qint64 end)
    : m_data(data)
{
    const qint64 size = data.size();
    m_begin = int(std::clamp<qint64>(begin, 0, size));
    m_end = int(std::clamp<qint64>(end, m_begin, size));
    m_pos = m_begin;
}

bool ByteReader::u8(quint8& value)
{
    if (!has(1))
        return false;
    value = quint8(m_data.at(m_pos));
    m_pos += 1;
    return true;
}

bool ByteReader::i8(qint8& value)
{
    quint8 raw = 0;
    if (!u8(raw))
        return false;
    value = qint8(raw);
    return true;
}

bool ByteReader::u16(quint16& value)
{
    if (!has(2))
        return false;
    value = qFromBigEndian<quint16>(m_data.constData() + m_pos);
    m_pos += 2;
    return true;
}

bool ByteReader::u24(quint32& value)
{
    if (!has(3))
        return false;
    const auto* p = reinterpret_cast<const quint8*>(m_data.constData() + m_pos);
    value = (quint32(p[0]) << 16) | (quint32(p[1]) << 8) | p[2];
    m_pos += 3;
    return true;
}

bool ByteReader::u32(quint32& value)
{
    if (!has(4))
        return false;
    value = qFromBigEndian<quint32>(m_data.constData() + m_pos);
    m_pos += 4;
    return true;
}

bool ByteReader::i32(qint32& value)
{
    quint32 raw = 0;
    if (!u32(raw))
        return false;
    value = qint32(raw);
    return true;
}

bool ByteReader::bytes(int count, QByteArray& value)
{
    if (!has(count))
        return false;
    value = m_data.mid(m_pos, count);
    m_pos += count;
    return true;
}

bool ByteReader::raw(quint8* out, int count)
{
    if (!has(count))
        return false;
    std::copy_n(m_data.constData() + m_pos, count, reinterpret_cast<char*>(out));
    m_pos += count;
    return true;
}

bool ByteReader::skip(int count)
{
    if (!has(count))
        return false;
    m_pos += count;
    return true;
}

bool ByteReader::text8(QString& value)
{
    if (!has(1) || !has(1 + quint8(m_data.at(m_pos))))
        return false;
    const int n = quint8(m_data.at(m_pos));
    value = QString::fromLocal8Bit(m_data.constData() + m_pos + 1, n);
    m_pos += 1 + n;
    return true;
}

bool ByteReader::text16(QString& value)
{
    quint16 n = 0;
    if (!sub(2).u16(n) || !has(2 + n))
        return false;
    value = QString::fromLocal8Bit(m_data.constData() + m_pos + 2, n);
    m_pos += 2 + n;
    return true;
}

bool ByteReader::text8Lenient(QString& value)
{
    if (!has(1))
        return false;
    const int n = std::min<int>(quint8(m_data.at(m_pos)), remaining() - 1);
    value = QString::fromLocal8Bit(m_data.constData() + m_pos + 1, n);
    m_pos += 1 + n;
    return true;
}

ByteReader ByteReader::sub(int count) const
{
    return ByteReader(m_data, m_pos, qint64(m_pos) + std::max(0, count));
}

bool ByteReader::takeSection(ByteReader& section, quint8& id)
{
    quint32 length = 0;
    if (!sub(4).u32(length) || length < quint32(SectionHeadSize))
        return false;
    section = sub(int(qMin<quint32>(length, quint32(remaining()))));
    m_pos += section.remaining();
    id = 0;
    ByteReader head = section;
    head.skip(5) && head.u8(id);
    return true;
}

bool ByteReader::openSection(Section& section)
{
    if (!has(SectionHeadSize))
        return false;
    Section opened;
    ByteReader head = sub(SectionHeadSize);
    head.u32(opened.length);
    head.u8(opened.mark);
    head.u8(opened.id);
    opened.complete = opened.length == quint32(remaining());
    opened.payload = ByteReader(m_data, qint64(m_pos) + SectionHeadSize, m_end);
    m_pos = m_end;
    section = opened;
    return true;
}
