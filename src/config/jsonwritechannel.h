#pragma once

#include "jsontextwriter.h"
#include "textrule.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

// Writes a document's members as the field lists (configfields.h) name them, in their
// order. The field lists are the single description of the JSON form: this channel writes
// it, JsonReadChannel reads and checks it, JsonSchemaChannel describes it.
class JsonWriteChannel
{
public:
    static constexpr bool Reading = false;

    explicit JsonWriteChannel(JsonTextWriter& out)
        : m_out(out)
    {}

    template <typename T>
    void integer(const char* key, T& value, qint64, qint64)
    {
        m_out.number(QLatin1String(key), qint64(value));
    }
    template <typename T>
    void optionalInteger(const char* key, T& value, bool& present, qint64 min, qint64 max)
    {
        if (present)
            integer(key, value, min, max);
    }
    void boolean(const char* key, bool& value) { m_out.boolean(QLatin1String(key), value); }
    void text(const char* key, QString& value, const TextRule&)
    {
        m_out.string(QLatin1String(key), value);
    }
    void choice(const char* key, QString& value, const QStringList&)
    {
        m_out.string(QLatin1String(key), value);
    }
    void hexBytes(const char* key, QByteArray& value, int, int)
    {
        m_out.string(QLatin1String(key), QString::fromLatin1(value.toHex()));
    }
    void optionalHexBytes(const char* key, QByteArray& value, bool& present, int min, int max)
    {
        if (present)
            hexBytes(key, value, min, max);
    }

    template <typename Fn>
    void object(const char* key, Fn fn)
    {
        m_out.beginObject(QLatin1String(key));
        fn(*this);
        m_out.endObject();
    }
    template <typename Fn>
    void optionalObject(const char* key, bool& present, Fn fn)
    {
        if (present)
            object(key, fn);
    }
    // Elements are objects; `fn(channel, element, index)` names their members.
    template <typename Container, typename Fn>
    void list(const char* key, Container& items, int, int, Fn fn)
    {
        m_out.beginArray(QLatin1String(key));
        int index = 0;
        for (auto& item : items) {
            m_out.beginObject();
            fn(*this, item, index++);
            m_out.endObject();
        }
        m_out.endArray();
    }
    // A list left out when empty.
    template <typename Container, typename Fn>
    void optionalList(const char* key, Container& items, bool& present, int min, int max, Fn fn)
    {
        if (present)
            list(key, items, min, max, fn);
    }
    // A list whose elements may hold lists of the same kind (`def` names the kind).
    template <typename Container, typename Fn>
    void recursiveList(const char* key, Container& items, bool& present, const char*, int min,
                       int max, Fn fn)
    {
        optionalList(key, items, present, min, max, fn);
    }

    // Readers report problems that the field lists find themselves; writers have none.
    void fail(const char*, const QString&) {}

private:
    JsonTextWriter& m_out;
};
