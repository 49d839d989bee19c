#include "hostfixture.h"
#include "randomconfig.h"

#include <block/paramblock.h>
#include <config/configjson.h>
#include <model/cpuobjectfactory.h>
#include <model/slaveregistry.h>
#include <opcua/opcuainterfacecodec.h>
#include <opcua/opcuasettingscodec.h>
#include <slaves/slavecontrol.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QtTest>

#include <cmath>

namespace {

const QString kPlugins[] = {QStringLiteral("ecatslavekit.dll"), QStringLiteral("dpslavekit.dll"),
                            QStringLiteral("canslavekit.dll"), QStringLiteral("qbusslavekit.dll"),
                            QStringLiteral("eipslavekit.dll")};

void resetSlaves()
{
    for (const QString& plugin : kPlugins)
        SlaveControl(plugin).reset();
}

// A value against the published schema, for the keywords it uses; any other keyword is a
// problem, so the schema cannot pass by using what this does not check. Problems come as
// "<path>: <message>" with the importer's paths ("tcpIp.port", "soe[2].title", "(document)").
void checkSchema(const QJsonObject& root, const QJsonObject& schema, const QJsonValue& value,
                 const QString& path, QStringList& problems)
{
    static const QStringList known{"$schema",  "title",      "description", "$defs",
                                   "type",     "properties", "required",    "additionalProperties",
                                   "minimum",  "maximum",    "minLength",   "maxLength",
                                   "pattern",  "enum",       "items",       "minItems",
                                   "maxItems", "$ref"};
    const QString at = path.isEmpty() ? QStringLiteral("(document)") : path;
    const auto problem = [&](const QString& what) {
        problems.append(at + ": " + what);
    };
    for (const QString& key : schema.keys()) {
        if (!known.contains(key))
            problem(QStringLiteral("the schema uses \"%1\", which is not checked").arg(key));
    }
    if (schema.contains("$ref")) {
        const QString ref = schema.value("$ref").toString();
        const QJsonValue target = root.value("$defs").toObject().value(ref.mid(8));
        if (!ref.startsWith("#/$defs/") || !target.isObject())
            return problem("unknown reference " + ref);
        return checkSchema(root, target.toObject(), value, path, problems);
    }
    if (schema.contains("enum")) {
        if (!schema.value("enum").toArray().contains(value))
            problem("not one of the allowed values");
        return;
    }
    const QString type = schema.value("type").toString();
    const double d = value.toDouble();
    const bool typed = type == "object"    ? value.isObject()
                       : type == "array"   ? value.isArray()
                       : type == "string"  ? value.isString()
                       : type == "boolean" ? value.isBool()
                                           : type == "integer" && value.isDouble() &&
                                                 std::isfinite(d) && d == std::floor(d);
    if (!typed)
        return problem("expected " + type);
    if (type == "integer") {
        if (d < schema.value("minimum").toDouble(-qInf()) ||
            d > schema.value("maximum").toDouble(qInf()))
            problem("out of range");
    } else if (type == "string") {
        const QString s = value.toString();
        const int length = s.toUcs4().size();
        if (length < schema.value("minLength").toDouble())
            problem("too short");
        if (length > schema.value("maxLength").toDouble(qInf()))
            problem("too long");
        if (!QRegularExpression(schema.value("pattern").toString()).match(s).hasMatch())
            problem("does not match the pattern");
    } else if (type == "array") {
        const QJsonArray array = value.toArray();
        if (array.size() < schema.value("minItems").toDouble() ||
            array.size() > schema.value("maxItems").toDouble(qInf()))
            problem("wrong number of elements");
        for (int i = 0; i < array.size(); ++i)
            checkSchema(root, schema.value("items").toObject(), array.at(i),
                        QStringLiteral("%1[%2]").arg(path).arg(i), problems);
    } else if (type == "object") {
        const QJsonObject object = value.toObject();
        const QJsonObject properties = schema.value("properties").toObject();
        const QString prefix = path.isEmpty() ? QString() : path + '.';
        for (const QJsonValue& required : schema.value("required").toArray()) {
            if (!object.contains(required.toString()))
                problems.append(prefix + required.toString() + ": missing");
        }
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            if (properties.contains(it.key()))
                checkSchema(root, properties.value(it.key()).toObject(), it.value(),
                            prefix + it.key(), problems);
            else if (schema.value("additionalProperties") == false)
                problems.append(prefix + it.key() + ": unknown key");
        }
    }
}

QStringList schemaProblems(const QJsonValue& document)
{
    static const QJsonObject root = QJsonDocument::fromJson(ConfigJson::schema()).object();
    QStringList problems;
    checkSchema(root, root, document, QString(), problems);
    return problems;
}

// Sets (or with an undefined value removes) the member at a path such as
// "opcUa.interfaces[0].variables[1].address".
QJsonValue changed(const QJsonValue& node, const QString& path, const QJsonValue& value)
{
    static const QRegularExpression step(QStringLiteral("^(?:\\[(\\d+)\\]|([^.[]+))\\.?"));
    const QRegularExpressionMatch m = step.match(path);
    const QString rest = path.mid(m.capturedLength());
    const bool removing = rest.isEmpty() && value.isUndefined();
    const auto next = [&](const QJsonValue& inner) {
        return rest.isEmpty() ? value : changed(inner, rest, value);
    };
    if (m.capturedLength(1)) {
        QJsonArray array = node.toArray();
        const int index = m.captured(1).toInt();
        if (removing)
            array.removeAt(index);
        else
            array[index] = next(array.at(index));
        return array;
    }
    QJsonObject object = node.toObject();
    if (removing)
        object.remove(m.captured(2));
    else
        object[m.captured(2)] = next(object.value(m.captured(2)));
    return object;
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
    r.browseName = r.address;
    r.displayName = QStringLiteral("n ") + r.address;
    r.dbNumber = db;
    return r;
}

// An R70 with SOE records, OPC UA users and variables, and slaves on every bus.
std::unique_ptr<CpuObject> richObject(const QString& project)
{
    auto cpu = CpuObjectFactory::create(0x21, project);
    if (!cpu)
        return nullptr;
    CpuObjectFactory::releaseMemory(*cpu);
    cpu->holdsLocalMemory = false;
    for (int slot : {3, 9}) {
        cpu->soe[size_t(slot)].slot = quint8(slot);
        cpu->soe[size_t(slot)].title = QStringLiteral("record %1").arg(slot);
    }

    OpcUaSettings settings;
    settings.serverEnabled = settings.userAuthentication = true;
    settings.users = {{"operator", "line1op"}, {"service", "s3rvice"}};
    using T = OpcUaDataType;
    using K = OpcUaAddressKind;
    OpcUaVarRecord recipe = variable("DB1", T::Object, K::DataBlockObject, 1);
    recipe.elements = {variable("DB1.DBW0", T::Int16, K::Word, 1),
                       variable("DB1.DBX6.0", T::Bool, K::Bit, 1)};
    const OpcUaInterface line{
        "Line",
        {variable("I0.0", T::Bool, K::Bit), variable("AIW0", T::Int16, K::AnalogWord), recipe}};
    cpu->opcUaSettingsData = OpcUaSettingsCodec::encode(settings);
    cpu->opcUaInterfaceData = OpcUaInterfaceCodec::encode({line});

    const SlaveControl ecat(kPlugins[0]);
    const int coupler = ecat.create(6, QStringLiteral("coupler"));
    ecat.addChild(coupler, ecat.create(601, QStringLiteral("DI 8")));
    ecat.addChild(coupler, ecat.create(602, QStringLiteral("DO 8")));
    cpu->etherCat.enabled = 1;
    SlaveRegistry::insertOrdered(cpu->etherCatSlaves, coupler, kPlugins[0]);
    SlaveRegistry::insertOrdered(cpu->etherCatSlaves, ecat.create(2, "drive"), kPlugins[0]);
    cpu->canMasterEnabled = true;
    SlaveRegistry::appendCan(cpu->canMaster.slaves, SlaveControl(kPlugins[1]).create(5, "valves"),
                             kPlugins[1]);
    SlaveRegistry::insertOrdered(cpu->qbus.slaves, SlaveControl(kPlugins[3]).create(3, "remote"),
                                 kPlugins[3]);
    cpu->eip.enabled = 1;
    SlaveRegistry::insertOrdered(cpu->eip.slaves, SlaveControl(kPlugins[4]).create(9, "scanner"),
                                 kPlugins[4]);
    return cpu;
}

} // namespace

// Save data → JSON document → save data, byte for byte; documents refused with the path of
// what is wrong; both measured against the published schema.
class TestConfigJson : public QObject
{
    Q_OBJECT

    std::unique_ptr<HostFixture> m_host;

    static QByteArray roundTrip(CpuObject& object, const QString& project)
    {
        const QByteArray saved = ParamBlock::save(object);
        const auto restored = ParamBlock::restore(saved, project, false);
        if (!restored || ParamBlock::save(*restored) != saved)
            return {};
        const QByteArray json = ConfigJson::exportDocument(*restored);
        QStringList errors;
        const auto imported = ConfigJson::importDocument(json, project, errors);
        if (!imported || ParamBlock::save(*imported) != saved ||
            ConfigJson::exportDocument(*imported) != json) {
            qWarning("%s\n%s", qPrintable(errors.join(QLatin1Char('\n'))), json.constData());
            return {};
        }
        return json;
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
        const int wanted = qEnvironmentVariableIntValue("CORVO_RANDOM_CONFIGS");
        const int count = wanted > 0 ? wanted : 2000;
        const QString projects[] = {
            m_host->writeProject(QStringLiteral("r70.json"), QStringLiteral("KLV2-R70")),
            m_host->writeProject(QStringLiteral("q310.json"), QStringLiteral("MRW-Q310"))};
        RandomConfig random(20261206);
        int withRawBytes = 0;
        for (int i = 0; i < count; ++i) {
            const QString& project = projects[i % 2];
            auto cpu = random.object(project);
            const QByteArray json = roundTrip(*cpu, project);
            QVERIFY2(!json.isEmpty(), qPrintable(QStringLiteral("object %1").arg(i)));
            // Against the schema now and then: the refusal cases cover the rest.
            if (i % 10 == 0) {
                const QStringList problems = schemaProblems(QJsonDocument::fromJson(json).object());
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
        QTest::addColumn<bool>("bySchema");
        QTest::addColumn<QString>("reported");

        const QJsonValue removed(QJsonValue::Undefined);
        // Reported at the changed path unless another is given.
        auto row = [](const char* name, const char* path, const QJsonValue& value, bool bySchema,
                      const char* reported = nullptr) {
            QTest::newRow(name) << QString::fromLatin1(path) << value << bySchema
                                << QString::fromLatin1(reported ? reported : path);
        };
        row("unknown key", "tcpIp.portt", 20000, true);
        row("unknown key at the root", "extra", true, true);
        row("number as text", "tcpIp.port", "20000", true);
        row("beyond 32 bits", "tcpIp.port", 4294967296.0, true);
        row("negative byte", "ports.port0.plcAddress", -1, true);
        row("fraction", "backgroundTime.percent", 10.5, true);
        row("missing member", "general.comment", removed, true);
        row("object expected", "ports.localPort", 1, true);
        row("octet beyond 255", "tcpIp.mask", "255.255.0.256", true);
        row("text field too long", "tcpIp.deviceName", QString(32, QLatin1Char('a')), true);
        row("name longer than its bytes", "general.name", QString(100, QChar(0x6F22)), false);
        row("hex of the wrong length", "password.encoded", "00", true);
        row("no hex", "password.encoded", "zz00000000000000", true);
        row("five retentive ranges", "retentive[5]", removed, true, "retentive");
        row("SOE slot beyond 15", "soe[0].slot", 16, true);
        row("SOE slot given twice", "soe[1].slot", 3, false);
        row("another format", "format", "other", true);
        row("another version", "version", 2, true);
        row("unknown module", "general.objId", 0x77, false);
        row("order number of another module", "general.orderNumber", "KLV1 C40-100", false);
        row("card kind without its parameters", "cards[0].type", 3, false, "cards[0].amx05");
        row("card not kept by this model", "cards[1].activated", true, false);
        row("slaves of a bus that is off", "buses.eip.enabled", false, false, "buses.eip.slaves");
        row("plug-in with a folder", "buses.etherCat.slaves[0].plugin", "/tmp/ecatslavekit.so",
            true);
        row("plug-in named ..", "buses.etherCat.slaves[0].plugin", "..", false);
        row("plug-in that is not there", "buses.qbus.slaves[0].plugin", "nosuchkit.dll", false);
        row("record the plug-in refuses", "buses.etherCat.slaves[0].record", "1001", false);
        row("node id the record does not hold", "buses.etherCat.slaves[1].nodeId", 99, false);
        row("CAN record of another plug-in", "canopenMaster.slaves[0].plugin", "canslavekit.dll",
            false);
        row("bit beyond 7", "opcUa.interfaces[0].variables[0].address", "I0.9", false);
        row("address of no area", "opcUa.interfaces[0].variables[1].address", "XW100", false);
        row("element address of another block",
            "opcUa.interfaces[0].variables[2].elements[1].address", "DB2.DBX6.0", false);
        row("unknown data type", "opcUa.interfaces[0].variables[1].dataType", "DOUBLE", true);
        row("elements of a variable", "opcUa.interfaces[0].variables[0].elements",
            QJsonArray{QJsonObject{}}, false);
        row("settings twice", "opcUa.settingsPayload", "00", false);
        row("user without a password", "opcUa.settings.users[0].passwordEncoded", QString(), false);
        row("text field bytes of another text", "tcpIp.deviceNameBytes",
            "05" + QString::fromLatin1(QByteArray("Other").toHex()) + QString(52, QLatin1Char('0')),
            false);
    }

    // Each document is refused whole with the path of what is wrong; where the schema can say
    // it too, it says it at the same path. The good document meets the schema and gives a text
    // field's bytes only where its text does not.
    void refusals()
    {
        QFETCH(QString, path);
        QFETCH(QJsonValue, value);
        QFETCH(bool, bySchema);
        QFETCH(QString, reported);
        const QString project = m_host->writeProject(QStringLiteral("p.json"), "KLV2-R70");
        auto cpu = richObject(project);
        QVERIFY(cpu);
        const QByteArray json = ConfigJson::exportDocument(*cpu);
        QVERIFY(!json.contains("Bytes\":"));
        const QJsonObject good = QJsonDocument::fromJson(json).object();
        QCOMPARE(schemaProblems(good), QStringList());
        const QJsonObject bad = changed(good, path, value).toObject();
        QVERIFY(bad != good);
        QStringList errors;
        QVERIFY(!ConfigJson::importDocument(QJsonDocument(bad).toJson(), project, errors));
        QVERIFY2(anyAt(errors, reported), qPrintable(errors.join(QLatin1Char('\n'))));
        QCOMPARE(anyAt(schemaProblems(bad), reported), bySchema);
    }

    void notJson()
    {
        QStringList errors;
        QVERIFY(!ConfigJson::importDocument("{\"format\": ", QString(), errors));
        QVERIFY(errors.size() == 1 && errors.first().startsWith("(document): not JSON"));
        QVERIFY(!ConfigJson::importDocument("[1, 2]", QString(), errors));
        QCOMPARE(errors, QStringList{"(document): expected an object"});
    }
};

QTEST_GUILESS_MAIN(TestConfigJson)
#include "tst_configjson.moc"
