#include "hostfixture.h"

#include <block/blockdecoder.h>
#include <block/paramblock.h>
#include <corekit/memory.h>
#include <model/cpuobjectfactory.h>

#include <QtTest>

namespace {

QByteArray section(const QByteArray& block, int id)
{
    for (const DecodedSection& s : BlockDecoder::decode(block).sections) {
        if (s.id == id)
            return s.bytes;
    }
    return {};
}

QByteArray u32(quint32 v)
{
    QByteArray b(4, 0);
    qToBigEndian(v, b.data());
    return b;
}

} // namespace

class TestParamBlock : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CpuObject> create(int id)
    {
        auto cpu = CpuObjectFactory::create(id, m_project);
        if (cpu)
            CpuObjectFactory::releaseMemory(*cpu); // several objects share one project here
        return cpu;
    }

    std::optional<HostFixture> m_host;
    QString m_project;

private slots:
    void init()
    {
        m_host.emplace();
        m_project = m_host->writeProject(QStringLiteral("p.json"), QStringLiteral("KLV1-C24"));
        clearUsedMemory(m_project);
    }

    void saveDataHeaderCarriesCommentAndPosition()
    {
        auto cpu = create(0x21);
        cpu->descriptor.comment = QString::fromUtf8("Kessel \xc3\xbc"
                                                    "berwachung"); // 19 bytes
        cpu->descriptor.position = {-3, 77};
        cpu->descriptor.rackId = 1;
        cpu->descriptor.slotId = 2;
        QList<int> errors;
        const QByteArray saveHeader = section(ParamBlock::save(*cpu), 2);
        const QByteArray downloadHeader =
            section(*ParamBlock::build(*cpu, WriteMode::Download, errors), 2);
        // ObjID, rack, slot, name, comment, position x and y; the download header lacks the
        // comment and 9 bytes. Both end with the local maps, a zero byte and reserved bytes.
        QCOMPARE(saveHeader.mid(8, 38).toHex(), "0000002101020352373013" +
                                                    cpu->descriptor.comment.toUtf8().toHex() +
                                                    "fffffffd0000004d");
        QCOMPARE(saveHeader.size() - downloadHeader.size(), 9 + 19);
        QCOMPARE(saveHeader.right(17), downloadHeader.right(17));
        QCOMPARE(saveHeader.right(17).toHex(),
                 QByteArray("810000108200001000") + QByteArray(16, '0'));
    }

    void restoreRejectsWhatItCannotFrame_data()
    {
        QTest::addColumn<QByteArray>("block");

        QTest::newRow("empty") << QByteArray();
        QTest::newRow("count only") << QByteArray(1, 3);
        QTest::newRow("seven header bytes") << QByteArray::fromHex("03000000400000");
        const auto header = [](quint32 length) { // the count, then a header's head
            return char(1) + u32(length) + QByteArray::fromHex("00020000");
        };
        QTest::newRow("header longer than the block") << header(0x40) + QByteArray(10, 0);
        QTest::newRow("header length below its head") << header(4) + QByteArray(60, 0);
        QTest::newRow("header length near 4 GiB") << header(0xFFFFFFFF);
    }

    void restoreRejectsWhatItCannotFrame()
    {
        QFETCH(QByteArray, block);
        QVERIFY(!ParamBlock::restore(block, m_project, false));
        QVERIFY(!ParamBlock::restore(block, m_project, true));
    }

    // What precedes a fault is read, the rest stays as constructed.
    void restoreWalksWhatIsThere_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QString>("deviceName"); // section 3 read (up to TCP/IP at least)
        QTest::addColumn<int>("percent");        // section 3 read whole
        QTest::addColumn<int>("clock");          // section 8 read

        HostFixture host;
        auto cpu = CpuObjectFactory::create(0x21, QString());
        cpu->extBusClock = 3;
        cpu->params.background.percent = 42;
        const QByteArray saved = ParamBlock::save(*cpu);
        const QByteArray header = section(saved, 2);
        const QByteArray params = section(saved, 3);
        const QByteArray expansion = section(saved, 8);
        const QByteArray unknown = u32(12) + QByteArray::fromHex("0063000001020304");
        QByteArray longExpansion = expansion;
        longExpansion.replace(0, 4, u32(1000));
        const auto row = [](const char* name, const QByteArray& block, const char* deviceName,
                            int percent, int clock) {
            QTest::newRow(name) << block << QString(deviceName) << percent << clock;
        };
        row("count 1: only the header", char(1) + header + params, "", 0, 0);
        row("an unknown section and a second header are skipped",
            char(5) + header + params + unknown + header + expansion, "Corvo", 42, 3);
        row("a count beyond the sections", char(9) + saved.mid(1), "Corvo", 42, 3);
        row("cut inside section 3", saved.left(1 + header.size() + 200), "Corvo", 0, 0);
        row("a section shorter than its head ends the walk",
            char(4) + header + u32(3) + QByteArray::fromHex("0003") + expansion, "", 0, 0);
        row("section 8 without its byte", char(2) + header + expansion.left(8), "", 0, 0);
        row("section 8 longer than the rest", char(2) + header + longExpansion, "", 0, 3);
    }

    void restoreWalksWhatIsThere()
    {
        QFETCH(QByteArray, block);
        QFETCH(QString, deviceName);
        QFETCH(int, percent);
        QFETCH(int, clock);
        const auto restored = ParamBlock::restore(block, m_project, false);
        QVERIFY(restored);
        QCOMPARE(restored->descriptor.ObjName, QStringLiteral("R70"));
        QCOMPARE(restored->params.tcpIp.deviceName.text(), deviceName);
        QCOMPARE(int(restored->params.background.percent), percent);
        QCOMPARE(int(restored->extBusClock), clock);
    }

    void unknownObjIdKeepsConstructedDescriptor()
    {
        auto cpu = create(0x21);
        cpu->params.background.percent = 25;
        QByteArray saved = ParamBlock::save(*cpu);
        saved.replace(1 + 8, 4, u32(0x77)); // no catalog file describes 0x77
        const auto restored = ParamBlock::restore(saved, m_project, false);
        QVERIFY(restored);
        const CpuObject constructed;
        QCOMPARE(restored->descriptor.ObjID, 0);
        QVERIFY(restored->descriptor.ObjName.isEmpty());
        QCOMPARE(restored->descriptor.rackId, constructed.descriptor.rackId);
        QCOMPARE(restored->params.background.percent, quint8(25)); // later sections still count
    }

    void restoreAsksTheProjectForOpcUa()
    {
        auto cpu = create(0x21);
        const QByteArray saved = ParamBlock::save(*cpu);
        const QString withOpcUa =
            m_host->writeProject(QStringLiteral("o.json"), QStringLiteral("KLV2-R70"));
        QVERIFY(ParamBlock::restore(saved, withOpcUa, false)->opcUaSupported);
        QVERIFY(!ParamBlock::restore(saved, m_project, false)->opcUaSupported);
        QCOMPARE(ParamBlock::restore(saved, withOpcUa, false)->projectPath, withOpcUa);
    }
};

QTEST_GUILESS_MAIN(TestParamBlock)
#include "tst_paramblock.moc"
