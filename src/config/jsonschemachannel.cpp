#include "jsonschemachannel.h"

namespace {

const QString kType = QStringLiteral("type");

} // namespace

JsonSchemaChannel::JsonSchemaChannel()
{
    m_frames.append(Frame());
}

QJsonObject JsonSchemaChannel::integerSchema(qint64 min, qint64 max)
{
    return {{kType, QStringLiteral("integer")},
            {QStringLiteral("minimum"), double(min)},
            {QStringLiteral("maximum"), double(max)}};
}

QJsonObject JsonSchemaChannel::arraySchema(const QJsonObject& items, int min, int max)
{
    return {{kType, QStringLiteral("array")},
            {QStringLiteral("items"), items},
            {QStringLiteral("minItems"), min},
            {QStringLiteral("maxItems"), max}};
}

QJsonObject JsonSchemaChannel::closeObject(const Frame& frame) const
{
    return {{kType, QStringLiteral("object")},
            {QStringLiteral("properties"), frame.properties},
            {QStringLiteral("required"), frame.required},
            {QStringLiteral("additionalProperties"), false}};
}

void JsonSchemaChannel::add(const char* key, const QJsonObject& schema, bool required)
{
    Frame& frame = m_frames.last();
    frame.properties.insert(QString::fromLatin1(key), schema);
    if (required)
        frame.required.append(QString::fromLatin1(key));
}

QJsonObject JsonSchemaChannel::schema(const QString& title) const
{
    QJsonObject root = closeObject(m_frames.first());
    root.insert(QStringLiteral("$schema"),
                QStringLiteral("https://json-schema.org/draft/2020-12/schema"));
    root.insert(QStringLiteral("title"), title);
    if (!m_defs.isEmpty())
        root.insert(QStringLiteral("$defs"), m_defs);
    return root;
}

void JsonSchemaChannel::boolean(const char* key, bool&)
{
    add(key, {{kType, QStringLiteral("boolean")}}, true);
}

void JsonSchemaChannel::text(const char* key, QString&, const TextRule& rule)
{
    QJsonObject schema{{kType, QStringLiteral("string")}};
    // Characters never outnumber bytes, so the byte limit bounds the length as well.
    if (rule.maxChars >= 0)
        schema.insert(QStringLiteral("maxLength"), rule.maxChars);
    else if (rule.maxBytes >= 0)
        schema.insert(QStringLiteral("maxLength"), rule.maxBytes);
    if (!rule.pattern.isEmpty())
        schema.insert(QStringLiteral("pattern"), rule.pattern);
    if (!rule.description.isEmpty())
        schema.insert(QStringLiteral("description"), rule.description);
    add(key, schema, true);
}

void JsonSchemaChannel::choice(const char* key, QString&, const QStringList& allowed)
{
    add(key, {{QStringLiteral("enum"), QJsonArray::fromStringList(allowed)}}, true);
}

void JsonSchemaChannel::hexBytes(const char* key, QByteArray&, int minBytes, int maxBytes)
{
    add(key,
        {{kType, QStringLiteral("string")},
         {QStringLiteral("pattern"), QStringLiteral("^(?:[0-9a-fA-F]{2})*$")},
         {QStringLiteral("minLength"), 2 * minBytes},
         {QStringLiteral("maxLength"), 2 * double(maxBytes)},
         {QStringLiteral("description"), QStringLiteral("bytes as hex digits, two per byte")}},
        true);
}

void JsonSchemaChannel::optionalHexBytes(const char* key, QByteArray& value, bool&, int minBytes,
                                         int maxBytes)
{
    hexBytes(key, value, minBytes, maxBytes);
    QJsonArray& required = m_frames.last().required;
    required.removeLast();
}
