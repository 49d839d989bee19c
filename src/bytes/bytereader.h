#pragma once

#include <QByteArray>
#include <QString>

// Reads big-endian fields from a byte array within [begin, end). Every read says whether
// its bytes were there; a failed read leaves its target and the position untouched, so a
// reader is a chain of "if (!r.u16(x)) return;" and can never pass its end.
class ByteReader
{
public:
    // Every section starts with this head: its total length (head included, 32 bits), its
    // mark, its identifier and two reserved bytes.
    static constexpr int SectionHeadSize = 8;

    struct Section;

    ByteReader()
        : ByteReader(QByteArray())
    {}
    explicit ByteReader(const QByteArray& data);
    // A reader over data[begin, end), clamped to the array.
    ByteReader(const QByteArray& data, qint64 begin, qint64 end);

    bool u8(quint8& value);
    bool i8(qint8& value);
    bool u16(quint16& value);
    bool u24(quint32& value);
    bool u32(quint32& value);
    bool i32(qint32& value);
    bool bytes(int count, QByteArray& value);
    bool raw(quint8* out, int count);
    bool skip(int count);

    // One length byte, then that many bytes in the local 8-bit encoding; all must be there.
    bool text8(QString& value);
    // As text8, but a text cut short by the end is taken as far as it goes (the length
    // byte must be there).
    bool text8Lenient(QString& value);
    // A 16-bit length, then that many bytes in the local 8-bit encoding; all must be there.
    bool text16(QString& value);

    int pos() const { return m_pos; } // offset in the whole array
    int begin() const { return m_begin; }
    int end() const { return m_end; }
    int remaining() const { return m_end - m_pos; }
    bool atEnd() const { return m_pos >= m_end; }
    const QByteArray& data() const { return m_data; }

    // A reader over the next `count` bytes (fewer when fewer remain); this one is not moved.
    ByteReader sub(int count) const;

    // Takes the next section of a block: the bytes its head declares (fewer when this
    // reader ends first), head included, and its identifier (0 when the head is cut before
    // it); moves past them. False, with nothing moved, when the length field is missing or
    // below the head's size: nothing after it can be framed.
    bool takeSection(ByteReader& section, quint8& id);

    // Opens the section this reader holds, as a section reader is given it: its head and a
    // reader over the rest; this reader moves to its end. False, with nothing moved, when
    // the head is not all there.
    bool openSection(Section& section);

private:
    bool has(int count) const { return count >= 0 && count <= m_end - m_pos; }

    QByteArray m_data;
    int m_begin;
    int m_pos;
    int m_end;
};

// A section opened by its reader (ByteReader::openSection).
struct ByteReader::Section
{
    quint32 length = 0; // declared: the whole section, head included
    quint8 mark = 0;    // readers ignore it
    quint8 id = 0;
    bool complete = false; // the section holds exactly the bytes its head declares
    ByteReader payload;    // the bytes after the head
};
