// Configuration documents from anywhere: import them into a project as hwcfg import does;
// a module that was taken must export a document that imports again to the same save data
// and the same document.

#include "fuzzsupport.h"

#include <block/paramblock.h>
#include <config/configjson.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>

namespace {

// A private copy of the sample line: a save may write a compile log beside the project.
QString g_project;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    prepareFuzzing();
    const QString dir = QDir::tempPath() + QStringLiteral("/corvo-fuzz-configjson");
    QDir().mkpath(dir);
    g_project = dir + QStringLiteral("/line1.json");
    QFile::remove(g_project);
    QFile::copy(QStringLiteral(CORVO_SAMPLE_PROJECT), g_project);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray json = QByteArray(reinterpret_cast<const char*>(data), int(size));
    QStringList errors;
    if (auto object = ConfigJson::importDocument(json, g_project, errors)) {
        const QByteArray saved = ParamBlock::save(*object);
        const QByteArray exported = ConfigJson::exportDocument(*object);
        auto again = ConfigJson::importDocument(exported, g_project, errors);
        if (!again || ParamBlock::save(*again) != saved ||
            ConfigJson::exportDocument(*again) != exported)
            __builtin_trap();
    } else if (errors.isEmpty()) {
        __builtin_trap(); // a refusal always says why
    }
    resetSlavePlugins();
    return 0;
}
