#include "jsontextwriter.h"

void JsonTextWriter::addLine(const QString& path, const QString& text)
{
    m_lines.append(QString(2 * m_levels.size(), QLatin1Char(' ')) + text);
    m_paths.append(path);
}

QString JsonTextWriter::startMember(const QString& key)
{
    if (m_levels.isEmpty())
        return QString();
    Level& level = m_levels.last();
    if (level.members++ > 0)
        m_lines.last() += QLatin1Char(',');
    if (level.array)
        return QStringLiteral("%1[%2]").arg(level.path).arg(level.members - 1);
    return level.path.isEmpty() ? key : level.path + QLatin1Char('.') + key;
}

void JsonTextWriter::open(const QString& key, char bracket, bool array)
{
    const QString path = startMember(key);
    const QString prefix = key.isNull() ? QString() : quoted(key) + QLatin1String(": ");
    addLine(path, prefix + QLatin1Char(bracket));
    m_levels.append({path, array, 0});
}

void JsonTextWriter::close(char bracket)
{
    if (m_levels.isEmpty())
        return;
    const Level level = m_levels.takeLast();
    if (level.members == 0)
        m_lines.last() += QLatin1Char(bracket); // "[]" and "{}" stay on one line
    else
        addLine(level.path, QString(QLatin1Char(bracket)));
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
    const QString path = startMember(key);
    addLine(path, quoted(key) + QLatin1String(": ") + QString::number(value));
}

void JsonTextWriter::boolean(const QString& key, bool value)
{
    const QString path = startMember(key);
    addLine(path, quoted(key) + QLatin1String(": ") +
                      (value ? QLatin1String("true") : QLatin1String("false")));
}

void JsonTextWriter::string(const QString& key, const QString& value)
{
    const QString path = startMember(key);
    addLine(path, quoted(key) + QLatin1String(": ") + quoted(value));
}

QByteArray JsonTextWriter::text() const
{
    QByteArray bytes = m_lines.join(QLatin1Char('\n')).toUtf8();
    bytes += '\n';
    return bytes;
}

QString JsonTextWriter::quoted(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
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
    return out;
}
