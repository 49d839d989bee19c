#pragma once

#include "textrule.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <iterator>
#include <type_traits>
#include <vector>

// Reads a document's members as the field lists name them and checks each as it goes: a
// member that is missing, of another JSON type, out of its range or too long, and a key no
// field list names, is reported with its path (`tcpIp.port`, `soe[2].title`). Members that
// fail keep their previous value; reading goes on, so one pass reports every problem.
class JsonReadChannel
{
public:
    static constexpr bool Reading = true;

    JsonReadChannel(const QJsonObject& root, QStringList& errors);

    // Reports the keys of the root object that no field named; call once the field list
    // has run.
    void finish();

    template <typename T>
    void integer(const char* key, T& value, qint64 min, qint64 max)
    {
        qint64 read = 0;
        if (readInteger(take(key, true), key, min, max, read))
            value = T(read);
    }
    template <typename T>
    void optionalInteger(const char* key, T& value, bool& present, qint64 min, qint64 max)
    {
        const QJsonValue v = take(key, false);
        present = !v.isUndefined();
        qint64 read = 0;
        if (present && readInteger(v, key, min, max, read))
            value = T(read);
    }
    void boolean(const char* key, bool& value);
    void text(const char* key, QString& value, const TextRule& rule);
    void choice(const char* key, QString& value, const QStringList& allowed);
    void hexBytes(const char* key, QByteArray& value, int minBytes, int maxBytes);
    void optionalHexBytes(const char* key, QByteArray& value, bool& present, int minBytes,
                          int maxBytes);

    template <typename Fn>
    void object(const char* key, Fn fn)
    {
        const QJsonValue v = take(key, true);
        if (!v.isUndefined())
            readObject(v, pathOf(key), fn);
    }
    template <typename Fn>
    void optionalObject(const char* key, bool& present, Fn fn)
    {
        const QJsonValue v = take(key, false);
        present = !v.isUndefined();
        if (present)
            readObject(v, pathOf(key), fn);
    }
    template <typename Container, typename Fn>
    void list(const char* key, Container& items, int min, int max, Fn fn)
    {
        const QJsonValue v = take(key, true);
        if (!v.isUndefined())
            readList(v, key, items, min, max, fn);
    }
    template <typename Container, typename Fn>
    void optionalList(const char* key, Container& items, bool& present, int min, int max, Fn fn)
    {
        const QJsonValue v = take(key, false);
        present = !v.isUndefined();
        if (present)
            readList(v, key, items, min, max, fn);
    }
    template <typename Container, typename Fn>
    void recursiveList(const char* key, Container& items, bool& present, const char*, int min,
                       int max, Fn fn)
    {
        optionalList(key, items, present, min, max, fn);
    }

    // Whether the current object has the key (which counts as known from then on).
    bool has(const char* key);

    // A problem the field list found in a member it has read.
    void fail(const char* key, const QString& message);

    // The path of a member of the current object.
    QString pathOf(const char* key) const;

private:
    struct Frame
    {
        QJsonObject object;
        QString path;
        QSet<QString> seen;
    };

    QJsonValue take(const char* key, bool required);
    bool readInteger(const QJsonValue& v, const char* key, qint64 min, qint64 max, qint64& out);
    void report(const QString& path, const QString& message);
    // False when `v` is no object (reported).
    bool push(const QJsonValue& v, const QString& path);
    void pop();

    template <typename Fn>
    void readObject(const QJsonValue& v, const QString& path, Fn fn)
    {
        if (!push(v, path))
            return;
        fn(*this);
        pop();
    }

    template <typename Container, typename Fn>
    void readList(const QJsonValue& v, const char* key, Container& items, int min, int max, Fn fn)
    {
        const QString path = pathOf(key);
        if (!v.isArray()) {
            report(path, QStringLiteral("expected an array"));
            return;
        }
        const QJsonArray array = v.toArray();
        if (array.size() < min || array.size() > max) {
            report(path,
                   min == max
                       ? QStringLiteral("expected %1 elements, not %2").arg(min).arg(array.size())
                       : QStringLiteral("expected %1 to %2 elements, not %3")
                             .arg(min)
                             .arg(max)
                             .arg(array.size()));
            return;
        }
        using Item = std::decay_t<decltype(*std::begin(items))>;
        std::vector<Item> read;
        read.reserve(size_t(array.size()));
        for (int i = 0; i < array.size(); ++i) {
            read.push_back(initial<Item>(items, i));
            const QString itemPath = QStringLiteral("%1[%2]").arg(path).arg(i);
            if (!push(array.at(i), itemPath))
                continue;
            fn(*this, read.back(), i);
            pop();
        }
        assign(items, read);
    }

    // A fixed list's element starts as it is (members the document does not carry keep
    // their values); a growing list's from its default.
    template <typename Item, size_t N>
    static Item initial(const std::array<Item, N>& items, int i)
    {
        return size_t(i) < N ? items[size_t(i)] : Item{};
    }
    template <typename Item, typename Container>
    static Item initial(const Container&, int)
    {
        return Item{};
    }
    template <typename Item, size_t N>
    static void assign(std::array<Item, N>& items, std::vector<Item>& read)
    {
        for (size_t i = 0; i < N && i < read.size(); ++i)
            items[i] = std::move(read[i]);
    }
    template <typename Item>
    static void assign(std::vector<Item>& items, std::vector<Item>& read)
    {
        items = std::move(read);
    }
    template <typename Container, typename Item>
    static void assign(Container& items, std::vector<Item>& read)
    {
        items.clear();
        for (Item& item : read)
            items.append(std::move(item));
    }

    QVector<Frame> m_frames;
    QStringList& m_errors;
};
