#pragma once

#include "textrule.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <iterator>
#include <type_traits>

// Describes a document as JSON Schema (draft 2020-12), from the same field lists that
// write and read it: every object closed (no other keys), every member required unless the
// field list makes it optional, integers with their ranges, texts with their byte limits
// and patterns, hex strings with their lengths.
class JsonSchemaChannel
{
public:
    static constexpr bool Reading = false;

    JsonSchemaChannel();

    // The schema of the root object, with the definitions of recursive lists.
    QJsonObject schema(const QString& title) const;

    template <typename T>
    void integer(const char* key, T&, qint64 min, qint64 max)
    {
        add(key, integerSchema(min, max), true);
    }
    template <typename T>
    void optionalInteger(const char* key, T&, bool&, qint64 min, qint64 max)
    {
        add(key, integerSchema(min, max), false);
    }
    void boolean(const char* key, bool&);
    void text(const char* key, QString&, const TextRule& rule);
    void choice(const char* key, QString&, const QStringList& allowed);
    void hexBytes(const char* key, QByteArray&, int minBytes, int maxBytes);
    void optionalHexBytes(const char* key, QByteArray&, bool&, int minBytes, int maxBytes);

    template <typename Fn>
    void object(const char* key, Fn fn)
    {
        add(key, objectSchema(fn), true);
    }
    template <typename Fn>
    void optionalObject(const char* key, bool&, Fn fn)
    {
        add(key, objectSchema(fn), false);
    }
    template <typename Container, typename Fn>
    void list(const char* key, Container& items, int min, int max, Fn fn)
    {
        add(key, arraySchema(elementSchema(items, fn), min, max), true);
    }
    template <typename Container, typename Fn>
    void optionalList(const char* key, Container& items, bool&, int min, int max, Fn fn)
    {
        add(key, arraySchema(elementSchema(items, fn), min, max), false);
    }
    // The element's schema goes to $defs/<def> once; every list of that kind refers to it.
    template <typename Container, typename Fn>
    void recursiveList(const char* key, Container& items, bool&, const char* def, int min, int max,
                       Fn fn)
    {
        const QString name = QString::fromLatin1(def);
        if (!m_defs.contains(name) && !m_defining.contains(name)) {
            m_defining.insert(name);
            m_defs.insert(name, elementSchema(items, fn));
            m_defining.remove(name);
        }
        add(key,
            arraySchema(QJsonObject{{QStringLiteral("$ref"), QStringLiteral("#/$defs/") + name}},
                        min, max),
            false);
    }

    void fail(const char*, const QString&) {}

private:
    struct Frame
    {
        QJsonObject properties;
        QJsonArray required;
    };

    static QJsonObject integerSchema(qint64 min, qint64 max);
    static QJsonObject arraySchema(const QJsonObject& items, int min, int max);
    QJsonObject closeObject(const Frame& frame) const;
    void add(const char* key, const QJsonObject& schema, bool required);

    template <typename Fn>
    QJsonObject objectSchema(Fn fn)
    {
        m_frames.append(Frame());
        fn(*this);
        return closeObject(m_frames.takeLast());
    }
    template <typename Container, typename Fn>
    QJsonObject elementSchema(Container&, Fn fn)
    {
        using Item = std::decay_t<decltype(*std::begin(std::declval<Container&>()))>;
        Item example{};
        return objectSchema([&](JsonSchemaChannel& ch) { fn(ch, example, 0); });
    }

    QVector<Frame> m_frames;
    QJsonObject m_defs;
    QSet<QString> m_defining;
};
