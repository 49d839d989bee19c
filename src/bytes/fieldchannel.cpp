#include "fieldchannel.h"

namespace {

QString hexBytes(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

} // namespace

void DumpChannel::add(const QString& name, int offset, int size, const QString& value)
{
    if (!m_fields)
        return;
    QStringList path = m_groups;
    path.append(name);
    m_fields->append({path.join(QStringLiteral(" / ")), offset, size, value});
}

bool DumpChannel::u8(const char* name, quint8& v)
{
    if (!m_fields)
        return ReadChannel::u8(name, v);
    const int at = m_in.pos();
    if (!ReadChannel::u8(name, v))
        return false;
    add(QString::fromUtf8(name), at, 1, QString::number(v));
    return true;
}

bool DumpChannel::i8(const char* name, qint8& v)
{
    if (!m_fields)
        return ReadChannel::i8(name, v);
    const int at = m_in.pos();
    if (!ReadChannel::i8(name, v))
        return false;
    add(QString::fromUtf8(name), at, 1, QString::number(v));
    return true;
}

bool DumpChannel::u16(const char* name, quint16& v)
{
    if (!m_fields)
        return ReadChannel::u16(name, v);
    const int at = m_in.pos();
    if (!ReadChannel::u16(name, v))
        return false;
    add(QString::fromUtf8(name), at, 2,
        QStringLiteral("%1 (0x%2)").arg(v).arg(v, 4, 16, QLatin1Char('0')));
    return true;
}

bool DumpChannel::u24(const char* name, quint32& v)
{
    if (!m_fields)
        return ReadChannel::u24(name, v);
    const int at = m_in.pos();
    if (!ReadChannel::u24(name, v))
        return false;
    add(QString::fromUtf8(name), at, 3, QString::number(v));
    return true;
}

bool DumpChannel::u32(const char* name, quint32& v)
{
    if (!m_fields)
        return ReadChannel::u32(name, v);
    const int at = m_in.pos();
    if (!ReadChannel::u32(name, v))
        return false;
    add(QString::fromUtf8(name), at, 4, QString::number(v));
    return true;
}

bool DumpChannel::i32(const char* name, qint32& v)
{
    if (!m_fields)
        return ReadChannel::i32(name, v);
    const int at = m_in.pos();
    if (!ReadChannel::i32(name, v))
        return false;
    add(QString::fromUtf8(name), at, 4, QString::number(v));
    return true;
}

bool DumpChannel::raw(const char* name, quint8* data, int n)
{
    if (!m_fields)
        return ReadChannel::raw(name, data, n);
    const int at = m_in.pos();
    if (!ReadChannel::raw(name, data, n))
        return false;
    add(QString::fromUtf8(name), at, n,
        hexBytes(QByteArray(reinterpret_cast<const char*>(data), n)));
    return true;
}

bool DumpChannel::ip(const char* name, IpV4& a)
{
    if (!m_fields)
        return ReadChannel::ip(name, a);
    const int at = m_in.pos();
    if (!ReadChannel::ip(name, a))
        return false;
    add(QString::fromUtf8(name), at, 4, toDotted(a));
    return true;
}

bool DumpChannel::zeros(int n)
{
    if (!m_fields)
        return ReadChannel::zeros(n);
    const int at = m_in.pos();
    QByteArray bytes;
    if (!m_in.bytes(n, bytes))
        return false;
    // Only worth a line when the block holds something other than zeros there.
    if (bytes.count('\0') != bytes.size())
        add(QStringLiteral("(reserved, not zero)"), at, n, hexBytes(bytes));
    return true;
}

bool DumpChannel::text8(const char* name, QString& s)
{
    if (!m_fields)
        return ReadChannel::text8(name, s);
    const int at = m_in.pos();
    if (!ReadChannel::text8(name, s))
        return false;
    add(QString::fromUtf8(name), at, m_in.pos() - at, QStringLiteral("\"%1\"").arg(s));
    return true;
}

bool DumpChannel::text8Lenient(const char* name, QString& s)
{
    if (!m_fields)
        return ReadChannel::text8Lenient(name, s);
    const int at = m_in.pos();
    const int announced = m_in.remaining() > 0 ? quint8(m_in.data().at(at)) : 0;
    if (!ReadChannel::text8Lenient(name, s))
        return false;
    const int size = m_in.pos() - at;
    add(QString::fromUtf8(name), at, size,
        size - 1 < announced ? QStringLiteral("\"%1\" (cut: %2 of %3 bytes present)")
                                   .arg(s)
                                   .arg(size - 1)
                                   .arg(announced)
                             : QStringLiteral("\"%1\"").arg(s));
    return true;
}

bool DumpChannel::rawText(const char* name, QByteArray& bytes, int count)
{
    if (!m_fields)
        return ReadChannel::rawText(name, bytes, count);
    const int at = m_in.pos();
    if (!ReadChannel::rawText(name, bytes, count))
        return false;
    add(QString::fromUtf8(name), at, count,
        QStringLiteral("\"%1\"").arg(QString::fromLocal8Bit(bytes)));
    return true;
}

bool DumpChannel::text16(const char* name, QString& s)
{
    const int at = m_in.pos();
    if (!m_in.text16(s))
        return false;
    add(QString::fromUtf8(name), at, m_in.pos() - at,
        QStringLiteral("\"%1\" (%2 bytes)").arg(s).arg(m_in.pos() - at - 2));
    return true;
}

bool DumpChannel::maskedText8(const char* name, QString& s)
{
    const int at = m_in.pos();
    if (!m_in.text8(s))
        return false;
    add(QString::fromUtf8(name), at, m_in.pos() - at,
        QStringLiteral("(%1 bytes, masked)").arg(m_in.pos() - at - 1));
    return true;
}
