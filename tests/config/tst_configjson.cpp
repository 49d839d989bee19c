#include "hostfixture.h"
#include "randomconfig.h"
#include "schemacheck.h"

#include <block/paramblock.h>
#include <config/configjson.h>
#include <model/cpuobjectfactory.h>
#include <model/slaveregistry.h>
#include <opcua/opcuainterfacecodec.h>
#include <opcua/opcuasettingscodec.h>
#include <slaves/slavecontrol.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QtTest>

namespace {

const QString kPlugins[] = {QStringLiteral("ecatslavekit.dll"), QStringLiteral("dpslavekit.dll"),
                            QStringLiteral("canslavekit.dll"), QStringLiteral("qbusslavekit.dll"),
                            QStringLiteral("eipslavekit.dll")};

void resetSlaves()
{
    for (const QString& plugin : kPlugins)
        SlaveControl(plugin).reset();
}

// Sets (or with an undefined value removes) the member at a path such as
// "opcUa.interfaces[0].variables[1].address".
QJsonValue changed(const QJsonValue& node, QStringList steps, const QJsonValue& value)
{
    if (steps.isEmpty())
        return value;
    const QString step = steps.takeFirst();
    if (step.startsWith(QLatin1Char('['))) {
        QJsonArray array = node.toArray();
        const int index = step.mid(1, step.size() - 2).toInt();
        if (steps.isEmpty() && value.isUndefined())
            array.removeAt(index);
        else
            array[index] = changed(array.at(index), steps, value);
        return array;
    }
    QJsonObject object = node.toObject();
    if (steps.isEmpty() && value.isUndefined())
        object.remove(step);
    else
        object[step] = changed(object.value(step), steps, value);
    return object;
}

QStringList stepsOf(const QString& path)
{
    QStringList steps;
    for (const QString& part : path.split(QLatin1Char('.'))) {
        const int bracket = part.indexOf(QLatin1Char('['));
        steps.append(bracket < 0 ? part : part.left(bracket));
        for (int at = bracket; at >= 0; at = part.indexOf(QLatin1Char('['), at + 1))
            steps.append(part.mid(at, part.indexOf(QLatin1Char(']'), at) - at + 1));
    }
    return steps;
}

bool anyAt(const QStringList& problems, const QString& path)
{
    return std::any_of(problems.begin(), problems.end(),
                       [&](const QString& p) { return p.startsWith(path + QLatin1String(": ")); });
}

OpcUaVarRecord variable(const char* address, OpcUaDataType type, OpcUaAddressKind kind,
                        quint16 db = 0)
{
    OpcUaVarRecord r;
    r.address = QLatin1String(address);
    r.dataType = quint32(type);
    r.addressKind = quint32(kind);
    r.accessLevel = 3;
    r.browseName = r.address;
    r.displayName = QStringLiteral("n ") + r.address;
    r.dbNumber = db;
    return r;
}

} // namespace

// A module's configuration as a JSON document: save data → document → save data, byte for
// byte; documents that must be refused, with the path of what is wrong; the published
// schema.
class TestConfigJson : public QObject
{
    Q_OBJECT

    std::unique_ptr<HostFixture> m_host;

    QString sampleProject(const char* name)
    {
        const QString path = m_host->home() + QLatin1Char('/') + QLatin1String(name);
        QFile::remove(path);
        QFile::copy(QStringLiteral(CORVO_SOURCE_DIR "/examples/project/") + QLatin1String(name),
                    path);
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }

    // Save data → document → save data; the document is returned.
    QByteArray roundTrip(CpuObject& object, const QString& project)
    {
        const QByteArray saved = ParamBlock::save(object);
        const auto restored = ParamBlock::restore(saved, project, false);
        if (!restored || ParamBlock::save(*restored) != saved) {
            qWarning("the save data does not read back as written");
            return {};
        }
        const QByteArray json = ConfigJson::exportDocument(*restored);
        QStringList errors;
        const auto imported = ConfigJson::importDocument(json, project, errors);
        if (!imported) {
            qWarning("%s\n%s", qPrintable(errors.join(QLatin1Char('\n'))), json.constData());
            return {};
        }
        if (ParamBlock::save(*imported) != saved) {
            qWarning("%s", json.constData());
            return {};
        }
        if (ConfigJson::exportDocument(*imported) != json)
            return {};
        return json;
    }

    // A rich module: the R70 of the sample line with OPC UA and slaves on every bus.
    std::unique_ptr<CpuObject> richObject(const QString& project)
    {
        auto cpu = CpuObjectFactory::create(0x21, project);
        if (!cpu)
            return nullptr;
        CpuObjectFactory::releaseMemory(*cpu);
        cpu->holdsLocalMemory = false;
        addOpcUa(*cpu);
        addSlaves(*cpu);
        cpu->soe[3].slot = 3;
        cpu->soe[3].title = QStringLiteral("Door");
        cpu->soe[9].slot = 9;
        cpu->soe[9].title = QStringLiteral("Pump");
        return cpu;
    }

    static void addOpcUa(CpuObject& cpu)
    {
        OpcUaSettings settings;
        settings.serverEnabled = true;
        settings.userAuthentication = true;
        settings.users = {{QStringLiteral("operator"), QStringLiteral("line1op")},
                          {QStringLiteral("service"), QStringLiteral("s3rvice")}};
        using T = OpcUaDataType;
        using K = OpcUaAddressKind;
        OpcUaInterface line{QStringLiteral("Line"), {}};
        line.records.push_back(variable("I0.0", T::Bool, K::Bit));
        line.records.push_back(variable("AIW0", T::Int16, K::AnalogWord));
        OpcUaVarRecord recipe = variable("DB1", T::Object, K::DataBlockObject, 1);
        recipe.elements.push_back(variable("DB1.DBW0", T::Int16, K::Word, 1));
        recipe.elements.push_back(variable("DB1.DBX6.0", T::Bool, K::Bit, 1));
        line.records.push_back(recipe);
        cpu.opcUaSettingsData = OpcUaSettingsCodec::encode(settings);
        cpu.opcUaInterfaceData = OpcUaInterfaceCodec::encode({line});
    }

    static void addSlaves(CpuObject& cpu)
    {
        const SlaveControl ecat(kPlugins[0]);
        const int coupler = ecat.create(6, QStringLiteral("coupler"));
        ecat.addChild(coupler, ecat.create(601, QStringLiteral("DI 8")));
        ecat.addChild(coupler, ecat.create(602, QStringLiteral("DO 8")));
        cpu.etherCat.enabled = 1;
        SlaveRegistry::insertOrdered(cpu.etherCatSlaves, coupler, kPlugins[0]);
        SlaveRegistry::insertOrdered(cpu.etherCatSlaves, ecat.create(2, QStringLiteral("drive")),
                                     kPlugins[0]);
        cpu.canMasterEnabled = true;
        SlaveRegistry::appendCan(cpu.canMaster.slaves,
                                 SlaveControl(kPlugins[1]).create(5, QStringLiteral("valves")),
                                 kPlugins[1]);
        SlaveRegistry::insertOrdered(cpu.qbus.slaves,
                                     SlaveControl(kPlugins[3]).create(3, QStringLiteral("remote")),
                                     kPlugins[3]);
        cpu.eip.enabled = 1;
        SlaveRegistry::insertOrdered(cpu.eip.slaves,
                                     SlaveControl(kPlugins[4]).create(9, QStringLiteral("scanner")),
                                     kPlugins[4]);
    }

private slots:
    void initTestCase()
    {
        // The card section's writer logs its bytes; thousands of saves would bury the results.
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    }

    void init()
    {
        m_host.reset();
        m_host = std::make_unique<HostFixture>();
        resetSlaves();
    }

    void cleanup() { resetSlaves(); }

    // Random objects of every member: their save data through the document and back.
    void randomObjectsRoundTrip()
    {
        const int count = qEnvironmentVariableIntValue("CORVO_RANDOM_CONFIGS") > 0
                              ? qEnvironmentVariableIntValue("CORVO_RANDOM_CONFIGS")
                              : 2000;
        const QString projects[] = {
            m_host->writeProject(QStringLiteral("r70.json"), QStringLiteral("KLV2-R70")),
            m_host->writeProject(QStringLiteral("q310.json"), QStringLiteral("MRW-Q310"))};
        const SchemaCheck schema(QJsonDocument::fromJson(ConfigJson::schema()).object());
        RandomConfig random(20261206);
        int withRawBytes = 0;
        for (int i = 0; i < count; ++i) {
            const QString& project = projects[i % 2];
            auto cpu = random.object(project);
            const QByteArray json = roundTrip(*cpu, project);
            QVERIFY2(!json.isEmpty(), qPrintable(QStringLiteral("object %1").arg(i)));
            // Against the schema now and then: the refusal and schema tests cover the rest.
            if (i % 10 == 0) {
                const QStringList problems = schema.check(QJsonDocument::fromJson(json).object());
                QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
            }
            withRawBytes += json.contains("Bytes\":") ? 1 : 0;
            resetSlaves();
        }
        qInfo("%d random objects round-tripped, %d of them with text fields kept as bytes", count,
              withRawBytes);
        QVERIFY(withRawBytes > 0);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("reported");
        QTest::addColumn<bool>("bySchema");

        const QJsonValue removed(QJsonValue::Undefined);
        auto row = [](const char* name, const char* path, const QJsonValue& value,
                      const char* reported, bool bySchema) {
            QTest::newRow(name) << QString::fromLatin1(path) << value
                                << QString::fromLatin1(reported) << bySchema;
        };
        row("unknown key", "tcpIp.portt", 20000, "tcpIp.portt", true);
        row("unknown key at the root", "extra", true, "extra", true);
        row("number as text", "tcpIp.port", QStringLiteral("20000"), "tcpIp.port", true);
        row("beyond 32 bits", "tcpIp.port", 4294967296.0, "tcpIp.port", true);
        row("negative byte", "ports.port0.plcAddress", -1, "ports.port0.plcAddress", true);
        row("fraction", "backgroundTime.percent", 10.5, "backgroundTime.percent", true);
        row("missing member", "general.comment", removed, "general.comment", true);
        row("object expected", "ports.localPort", 1, "ports.localPort", true);
        row("octet beyond 255", "tcpIp.mask", QStringLiteral("255.255.0.256"), "tcpIp.mask", true);
        row("text field too long", "tcpIp.deviceName", QString(32, QLatin1Char('a')),
            "tcpIp.deviceName", true);
        row("name longer than its bytes", "general.name", QString(100, QChar(0x6F22)),
            "general.name", false);
        row("hex of the wrong length", "password.encoded", QStringLiteral("00"), "password.encoded",
            true);
        row("no hex", "password.encoded", QStringLiteral("zz00000000000000"), "password.encoded",
            true);
        row("five retentive ranges", "retentive[5]", removed, "retentive", true);
        row("SOE slot beyond 15", "soe[0].slot", 16, "soe[0].slot", true);
        row("SOE slot given twice", "soe[1].slot", 3, "soe[1].slot", false);
        row("another format", "format", QStringLiteral("other"), "format", true);
        row("another version", "version", 2, "version", true);
        row("unknown module", "general.objId", 0x77, "general.objId", false);
        row("order number of another module", "general.orderNumber", QStringLiteral("KLV1 C40-100"),
            "general.orderNumber", false);
        row("card kind without its parameters", "cards[0].type", 3, "cards[0].amx05", false);
        row("card not kept by this model", "cards[1].activated", true, "cards[1].activated", false);
        row("slaves of a bus that is off", "buses.eip.enabled", false, "buses.eip.slaves", false);
        row("plug-in with a folder", "buses.etherCat.slaves[0].plugin",
            QStringLiteral("/tmp/ecatslavekit.so"), "buses.etherCat.slaves[0].plugin", true);
        row("plug-in named ..", "buses.etherCat.slaves[0].plugin", QStringLiteral(".."),
            "buses.etherCat.slaves[0].plugin", false);
        row("plug-in that is not there", "buses.qbus.slaves[0].plugin",
            QStringLiteral("nosuchkit.dll"), "buses.qbus.slaves[0].plugin", false);
        row("record the plug-in refuses", "buses.etherCat.slaves[0].record", QStringLiteral("1001"),
            "buses.etherCat.slaves[0].record", false);
        row("node id the record does not hold", "buses.etherCat.slaves[1].nodeId", 99,
            "buses.etherCat.slaves[1].nodeId", false);
        row("CAN record of another plug-in", "canopenMaster.slaves[0].plugin",
            QStringLiteral("canslavekit.dll"), "canopenMaster.slaves[0].plugin", false);
        row("bit beyond 7", "opcUa.interfaces[0].variables[0].address", QStringLiteral("I0.9"),
            "opcUa.interfaces[0].variables[0].address", false);
        row("address of no area", "opcUa.interfaces[0].variables[1].address",
            QStringLiteral("XW100"), "opcUa.interfaces[0].variables[1].address", false);
        row("element address of another block",
            "opcUa.interfaces[0].variables[2].elements[1].address", QStringLiteral("DB2.DBX6.0"),
            "opcUa.interfaces[0].variables[2].elements[1].address", false);
        row("unknown data type", "opcUa.interfaces[0].variables[1].dataType",
            QStringLiteral("DOUBLE"), "opcUa.interfaces[0].variables[1].dataType", true);
        row("elements of a variable", "opcUa.interfaces[0].variables[0].elements",
            QJsonArray{QJsonObject{}}, "opcUa.interfaces[0].variables[0].elements", false);
        row("settings twice", "opcUa.settingsPayload", QStringLiteral("00"),
            "opcUa.settingsPayload", false);
        row("user without a password", "opcUa.settings.users[0].passwordEncoded", QString(),
            "opcUa.settings.users[0].passwordEncoded", false);
        row("text field bytes of another text", "tcpIp.deviceNameBytes",
            QStringLiteral("05") + QString::fromLatin1(QByteArray("Other").toHex()) +
                QString(52, QLatin1Char('0')),
            "tcpIp.deviceNameBytes", false);
    }

    // Each document is refused with the path of what is wrong; where the schema can say it
    // too, it says it at the same path.
    void refusals()
    {
        QFETCH(QString, path);
        QFETCH(QJsonValue, value);
        QFETCH(QString, reported);
        QFETCH(bool, bySchema);
        const QString project = sampleProject("line1.json");
        auto cpu = richObject(project);
        QVERIFY(cpu);
        const auto restored = ParamBlock::restore(ParamBlock::save(*cpu), project, false);
        const QJsonObject good =
            QJsonDocument::fromJson(ConfigJson::exportDocument(*restored)).object();
        const QJsonObject bad = changed(good, stepsOf(path), value).toObject();
        QVERIFY(bad != good);
        QStringList errors;
        const auto imported =
            ConfigJson::importDocument(QJsonDocument(bad).toJson(), project, errors);
        QVERIFY(!imported);
        QVERIFY2(anyAt(errors, reported), qPrintable(errors.join(QLatin1Char('\n'))));

        const SchemaCheck schema(QJsonDocument::fromJson(ConfigJson::schema()).object());
        QVERIFY(schema.check(good).isEmpty());
        const QStringList problems = schema.check(bad);
        QCOMPARE(anyAt(problems, reported), bySchema);
    }

    void notJson()
    {
        QStringList errors;
        QVERIFY(!ConfigJson::importDocument("{\"format\": ", QString(), errors));
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.first().startsWith(QLatin1String("(document): not JSON")));
        QVERIFY(!ConfigJson::importDocument("[1, 2]", QString(), errors));
        QCOMPARE(errors, QStringList{QStringLiteral("(document): expected an object")});
    }

    // Exports satisfy the schema (hwcfg schema, as published in docs/), which catches a member
    // it does not know.
    void schemaChecksExports()
    {
        const SchemaCheck schema(QJsonDocument::fromJson(ConfigJson::schema()).object());
        const QString project = sampleProject("line1.json");
        auto cpu = richObject(project);
        const QByteArray json = ConfigJson::exportDocument(*cpu);
        // A text field's bytes come only where its text does not give them.
        QVERIFY(!json.contains("Bytes\":"));
        const QJsonObject document = QJsonDocument::fromJson(json).object();
        QCOMPARE(schema.check(document), QStringList());
        // The check reports what the schema does not allow: the same document with a
        // member the member list no longer knows.
        QJsonObject drifted = document;
        drifted.insert(QStringLiteral("tcpIp"), changed(document.value(QStringLiteral("tcpIp")),
                                                        {QStringLiteral("vlan")}, 7));
        QCOMPARE(schema.check(drifted), QStringList{QStringLiteral("tcpIp.vlan: unknown key")});
    }
};

QTEST_GUILESS_MAIN(TestConfigJson)
#include "tst_configjson.moc"
