#include "hostfixture.h"

#include <corekit/memory.h>
#include <plugin/corvocpuapi.h>

#include <QLibrary>
#include <QtTest>

using namespace CorvoCpuApi;

// The plug-in as the host sees it: loaded by file name, every export resolved by name.
class TestAbi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyExportResolves_data();
    void everyExportResolves();
    void lifecycleThroughExports();
    void guardsAndConstants();

private:
    template <typename Fn>
    Fn fn(const char* name)
    {
        return reinterpret_cast<Fn>(m_library.resolve(name));
    }

    QLibrary m_library;
};

void TestAbi::initTestCase()
{
    m_library.setFileName(QStringLiteral(CORVO_PLUGIN_FILE));
    QVERIFY2(m_library.load(), qPrintable(m_library.errorString()));
}

void TestAbi::everyExportResolves_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name :
         {"createObject", "releaseObject", "cloneFromHandle", "getFileVersion", "getName",
          "getComment", "getRackId", "setRackId", "getSlotId", "setSlotId", "getPosition",
          "setPosition", "getInMap", "getOutMap", "enableEtherCAT", "getBaudrate", "getNodeId"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestAbi::everyExportResolves()
{
    QFETCH(QString, name);
    QVERIFY(m_library.resolve(name.toLatin1().constData()));
}

void TestAbi::lifecycleThroughExports()
{
    HostFixture host;
    const QString project = host.writeProject(QStringLiteral("p.json"), QStringLiteral("KLV2-R70"));
    auto createObject = fn<CreateObjectFn>("createObject");
    auto releaseObject = fn<ReleaseObjectFn>("releaseObject");

    Handle cpu = createObject(0x21, project);
    QVERIFY(cpu);
    QCOMPARE(fn<GetNameFn>("getName")(cpu), QStringLiteral("R70"));
    QCOMPARE(fn<GetIntFn>("getRackId")(cpu), -1);
    fn<SetIntFn>("setRackId")(cpu, 3);
    fn<SetIntFn>("setSlotId")(cpu, 7);
    QCOMPARE(fn<GetIntFn>("getRackId")(cpu), 3);
    QCOMPARE(fn<GetIntFn>("getSlotId")(cpu), 7);
    fn<SetPositionFn>("setPosition")(cpu, Position{-5, 12});
    const Position position = fn<GetPositionFn>("getPosition")(cpu);
    QCOMPARE(position.x, -5);
    QCOMPARE(position.y, 12);
    const LocalIoMap in = fn<GetMapFn>("getInMap")(cpu);
    const LocalIoMap out = fn<GetMapFn>("getOutMap")(cpu);
    QCOMPARE(in.area, quint8(129));
    QCOMPARE(in.points, quint8(16));
    QCOMPARE(out.area, quint8(130));
    QCOMPARE(in.flag1 + in.flag2, 2);
    QCOMPARE(fn<GetIntFn>("getBaudrate")(cpu), 1000);
    QCOMPARE(fn<GetIntFn>("getNodeId")(cpu), 1);
    fn<EnableEtherCatFn>("enableEtherCAT")(cpu);
    QCOMPARE(getUsedMemory(project).size(), 2);

    releaseObject(cpu);
    QVERIFY(getUsedMemory(project).isEmpty());
    QVERIFY(!createObject(0x77, project));
}

void TestAbi::guardsAndConstants()
{
    fn<ReleaseObjectFn>("releaseObject")(nullptr);
    QCOMPARE(fn<GetIntFn>("getBaudrate")(nullptr), -1);
    QCOMPARE(fn<GetIntFn>("getNodeId")(nullptr), -1);
    int anything = 42;
    QVERIFY(!fn<CloneFromHandleFn>("cloneFromHandle")(&anything));
    QCOMPARE(fn<GetFileVersionFn>("getFileVersion")(), 0);
}

QTEST_GUILESS_MAIN(TestAbi)
#include "tst_abi.moc"
