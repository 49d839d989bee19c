#include "hostfixture.h"

#include <block/blockcompare.h>
#include <block/cpuparamsection.h>
#include <model/cpuobjectfactory.h>

#include <QtTest>

namespace {

QByteArray section(quint8 id, const QByteArray& payload, quint8 mark = 0)
{
    QByteArray s(4, 0);
    qToBigEndian(quint32(8 + payload.size()), s.data());
    s.append(char(mark));
    s.append(char(id));
    s.append(2, 0);
    return s + payload;
}

// Four bytes the compare does not look at, the count byte, the sections.
QByteArray block(const QList<QByteArray>& sections, int count = -1)
{
    QByteArray b("\xDE\xAD\xBE\xEF", 4);
    b.append(char(count < 0 ? sections.size() : count));
    for (const QByteArray& s : sections)
        b.append(s);
    return b;
}

const QString kPort1 = QStringLiteral("The PPI port 1 parameters is not the same.");
const QString kPassword = QStringLiteral("The password parameters is not the same.");
const QString kSoe = QStringLiteral("The SOE configuration is not the same.");

} // namespace

class TestBlockCompare : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sections_data();
    void sections();
    void cpuParameterSubBlocks_data();
    void cpuParameterSubBlocks();
    void sectionMessages_data();
    void sectionMessages();
    void malformedBlocksReadAsZeros_data();
    void malformedBlocksReadAsZeros();

private:
    QByteArray m_cpu; // a real CPU parameter section
    QByteArray m_header = section(2, QByteArray::fromHex("00000021ffff0352373000"));
};

void TestBlockCompare::initTestCase()
{
    HostFixture host;
    auto cpu = CpuObjectFactory::create(0x21, QString());
    QList<int> errors;
    m_cpu = CpuParamSection::write(*cpu, WriteMode::Download, errors);
}

void TestBlockCompare::sections_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<QStringList>("messages");

    const QByteArray ecat = section(22, "ecat");
    const QByteArray hsc = section(29, "hsc", 1);
    const QByteArray base = block({m_header, m_cpu, ecat, section(8, "\x01"), hsc});
    QTest::newRow("equal") << base << base << QStringList();
    QTest::newRow("the four bytes before the count")
        << base << QByteArray(base).replace(0, 4, "xxxx") << QStringList();
    QTest::newRow("counts differ, nothing else read")
        << base << block({m_header, section(3, "x"), ecat, section(8, "\x01"), hsc}, 6)
        << QStringList{"The CPU parameters number is not the same."};
    QTest::newRow("EtherCAT first, HSC not reached")
        << base
        << block({m_header, m_cpu, section(22, "ECAT"), section(8, "\x01"), section(29, "HSC", 1)})
        << QStringList{"The EtherCAT parameters is not the same."};
    QTest::newRow("header") << base
                            << block({section(2, "other"), m_cpu, ecat, section(8, "\x01"), hsc})
                            << QStringList{"The module common information is not the same."};
    for (int id : {33, 34, 35, 40, 48, 49}) {
        const QByteArray a = block({m_header, section(quint8(id), "a", 1), section(8, "\x01")});
        const QByteArray b = block({m_header, section(quint8(id), "b", 1), section(8, "\x02")});
        QTest::addRow("section %d ends silently", id) << a << b << QStringList();
    }
    QTest::newRow("section 28 has two blanks")
        << block({m_header, section(28, "\x10\x66\x66", 1)})
        << block({m_header, section(28, "\x10\x66\x67", 1)})
        << QStringList{"The local digital input filter  parameters is not the same."};
    QTest::newRow("differing identifiers use the first block's")
        << block({m_header, section(8, "\x01")}) << block({m_header, section(22, "\x01")})
        << QStringList{"The CPU expansion parameters is not the same."};
}

void TestBlockCompare::sections()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QFETCH(QStringList, messages);
    QCOMPARE(BlockCompare::compare(first, second), messages);
}

void TestBlockCompare::cpuParameterSubBlocks_data()
{
    QTest::addColumn<QList<int>>("changedOffsets"); // inside the CPU parameter section
    QTest::addColumn<bool>("addSoe");
    QTest::addColumn<QStringList>("messages");

    // Port 1 starts at 36, TCP/IP at 66, the ranges at 256, password at 340, background at 352.
    QTest::newRow("port 1 and password, then the walk goes on")
        << QList<int>{36 + 11, 340 + 3} << false
        << QStringList{kPort1, kPassword, "The CPU expansion parameters is not the same."};
    QTest::newRow("TCP/IP port") << QList<int>{66 + 70} << false
                                 << QStringList{"The TCP/IP port parameters is not the same.",
                                                "The CPU expansion parameters is not the same."};
    QTest::newRow("retentive") << QList<int>{256 + 14 * 5 + 7} << false
                               << QStringList{"The retentive ranges parameters is not the same.",
                                              "The CPU expansion parameters is not the same."};
    QTest::newRow("only the SOE records")
        << QList<int>{} << true
        << QStringList{kSoe, "The CPU expansion parameters is not the same."};
}

void TestBlockCompare::cpuParameterSubBlocks()
{
    QFETCH(QList<int>, changedOffsets);
    QFETCH(bool, addSoe);
    QFETCH(QStringList, messages);
    QByteArray changed = m_cpu;
    for (int offset : changedOffsets)
        changed[offset] = char(changed.at(offset) ^ 0x5A);
    if (addSoe) {
        HostFixture host;
        auto cpu = CpuObjectFactory::create(0x21, QString());
        cpu->soe[2].slot = 2;
        QList<int> errors;
        changed = CpuParamSection::write(*cpu, WriteMode::Download, errors);
    }
    const QByteArray a = block({m_header, m_cpu, section(8, "\x01"), section(29, "a")});
    const QByteArray b = block({m_header, changed, section(8, "\x02"), section(29, "b")});
    QCOMPARE(BlockCompare::compare(a, b), messages);
}

void TestBlockCompare::sectionMessages_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("message");
    QTest::newRow("4") << 4 << "The CANopen master address Mapping info is not the same.";
    QTest::newRow("17") << 17 << "The CANopen master communication parameters is not the same.";
    QTest::newRow("19") << 19 << "The HSC parameters is not the same.";
    QTest::newRow("25") << 25 << "The local CAN config parameters is not the same.";
    QTest::newRow("32") << 32 << "The OPC UA Server parameters is not the same.";
    QTest::newRow("39") << 39 << "The Expansion card parameters is not the same.";
    QTest::newRow("none for 9") << 9 << "";
}

void TestBlockCompare::sectionMessages()
{
    QFETCH(int, id);
    QFETCH(QString, message);
    QCOMPARE(BlockCompare::sectionMessage(quint8(id)), message);
}

void TestBlockCompare::malformedBlocksReadAsZeros_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<QStringList>("messages");

    const QByteArray full = block({m_header, m_cpu});
    QTest::newRow("both empty") << QByteArray() << QByteArray() << QStringList();
    QTest::newRow("empty against a block")
        << QByteArray() << full << QStringList{"The CPU parameters number is not the same."};
    QTest::newRow("second cut inside the CPU section")
        << full << full.left(full.size() - 100)
        << QStringList{"The retentive ranges parameters is not the same."};
    QTest::newRow("lengths near 4 GiB")
        << block({QByteArray::fromHex("ffffffff00030000") + m_cpu.mid(8)})
        << block({QByteArray::fromHex("fffffff000030000") + m_cpu.mid(8)}) << QStringList();
    QTest::newRow("zero-length sections")
        << block({QByteArray(8, 0)}, 200) << block({QByteArray(9, 0)}, 200) << QStringList();
}

void TestBlockCompare::malformedBlocksReadAsZeros()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QFETCH(QStringList, messages);
    QCOMPARE(BlockCompare::compare(first, second), messages);
}

QTEST_GUILESS_MAIN(TestBlockCompare)
#include "tst_blockcompare.moc"
