#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// Writes JSON text with members in the order they are given, two spaces per level and one
// member per line, so that two documents of the same shape differ only in the lines whose
// values differ. On request it keeps each line's member path (`tcpIp.port`, `soe[2]`).
class JsonTextWriter
{
public:
    explicit JsonTextWriter(bool keepPaths = false)
        : m_keepPaths(keepPaths)
    {}

    // A member of the current object (`key`), or an element of the current array (no key).
    void beginObject(const QString& key = QString());
    void endObject();
    void beginArray(const QString& key = QString());
    void endArray();
    void number(const QString& key, qint64 value);
    void boolean(const QString& key, bool value);
    void string(const QString& key, const QString& value);

    // The document, ending with a line break.
    QByteArray text() const;
    // The path of the member each line belongs to ("" for the root's brackets); empty unless
    // asked for.
    const QStringList& linePaths() const { return m_paths; }

    static QString quoted(const QString& text);

private:
    struct Level
    {
        QString path;
        bool array = false;
        int members = 0;
    };

    void open(const QString& key, char bracket, bool array);
    void close(char bracket);
    // Starts the line of a new member (its key written) and returns its path.
    QString startMember(const QString& key);
    void startLine(const QString& path);
    static void appendQuoted(QString& out, const QString& text);

    const bool m_keepPaths;
    QString m_text;
    QStringList m_paths;
    QVector<Level> m_levels;
};
