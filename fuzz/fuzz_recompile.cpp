// Download blocks read back from a PLC: recompile them, and compile what comes back.

#include "fuzzsupport.h"

#include <block/paramblock.h>

#include <QByteArray>
#include <QDir>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    prepareFuzzing();
    // recompile looks for server files in the host's program folder.
    QDir::setCurrent(QStringLiteral(CORVO_SAMPLE_HOST_HOME "/bin"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray block =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    int error = 0;
    // No project: sections meant for the project are not stored anywhere.
    if (auto object = ParamBlock::recompile(block, QString(), error)) {
        QByteArray again;
        QList<int> errors;
        ParamBlock::compile(*object, again, errors);
    }
    resetSlavePlugins();
    return 0;
}
