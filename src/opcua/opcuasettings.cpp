#include "opcuasettings.h"

bool OpcUaSettings::operator==(const OpcUaSettings& o) const
{
    return serverEnabled == o.serverEnabled && anonymousLogin == o.anonymousLogin &&
           userAuthentication == o.userAuthentication && users == o.users &&
           serverName == o.serverName && port == o.port && sessionTimeout == o.sessionTimeout &&
           maxSessions == o.maxSessions && samplingInterval == o.samplingInterval &&
           publishingInterval == o.publishingInterval && monitoredItems == o.monitoredItems &&
           securityEnabled == o.securityEnabled && certificateContent == o.certificateContent &&
           keyContent == o.keyContent && certificateUri == o.certificateUri &&
           certificateFileName == o.certificateFileName;
}
