#include "hostfixture.h"

#include <block/blockinspector.h>
#include <block/bytereader.h>
#include <block/paramblock.h>
#include <corekit/memory.h>
#include <corekit/projectqueries.h>
#include <plugin/cpuobjectfactory.h>
#include <plugin/slaveregistry.h>
#include <slaves/slavecontrol.h>

#include <QtTest>

namespace {

QList<int> sectionIds(const QByteArray& block)
{
    QList<int> ids;
    ByteReader in(block);
    quint8 count = 0;
    in.u8(count);
    for (int i = 0; i < count; ++i) {
        quint32 length = 0;
        if (!in.sub(4).u32(length) || length < 8 || length > quint32(in.remaining()))
            return {};
        ids.append(quint8(block.at(in.pos() + 5)));
        in.skip(int(length));
    }
    return in.atEnd() ? ids : QList<int>{};
}

QByteArray section(const QByteArray& block, int wanted)
{
    ByteReader in(block);
    quint8 count = 0;
    in.u8(count);
    for (int i = 0; i < count; ++i) {
        quint32 length = 0;
        in.sub(4).u32(length);
        if (quint8(block.at(in.pos() + 5)) == wanted)
            return block.mid(in.pos(), int(length));
        in.skip(int(length));
    }
    return {};
}

} // namespace

// compile, compileOld and recompile, and the full section order of save data.
class TestCompile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void sectionOrderPerModel_data();
    void sectionOrderPerModel();
    void compileMatchesSaveButTheHeader();
    void compileErrors_data();
    void compileErrors();
    void compileOldWritesFourSections();
    void recompileRebuildsWhatCompileWrote_data();
    void recompileRebuildsWhatCompileWrote();
    void recompileFailures_data();
    void recompileFailures();
    void recompileHandsPlcSectionsToTheProject();

private:
    std::unique_ptr<CpuObject> create(int id);
    std::unique_ptr<CpuObject> fullyConfigured(int id);

    std::unique_ptr<HostFixture> m_host;
    QString m_project;
    QString m_previousDir;
};

void TestCompile::init()
{
    m_host.reset();
    m_host = std::make_unique<HostFixture>();
    m_project =
        m_host->writeProject(QStringLiteral("p.json"),
                             QJsonObject{{"plcType", "KLV2-R70"},
                                         {"plcVersion", "02.01"},
                                         {"hwFileCreatedVersion", 2100},
                                         {"dataBlocks", QJsonArray{QJsonObject{{"name", "DB1"}}}}});
    clearUsedMemory(m_project);
    // The host runs in its program folder, where recompile looks for server files.
    m_previousDir = QDir::currentPath();
    QDir::setCurrent(m_host->home() + QStringLiteral("/bin"));
    for (const char* kit :
         {"ecatslavekit.dll", "dpslavekit.dll", "qbusslavekit.dll", "eipslavekit.dll"})
        SlaveControl(QString::fromLatin1(kit)).reset();
}

void TestCompile::cleanup()
{
    QDir::setCurrent(m_previousDir);
}

std::unique_ptr<CpuObject> TestCompile::create(int id)
{
    auto cpu = CpuObjectFactory::create(id, m_project);
    if (cpu)
        CpuObjectFactory::releaseMemory(*cpu);
    return cpu;
}

// Every section the model has, with slaves on every bus.
std::unique_ptr<CpuObject> TestCompile::fullyConfigured(int id)
{
    auto cpu = create(id);
    cpu->etherCat.enabled = 1;
    const SlaveControl ecat(QStringLiteral("ecatslavekit.dll"));
    const int coupler = ecat.create(3, QStringLiteral("coupler"));
    ecat.addChild(coupler, ecat.create(31));
    SlaveRegistry::insertOrdered(cpu->etherCatSlaves, coupler, QStringLiteral("ecatslavekit.dll"));
    cpu->canMasterEnabled = true;
    cpu->canMaster.baudRate = 500;
    const SlaveControl dp(QStringLiteral("dpslavekit.dll"));
    SlaveRegistry::appendCan(cpu->canMaster.slaves, dp.create(12),
                             QStringLiteral("dpslavekit.dll"));
    cpu->qbus.masterEnabled = 1;
    SlaveRegistry::insertOrdered(cpu->qbus.slaves,
                                 SlaveControl(QStringLiteral("qbusslavekit.dll")).create(2),
                                 QStringLiteral("qbusslavekit.dll"));
    cpu->eip.enabled = 1;
    SlaveRegistry::insertOrdered(cpu->eip.slaves,
                                 SlaveControl(QStringLiteral("eipslavekit.dll")).create(5),
                                 QStringLiteral("eipslavekit.dll"));
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

void TestCompile::sectionOrderPerModel_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("buses");
    QTest::addColumn<QList<int>>("sections");

    QTest::newRow("compact") << 0x30 << false << QList<int>{2, 3, 8, 48, 33, 34, 35, 39, 40};
    QTest::newRow("KLV2 R70") << 0x21 << false << QList<int>{2, 3, 8, 32, 28, 29, 33, 34, 35};
    QTest::newRow("other model") << 0x10 << false << QList<int>{2, 3, 8, 32, 33, 34, 35};
    QTest::newRow("KLV2 R60, every bus")
        << 0x22 << true << QList<int>{2, 3, 22, 8, 25, 32, 28, 29, 33, 34, 35, 49};
    QTest::newRow("compact, every bus")
        << 0x30 << true << QList<int>{2, 3, 22, 8, 25, 32, 48, 33, 34, 35, 49, 39, 40};
}

void TestCompile::sectionOrderPerModel()
{
    QFETCH(int, id);
    QFETCH(bool, buses);
    QFETCH(QList<int>, sections);
    auto cpu = buses ? fullyConfigured(id) : create(id);
    if (!buses && id != 0x21)
        cpu->opcUaSupported = id == 0x10; // the project's type decides; here by hand
    const QByteArray saved = ParamBlock::save(*cpu);
    QCOMPARE(sectionIds(saved), sections);
    QByteArray block;
    QList<int> errors;
    QCOMPARE(ParamBlock::compile(*cpu, block, errors), 0);
    QCOMPARE(sectionIds(block), sections);
    QVERIFY(errors.isEmpty());
}

void TestCompile::compileMatchesSaveButTheHeader()
{
    auto cpu = create(0x21);
    cpu->descriptor.comment = QStringLiteral("twelve bytes");
    QByteArray block("left over from an earlier call");
    QList<int> errors{1, 2};
    QCOMPARE(ParamBlock::compile(*cpu, block, errors), 0);
    QVERIFY(errors.isEmpty());
    const QByteArray saved = ParamBlock::save(*cpu);
    QCOMPARE(saved.size() - block.size(), 9 + 12);
    QCOMPARE(section(block, 2).size() + 9 + 12, section(saved, 2).size());
    for (int id : {3, 8, 28, 29, 32, 33, 34, 35})
        QCOMPARE(section(block, id), section(saved, id));
}

void TestCompile::compileErrors_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("result");
    QTest::addColumn<QList<int>>("errors");

    QTest::newRow("SOE names a missing data block") << "soe-db9" << 1 << QList<int>{132};
    QTest::newRow("SOE names an existing data block") << "soe-db1" << 0 << QList<int>{};
    QTest::newRow("retentive too large") << "retentive" << 0 << QList<int>{8};
    QTest::newRow("nine CAN slaves at 20 kbit/s") << "can-slow" << 0 << QList<int>{10};
}

void TestCompile::compileErrors()
{
    QFETCH(QString, setup);
    QFETCH(int, result);
    QFETCH(QList<int>, errors);
    auto cpu = create(0x21);
    if (setup.startsWith(QLatin1String("soe"))) {
        cpu->soe[0].slot = 0;
        cpu->soe[0].trigger.area = 0x85;
        cpu->soe[0].trigger.dbNumber = setup.endsWith(QLatin1Char('9')) ? 9 : 1;
    } else if (setup == QLatin1String("retentive")) {
        cpu->params.retentive[0].typeCode = 6;
        cpu->params.retentive[0].count = 40000;
    } else {
        cpu->canMasterEnabled = true;
        cpu->canMaster.baudRate = 20;
        const SlaveControl can(QStringLiteral("canslavekit.dll"));
        for (int i = 0; i < 9; ++i)
            SlaveRegistry::appendCan(cpu->canMaster.slaves, can.create(i + 1),
                                     QStringLiteral("canslavekit.dll"));
    }
    QByteArray block;
    QList<int> got;
    QCOMPARE(ParamBlock::compile(*cpu, block, got), result);
    QCOMPARE(got, errors);
    if (result == 1) // only the header stands, without a count byte
        QCOMPARE(quint8(block.at(5)), quint8(2));
    else
        QVERIFY(!sectionIds(block).isEmpty());
    if (setup == QLatin1String("can-slow"))
        QCOMPARE(section(block, 25).size(), 8); // the master's payload is left out
}

void TestCompile::compileOldWritesFourSections()
{
    auto cpu = fullyConfigured(0x21);
    QByteArray block;
    QList<int> errors;
    QCOMPARE(ParamBlock::compileOld(*cpu, block, errors), 0);
    QCOMPARE(sectionIds(block), (QList<int>{2, 3, 22, 8}));
    cpu->etherCat.enabled = 0;
    QCOMPARE(ParamBlock::compileOld(*cpu, block, errors), 0);
    QCOMPARE(sectionIds(block), (QList<int>{2, 3, 8}));
}

void TestCompile::recompileRebuildsWhatCompileWrote_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("KLV2 R70") << 0x21;
    QTest::newRow("compact") << 0x30;
}

void TestCompile::recompileRebuildsWhatCompileWrote()
{
    QFETCH(int, id);
    auto cpu = fullyConfigured(id);
    QByteArray block;
    QList<int> errors;
    QCOMPARE(ParamBlock::compile(*cpu, block, errors), 0);
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
    for (int i = 0; i < 16; ++i)
        QCOMPARE(rebuilt->soe[size_t(i)].isUsed(), cpu->soe[size_t(i)].isUsed());
    QCOMPARE(rebuilt->soe[1].title, QStringLiteral("Fill"));
    QCOMPARE(rebuilt->extBusClock, quint8(2));
    QCOMPARE(rebuilt->inputFilterCodes, cpu->inputFilterCodes);
    QCOMPARE(rebuilt->etherCatSlaves.size(), 1);
    QCOMPARE(rebuilt->canMaster.slaves.size(), 1);
    QCOMPARE(rebuilt->canMaster.baudRate, 500);
    QCOMPARE(rebuilt->qbus.slaves.size(), 1);
    QCOMPARE(rebuilt->eip.slaves.size(), 1);
    QCOMPARE(rebuilt->profinet.customName, QStringLiteral("pn-1"));
    QCOMPARE(rebuilt->opcUaSettingsData, cpu->opcUaSettingsData);
    if (id == 0x30) {
        QCOMPARE(rebuilt->cards[0].rtcData, QByteArray(1, 1));
        QCOMPARE(rebuilt->localPort, cpu->localPort);
    } else {
        QCOMPARE(rebuilt->hsc[3].preset, 99u);
    }
    // Compiling the rebuilt object gives the same block again.
    rebuilt->params = cpu->params;
    QByteArray again;
    QCOMPARE(ParamBlock::compile(*rebuilt, again, errors), 0);
    if (again != block) {
        for (const QString& line : BlockInspector::differences(BlockInspector::inspect(block),
                                                               BlockInspector::inspect(again)))
            qWarning() << line;
    }
    QCOMPARE(again, block);
}

void TestCompile::recompileFailures_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("errorSet");
    QTest::addColumn<int>("error");

    QTest::newRow("empty block") << "empty" << false << 0;
    QTest::newRow("short header") << "short-header" << false << 0;
    QTest::newRow("unknown ObjID") << "objid" << true << 129;
    QTest::newRow("server file missing") << "server-file" << true << 130;
    QTest::newRow("CPU parameters cut") << "cut-cpu" << true << -1;
    QTest::newRow("CPU expansion without its byte") << "short-expansion" << true << -1;
}

void TestCompile::recompileFailures()
{
    QFETCH(QString, change);
    QFETCH(bool, errorSet);
    QFETCH(int, error);
    auto cpu = create(0x10);
    QByteArray block;
    QList<int> errors;
    ParamBlock::compile(*cpu, block, errors);
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
        const QByteArray expansion = section(block, 8);
        QByteArray cut = expansion.left(8);
        qToBigEndian(quint32(8), cut.data());
        block = QByteArray(1, 3) + block.mid(1, headerEnd - 1) + section(block, 3) + cut;
    }
    int got = 4242;
    QVERIFY(!ParamBlock::recompile(block, m_project, got));
    QCOMPARE(got, errorSet ? error : 4242);
}

void TestCompile::recompileHandsPlcSectionsToTheProject()
{
    auto cpu = create(0x10);
    cpu->params.background.percent = 17;
    QByteArray block;
    QList<int> errors;
    ParamBlock::compile(*cpu, block, errors);
    const QByteArray plcData = QByteArray::fromHex("0000000c0117000001020304");
    const QByteArray other = QByteArray::fromHex("0000000a0124000005060000");
    block[0] = char(quint8(block.at(0)) + 2);
    block += plcData + other.left(10);
    int error = 0;
    auto rebuilt = ParamBlock::recompile(block, m_project, error);
    QVERIFY(rebuilt);
    QCOMPARE(getPrjObjectChildContent(m_project, 184, QString()), plcData);
    QCOMPARE(getPrjObjectChildContent(m_project, 192, QString()), other.left(10));
    QCOMPARE(rebuilt->params.background.percent, quint8(17));
    QByteArray again;
    ParamBlock::compile(*rebuilt, again, errors);
    QCOMPARE(sectionIds(again),
             sectionIds(block.left(block.size() - 22)
                            .replace(0, 1, QByteArray(1, char(quint8(block.at(0)) - 2)))));
}

QTEST_GUILESS_MAIN(TestCompile)
#include "tst_compile.moc"
