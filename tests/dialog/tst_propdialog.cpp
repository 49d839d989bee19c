#include "dialogtesting.h"

#include <block/paramblock.h>
#include <corekit/pwdcodec.h>
#include <dialog/pages/hscpage.h>
#include <dialog/pages/inputfilterpage.h>
#include <dialog/pages/soepage.h>
#include <dialog/pagetable.h>
#include <helpkit/helpsystem.h>
#include <plugin/corvocpuapi.h>

#include <QCheckBox>
#include <QInputMethodEvent>
#include <QJsonArray>
#include <QLibrary>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

using namespace DialogTesting;

namespace {

QStringList g_debugLines;

void collectDebug(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtDebugMsg)
        g_debugLines.append(text);
}

// What a field shows: a number, the current entry, the text, or "1"/"0" for a check box.
QString shown(QWidget* field)
{
    if (auto* spin = qobject_cast<QSpinBox*>(field))
        return QString::number(spin->value());
    if (auto* list = qobject_cast<QComboBox*>(field))
        return list->currentText();
    if (auto* line = qobject_cast<QLineEdit*>(field))
        return line->text();
    return qobject_cast<QAbstractButton*>(field)->isChecked() ? "1" : "0";
}

// Fields edited before Defaults, with what they show edited and what the default object shows.
const struct
{
    const char* field;
    const char* edited;
    const char* byDefault;
} kDefaultFields[] = {
    {"nameEdit", "renamed", "R70"},
    {"deviceName", "edited", "Corvo"},
    {"retentiveOffset0", "77", "0"},
    {"backgroundTime", "33", "10"},
    {"soeTitle7", "edited", ""},
    {"extBusClock", "20 MHz", "55 MHz"},
    {"useEtherCat", "1", "0"},
    {"taskInterval", "9", "2"},
    {"useCanopen", "1", "0"},
    {"inputFilter2", "0.20ms", "6.40ms"},
    {"hscGroup4/hscSpeedTime", "99", "5"},
    {"useProfinet", "1", "0"},
    {"useQbusSlave", "1", "0"},
    {"useQbusMaster", "1", "0"},
    {"useEip", "1", "0"},
};

} // namespace

// The dialog frame: its tree, Defaults, help, the OK sequence and the memory around it.
class TestPropDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<DialogCase> m_case;

private slots:
    void init()
    {
        m_case = std::make_unique<DialogCase>(r70Project());
        clearRequestedHelpTopics();
    }
    void cleanup() { m_case.reset(); }

    // The tree's items per model and the port tabs ("|" between them); the compact model's
    // hidden Address item still has its page, built and loaded (24 inputs).
    void frameAndTreePerModel_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("pages");
        QTest::addColumn<QString>("portTabs");
        const QString common = "Retentive Ranges|Password|Background Time|SOE Configurations|"
                               "Extend Bus Clock Configurations|";
        const QString buses = "OPC UA|Profinet Bus|QBUS Bus|"; // the project's PLC type has them
        QTest::newRow("KLV2 R70") << 0x21
                                  << "General|Communication Ports|" + common +
                                         "EtherCAT|CANopen Master|Address|Input Filter|"
                                         "High-speed Counter|" +
                                         buses + "Ethernet/IP"
                                  << "PPI Ports|TCP/IP Port";
        QTest::newRow("no extras")
            << 0x10 << "General|Communication Ports|" + common + buses + "Ethernet/IP"
            << "PPI Ports|TCP/IP Port";
        // CANopen is in the compact model's catalog entry, but it has no master page.
        QTest::newRow("compact") << 0x30
                                 << "General|TCP/IP Ports|" + common + "Input Filter|" + buses +
                                        "Extend Card|PPI Ports|Ethernet/IP"
                                 << "TCP/IP Port";
    }

    void frameAndTreePerModel()
    {
        QFETCH(int, id);
        QFETCH(QString, pages);
        QFETCH(QString, portTabs);
        auto cpu = m_case->create(id);
        OpenDialog open(cpu.get(), m_case->project);
        QCOMPARE(open->windowTitle(), QStringLiteral("Properties - ") + cpu->descriptor.ObjName);
        QStringList shown, tabs;
        QTreeWidgetItem* root = open->pageTree()->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i) {
            if (!root->child(i)->isHidden())
                shown << root->child(i)->text(0);
        }
        QCOMPARE(shown.join('|'), pages);
        QCOMPARE(open->pageStack()->count(), root->childCount());
        auto* portTabWidget = open.at<QTabWidget>("communicationPorts");
        for (int i = 0; i < portTabWidget->count(); ++i)
            tabs << portTabWidget->tabText(i);
        QCOMPARE(tabs.join('|'), portTabs);
        if (id == 0x30)
            QCOMPARE(open.at<QLineEdit>("addressInputEnd")->text(), QStringLiteral("2"));
    }

    void readOnlyCanOnlyCancel()
    {
        auto cpu = m_case->create(0x21);
        QMainWindow host;
        Corvopropdlg dialog(cpu.get(), m_case->project, &host, true);
        QVERIFY(!child<QPushButton>(dialog, "okButton")->isEnabled());
        QVERIFY(!child<QPushButton>(dialog, "defaultAllButton")->isEnabled());
        QVERIFY(child<QPushButton>(dialog, "cancelButton")->isEnabled());
    }

    void helpFollowsTheCurrentPage()
    {
        auto cpu = m_case->create(0x21);
        OpenDialog open(cpu.get(), m_case->project);
        QVERIFY(open.showActive());
        QTest::keyClick(open.dialog.get(), Qt::Key_F1); // nothing chosen yet: the general topic
        open.showPage("Password");
        QWidget* passwordPage = open->pageStack()->currentWidget();
        QTest::keyClick(open.dialog.get(), Qt::Key_F1);
        open->pageTree()->setCurrentItem(open->pageTree()->topLevelItem(0));
        QCOMPARE(open->pageStack()->currentWidget(), passwordPage); // the root item has no page
        QTest::mouseClick(open.at<QPushButton>("helpButton"), Qt::LeftButton);
        QCOMPARE(requestedHelpTopics(),
                 (QStringList{"CPU Properties General", "CPU Properties Password",
                              "CPU Properties Password"}));
    }

    void defaults_data()
    {
        QTest::addColumn<QString>("near"); // a field of the page whose Defaults is pressed
        QTest::addColumn<QStringList>("reverted");
        QTest::addColumn<int>("logLine"); // the debug line the button logs first, 0: none
        const auto row = [](const char* near, const QStringList& reverted, int logLine = 0) {
            QTest::newRow(near) << QString(near) << reverted << logLine;
        };
        for (const char* field :
             {"deviceName", "retentiveOffset0", "backgroundTime", "soeTitle7", "extBusClock",
              "inputFilter2", "hscGroup4/hscSpeedTime", "useCanopen"})
            row(field, {field});
        row("useEtherCat", {"useEtherCat", "taskInterval"});
        row("useProfinet", {"useProfinet"}, 2505);
        row("useQbusSlave", {"useQbusSlave", "useQbusMaster"}, 2510);
        row("useEip", {"useEip"}, 2516);
        QStringList all;
        for (const auto& f : kDefaultFields)
            all.append(f.field);
        QTest::newRow("Default All") << QString() << all << 0;
    }

    // Defaults reload their page from a default object, Default All every page but the
    // password; some buttons log their line first. Nothing reaches the object before OK and
    // the default object's memory claims are gone again.
    void defaults()
    {
        QFETCH(QString, near);
        QFETCH(QStringList, reverted);
        QFETCH(int, logLine);
        auto cpu = m_case->create(0x21);
        cpu->descriptor.ObjName = QStringLiteral("renamed");
        cpu->etherCat.enabled = 1;
        cpu->etherCat.taskInterval = 9;
        cpu->canMasterEnabled = true;
        cpu->profinet.useBus = 1;
        cpu->qbus.useSlave = cpu->qbus.masterEnabled = 1;
        cpu->eip.enabled = 1;
        cpu->params.password.level = 3;
        const QByteArray secret = encodePwdLen8(QStringLiteral("abc"));
        std::copy(secret.begin(), secret.end(), cpu->params.password.password.begin());
        const QByteArray before = ParamBlock::save(*cpu);
        const auto claims = getUsedMemory(m_case->project);
        OpenDialog open(cpu.get(), m_case->project);
        qobject_cast<SoePage*>(open->page(PageId::Soe))->buildRows();
        qobject_cast<InputFilterPage*>(open->page(PageId::InputFilter))->buildRows();
        qobject_cast<HscPage*>(open->page(PageId::Hsc))->counter(4);
        edit(*open.dialog,
             {"deviceName=edited", "retentiveOffset0=77", "backgroundTime=33", "soeTitle7=edited",
              "extBusClock=20 MHz", "inputFilter2=0.20ms", "hscGroup4/hscSpeedTime=99"});
        for (const auto& f : kDefaultFields)
            QCOMPARE(shown(open.at(f.field)), QString(f.edited));

        g_debugLines.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collectDebug);
        press(near.isEmpty() ? open.at<QPushButton>("defaultAllButton")
                             : defaultsNear(open.at(near)));
        qInstallMessageHandler(previous);
        for (const auto& f : kDefaultFields) {
            const bool back = reverted.contains(f.field);
            QCOMPARE(shown(open.at(f.field)), QString(back ? f.byDefault : f.edited));
        }
        QVERIFY(open.at<QRadioButton>("privilegeLevel3")->isChecked());
        QCOMPARE(open.at<QLineEdit>("password")->text(), QStringLiteral("abc     "));
        const QStringList logged =
            g_debugLines.filter(QRegularExpression(QStringLiteral("corvopropdlg 25[01]")));
        QCOMPARE(logged.size(), logLine ? 1 : 0);
        if (logLine)
            QVERIFY(logged.first().endsWith(QStringLiteral(".\\corvopropdlg %1").arg(logLine)));
        QCOMPARE(open->pageLoadSource(), cpu.get());
        QCOMPARE(getUsedMemory(m_case->project), claims);
        QCOMPARE(ParamBlock::save(*cpu), before);
    }

    // Every check broken at once: OK reports them one by one, in the frame's order, with the
    // field in front and in focus; nothing is written while one fails.
    void okChecksInTheirOrder()
    {
        QJsonObject project = r70Project();
        project.insert("dataBlocks", QJsonArray{QJsonObject{{"name", "DB30"}}});
        m_case->host.writeProject("p.json", project);
        auto cpu = m_case->create(0x21);
        const QByteArray before = ParamBlock::save(*cpu);
        OpenDialog open(cpu.get(), m_case->project);
        open.showPage("SOE Configurations");
        QVERIFY(open.showActive());
        edit(*open.dialog,
             {"fixedIpRadio", "ipAddress=0.1.2.3", "deviceName=  ", "claimPassword=one",
              "claimVerify=two", "privilegeLevel2", "retentiveArea4=T", "retentiveOffset4=250",
              "retentiveCount4=7", "soeEnable2", "soeTrigger2/triggerArea=DB",
              "soeTrigger2/triggerDbNumber=2", "soeEnable9"});
        // clang-format off
        const struct
        {
            const char* text; // empty: the address field's own text
            QMessageBox::Icon icon;
            const char* focus;
            QStringList mend;
        } steps[] = {
            {"", QMessageBox::Warning, "ipAddress", {"ipAddress=192.168.1.5"}},
            {"The device name can not be empty.", QMessageBox::Information, "deviceName",
             {"deviceName=filler"}},
            {"The password you enter must be as the same as the confirm password.",
             QMessageBox::Information, "claimPassword", {"claimVerify=one"}},
            {"The password you enter must be as the same as the confirm password.",
             QMessageBox::Warning, "password", {"password=pw", "passwordVerify=pw"}},
            {"Retentive Range 4 is illegal for the PLC type selected.", QMessageBox::Information,
             "retentiveCount4", {"retentiveCount4=6"}},
            // The data-block number is selected, so that typing replaces it.
            {"The trigger setting has error,DB2 does not exist.", QMessageBox::Warning,
             "soeTrigger2/triggerDbNumber", {"soeTrigger2/triggerDbNumber+30"}},
            {"The title of SOE 3 is not allowed be empty.", QMessageBox::Information, "soeTitle2",
             {"soeTitle2+Pump"}},
            {"The title of SOE 10 is not allowed be empty.", QMessageBox::Information, "soeTitle9",
             {"soeEnable9"}},
        };
        // clang-format on
        for (const auto& step : steps) {
            QVERIFY(!open.ok());
            QCOMPARE(m_case->titles.last(), open->windowTitle());
            if (*step.text)
                QCOMPARE(m_case->messages.last(), QString(step.text));
            QCOMPARE(m_case->icons.last(), step.icon);
            QWidget* field = open.at(step.focus);
            QVERIFY2(field->isAncestorOf(QApplication::focusWidget()) ||
                         QApplication::focusWidget() == field,
                     step.focus);
            QVERIFY(open->pageStack()->currentWidget()->isAncestorOf(field));
            edit(*open.dialog, step.mend);
        }
        QCOMPARE(ParamBlock::save(*cpu), before);
        QVERIFY2(open.ok(), qPrintable(m_case->messages.join('\n')));
        QCOMPARE(m_case->messages.size(), int(std::size(steps)));
        QCOMPARE(cpu->params.tcpIp.deviceName.text(), QStringLiteral("filler"));
        QCOMPARE(cpu->params.password.level, quint8(2));
        QCOMPARE(cpu->soe[2].trigger.dbNumber, quint16(30));
        QCOMPARE(cpu->soe[2].title, QStringLiteral("Pump"));
        QVERIFY(!cpu->soe[9].isUsed());
    }

    // Password fields take no input method (only the characters the device accepts).
    void passwordsTakeNoInputMethod()
    {
        auto cpu = m_case->create(0x21);
        OpenDialog open(cpu.get(), m_case->project);
        for (const char* name : {"claimPassword", "claimVerify", "password", "passwordVerify"}) {
            auto* field = open.at<QLineEdit>(name);
            field->setEnabled(true);
            field->clear();
            QInputMethodEvent event;
            event.setCommitString(QStringLiteral("x"));
            QCoreApplication::sendEvent(field, &event);
            QVERIFY2(field->text().isEmpty(), name);
        }
    }

    void configThroughTheExport_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("Cancel after Defaults") << false;
        QTest::newRow("OK") << true;
    }

    void configThroughTheExport()
    {
        QFETCH(bool, ok);
        const QString& project = m_case->project;
        QLibrary plugin(QStringLiteral(CORVO_PLUGIN_FILE));
        QVERIFY(plugin.load());
        auto createObject =
            reinterpret_cast<CorvoCpuApi::CreateObjectFn>(plugin.resolve("createObject"));
        auto config = reinterpret_cast<CorvoCpuApi::ConfigFn>(plugin.resolve("config"));
        auto save = reinterpret_cast<CorvoCpuApi::SaveFn>(plugin.resolve("save"));
        auto release =
            reinterpret_cast<CorvoCpuApi::ReleaseObjectFn>(plugin.resolve("releaseObject"));
        void* cpu = createObject(0x21, project);
        QVERIFY(cpu);
        QCOMPARE(config(cpu, project, nullptr, false), 0); // no parent: no dialog
        const QByteArray before = save(cpu);
        const auto claims = getUsedMemory(project);
        QMainWindow host;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            // Defaults frees and claims the local I/O memory: the snapshot must undo any trace.
            freeMemory(project, 129, 0, 2);
            QTest::mouseClick(child<QPushButton>(*dialog, "defaultAllButton"), Qt::LeftButton);
            child<QLineEdit>(*dialog, "deviceName")->setText(QStringLiteral("via-config"));
            QTest::mouseClick(child<QPushButton>(*dialog, ok ? "okButton" : "cancelButton"),
                              Qt::LeftButton);
        });
        QCOMPARE(config(cpu, project, &host, false), 0);
        QCOMPARE(backupDepth(project), 0);
        if (ok) {
            QVERIFY(save(cpu) != before);
        } else {
            QCOMPARE(save(cpu), before);
            QCOMPARE(getUsedMemory(project), claims);
        }
        release(cpu);
        QVERIFY(getUsedMemory(project).isEmpty());
    }

    void pageTableIsConsistent()
    {
        // Pages are added to the table by hand: a wrong item or a missing topic would show as
        // a page without tree item or help.
        QSet<int> ids;
        for (const PageEntry& entry : PageTable::pages()) {
            QVERIFY2(!ids.contains(int(entry.id)), "a page id twice");
            ids.insert(int(entry.id));
            const PageEntry* owner = PageTable::find(entry.item);
            QVERIFY(owner && owner->item == owner->id);
            if (entry.item == entry.id)
                QVERIFY(entry.treeText && entry.helpEnglish && entry.helpLocal);
            else
                QVERIFY2(entry.tabTitle && owner->tabTitle, "a page in another item sits in a tab");
            QVERIFY(entry.presence && entry.build);
        }
    }
};

QTEST_MAIN(TestPropDialog)
#include "tst_propdialog.moc"
