#pragma once

#include "opcuatypes.h"

#include <QString>

#include <vector>

// One published node of a server interface: a PLC variable, or a data block published as
// an object together with its elements. The interface payload is built from these records
// and read back into them; node numbers are assigned only when a payload is built.
struct OpcUaVarRecord
{
    QString address;          // I0.3, MW10, AIW4, DB5, DB5.DBX2.3, DB5.DBW4, ...
    quint32 parentNodeId = 1; // 1: directly in the interface; else its object's nodeId
    quint32 nodeId = 0;       // inside its interface, from 2
    quint32 dataType = 0;     // OpcUaDataType code
    quint32 addressKind = 0;  // OpcUaAddressKind
    quint32 accessLevel = 3;  // OpcUaAccessLevel
    QString browseName;
    QString displayName;
    QString description;
    quint16 interfaceId = 0; // 2 + position of the interface
    quint16 dbNumber = 0;    // the payload's 16 bits: DB300 stays DB300
    quint32 tag = 0;         // from the drag data; not part of the payload
    quint8 reserved = 0;     // the source item's flag byte, carried into the payload
    // Only a data-block object (dataType OBJECT) has elements; the payload carries no others.
    std::vector<OpcUaVarRecord> elements;

    bool isObject() const { return dataType == quint32(OpcUaDataType::Object); }
    // This record and every element below it.
    int recordCount() const;

    bool operator==(const OpcUaVarRecord& other) const;
    bool operator!=(const OpcUaVarRecord& other) const { return !(*this == other); }
};
