#include "opcuainterface.h"

int OpcUaInterface::recordCount() const
{
    int count = 0;
    for (const OpcUaVarRecord& record : records)
        count += record.recordCount();
    return count;
}
