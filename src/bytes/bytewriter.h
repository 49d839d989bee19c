#pragma once

#include <QByteArray>
#include <QString>

// Builds big-endian byte blocks: integers, texts in the local 8-bit encoding, and section
// heads whose length is patched once the section is complete.
class ByteWriter
{
public:
    void u8(quint8 value) { m_data.append(char(value)); }
    void u16(quint16 value);
    void u24(quint32 value); // the low 24 bits, most significant first
    void u32(quint32 value);
    void i32(qint32 value) { u32(quint32(value)); }
    void bytes(const QByteArray& value) { m_data.append(value); }
    void bytes(const quint8* data, int size);
    void zeros(int count) { m_data.append(count, '\0'); }

    // One length byte, then the encoded text cut to at most 255 bytes (whole characters),
    // so the length byte always counts the bytes that follow.
    void text8(const QString& text);
    // A 16-bit length, then the encoded text cut to at most 65535 bytes (whole characters).
    void text16(const QString& text);
    // The encoded text cut to `width` bytes and padded with zero bytes to `width`.
    void paddedText(const QString& text, int width);

    // A section head [length][mark][id][0][0] with length 0; endSection writes the total
    // length of the section (head included) over it.
    int beginSection(quint8 mark, quint8 id);
    void endSection(int headOffset);

    void patchU16(int offset, quint16 value);
    void patchU32(int offset, quint32 value);

    void reserve(int size) { m_data.reserve(size); }
    int size() const { return m_data.size(); }
    const QByteArray& data() const { return m_data; }
    QByteArray take() { return std::move(m_data); }

private:
    QByteArray m_data;
};
