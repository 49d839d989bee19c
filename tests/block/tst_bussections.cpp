#include "hostfixture.h"

#include <block/customnamesection.h>
#include <block/ethercatsection.h>
#include <block/extcardsection.h>
#include <block/hscsection.h>
#include <block/inputfiltersection.h>
#include <block/localportsection.h>
#include <block/opcuasection.h>
#include <block/slavelistsection.h>
#include <plugin/slaveregistry.h>
#include <slaves/slavecontrol.h>

#include <QtTest>

namespace {

const QString kEcat = QStringLiteral("ecatslavekit.dll");

QByteArray withLength(QByteArray section, quint32 declared)
{
    qToBigEndian(declared, section.data());
    return section;
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

private slots:
    void init();
    void etherCatCountsChildren();
    void etherCatRoundTrips_data();
    void etherCatRoundTrips();
    void etherCatLogsChangedIoMaps();
    void etherCatOldLayout();
    void etherCatReaderStopsWhereNoPluginReads();
    void customNameSections_data();
    void customNameSections();
    void inputFilters_data();
    void inputFilters();
    void hscRoundTripAndShortSection();
    void opcUaPayloads_data();
    void opcUaPayloads();
    void qbusAndEipSlaves();
    void slaveListWithWrongLengthIsIgnored();
    void cardBodies_data();
    void cardBodies();
    void cardSectionRoundTrip();
    void localPortRoundTrip();

private:
    std::unique_ptr<HostFixture> m_host;
    SlaveControl m_ecat{kEcat};
    SlaveControl m_qbus{QStringLiteral("qbusslavekit.dll")};
    SlaveControl m_eip{QStringLiteral("eipslavekit.dll")};
    QString m_project;
};

void TestBusSections::init()
{
    m_host.reset();
    m_host = std::make_unique<HostFixture>();
    m_project = m_host->writeProject(QStringLiteral("line/p.json"), QStringLiteral("KLV2-R70"));
    QVERIFY(m_ecat.isLoaded() && m_qbus.isLoaded() && m_eip.isLoaded());
    m_ecat.reset();
    m_qbus.reset();
    m_eip.reset();
}

void TestBusSections::etherCatCountsChildren()
{
    CpuObject cpu;
    cpu.projectPath = m_project;
    const int coupler = m_ecat.create(1, QStringLiteral("coupler"));
    for (int i = 0; i < 3; ++i)
        QVERIFY(m_ecat.addChild(coupler, m_ecat.create(100 + i)));
    const int drive = m_ecat.create(2, QStringLiteral("drive"));
    SlaveRegistry::insertOrdered(cpu.etherCatSlaves, coupler, kEcat);
    SlaveRegistry::insertOrdered(cpu.etherCatSlaves, drive, kEcat);
    const QByteArray section = EtherCatSection::write(cpu, WriteMode::Save);
    // Settings (1 + 4 + 1 + 4 + 1 + 1 + 4), 16 zero bytes, then the count: two slaves and
    // three children.
    QCOMPARE(quint8(section.at(8 + 16 + 16)), quint8(5));
    QCOMPARE(section.mid(8, 16).toHex(), QByteArray("0000000002"
                                                    "0000000fa0"
                                                    "14"
                                                    "00"
                                                    "00000001"));
}

void TestBusSections::etherCatRoundTrips_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("clone");
    QTest::newRow("save data") << int(WriteMode::Save) << false;
    QTest::newRow("save data, clone") << int(WriteMode::Save) << true;
    QTest::newRow("download block") << int(WriteMode::Download) << false;
}

void TestBusSections::etherCatRoundTrips()
{
    QFETCH(int, mode);
    QFETCH(bool, clone);
    CpuObject cpu;
    cpu.projectPath = m_project;
    cpu.etherCat.dcEnabled = 1;
    cpu.etherCat.dcCycleTime = 1000;
    cpu.etherCat.taskInterval = 4;
    const int coupler = m_ecat.create(6, QStringLiteral("coupler"));
    QVERIFY(m_ecat.addChild(coupler, m_ecat.create(61, QStringLiteral("terminal"))));
    m_ecat.setItems(coupler, {{1, 8}});
    SlaveRegistry::insertOrdered(cpu.etherCatSlaves, coupler, kEcat);
    SlaveRegistry::insertOrdered(cpu.etherCatSlaves, m_ecat.create(2, QStringLiteral("drive")),
                                 kEcat);

    const QByteArray section = EtherCatSection::write(cpu, WriteMode(mode));
    CpuObject back;
    back.projectPath = m_project;
    ByteReader in(section);
    QVERIFY(EtherCatSection::read(back, in, ReadContext{WriteMode(mode), clone}));
    QVERIFY(in.atEnd());
    QCOMPARE(back.etherCat.enabled, quint8(1));
    QCOMPARE(back.etherCat.dcCycleTime, 1000u);
    QCOMPARE(back.etherCatSlaves.size(), 2);
    const QJsonObject first = m_ecat.describe(back.etherCatSlaves.at(0).handle);
    const QJsonObject second = m_ecat.describe(back.etherCatSlaves.at(1).handle);
    QCOMPARE(first.value("nodeId").toInt(), 2);
    QCOMPARE(second.value("nodeId").toInt(), 6);
    QCOMPARE(second.value("children").toArray().size(), 1);
    QCOMPARE(second.value("items").toArray().size(), 1);
    // Download records carry no names; clones are marked as copies.
    const QString name = second.value("name").toString();
    QCOMPARE(name, mode == int(WriteMode::Download) ? QString()
                   : clone                          ? QStringLiteral("coupler (copy)")
                                                    : QStringLiteral("coupler"));
}

void TestBusSections::etherCatLogsChangedIoMaps()
{
    CpuObject cpu;
    cpu.projectPath = m_project;
    QList<int> handles;
    for (int node : {7, 3, 5}) {
        handles.append(m_ecat.create(node));
        SlaveRegistry::insertOrdered(cpu.etherCatSlaves, handles.last(), kEcat);
    }
    const QString log = EtherCatSection::logFilePath(m_project);
    QCOMPARE(log, QFileInfo(m_project).absolutePath() + QStringLiteral("/hwcompilelog"));
    EtherCatSection::write(cpu, WriteMode::Download);
    QVERIFY(!QFile::exists(log)); // nothing changed, nothing written

    m_ecat.setIoMapChanged(handles.at(0), true); // node 7
    m_ecat.setIoMapChanged(handles.at(1), true); // node 3
    EtherCatSection::write(cpu, WriteMode::Download);
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("IO Map Changed Slave:3 7 "));
}

void TestBusSections::etherCatOldLayout()
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
    QVERIFY(in.text8(plugin) && in.u16(length));
    QCOMPARE(plugin, kEcat);
    QCOMPARE(quint8(section.at(in.pos() + 1)), quint8(3)); // the old download form
    QVERIFY(in.skip(length));
    QVERIFY(in.text8(plugin) && in.u16(length) && in.skip(length) && in.atEnd());
}

void TestBusSections::etherCatReaderStopsWhereNoPluginReads()
{
    CpuObject cpu;
    SlaveRegistry::insertOrdered(cpu.etherCatSlaves, m_ecat.create(1), kEcat);
    QByteArray section = EtherCatSection::write(cpu, WriteMode::Save);
    section[42] = 'x'; // the plug-in name now names no plug-in
    CpuObject back;
    ByteReader in(section);
    QVERIFY(!EtherCatSection::read(back, in, ReadContext{}));
    QVERIFY(back.etherCatSlaves.isEmpty());
    QCOMPARE(back.etherCat.enabled, quint8(1));
    // A section cut in its settings: missing one-byte fields read as 0.
    CpuObject cut;
    cut.etherCat.syncOffset = 20;
    cut.etherCat.syncWindow = 9;
    ByteReader shortIn(section.left(8 + 10));
    EtherCatSection::read(cut, shortIn, ReadContext{});
    QCOMPARE(cut.etherCat.syncOffset, quint8(0));
    QCOMPARE(cut.etherCat.syncWindow, 9u);
}

void TestBusSections::customNameSections_data()
{
    QTest::addColumn<bool>("profinet");
    QTest::addColumn<int>("cutTo");    // bytes of the written section kept
    QTest::addColumn<int>("declared"); // its declared length after the cut
    QTest::addColumn<bool>("read");
    QTest::addColumn<bool>("lastFlagRead");

    QTest::newRow("Profinet") << true << 75 << 75 << true << true;
    QTest::newRow("Profinet of 74 bytes") << true << 74 << 74 << true << false;
    QTest::newRow("Profinet, length disagrees") << true << 75 << 76 << false << false;
    QTest::newRow("QBUS") << false << 74 << 74 << true << false;
    QTest::newRow("QBUS cut") << false << 60 << 60 << false << false;
}

void TestBusSections::customNameSections()
{
    QFETCH(bool, profinet);
    QFETCH(int, cutTo);
    QFETCH(int, declared);
    QFETCH(bool, read);
    QFETCH(bool, lastFlagRead);
    CpuObject cpu;
    cpu.profinet = {1, 1, QStringLiteral("pn-filler-01"), 1};
    cpu.qbus.useSlave = 1;
    cpu.qbus.useCustomName = 1;
    cpu.qbus.customName = QStringLiteral("qbus-node");
    const QByteArray full =
        profinet ? CustomNameSection::writeProfinet(cpu) : CustomNameSection::writeQbus(cpu);
    QCOMPARE(full.size(), profinet ? 75 : 74);
    QCOMPARE(quint8(full.at(4)), quint8(1)); // mark
    const QByteArray section = withLength(full.left(cutTo), quint32(declared));
    CpuObject back;
    back.profinet.ipFromOtherSources = 7;
    ByteReader in(section);
    const bool ok = profinet ? CustomNameSection::readProfinet(back, in)
                             : CustomNameSection::readQbus(back, in);
    QCOMPARE(ok, read);
    if (profinet) {
        QCOMPARE(back.profinet.customName, read ? QStringLiteral("pn-filler-01") : QString());
        QCOMPARE(back.profinet.ipFromOtherSources, quint8(lastFlagRead ? 1 : 7));
    } else {
        QCOMPARE(back.qbus.customName, read ? QStringLiteral("qbus-node") : QString());
    }
}

void TestBusSections::inputFilters_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("written");       // the section comes from the writer, else by hand
    QTest::addColumn<QByteArray>("payload"); // count, codes
    QTest::addColumn<QByteArray>("codes");   // after reading into codes "kept"

    QTest::newRow("48 with all 12 codes")
        << 48 << false << QByteArray(1, 24) + QByteArray(12, char(0xDD))
        << QByteArray(12, char(0xDD));
    QTest::newRow("48 one code short")
        << 48 << false << QByteArray(1, 24) + QByteArray(11, char(0xDD)) << QByteArray("kept");
    QTest::newRow("28 takes all bytes")
        << 28 << false << QByteArray::fromHex("09666666") << QByteArray::fromHex("666666");
    QTest::newRow("28 without payload") << 28 << false << QByteArray() << QByteArray("kept");
    // Codes that do not match the count (read from another model's section) are written
    // as the count says, so that the compact reader takes them all.
    QTest::newRow("48 written from too many codes")
        << 48 << true << QByteArray(1, 3) + QByteArray::fromHex("112233")
        << QByteArray::fromHex("1122");
    QTest::newRow("48 written from too few codes")
        << 48 << true << QByteArray(1, 5) + QByteArray::fromHex("11")
        << QByteArray::fromHex("11dddd");
    QTest::newRow("28 written as stored")
        << 28 << true << QByteArray::fromHex("01aabb") << QByteArray::fromHex("aabb");
}

void TestBusSections::inputFilters()
{
    QFETCH(int, id);
    QFETCH(bool, written);
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, codes);
    QByteArray section;
    if (written) {
        CpuObject cpu;
        cpu.inputFilterCount = quint8(payload.at(0));
        cpu.inputFilterCodes = payload.mid(1);
        section = InputFilterSection::write(cpu, SectionId(id));
    } else {
        section =
            withLength(QByteArray::fromHex("0000000001") + char(id) + QByteArray(2, 0) + payload,
                       quint32(8 + payload.size()));
    }
    CpuObject back;
    back.inputFilterCodes = "kept";
    ByteReader in(section);
    InputFilterSection::read(back, in, SectionId(id));
    QCOMPARE(back.inputFilterCodes, codes);
}

void TestBusSections::hscRoundTripAndShortSection()
{
    CpuObject cpu;
    for (int i = 0; i < 6; ++i)
        cpu.hsc[size_t(i)] = {quint8(18 + i), quint8(i), 0, 0, quint32(1000 * i),
                              quint32(7 * i), 2,         0, 5};
    const QByteArray section = HscSection::write(cpu);
    QCOMPARE(section.size(), 100);
    QCOMPARE(section.mid(8, 15).toHex(), QByteArray("0e961200000000000000000002"
                                                    "0005"));
    CpuObject back;
    ByteReader in(section);
    QVERIFY(HscSection::read(back, in));
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(back.hsc[size_t(i)].preset, quint32(1000 * i));
        QCOMPARE(back.hsc[size_t(i)].control, quint8(18 + i));
    }
    CpuObject untouched;
    ByteReader shortIn(section.left(99));
    QVERIFY(!HscSection::read(untouched, shortIn));
    QCOMPARE(untouched.hsc[0], CpuObject().hsc[0]);
}

void TestBusSections::opcUaPayloads_data()
{
    QTest::addColumn<QByteArray>("payload"); // after the head
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QByteArray>("interface");

    QTest::newRow("both") << QByteArray::fromHex("00000006aabb"
                                                 "00000005cc")
                          << QByteArray::fromHex("aabb") << QByteArray::fromHex("cc");
    QTest::newRow("empty payloads")
        << QByteArray::fromHex("0000000400000004") << QByteArray("") << QByteArray("");
    QTest::newRow("length below 4")
        << QByteArray::fromHex("00000002aabb") << QByteArray("old") << QByteArray("old");
    QTest::newRow("second beyond the end") << QByteArray::fromHex("00000005aa"
                                                                  "00000009cc")
                                           << QByteArray::fromHex("aa") << QByteArray("old");
}

void TestBusSections::opcUaPayloads()
{
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, settings);
    QFETCH(QByteArray, interface);
    CpuObject back;
    back.opcUaSettingsData = "old";
    back.opcUaInterfaceData = "old";
    ByteReader in(QByteArray::fromHex("0000000000200000") + payload);
    OpcUaSection::read(back, in);
    QCOMPARE(back.opcUaSettingsData, settings);
    QCOMPARE(back.opcUaInterfaceData, interface);
    CpuObject cpu;
    cpu.opcUaSettingsData = settings;
    cpu.opcUaInterfaceData = interface;
    QCOMPARE(OpcUaSection::write(cpu).size(), 8 + 4 + settings.size() + 4 + interface.size());
}

void TestBusSections::qbusAndEipSlaves()
{
    CpuObject cpu;
    cpu.qbus.masterEnabled = 1;
    cpu.qbus.protocolType = 2;
    const int q9 = m_qbus.create(9, QStringLiteral("nine"));
    const int q4 = m_qbus.create(4);
    cpu.qbus.slaves.append(SlaveEntry{q9, QStringLiteral("qbusslavekit.dll"),
                                      resolveInterface(QStringLiteral("qbusslavekit.dll"))});
    cpu.qbus.slaves.append(SlaveEntry{q4, QStringLiteral("qbusslavekit.dll"),
                                      resolveInterface(QStringLiteral("qbusslavekit.dll"))});
    const QByteArray qbus = SlaveListSection::writeQbus(cpu);
    QCOMPARE(cpu.qbus.slaves.first().handle, q4); // writing sorts the object's list
    QCOMPARE(qbus.mid(8, 5).toHex(), QByteArray("0102000002"));

    cpu.eip.enabled = 1;
    SlaveRegistry::insertOrdered(cpu.eip.slaves, m_eip.create(30),
                                 QStringLiteral("eipslavekit.dll"));
    const QByteArray eip = SlaveListSection::writeEip(cpu);
    QCOMPARE(eip.mid(8, 3).toHex(), QByteArray("010001"));

    CpuObject back;
    ByteReader qIn(qbus);
    ByteReader eIn(eip);
    QVERIFY(SlaveListSection::readQbus(back, qIn));
    QVERIFY(SlaveListSection::readEip(back, eIn));
    QCOMPARE(back.qbus.masterEnabled, quint8(1));
    QCOMPARE(back.qbus.protocolType, quint8(2));
    QCOMPARE(back.qbus.slaves.size(), 2);
    QCOMPARE(m_qbus.describe(back.qbus.slaves.at(1).handle).value("nodeId").toInt(), 9);
    QCOMPARE(back.eip.slaves.size(), 1);
    QCOMPARE(back.eip.enabled, quint8(1));
}

void TestBusSections::slaveListWithWrongLengthIsIgnored()
{
    CpuObject cpu;
    SlaveRegistry::insertOrdered(cpu.qbus.slaves, m_qbus.create(1),
                                 QStringLiteral("qbusslavekit.dll"));
    const QByteArray qbus = SlaveListSection::writeQbus(cpu);
    CpuObject back;
    back.qbus.protocolType = 5;
    ByteReader in(withLength(qbus, quint32(qbus.size() + 1)));
    QVERIFY(!SlaveListSection::readQbus(back, in));
    QCOMPARE(back.qbus.protocolType, quint8(5));
    QVERIFY(back.qbus.slaves.isEmpty());
}

void TestBusSections::cardBodies_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("partSize"); // parameter bytes after the common part

    QTest::newRow("none") << 0 << -1;
    QTest::newRow("485/CAN-P") << 1 << 20;
    QTest::newRow("485/RTC-P") << 2 << 27;
    QTest::newRow("AMX05-P, two inputs, one output") << 3 << 8 + 1 + 2 * 10 + 1 + 10;
    QTest::newRow("code 4") << 4 << 0;
    QTest::newRow("RTC-P") << 5 << 1;
    QTest::newRow("DIX06-P") << 6 << 40;
}

void TestBusSections::cardBodies()
{
    QFETCH(int, type);
    QFETCH(int, partSize);
    CardRecord card;
    card.slot = 1;
    card.activated = 5; // written as 1
    card.type = quint8(type);
    card.name = QStringLiteral("io");
    card.description = QStringLiteral("left");
    card.can485.channel0 = {1, 3, 2, 4, 2, 1, 1, 10, 9, 0, 1500};
    card.can485.canEnabled = 1;
    card.rtc485.rtcEnabled = 1;
    card.amx05.inputWords = 2;
    card.amx05.inputs = {AnalogChannel{0, 0, 3, 1, 2, 0, 1, 0},
                         AnalogChannel{0, 1, 0, 1, 0, 0, 0, 0}};
    card.amx05.outputs = {AnalogChannel{0, 2, 1, 0, 0x10, 0, 1, 2}};
    card.rtcData = QByteArray(1, 1);
    for (int k = 0; k < 4; ++k)
        card.dix06[size_t(k)] = {quint32(k % 2), 8, 1, 0x81, quint32(24 + k), 0};
    const QByteArray body = ExtCardSection::writeBody(card);
    const int common = 3 + 1 + 2 + 1 + 4 + 4;
    QCOMPARE(body.size(), partSize < 0 ? 3 : common + partSize);
    QCOMPARE(body.left(3).toHex(),
             QByteArray("0101") + QByteArray::number(type).rightJustified(2, '0'));
    if (type == 6) {
        for (int k = 0; k < 4; ++k)
            QCOMPARE(int(body.at(common + 10 * k)), k); // each channel starts with its index
    }
    CpuObject cpu;
    cpu.cards[1] = card;
    CpuObject back;
    ByteReader in(ExtCardSection::write(cpu));
    QVERIFY(ExtCardSection::read(back, in));
    QCOMPARE(ExtCardSection::writeBody(back.cards[1]), body);
}

void TestBusSections::cardSectionRoundTrip()
{
    CpuObject cpu;
    const QByteArray section = ExtCardSection::write(cpu);
    // Two records of "no card": 00 03, slot, activated, type, four zero bytes.
    QCOMPARE(section.mid(8).toHex(), QByteArray("02"
                                                "0003000000"
                                                "00000000"
                                                "0003010000"
                                                "00000000"));
    QByteArray swapped = section;
    swapped[8 + 1 + 2] = 7; // a slot number no record has: skipped
    CpuObject back;
    back.cards[0].type = 5;
    ByteReader in(swapped);
    QVERIFY(ExtCardSection::read(back, in));
    QCOMPARE(back.cards[0].type, quint8(5));
}

void TestBusSections::localPortRoundTrip()
{
    CpuObject cpu;
    cpu.localPort = {0, 3, 5, 2, 1, 2, 40, 7, 3000, 126, 9, 4, 50};
    const QByteArray section = LocalPortSection::write(cpu);
    QCOMPARE(section.size(), 24);
    QCOMPARE(section.mid(8).toHex(), QByteArray("0003050201022807"
                                                "0bb8"
                                                "7e090432"
                                                "0000"));
    CpuObject back;
    ByteReader in(section);
    QVERIFY(LocalPortSection::read(back, in));
    QCOMPARE(back.localPort, cpu.localPort);
}

QTEST_GUILESS_MAIN(TestBusSections)
#include "tst_bussections.moc"
