#include "jsonfilecache.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonParseError>
#include <QMutexLocker>

#include <sys/stat.h>

JsonFileCache& JsonFileCache::instance()
{
    static JsonFileCache cache;
    return cache;
}

JsonFileCache::Result JsonFileCache::read(const QString& filePath)
{
    if (filePath.isEmpty())
        return {QJsonDocument(), false, QStringLiteral("no file named")};
    // Host files are asked for by absolute paths, many times per restore; only a relative
    // path needs the working folder.
    const QString key = QDir::isAbsolutePath(filePath) ? QDir::cleanPath(filePath)
                                                       : QFileInfo(filePath).absoluteFilePath();
    QMutexLocker lock(&m_mutex);
    auto it = m_entries.find(key);
    const QByteArray name = it != m_entries.end() ? it->name : QFile::encodeName(key);
    struct stat st
    {};
    if (::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        m_entries.remove(key);
        return {QJsonDocument(), false, QStringLiteral("no such file: %1").arg(filePath)};
    }
    const Stamp stamp{qint64(st.st_ino), qint64(st.st_size),
                      qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    if (it != m_entries.end() && it->stamp == stamp)
        return it->result;

    Entry entry;
    entry.name = name;
    entry.stamp = stamp;
    entry.result.generation = ++m_generation;
    QFile file(key);
    if (!file.open(QIODevice::ReadOnly)) {
        entry.result.error = QStringLiteral("cannot read %1").arg(filePath);
    } else {
        QJsonParseError parseError;
        entry.result.document = QJsonDocument::fromJson(file.readAll(), &parseError);
        entry.result.ok = parseError.error == QJsonParseError::NoError;
        if (!entry.result.ok)
            entry.result.error = QStringLiteral("%1: %2 at offset %3")
                                     .arg(filePath, parseError.errorString())
                                     .arg(parseError.offset);
    }
    m_entries.insert(key, entry);
    return entry.result;
}
