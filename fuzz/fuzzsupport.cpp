#include "fuzzsupport.h"

#include <slaves/slavecontrol.h>

#include <QByteArray>
#include <QtGlobal>

void useSampleHostData()
{
    if (!qEnvironmentVariableIsSet("CORVO_HOST_HOME"))
        qputenv("CORVO_HOST_HOME", QByteArray(CORVO_SAMPLE_HOST_HOME));
    // Readers are silent by design; keep the fuzzer's output to its own findings.
    qputenv("QT_LOGGING_RULES", QByteArray("*.debug=false"));
}

void resetSlavePlugins()
{
    static const SlaveControl kits[] = {SlaveControl(QStringLiteral("ecatslavekit.dll")),
                                        SlaveControl(QStringLiteral("dpslavekit.dll")),
                                        SlaveControl(QStringLiteral("canslavekit.dll")),
                                        SlaveControl(QStringLiteral("qbusslavekit.dll")),
                                        SlaveControl(QStringLiteral("eipslavekit.dll"))};
    for (const SlaveControl& kit : kits)
        kit.reset();
}
