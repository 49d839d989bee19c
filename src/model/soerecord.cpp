#include "soerecord.h"

#include <tuple>

namespace {

SoeRecord freeSlot(quint8 triggerType)
{
    SoeRecord record;
    record.slot = SoeRecord::FreeSlot;
    record.event = 0;
    record.trigger.syntax = 0x10;
    record.trigger.typeCode = triggerType;
    record.trigger.count = 1;
    record.trigger.dbNumber = 1;
    record.trigger.area = 0x84;
    record.formatIndex = 1;
    return record;
}

} // namespace

bool VarRef::operator==(const VarRef& o) const
{
    return std::tie(syntax, typeCode, count, dbNumber, area, address) ==
           std::tie(o.syntax, o.typeCode, o.count, o.dbNumber, o.area, o.address);
}

bool SoeRecord::operator==(const SoeRecord& o) const
{
    return std::tie(slot, event, trigger, process, formatIndex, titleLength, title) ==
           std::tie(o.slot, o.event, o.trigger, o.process, o.formatIndex, o.titleLength, o.title);
}

SoeRecord SoeRecord::creationDefault()
{
    return freeSlot(1);
}

SoeRecord SoeRecord::readerReset()
{
    return freeSlot(2);
}
