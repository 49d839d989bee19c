#include "jsonreadchannel.h"

#include <QRegularExpression>

#include <cmath>

namespace {

QString typeName(const QJsonValue& v)
{
    switch (v.type()) {
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Bool:
        return QStringLiteral("a boolean");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::String:
        return QStringLiteral("a string");
    case QJsonValue::Array:
        return QStringLiteral("an array");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    default:
        return QStringLiteral("nothing");
    }
}

} // namespace

JsonReadChannel::JsonReadChannel(const QJsonObject& root, QStringList& errors)
    : m_errors(errors)
{
    m_frames.append({root, QString(), {}});
}

void JsonReadChannel::finish()
{
    while (!m_frames.isEmpty())
        pop();
}

QString JsonReadChannel::pathOf(const char* key) const
{
    const QString& base = m_frames.isEmpty() ? QString() : m_frames.last().path;
    return base.isEmpty() ? QString::fromLatin1(key) : base + QLatin1Char('.') + QLatin1String(key);
}

void JsonReadChannel::report(const QString& path, const QString& message)
{
    m_errors.append(QStringLiteral("%1: %2").arg(
        path.isEmpty() ? QStringLiteral("(document)") : path, message));
}

void JsonReadChannel::fail(const char* key, const QString& message)
{
    report(pathOf(key), message);
}

QJsonValue JsonReadChannel::take(const char* key, bool required)
{
    if (m_frames.isEmpty())
        return QJsonValue(QJsonValue::Undefined);
    Frame& frame = m_frames.last();
    const QString name = QString::fromLatin1(key);
    frame.seen.insert(name);
    const auto it = frame.object.constFind(name);
    if (it == frame.object.constEnd()) {
        if (required)
            report(pathOf(key), QStringLiteral("missing"));
        return QJsonValue(QJsonValue::Undefined);
    }
    return it.value();
}

bool JsonReadChannel::push(const QJsonValue& v, const QString& path)
{
    if (!v.isObject()) {
        report(path, QStringLiteral("expected an object, not %1").arg(typeName(v)));
        return false;
    }
    m_frames.append({v.toObject(), path, {}});
    return true;
}

void JsonReadChannel::pop()
{
    const Frame frame = m_frames.takeLast();
    for (auto it = frame.object.constBegin(); it != frame.object.constEnd(); ++it) {
        if (frame.seen.contains(it.key()))
            continue;
        report(frame.path.isEmpty() ? it.key() : frame.path + QLatin1Char('.') + it.key(),
               QStringLiteral("unknown key"));
    }
}

bool JsonReadChannel::readInteger(const QJsonValue& v, const char* key, qint64 min, qint64 max,
                                  qint64& out)
{
    if (v.isUndefined())
        return false;
    const double d = v.toDouble();
    if (!v.isDouble() || !std::isfinite(d) || d != std::floor(d)) {
        report(pathOf(key), QStringLiteral("expected a whole number, not %1").arg(typeName(v)));
        return false;
    }
    if (d < double(min) || d > double(max)) {
        report(pathOf(key), QStringLiteral("%1 is out of range %2..%3")
                                .arg(QString::number(d, 'g', 17))
                                .arg(min)
                                .arg(max));
        return false;
    }
    out = qint64(d);
    return true;
}

void JsonReadChannel::boolean(const char* key, bool& value)
{
    const QJsonValue v = take(key, true);
    if (v.isUndefined())
        return;
    if (!v.isBool()) {
        fail(key, QStringLiteral("expected true or false, not %1").arg(typeName(v)));
        return;
    }
    value = v.toBool();
}

void JsonReadChannel::text(const char* key, QString& value, const TextRule& rule)
{
    const QJsonValue v = take(key, true);
    if (v.isUndefined())
        return;
    if (!v.isString()) {
        fail(key, QStringLiteral("expected a string, not %1").arg(typeName(v)));
        return;
    }
    const QString s = v.toString();
    if (rule.maxChars >= 0 && s.size() > rule.maxChars) {
        fail(key, QStringLiteral("longer than %1 characters").arg(rule.maxChars));
        return;
    }
    if (rule.maxBytes >= 0 && s.size() > rule.maxBytes) {
        fail(key, QStringLiteral("longer than %1 characters").arg(rule.maxBytes));
        return;
    }
    if (rule.maxBytes >= 0 && s.toLocal8Bit().size() > rule.maxBytes) {
        fail(key,
             QStringLiteral("longer than %1 bytes in the local 8-bit encoding").arg(rule.maxBytes));
        return;
    }
    if (!rule.pattern.isEmpty()) {
        const QRegularExpression pattern(rule.pattern);
        if (!pattern.match(s).hasMatch()) {
            fail(key, QStringLiteral("\"%1\" is not %2").arg(s, rule.description));
            return;
        }
    }
    value = s;
}

void JsonReadChannel::choice(const char* key, QString& value, const QStringList& allowed)
{
    const QJsonValue v = take(key, true);
    if (v.isUndefined())
        return;
    if (!v.isString() || !allowed.contains(v.toString())) {
        fail(key, QStringLiteral("expected one of %1").arg(allowed.join(QStringLiteral(", "))));
        return;
    }
    value = v.toString();
}

void JsonReadChannel::hexBytes(const char* key, QByteArray& value, int minBytes, int maxBytes)
{
    const QJsonValue v = take(key, true);
    if (v.isUndefined())
        return;
    static const QRegularExpression hex(QStringLiteral("^(?:[0-9a-fA-F]{2})*$"));
    if (!v.isString()) {
        fail(key, QStringLiteral("expected a string of hex digits, not %1").arg(typeName(v)));
        return;
    }
    const QString s = v.toString();
    if (!hex.match(s).hasMatch()) {
        fail(key, QStringLiteral("expected pairs of hex digits"));
        return;
    }
    const int size = s.size() / 2;
    if (size < minBytes || size > maxBytes) {
        fail(key, minBytes == maxBytes
                      ? QStringLiteral("expected %1 bytes, not %2").arg(minBytes).arg(size)
                      : QStringLiteral("expected %1 to %2 bytes, not %3")
                            .arg(minBytes)
                            .arg(maxBytes)
                            .arg(size));
        return;
    }
    value = QByteArray::fromHex(s.toLatin1());
}

void JsonReadChannel::optionalHexBytes(const char* key, QByteArray& value, bool& present,
                                       int minBytes, int maxBytes)
{
    present =
        m_frames.isEmpty() ? false : m_frames.last().object.contains(QString::fromLatin1(key));
    if (present)
        hexBytes(key, value, minBytes, maxBytes);
    else if (!m_frames.isEmpty())
        m_frames.last().seen.insert(QString::fromLatin1(key));
}

bool JsonReadChannel::has(const char* key)
{
    if (m_frames.isEmpty())
        return false;
    const QString name = QString::fromLatin1(key);
    m_frames.last().seen.insert(name);
    return m_frames.last().object.contains(name);
}
