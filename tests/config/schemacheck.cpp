#include "schemacheck.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>

#include <cmath>

namespace {

QString at(const QString& path)
{
    return path.isEmpty() ? QStringLiteral("(document)") : path;
}

QString member(const QString& path, const QString& key)
{
    return path.isEmpty() ? key : path + QLatin1Char('.') + key;
}

bool hasType(const QJsonValue& v, const QString& type)
{
    if (type == QLatin1String("object"))
        return v.isObject();
    if (type == QLatin1String("array"))
        return v.isArray();
    if (type == QLatin1String("string"))
        return v.isString();
    if (type == QLatin1String("boolean"))
        return v.isBool();
    if (type == QLatin1String("integer"))
        return v.isDouble() && std::isfinite(v.toDouble()) &&
               v.toDouble() == std::floor(v.toDouble());
    return false;
}

} // namespace

SchemaCheck::SchemaCheck(const QJsonObject& schema)
    : m_root(schema)
{}

QStringList SchemaCheck::check(const QJsonValue& value) const
{
    QStringList problems;
    check(m_root, value, QString(), problems, 0);
    return problems;
}

void SchemaCheck::check(const QJsonObject& schema, const QJsonValue& value, const QString& path,
                        QStringList& problems, int depth) const
{
    static const QSet<QString> known{
        QStringLiteral("$schema"),     QStringLiteral("title"),
        QStringLiteral("description"), QStringLiteral("$defs"),
        QStringLiteral("type"),        QStringLiteral("properties"),
        QStringLiteral("required"),    QStringLiteral("additionalProperties"),
        QStringLiteral("minimum"),     QStringLiteral("maximum"),
        QStringLiteral("minLength"),   QStringLiteral("maxLength"),
        QStringLiteral("pattern"),     QStringLiteral("enum"),
        QStringLiteral("items"),       QStringLiteral("minItems"),
        QStringLiteral("maxItems"),    QStringLiteral("$ref")};
    for (auto it = schema.constBegin(); it != schema.constEnd(); ++it) {
        if (!known.contains(it.key()))
            problems.append(QStringLiteral("%1: the schema uses \"%2\", which is not checked")
                                .arg(at(path), it.key()));
    }
    if (depth > 64) {
        problems.append(QStringLiteral("%1: nested too deep").arg(at(path)));
        return;
    }
    if (schema.contains(QStringLiteral("$ref"))) {
        const QString ref = schema.value(QStringLiteral("$ref")).toString();
        const QString prefix = QStringLiteral("#/$defs/");
        const QJsonValue target =
            m_root.value(QStringLiteral("$defs")).toObject().value(ref.mid(prefix.size()));
        if (!ref.startsWith(prefix) || !target.isObject()) {
            problems.append(QStringLiteral("%1: unknown reference %2").arg(at(path), ref));
            return;
        }
        check(target.toObject(), value, path, problems, depth + 1);
        return;
    }
    if (schema.contains(QStringLiteral("enum"))) {
        if (!schema.value(QStringLiteral("enum")).toArray().contains(value))
            problems.append(QStringLiteral("%1: not one of the allowed values").arg(at(path)));
        return;
    }
    const QString type = schema.value(QStringLiteral("type")).toString();
    if (!hasType(value, type)) {
        problems.append(QStringLiteral("%1: expected %2").arg(at(path), type));
        return;
    }
    if (type == QLatin1String("integer")) {
        const double d = value.toDouble();
        if ((schema.contains(QStringLiteral("minimum")) &&
             d < schema.value(QStringLiteral("minimum")).toDouble()) ||
            (schema.contains(QStringLiteral("maximum")) &&
             d > schema.value(QStringLiteral("maximum")).toDouble()))
            problems.append(QStringLiteral("%1: out of range").arg(at(path)));
    } else if (type == QLatin1String("string")) {
        const QString s = value.toString();
        const int length = s.toUcs4().size();
        if (schema.contains(QStringLiteral("minLength")) &&
            length < schema.value(QStringLiteral("minLength")).toInt())
            problems.append(QStringLiteral("%1: too short").arg(at(path)));
        if (schema.contains(QStringLiteral("maxLength")) &&
            length > schema.value(QStringLiteral("maxLength")).toDouble())
            problems.append(QStringLiteral("%1: too long").arg(at(path)));
        if (schema.contains(QStringLiteral("pattern")) &&
            !QRegularExpression(schema.value(QStringLiteral("pattern")).toString())
                 .match(s)
                 .hasMatch())
            problems.append(QStringLiteral("%1: does not match the pattern").arg(at(path)));
    } else if (type == QLatin1String("array")) {
        const QJsonArray array = value.toArray();
        if (array.size() < schema.value(QStringLiteral("minItems")).toInt(0) ||
            (schema.contains(QStringLiteral("maxItems")) &&
             array.size() > schema.value(QStringLiteral("maxItems")).toInt()))
            problems.append(QStringLiteral("%1: wrong number of elements").arg(at(path)));
        const QJsonObject items = schema.value(QStringLiteral("items")).toObject();
        for (int i = 0; i < array.size(); ++i)
            check(items, array.at(i), QStringLiteral("%1[%2]").arg(path).arg(i), problems,
                  depth + 1);
    } else if (type == QLatin1String("object")) {
        const QJsonObject object = value.toObject();
        const QJsonObject properties = schema.value(QStringLiteral("properties")).toObject();
        for (const QJsonValue& required : schema.value(QStringLiteral("required")).toArray()) {
            if (!object.contains(required.toString()))
                problems.append(
                    QStringLiteral("%1: missing").arg(member(path, required.toString())));
        }
        const bool closed = schema.value(QStringLiteral("additionalProperties")) == false;
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            if (properties.contains(it.key()))
                check(properties.value(it.key()).toObject(), it.value(), member(path, it.key()),
                      problems, depth + 1);
            else if (closed)
                problems.append(QStringLiteral("%1: unknown key").arg(member(path, it.key())));
        }
    }
}
