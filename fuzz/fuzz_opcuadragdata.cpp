// "varInfo" drag data from anywhere (a drop may come from another program): read it whole or
// not at all; what was read writes a stream that reads back the same, and every item goes
// through the rules that make it a record.

#include <opcua/opcuaaddressrules.h>
#include <opcua/opcuadragdata.h>

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    const auto items = OpcUaDragData::decode(bytes);
    if (!items)
        return 0;
    const QByteArray written = OpcUaDragData::encode(*items);
    const auto again = OpcUaDragData::decode(written);
    if (!again || *again != *items || OpcUaDragData::encode(*again) != written)
        __builtin_trap();
    for (const OpcUaDragItem& item : *items) {
        int skipped = 0;
        const auto record = OpcUaAddressRules::recordFor(item, &skipped);
        if (record &&
            record->recordCount() + skipped != 1 + int(item.isObject ? item.elements.size() : 0))
            __builtin_trap();
        // What a rule took has the text the payload gives back, and takes it again.
        if (record && !record->isObject()) {
            const auto again = OpcUaAddressRules::classify(record->address);
            if (!again || again->address != record->address)
                __builtin_trap();
        }
    }
    return 0;
}
