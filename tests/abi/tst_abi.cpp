#include "hostfixture.h"

#include <corekit/memory.h>
#include <plugin/corvocpuapi.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QLibrary>
#include <QtTest>

#include <functional>

using namespace CorvoCpuApi;

namespace {

const char* const kExports[] = {"createObject",
                                "releaseObject",
                                "config",
                                "cloneFromHandle",
                                "getFileVersion",
                                "getName",
                                "getComment",
                                "getRackId",
                                "setRackId",
                                "getSlotId",
                                "setSlotId",
                                "getPosition",
                                "setPosition",
                                "getInMap",
                                "getOutMap",
                                "enableEtherCAT",
                                "getBaudrate",
                                "getNodeId",
                                "save",
                                "restore",
                                "cloneFromSaveData",
                                "compare",
                                "compile",
                                "compileOld",
                                "recompile",
                                "addCanSlave",
                                "removeCanSlave",
                                "getCanSlaveList",
                                "addEthSlave",
                                "removeEthSlave",
                                "getEthSlaveList",
                                "addEipSlave",
                                "removeEipSlave",
                                "getEipSlaveList",
                                "addQbusSlave",
                                "removeQbusSlave",
                                "getQbusSlaveList",
                                "getMappingSym",
                                "resetEthSlaveIoMapChanged",
                                "exportConfiguration",
                                "importConfiguration",
                                "configurationSchema",
                                "validateConfiguration"};

} // namespace

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
    void everyExportOnANullHandle_data();
    void everyExportOnANullHandle();
    void blocksThroughExports();
    void busesThroughExports();
    void configurationThroughExports();

private:
    // What each export answers without an object (docs/architecture.md has the table).
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

void TestAbi::everyExportResolves_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : kExports)
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

void TestAbi::everyExportOnANullHandle_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : kExports)
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestAbi::everyExportOnANullHandle()
{
    QFETCH(QString, name);
    const auto checks = nullHandleChecks();
    QVERIFY2(checks.contains(name), "each export has its null-handle answer");
    HostFixture host;
    checks.value(name)();
}

QHash<QString, std::function<void()>> TestAbi::nullHandleChecks()
{
    const QString project;
    auto getInt = [this](const char* name, int expected) {
        return [=] {
            QCOMPARE(fn<GetIntFn>(name)(nullptr), expected);
        };
    };
    auto setInt = [this](const char* name) {
        return [=] {
            fn<SetIntFn>(name)(nullptr, 7);
        };
    };
    auto add = [this](const char* name) {
        return [=] {
            fn<AddSlaveFn>(name)(nullptr, 3000001, QStringLiteral("ecatslavekit.dll"));
        };
    };
    auto remove = [this](const char* name) {
        return [=] {
            fn<RemoveSlaveFn>(name)(nullptr, 3000001);
        };
    };
    auto list = [this](const char* name) {
        return [=] {
            QList<int> handles{1};
            QList<int> codes{2};
            QCOMPARE(fn<SlaveListFn>(name)(nullptr, handles, codes), -1);
            QCOMPARE(handles, QList<int>{1});
            QCOMPARE(codes, QList<int>{2});
        };
    };
    auto map = [this](const char* name) {
        return [=] {
            const LocalIoMap map = fn<GetMapFn>(name)(nullptr);
            QCOMPARE(map.points, quint8(0));
            QCOMPARE(map.byteCount(), 0);
        };
    };
    auto compileCheck = [this](const char* name) {
        return [=] {
            QByteArray block("stale");
            QList<int> errors{8};
            QCOMPARE(fn<CompileFn>(name)(nullptr, block, errors), 1);
            QVERIFY(block.isEmpty());
            QVERIFY(errors.isEmpty());
        };
    };
    return {
        {"createObject",
         [=] {
             QVERIFY(!fn<CreateObjectFn>("createObject")(0, project));
         }},
        {"releaseObject",
         [=] {
             fn<ReleaseObjectFn>("releaseObject")(nullptr);
         }},
        // A parent that is never touched: the handle alone must stop the call.
        {"config",
         [=] {
             int notAWidget = 0;
             QCOMPARE(fn<ConfigFn>("config")(nullptr, project,
                                             reinterpret_cast<QWidget*>(&notAWidget), false),
                      0);
         }},
        {"cloneFromHandle",
         [=] {
             QVERIFY(!fn<CloneFromHandleFn>("cloneFromHandle")(nullptr));
         }},
        {"getFileVersion",
         [=] {
             QCOMPARE(fn<GetFileVersionFn>("getFileVersion")(), 0);
         }},
        {"getName",
         [=] {
             QVERIFY(fn<GetNameFn>("getName")(nullptr).isNull());
         }},
        {"getComment",
         [=] {
             QVERIFY(fn<GetCommentFn>("getComment")(nullptr).isNull());
         }},
        {"getRackId", getInt("getRackId", -1)},
        {"setRackId", setInt("setRackId")},
        {"getSlotId", getInt("getSlotId", -1)},
        {"setSlotId", setInt("setSlotId")},
        {"getPosition",
         [=] {
             const Position position = fn<GetPositionFn>("getPosition")(nullptr);
             QCOMPARE(position.x, 0);
             QCOMPARE(position.y, 0);
         }},
        {"setPosition",
         [=] {
             fn<SetPositionFn>("setPosition")(nullptr, Position{1, 2});
         }},
        {"getInMap", map("getInMap")},
        {"getOutMap", map("getOutMap")},
        {"enableEtherCAT",
         [=] {
             fn<EnableEtherCatFn>("enableEtherCAT")(nullptr);
         }},
        {"getBaudrate", getInt("getBaudrate", -1)},
        {"getNodeId", getInt("getNodeId", -1)},
        {"save",
         [=] {
             QVERIFY(fn<SaveFn>("save")(nullptr).isEmpty());
         }},
        {"restore",
         [=] {
             QVERIFY(!fn<RestoreFn>("restore")(QByteArray(), project));
         }},
        {"cloneFromSaveData",
         [=] {
             QVERIFY(!fn<CloneFromSaveDataFn>("cloneFromSaveData")(QByteArray(), project));
         }},
        {"compare",
         [=] {
             QVERIFY(fn<CompareFn>("compare")(QByteArray(), QByteArray()).isEmpty());
         }},
        {"compile", compileCheck("compile")},
        {"compileOld", compileCheck("compileOld")},
        {"recompile",
         [=] {
             int error = 42;
             QVERIFY(!fn<RecompileFn>("recompile")(QByteArray(), project, error));
             QCOMPARE(error, 42);
         }},
        {"addCanSlave", add("addCanSlave")},
        {"removeCanSlave", remove("removeCanSlave")},
        {"getCanSlaveList", list("getCanSlaveList")},
        {"addEthSlave", add("addEthSlave")},
        {"removeEthSlave", remove("removeEthSlave")},
        {"getEthSlaveList", list("getEthSlaveList")},
        {"addEipSlave", add("addEipSlave")},
        {"removeEipSlave", remove("removeEipSlave")},
        {"getEipSlaveList", list("getEipSlaveList")},
        {"addQbusSlave", add("addQbusSlave")},
        {"removeQbusSlave", remove("removeQbusSlave")},
        {"getQbusSlaveList", list("getQbusSlaveList")},
        {"getMappingSym",
         [=] {
             QList<Symbol> symbols{Symbol()};
             fn<GetMappingSymFn>("getMappingSym")(nullptr, symbols);
             QCOMPARE(symbols.size(), 1);
         }},
        {"resetEthSlaveIoMapChanged",
         [=] {
             fn<ResetEthSlaveIoMapChangedFn>("resetEthSlaveIoMapChanged")(nullptr);
         }},
        {"exportConfiguration",
         [=] {
             QVERIFY(fn<ExportConfigurationFn>("exportConfiguration")(nullptr).isEmpty());
         }},
        // The exports without a handle: a refused document, the schema.
        {"importConfiguration",
         [=] {
             QString error;
             QVERIFY(
                 !fn<ImportConfigurationFn>("importConfiguration")(QByteArray(), project, error));
             QVERIFY(error.startsWith(QLatin1String("(document): ")));
         }},
        {"configurationSchema",
         [=] {
             QVERIFY(QJsonDocument::fromJson(fn<ConfigurationSchemaFn>("configurationSchema")())
                         .isObject());
         }},
        {"validateConfiguration",
         [=] {
             QList<Finding> findings{{QStringLiteral("x"), QString(), QString()}};
             QCOMPARE(fn<ValidateConfigurationFn>("validateConfiguration")(nullptr, findings), -1);
             QCOMPARE(findings.size(), 1);
         }},
    };
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

// A module through its document and back, and the validator on what came back.
void TestAbi::configurationThroughExports()
{
    HostFixture host;
    const QString project = host.writeProject(QStringLiteral("p.json"), QStringLiteral("KLV2-R70"));
    Handle cpu = fn<CreateObjectFn>("createObject")(0x21, project);
    QVERIFY(cpu);
    const QByteArray saved = fn<SaveFn>("save")(cpu);
    const QByteArray json = fn<ExportConfigurationFn>("exportConfiguration")(cpu);
    QString error = QStringLiteral("stale");
    Handle imported = fn<ImportConfigurationFn>("importConfiguration")(json, project, error);
    QVERIFY2(imported, qPrintable(error));
    QVERIFY(error.isEmpty());
    QCOMPARE(fn<SaveFn>("save")(imported), saved);
    QList<Finding> findings{{QStringLiteral("stale"), QString(), QString()}};
    QCOMPARE(fn<ValidateConfigurationFn>("validateConfiguration")(imported, findings), 0);
    QVERIFY(findings.isEmpty());

    // Profinet with an empty custom name: the Profinet page's message at its member.
    QJsonObject document = QJsonDocument::fromJson(json).object();
    QJsonObject buses = document.value(QStringLiteral("buses")).toObject();
    buses.insert(QStringLiteral("profinet"),
                 QJsonObject{{QStringLiteral("useBus"), true},
                             {QStringLiteral("useCustomName"), true},
                             {QStringLiteral("customName"), QString()},
                             {QStringLiteral("ipFromOtherSources"), false}});
    document.insert(QStringLiteral("buses"), buses);
    Handle broken = fn<ImportConfigurationFn>("importConfiguration")(
        QJsonDocument(document).toJson(), project, error);
    QVERIFY2(broken, qPrintable(error));
    QCOMPARE(fn<ValidateConfigurationFn>("validateConfiguration")(broken, findings), 1);
    QCOMPARE(findings.first().path, QStringLiteral("buses.profinet.customName"));
    QCOMPARE(findings.first().message, QStringLiteral("The custom name cannot be empty!"));
    QCOMPARE(findings.first().check, QStringLiteral("profinetName"));

    for (Handle h : {imported, broken})
        fn<ReleaseObjectFn>("releaseObject")(h);
    fn<ReleaseObjectFn>("releaseObject")(cpu);
}

QTEST_GUILESS_MAIN(TestAbi)
#include "tst_abi.moc"
