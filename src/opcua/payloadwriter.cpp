#include "payloadwriter.h"

#include "model/localtext.h"

#include <QtEndian>

void PayloadWriter::u16(quint16 value)
{
    char raw[2];
    qToBigEndian(value, raw);
    m_data.append(raw, 2);
}

void PayloadWriter::u32(quint32 value)
{
    char raw[4];
    qToBigEndian(value, raw);
    m_data.append(raw, 4);
}

void PayloadWriter::text8(const QString& text)
{
    const QByteArray encoded = fitLocal8Bit(text, 0xFF);
    u8(quint8(encoded.size()));
    m_data.append(encoded);
}

void PayloadWriter::text16(const QString& text)
{
    const QByteArray encoded = fitLocal8Bit(text, 0xFFFF);
    u16(quint16(encoded.size()));
    m_data.append(encoded);
}

void PayloadWriter::patchU16(int offset, quint16 value)
{
    qToBigEndian(value, m_data.data() + offset);
}

void PayloadWriter::patchU32(int offset, quint32 value)
{
    qToBigEndian(value, m_data.data() + offset);
}
