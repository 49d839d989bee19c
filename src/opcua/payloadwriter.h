#pragma once

#include <QByteArray>
#include <QString>

// Builds an OPC UA payload: big-endian integers and texts in the local 8-bit encoding
// behind a length of one or two bytes.
class PayloadWriter
{
public:
    void u8(quint8 value) { m_data.append(char(value)); }
    void u16(quint16 value);
    void u32(quint32 value);
    void bytes(const QByteArray& value) { m_data.append(value); }
    // The encoded text cut to what its length can count (255 or 65535 bytes), at a whole
    // character, so the length always counts the bytes that follow.
    void text8(const QString& text);
    void text16(const QString& text);

    void patchU16(int offset, quint16 value);
    void patchU32(int offset, quint32 value);
    void reserve(int size) { m_data.reserve(size); }

    int size() const { return m_data.size(); }
    QByteArray take() { return std::move(m_data); }

private:
    QByteArray m_data;
};
