// *.opuca files from anywhere: read them as an import does; what was taken must write and
// read back the same two payloads.

#include <opcua/opcuafile.h>

#include <QBuffer>
#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    const auto contents = OpcUaFile::read(file, nullptr);
    if (!contents)
        return 0;
    const auto again = OpcUaFile::decode(OpcUaFile::encode(*contents), nullptr);
    if (!again || again->settings != contents->settings ||
        again->interfaces != contents->interfaces)
        __builtin_trap();
    return 0;
}
