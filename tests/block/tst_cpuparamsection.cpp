#include "hostfixture.h"

#include <block/cpuparamsection.h>
#include <corekit/memory.h>
#include <model/cpuobjectfactory.h>

#include <QJsonArray>
#include <QtTest>

namespace {

// Offsets inside a section whose SOE sub-block is empty.
constexpr int kPort0 = 8;
constexpr int kPort1 = kPort0 + 28;
constexpr int kTcpIp = kPort1 + 30;
constexpr int kRetentive = kTcpIp + 190;
constexpr int kPassword = kRetentive + 84;
constexpr int kBackground = kPassword + 12;
constexpr int kSoe = kBackground + 4;

// A used SOE record; with a data block, its trigger is in that block.
SoeRecord soeRecord(quint8 slot, const QString& title, quint16 dataBlock = 0)
{
    SoeRecord r = SoeRecord::creationDefault();
    r.slot = slot;
    r.event = 1;
    if (dataBlock) {
        r.trigger.area = 0x85;
        r.trigger.dbNumber = dataBlock;
    }
    r.title = title;
    r.titleLength = quint8(title.toLocal8Bit().size());
    return r;
}

} // namespace

class TestCpuParamSection : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CpuObject> create(int id, const QString& plcType = QStringLiteral("KLV2-R70"),
                                      const QJsonArray& dataBlocks = {})
    {
        const QString project = m_host->writeProject(
            QStringLiteral("p.json"),
            QJsonObject{{"plcType", plcType}, {"plcVersion", "02.01"}, {"dataBlocks", dataBlocks}});
        clearUsedMemory(project);
        return CpuObjectFactory::create(id, project);
    }
    QByteArray write(CpuObject& cpu, WriteMode mode, QList<int>* errors = nullptr)
    {
        QList<int> scratch;
        return CpuParamSection::write(cpu, mode, errors ? *errors : scratch);
    }

    std::optional<HostFixture> m_host;

private slots:
    void init() { m_host.emplace(); }

    // The dialog suites pin the bytes their edits change; this pins what a fresh R70 writes.
    void freshObjectLayout()
    {
        auto cpu = create(0x21);
        const QByteArray s = write(*cpu, WriteMode::Save);
        // Port 0's highest address, PLC address, retries, baud; the TCP port 20000; address
        // mode and remote control; range 1 is VB 0, 1000 from the host's defaults. The device
        // name is "Corvo".
        QList<int> at{0,           kPort0,      kPort0 + 8,  kPort0 + 15,   kPort1,
                      kPort1 + 10, kTcpIp,      kTcpIp + 66, kTcpIp + 70,   kTcpIp + 82,
                      kPassword,   kBackground, kSoe,        kRetentive + 5};
        QByteArrayList bytes =
            QByteArray("0000016900030000 1c03 1f020300 0a 1e80 1f020300 be9405436f72766f c0a801c9 "
                       "00004e20 0301 0c0f0001 04020a00 0095000500 0203e8000184000000")
                .split(' ');
        for (int i = 0; i < 6; ++i) {
            at.append(kRetentive + 14 * i);
            bytes.append("0e060" + QByteArray::number(i) + "0010");
        }
        for (int i = 0; i < at.size(); ++i)
            QCOMPARE(s.mid(at.at(i), bytes.at(i).size() / 2).toHex(), bytes.at(i));
        QCOMPARE(s.size(), kSoe + 5);
        QCOMPARE(cpu->params.networkTag, quint16(0xBE94));
        QCOMPARE(write(*cpu, WriteMode::Save), s); // writing stores nothing else
    }

    void retentiveSizeChecks_data()
    {
        QTest::addColumn<QString>("plcType");
        QTest::addColumn<int>("typeCode");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("ranges");
        QTest::addColumn<QList<int>>("errors");

        // Six ranges of 20000 double words are 480000 bytes.
        QTest::newRow("too large") << "KLV2-R70" << 6 << 20000 << 6 << QList<int>{8};
        QTest::newRow("too large, compact type") << "MRW-Q310" << 6 << 20000 << 6 << QList<int>{14};
        QTest::newRow("compact type, 150000 bytes")
            << "MRW-Q310" << 6 << 37500 << 1 << QList<int>{8};
        QTest::newRow("at the limit") << "KLV2-R70" << 4 << 32768 << 2 << QList<int>{};
        QTest::newRow("over the limit") << "KLV2-R70" << 2 << 65535 << 3 << QList<int>{8};
        QTest::newRow("timers count one byte") << "KLV2-R70" << 0x1F << 65535 << 2 << QList<int>{};
        QTest::newRow("unknown type codes count nothing")
            << "KLV2-R70" << 9 << 65535 << 6 << QList<int>{};
    }

    void retentiveSizeChecks()
    {
        QFETCH(QString, plcType);
        QFETCH(int, typeCode);
        QFETCH(int, count);
        QFETCH(int, ranges);
        QFETCH(QList<int>, errors);
        auto cpu = create(0x21, plcType);
        for (int i = 0; i < 6; ++i) {
            cpu->params.retentive[size_t(i)].typeCode = i < ranges ? quint8(typeCode) : 0;
            cpu->params.retentive[size_t(i)].count = quint16(count);
        }
        QList<int> got{99};
        const QByteArray download = CpuParamSection::write(*cpu, WriteMode::Download, got);
        QCOMPARE(got, QList<int>{99} + errors); // appended, never cleared
        QCOMPARE(download.size(), 361);         // the section is written all the same
        QList<int> saveErrors;
        QCOMPARE(CpuParamSection::write(*cpu, WriteMode::Save, saveErrors), download);
        QVERIFY(saveErrors.isEmpty());
    }

    void soeTriggerDataBlocks_data()
    {
        QTest::addColumn<QList<int>>("blocks"); // trigger data blocks of slots 2 and 9
        QTest::addColumn<bool>("written");

        QTest::newRow("both present") << QList<int>{1, 2} << true;
        QTest::newRow("one missing") << QList<int>{1, 7} << false;
        QTest::newRow("same missing twice") << QList<int>{7, 7} << false;
        // The whole 16-bit number names the block, as the dialog's check names it.
        QTest::newRow("DB257 is not DB1") << QList<int>{256 + 1, 2} << false;
    }

    void soeTriggerDataBlocks()
    {
        QFETCH(QList<int>, blocks);
        QFETCH(bool, written);
        auto cpu = create(0x21, QStringLiteral("KLV2-R70"),
                          QJsonArray{QJsonObject{{"name", "DB1"}}, QJsonObject{{"name", "DB2"}}});
        cpu->soe[2] = soeRecord(2, QStringLiteral("a"), quint16(blocks.at(0)));
        cpu->soe[9] = soeRecord(9, QStringLiteral("b"), quint16(blocks.at(1)));
        QList<int> errors;
        const QByteArray download = write(*cpu, WriteMode::Download, &errors);
        QCOMPARE(download.isEmpty(), !written);
        QCOMPARE(errors, written ? QList<int>{} : QList<int>{132});
        QVERIFY(!write(*cpu, WriteMode::Save).isEmpty()); // save data is never checked
        errors = {132};
        write(*cpu, WriteMode::Download, &errors);
        QCOMPARE(errors, QList<int>{132}); // never twice
    }

    void compactLocalPortSubstitution_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("protocol");
        QTest::addColumn<bool>("substituted");

        QTest::newRow("PPI master") << 0x30 << 3 << true;
        QTest::newRow("PPI slave") << 0x30 << 4 << true;
        QTest::newRow("free port") << 0x30 << 0 << false;
        QTest::newRow("other model") << 0x21 << 3 << false;
    }

    void compactLocalPortSubstitution()
    {
        QFETCH(int, id);
        QFETCH(int, protocol);
        QFETCH(bool, substituted);
        auto cpu = create(id);
        cpu->localPort.protocol = quint8(protocol);
        cpu->localPort.plcAddress = 9;
        cpu->localPort.baudCode = 5;
        cpu->params.port0.retryCount = 1;
        cpu->params.port1.retryCount = 6;
        const CpuParams before = cpu->params;
        const QByteArray s = write(*cpu, WriteMode::Save);
        QCOMPARE(s.mid(kPort0 + 8, 4).toHex(), QByteArray(substituted ? "1f090606" : "1f020100"));
        QCOMPARE(s.mid(kPort1 + 10, 4).toHex(), QByteArray(substituted ? "1f090606" : "1f020600"));
        QCOMPARE(cpu->params, before); // the object keeps its own port bytes
    }

    void cutSectionKeepsConstructedMembers_data()
    {
        QTest::addColumn<int>("cut");
        QTest::addColumn<bool>("tcpIpRead");
        QTest::addColumn<bool>("retentiveRead");

        QTest::newRow("inside the head") << 5 << false << false;
        QTest::newRow("inside port 1") << kPort1 + 12 << false << false;
        QTest::newRow("after TCP/IP") << kRetentive << true << false;
        QTest::newRow("inside range 2") << kRetentive + 14 * 2 + 3 << true << false;
        QTest::newRow("before SOE") << kSoe << true << true;
    }

    void cutSectionKeepsConstructedMembers()
    {
        QFETCH(int, cut);
        QFETCH(bool, tcpIpRead);
        QFETCH(bool, retentiveRead);
        auto cpu = create(0x21);
        cpu->soe[1] = soeRecord(1, QStringLiteral("x"));
        const QByteArray bytes = write(*cpu, WriteMode::Save).left(cut);
        CpuObject restored;
        ByteReader section(bytes);
        QVERIFY(!CpuParamSection::read(restored, section));
        const CpuObject constructed;
        QCOMPARE(restored.params.tcpIp == cpu->params.tcpIp, tcpIpRead);
        QCOMPARE(restored.params.retentive[5] == cpu->params.retentive[5], retentiveRead);
        if (!retentiveRead) {
            QCOMPARE(restored.params.password, constructed.params.password);
            QCOMPARE(restored.params.background, constructed.params.background);
        }
        // The SOE slots are reset only once the SOE sub-block is reached.
        QCOMPARE(restored.soe[1], cut >= kSoe ? SoeRecord::readerReset() : constructed.soe[1]);
    }

    // Records land in the slot they name, and a slot of 16 or more ends them; a long title is
    // cut and the next record still lines up.
    void soeRecordsLandInTheirSlots()
    {
        auto cpu = create(0x21);
        cpu->soe[3] = soeRecord(3, QString(300, QLatin1Char('t')));
        cpu->soe[3].titleLength = 44; // stale: the dialog normally keeps it equal
        cpu->soe[7] = soeRecord(7, QStringLiteral("seven"));
        QByteArray bytes = write(*cpu, WriteMode::Save);
        QCOMPARE(quint8(bytes.at(kSoe + 5)), quint8(255));
        QCOMPARE(quint8(bytes.at(kSoe + 5 + 24)), quint8(CpuParamSection::MaxSoeTitleBytes));
        QCOMPARE(cpu->soe[3].titleLength, quint8(44)); // writing does not touch the object
        bytes[kSoe + 5 + 1] = char(12);                // the first record now names slot 12
        CpuObject restored;
        ByteReader section(bytes);
        QVERIFY(CpuParamSection::read(restored, section));
        QCOMPARE(restored.soe[12].title,
                 QString(CpuParamSection::MaxSoeTitleBytes, QLatin1Char('t')));
        QCOMPARE(restored.soe[12].slot, quint8(12));
        QCOMPARE(restored.soe[7].title, QStringLiteral("seven"));
        QVERIFY(!restored.soe[3].isUsed());
        bytes[kSoe + 5 + 1] = char(16);
        CpuObject stopped;
        ByteReader again(bytes);
        QVERIFY(CpuParamSection::read(stopped, again));
        QVERIFY(!stopped.soe[7].isUsed());
    }
};

QTEST_GUILESS_MAIN(TestCpuParamSection)
#include "tst_cpuparamsection.moc"
