#include "hostfixture.h"

#include <block/customnamesection.h>
#include <block/ethercatsection.h>
#include <block/extcardsection.h>
#include <block/hscsection.h>
#include <block/inputfiltersection.h>
#include <block/localportsection.h>
#include <block/opcuasection.h>
#include <block/slavelistsection.h>
#include <model/slaveregistry.h>
#include <slaves/slavecontrol.h>

#include <QtTest>

namespace {

const QString kEcat = QStringLiteral("ecatslavekit.dll");
const QString kQbus = QStringLiteral("qbusslavekit.dll");

QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

template <typename Read>
bool readInto(CpuObject& object, const QByteArray& section, Read read)
{
    ByteReader in(section);
    return read(object, in);
}

} // namespace

// The sections after the CPU parameters, one by one.
class TestBusSections : public QObject
{
    Q_OBJECT

    std::optional<HostFixture> m_host;
    SlaveControl m_ecat{kEcat};
    SlaveControl m_qbus{kQbus};
    QString m_project;

private slots:
    void init()
    {
        m_host.emplace();
        m_project = m_host->writeProject(QStringLiteral("line/p.json"), QStringLiteral("KLV2-R70"));
        QVERIFY(m_ecat.isLoaded() && m_qbus.isLoaded());
        m_ecat.reset();
        m_qbus.reset();
    }

    // The records round trip in the random save/restore and the recompile identity; here
    // what those cannot see: children counted, names left out of download blocks, copies.
    void etherCatSlaveRecords_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("clone");
        QTest::addColumn<QString>("name");
        QTest::newRow("save data") << int(WriteMode::Save) << false << "coupler";
        QTest::newRow("save data, clone") << int(WriteMode::Save) << true << "coupler (copy)";
        QTest::newRow("download block") << int(WriteMode::Download) << false << "";
    }

    void etherCatSlaveRecords()
    {
        QFETCH(int, mode);
        QFETCH(bool, clone);
        QFETCH(QString, name);
        CpuObject cpu;
        const int coupler = m_ecat.create(6, QStringLiteral("coupler"));
        QVERIFY(m_ecat.addChild(coupler, m_ecat.create(61, QStringLiteral("terminal"))));
        SlaveRegistry::insertOrdered(cpu.etherCatSlaves, coupler, kEcat);
        SlaveRegistry::insertOrdered(cpu.etherCatSlaves, m_ecat.create(2, "drive"), kEcat);
        const QByteArray section = EtherCatSection::write(cpu, WriteMode(mode));
        // Settings, 16 zero bytes, then the count: two slaves and the coupler's child.
        QCOMPARE(quint8(section.at(8 + 16 + 16)), quint8(3));
        CpuObject back;
        ByteReader in(section);
        QVERIFY(EtherCatSection::read(back, in, ReadContext{WriteMode(mode), clone}));
        QVERIFY(in.atEnd());
        QCOMPARE(m_ecat.describe(back.etherCatSlaves.at(1).handle).value("name").toString(), name);
    }

    void etherCatLogsChangedIoMaps()
    {
        CpuObject cpu;
        cpu.projectPath = m_project;
        const int node7 = m_ecat.create(7), node3 = m_ecat.create(3);
        for (int handle : {node7, node3, m_ecat.create(5)})
            SlaveRegistry::insertOrdered(cpu.etherCatSlaves, handle, kEcat);
        const QString log = EtherCatSection::logFilePath(m_project);
        QCOMPARE(log, QFileInfo(m_project).absolutePath() + QStringLiteral("/hwcompilelog"));
        EtherCatSection::write(cpu, WriteMode::Download);
        QVERIFY(!QFile::exists(log)); // nothing changed, nothing written

        m_ecat.setIoMapChanged(node7, true);
        m_ecat.setIoMapChanged(node3, true);
        EtherCatSection::write(cpu, WriteMode::Download);
        QFile file(log);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("IO Map Changed Slave:3 7 "));
        SlaveRegistry::resetIoMapChanged(cpu); // whether EtherCAT is on or not
        QVERIFY(!m_ecat.describe(node7).value("ioMapChanged").toBool());
        QVERIFY(!m_ecat.describe(node3).value("ioMapChanged").toBool());
    }

    void etherCatOldLayout()
    {
        CpuObject cpu;
        const int coupler = m_ecat.create(9);
        QVERIFY(m_ecat.addChild(coupler, m_ecat.create(90)));
        cpu.etherCatSlaves.append(SlaveEntry{coupler, kEcat, resolveInterface(kEcat)});
        cpu.etherCatSlaves.append(SlaveEntry{m_ecat.create(4), kEcat, resolveInterface(kEcat)});
        const QByteArray section = EtherCatSection::writeOld(cpu, WriteMode::Download);
        QCOMPARE(quint8(section.at(40)), quint8(2)); // children not counted
        QCOMPARE(cpu.etherCatSlaves.first().iface.nodeId(cpu.etherCatSlaves.first().handle), 4);
        ByteReader in(section, 41, section.size());
        QString plugin;
        quint16 length = 0;
        QVERIFY(in.text8(plugin) && plugin == kEcat && in.u16(length));
        QCOMPARE(quint8(section.at(in.pos() + 1)), quint8(3)); // the old download form
        QVERIFY(in.skip(length) && in.text8(plugin) && in.u16(length) && in.skip(length));
        QVERIFY(in.atEnd());
    }

    // A section cut in its settings: missing one-byte fields read as 0, longer ones stay.
    void etherCatSettingsCutShort()
    {
        CpuObject cpu;
        cpu.etherCat = {1, 1, 1000, 7, 1, 9, 4, 1};
        CpuObject cut;
        cut.etherCat.syncWindow = 99;
        ByteReader in(EtherCatSection::write(cpu, WriteMode::Save).left(8 + 10));
        EtherCatSection::read(cut, in, ReadContext{});
        QCOMPARE(cut.etherCat, (EtherCatSettings{1, 1, 1000, 0, 0, 99, 4, 1}));
    }

    void customNameSections_data()
    {
        QTest::addColumn<bool>("profinet");
        QTest::addColumn<int>("cutTo");    // bytes of the written section kept
        QTest::addColumn<int>("declared"); // its declared length after the cut
        QTest::addColumn<bool>("read");

        QTest::newRow("Profinet") << true << 75 << 75 << true;
        QTest::newRow("Profinet of 74 bytes, without its last flag") << true << 74 << 74 << true;
        QTest::newRow("Profinet, length disagrees") << true << 75 << 76 << false;
        QTest::newRow("QBUS") << false << 74 << 74 << true;
        QTest::newRow("QBUS cut") << false << 60 << 60 << false;
    }

    void customNameSections()
    {
        QFETCH(bool, profinet);
        QFETCH(int, cutTo);
        QFETCH(int, declared);
        QFETCH(bool, read);
        CpuObject cpu;
        cpu.profinet = {1, 1, QStringLiteral("node-01"), 1};
        cpu.qbus.customName = cpu.profinet.customName;
        const QByteArray full =
            profinet ? CustomNameSection::writeProfinet(cpu) : CustomNameSection::writeQbus(cpu);
        QCOMPARE(full.size(), profinet ? 75 : 74);
        QCOMPARE(quint8(full.at(4)), quint8(1)); // mark
        QByteArray section = full.left(cutTo);
        qToBigEndian(quint32(declared), section.data());
        CpuObject back;
        back.profinet.ipFromOtherSources = 7;
        QCOMPARE(readInto(back, section,
                          profinet ? CustomNameSection::readProfinet : CustomNameSection::readQbus),
                 read);
        QCOMPARE(profinet ? back.profinet.customName : back.qbus.customName,
                 read ? QStringLiteral("node-01") : QString());
        QCOMPARE(back.profinet.ipFromOtherSources, quint8(profinet && read && cutTo == 75 ? 1 : 7));
    }

    // The grouped section (28) keeps every code byte; the compact one (48) holds one 4-bit
    // code per input, and is written so, whatever codes another model's section left.
    void inputFilters_data()
    {
        QTest::addColumn<int>("writtenAs");
        QTest::addColumn<int>("readAs");
        QTest::addColumn<QByteArray>("stored"); // count, codes
        QTest::addColumn<QByteArray>("codes");  // after reading into codes "kept"

        QTest::newRow("28 takes all bytes") << 28 << 28 << hex("09666666") << hex("666666");
        QTest::newRow("48 takes (count + 1) / 2") << 28 << 48 << hex("05aabbccdd") << hex("aabbcc");
        QTest::newRow("48 one code short") << 28 << 48 << hex("05aabb") << QByteArray("kept");
        QTest::newRow("48 written from too many") << 48 << 48 << hex("03112233") << hex("1122");
        QTest::newRow("48 written from too few") << 48 << 48 << hex("0511") << hex("11dddd");
    }

    void inputFilters()
    {
        QFETCH(int, writtenAs);
        QFETCH(int, readAs);
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, codes);
        CpuObject cpu;
        cpu.inputFilterCount = quint8(stored.at(0));
        cpu.inputFilterCodes = stored.mid(1);
        CpuObject back;
        back.inputFilterCodes = "kept";
        ByteReader in(InputFilterSection::write(cpu, SectionId(writtenAs)));
        InputFilterSection::read(back, in, SectionId(readAs));
        QCOMPARE(back.inputFilterCodes, codes);
    }

    void hscSectionOneByteShortReadsNothing()
    {
        CpuObject cpu;
        cpu.hsc[0].preset = 1000;
        CpuObject untouched;
        QVERIFY(!readInto(untouched, HscSection::write(cpu).chopped(1), HscSection::read));
        QCOMPARE(untouched.hsc[0], CpuObject().hsc[0]);
    }

    void opcUaPayloads_data()
    {
        QTest::addColumn<QByteArray>("payload"); // after the head
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QByteArray>("interface");

        QTest::newRow("both") << hex("00000006aabb00000005cc") << hex("aabb") << hex("cc");
        QTest::newRow("empty payloads") << hex("0000000400000004") << QByteArray() << QByteArray();
        QTest::newRow("length below 4") << hex("00000002aabb") << hex("0bad") << hex("0bad");
        QTest::newRow("2nd beyond end") << hex("00000005aa00000009cc") << hex("aa") << hex("0bad");
    }

    void opcUaPayloads()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QByteArray, settings);
        QFETCH(QByteArray, interface);
        CpuObject back;
        back.opcUaSettingsData = back.opcUaInterfaceData = hex("0bad"); // before the read
        readInto(back, hex("0000000000200000") + payload, OpcUaSection::read);
        QCOMPARE(back.opcUaSettingsData, settings);
        QCOMPARE(back.opcUaInterfaceData, interface);
        QCOMPARE(OpcUaSection::write(back).size(), 8 + 4 + settings.size() + 4 + interface.size());
    }

    // Round trip and head bytes: the random save/restore and the bus pages.
    void qbusListSortedOnWriteAndFramed()
    {
        CpuObject cpu;
        cpu.qbus.protocolType = 2;
        const int q4 = m_qbus.create(4);
        cpu.qbus.slaves.append(SlaveEntry{m_qbus.create(9), kQbus, resolveInterface(kQbus)});
        cpu.qbus.slaves.append(SlaveEntry{q4, kQbus, resolveInterface(kQbus)});
        QByteArray qbus = SlaveListSection::writeQbus(cpu);
        QCOMPARE(cpu.qbus.slaves.first().handle, q4); // writing sorts the object's list
        CpuObject wrong; // a declared length that disagrees: nothing is read
        wrong.qbus.protocolType = 5;
        qToBigEndian(quint32(qbus.size() + 1), qbus.data());
        QVERIFY(!readInto(wrong, qbus, SlaveListSection::readQbus));
        QCOMPARE(wrong.qbus.protocolType, quint8(5));
        QVERIFY(wrong.qbus.slaves.isEmpty());
    }

    // The records of section 39 (each kind's bytes are pinned through the card pages): a
    // card of kind NONE is its three bytes, the activation flag is one bit, a record for a
    // slot that no card has is skipped.
    void cardSection()
    {
        CpuObject cpu;
        cpu.cards[1].activated = 5;
        cpu.cards[1].type = quint8(CardType::Rtc);
        cpu.cards[1].rtcData = QByteArray(1, 1);
        QByteArray section = ExtCardSection::write(cpu);
        QCOMPARE(section.mid(8).toHex(' '),
                 hex("02 0003 000000 00000000 000a 010105 00 00 00000000 01 00000000").toHex(' '));
        section[8 + 1 + 2] = 7;
        CpuObject back;
        back.cards[0].type = 5;
        QVERIFY(readInto(back, section, ExtCardSection::read));
        QCOMPARE(back.cards[0].type, quint8(5));
        QCOMPARE(ExtCardSection::writeBody(back.cards[1]), ExtCardSection::writeBody(cpu.cards[1]));
    }

    void localPortLayout()
    {
        CpuObject cpu;
        cpu.localPort = {0, 3, 5, 2, 1, 2, 40, 7, 3000, 126, 9, 4, 50};
        QCOMPARE(LocalPortSection::write(cpu).mid(8).toHex(),
                 QByteArray("00030502010228070bb87e0904320000"));
    }
};

QTEST_GUILESS_MAIN(TestBusSections)
#include "tst_bussections.moc"
