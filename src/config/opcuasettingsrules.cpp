#include "opcuasettingsrules.h"

#include "opcua/opcuasettingscodec.h"

#include <QCoreApplication>
#include <QSet>

namespace {

// The messages keep the translation context of the page that shows them.
QString pageText(const char* text)
{
    return QCoreApplication::translate("OPCUAWidget", text);
}

} // namespace

QList<RuleFailure> OpcUaSettingsRules::check(const OpcUaSettingsValues& v)
{
    QList<RuleFailure> failures;
    if (!v.serverEnabled)
        return failures;
    const auto fail = [&failures](const QString& text, const char* path) {
        failures.append({RuleFailure::Kind::Information, text, QLatin1String(path)});
    };
    if (v.userAuthentication) {
        QSet<QString> seen;
        for (const QString& name : v.userNames) {
            if (name.isEmpty())
                continue;
            if (seen.contains(name)) {
                fail(pageText(QT_TRANSLATE_NOOP(
                         "OPCUAWidget", "The same login user name exists on the OPC UA Server.")),
                     "opcUa.settings.users");
                break;
            }
            seen.insert(name);
        }
    }
    if (v.serverName.isEmpty())
        fail(pageText(QT_TRANSLATE_NOOP("OPCUAWidget", "The OPC UA Server name cannot be empty.")),
             "opcUa.settings.serverName");
    else if (v.serverName.startsWith(QLatin1Char(' ')))
        fail(pageText(QT_TRANSLATE_NOOP("OPCUAWidget",
                                        "The OPC UA Server name cannot start with a blank space.")),
             "opcUa.settings.serverName");
    if (v.port < 1)
        fail(pageText(QT_TRANSLATE_NOOP("OPCUAWidget",
                                        "The OPC UA Server port number cannot be less than one.")),
             "opcUa.settings.port");
    if (v.publishingInterval < 200)
        fail(pageText(QT_TRANSLATE_NOOP(
                 "OPCUAWidget",
                 "The minimum publishing interval for subscription of OPC UA Server cannot be "
                 "less than two hundred ms.")),
             "opcUa.settings.publishingInterval");
    if (v.monitoredItems < 100)
        fail(pageText(QT_TRANSLATE_NOOP(
                 "OPCUAWidget",
                 "The monitor the maximum number of items of the OPC UA Server cannot be less "
                 "than one hundred.")),
             "opcUa.settings.monitoredItems");
    return failures;
}

OpcUaSettingsValues OpcUaSettingsRules::shown(const QByteArray& payload)
{
    const OpcUaSettings s = OpcUaSettingsCodec::decode(payload).settings;
    OpcUaSettingsValues v;
    v.serverEnabled = s.serverEnabled;
    v.userAuthentication = s.userAuthentication;
    for (const OpcUaSettings::User& user : s.users)
        v.userNames.append(user.name);
    v.serverName = s.serverName;
    v.port = s.port;
    v.publishingInterval = s.publishingInterval;
    v.monitoredItems = s.monitoredItems;
    return v;
}
