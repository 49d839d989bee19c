#pragma once

#include "helpkit_global.h"

#include <QString>
#include <QStringList>

// Help topics. A topic comes in the user's language: the local (Chinese) text when the
// application's locale is Chinese, the English text otherwise.
HELPKIT_EXPORT QString helpKeyWord(const QString& english, const QString& local);

// Opens the help system on a topic. The stand-in records the request, writes it to the
// debug log and, when <host home>/help/topics.json maps the topic to a page, reports that
// page; the host window shows it.
HELPKIT_EXPORT void startHelpSys(const QString& topic);

// Inspection: the topics asked for so far in this process, oldest first.
HELPKIT_EXPORT QStringList requestedHelpTopics();
HELPKIT_EXPORT void clearRequestedHelpTopics();

// The help page that <host home>/help/topics.json names for a topic; empty when none.
HELPKIT_EXPORT QString helpPageFor(const QString& topic);
