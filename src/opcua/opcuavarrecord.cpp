#include "opcuavarrecord.h"

int OpcUaVarRecord::recordCount() const
{
    int count = 1;
    for (const OpcUaVarRecord& element : elements)
        count += element.recordCount();
    return count;
}

bool OpcUaVarRecord::operator==(const OpcUaVarRecord& o) const
{
    return address == o.address && parentNodeId == o.parentNodeId && nodeId == o.nodeId &&
           dataType == o.dataType && addressKind == o.addressKind && accessLevel == o.accessLevel &&
           browseName == o.browseName && displayName == o.displayName &&
           description == o.description && interfaceId == o.interfaceId && dbNumber == o.dbNumber &&
           tag == o.tag && reserved == o.reserved && elements == o.elements;
}
