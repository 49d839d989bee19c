#include "hostfixture.h"

#include <block/blockdecoder.h>
#include <block/paramblock.h>
#include <corekit/memory.h>
#include <corekit/projectqueries.h>
#include <model/cpuobjectfactory.h>
#include <model/slaveregistry.h>
#include <slaves/slavecontrol.h>

#include <QtTest>

namespace {

using Ids = QList<int>;

const QString kEcat = QStringLiteral("ecatslavekit.dll");
const QString kDp = QStringLiteral("dpslavekit.dll");
const QString kQbus = QStringLiteral("qbusslavekit.dll");
const QString kEip = QStringLiteral("eipslavekit.dll");
const QString kCan = QStringLiteral("canslavekit.dll");

// The sections of a block in order; none when it is malformed or has bytes left over.
QList<DecodedSection> sections(const QByteArray& block)
{
    const DecodedBlock decoded = BlockDecoder::decode(block);
    return decoded.ok && decoded.notes.isEmpty() ? decoded.sections : QList<DecodedSection>{};
}

QList<int> sectionIds(const QByteArray& block)
{
    QList<int> ids;
    for (const DecodedSection& section : sections(block))
        ids.append(section.id);
    return ids;
}

QByteArray section(const QByteArray& block, int id)
{
    return sections(block).value(sectionIds(block).indexOf(id)).bytes;
}

QByteArray compiled(CpuObject& object)
{
    QByteArray block;
    QList<int> errors;
    return ParamBlock::compile(object, block, errors) == 0 ? block : QByteArray();
}

} // namespace

// compile, compileOld and recompile, and the full section order of save data.
class TestCompile : public QObject
{
    Q_OBJECT

    std::optional<HostFixture> m_host;
    QString m_project;
    QString m_previousDir;

    std::unique_ptr<CpuObject> create(int id)
    {
        auto cpu = CpuObjectFactory::create(id, m_project);
        CpuObjectFactory::releaseMemory(*cpu);
        return cpu;
    }

    // Every section the model has, with slaves on every bus.
    std::unique_ptr<CpuObject> fullyConfigured(int id)
    {
        auto cpu = create(id);
        const SlaveControl ecat(kEcat);
        const int coupler = ecat.create(3, QStringLiteral("coupler"));
        ecat.addChild(coupler, ecat.create(31));
        cpu->etherCat.enabled = 1;
        SlaveRegistry::insertOrdered(cpu->etherCatSlaves, coupler, kEcat);
        // A second slave with the coupler's node id: reading keeps the block's order.
        const int twin = ecat.create(3);
        ecat.setItems(twin, {{2, 2}});
        SlaveRegistry::insertOrdered(cpu->etherCatSlaves, twin, kEcat);
        cpu->canMasterEnabled = true;
        cpu->canMaster.baudRate = 500;
        SlaveRegistry::appendCan(cpu->canMaster.slaves, SlaveControl(kDp).create(12), kDp);
        cpu->qbus.masterEnabled = 1;
        SlaveRegistry::insertOrdered(cpu->qbus.slaves, SlaveControl(kQbus).create(2), kQbus);
        cpu->eip.enabled = 1;
        SlaveRegistry::insertOrdered(cpu->eip.slaves, SlaveControl(kEip).create(5), kEip);
        cpu->opcUaSettingsData = QByteArray::fromHex("010100");
        cpu->profinet.customName = QStringLiteral("pn-1");
        cpu->extBusClock = 2;
        cpu->hsc[3].preset = 99;
        cpu->soe[1].slot = 1;
        cpu->soe[1].title = QStringLiteral("Fill");
        cpu->soe[1].titleLength = 4;
        cpu->cards[0].type = quint8(CardType::Rtc);
        cpu->cards[0].rtcData = QByteArray(1, 1);
        cpu->localPort.plcAddress = 12;
        return cpu;
    }

private slots:
    void init()
    {
        m_host.emplace();
        m_project = m_host->writeProject(
            QStringLiteral("p.json"),
            QJsonObject{{"plcType", "KLV2-R70"},
                        {"plcVersion", "02.01"},
                        {"hwFileCreatedVersion", 2100},
                        {"dataBlocks", QJsonArray{QJsonObject{{"name", "DB1"}}}}});
        clearUsedMemory(m_project);
        // The host runs in its program folder, where recompile looks for server files.
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_host->home() + QStringLiteral("/bin"));
        for (const QString& kit : {kEcat, kDp, kQbus, kEip})
            SlaveControl(kit).reset();
    }

    void cleanup() { QDir::setCurrent(m_previousDir); }

    void sectionOrderPerModel_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("buses");
        QTest::addColumn<Ids>("ids");

        QTest::newRow("compact") << 0x30 << false << Ids{2, 3, 8, 48, 33, 34, 35, 39, 40};
        QTest::newRow("KLV2 R70") << 0x21 << false << Ids{2, 3, 8, 32, 28, 29, 33, 34, 35};
        QTest::newRow("other model") << 0x10 << false << Ids{2, 3, 8, 32, 33, 34, 35};
        QTest::newRow("KLV2 R60, every bus")
            << 0x22 << true << Ids{2, 3, 22, 8, 25, 32, 28, 29, 33, 34, 35, 49};
        QTest::newRow("compact, every bus")
            << 0x30 << true << Ids{2, 3, 22, 8, 25, 32, 48, 33, 34, 35, 49, 39, 40};
    }

    // Download blocks and save data have the same sections; only the header differs.
    void sectionOrderPerModel()
    {
        QFETCH(int, id);
        QFETCH(bool, buses);
        QFETCH(Ids, ids);
        auto cpu = buses ? fullyConfigured(id) : create(id);
        if (!buses && id != 0x21)
            cpu->opcUaSupported = id == 0x10; // the project's type decides; here by hand
        const QByteArray saved = ParamBlock::save(*cpu);
        QCOMPARE(sectionIds(saved), ids);
        QByteArray block("left over from an earlier call");
        QList<int> errors{1, 2};
        QCOMPARE(ParamBlock::compile(*cpu, block, errors), 0);
        QCOMPARE(sectionIds(block), ids);
        QVERIFY(errors.isEmpty());
        for (int i = 1; !buses && i < ids.size(); ++i) // slave records differ by mode
            QCOMPARE(sections(block).at(i).bytes, sections(saved).at(i).bytes);
        // The old form: header, CPU parameters, the old EtherCAT section when on, expansion.
        QCOMPARE(ParamBlock::compileOld(*cpu, block, errors), 0);
        QCOMPARE(sectionIds(block), (buses ? Ids{2, 3, 22, 8} : Ids{2, 3, 8}));
    }

    // A missing SOE data block stops at the header (without a count byte); slow CAN only
    // leaves the master's payload out.
    void compileErrors()
    {
        auto soe = create(0x21);
        soe->soe[0].slot = 0;
        soe->soe[0].trigger.area = 0x85;
        soe->soe[0].trigger.dbNumber = 9;
        QByteArray block;
        QList<int> errors;
        QCOMPARE(ParamBlock::compile(*soe, block, errors), 1);
        QCOMPARE(errors, Ids{132});
        QCOMPARE(quint8(block.at(5)), quint8(2));
        QVERIFY(sectionIds(block).isEmpty());

        auto can = create(0x21);
        can->canMasterEnabled = true;
        can->canMaster.baudRate = 20;
        for (int i = 0; i < 9; ++i)
            SlaveRegistry::appendCan(can->canMaster.slaves, SlaveControl(kCan).create(i + 1), kCan);
        errors.clear();
        QCOMPARE(ParamBlock::compile(*can, block, errors), 0);
        QCOMPARE(errors, Ids{10});
        QCOMPARE(section(block, 25).size(), 8);
    }

    void recompileRebuildsWhatCompileWrote_data()
    {
        QTest::addColumn<int>("id");
        QTest::newRow("KLV2 R70") << 0x21;
        QTest::newRow("compact") << 0x30;
    }

    void recompileRebuildsWhatCompileWrote()
    {
        QFETCH(int, id);
        auto cpu = fullyConfigured(id);
        const QByteArray block = compiled(*cpu);
        int error = 77;
        auto rebuilt = ParamBlock::recompile(block, m_project, error);
        QVERIFY(rebuilt);
        QCOMPARE(error, 0);
        QCOMPARE(rebuilt->descriptor.ObjID, id);
        if (id == 0x30) {
            // The compact model in PPI mode reports its local port's settings on both ports,
            // and that is what the PLC gives back.
            QCOMPARE(rebuilt->params.port0.plcAddress, quint8(12));
            QCOMPARE(rebuilt->params.port1.baudCode, quint8(cpu->localPort.baudCode + 1));
            rebuilt->params.port0 = cpu->params.port0;
            rebuilt->params.port1 = cpu->params.port1;
        }
        QCOMPARE(rebuilt->params, cpu->params);
        QCOMPARE(compiled(*rebuilt), block); // the same block again
    }

    void recompileFailures_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("error"); // 4242: left as it was

        QTest::newRow("empty block") << "empty" << 4242;
        QTest::newRow("short header") << "short-header" << 4242;
        QTest::newRow("unknown ObjID") << "objid" << 129;
        QTest::newRow("server file missing") << "server-file" << 130;
        QTest::newRow("CPU parameters cut") << "cut-cpu" << -1;
        QTest::newRow("CPU expansion without its byte") << "short-expansion" << -1;
    }

    void recompileFailures()
    {
        QFETCH(QString, change);
        QFETCH(int, error);
        QByteArray block = compiled(*create(0x10));
        const int headerEnd = 1 + int(qFromBigEndian<quint32>(block.constData() + 1));
        if (change == QLatin1String("empty"))
            block.clear();
        else if (change == QLatin1String("short-header"))
            block = block.left(6);
        else if (change == QLatin1String("objid"))
            qToBigEndian(quint32(0x77), block.data() + 9);
        else if (change == QLatin1String("server-file"))
            m_host->removeFile(QStringLiteral("bin/klv1_c40.srv"));
        else if (change == QLatin1String("cut-cpu"))
            block = block.left(headerEnd + 300);
        else if (change == QLatin1String("short-expansion")) {
            QByteArray cut = section(block, 8).left(8);
            qToBigEndian(quint32(8), cut.data());
            block = QByteArray(1, 3) + block.mid(1, headerEnd - 1) + section(block, 3) + cut;
        }
        int got = 4242;
        QVERIFY(!ParamBlock::recompile(block, m_project, got));
        QCOMPARE(got, error);
    }

    void recompileHandsPlcSectionsToTheProject()
    {
        auto cpu = create(0x10);
        cpu->params.background.percent = 17;
        const QByteArray original = compiled(*cpu);
        const QByteArray plcData = QByteArray::fromHex("0000000c0117000001020304");
        const QByteArray other = QByteArray::fromHex("0000000a012400000506");
        const QByteArray block = char(original.at(0) + 2) + original.mid(1) + plcData + other;
        int error = 0;
        auto rebuilt = ParamBlock::recompile(block, m_project, error);
        QVERIFY(rebuilt);
        QCOMPARE(getPrjObjectChildContent(m_project, 184, QString()), plcData);
        QCOMPARE(getPrjObjectChildContent(m_project, 192, QString()), other);
        QCOMPARE(rebuilt->params.background.percent, quint8(17));
        QCOMPARE(sectionIds(compiled(*rebuilt)), sectionIds(original));
    }
};

QTEST_GUILESS_MAIN(TestCompile)
#include "tst_compile.moc"
