#include "helpsystem.h"

#include <corekit/hosthome.h>
#include <corekit/jsonfilecache.h>

#include <QDebug>
#include <QJsonObject>
#include <QLocale>

namespace {

QStringList& requests()
{
    static QStringList topics;
    return topics;
}

} // namespace

QString helpKeyWord(const QString& english, const QString& local)
{
    return QLocale().language() == QLocale::Chinese ? local : english;
}

void startHelpSys(const QString& topic)
{
    requests().append(topic);
    const QString page = helpPageFor(topic);
    qInfo().noquote() << "help:" << topic << (page.isEmpty() ? QString() : "->" + page);
}

QStringList requestedHelpTopics()
{
    return requests();
}

void clearRequestedHelpTopics()
{
    requests().clear();
}

QString helpPageFor(const QString& topic)
{
    const auto doc =
        JsonFileCache::instance().read(HostHome::file(QStringLiteral("help/topics.json")));
    const QString page = doc.document.object().value(topic).toString();
    return page.isEmpty() ? QString() : HostHome::file(QStringLiteral("help/") + page);
}
