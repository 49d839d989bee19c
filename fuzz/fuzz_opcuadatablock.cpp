// Data-block content from a project (the program editor's two byte arrays of text cells):
// read it with every count checked; every element it yields is an address of its block.

#include <opcua/opcuaaddressrules.h>
#include <opcua/opcuadatablock.h>

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray content =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    for (bool instance : {false, true}) {
        const auto cells = OpcUaDataBlock::cells(content, instance);
        const OpcUaDataBlockElements read = OpcUaDataBlock::elements(
            content, QStringLiteral("DB7"), QStringLiteral("Block"), instance, true, 10);
        const int rows = cells ? cells->size() / OpcUaDataBlock::CellsPerRow : 0;
        if (int(read.elements.size()) + read.skipped > rows)
            __builtin_trap();
        for (const OpcUaDragItem& element : read.elements) {
            const auto c = OpcUaAddressRules::classifyElement(element.address, 7);
            if (!c || c->address != element.address)
                __builtin_trap();
        }
    }
    return 0;
}
