#include <model/slaveregistry.h>
#include <slaves/slavecontrol.h>

#include <QtTest>

// The bus registries of the CPU module, with slaves made in the stand-in slave plug-ins.
class TestSlaveRegistry : public QObject
{
    Q_OBJECT

private:
    SlaveControl m_ecat{QStringLiteral("ecatslavekit.dll")};
    SlaveControl m_dp{QStringLiteral("dpslavekit.dll")};
    SlaveControl m_can{QStringLiteral("canslavekit.dll")};

private slots:
    void init()
    {
        QVERIFY(m_ecat.isLoaded() && m_dp.isLoaded() && m_can.isLoaded());
        for (SlaveControl* kit : {&m_ecat, &m_dp, &m_can})
            kit->reset();
    }

    void insertKeepsNodeIdOrder_data()
    {
        QTest::addColumn<QList<int>>("nodeIds");  // in the order the slaves are added
        QTest::addColumn<QList<int>>("expected"); // the insertion indexes, listed in list order

        QTest::newRow("5, 3, 5: a new slave goes before its equals")
            << QList<int>{5, 3, 5} << QList<int>{1, 2, 0};
        QTest::newRow("ascending") << QList<int>{1, 2, 3} << QList<int>{0, 1, 2};
        QTest::newRow("descending") << QList<int>{9, 4, -2} << QList<int>{2, 1, 0};
        QTest::newRow("all equal") << QList<int>{7, 7, 7} << QList<int>{2, 1, 0};
    }

    void insertKeepsNodeIdOrder()
    {
        QFETCH(QList<int>, nodeIds);
        QFETCH(QList<int>, expected);
        QList<int> handles;
        QList<SlaveEntry> list;
        for (int nodeId : nodeIds) {
            handles.append(m_ecat.create(nodeId));
            SlaveRegistry::insertOrdered(list, handles.last(), QStringLiteral("ecatslavekit.dll"));
        }
        QList<int> order;
        for (const SlaveEntry& e : list)
            order.append(handles.indexOf(e.handle));
        QCOMPARE(order, expected);
        // The same handle again changes nothing.
        SlaveRegistry::insertOrdered(list, handles.first(), QStringLiteral("ecatslavekit.dll"));
        QCOMPARE(list.size(), nodeIds.size());
        QVERIFY(list.first().iface.nodeId);
        QCOMPARE(list.first().pluginPath, QStringLiteral("ecatslavekit.dll"));
    }

    void slaveWithoutNodeIdGoesLast()
    {
        QList<SlaveEntry> list;
        SlaveRegistry::insertOrdered(list,
                                     SlaveEntry{77, QStringLiteral("missing.dll"), Interface()});
        SlaveRegistry::insertOrdered(list, m_ecat.create(1000), QStringLiteral("ecatslavekit.dll"));
        QCOMPARE(list.first().pluginPath, QStringLiteral("ecatslavekit.dll"));
        QCOMPARE(list.last().handle, 77);
    }

    void canSlavesAppendWithTheirKind_data()
    {
        QTest::addColumn<QString>("plugin");
        QTest::addColumn<int>("kind");
        QTest::newRow("dp") << "dpslavekit.dll" << 0;
        QTest::newRow("dp in capitals") << "DPSLAVEKIT.DLL" << 0;
        QTest::newRow("dp with a folder") << "/opt/host/bin/dpslavekit.dll" << 0;
        QTest::newRow("can") << "canslavekit.dll" << -1;
        QTest::newRow("similar name") << "dpslavekit2.dll" << -1;
    }

    void canSlavesAppendWithTheirKind()
    {
        QFETCH(QString, plugin);
        QFETCH(int, kind);
        QList<CanNodeEntry> list;
        SlaveRegistry::appendCan(list, 42, plugin);
        SlaveRegistry::appendCan(list, 42, plugin);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.first().kind, kind);
    }

    // A bus that is off and the EtherCAT codes: tst_abi, through the exports.
    void listCodesPerBus()
    {
        QList<SlaveEntry> slaves;
        SlaveRegistry::insertOrdered(slaves, m_ecat.create(2), QStringLiteral("ecatslavekit.dll"));
        QList<int> handles;
        QList<int> codes;
        QCOMPARE(SlaveRegistry::list(slaves, true, SlaveRegistry::QbusCode, handles, codes), 1);
        QCOMPARE(codes, QList<int>{0xFFFF});
        QList<CanNodeEntry> can;
        SlaveRegistry::appendCan(can, 5, QStringLiteral("dpslavekit.dll"));
        SlaveRegistry::appendCan(can, 6, QStringLiteral("canslavekit.dll"));
        QCOMPARE(SlaveRegistry::list(can, true, handles, codes), 2);
        QCOMPARE(codes, (QList<int>{0, -1}));
    }

    void mappingSymbolsFollowTheBuses()
    {
        CpuObject cpu;
        const int e = m_ecat.create(3, QStringLiteral("drive"));
        m_ecat.setItems(e, {{1, 4}, {2, 1}});
        SlaveRegistry::insertOrdered(cpu.etherCatSlaves, e, QStringLiteral("ecatslavekit.dll"));
        const int d = m_dp.create(12, QStringLiteral("valve"));
        m_dp.setItems(d, {{1, 2}});
        SlaveRegistry::appendCan(cpu.canMaster.slaves, d, QStringLiteral("dpslavekit.dll"));

        QList<Symbol> symbols{Symbol{QStringLiteral("kept"), {}, {}, {}, {}, 0}};
        SlaveRegistry::mappingSymbols(cpu, symbols); // both buses off
        QCOMPARE(symbols.size(), 1);
        cpu.etherCat.enabled = 1;
        SlaveRegistry::mappingSymbols(cpu, symbols);
        QCOMPARE(symbols.size(), 3);
        cpu.etherCat.enabled = 0;
        cpu.canMasterEnabled = true;
        SlaveRegistry::mappingSymbols(cpu, symbols);
        QCOMPARE(symbols.size(), 4);
        QCOMPARE(symbols.first().name, QStringLiteral("kept"));
        QCOMPARE(symbols.at(1).name, QStringLiteral("drive_0"));
        QCOMPARE(symbols.last().name, QStringLiteral("valve_0"));
    }
};

QTEST_GUILESS_MAIN(TestSlaveRegistry)
#include "tst_slaveregistry.moc"
