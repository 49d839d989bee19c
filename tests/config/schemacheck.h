#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

// Checks a JSON value against a JSON Schema, for the keywords the configuration schema
// uses: type, properties, required, additionalProperties (false), minimum, maximum,
// minLength, maxLength, pattern, enum, items, minItems, maxItems and $ref into $defs. Any
// other keyword is reported, so a schema cannot pass by using what this does not check.
// Problems come as "<path>: <message>", with the importer's paths ("tcpIp.port",
// "soe[2].title", "(document)").
class SchemaCheck
{
public:
    explicit SchemaCheck(const QJsonObject& schema);

    QStringList check(const QJsonValue& value) const;

private:
    void check(const QJsonObject& schema, const QJsonValue& value, const QString& path,
               QStringList& problems, int depth) const;

    QJsonObject m_root;
};
