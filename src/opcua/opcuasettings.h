#pragma once

#include <QString>
#include <QVector>

// The OPC UA server's settings as the settings payload carries them, with the page's
// defaults.
struct OpcUaSettings
{
    struct User
    {
        QString name;
        QString password;

        bool operator==(const User& o) const { return name == o.name && password == o.password; }
    };

    bool serverEnabled = false;
    bool anonymousLogin = true;
    bool userAuthentication = false;
    // Only users with a name and a password go into the payload, at most 255 of them.
    QVector<User> users;
    QString serverName = QStringLiteral("PLC OPC UA SERVER");
    quint16 port = 4840;
    quint32 sessionTimeout = 30;      // seconds
    quint8 maxSessions = 5;           // 1..5
    quint16 samplingInterval = 100;   // ms: 100, 250, 500, 1000, 5000 or 10000
    quint16 publishingInterval = 500; // ms
    quint16 monitoredItems = 200;
    // The certificate texts travel only while the security flag is on.
    bool securityEnabled = true;
    QString certificateContent;
    QString keyContent;
    QString certificateUri;
    QString certificateFileName;

    bool operator==(const OpcUaSettings& o) const;
    bool operator!=(const OpcUaSettings& o) const { return !(*this == o); }
};
