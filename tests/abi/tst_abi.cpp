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
    void blocksThroughExports();
    void busesThroughExports();

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
    for (const char* name : {"createObject",    "releaseObject",
                             "cloneFromHandle", "getFileVersion",
                             "getName",         "getComment",
                             "getRackId",       "setRackId",
                             "getSlotId",       "setSlotId",
                             "getPosition",     "setPosition",
                             "getInMap",        "getOutMap",
                             "enableEtherCAT",  "getBaudrate",
                             "getNodeId",       "save",
                             "restore",         "cloneFromSaveData",
                             "compare",         "compile",
                             "compileOld",      "recompile",
                             "addCanSlave",     "removeCanSlave",
                             "getCanSlaveList", "addEthSlave",
                             "removeEthSlave",  "getEthSlaveList",
                             "addEipSlave",     "removeEipSlave",
                             "getEipSlaveList", "addQbusSlave",
                             "removeQbusSlave", "getQbusSlaveList",
                             "getMappingSym",   "resetEthSlaveIoMapChanged"})
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

void TestAbi::blocksThroughExports()
{
    HostFixture host;
    const QString project = host.writeProject(QStringLiteral("p.json"), QStringLiteral("KLV2-R70"));
    Handle cpu = fn<CreateObjectFn>("createObject")(0x21, project);
    QVERIFY(cpu);
    fn<SetIntFn>("setSlotId")(cpu, 4);
    const QByteArray saved = fn<SaveFn>("save")(cpu);
    Handle restored = fn<RestoreFn>("restore")(saved, project);
    Handle cloned = fn<CloneFromSaveDataFn>("cloneFromSaveData")(saved, project);
    QVERIFY(restored && cloned);
    QCOMPARE(fn<GetIntFn>("getSlotId")(restored), 4);
    QCOMPARE(fn<SaveFn>("save")(cloned), saved);
    QVERIFY(!fn<RestoreFn>("restore")(QByteArray(), project));

    QByteArray block("stale");
    QList<int> errors{5};
    QCOMPARE(fn<CompileFn>("compile")(cpu, block, errors), 0);
    QVERIFY(errors.isEmpty());
    QCOMPARE(fn<CompileFn>("compileOld")(cpu, block, errors), 0);
    QCOMPARE(quint8(block.at(0)), quint8(3));
    fn<CompileFn>("compile")(cpu, block, errors);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(host.home() + QStringLiteral("/bin"));
    int error = -7;
    Handle rebuilt = fn<RecompileFn>("recompile")(block, project, error);
    QDir::setCurrent(previous);
    QVERIFY(rebuilt);
    QCOMPARE(error, 0);
    QByteArray again;
    fn<CompileFn>("compile")(rebuilt, again, errors);
    const QByteArray prefix(4, '\0');
    QVERIFY(fn<CompareFn>("compare")(prefix + block, prefix + again).isEmpty());
    fn<SetIntFn>("setSlotId")(rebuilt, 5);
    fn<CompileFn>("compile")(rebuilt, again, errors);
    QCOMPARE(fn<CompareFn>("compare")(prefix + block, prefix + again),
             QStringList{"The module common information is not the same."});
    // Objects built from blocks hold no claims; releasing them leaves the original's.
    for (Handle h : {restored, cloned, rebuilt})
        fn<ReleaseObjectFn>("releaseObject")(h);
    QCOMPARE(getUsedMemory(project).size(), 2);
    fn<ReleaseObjectFn>("releaseObject")(cpu);
    QVERIFY(getUsedMemory(project).isEmpty());
}

void TestAbi::busesThroughExports()
{
    HostFixture host;
    Handle cpu = fn<CreateObjectFn>("createObject")(0x21, QString());
    QList<int> handles{1};
    QList<int> codes{2};
    // Every bus starts off: the lists say -1 and leave the caller's lists alone.
    for (const char* name :
         {"getEthSlaveList", "getEipSlaveList", "getQbusSlaveList", "getCanSlaveList"})
        QCOMPARE(fn<SlaveListFn>(name)(cpu, handles, codes), -1);
    QCOMPARE(handles, QList<int>{1});
    QCOMPARE(fn<SlaveListFn>("getQbusSlaveList")(nullptr, handles, codes), -1);

    // CAN slaves are refused while the CANopen master is off.
    fn<AddSlaveFn>("addCanSlave")(cpu, 17, QStringLiteral("dpslavekit.dll"));
    fn<AddSlaveFn>("addEthSlave")(cpu, 3000123, QStringLiteral("ecatslavekit.dll"));
    fn<AddSlaveFn>("addEthSlave")(nullptr, 1, QStringLiteral("ecatslavekit.dll"));
    fn<EnableEtherCatFn>("enableEtherCAT")(cpu);
    QCOMPARE(fn<SlaveListFn>("getEthSlaveList")(cpu, handles, codes), 1);
    QCOMPARE(handles, QList<int>{3000123});
    QCOMPARE(codes, QList<int>{0xFFF});
    fn<RemoveSlaveFn>("removeEthSlave")(cpu, 3000123);
    QCOMPARE(fn<SlaveListFn>("getEthSlaveList")(cpu, handles, codes), 0);
    QVERIFY(handles.isEmpty() && codes.isEmpty());
    QList<Symbol> symbols;
    fn<GetMappingSymFn>("getMappingSym")(cpu, symbols);
    fn<ResetEthSlaveIoMapChangedFn>("resetEthSlaveIoMapChanged")(cpu);
    QVERIFY(symbols.isEmpty());
    fn<ReleaseObjectFn>("releaseObject")(cpu);
}

QTEST_GUILESS_MAIN(TestAbi)
#include "tst_abi.moc"
