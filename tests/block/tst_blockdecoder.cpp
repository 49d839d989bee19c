#include "hostfixture.h"

#include <block/blockdecoder.h>
#include <block/paramblock.h>
#include <model/cpuobjectfactory.h>

#include <QJsonArray>
#include <QtTest>

namespace {

QString fieldValue(const DecodedSection& section, const QString& name)
{
    for (const DumpField& f : section.fields) {
        if (f.name == name)
            return f.value;
    }
    return QStringLiteral("<absent>");
}

} // namespace

// The decoder behind "hwcfg dump" and the field-level compare.
class TestBlockDecoder : public QObject
{
    Q_OBJECT

private:
    HostFixture m_host;
    std::unique_ptr<CpuObject> m_cpu;
    QByteArray m_saved;
    QByteArray m_download;

private slots:
    void initTestCase()
    {
        m_cpu = CpuObjectFactory::create(0x21, QString());
        m_cpu->descriptor.comment = QStringLiteral("main cabinet");
        m_cpu->soe[5].slot = 5;
        m_cpu->soe[5].title = QStringLiteral("Door");
        m_cpu->soe[5].titleLength = 4;
        m_saved = ParamBlock::save(*m_cpu);
        QList<int> errors;
        m_download = *ParamBlock::build(*m_cpu, WriteMode::Download, errors);
    }

    void decodesBothLayouts_data()
    {
        QTest::addColumn<bool>("save");
        QTest::newRow("save data") << true;
        QTest::newRow("download block") << false;
    }

    void decodesBothLayouts()
    {
        QFETCH(bool, save);
        const DecodedBlock block = BlockDecoder::decode(save ? m_saved : m_download);
        QVERIFY2(block.ok, qPrintable(block.error));
        QCOMPARE(block.layout,
                 save ? QStringLiteral("save data") : QStringLiteral("download block"));
        QCOMPARE(block.sections.size(), 8); // 2, 3, 8, 28, 29, 33, 34, 35
        const DecodedSection& header = block.sections.at(0);
        const DecodedSection& cpu = block.sections.at(1);
        const QStringList values{fieldValue(header, "comment"), fieldValue(header, "catalog entry"),
                                 fieldValue(cpu, "TCP/IP / device name"),
                                 fieldValue(cpu, "SOE / record 0 / title")};
        QCOMPARE(values, (QStringList{save ? "\"main cabinet\"" : "<absent>", "R70 (KLV2 R70-500P)",
                                      "\"Corvo\" (length byte 5)", "\"Door\""}));
        for (const DecodedSection& s : block.sections) {
            QVERIFY2(s.decoded, qPrintable(s.title));
            for (const DumpField& f : s.fields) // every field lies inside its section
                QVERIFY(f.offset >= s.offset && f.offset + f.size <= s.offset + s.length);
        }
        QCOMPARE(block.toJson().value("sections").toArray().size(), 8);
        QVERIFY(block.toText().contains(QLatin1String("\"Door\"")));
    }

    void malformedBlocksSayWhere_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QString>("error");

        QTest::newRow("empty") << QByteArray() << "empty";
        QTest::newRow("no header") << QByteArray::fromHex("030000") << "ends before its header";
        QTest::newRow("header too long")
            << QByteArray::fromHex("01000000ff00020000") << "declares 255 bytes";
        const int headerEnd = 1 + int(qFromBigEndian<quint32>(m_saved.constData() + 1));
        QTest::newRow("section below its head")
            << QByteArray(1, 2) + m_saved.mid(1, headerEnd - 1) +
                   QByteArray::fromHex("0000000400030000")
            << "less than its own 8-byte head";
    }

    void malformedBlocksSayWhere()
    {
        QFETCH(QByteArray, block);
        QFETCH(QString, error);
        const DecodedBlock inspected = BlockDecoder::decode(block);
        QVERIFY(!inspected.ok);
        QVERIFY2(inspected.error.contains(error), qPrintable(inspected.error));
        QVERIFY(inspected.toText().contains(QLatin1String("malformed")));
    }

    void unknownSectionsAreShownAsBytes()
    {
        QByteArray block = m_saved;
        block[0] = char(quint8(block.at(0)) + 1);
        block.append(QByteArray::fromHex("0000000c0163000001020304"));
        block.append(QByteArray::fromHex("aabb"));
        const DecodedBlock inspected = BlockDecoder::decode(block);
        QVERIFY(inspected.ok);
        const DecodedSection& unknown = inspected.sections.last();
        QCOMPARE(unknown.id, quint8(99));
        QVERIFY(!unknown.decoded);
        QVERIFY(inspected.toText().contains(QLatin1String("01 02 03 04")));
        QCOMPARE(inspected.notes, QStringList{"2 bytes after the last counted section"});
    }

    // A comment that would clear the terminal and reverse the line is printed as escapes.
    void textsReachTheTerminalEscaped()
    {
        auto other = ParamBlock::restore(m_saved, QString(), false);
        other->descriptor.comment = QStringLiteral("a\x1b[2J\u202eb");
        const DecodedBlock block = BlockDecoder::decode(ParamBlock::save(*other));
        const QString shown = QStringLiteral("\"a\\u001b[2J\\u202eb\"");
        QVERIFY(block.toText().contains(shown));
        QCOMPARE(BlockDecoder::differences(BlockDecoder::decode(m_saved), block),
                 QStringList{"module information / comment: \"main cabinet\" / " + shown});
        for (const QString& text :
             {block.toText(), BlockDecoder::differences(block, {}).join('\n')})
            QVERIFY(!text.contains(QChar(0x1b)) && !text.contains(QChar(0x202e)));
    }

    void fieldDifferences()
    {
        auto other = ParamBlock::restore(m_saved, QString(), false);
        other->params.tcpIp.ip = {10, 0, 0, 7};
        other->params.background.percent = 20;
        other->extBusClock = 1;
        const QStringList lines = BlockDecoder::differences(
            BlockDecoder::decode(m_saved), BlockDecoder::decode(ParamBlock::save(*other)));
        QCOMPARE(lines,
                 (QStringList{"CPU parameters / TCP/IP / IP address: 192.168.1.201 / 10.0.0.7",
                              "CPU parameters / background time / percent: 10 / 20",
                              "CPU expansion / extension-bus clock: 0 / 1"}));
    }
};

QTEST_GUILESS_MAIN(TestBlockDecoder)
#include "tst_blockdecoder.moc"
