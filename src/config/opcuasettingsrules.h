#pragma once

#include "rulefailure.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// What the OPC UA settings check reads.
struct OpcUaSettingsValues
{
    bool serverEnabled = false;
    bool userAuthentication = false;
    QStringList userNames; // the users that will be written, in the table's order
    QString serverName;
    qint64 port = 0;
    qint64 publishingInterval = 0;
    qint64 monitoredItems = 0;
};

// The checks of the OPC UA settings on plain values.
class OpcUaSettingsRules
{
public:
    // Every failing check in its order (repeated user names, server name, port,
    // publishing interval, monitored items); nothing while the server is off. The dialog
    // shows the first.
    static QList<RuleFailure> check(const OpcUaSettingsValues& values);

    // What the page shows for a stored settings payload: its fields where it holds them,
    // the page's defaults elsewhere.
    static OpcUaSettingsValues shown(const QByteArray& payload);
};
