// save, restore, compile and recompile of the largest configuration the plug-in builds:
// the compact CPU with every section, slaves on every bus, every SOE slot, both OPC UA
// payloads and two expansion cards; and restore of a small block, where the fixed cost of
// a restore (catalog lookup, host queries) shows.

#include <block/paramblock.h>
#include <model/cpuobjectfactory.h>
#include <model/slaveregistry.h>
#include <slaves/slavecontrol.h>

#include <benchmark/benchmark.h>

#include <QDir>
#include <QLoggingCategory>
#include <QTemporaryDir>

namespace {

constexpr int kEtherCatSlaves = 50; // each with four modules: 250, near the one-byte count
constexpr int kCanSlaves = 100;
constexpr int kQbusSlaves = 64;
constexpr int kEipSlaves = 64;

const QStringList kKits{"ecatslavekit.dll", "dpslavekit.dll", "canslavekit.dll", "qbusslavekit.dll",
                        "eipslavekit.dll"};

struct Fixture
{
    QTemporaryDir dir;
    QString project;
    std::unique_ptr<CpuObject> cpu;

    Fixture()
    {
        qputenv("CORVO_HOST_HOME", QByteArray(CORVO_SAMPLE_HOST_HOME));
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
        QDir::setCurrent(QStringLiteral(CORVO_SAMPLE_HOST_HOME "/bin"));
        project = dir.filePath(QStringLiteral("bench.json"));
        QFile file(project);
        file.open(QIODevice::WriteOnly);
        file.write(
            R"({"plcType": "MRW-Q310", "plcVersion": "02.01", "hwFileCreatedVersion": 2100})");
        file.close();
        cpu = CpuObjectFactory::create(0x30, project);
        cpu->projectPath.clear(); // no compile log in the measured loop

        const SlaveControl ecat(QStringLiteral("ecatslavekit.dll"));
        cpu->etherCat.enabled = 1;
        for (int i = 0; i < kEtherCatSlaves; ++i) {
            const int slave = ecat.create(1000 - i, QStringLiteral("coupler %1").arg(i));
            ecat.setItems(slave, {{1, 8}, {2, 4}, {3, 2}});
            for (int c = 0; c < 4; ++c)
                ecat.addChild(slave, ecat.create(10000 + i * 4 + c));
            SlaveRegistry::insertOrdered(cpu->etherCatSlaves, slave,
                                         QStringLiteral("ecatslavekit.dll"));
        }
        cpu->canMasterEnabled = true;
        cpu->canMaster.baudRate = 500;
        const SlaveControl dp(QStringLiteral("dpslavekit.dll"));
        for (int i = 0; i < kCanSlaves; ++i)
            SlaveRegistry::appendCan(cpu->canMaster.slaves, dp.create(i + 2),
                                     QStringLiteral("dpslavekit.dll"));
        const SlaveControl qbus(QStringLiteral("qbusslavekit.dll"));
        cpu->qbus.masterEnabled = 1;
        for (int i = 0; i < kQbusSlaves; ++i)
            SlaveRegistry::insertOrdered(cpu->qbus.slaves, qbus.create(i),
                                         QStringLiteral("qbusslavekit.dll"));
        const SlaveControl eip(QStringLiteral("eipslavekit.dll"));
        cpu->eip.enabled = 1;
        for (int i = 0; i < kEipSlaves; ++i)
            SlaveRegistry::insertOrdered(cpu->eip.slaves, eip.create(i),
                                         QStringLiteral("eipslavekit.dll"));
        for (int i = 0; i < SoeRecord::SlotCount; ++i) {
            cpu->soe[size_t(i)].slot = quint8(i);
            cpu->soe[size_t(i)].title = QString(200, QLatin1Char('t'));
        }
        cpu->opcUaSupported = true;
        cpu->opcUaSettingsData = QByteArray(4096, 's');
        cpu->opcUaInterfaceData = QByteArray(256 * 1024, 'i');
        cpu->cards[0].type = quint8(CardType::Dix06);
        cpu->cards[1].type = quint8(CardType::Amx05);
        cpu->cards[1].amx05.inputs = {AnalogChannel{}, AnalogChannel{}};
        cpu->cards[1].amx05.outputs = {AnalogChannel{}};
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// Slaves that a restore or recompile made are the host's to release; here, all of them
// beyond the fixture's own.
void releaseRebuiltSlaves(const QList<int>& keep)
{
    for (const QString& kit : kKits) {
        const SlaveControl control(kit);
        for (int handle : control.handles()) {
            if (!keep.contains(handle))
                control.release(handle);
        }
    }
}

QList<int> fixtureSlaves()
{
    QList<int> all;
    for (const QString& kit : kKits)
        all += SlaveControl(kit).handles();
    return all;
}

// Counts the slaves a rebuild brought back, then releases the object and those slaves
// (outside the measured time).
void dropRebuilt(benchmark::State& state, std::unique_ptr<CpuObject> object, const QList<int>& keep)
{
    state.counters["slaves"] =
        double(object->etherCatSlaves.size() + object->canMaster.slaves.size() +
               object->qbus.slaves.size() + object->eip.slaves.size());
    object.reset();
    releaseRebuiltSlaves(keep);
}

void BM_Save(benchmark::State& state)
{
    CpuObject& cpu = *fixture().cpu;
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray data = ParamBlock::save(cpu);
        bytes = data.size();
        benchmark::DoNotOptimize(data.constData());
    }
    state.counters["block_bytes"] = double(bytes);
}

void BM_Restore(benchmark::State& state)
{
    const QByteArray data = ParamBlock::save(*fixture().cpu);
    const QList<int> keep = fixtureSlaves();
    for (auto _ : state) {
        auto object = ParamBlock::restore(data, fixture().project, false);
        benchmark::DoNotOptimize(object.get());
        state.PauseTiming();
        dropRebuilt(state, std::move(object), keep);
        state.ResumeTiming();
    }
}

// A fresh KLV2 R70 without slaves: the save data a host restores most often.
void BM_RestoreSmall(benchmark::State& state)
{
    const QString project = fixture().project; // also points the host at the sample data
    const auto cpu = CpuObjectFactory::create(0x21, QString());
    if (!cpu) {
        state.SkipWithError("no catalog entry");
        return;
    }
    const QByteArray data = ParamBlock::save(*cpu);
    for (auto _ : state) {
        auto object = ParamBlock::restore(data, project, false);
        benchmark::DoNotOptimize(object.get());
    }
    state.counters["block_bytes"] = double(data.size());
}

void BM_Compile(benchmark::State& state)
{
    CpuObject& cpu = *fixture().cpu;
    QByteArray block;
    QList<int> errors;
    for (auto _ : state) {
        ParamBlock::compile(cpu, block, errors);
        benchmark::DoNotOptimize(block.constData());
    }
    state.counters["block_bytes"] = double(block.size());
}

void BM_Recompile(benchmark::State& state)
{
    QByteArray block;
    QList<int> errors;
    ParamBlock::compile(*fixture().cpu, block, errors);
    const QList<int> keep = fixtureSlaves();
    for (auto _ : state) {
        int error = 0;
        auto object = ParamBlock::recompile(block, QString(), error);
        if (!object) {
            state.SkipWithError("recompile failed");
            break;
        }
        benchmark::DoNotOptimize(object.get());
        state.PauseTiming();
        dropRebuilt(state, std::move(object), keep);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_Save)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Restore)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RestoreSmall)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Compile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Recompile)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
