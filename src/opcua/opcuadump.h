#pragma once

#include "bytes/fieldchannel.h"

#include <QByteArray>
#include <QList>

// The OPC UA payloads field by field, for tools. Any bytes are accepted; what is wrong
// with them is said in a last field "(problem)".
class OpcUaDump
{
public:
    // Every field of the settings payload; passwords are masked.
    static QList<DumpField> settings(const QByteArray& payload);
    // Every field of the interface payload, each variable with its rebuilt address, then
    // one line per interface with its node counts.
    static QList<DumpField> interfaces(const QByteArray& payload);
};
