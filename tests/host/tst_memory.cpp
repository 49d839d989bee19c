#include "hostfixture.h"

#include <corekit/memory.h>

#include <QtTest>

// The project's memory bookkeeping as the plug-in and the demo host use it.
class TestMemory : public QObject
{
    Q_OBJECT

    HostFixture m_host;
    QString m_project;

private slots:
    void init()
    {
        m_project = m_host.writeProject(QStringLiteral("p.json"), QStringLiteral("KLV2-R70"));
        clearUsedMemory(m_project);
    }

    // Bytes V10..V13 and bit V20.3 are claimed when a claim of bytes ('B'), bits ('b') or
    // local memory ('L', against KLV2-R70's I 128, M 32 and no size for area 0x85) is made.
    void claims_data()
    {
        QTest::addColumn<char>("how");
        QTest::addColumn<int>("area");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("result");
        const auto row = [](const char* name, char how, int area, int start, int length,
                            int result) {
            QTest::newRow(name) << how << area << start << length << result;
        };
        row("bytes before", 'B', 0x84, 6, 4, MemoryOk);
        row("bytes touching end", 'B', 0x84, 14, 2, MemoryOk);
        row("bytes overlapping start", 'B', 0x84, 8, 3, MemoryOverlap);
        row("bytes inside", 'B', 0x84, 11, 1, MemoryOverlap);
        row("bytes covering a claimed bit", 'B', 0x84, 19, 3, MemoryOverlap);
        row("same bytes in M", 'B', 0x83, 10, 4, MemoryOk);
        row("bit in a claimed byte", 'b', 0x84, 13 * 8 + 7, 1, MemoryOverlap);
        row("same bit again", 'b', 0x84, 20 * 8 + 3, 1, MemoryOverlap);
        row("neighbour bit", 'b', 0x84, 20 * 8 + 4, 1, MemoryOk);
        row("bit run across the claimed bit", 'b', 0x84, 20 * 8, 8, MemoryOverlap);
        row("negative start", 'B', 0x84, -1, 2, MemoryInvalidRequest);
        row("empty length", 'B', 0x84, 0, 0, MemoryInvalidRequest);
        row("last input byte", 'L', 129, 127, 1, MemoryOk);
        row("past the inputs", 'L', 129, 127, 2, MemoryOutOfRange);
        row("whole M", 'L', 0x83, 0, 32, MemoryOk);
        row("past M", 'L', 0x83, 32, 1, MemoryOutOfRange);
        row("undeclared area", 'L', 0x85, 100000, 10, MemoryOk);
        row("no int overflow", 'L', 0x83, 1, INT_MAX, MemoryOutOfRange);
    }

    void claims()
    {
        QFETCH(char, how);
        QFETCH(int, area);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(int, result);
        QCOMPARE(getMemory(m_project, 0x84, 10, 4), int(MemoryOk));
        QCOMPARE(getBitMemory(m_project, 0x84, 20 * 8 + 3, 1), int(MemoryOk));
        const auto before = getUsedMemory(m_project);
        const auto claim = how == 'b' ? getBitMemory : how == 'L' ? getLocalMemory : getMemory;
        QCOMPARE(claim(m_project, area, start, length), result);
        if (result != MemoryOk)
            QCOMPARE(getUsedMemory(m_project), before); // a refused claim changes nothing
    }

    void freeingSplitsAndReports()
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

    void projectsAreSeparateAndPathsNormalised()
    {
        const QString other =
            m_host.writeProject(QStringLiteral("q.json"), QStringLiteral("KLV2-R70"));
        clearUsedMemory(other);
        QCOMPARE(getMemory(m_project, 0x84, 0, 4), int(MemoryOk));
        QCOMPARE(getMemory(other, 0x84, 0, 4), int(MemoryOk));
        const QString sameProject =
            QFileInfo(m_project).absolutePath() + QStringLiteral("/./sub/../p.json");
        QCOMPARE(getMemory(sameProject, 0x84, 2, 1), int(MemoryOverlap));
        QCOMPARE(getMemory(QString(), 0x84, 100, 1), int(MemoryInvalidRequest));
        QVERIFY(getUsedMemory(QString()).isEmpty());
    }

    void snapshotsNest()
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
};

QTEST_GUILESS_MAIN(TestMemory)
#include "tst_memory.moc"
