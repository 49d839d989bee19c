// OPC UA sections from anywhere (positioned at the section length): read them into an
// object, write the object's section and read it back; decode the section as dump does.

#include <block/opcuasection.h>

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray section =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    CpuObject object;
    ByteReader in(section);
    if (OpcUaSection::read(object, in)) {
        const QByteArray written = OpcUaSection::write(object);
        CpuObject back;
        ByteReader again(written);
        if (!OpcUaSection::read(back, again) ||
            back.opcUaSettingsData != object.opcUaSettingsData ||
            back.opcUaInterfaceData != object.opcUaInterfaceData)
            __builtin_trap();
    }
    ByteReader dumped(section);
    QList<DumpField> fields;
    OpcUaSection::dump(dumped, fields);
    return 0;
}
