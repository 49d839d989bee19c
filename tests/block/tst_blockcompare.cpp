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
const QString kExpansion = QStringLiteral("The CPU expansion parameters is not the same.");

} // namespace

class TestBlockCompare : public QObject
{
    Q_OBJECT

private:
    QByteArray m_cpu; // a real CPU parameter section
    QByteArray m_cpuWithSoe;
    QByteArray m_header = section(2, QByteArray::fromHex("00000021ffff0352373000"));

private slots:
    void initTestCase()
    {
        HostFixture host;
        auto cpu = CpuObjectFactory::create(0x21, QString());
        QList<int> errors;
        m_cpu = CpuParamSection::write(*cpu, WriteMode::Download, errors);
        cpu->soe[2].slot = 2;
        m_cpuWithSoe = CpuParamSection::write(*cpu, WriteMode::Download, errors);
    }

    void compare_data()
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
            << block({m_header, m_cpu, section(22, "ECAT"), section(8, "\x01"),
                      section(29, "HSC", 1)})
            << QStringList{"The EtherCAT parameters is not the same."};
        QTest::newRow("header") << base
                                << block(
                                       {section(2, "other"), m_cpu, ecat, section(8, "\x01"), hsc})
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
            << QStringList{kExpansion};

        // Sub-blocks of the CPU parameters; the walk goes on after them. Port 1 starts at 36,
        // TCP/IP at 66, the ranges at 256, password at 340, background at 352.
        const auto changedCpu = [&](const char* name, QByteArray changed, QList<int> offsets,
                                    const QStringList& messages) {
            for (int offset : offsets)
                changed[offset] = char(changed.at(offset) ^ 0x5A);
            QTest::newRow(name) << block({m_header, m_cpu, section(8, "\x01"), section(29, "a")})
                                << block({m_header, changed, section(8, "\x02"), section(29, "b")})
                                << messages + QStringList{kExpansion};
        };
        changedCpu("port 1 and password", m_cpu, {36 + 11, 340 + 3}, {kPort1, kPassword});
        changedCpu("TCP/IP port", m_cpu, {66 + 70},
                   {"The TCP/IP port parameters is not the same."});
        changedCpu("retentive", m_cpu, {256 + 14 * 5 + 7},
                   {"The retentive ranges parameters is not the same."});
        changedCpu("only the SOE records", m_cpuWithSoe, {}, {kSoe});

        // Malformed blocks read as zeros.
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

    void compare()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        QFETCH(QStringList, messages);
        QCOMPARE(BlockCompare::compare(first, second), messages);
    }

    // The messages no block above reaches.
    void sectionMessages()
    {
        QStringList messages;
        for (quint8 id : {4, 17, 19, 25, 32, 39, 9})
            messages.append(BlockCompare::sectionMessage(id));
        QCOMPARE(messages,
                 (QStringList{"The CANopen master address Mapping info is not the same.",
                              "The CANopen master communication parameters is not the same.",
                              "The HSC parameters is not the same.",
                              "The local CAN config parameters is not the same.",
                              "The OPC UA Server parameters is not the same.",
                              "The Expansion card parameters is not the same.", ""}));
    }
};

QTEST_GUILESS_MAIN(TestBlockCompare)
#include "tst_blockcompare.moc"
