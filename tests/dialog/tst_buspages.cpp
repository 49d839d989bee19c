#include "dialogtesting.h"
#include "hostwindow.h"

#include <block/canmasterbridge.h>
#include <block/paramblock.h>
#include <dialog/longvalid.h>
#include <dialog/pages/ethercatpage.h>
#include <model/slaveregistry.h>
#include <slaves/slavecontrol.h>

#include <QCheckBox>

using namespace DialogTesting;

// A host window whose addBusLine answers nothing: every line that reaches it is taken.
class SilentHost : public QMainWindow
{
    Q_OBJECT

public:
    QStringList lines;
    Q_INVOKABLE void addBusLine(int kind, bool enabled)
    {
        lines.append(HostWindow::busName(kind) + (enabled ? " on" : " off"));
    }
};

namespace {

using Ints = QList<int>;

const QString kEcat = QStringLiteral("ecatslavekit.dll");
const QString kDp = QStringLiteral("dpslavekit.dll");

enum Model { R70 = 0x21, R60 = 0x22, Custom = 0x50 };
enum class Host { Taking, Refusing, Silent, Without };

// Which box switches a bus (the host's bus kinds), and the flag it ends in.
const char* const kBusBoxes[] = {"useCanopen", "useEtherCat", "useQbusMaster", "useEip"};

bool busFlag(const CpuObject& cpu, int kind)
{
    const bool flags[] = {cpu.canMasterEnabled, cpu.etherCat.enabled != 0,
                          cpu.qbus.masterEnabled != 0, cpu.eip.enabled != 0};
    return flags[kind];
}

} // namespace

// The EtherCAT, CANopen master, Profinet, QBUS and Ethernet/IP pages in the dialog.
class TestBusPages : public QObject
{
    Q_OBJECT

    std::unique_ptr<DialogCase> m_case;

    // The CAN slaves of a dp plug-in at these node ids.
    void addCanSlaves(CpuObject& cpu, const Ints& nodeIds)
    {
        const SlaveControl dp(kDp);
        for (int node : nodeIds)
            SlaveRegistry::appendCan(cpu.canMaster.slaves, dp.create(node), kDp);
    }

    // OK in a dialog over `cpu`; the bus lines the host window was told about.
    QStringList runOk(CpuObject& cpu, Host host, const std::function<void(Corvopropdlg&)>& change)
    {
        HostWindow hostWindow(QStringLiteral("host"));
        if (host == Host::Refusing)
            hostWindow.setRefusedBuses({0, 1, 2, 3});
        SilentHost silent;
        QMainWindow without;
        QWidget* parent = host == Host::Silent    ? static_cast<QWidget*>(&silent)
                          : host == Host::Without ? &without
                                                  : &hostWindow;
        OpenDialog open(&cpu, m_case->project, parent);
        change(*open.dialog);
        if (!open.ok())
            qWarning("OK refused: %s", qPrintable(m_case->messages.join(QLatin1Char('|'))));
        return host == Host::Silent ? silent.lines : hostWindow.busLines();
    }

private slots:
    void init()
    {
        m_case = std::make_unique<DialogCase>(r70Project());
        // A model outside the list of models without redundancy.
        m_case->host.writeFile(
            QStringLiteral("hwcnfg/6/hw00000050.met"),
            "[MODULE START]\nObjName=R80\nMLFB=KLV3 R80-600P\nObjID=80\n"
            "ServerFile=klv2_r60.srv\nSupportEtherCAT=1\nSupportCANopen=1\n[END]\n");
        for (const QString& kit : {kEcat, kDp})
            SlaveControl(kit).reset();
    }

    void cleanup() { m_case.reset(); }

    void redundancyPerModel_data()
    {
        QTest::addColumn<QString>("mlfb");
        QTest::addColumn<bool>("offered");
        QTest::newRow("listed") << "KLV2 R40-01AP" << false;
        QTest::newRow("any case") << "klv2 r60-500p" << false;
        QTest::newRow("a longer order number") << "KLV2 R70-500PX" << true;
    }

    // Where the box is disabled the stored flag shows and survives a click and OK.
    void redundancyPerModel()
    {
        QFETCH(QString, mlfb);
        QFETCH(bool, offered);
        DialogContext context;
        context.descriptor.MLFB = mlfb;
        EtherCatPage page(context);
        auto* box = child<QCheckBox>(page, "enableRedundancy");
        QCOMPARE(box->isEnabled(), offered);
        CpuObject cpu;
        cpu.etherCat.redundancy = 1;
        page.load(cpu);
        QVERIFY(box->isChecked());
        press(box);
        page.apply(cpu);
        QCOMPARE(cpu.etherCat.redundancy, quint8(offered ? 0 : 1));
    }

    void busLines_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("before");
        QTest::addColumn<int>("host");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("after");
        const auto row = [](const char* name, int kind, bool before, Host host,
                            const QStringList& lines, bool after) {
            QTest::newRow(name) << kind << before << int(host) << lines << after;
        };
        row("EtherCAT off", 1, true, Host::Taking, {"EtherCAT off"}, false);
        row("EtherCAT off, refused", 1, true, Host::Refusing, {"EtherCAT off (refused)"}, true);
        row("EtherCAT on", 1, false, Host::Taking, {"EtherCAT on"}, true);
        row("EtherCAT off, silent host", 1, true, Host::Silent, {"EtherCAT off"}, false);
        row("EtherCAT off, no addBusLine", 1, true, Host::Without, {}, true);
        row("CANopen on", 0, false, Host::Taking, {"CANopen on"}, true);
        row("CANopen on, refused", 0, false, Host::Refusing, {"CANopen on (refused)"}, false);
        row("QBUS master on", 2, false, Host::Taking, {"QBUS on"}, true);
        row("QBUS master on, refused", 2, false, Host::Refusing, {"QBUS on (refused)"}, false);
        row("Ethernet/IP off", 3, true, Host::Taking, {"Ethernet/IP off"}, false);
        row("Ethernet/IP on, refused", 3, false, Host::Refusing, {"Ethernet/IP on (refused)"},
            false);
    }

    // One line per switched bus; the flag follows the host's answer, and the EtherCAT
    // slaves go only with their bus. A second OK without changes tells nothing.
    void busLines()
    {
        QFETCH(int, kind);
        QFETCH(bool, before);
        QFETCH(int, host);
        QFETCH(QStringList, lines);
        QFETCH(bool, after);
        auto cpu = m_case->create(R60);
        cpu->canMasterEnabled = before; // every bus alike: only the pressed one changes
        cpu->etherCat.enabled = cpu->qbus.masterEnabled = cpu->eip.enabled = before;
        const SlaveControl ecat(kEcat);
        for (int node : {4, 2})
            SlaveRegistry::insertOrdered(cpu->etherCatSlaves, ecat.create(node), kEcat);
        cpu->qbus.useSlave = 1;
        QCOMPARE(runOk(*cpu, Host(host),
                       [&](Corvopropdlg& d) {
                           press(child<QCheckBox>(d, kBusBoxes[kind]));
                           press(child<QCheckBox>(d, "useQbusSlave"));
                       }),
                 lines);
        QCOMPARE(busFlag(*cpu, kind), after);
        QCOMPARE(cpu->qbus.useSlave, quint8(0)); // the other settings are written regardless
        QCOMPARE(cpu->etherCatSlaves.size(), cpu->etherCat.enabled ? 2 : 0);
        QCOMPARE(runOk(*cpu, Host(host), [](Corvopropdlg&) {}), QStringList());
        QCOMPARE(busFlag(*cpu, kind), after);
    }

    // A bus that is off and stays off keeps no slaves.
    void etherCatAlreadyOff()
    {
        auto cpu = m_case->create(R60);
        SlaveRegistry::insertOrdered(cpu->etherCatSlaves, SlaveControl(kEcat).create(3), kEcat);
        QCOMPARE(runOk(*cpu, Host::Taking, [](Corvopropdlg&) {}), QStringList());
        QVERIFY(cpu->etherCatSlaves.isEmpty());
    }

    void profinetAndCommunicationPorts_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<bool>("portsEnabled");
        QTest::addColumn<bool>("obtainChecked");
        const auto row = [](const char* name, bool stored, const char* clicks, bool ports,
                            bool obtain) {
            QTest::newRow(name) << stored << QString(clicks).split(' ', Qt::SkipEmptyParts) << ports
                                << obtain;
        };
        row("untouched", false, "", true, false);
        row("obtain", false, "useProfinet obtainIpElsewhere", false, true);
        row("obtain and back", false, "useProfinet obtainIpElsewhere obtainIpElsewhere", true,
            false);
        row("bus off clears it", false, "useProfinet obtainIpElsewhere useProfinet", true, false);
        row("stored", true, "", false, true);
        row("stored, then Defaults", true, "defaults", true, false);
    }

    void profinetAndCommunicationPorts()
    {
        QFETCH(bool, stored);
        QFETCH(QStringList, clicks);
        QFETCH(bool, portsEnabled);
        QFETCH(bool, obtainChecked);
        auto cpu = m_case->create(R70);
        cpu->profinet.useBus = stored;
        cpu->profinet.ipFromOtherSources = stored;
        OpenDialog open(cpu.get(), m_case->project);
        auto* obtain = open.at<QCheckBox>("obtainIpElsewhere");
        for (const QString& name : clicks)
            press(name == QLatin1String("defaults") ? defaultsNear(obtain)
                                                    : open.at<QAbstractButton>(name));
        QCOMPARE(open.at("communicationPorts")->isEnabled(), portsEnabled);
        QCOMPARE(obtain->isChecked(), obtainChecked);
        QCOMPARE(open.at("profinetNameGroup")->isEnabled(),
                 open.at<QCheckBox>("useProfinet")->isChecked());
    }

    void customNames_data()
    {
        QTest::addColumn<QString>("bus");
        QTest::addColumn<bool>("useName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* bus, bool useName, const QString& typed,
                            const QString& shown, const char* message = "") {
            QTest::newRow(name) << bus << useName << typed << shown << QString(message);
        };
        const char* empty = "The custom name cannot be empty!";
        row("profinet no capitals, no _", "profinet", true, "Pn_Line", "nine");
        row("profinet starts with a letter", "profinet", true, "-9ab", "ab");
        row("profinet hyphen at the end", "profinet", true, "pn-", "pn-",
            "The custom name cannot end with '-'!");
        row("profinet 64 characters", "profinet", true, QString(70, 'a'), QString(64, 'a'));
        row("qbus capitals, _ and a hyphen at the end", "qbus", true, "Line_A-", "Line_A-");
        row("qbus starts with a letter", "qbus", true, "_1x", "x");
        row("qbus empty", "qbus", true, "", "", empty);
        row("qbus name not used", "qbus", false, "", "");
    }

    // Typing goes through the fields' rules; OK refuses what they cannot catch.
    void customNames()
    {
        QFETCH(QString, bus);
        QFETCH(bool, useName);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        auto cpu = m_case->create(R70);
        OpenDialog open(cpu.get(), m_case->project);
        const bool profinet = bus == QLatin1String("profinet");
        edit(*open.dialog, {profinet ? "useProfinet" : "useQbusSlave"});
        if (useName)
            edit(*open.dialog, {profinet ? "profinetUseCustomName" : "qbusUseCustomName"});
        auto* name = open.at<QLineEdit>(profinet ? "profinetCustomName" : "qbusCustomName");
        QTest::keyClicks(name, typed);
        QCOMPARE(name->text(), shown);
        QCOMPARE(open.ok(), message.isEmpty());
        QCOMPARE(m_case->messages, message.isEmpty() ? QStringList() : QStringList{message});
        if (message.isEmpty())
            QCOMPARE(profinet ? cpu->profinet.customName : cpu->qbus.customName, shown);
    }

    void longValid_data()
    {
        QTest::addColumn<qint64>("min");
        QTest::addColumn<qint64>("max");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("acceptable");
        const auto row = [](const char* text, bool acceptable, qint64 min = 0,
                            qint64 max = 4294967295LL) {
            QTest::addRow("'%s' in %lld..%lld", text, min, max) << min << max << text << acceptable;
        };
        row("", true);
        row("4294967295", true);
        row("4294967296", false);
        row("-1", false);
        row(" 12", false);
        row("-", false);
        row("99999999999999999999", false);
        row("-10", true, -10, 10);
        row("-11", false, -10, 10);
    }

    // Acceptable or Invalid, never Intermediate.
    void longValid()
    {
        QFETCH(qint64, min);
        QFETCH(qint64, max);
        QFETCH(QString, text);
        QFETCH(bool, acceptable);
        LongValid validator(min, max);
        int pos = 0;
        QCOMPARE(validator.validate(text, pos),
                 acceptable ? QValidator::Acceptable : QValidator::Invalid);
    }

    void canNodeIds_data()
    {
        QTest::addColumn<Ints>("slaves");
        QTest::addColumn<int>("masterNode");
        QTest::addColumn<int>("offered");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("warnings");
        QTest::newRow("no slaves") << Ints{} << 1 << 127 << "1" << 0;
        QTest::newRow("slaves at the ends") << Ints{1, 127, 64} << 2 << 124 << "2" << 0;
        QTest::newRow("master on a slave's id") << Ints{5, 6} << 5 << 125 << "" << 1;
        QTest::newRow("master beyond 127") << Ints{} << 200 << 127 << "" << 1;
    }

    // The slaves' node ids are not offered; a master id that is not offered shows nothing,
    // and OK keeps it with a warning.
    void canNodeIds()
    {
        QFETCH(Ints, slaves);
        QFETCH(int, masterNode);
        QFETCH(int, offered);
        QFETCH(QString, shown);
        QFETCH(int, warnings);
        auto cpu = m_case->create(R70);
        cpu->canMasterEnabled = true;
        cpu->canMaster.nodeId = quint8(masterNode);
        addCanSlaves(*cpu, slaves);
        runOk(*cpu, Host::Taking, [&](Corvopropdlg& d) {
            auto* nodes = child<QComboBox>(d, "canNodeId");
            QCOMPARE(nodes->count(), offered);
            for (int node : slaves)
                QCOMPARE(nodes->findText(QString::number(node)), -1);
            QCOMPARE(nodes->currentText(), shown);
        });
        QCOMPARE(m_case->messages.size(), warnings);
        QCOMPARE(cpu->canMaster.nodeId, quint8(masterNode));

        // The slaves are asked once, when the dialog opens.
        OpenDialog open(cpu.get(), m_case->project);
        if (!slaves.isEmpty())
            SlaveControl(kDp).setNodeId(cpu->canMaster.slaves.first().handle, 100);
        auto* nodes = open.at<QComboBox>("canNodeId");
        press(defaultsNear(nodes));
        QCOMPARE(nodes->count(), offered);
        edit(*open.dialog, {"useCanopen"}); // on again: the catalog's node id 1
        QCOMPARE(nodes->currentText(), slaves.contains(1) ? QString() : QStringLiteral("1"));
    }

    void unlistedCanBaudRate_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("baud");
        QTest::newRow("kept") << "" << 10;
        QTest::newRow("changed") << "125kbps" << 125;
    }

    // A stored rate the list lacks shows no entry and an unedited OK keeps it.
    void unlistedCanBaudRate()
    {
        QFETCH(QString, chosen);
        QFETCH(int, baud);
        auto cpu = m_case->create(R70);
        cpu->canMasterEnabled = true;
        cpu->canMaster.baudRate = 10;
        runOk(*cpu, Host::Taking, [&](Corvopropdlg& d) {
            auto* rates = child<QComboBox>(d, "canBaudRate");
            QCOMPARE(rates->currentIndex(), -1);
            if (!chosen.isEmpty())
                rates->setCurrentIndex(rates->findText(chosen));
        });
        QCOMPARE(cpu->canMaster.baudRate, baud);
    }

    // A master that is off is shown greyed; an OK that does not switch it on leaves its
    // record as it was, apart from the check box's byte.
    void canMasterOffKeepsItsRecord()
    {
        auto cpu = m_case->create(R70);
        CanMasterConfig& master = cpu->canMaster;
        master.baudRate = 500;
        master.heartbeat = 300;
        master.cobId = 0x181;
        master.cyclePeriod = 20000;
        master.nodeId = 9;
        const QByteArray before = CanMasterBridge::savePayload(master, m_case->project);
        runOk(*cpu, Host::Taking, [](Corvopropdlg& d) {
            QVERIFY(!child<QWidget>(d, "canMaster")->isEnabled());
            QCOMPARE(child<QComboBox>(d, "canBaudRate")->currentText(), QStringLiteral("500kbps"));
        });
        QCOMPARE(master.useCanopen, quint8(0));
        master.useCanopen = 1;
        QCOMPARE(CanMasterBridge::savePayload(master, m_case->project), before);
    }

    // Every setting of the bus pages, edited through the widgets, in the saved block; a negative
    // sync offset is its two's complement in the same byte and shows again as it was.
    void editsInTheSavedBlock()
    {
        auto cpu = m_case->create(Custom);
        QVERIFY(cpu);
        runOk(*cpu, Host::Taking, [](Corvopropdlg& d) {
            edit(d,
                 QString("useEtherCat taskInterval=17 enableRedundancy distributedClock=1 "
                         "cycleTime=-2 syncOffset=-7 syncWindowMonitor=1 syncWindow=2147483647 "
                         "useCanopen canNodeId=5 canBaudRate=250kbps canCobId=4294967295 "
                         "canCyclePeriod=1000 canHeartbeat=65535 useProfinet "
                         "profinetUseCustomName profinetCustomName+pn-7 obtainIpElsewhere "
                         "useQbusSlave qbusUseCustomName qbusCustomName+Q_bus useQbusMaster useEip")
                     .split(' '));
        });
        const QByteArray saved = ParamBlock::save(*cpu);
        QCOMPARE(sectionOf(saved, 22).mid(8).toHex(),
                 "010000001101fffffffef9017fffffff" + QByteArray(32, '0') + "00");
        // Use, node, rate, object id, cycle period, heartbeat, COB ID, no slaves.
        QCOMPARE(sectionOf(saved, 25).mid(8).toHex(),
                 QByteArray("0105000000fa00000000000003e8ffffffffffff00000000"));
        // Use, custom name, the name in 64 bytes, IP address from elsewhere.
        QCOMPARE(sectionOf(saved, 33).mid(8).toHex(),
                 "0101" + QByteArray("pn-7").toHex() + QByteArray(120, '0') + "01");
        QCOMPARE(sectionOf(saved, 34).mid(8, 7), QByteArray("\x01\x01Q_bus", 7));
        QCOMPARE(sectionOf(saved, 35).mid(8).toHex(), QByteArray("0100000000"));
        QCOMPARE(sectionOf(saved, 49).mid(8).toHex(), QByteArray("010000"));
        auto restored = ParamBlock::restore(saved, m_case->project, false);
        QCOMPARE(OpenDialog(restored.get(), m_case->project).at<QSpinBox>("syncOffset")->value(),
                 -7);
    }

    // Without QBUS support the page is absent and the QBUS members stay as they were; a
    // protocol the list cannot show is kept.
    void qbusMembersKept_data()
    {
        QTest::addColumn<bool>("supported");
        QTest::newRow("project without QBUS") << false;
        QTest::newRow("unlisted protocol") << true;
    }

    void qbusMembersKept()
    {
        QFETCH(bool, supported);
        m_case->host.writeProject(
            QStringLiteral("p.json"),
            QJsonObject{{"plcType", "KLV2-R70"}, {"supportsQbus", supported}});
        auto cpu = m_case->create(R70);
        cpu->qbus = {1, 1, QStringLiteral("Kept"), 1, 7, {}};
        const QbusSettings before = cpu->qbus;
        QCOMPARE(runOk(*cpu, Host::Taking,
                       [&](Corvopropdlg& d) {
                           QCOMPARE(d.page(PageId::Qbus) != nullptr, supported);
                           QCOMPARE(d.page(PageId::Eip), nullptr);
                       }),
                 QStringList());
        QCOMPARE(std::tie(cpu->qbus.useSlave, cpu->qbus.useCustomName, cpu->qbus.customName,
                          cpu->qbus.masterEnabled, cpu->qbus.protocolType),
                 std::tie(before.useSlave, before.useCustomName, before.customName,
                          before.masterEnabled, before.protocolType));
    }
};

QTEST_MAIN(TestBusPages)
#include "tst_buspages.moc"
