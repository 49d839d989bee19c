// Module catalog files of any content.

#include "fuzzsupport.h"

#include <model/modulecatalog.h>

#include <QBuffer>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    prepareFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray text(reinterpret_cast<const char*>(data), int(size));
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    const QList<ModuleDescriptor> records = ModuleCatalog::parse(buffer);
    ModuleDescriptor out;
    (void)ModuleCatalog::find(records, 3, 4, 2100, out);
    return 0;
}
