#include "hostfixture.h"

#include <block/canmasterbridge.h>
#include <bytes/bytereader.h>
#include <model/slaveregistry.h>
#include <slaves/slavecontrol.h>

#include <QJsonObject>
#include <QtTest>

namespace {

ByteReader readerOf(const QByteArray& payload)
{
    return ByteReader(payload);
}

} // namespace

// The CANopen master as bytes, with CAN slaves of the stand-in plug-ins.
class TestCanMasterBridge : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void baudRateIndex_data();
    void baudRateIndex();
    void slowBaudLimits_data();
    void slowBaudLimits();
    void downloadPayloadBytes();
    void downloadRebuildFailures_data();
    void downloadRebuildFailures();
    void saveFormBefore2002HasNoCobId();
    void saveFormSkipsWhatNoPluginRestores();

private:
    CanMasterConfig masterWithSlaves(const QList<int>& dpNodes, const QList<int>& canNodes);

    std::unique_ptr<HostFixture> m_host;
    SlaveControl m_dp{QStringLiteral("dpslavekit.dll")};
    SlaveControl m_can{QStringLiteral("canslavekit.dll")};
};

void TestCanMasterBridge::init()
{
    m_host.reset();
    m_host = std::make_unique<HostFixture>();
    QVERIFY(m_dp.isLoaded() && m_can.isLoaded());
    m_dp.reset();
    m_can.reset();
}

CanMasterConfig TestCanMasterBridge::masterWithSlaves(const QList<int>& dpNodes,
                                                      const QList<int>& canNodes)
{
    CanMasterConfig master;
    for (int node : dpNodes)
        SlaveRegistry::appendCan(master.slaves, m_dp.create(node, QStringLiteral("dp%1").arg(node)),
                                 QStringLiteral("dpslavekit.dll"));
    for (int node : canNodes)
        SlaveRegistry::appendCan(master.slaves, m_can.create(node),
                                 QStringLiteral("canslavekit.dll"));
    return master;
}

void TestCanMasterBridge::baudRateIndex_data()
{
    QTest::addColumn<int>("kbps");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("readBack");
    for (auto [kbps, index] :
         {std::pair{1000, 0}, {800, 1}, {500, 2}, {250, 3}, {125, 4}, {50, 6}, {20, 7}, {10, 8}})
        QTest::addRow("%d kbit/s", kbps) << kbps << index << kbps;
    QTest::newRow("100 is not in the table") << 100 << 255 << 1000;
    QTest::newRow("0") << 0 << 255 << 1000;
}

void TestCanMasterBridge::baudRateIndex()
{
    QFETCH(int, kbps);
    QFETCH(int, index);
    QFETCH(int, readBack);
    QCOMPARE(int(CanMasterBridge::baudIndex(kbps)), index);
    QCOMPARE(CanMasterBridge::baudFromIndex(index), readBack);
    QCOMPARE(CanMasterBridge::baudFromIndex(5), 1000); // the reserved index
}

void TestCanMasterBridge::slowBaudLimits_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("slaves");
    QTest::addColumn<int>("dpItems"); // type-1 channels of the first dp slave
    QTest::addColumn<int>("result");

    QTest::newRow("nine slaves at 20 kbit/s") << 20 << 9 << 0 << 1;
    QTest::newRow("eight slaves at 20 kbit/s") << 20 << 8 << 0 << 0;
    QTest::newRow("nine slaves at 50 kbit/s") << 50 << 9 << 0 << 0;
    QTest::newRow("nine items on one dp slave") << 20 << 2 << 9 << 1;
    QTest::newRow("eight items on one dp slave") << 20 << 2 << 8 << 0;
    QTest::newRow("nine items at 125 kbit/s") << 125 << 2 << 9 << 0;
}

void TestCanMasterBridge::slowBaudLimits()
{
    QFETCH(int, baud);
    QFETCH(int, slaves);
    QFETCH(int, dpItems);
    QFETCH(int, result);
    QList<int> nodes;
    for (int i = 0; i < slaves; ++i)
        nodes.append(i + 1);
    CanMasterConfig master = masterWithSlaves(nodes, {});
    master.baudRate = baud;
    // Items of other types do not count.
    m_dp.setItems(master.slaves.first().handle, {{1, dpItems}, {2, 40}});
    QList<int> errors{99};
    QByteArray payload("x");
    QCOMPARE(CanMasterBridge::compile(master, payload, errors), result);
    QCOMPARE(errors, (result ? QList<int>{99, 10} : QList<int>{99}));
    QCOMPARE(payload.size() > 1, result == 0);
}

void TestCanMasterBridge::downloadPayloadBytes()
{
    CanMasterConfig master = masterWithSlaves({9}, {4});
    master.nodeId = 3;
    master.baudRate = 250;
    master.cobId = 0x181;
    master.cyclePeriod = 10000;
    master.heartbeat = 500;
    QByteArray payload;
    QList<int> errors;
    QCOMPARE(CanMasterBridge::compile(master, payload, errors), 0);
    QCOMPARE(payload.left(15).toHex(), QByteArray("03"
                                                  "03"
                                                  "00000181"
                                                  "00002710"
                                                  "01f4"
                                                  "0000"
                                                  "02"));
    // Sorted by node id: the can slave (node 4) first, each record behind length + 2.
    QCOMPARE(master.slaves.first().kind, -1);
    const int first = qFromBigEndian<quint16>(payload.constData() + 15);
    QCOMPARE(quint8(payload.at(17)), quint8(1)); // the record's slave type
    QCOMPARE(quint8(payload.at(15 + first)), quint8(0));
    QCOMPARE(quint8(payload.at(15 + first + 2)), quint8(0));
}

void TestCanMasterBridge::downloadRebuildFailures_data()
{
    QTest::addColumn<QByteArray>("records"); // after a head that announces two slaves
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("slaves");

    QTest::newRow("type 2 has no plug-in") << QByteArray::fromHex("0003"
                                                                  "02")
                                           << 130 << 0;
    QTest::newRow("type 9 has no plug-in") << QByteArray::fromHex("0003"
                                                                  "09")
                                           << 130 << 0;
    QTest::newRow("the plug-in refuses its record") << QByteArray::fromHex("0006"
                                                                           "00020000")
                                                    << 140 << 0;
    QTest::newRow("length below its own bytes") << QByteArray::fromHex("0001"
                                                                       "00")
                                                << 0 << 0;
    QTest::newRow("length beyond the payload") << QByteArray::fromHex("00ff"
                                                                      "00")
                                               << 0 << 0;
    QTest::newRow("announced records missing") << QByteArray() << 0 << 0;
}

void TestCanMasterBridge::downloadRebuildFailures()
{
    QFETCH(QByteArray, records);
    QFETCH(int, result);
    QFETCH(int, slaves);
    const QByteArray payload = QByteArray::fromHex("0100000000800000c35000c8000002") + records;
    CanMasterConfig rebuilt;
    ByteReader in = readerOf(payload);
    QCOMPARE(CanMasterBridge::rebuildFromDownload(in, rebuilt, QString()), result);
    QCOMPARE(rebuilt.slaves.size(), slaves);
    QCOMPARE(rebuilt.cyclePeriod, 50000u);
}

void TestCanMasterBridge::saveFormBefore2002HasNoCobId()
{
    const QString old =
        m_host->writeProject(QStringLiteral("old.json"),
                             QJsonObject{{"plcType", "KLV2-R70"}, {"hwFileCreatedVersion", 2001}});
    // use, node, baud, object id, cycle, heartbeat, then the slave count: no COB ID.
    const QByteArray payload = QByteArray::fromHex("0107"
                                                   "000001f4"
                                                   "00001003"
                                                   "0000c350"
                                                   "00c8"
                                                   "00000000");
    CanMasterConfig rebuilt;
    rebuilt.cobId = 0x77;
    ByteReader in = readerOf(payload);
    CanMasterBridge::rebuildFromSave(in, rebuilt, old);
    QVERIFY(in.atEnd());
    QCOMPARE(rebuilt.nodeId, quint8(7));
    QCOMPARE(rebuilt.baudRate, 500);
    QCOMPARE(rebuilt.cobId, 0x77u);
    QVERIFY(rebuilt.slaves.isEmpty());

    // Written in such a project, the form has no COB ID either, so its slaves come back.
    CanMasterConfig master = masterWithSlaves({3}, {8});
    master.cobId = 0x99;
    const QByteArray written = CanMasterBridge::savePayload(master, old);
    CanMasterConfig again;
    ByteReader back = readerOf(written);
    CanMasterBridge::rebuildFromSave(back, again, old);
    QVERIFY(back.atEnd());
    QCOMPARE(again.slaves.size(), 2);
    QCOMPARE(again.cobId, CanMasterConfig().cobId); // the old form cannot carry it
}

void TestCanMasterBridge::saveFormSkipsWhatNoPluginRestores()
{
    const QString project =
        m_host->writeProject(QStringLiteral("p.json"),
                             QJsonObject{{"plcType", "KLV2-R70"}, {"hwFileCreatedVersion", 2100}});
    CanMasterConfig master = masterWithSlaves({3}, {});
    QByteArray payload = CanMasterBridge::savePayload(master, project);
    // Two more records: one of type 2 (no plug-in), one the dp plug-in cannot read; then a
    // count that promises more than there is.
    payload.replace(20, 4, QByteArray::fromHex("00000005"));
    payload.append(QByteArray::fromHex("00000001"
                                       "02"));
    payload.append(QByteArray::fromHex("00000003"
                                       "000100"));
    CanMasterConfig rebuilt;
    ByteReader in = readerOf(payload);
    CanMasterBridge::rebuildFromSave(in, rebuilt, project);
    QCOMPARE(rebuilt.slaves.size(), 1);
    QCOMPARE(rebuilt.slaves.first().kind, 0);
}

QTEST_GUILESS_MAIN(TestCanMasterBridge)
#include "tst_canmasterbridge.moc"
