#pragma once

#include "bytereader.h"
#include "bytewriter.h"

#include "model/cpuparams.h"
#include "model/fixedtext.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// A section's fields are described once, as a template over a channel:
//   WriteChannel writes the object's members,
//   ReadChannel fills them from bytes (a missing field fails and changes nothing),
//   DumpChannel reads like ReadChannel and records every field for inspection.
// So writer, reader and decoder cannot drift apart. Each call returns whether the field
// was there; codecs chain them with && to stop at the first missing one.

struct DumpField
{
    QString name; // "port 0 / PLC address"
    int offset = 0;
    int size = 0;
    QString value;
};

class WriteChannel
{
public:
    static constexpr bool Writing = true;
    static constexpr bool Dumping = false;

    explicit WriteChannel(ByteWriter& out)
        : m_out(out)
    {}

    bool u8(const char*, quint8& v) { return m_out.u8(v), true; }
    bool i8(const char*, qint8& v) { return m_out.u8(quint8(v)), true; }
    bool u16(const char*, quint16& v) { return m_out.u16(v), true; }
    bool u24(const char*, quint32& v) { return m_out.u24(v), true; }
    bool u32(const char*, quint32& v) { return m_out.u32(v), true; }
    bool i32(const char*, qint32& v) { return m_out.i32(v), true; }
    bool raw(const char*, quint8* data, int n) { return m_out.bytes(data, n), true; }
    template <size_t N>
    bool array(const char* name, std::array<quint8, N>& a)
    {
        return raw(name, a.data(), int(N));
    }
    bool ip(const char* name, IpV4& a) { return array(name, a); }
    template <int N>
    bool fixedText(const char* name, FixedText<N>& t)
    {
        return array(name, t.raw);
    }
    bool zeros(int n) { return m_out.zeros(n), true; }
    bool text8(const char*, QString& s) { return m_out.text8(s), true; }
    bool text8Lenient(const char*, QString& s) { return m_out.text8(s), true; }
    // Text bytes whose count another field holds; writers pass exactly `count` bytes.
    bool rawText(const char*, QByteArray& bytes, int) { return m_out.bytes(bytes), true; }
    void group(const QString&) {}
    void endGroup() {}

    ByteWriter& writer() { return m_out; }

private:
    ByteWriter& m_out;
};

class ReadChannel
{
public:
    static constexpr bool Writing = false;
    static constexpr bool Dumping = false;

    explicit ReadChannel(ByteReader& in)
        : m_in(in)
    {}

    bool u8(const char*, quint8& v) { return m_in.u8(v); }
    bool i8(const char*, qint8& v) { return m_in.i8(v); }
    bool u16(const char*, quint16& v) { return m_in.u16(v); }
    bool u24(const char*, quint32& v) { return m_in.u24(v); }
    bool u32(const char*, quint32& v) { return m_in.u32(v); }
    bool i32(const char*, qint32& v) { return m_in.i32(v); }
    bool raw(const char*, quint8* data, int n) { return m_in.raw(data, n); }
    template <size_t N>
    bool array(const char* name, std::array<quint8, N>& a)
    {
        return raw(name, a.data(), int(N));
    }
    bool ip(const char* name, IpV4& a) { return array(name, a); }
    template <int N>
    bool fixedText(const char* name, FixedText<N>& t)
    {
        return array(name, t.raw);
    }
    // Readers do not check zero bytes; they only step over them.
    bool zeros(int n) { return m_in.skip(n); }
    bool text8(const char*, QString& s) { return m_in.text8(s); }
    bool text8Lenient(const char*, QString& s) { return m_in.text8Lenient(s); }
    bool rawText(const char*, QByteArray& bytes, int count) { return m_in.bytes(count, bytes); }
    void group(const QString&) {}
    void endGroup() {}

    ByteReader& reader() { return m_in; }

protected:
    ByteReader& m_in;
};

class DumpChannel : public ReadChannel
{
public:
    static constexpr bool Dumping = true;

    DumpChannel(ByteReader& in, QList<DumpField>& fields)
        : ReadChannel(in)
        , m_fields(&fields)
    {}
    // Reads as a ReadChannel does, and records the fields only when `fields` is not null:
    // for readers that inspect on request and must stay fast otherwise.
    DumpChannel(ByteReader& in, QList<DumpField>* fields)
        : ReadChannel(in)
        , m_fields(fields)
    {}

    bool recording() const { return m_fields != nullptr; }

    bool u8(const char* name, quint8& v);
    bool i8(const char* name, qint8& v);
    bool u16(const char* name, quint16& v);
    bool u24(const char* name, quint32& v);
    bool u32(const char* name, quint32& v);
    bool i32(const char* name, qint32& v);
    bool raw(const char* name, quint8* data, int n);
    template <size_t N>
    bool array(const char* name, std::array<quint8, N>& a)
    {
        return raw(name, a.data(), int(N));
    }
    bool ip(const char* name, IpV4& a);
    template <int N>
    bool fixedText(const char* name, FixedText<N>& t)
    {
        const int at = m_in.pos();
        if (!ReadChannel::fixedText(name, t))
            return false;
        add(name, at, N, QStringLiteral("\"%1\" (length byte %2)").arg(t.text()).arg(t.raw[0]));
        return true;
    }
    bool zeros(int n);
    bool text8(const char* name, QString& s);
    bool text8Lenient(const char* name, QString& s);
    bool rawText(const char* name, QByteArray& bytes, int count);
    bool text16(const char* name, QString& s);
    // A text8 whose content is recorded as its length only (passwords).
    bool maskedText8(const char* name, QString& s);
    void group(const QString& name)
    {
        if (m_fields)
            m_groups.append(name);
    }
    void endGroup()
    {
        if (m_fields && !m_groups.isEmpty())
            m_groups.removeLast();
    }

    // A field read by the codec itself (texts, computed values); nothing when not recording.
    void add(const QString& name, int offset, int size, const QString& value);

private:
    QList<DumpField>* m_fields;
    QStringList m_groups;
};
