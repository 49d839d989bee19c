#pragma once

#include "opcuasettings.h"
#include "bytes/fieldchannel.h"

#include <QByteArray>
#include <QList>

// The fields of the settings payload in their order, as units a reader completes.
enum class OpcUaSettingsField : int {
    ServerEnabled,
    AnonymousLogin,
    UserAuthentication,
    Users,      // block length, count and the user records
    ServerName, // with the reserved field before it
    Port,
    SessionTimeout,
    MaxSessions,
    SamplingInterval,
    PublishingInterval,
    MonitoredItems,
    Security, // the flag and, when it is on, the four certificate texts
    Closing,  // the closing reserved field
    End,      // everything was read
};

// What a settings payload held. Fields from `reached` on were not there (they keep the
// defaults of OpcUaSettings); `problem` names the first thing that is not as a writer
// makes it (cut short, a length that does not match, bytes after the end).
struct OpcUaSettingsDecode
{
    OpcUaSettings settings;
    OpcUaSettingsField reached = OpcUaSettingsField::ServerEnabled;
    QString problem;

    bool has(OpcUaSettingsField field) const { return int(field) < int(reached); }
    bool complete() const { return reached == OpcUaSettingsField::End && problem.isEmpty(); }
};

// The settings payload (the object's opcUaSettingsData) and its record.
class OpcUaSettingsCodec
{
public:
    static constexpr int MaxUsers = 255; // the count is one byte

    // Users without a name or a password are left out; texts are cut to what their length
    // field can count.
    static QByteArray encode(const OpcUaSettings& settings);

    // Reads as far as the bytes go; never past the end, and a count is checked against
    // what remains before anything is read for it. Passwords are masked in the trace.
    static OpcUaSettingsDecode decode(const QByteArray& payload,
                                      QList<DumpField>* trace = nullptr);

    // Whether a user goes into the payload.
    static bool isWritten(const OpcUaSettings::User& user)
    {
        return !user.name.isEmpty() && !user.password.isEmpty();
    }
};
