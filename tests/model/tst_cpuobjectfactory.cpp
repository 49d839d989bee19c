#include "hostfixture.h"

#include <corekit/memory.h>
#include <model/cpuobjectfactory.h>

#include <QtTest>

namespace {

QJsonObject testModel(int inputs, int outputs, const QJsonArray& retentive = {},
                      const QJsonArray& names = {"TEST-PLC", "R70", "KLV2 R70-500P"},
                      int inputBytes = 4, int outputBytes = 4)
{
    return QJsonObject{{"names", names},
                       {"opcUa", false},
                       {"addrRanges", QJsonObject{{"LocalI", inputs},
                                                  {"LocalQ", outputs},
                                                  {"I", inputBytes},
                                                  {"Q", outputBytes}}},
                       {"defaultRetentive", retentive}};
}

} // namespace

class TestCpuObjectFactory : public QObject
{
    Q_OBJECT

private:
    QString projectFor(const QString& plcType)
    {
        const QString path = m_host->writeProject(QStringLiteral("p.json"), plcType);
        clearUsedMemory(path);
        return path;
    }

    std::optional<HostFixture> m_host;

private slots:
    void init() { m_host.emplace(); }

    // The local I/O the catalog gives a model is claimed at creation and given back on
    // release; the project's type decides OPC UA.
    void modelDefaults_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("plcType");
        QTest::addColumn<int>("inputs");
        QTest::addColumn<int>("outputs");
        QTest::addColumn<bool>("opcUa");

        QTest::newRow("R70") << 0x21 << "KLV2-R70" << 16 << 16 << true;
        QTest::newRow("R60") << 0x22 << "KLV2-R60" << 14 << 10 << true;
        QTest::newRow("compact") << 0x30 << "MRW-Q310" << 24 << 16 << false;
        QTest::newRow("id 3") << 3 << "KLV1-C24" << 14 << 10 << false;
        QTest::newRow("no local I/O") << 0x10 << "KLV1-C40" << 0 << 0 << false;
    }

    void modelDefaults()
    {
        QFETCH(int, id);
        QFETCH(QString, plcType);
        QFETCH(int, inputs);
        QFETCH(int, outputs);
        QFETCH(bool, opcUa);
        const QString project = projectFor(plcType);
        const auto cpu = CpuObjectFactory::create(id, project);
        QVERIFY(cpu);
        QCOMPARE(int(cpu->descriptor.inMap.points), inputs);
        QCOMPARE(int(cpu->descriptor.outMap.points), outputs);
        QCOMPARE(int(cpu->inputFilterCount), inputs);
        QCOMPARE(cpu->opcUaSupported, opcUa);
        QList<MemoryClaim> expected;
        if (inputs)
            expected.append({129, 0, (inputs + 7) / 8, false, true});
        if (outputs)
            expected.append({130, 0, (outputs + 7) / 8, false, true});
        QCOMPARE(getUsedMemory(project), expected);
        CpuObjectFactory::releaseMemory(*cpu);
        QVERIFY(getUsedMemory(project).isEmpty());
    }

    void filterCodesFollowInputCount_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("inputs");
        QTest::addColumn<QByteArray>("codes");

        QTest::newRow("9 inputs grouped") << 0x21 << 9 << QByteArray(2, char(0x66));
        QTest::newRow("8 inputs grouped") << 0x21 << 8 << QByteArray(1, char(0x66));
        QTest::newRow("no inputs") << 0x21 << 0 << QByteArray();
        QTest::newRow("compact 24") << 0x30 << 24 << QByteArray(12, char(0xDD));
        QTest::newRow("compact 7") << 0x30 << 7 << QByteArray(4, char(0xDD));
        QTest::newRow("more than a byte of points") << 0x21 << 300 << QByteArray(32, char(0x66));
    }

    void filterCodesFollowInputCount()
    {
        QFETCH(int, id);
        QFETCH(int, inputs);
        QFETCH(QByteArray, codes);
        const QString mlfb = id == 0x30 ? "MRW-Q310-24T" : "KLV2 R70-500P"; // its catalog entry
        m_host->setPlcModel(mlfb, testModel(inputs, 0, {}, {mlfb}, 64));
        const auto cpu = CpuObjectFactory::create(id, projectFor(QStringLiteral("KLV2-R70")));
        QVERIFY(cpu);
        QCOMPARE(cpu->inputFilterCodes, codes);
        QCOMPARE(int(cpu->inputFilterCount), qMin(inputs, 255)); // points are one byte
        CpuObjectFactory::releaseMemory(*cpu);
    }

    void retentiveDefaultsFromHost()
    {
        QJsonArray list;
        list.append(QJsonObject{{"area", "VW"}, {"start", 100}, {"length", 5}});
        list.append(QJsonObject{{"area", "T"}, {"start", 7}, {"length", 3}});
        list.append(QJsonObject{{"area", "MD"}, {"start", 2}, {"length", 1}});
        list.append(QJsonObject{{"area", "XX"}, {"start", 9}, {"length", 4}});
        for (int i = 0; i < 3; ++i)
            list.append(QJsonObject{{"area", "C"}, {"start", i}, {"length", 1}});
        m_host->setPlcModel(QStringLiteral("R70"), testModel(0, 0, list));
        const auto cpu = CpuObjectFactory::create(0x21, projectFor(QStringLiteral("KLV2-R70")));
        QVERIFY(cpu);
        // VW 100, 5: word type, V area, block 1, bit address 800; timers keep the element number;
        // an unknown area name has no type; the seventh entry is ignored.
        const std::array<RetentiveRange, 6> expected{{{0x0E06, 0, 0x10, 4, 5, 1, 0x84, 800},
                                                      {0x0E06, 256, 0x10, 0x1F, 3, 0, 0x1F, 7},
                                                      {0x0E06, 512, 0x10, 6, 1, 0, 0x83, 16},
                                                      {0x0E06, 768, 0x10, 0, 4, 0, 0, 9},
                                                      {0x0E06, 1024, 0x10, 0x1E, 1, 0, 0x1E, 0},
                                                      {0x0E06, 1280, 0x10, 0x1E, 1, 0, 0x1E, 1}}};
        QVERIFY(cpu->params.retentive == expected);
    }

    void creationFailuresLeaveNothingClaimed_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("setup");

        QTest::newRow("unknown id") << 0x77 << "";
        QTest::newRow("needs a newer host") << 0x40 << "";
        QTest::newRow("server file missing") << 0x21 << "remove-server-file";
        QTest::newRow("inputs in use") << 0x21 << "claim-input";
        QTest::newRow("outputs in use") << 0x21 << "claim-output";
        QTest::newRow("outputs beyond the area") << 0x21 << "tiny-output-area";
    }

    void creationFailuresLeaveNothingClaimed()
    {
        QFETCH(int, id);
        QFETCH(QString, setup);
        const QString project = projectFor(QStringLiteral("KLV2-R70"));
        if (setup == QLatin1String("remove-server-file"))
            m_host->removeFile(QStringLiteral("hwcnfg/9/klv2_r70.srv"));
        if (setup == QLatin1String("claim-input"))
            QCOMPARE(getMemory(project, 129, 1, 1), int(MemoryOk));
        if (setup == QLatin1String("claim-output"))
            QCOMPARE(getMemory(project, 130, 1, 1), int(MemoryOk));
        if (setup == QLatin1String("tiny-output-area"))
            m_host->setPlcModel(QStringLiteral("R70"),
                                testModel(16, 16, {}, {"KLV2-R70", "R70"}, 4, 1));
        const auto before = getUsedMemory(project);
        QVERIFY(!CpuObjectFactory::create(id, project));
        QCOMPARE(getUsedMemory(project), before); // someone else's claims stay, ours are gone
    }
};

QTEST_GUILESS_MAIN(TestCpuObjectFactory)
#include "tst_cpuobjectfactory.moc"
