#include "hostfixture.h"

#include <block/canmasterbridge.h>
#include <bytes/bytereader.h>
#include <model/slaveregistry.h>
#include <slaves/slavecontrol.h>

#include <QJsonObject>
#include <QtTest>

// The CANopen master as bytes, with CAN slaves of the stand-in plug-ins.
class TestCanMasterBridge : public QObject
{
    Q_OBJECT

private:
    CanMasterConfig masterWithSlaves(const QList<int>& dpNodes, const QList<int>& canNodes)
    {
        CanMasterConfig master;
        for (int node : dpNodes)
            SlaveRegistry::appendCan(master.slaves,
                                     m_dp.create(node, QStringLiteral("dp%1").arg(node)),
                                     QStringLiteral("dpslavekit.dll"));
        for (int node : canNodes)
            SlaveRegistry::appendCan(master.slaves, m_can.create(node),
                                     QStringLiteral("canslavekit.dll"));
        return master;
    }

    std::optional<HostFixture> m_host;
    SlaveControl m_dp{QStringLiteral("dpslavekit.dll")};
    SlaveControl m_can{QStringLiteral("canslavekit.dll")};

private slots:
    void init()
    {
        m_host.emplace();
        QVERIFY(m_dp.isLoaded() && m_can.isLoaded());
        m_dp.reset();
        m_can.reset();
    }

    void baudRateIndexes()
    {
        QList<int> indexes;
        for (int kbps : {1000, 800, 500, 250, 125, 50, 20, 10}) {
            indexes.append(CanMasterBridge::baudIndex(kbps));
            QCOMPARE(CanMasterBridge::baudFromIndex(indexes.last()), kbps);
        }
        QCOMPARE(indexes, (QList<int>{0, 1, 2, 3, 4, 6, 7, 8}));
        QCOMPARE(int(CanMasterBridge::baudIndex(100)), 255); // not listed
        QCOMPARE(CanMasterBridge::baudFromIndex(255), 1000);
        QCOMPARE(CanMasterBridge::baudFromIndex(5), 1000); // the reserved index
    }

    void slowBaudLimits_data()
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

    void slowBaudLimits()
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

    void downloadPayloadBytes()
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
        QCOMPARE(payload.left(15).toHex(), QByteArray("0303000001810000271001f4000002"));
        // Sorted by node id: the can slave (node 4) first, each record behind length + 2.
        QCOMPARE(master.slaves.first().kind, -1);
        const int first = qFromBigEndian<quint16>(payload.constData() + 15);
        QCOMPARE(quint8(payload.at(17)), quint8(1)); // the record's slave type
        QCOMPARE(quint8(payload.at(15 + first)), quint8(0));
        QCOMPARE(quint8(payload.at(15 + first + 2)), quint8(0));
    }

    void downloadRebuildFailures_data()
    {
        QTest::addColumn<QByteArray>("records"); // after a head that announces two slaves
        QTest::addColumn<int>("result");

        QTest::newRow("type 2 has no plug-in") << QByteArray::fromHex("000302") << 130;
        QTest::newRow("the plug-in refuses its record")
            << QByteArray::fromHex("000600020000") << 140;
        QTest::newRow("length below its own bytes") << QByteArray::fromHex("000100") << 0;
        QTest::newRow("length beyond the payload") << QByteArray::fromHex("00ff00") << 0;
        QTest::newRow("announced records missing") << QByteArray() << 0;
    }

    void downloadRebuildFailures()
    {
        QFETCH(QByteArray, records);
        QFETCH(int, result);
        const QByteArray payload = QByteArray::fromHex("0100000000800000c35000c8000002") + records;
        CanMasterConfig rebuilt;
        ByteReader in(payload);
        QCOMPARE(CanMasterBridge::rebuildFromDownload(in, rebuilt, QString()), result);
        QVERIFY(rebuilt.slaves.isEmpty());
        QCOMPARE(rebuilt.cyclePeriod, 50000u);
    }

    void saveFormBefore2002HasNoCobId()
    {
        const QString old = m_host->writeProject(
            QStringLiteral("old.json"),
            QJsonObject{{"plcType", "KLV2-R70"}, {"hwFileCreatedVersion", 2001}});
        // use, node, baud, object id, cycle, heartbeat, then the slave count: no COB ID.
        const QByteArray payload = QByteArray::fromHex("0107000001f4000010030000c35000c800000000");
        CanMasterConfig rebuilt;
        rebuilt.cobId = 0x77;
        ByteReader in(payload);
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
        ByteReader back(written);
        CanMasterBridge::rebuildFromSave(back, again, old);
        QVERIFY(back.atEnd());
        QCOMPARE(again.slaves.size(), 2);
        QCOMPARE(again.cobId, CanMasterConfig().cobId); // the old form cannot carry it

        // The dump tells the two forms apart by the records that fill the section.
        const QString current =
            m_host->writeProject(QStringLiteral("new.json"), QStringLiteral("KLV2-R70"));
        for (const QString& project : {old, current}) {
            ByteReader form(CanMasterBridge::savePayload(master, project));
            QList<DumpField> fields;
            CanMasterBridge::dumpSave(form, fields);
            QStringList shown;
            for (const DumpField& f : fields) {
                if (f.name == "COB ID" || f.name == "slave count")
                    shown << f.name + '=' + f.value;
            }
            const QStringList expected{"COB ID=153", "slave count=2"};
            QCOMPARE(shown, project == old ? QStringList(expected.mid(1)) : expected);
        }
    }

    void saveFormSkipsWhatNoPluginRestores()
    {
        const QString project =
            m_host->writeProject(QStringLiteral("p.json"), QStringLiteral("KLV2-R70"));
        CanMasterConfig master = masterWithSlaves({3}, {});
        QByteArray payload = CanMasterBridge::savePayload(master, project);
        // Two more records: one of type 2 (no plug-in), one the dp plug-in cannot read; then a
        // count that promises more than there is.
        payload.replace(20, 4, QByteArray::fromHex("00000005"));
        payload.append(QByteArray::fromHex("0000000102"));
        payload.append(QByteArray::fromHex("00000003000100"));
        CanMasterConfig rebuilt;
        ByteReader in(payload);
        CanMasterBridge::rebuildFromSave(in, rebuilt, project);
        QCOMPARE(rebuilt.slaves.size(), 1);
        QCOMPARE(rebuilt.slaves.first().kind, 0);
    }
};

QTEST_GUILESS_MAIN(TestCanMasterBridge)
#include "tst_canmasterbridge.moc"
