// The interface payload codec at the editor's sizes: decoding a payload into records and
// encoding records into a payload, at 10 000 and 50 000 published records. The editor's
// own costs are measured against these.

#include <opcua/opcuainterfacecodec.h>
#include <opcua/opcuasettingscodec.h>

#include <benchmark/benchmark.h>

namespace {

// Five interfaces; every tenth record a data block published with nine elements, the
// others plain variables of every address form.
OpcUaInterfaces interfaces(int records)
{
    OpcUaInterfaces list(5);
    for (size_t i = 0; i < list.size(); ++i)
        list[i].name = QStringLiteral("Interface %1").arg(i + 1);
    const char* forms[] = {"I%1.3", "QB%1", "MW%1", "VD%1", "AIW%1", "SMB%1", "V%1.7", "QW%1"};
    const OpcUaDataType types[] = {
        OpcUaDataType::Bool,  OpcUaDataType::SByte,    OpcUaDataType::Int16, OpcUaDataType::Float,
        OpcUaDataType::Int16, OpcUaDataType::ByteChar, OpcUaDataType::Bool,  OpcUaDataType::UInt16};
    const OpcUaAddressKind kinds[] = {OpcUaAddressKind::Bit,        OpcUaAddressKind::Byte,
                                      OpcUaAddressKind::Word,       OpcUaAddressKind::DoubleWord,
                                      OpcUaAddressKind::AnalogWord, OpcUaAddressKind::Byte,
                                      OpcUaAddressKind::Bit,        OpcUaAddressKind::Word};
    int made = 0;
    for (int n = 0; made < records; ++n) {
        OpcUaVarRecord r;
        r.displayName = QStringLiteral("Symbol_%1").arg(n);
        r.description = QStringLiteral("Comment of symbol %1").arg(n);
        if (n % 10 == 9 && records - made >= 10) {
            const quint16 db = quint16(n % 60000 + 1);
            r.address = QStringLiteral("DB%1").arg(db);
            r.dataType = quint32(OpcUaDataType::Object);
            r.addressKind = quint32(OpcUaAddressKind::DataBlockObject);
            r.dbNumber = db;
            for (int e = 0; e < 9; ++e) {
                OpcUaVarRecord element;
                element.address = QStringLiteral("DB%1.DBW%2").arg(db).arg(e * 2);
                element.dataType = quint32(OpcUaDataType::Int16);
                element.addressKind = quint32(OpcUaAddressKind::Word);
                element.dbNumber = db;
                element.browseName = element.address;
                element.displayName = r.displayName + QStringLiteral(".Element%1").arg(e);
                r.elements.push_back(element);
            }
        } else {
            const int form = n % 8;
            r.address = QString::fromLatin1(forms[form]).arg(n % 4000);
            r.dataType = quint32(types[form]);
            r.addressKind = quint32(kinds[form]);
        }
        r.browseName = r.address;
        made += r.recordCount();
        list[size_t(n % 5)].records.push_back(std::move(r));
    }
    return list;
}

void InterfaceDecode(benchmark::State& state)
{
    const QByteArray payload = OpcUaInterfaceCodec::encode(interfaces(int(state.range(0))));
    for (auto _ : state) {
        OpcUaInterfaceDecode read = OpcUaInterfaceCodec::decode(payload);
        benchmark::DoNotOptimize(read.interfaces.data());
    }
    state.counters["bytes"] = payload.size();
}

void InterfaceEncode(benchmark::State& state)
{
    const OpcUaInterfaces records = interfaces(int(state.range(0)));
    for (auto _ : state) {
        QByteArray payload = OpcUaInterfaceCodec::encode(records);
        benchmark::DoNotOptimize(payload.data());
    }
}

void SettingsRoundTrip(benchmark::State& state)
{
    OpcUaSettings s;
    for (int i = 0; i < 20; ++i)
        s.users.append({QStringLiteral("user%1").arg(i), QStringLiteral("password%1").arg(i)});
    for (auto _ : state) {
        const OpcUaSettingsDecode read = OpcUaSettingsCodec::decode(OpcUaSettingsCodec::encode(s));
        benchmark::DoNotOptimize(read.reached);
    }
}

} // namespace

BENCHMARK(InterfaceDecode)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(InterfaceEncode)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(SettingsRoundTrip)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
