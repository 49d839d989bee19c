#include "bytewriter.h"

#include "model/localtext.h"

#include <QtEndian>

void ByteWriter::u16(quint16 value)
{
    char buffer[2];
    qToBigEndian(value, buffer);
    m_data.append(buffer, 2);
}

void ByteWriter::u24(quint32 value)
{
    u8(quint8(value >> 16));
    u8(quint8(value >> 8));
    u8(quint8(value));
}

void ByteWriter::u32(quint32 value)
{
    char buffer[4];
    qToBigEndian(value, buffer);
    m_data.append(buffer, 4);
}

void ByteWriter::bytes(const quint8* data, int size)
{
    m_data.append(reinterpret_cast<const char*>(data), size);
}

void ByteWriter::text8(const QString& text)
{
    const QByteArray encoded = fitLocal8Bit(text, 255);
    u8(quint8(encoded.size()));
    m_data.append(encoded);
}

void ByteWriter::text16(const QString& text)
{
    const QByteArray encoded = fitLocal8Bit(text, 0xFFFF);
    u16(quint16(encoded.size()));
    m_data.append(encoded);
}

void ByteWriter::paddedText(const QString& text, int width)
{
    const QByteArray encoded = fitLocal8Bit(text, width);
    m_data.append(encoded);
    zeros(width - encoded.size());
}

int ByteWriter::beginSection(quint8 mark, quint8 id)
{
    const int offset = m_data.size();
    u32(0);
    u8(mark);
    u8(id);
    u16(0);
    return offset;
}

void ByteWriter::endSection(int headOffset)
{
    patchU32(headOffset, quint32(m_data.size() - headOffset));
}

void ByteWriter::patchU16(int offset, quint16 value)
{
    Q_ASSERT(offset >= 0 && offset + 2 <= m_data.size());
    qToBigEndian(value, m_data.data() + offset);
}

void ByteWriter::patchU32(int offset, quint32 value)
{
    Q_ASSERT(offset >= 0 && offset + 4 <= m_data.size());
    qToBigEndian(value, m_data.data() + offset);
}
