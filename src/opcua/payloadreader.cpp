#include "payloadreader.h"

#include <QtEndian>

PayloadReader::PayloadReader(const QByteArray& data, QList<PayloadField>* trace)
    : m_data(data)
    , m_bytes(data.constData())
    , m_trace(trace)
{}

bool PayloadReader::u8(const char* name, quint8& value)
{
    if (!has(1))
        return false;
    value = quint8(m_bytes[m_pos]);
    if (m_trace)
        trace(name, m_pos, 1, QString::number(value));
    m_pos += 1;
    return true;
}

bool PayloadReader::u16(const char* name, quint16& value)
{
    if (!has(2))
        return false;
    value = qFromBigEndian<quint16>(m_bytes + m_pos);
    if (m_trace)
        trace(name, m_pos, 2, QString::number(value));
    m_pos += 2;
    return true;
}

bool PayloadReader::u32(const char* name, quint32& value)
{
    if (!has(4))
        return false;
    value = qFromBigEndian<quint32>(m_bytes + m_pos);
    if (m_trace)
        trace(name, m_pos, 4, QString::number(value));
    m_pos += 4;
    return true;
}

bool PayloadReader::text8(const char* name, QString& value, bool masked)
{
    return text(name, 1, value, masked);
}

bool PayloadReader::text16(const char* name, QString& value)
{
    return text(name, 2, value, false);
}

bool PayloadReader::text(const char* name, int lengthSize, QString& value, bool masked)
{
    if (!has(lengthSize))
        return false;
    const int length =
        lengthSize == 1 ? quint8(m_bytes[m_pos]) : int(qFromBigEndian<quint16>(m_bytes + m_pos));
    if (!has(lengthSize + length))
        return false;
    value = QString::fromLocal8Bit(m_bytes + m_pos + lengthSize, length);
    if (m_trace) {
        trace(name, m_pos, lengthSize + length,
              masked ? QStringLiteral("(%1 bytes, masked)").arg(length)
                     : QStringLiteral("\"%1\" (%2 bytes)").arg(value).arg(length));
    }
    m_pos += lengthSize + length;
    return true;
}

void PayloadReader::group(const QString& name)
{
    if (m_trace)
        m_groups.append(name);
}

void PayloadReader::endGroup()
{
    if (m_trace && !m_groups.isEmpty())
        m_groups.removeLast();
}

void PayloadReader::note(const QString& name, int offset, int size, const QString& value)
{
    if (!m_trace)
        return;
    QStringList path = m_groups;
    path.append(name);
    m_trace->append({path.join(QStringLiteral(" / ")), offset, size, value});
}

void PayloadReader::trace(const char* name, int offset, int size, const QString& value)
{
    note(QString::fromLatin1(name), offset, size, value);
}
