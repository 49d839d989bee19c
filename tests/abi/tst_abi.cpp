#include "hostfixture.h"

#include <corekit/memory.h>
#include <plugin/corvocpuapi.h>

#include <QLibrary>
#include <QtTest>

#include <functional>

using namespace CorvoCpuApi;

// The plug-in as the host sees it: loaded by file name, every export resolved by name (hwcfg
// resolves them all as well).
class TestAbi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyExportOnANullHandle_data();
    void everyExportOnANullHandle();
    void blocksThroughExports();
    void busesThroughExports();

private:
    // What each export that takes a handle answers without one (docs/architecture.md).
    QHash<QString, std::function<void()>> nullHandleChecks();

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

void TestAbi::everyExportOnANullHandle_data()
{
    QTest::addColumn<QString>("name");
    const QStringList names = nullHandleChecks().keys();
    for (const QString& name : names)
        QTest::newRow(qPrintable(name)) << name;
}

void TestAbi::everyExportOnANullHandle()
{
    QFETCH(QString, name);
    QVERIFY(m_library.resolve(qPrintable(name)));
    HostFixture host;
    nullHandleChecks().value(name)();
}

QHash<QString, std::function<void()>> TestAbi::nullHandleChecks()
{
    QHash<QString, std::function<void()>> checks;
    const auto each = [&checks](std::initializer_list<const char*> names,
                                const std::function<void(const char*)>& check) {
        for (const char* name : names)
            checks.insert(QLatin1String(name), [=] { check(name); });
    };
    each({"releaseObject", "enableEtherCAT", "resetEthSlaveIoMapChanged"},
         [this](const char* n) { fn<ReleaseObjectFn>(n)(nullptr); });
    each({"cloneFromHandle"},
         [this](const char* n) { QVERIFY(!fn<CloneFromHandleFn>(n)(nullptr)); });
    each({"getName", "getComment"},
         [this](const char* n) { QVERIFY(fn<GetNameFn>(n)(nullptr).isNull()); });
    each({"save", "exportConfiguration"},
         [this](const char* n) { QVERIFY(fn<SaveFn>(n)(nullptr).isEmpty()); });
    each({"getRackId", "getSlotId", "getBaudrate", "getNodeId"},
         [this](const char* n) { QCOMPARE(fn<GetIntFn>(n)(nullptr), -1); });
    each({"setRackId", "setSlotId"}, [this](const char* n) { fn<SetIntFn>(n)(nullptr, 7); });
    each({"getPosition"}, [this](const char* n) {
        const Position position = fn<GetPositionFn>(n)(nullptr);
        QCOMPARE(std::make_pair(position.x, position.y), std::make_pair(0, 0));
    });
    each({"setPosition"}, [this](const char* n) { fn<SetPositionFn>(n)(nullptr, Position{1, 2}); });
    each({"getInMap", "getOutMap"},
         [this](const char* n) { QCOMPARE(fn<GetMapFn>(n)(nullptr).points, quint8(0)); });
    each({"compile", "compileOld"}, [this](const char* n) {
        QByteArray block("stale");
        QList<int> errors{8};
        QCOMPARE(fn<CompileFn>(n)(nullptr, block, errors), 1);
        QVERIFY(block.isEmpty() && errors.isEmpty());
    });
    each({"addCanSlave", "addEthSlave", "addEipSlave", "addQbusSlave"}, [this](const char* n) {
        fn<AddSlaveFn>(n)(nullptr, 3000001, QStringLiteral("ecatslavekit.dll"));
    });
    each({"removeCanSlave", "removeEthSlave", "removeEipSlave", "removeQbusSlave"},
         [this](const char* n) { fn<RemoveSlaveFn>(n)(nullptr, 3000001); });
    each({"getCanSlaveList", "getEthSlaveList", "getEipSlaveList", "getQbusSlaveList"},
         [this](const char* n) {
             QList<int> handles{1};
             QList<int> codes{2};
             QCOMPARE(fn<SlaveListFn>(n)(nullptr, handles, codes), -1);
             QCOMPARE(handles + codes, (QList<int>{1, 2}));
         });
    each({"getMappingSym"}, [this](const char* n) {
        QList<Symbol> symbols{Symbol()};
        fn<GetMappingSymFn>(n)(nullptr, symbols);
        QCOMPARE(symbols.size(), 1);
    });
    // A parent that is never touched: the handle alone must stop the call.
    each({"config"}, [this](const char* n) {
        int notAWidget = 0;
        QCOMPARE(
            fn<ConfigFn>(n)(nullptr, QString(), reinterpret_cast<QWidget*>(&notAWidget), false), 0);
    });
    each({"validateConfiguration"}, [this](const char* n) {
        QList<Finding> findings{{QStringLiteral("x"), QString(), QString()}};
        QCOMPARE(fn<ValidateConfigurationFn>(n)(nullptr, findings), -1);
        QCOMPARE(findings.size(), 1);
    });
    return checks;
}

// Save, restore, clone, compile, recompile and compare as a host calls them; objects built
// from blocks hold no memory claims, so releasing them leaves the original's.
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

    QByteArray block("stale");
    QList<int> errors{5};
    QCOMPARE(fn<CompileFn>("compileOld")(cpu, block, errors), 0);
    QCOMPARE(quint8(block.at(0)), quint8(3));
    QCOMPARE(fn<CompileFn>("compile")(cpu, block, errors), 0);
    QVERIFY(errors.isEmpty());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(host.home() + QStringLiteral("/bin"));
    int error = -7;
    Handle rebuilt = fn<RecompileFn>("recompile")(block, project, error);
    QDir::setCurrent(previous);
    QVERIFY(rebuilt);
    QCOMPARE(error, 0);
    QByteArray again;
    fn<SetIntFn>("setSlotId")(rebuilt, 5);
    fn<CompileFn>("compile")(rebuilt, again, errors);
    const QByteArray prefix(4, '\0');
    QCOMPARE(fn<CompareFn>("compare")(prefix + block, prefix + again),
             QStringList{"The module common information is not the same."});
    for (Handle h : {restored, cloned, rebuilt})
        fn<ReleaseObjectFn>("releaseObject")(h);
    QCOMPARE(getUsedMemory(project).size(), 2);
    fn<ReleaseObjectFn>("releaseObject")(cpu);
    QVERIFY(getUsedMemory(project).isEmpty());
}

// A bus that is off lists -1 and leaves the caller's lists alone; CAN slaves are refused
// while the CANopen master is off.
void TestAbi::busesThroughExports()
{
    HostFixture host;
    Handle cpu = fn<CreateObjectFn>("createObject")(0x21, QString());
    QList<int> handles{1};
    QList<int> codes{2};
    for (const char* name :
         {"getEthSlaveList", "getEipSlaveList", "getQbusSlaveList", "getCanSlaveList"})
        QCOMPARE(fn<SlaveListFn>(name)(cpu, handles, codes), -1);
    QCOMPARE(handles + codes, (QList<int>{1, 2}));
    fn<AddSlaveFn>("addCanSlave")(cpu, 17, QStringLiteral("dpslavekit.dll"));
    fn<AddSlaveFn>("addEthSlave")(cpu, 3000123, QStringLiteral("ecatslavekit.dll"));
    fn<EnableEtherCatFn>("enableEtherCAT")(cpu);
    QCOMPARE(fn<SlaveListFn>("getEthSlaveList")(cpu, handles, codes), 1);
    QCOMPARE(handles + codes, (QList<int>{3000123, 0xFFF}));
    QList<Symbol> symbols;
    fn<GetMappingSymFn>("getMappingSym")(cpu, symbols); // a handle its plug-in does not know
    QVERIFY(symbols.isEmpty());
    fn<RemoveSlaveFn>("removeEthSlave")(cpu, 3000123);
    QCOMPARE(fn<SlaveListFn>("getEthSlaveList")(cpu, handles, codes), 0);
    QVERIFY(handles.isEmpty() && codes.isEmpty());
    fn<ReleaseObjectFn>("releaseObject")(cpu);
}

QTEST_GUILESS_MAIN(TestAbi)
#include "tst_abi.moc"
