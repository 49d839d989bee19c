#include "../dialog/dialogtesting.h"

#include <block/paramblock.h>
#include <config/configvalidator.h>
#include <model/slaveregistry.h>
#include <opcua/opcuasettingscodec.h>
#include <slaves/slavecontrol.h>

#include <QFile>
#include <QLoggingCategory>

using namespace DialogTesting;

namespace {

const QString kDp = QStringLiteral("dpslavekit.dll");

QString hostCheck(int kind, const QString& address, const QString& mask = QString(),
                  const QString& ip = QString())
{
    return IpAddressWidget::checkIpValid(kind, address, mask, ip);
}

QList<ConfigFinding> validate(const CpuObject& object)
{
    return ConfigValidator::validate(object, hostCheck);
}

QString describe(const QList<ConfigFinding>& findings)
{
    QStringList lines;
    for (const ConfigFinding& f : findings)
        lines.append(QStringLiteral("%1: %2 [%3]").arg(f.path, f.message, f.check));
    return lines.join(QLatin1Char('\n'));
}

SoeRecord soeRecord(int slot, const char* title)
{
    SoeRecord r = SoeRecord::creationDefault();
    r.slot = quint8(slot);
    r.title = QLatin1String(title);
    return r;
}

void dix06(CardRecord& card, int firstByte)
{
    card.type = quint8(CardType::Dix06);
    for (int k = 0; k < CardRecord::Dix06Channels; ++k)
        card.dix06[size_t(k)] = {1, 0, 0, 0x81, quint32(firstByte * 8 + k), 0};
}

void limits(RetentiveRange& range, quint8 typeCode, quint16 count, quint32 start)
{
    range.typeCode = typeCode;
    range.areaCode = 0x84;
    range.count = count;
    range.start = start;
}

QString reserveError(const char* what)
{
    return QStringLiteral("The addresses %1 cannot be reserved: %2")
        .arg(QLatin1String(what), getMemoryErrStrByErrCode(MemoryOverlap));
}

// One broken rule per check that the validator feeds from stored values: the module, what is
// broken, and the finding the validator must report.
struct Case
{
    const char* name;
    bool compact;
    std::function<void(CpuObject&)> breakIt;
    const char* path;
    QString message;
    const char* check;
    bool dialogSaysSo; // OK in the dialog shows the same message first
};

QVector<Case> cases()
{
    return {
        {"gateway outside the subnet", false,
         [](CpuObject& o) {
             TcpIpParams& t = o.params.tcpIp;
             t.addressMode = 0;
             t.ip = fromDotted(QStringLiteral("192.168.1.5"));
             t.mask = fromDotted(QStringLiteral("255.255.255.0"));
             t.gateway = fromDotted(QStringLiteral("10.0.0.1"));
         },
         "tcpIp.gateway", hostCheck(2, "10.0.0.1", "255.255.255.0", "192.168.1.5"),
         "tcpIpAddresses", true},
        {"device name", false,
         [](CpuObject& o) { o.params.tcpIp.deviceName.setText(QStringLiteral("   ")); },
         "tcpIp.deviceName", "The device name can not be empty.", "deviceName", true},
        {"retentive range", false,
         [](CpuObject& o) { limits(o.params.retentive[2], 2, 1000, 20000 * 8); },
         "retentive[2].count", "Retentive Range 2 is illegal for the PLC type selected.",
         "retentiveRanges", true},
        {"OPC UA port", false,
         [](CpuObject& o) {
             OpcUaSettings s;
             s.serverEnabled = true;
             s.port = 0;
             o.opcUaSettingsData = OpcUaSettingsCodec::encode(s);
         },
         "opcUa.settings.port", "The OPC UA Server port number cannot be less than one.",
         "opcUaSettings", true},
        {"SOE trigger data block", false,
         [](CpuObject& o) {
             o.soe[1] = soeRecord(1, "Door");
             o.soe[4] = soeRecord(4, "Pump");
             o.soe[4].trigger.area = 0x85;
             o.soe[4].trigger.dbNumber = 99;
         },
         "soe[1].trigger.dbNumber", "The trigger setting has error,DB99 does not exist.",
         "soeTriggers", true},
        {"Profinet name ending in -", false,
         [](CpuObject& o) {
             o.profinet = {1, 1, QStringLiteral("filler-"), 0};
         },
         "buses.profinet.customName", "The custom name cannot end with '-'!", "profinetName", true},
        {"QBUS name", false, [](CpuObject& o) { o.qbus.useSlave = o.qbus.useCustomName = 1; },
         "buses.qbus.customName", "The custom name cannot be empty!", "qbusName", true},
        {"port", false,
         [](CpuObject& o) {
             o.params.tcpIp.addressMode = 0;
             o.params.tcpIp.port = 80;
         },
         "tcpIp.port", "The port setting has error(range: 1024~65000).", "portNumbers", true},
        {"SOE title", false, [](CpuObject& o) { o.soe[5] = soeRecord(5, " "); }, "soe[0].title",
         "The title of SOE 6 is not allowed be empty.", "soeTitles", true},
        // Double words, beyond the PLC's memory as well.
        {"retentive memory, compile", false,
         [](CpuObject& o) {
             for (RetentiveRange& r : o.params.retentive)
                 limits(r, 6, 6000, r.start);
         },
         "retentive",
         "Compile error 8: the retentive ranges need more than 128 KiB of retentive memory.",
         "compile", false},
        {"CANopen master at 20 kbit/s", false,
         [](CpuObject& o) {
             o.canMasterEnabled = true;
             o.canMaster.baudRate = 20;
             for (int n = 1; n <= 9; ++n)
                 SlaveRegistry::appendCan(o.canMaster.slaves, SlaveControl(kDp).create(n), kDp);
         },
         "canopenMaster",
         "Compile error 10: at 20 kbit/s the CANopen master takes at most 8 slaves, and a slave "
         "at most 8 process data channels.",
         "compile", false},
        {"station addresses", true,
         [](CpuObject& o) {
             CardRecord& card = o.cards[0];
             card.type = quint8(CardType::Rtc485);
             card.rtc485.channel1 = {1, 2, 3, 0, 2, 0, 1, 10, 5, 0, 2000};
             o.localPort.protocol = 2;
             o.localPort.address = 5;
         },
         "ports.localPort.address", "Address must not be repeated", "stationAddresses", true},
        {"AMX05-P start", true,
         [](CpuObject& o) {
             o.cards[1].type = quint8(CardType::Amx05);
             o.cards[1].amx05.inputStart = 3;
         },
         "cards[1].amx05.inputStart", "The start address must be an even number in the range 0~28.",
         "expansionCards", true},
        {"AMX05-P output value", true,
         [](CpuObject& o) {
             o.cards[0].type = quint8(CardType::Amx05);
             o.cards[0].amx05.outputStart = 2;
             o.cards[0].amx05.outputs = {AnalogChannel{0, 2, 0, 0, 0, 100, 1, 0}};
         },
         "cards[0].amx05.outputs[0].outputValue",
         "The output value must be in the range 6400~32000.", "expansionCards", true},
        {"DIX06-P without address", true,
         [](CpuObject& o) {
             dix06(o.cards[1], 10);
             o.cards[1].dix06[2].area = 0;
         },
         "cards[1].dix06.channels[2].bitAddress", "Address error.", "expansionCards", true},
        {"card on the local inputs", true, [](CpuObject& o) { dix06(o.cards[0], 1); },
         "cards[0].dix06.channels[0].bitAddress",
         reserveError("I1.0 of the DIX06-P card in the upper slot"), "expansionCards", true},
        {"two cards on one address", true,
         [](CpuObject& o) {
             dix06(o.cards[0], 10);
             dix06(o.cards[1], 10);
         },
         "cards[1].dix06.channels[0].bitAddress",
         reserveError("I10.0 of the DIX06-P card in the lower slot"), "expansionCards", true},
    };
}

} // namespace

// The validator: silent on the sample projects, one finding per broken rule with its path
// and the dialog's message, and the dialog's OK shows the first of them.
class TestConfigValidator : public QObject
{
    Q_OBJECT

    std::unique_ptr<DialogCase> m_case;

    QString sampleProject(const char* name)
    {
        const QString path = m_case->host.home() + QLatin1Char('/') + QLatin1String(name);
        QFile::copy(QStringLiteral(CORVO_SOURCE_DIR "/examples/project/") + QLatin1String(name),
                    path);
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }

    // A module as the host holds it: created in the project (its local I/O claimed), then
    // broken.
    std::unique_ptr<CpuObject> live(bool compact, const std::function<void(CpuObject&)>& change)
    {
        const QString project = sampleProject(compact ? "compact.json" : "line1.json");
        auto cpu = CpuObjectFactory::create(compact ? 0x30 : 0x21, project);
        if (cpu)
            change(*cpu);
        return cpu;
    }

    // A module as stored: its save data restored, holding no claims.
    std::unique_ptr<CpuObject> stored(bool compact, const std::function<void(CpuObject&)>& change)
    {
        auto cpu = live(compact, change);
        if (!cpu)
            return nullptr;
        CpuObjectFactory::releaseMemory(*cpu);
        return ParamBlock::restore(ParamBlock::save(*cpu), cpu->projectPath, false);
    }

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false")); }

    void init()
    {
        m_case.reset();
        m_case = std::make_unique<DialogCase>(QJsonObject{});
        SlaveControl(kDp).reset();
    }

    void sampleProjectsHaveNoFindings_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("project");
        QTest::newRow("KLV2 R70, line1") << 0x21 << "line1.json";
        QTest::newRow("KLV2 R60, line1") << 0x22 << "line1.json";
        QTest::newRow("KLV1 C40, line1") << 0x10 << "line1.json";
        QTest::newRow("KLV1 C24, line1") << 3 << "line1.json";
        QTest::newRow("MRW-Q310-24T, compact") << 0x30 << "compact.json";
    }

    void sampleProjectsHaveNoFindings()
    {
        QFETCH(int, id);
        QFETCH(QString, project);
        const QString path = sampleProject(project.toLatin1().constData());
        auto cpu = CpuObjectFactory::create(id, path);
        QVERIFY(cpu);
        const QList<ConfigFinding> live = validate(*cpu);
        QVERIFY2(live.isEmpty(), qPrintable(describe(live)));
        const auto restored = ParamBlock::restore(ParamBlock::save(*cpu), path, false);
        const QList<ConfigFinding> storedFindings = validate(*restored);
        QVERIFY2(storedFindings.isEmpty(), qPrintable(describe(storedFindings)));
        CpuObjectFactory::releaseMemory(*cpu);
        QVERIFY(getUsedMemory(path).isEmpty()); // the trial claims are rolled back
    }

    void eachRule_data()
    {
        QTest::addColumn<int>("index");
        const QVector<Case> all = cases();
        for (int i = 0; i < all.size(); ++i)
            QTest::newRow(all.at(i).name) << i;
    }

    // A stored module with one broken rule: its finding (path, the dialog's message, check) and
    // nothing else but compile's; the dialog's OK shows the first finding and stays open.
    void eachRule()
    {
        QFETCH(int, index);
        const Case c = cases().at(index);
        const auto cpu = stored(c.compact, c.breakIt);
        QVERIFY(cpu);
        const QList<ConfigFinding> findings = validate(*cpu);
        const ConfigFinding expected{c.path, c.message, QLatin1String(c.check)};
        QVERIFY2(findings.contains(expected), qPrintable(describe(findings)));
        for (const ConfigFinding& f : findings)
            QVERIFY2(f == expected || f.check == QLatin1String("compile") ||
                         QLatin1String(c.check) == QLatin1String("compile"),
                     qPrintable(describe(findings)));
        if (!c.dialogSaysSo)
            return;
        auto held = live(c.compact, c.breakIt);
        const QString first = validate(*held).value(0).message;
        OpenDialog open(held.get(), held->projectPath);
        QVERIFY(!open.ok());
        QCOMPARE(m_case->messages, QStringList{first});
        open.cancel();
        CpuObjectFactory::releaseMemory(*held);
    }

    // A line module broken in every way at once: every finding, in the order of OK's steps,
    // then what compile adds.
    void brokenProject()
    {
        const auto cpu = stored(false, [](CpuObject& o) {
            for (const Case& c : cases()) {
                if (!c.compact)
                    c.breakIt(o);
            }
        });
        QVERIFY(cpu);
        QStringList found;
        for (const ConfigFinding& f : validate(*cpu))
            found.append(f.path + QLatin1String(" [") + f.check + QLatin1Char(']'));
        QStringList expected{"tcpIp.gateway [tcpIpAddresses]", "tcpIp.deviceName [deviceName]"};
        for (int i = 0; i < CpuParams::RetentiveCount; ++i)
            expected.append(QStringLiteral("retentive[%1].count [retentiveRanges]").arg(i));
        expected << "opcUa.settings.port [opcUaSettings]"
                 << "soe[1].trigger.dbNumber [soeTriggers]"
                 << "buses.profinet.customName [profinetName]"
                 << "buses.qbus.customName [qbusName]"
                 << "tcpIp.port [portNumbers]"
                 << "soe[2].title [soeTitles]"
                 << "retentive [compile]"
                 << "soe [compile]"
                 << "canopenMaster [compile]";
        QCOMPARE(found, expected);
    }
};

QTEST_MAIN(TestConfigValidator)
#include "tst_configvalidator.moc"
