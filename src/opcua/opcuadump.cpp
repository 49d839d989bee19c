#include "opcuadump.h"

#include "opcuainterfacecodec.h"
#include "opcuasettingscodec.h"

namespace {

void addProblem(QList<DumpField>& fields, int size, const QString& problem)
{
    if (!problem.isEmpty())
        fields.append({QStringLiteral("(problem)"), 0, size, problem});
}

} // namespace

QList<DumpField> OpcUaDump::settings(const QByteArray& payload)
{
    QList<DumpField> fields;
    if (payload.isEmpty()) {
        fields.append({QStringLiteral("(empty)"), 0, 0, QStringLiteral("the page's defaults")});
        return fields;
    }
    const OpcUaSettingsDecode d = OpcUaSettingsCodec::decode(payload, &fields);
    addProblem(fields, payload.size(), d.problem);
    return fields;
}

QList<DumpField> OpcUaDump::interfaces(const QByteArray& payload)
{
    QList<DumpField> fields;
    if (payload.isEmpty()) {
        fields.append({QStringLiteral("(empty)"), 0, 0, QStringLiteral("no interfaces")});
        return fields;
    }
    const OpcUaInterfaceDecode d =
        OpcUaInterfaceCodec::decode(payload, std::numeric_limits<quint32>::max(), &fields);
    for (size_t i = 0; i < d.interfaces.size(); ++i) {
        const OpcUaInterface& in = d.interfaces[i];
        fields.append({QStringLiteral("interface %1 \"%2\"").arg(i + 1).arg(in.name), 0, 0,
                       QStringLiteral("%1 nodes, %2 with the elements of data blocks")
                           .arg(in.records.size())
                           .arg(in.recordCount())});
    }
    addProblem(fields, payload.size(), d.reason());
    return fields;
}
