#pragma once

#include "opcuavarrecord.h"

#include <QString>

#include <vector>

// One interface (a folder under the root "Server Interface") with its published nodes in
// their order.
struct OpcUaInterface
{
    QString name;
    std::vector<OpcUaVarRecord> records;

    // Every record of the interface, elements included.
    int recordCount() const;

    bool operator==(const OpcUaInterface& other) const
    {
        return name == other.name && records == other.records;
    }
};

// The interfaces under the root, in tree order.
using OpcUaInterfaces = std::vector<OpcUaInterface>;
