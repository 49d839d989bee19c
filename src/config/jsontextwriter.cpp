#include "jsontextwriter.h"

void JsonTextWriter::startLine(const QString& path)
{
    if (!m_text.isEmpty())
        m_text += QLatin1Char('\n');
    for (int i = 0; i < m_levels.size(); ++i)
        m_text += QLatin1String("  ");
    if (m_keepPaths)
        m_paths.append(path);
}

QString JsonTextWriter::startMember(const QString& key)
{
    QString path;
    if (!m_levels.isEmpty()) {
        Level& level = m_levels.last();
        if (level.members++ > 0)
            m_text += QLatin1Char(',');
        if (m_keepPaths) {
            if (level.array)
                path = QStringLiteral("%1[%2]").arg(level.path).arg(level.members - 1);
            else
                path = level.path.isEmpty() ? key : level.path + QLatin1Char('.') + key;
        }
    }
    startLine(path);
    if (!key.isNull()) {
        appendQuoted(m_text, key);
        m_text += QLatin1String(": ");
    }
    return path;
}

void JsonTextWriter::open(const QString& key, char bracket, bool array)
{
    const QString path = startMember(key);
    m_text += QLatin1Char(bracket);
    m_levels.append({path, array, 0});
}

void JsonTextWriter::close(char bracket)
{
    if (m_levels.isEmpty())
        return;
    const Level level = m_levels.takeLast();
    if (level.members > 0) // "[]" and "{}" stay on one line
        startLine(level.path);
    m_text += QLatin1Char(bracket);
}

void JsonTextWriter::beginObject(const QString& key)
{
    open(key, '{', false);
}

void JsonTextWriter::endObject()
{
    close('}');
}

void JsonTextWriter::beginArray(const QString& key)
{
    open(key, '[', true);
}

void JsonTextWriter::endArray()
{
    close(']');
}

void JsonTextWriter::number(const QString& key, qint64 value)
{
    startMember(key);
    m_text += QString::number(value);
}

void JsonTextWriter::boolean(const QString& key, bool value)
{
    startMember(key);
    m_text += value ? QLatin1String("true") : QLatin1String("false");
}

void JsonTextWriter::string(const QString& key, const QString& value)
{
    startMember(key);
    appendQuoted(m_text, value);
}

QByteArray JsonTextWriter::text() const
{
    QByteArray bytes = m_text.toUtf8();
    bytes += '\n';
    return bytes;
}

QString JsonTextWriter::quoted(const QString& text)
{
    QString out;
    appendQuoted(out, text);
    return out;
}

void JsonTextWriter::appendQuoted(QString& out, const QString& text)
{
    out += QLatin1Char('"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
}
