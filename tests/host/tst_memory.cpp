#include "hostfixture.h"

#include <corekit/memory.h>

#include <QtTest>

// The project's memory bookkeeping as the plug-in and the demo host use it.
class TestMemory : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void claimsAgainstExistingClaims_data();
    void claimsAgainstExistingClaims();
    void areaSizeOfThePlcType_data();
    void areaSizeOfThePlcType();
    void freeingSplitsAndReports();
    void projectsAreSeparateAndPathsNormalised();
    void snapshotsNest();

private:
    HostFixture m_host;
    QString m_project;
};

void TestMemory::init()
{
    m_project = m_host.writeProject(QStringLiteral("p.json"), QStringLiteral("KLV2-R70"));
    clearUsedMemory(m_project);
}

// Existing claims: bytes V10..V13 and bit V20.3. A new claim of kind
// (bytes/bits) at start/length is compared with them.
void TestMemory::claimsAgainstExistingClaims_data()
{
    QTest::addColumn<bool>("bits");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("result");

    QTest::newRow("bytes before") << false << 6 << 4 << int(MemoryOk);
    QTest::newRow("bytes touching end") << false << 14 << 2 << int(MemoryOk);
    QTest::newRow("bytes overlapping start") << false << 8 << 3 << int(MemoryOverlap);
    QTest::newRow("bytes inside") << false << 11 << 1 << int(MemoryOverlap);
    QTest::newRow("bytes covering a claimed bit") << false << 19 << 3 << int(MemoryOverlap);
    QTest::newRow("bit in a claimed byte") << true << 13 * 8 + 7 << 1 << int(MemoryOverlap);
    QTest::newRow("same bit again") << true << 20 * 8 + 3 << 1 << int(MemoryOverlap);
    QTest::newRow("neighbour bit") << true << 20 * 8 + 4 << 1 << int(MemoryOk);
    QTest::newRow("bit run across the claimed bit") << true << 20 * 8 << 8 << int(MemoryOverlap);
    QTest::newRow("negative start") << false << -1 << 2 << int(MemoryInvalidRequest);
    QTest::newRow("empty length") << false << 0 << 0 << int(MemoryInvalidRequest);
}

void TestMemory::claimsAgainstExistingClaims()
{
    QFETCH(bool, bits);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, result);
    QCOMPARE(getMemory(m_project, 0x84, 10, 4), int(MemoryOk));
    QCOMPARE(getBitMemory(m_project, 0x84, 20 * 8 + 3, 1), int(MemoryOk));
    const auto before = getUsedMemory(m_project);

    const int got = bits ? getBitMemory(m_project, 0x84, start, length)
                         : getMemory(m_project, 0x84, start, length);
    QCOMPARE(got, result);
    if (result != MemoryOk)
        QCOMPARE(getUsedMemory(m_project), before); // a refused claim changes nothing
    // Another area is unaffected by the claims in V.
    QCOMPARE(getMemory(m_project, 0x83, 10, 4), int(MemoryOk));
}

void TestMemory::areaSizeOfThePlcType_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("result");

    // KLV2-R70 declares I 128, M 32 and no size for area 0x85.
    QTest::newRow("last input byte") << 129 << 127 << 1 << int(MemoryOk);
    QTest::newRow("past the inputs") << 129 << 127 << 2 << int(MemoryOutOfRange);
    QTest::newRow("whole M") << 0x83 << 0 << 32 << int(MemoryOk);
    QTest::newRow("past M") << 0x83 << 32 << 1 << int(MemoryOutOfRange);
    QTest::newRow("undeclared area") << 0x85 << 100000 << 10 << int(MemoryOk);
    QTest::newRow("no int overflow") << 0x83 << 1 << INT_MAX << int(MemoryOutOfRange);
}

void TestMemory::areaSizeOfThePlcType()
{
    QFETCH(int, area);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, result);
    QCOMPARE(getLocalMemory(m_project, area, start, length), result);
}

void TestMemory::freeingSplitsAndReports()
{
    QCOMPARE(getMemory(m_project, 0x84, 0, 10), int(MemoryOk));
    QCOMPARE(freeMemory(m_project, 0x84, 4, 2), int(MemoryOk));
    const QList<MemoryClaim> expected{{0x84, 0, 4, false, false}, {0x84, 6, 4, false, false}};
    QCOMPARE(getUsedMemory(m_project), expected);
    // Freeing a range that was only partly claimed frees that part and says so.
    QCOMPARE(freeMemory(m_project, 0x84, 8, 4), int(MemoryNotClaimed));
    QCOMPARE(getMemory(m_project, 0x84, 8, 2), int(MemoryOk));
    QCOMPARE(getBitMemory(m_project, 0x84, 100, 3), int(MemoryOk));
    QCOMPARE(freeBitMemory(m_project, 0x84, 101, 1), int(MemoryOk));
    QCOMPARE(freeBitMemory(m_project, 0x84, 101, 1), int(MemoryNotClaimed));
    QCOMPARE(getBitMemory(m_project, 0x84, 101, 1), int(MemoryOk));
}

void TestMemory::projectsAreSeparateAndPathsNormalised()
{
    const QString other = m_host.writeProject(QStringLiteral("q.json"), QStringLiteral("KLV2-R70"));
    clearUsedMemory(other);
    QCOMPARE(getMemory(m_project, 0x84, 0, 4), int(MemoryOk));
    QCOMPARE(getMemory(other, 0x84, 0, 4), int(MemoryOk));
    const QString sameProject =
        QFileInfo(m_project).absolutePath() + QStringLiteral("/./sub/../p.json");
    QCOMPARE(getMemory(sameProject, 0x84, 2, 1), int(MemoryOverlap));
    QCOMPARE(getMemory(QString(), 0x84, 100, 1), int(MemoryInvalidRequest));
    QVERIFY(getUsedMemory(QString()).isEmpty());
}

void TestMemory::snapshotsNest()
{
    QCOMPARE(getMemory(m_project, 0x84, 0, 2), int(MemoryOk));
    const auto base = getUsedMemory(m_project);
    backupUsedMemory(m_project);
    QCOMPARE(getMemory(m_project, 0x84, 10, 2), int(MemoryOk));
    const auto afterFirst = getUsedMemory(m_project);
    backupUsedMemory(m_project);
    QCOMPARE(freeMemory(m_project, 0x84, 0, 2), int(MemoryOk));
    QCOMPARE(backupDepth(m_project), 2);

    restoreUsedMemory(m_project); // inner edit rolled back
    QCOMPARE(getUsedMemory(m_project), afterFirst);
    popBackupMemory(m_project); // outer edit kept
    QCOMPARE(backupDepth(m_project), 0);
    QCOMPARE(getUsedMemory(m_project), afterFirst);
    restoreUsedMemory(m_project); // nothing to roll back to
    QCOMPARE(getUsedMemory(m_project), afterFirst);
    QVERIFY(base != afterFirst);
}

QTEST_GUILESS_MAIN(TestMemory)
#include "tst_memory.moc"
