#include "fuzzsupport.h"

#include <slaves/slavecontrol.h>

#include <QByteArray>
#include <QLoggingCategory>
#include <QtGlobal>

namespace {

QtMessageHandler g_previousHandler = nullptr;

// Readers are silent by design, and what Qt warns about on malformed input is expected
// here; printing it per input flooded the log and slowed the runs down.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if ((type == QtCriticalMsg || type == QtFatalMsg) && g_previousHandler)
        g_previousHandler(type, context, message);
}

} // namespace

void prepareFuzzing()
{
    if (!qEnvironmentVariableIsSet("CORVO_HOST_HOME"))
        qputenv("CORVO_HOST_HOME", QByteArray(CORVO_SAMPLE_HOST_HOME));
    // Debug lines off at the source, so that nothing is formatted for them.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    g_previousHandler = qInstallMessageHandler(quietHandler);
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
