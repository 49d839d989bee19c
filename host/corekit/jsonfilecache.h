#pragma once

#include "corekit_global.h"

#include <QHash>
#include <QJsonDocument>
#include <QMutex>
#include <QString>

// Parsed JSON files, re-read only when a file's size or modification time changes, so that
// a test or a user can rewrite host data between calls and be seen at once.
class COREKIT_EXPORT JsonFileCache
{
public:
    struct Result
    {
        QJsonDocument document;
        bool ok = false; // the file exists and holds valid JSON
        QString error;   // why it could not be used, for diagnostics
        // A new number each time the file is read again; 0 when there is no file. Lets
        // callers keep what they derive from a document until it changes.
        quint64 generation = 0;
    };

    static JsonFileCache& instance();

    Result read(const QString& filePath);

private:
    // What identifies one version of a file: a rewrite changes the size or the
    // modification time (nanoseconds), a replacement the inode.
    struct Stamp
    {
        qint64 inode = -1;
        qint64 size = -1;
        qint64 modifiedNs = -1;
        bool operator==(const Stamp& o) const
        {
            return inode == o.inode && size == o.size && modifiedNs == o.modifiedNs;
        }
    };
    struct Entry
    {
        QByteArray name; // the path as stat() takes it
        Stamp stamp;
        Result result;
    };

    QMutex m_mutex;
    QHash<QString, Entry> m_entries;
    quint64 m_generation = 0;
};
