#include "hostfixture.h"

#include <clippedtext.h>

#include <block/paramblock.h>
#include <corekit/memory.h>
#include <corekit/pwdcodec.h>
#include <corekit/widgets/ipaddresswidget.h>
#include <dialog/corvopropdlg.h>
#include <dialog/dialogpage.h>
#include <dialog/messages.h>
#include <dialog/okstep.h>
#include <dialog/pagetable.h>
#include <helpkit/helpsystem.h>
#include <model/cpuobjectfactory.h>
#include <plugin/corvocpuapi.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLibrary>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {

struct Message
{
    QMessageBox::Icon icon;
    QString title;
    QString text;
};

QStringList treeTexts(const Corvopropdlg& dialog)
{
    QStringList texts;
    QTreeWidgetItem* root = dialog.pageTree()->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i) {
        if (!root->child(i)->isHidden())
            texts.append(root->child(i)->text(0));
    }
    return texts;
}

QTreeWidgetItem* itemNamed(const Corvopropdlg& dialog, const QString& text)
{
    QTreeWidgetItem* root = dialog.pageTree()->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i) {
        if (root->child(i)->text(0) == text)
            return root->child(i);
    }
    return nullptr;
}

template <typename T>
T* child(const QWidget& parent, const QString& name)
{
    T* widget = parent.findChild<T*>(name);
    if (!widget)
        qWarning("no widget %s", qPrintable(name));
    return widget;
}

// The Defaults button of the page that holds `field`.
QPushButton* defaultsNear(QWidget* field)
{
    for (QWidget* w = field; w; w = w->parentWidget()) {
        if (auto* button = w->findChild<QPushButton*>(QStringLiteral("defaultsButton")))
            return button;
    }
    return nullptr;
}

} // namespace

// The dialog frame: its tree, Defaults, help, the OK sequence and the memory around it.
class TestPropDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void frameAndTreePerModel_data();
    void frameAndTreePerModel();
    void readOnlyCanOnlyCancel();
    void helpFollowsTheCurrentPage();
    void defaultsChangeOnlyTheirPage();
    void defaultAllKeepsThePassword();
    void okChecksInTheirOrder();
    void okWritesEveryPage();
    void inputMethodsAndTitleRadios();
    void configThroughTheExport_data();
    void configThroughTheExport();
    void pageTableIsConsistent();
    void repeatedStationAddresses_data();
    void repeatedStationAddresses();
    void nothingIsCutOff_data();
    void nothingIsCutOff();

private:
    std::unique_ptr<CpuObject> create(int id);

    std::unique_ptr<HostFixture> m_host;
    QString m_project;
    QList<Message> m_messages;
};

void TestPropDialog::init()
{
    m_host.reset();
    m_host = std::make_unique<HostFixture>();
    m_project = m_host->writeProject(QStringLiteral("p.json"), QJsonObject{{"plcType", "KLV2-R70"},
                                                                           {"plcVersion", "02.01"},
                                                                           {"supportsEip", true},
                                                                           {"supportsQbus", true}});
    clearUsedMemory(m_project);
    m_messages.clear();
    Messages::setInterceptor(
        [this](QMessageBox::Icon icon, const QString& title, const QString& text) {
            m_messages.append({icon, title, text});
        });
    clearRequestedHelpTopics();
}

void TestPropDialog::cleanup()
{
    Messages::setInterceptor({});
}

std::unique_ptr<CpuObject> TestPropDialog::create(int id)
{
    return CpuObjectFactory::create(id, m_project);
}

void TestPropDialog::frameAndTreePerModel_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QStringList>("portTabs");

    const QStringList common{"Retentive Ranges", "Password", "Background Time",
                             "SOE Configurations", "Extend Bus Clock Configurations"};
    // The project's PLC type has an OPC UA server, QBUS and Ethernet/IP.
    const QStringList buses{"OPC UA", "Profinet Bus", "QBUS Bus"};
    QTest::newRow("KLV2 R70") << 0x21
                              << QStringList{"General", "Communication Ports"} + common +
                                     QStringList{"EtherCAT", "CANopen Master", "Address",
                                                 "Input Filter", "High-speed Counter"} +
                                     buses + QStringList{"Ethernet/IP"}
                              << QStringList{"PPI Ports", "TCP/IP Port"};
    QTest::newRow("no extras") << 0x10
                               << QStringList{"General", "Communication Ports"} + common + buses +
                                      QStringList{"Ethernet/IP"}
                               << QStringList{"PPI Ports", "TCP/IP Port"};
    // The compact model has CANopen in its catalog entry, but no master page; its Address
    // item is hidden, its page is there all the same.
    QTest::newRow("compact") << 0x30
                             << QStringList{"General", "TCP/IP Ports"} + common +
                                    QStringList{"Input Filter"} + buses +
                                    QStringList{"Extend Card", "PPI Ports", "Ethernet/IP"}
                             << QStringList{"TCP/IP Port"};
}

void TestPropDialog::frameAndTreePerModel()
{
    QFETCH(int, id);
    QFETCH(QStringList, pages);
    QFETCH(QStringList, portTabs);
    auto cpu = create(id);
    QMainWindow host;
    Corvopropdlg dialog(cpu.get(), m_project, &host, false);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Properties - ") + cpu->descriptor.ObjName);
    QCOMPARE(dialog.size(), QSize(860, 540));
    QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(dialog.windowFlags() & Qt::WindowMaximizeButtonHint));
    QTreeWidgetItem* root = dialog.pageTree()->topLevelItem(0);
    QCOMPARE(root->text(0), QStringLiteral("CPU"));
    QCOMPARE(root->data(0, Qt::UserRole).toInt(), -1);
    QCOMPARE(treeTexts(dialog), pages);
    QCOMPARE(dialog.pageStack()->count(), root->childCount());
    auto* tabs = child<QTabWidget>(dialog, QStringLiteral("communicationPorts"));
    QStringList tabTexts;
    for (int i = 0; i < tabs->count(); ++i)
        tabTexts.append(tabs->tabText(i));
    QCOMPARE(tabTexts, portTabs);
    QCOMPARE(itemNamed(dialog, "Password")->data(0, Corvopropdlg::HelpTopicRole).toString(),
             QStringLiteral("CPU Properties Password"));
}

void TestPropDialog::readOnlyCanOnlyCancel()
{
    auto cpu = create(0x21);
    QMainWindow host;
    for (bool readOnly : {true, false}) {
        Corvopropdlg dialog(cpu.get(), m_project, &host, readOnly);
        QCOMPARE(child<QPushButton>(dialog, "okButton")->isEnabled(), !readOnly);
        QCOMPARE(child<QPushButton>(dialog, "defaultAllButton")->isEnabled(), !readOnly);
        QVERIFY(child<QPushButton>(dialog, "cancelButton")->isEnabled());
        QVERIFY(child<QPushButton>(dialog, "helpButton")->isEnabled());
    }
}

void TestPropDialog::helpFollowsTheCurrentPage()
{
    auto cpu = create(0x21);
    QMainWindow host;
    Corvopropdlg dialog(cpu.get(), m_project, &host, false);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_F1); // nothing chosen yet: the general topic
    dialog.pageTree()->setCurrentItem(itemNamed(dialog, "Password"));
    QWidget* passwordPage = dialog.pageStack()->currentWidget();
    QTest::keyClick(&dialog, Qt::Key_F1);
    dialog.pageTree()->setCurrentItem(dialog.pageTree()->topLevelItem(0));
    QCOMPARE(dialog.pageStack()->currentWidget(), passwordPage); // the root item has no page
    QTest::mouseClick(child<QPushButton>(dialog, "helpButton"), Qt::LeftButton);
    QCOMPARE(requestedHelpTopics(),
             (QStringList{"CPU Properties General", "CPU Properties Password",
                          "CPU Properties Password"}));
}

void TestPropDialog::defaultsChangeOnlyTheirPage()
{
    auto cpu = create(0x21);
    const QByteArray before = ParamBlock::save(*cpu);
    const auto claims = getUsedMemory(m_project);
    QMainWindow host;
    Corvopropdlg dialog(cpu.get(), m_project, &host, false);
    auto* background = child<QSpinBox>(dialog, "backgroundTime");
    auto* offset = child<QSpinBox>(dialog, "retentiveOffset0");
    auto* device = child<QLineEdit>(dialog, "deviceName");
    background->setValue(33);
    offset->setValue(77);
    device->setText(QStringLiteral("edited"));
    QTest::mouseClick(defaultsNear(offset), Qt::LeftButton);
    QCOMPARE(offset->value(), 0);      // reloaded from the default object
    QCOMPARE(background->value(), 33); // other pages keep their edits
    QCOMPARE(device->text(), QStringLiteral("edited"));
    QCOMPARE(dialog.pageLoadSource(), cpu.get());
    QCOMPARE(getUsedMemory(m_project), claims); // the default object's claims are gone again
    QTest::mouseClick(defaultsNear(device), Qt::LeftButton);
    QCOMPARE(device->text(), QStringLiteral("Corvo"));
    QCOMPARE(ParamBlock::save(*cpu), before); // nothing is written before OK
}

void TestPropDialog::defaultAllKeepsThePassword()
{
    auto cpu = create(0x21);
    cpu->descriptor.ObjName = QStringLiteral("renamed");
    cpu->params.password.level = 3;
    const QByteArray secret = encodePwdLen8(QStringLiteral("abc"));
    std::copy(secret.begin(), secret.end(), cpu->params.password.password.begin());
    cpu->params.background.percent = 40;
    QMainWindow host;
    Corvopropdlg dialog(cpu.get(), m_project, &host, false);
    QTest::mouseClick(child<QPushButton>(dialog, "defaultAllButton"), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>(dialog, "nameEdit")->text(), QStringLiteral("R70"));
    QCOMPARE(child<QSpinBox>(dialog, "backgroundTime")->value(), 10);
    QVERIFY(child<QRadioButton>(dialog, "privilegeLevel3")->isChecked());
    QCOMPARE(child<QLineEdit>(dialog, "password")->text(), QStringLiteral("abc     "));
    QCOMPARE(cpu->params.background.percent, quint8(40));
}

void TestPropDialog::okChecksInTheirOrder()
{
    auto cpu = create(0x21);
    const QByteArray before = ParamBlock::save(*cpu);
    QMainWindow host;
    Corvopropdlg dialog(cpu.get(), m_project, &host, false);
    // Break every check at once; OK reports them one by one, in the frame's order.
    child<QRadioButton>(dialog, "fixedIpRadio")->click();
    auto* ip = child<IpAddressWidget>(dialog, "ipAddress");
    ip->setIpAddr(QStringLiteral("0.1.2.3"));
    auto* device = child<QLineEdit>(dialog, "deviceName");
    device->setText(QStringLiteral("  "));
    child<QLineEdit>(dialog, "claimPassword")->setText(QStringLiteral("one"));
    child<QLineEdit>(dialog, "claimVerify")->setText(QStringLiteral("two"));
    child<QRadioButton>(dialog, "privilegeLevel2")->click();
    child<QComboBox>(dialog, "retentiveArea4")->setCurrentIndex(6); // "T"
    child<QSpinBox>(dialog, "retentiveOffset4")->setValue(250);
    child<QSpinBox>(dialog, "retentiveCount4")->setValue(7);

    const QStringList expected{
        QString(), // the address text is the widget's own
        "The device name can not be empty.",
        "The password you enter must be as the same as the confirm password.",
        "The password you enter must be as the same as the confirm password.",
        "Retentive Range 4 is illegal for the PLC type selected."};
    auto* ok = child<QPushButton>(dialog, "okButton");
    for (int step = 0; step < expected.size(); ++step) {
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(m_messages.size(), step + 1);
        QCOMPARE(m_messages.last().title, dialog.windowTitle());
        if (!expected.at(step).isEmpty())
            QCOMPARE(m_messages.last().text, expected.at(step));
        QVERIFY(!dialog.result());
        // Mend what was reported.
        switch (step) {
        case 0:
            QCOMPARE(m_messages.last().icon, QMessageBox::Warning);
            ip->setIpAddr(QStringLiteral("192.168.1.5"));
            break;
        case 1:
            QCOMPARE(m_messages.last().icon, QMessageBox::Information);
            QVERIFY(device->hasFocus() || !dialog.isVisible());
            device->setText(QStringLiteral("filler"));
            break;
        case 2:
            child<QLineEdit>(dialog, "claimVerify")->setText(QStringLiteral("one"));
            break;
        case 3:
            QCOMPARE(m_messages.last().icon, QMessageBox::Warning);
            child<QLineEdit>(dialog, "password")->setText(QStringLiteral("pw"));
            child<QLineEdit>(dialog, "passwordVerify")->setText(QStringLiteral("pw"));
            break;
        case 4:
            child<QSpinBox>(dialog, "retentiveCount4")->setValue(6);
            break;
        }
    }
    QCOMPARE(ParamBlock::save(*cpu), before); // nothing written while a check fails
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(m_messages.size(), expected.size());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(cpu->params.tcpIp.deviceName.text(), QStringLiteral("filler"));
    QCOMPARE(cpu->params.password.level, quint8(2));
}

void TestPropDialog::okWritesEveryPage()
{
    auto cpu = create(0x21);
    QMainWindow host;
    Corvopropdlg dialog(cpu.get(), m_project, &host, false);
    child<QLineEdit>(dialog, "nameEdit")->setText(QStringLiteral("Filler PLC"));
    child<QLineEdit>(dialog, "deviceName")->setText(QStringLiteral("filler-1"));
    child<QSpinBox>(dialog, "backgroundTime")->setValue(25);
    child<QSpinBox>(dialog, "port0PlcAddress")->setValue(9);
    child<QComboBox>(dialog, "retentiveArea5")->setCurrentIndex(1); // "VW"
    child<QSpinBox>(dialog, "retentiveOffset5")->setValue(10);
    child<QSpinBox>(dialog, "retentiveCount5")->setValue(4);
    QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    QVERIFY2(m_messages.isEmpty(), m_messages.isEmpty() ? "" : qPrintable(m_messages.first().text));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    // The edits are in the object and in the block it saves.
    const QByteArray saved = ParamBlock::save(*cpu);
    auto restored = ParamBlock::restore(saved, m_project, false);
    QCOMPARE(restored->descriptor.ObjName, QStringLiteral("Filler PLC"));
    QCOMPARE(restored->params.tcpIp.deviceName.text(), QStringLiteral("filler-1"));
    QCOMPARE(restored->params.background.percent, quint8(25));
    QCOMPARE(restored->params.port0.plcAddress, quint8(9));
    const RetentiveRange& range = restored->params.retentive[5];
    QCOMPARE(range.typeCode, quint8(4));
    QCOMPARE(range.areaCode, quint8(0x84));
    QCOMPARE(range.start, 80u);
    QCOMPARE(range.count, quint16(4));
}

void TestPropDialog::inputMethodsAndTitleRadios()
{
    auto cpu = create(0x21);
    QMainWindow host;
    Corvopropdlg dialog(cpu.get(), m_project, &host, false);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (const char* name : {"claimPassword", "claimVerify", "password", "passwordVerify"}) {
        auto* field = child<QLineEdit>(dialog, QString::fromLatin1(name));
        field->setEnabled(true);
        field->clear();
        QInputMethodEvent event;
        event.setCommitString(QStringLiteral("x"));
        QCoreApplication::sendEvent(field, &event);
        QVERIFY2(field->text().isEmpty(), name);
    }
    dialog.pageTree()->setCurrentItem(itemNamed(dialog, "Communication Ports"));
    child<QTabWidget>(dialog, "communicationPorts")->setCurrentIndex(1);
    auto* box = child<QGroupBox>(dialog, "ipGroup");
    box->resize(box->width() + 10, box->height());
    QTRY_COMPARE(child<QRadioButton>(dialog, "fixedIpRadio")->pos(), box->pos() + QPoint(8, -8));
}

void TestPropDialog::configThroughTheExport_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("Cancel after Defaults") << false;
    QTest::newRow("OK") << true;
}

void TestPropDialog::configThroughTheExport()
{
    QFETCH(bool, ok);
    QLibrary plugin(QStringLiteral(CORVO_PLUGIN_FILE));
    QVERIFY(plugin.load());
    auto createObject =
        reinterpret_cast<CorvoCpuApi::CreateObjectFn>(plugin.resolve("createObject"));
    auto config = reinterpret_cast<CorvoCpuApi::ConfigFn>(plugin.resolve("config"));
    auto save = reinterpret_cast<CorvoCpuApi::SaveFn>(plugin.resolve("save"));
    auto release = reinterpret_cast<CorvoCpuApi::ReleaseObjectFn>(plugin.resolve("releaseObject"));
    void* cpu = createObject(0x21, m_project);
    QVERIFY(cpu);
    QCOMPARE(config(cpu, m_project, nullptr, false), 0); // no parent: no dialog
    const QByteArray before = save(cpu);
    const auto claims = getUsedMemory(m_project);
    QMainWindow host;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        // Defaults frees and claims the local I/O memory: the snapshot must undo any trace.
        freeMemory(m_project, 129, 0, 2);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("defaultAllButton")),
                          Qt::LeftButton);
        dialog->findChild<QLineEdit*>(QStringLiteral("deviceName"))
            ->setText(QStringLiteral("via-config"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(ok ? QStringLiteral("okButton")
                                                             : QStringLiteral("cancelButton")),
                          Qt::LeftButton);
    });
    QCOMPARE(config(cpu, m_project, &host, false), 0);
    QCOMPARE(backupDepth(m_project), 0);
    if (ok) {
        QVERIFY(save(cpu) != before);
    } else {
        QCOMPARE(save(cpu), before);
        QCOMPARE(getUsedMemory(m_project), claims);
    }
    release(cpu);
    QVERIFY(getUsedMemory(m_project).isEmpty());
}

void TestPropDialog::pageTableIsConsistent()
{
    // Pages are added to the table by hand: a wrong item or a missing topic would show as a
    // page without tree item or help.
    QSet<int> ids;
    for (const PageEntry& entry : PageTable::pages()) {
        QVERIFY2(!ids.contains(int(entry.id)), "a page id twice");
        ids.insert(int(entry.id));
        const PageEntry* owner = PageTable::find(entry.item);
        QVERIFY(owner && owner->item == owner->id);
        if (entry.item == entry.id) {
            QVERIFY(entry.treeText && entry.helpEnglish && entry.helpLocal);
        } else {
            QVERIFY2(entry.tabTitle && owner->tabTitle, "a page in another item sits in a tab");
        }
        QVERIFY(entry.presence && entry.build);
    }
}

void TestPropDialog::repeatedStationAddresses_data()
{
    QTest::addColumn<QList<int>>("addresses");
    QTest::addColumn<int>("repeated");
    QTest::newRow("none") << QList<int>{} << -1;
    QTest::newRow("distinct") << QList<int>{5, 6, 7} << -1;
    QTest::newRow("second repeats first") << QList<int>{5, 5} << 1;
    QTest::newRow("later repeat") << QList<int>{1, 2, 3, 2, 1} << 3;
}

void TestPropDialog::repeatedStationAddresses()
{
    QFETCH(QList<int>, addresses);
    QFETCH(int, repeated);
    QList<StationAddress> ports;
    for (int address : addresses)
        ports.append({address, nullptr});
    QCOMPARE(firstRepeatedAddress(ports), repeated);

    // The compact CPU's built-in port takes part as a Modbus RTU slave only.
    auto cpu = create(0x30);
    QMainWindow host;
    Corvopropdlg dialog(cpu.get(), m_project, &host, false);
    auto* protocol = child<QWidget>(dialog, "wgtProtocol")->findChild<QComboBox*>();
    protocol->setCurrentIndex(2);
    QCOMPARE(dialog.page(PageId::LocalPort)->stationAddresses().size(), 1);
    protocol->setCurrentIndex(3);
    QVERIFY(dialog.page(PageId::LocalPort)->stationAddresses().isEmpty());
}

void TestPropDialog::nothingIsCutOff_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("KLV2 R70") << 0x21;
    QTest::newRow("compact") << 0x30;
    QTest::newRow("KLV1 C40") << 0x10;
}

void TestPropDialog::nothingIsCutOff()
{
    QFETCH(int, id);
    auto cpu = create(id);
    QMainWindow host;
    Corvopropdlg dialog(cpu.get(), m_project, &host, false);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QStringList clipped;
    QTreeWidgetItem* root = dialog.pageTree()->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i) {
        if (root->child(i)->isHidden())
            continue;
        dialog.pageTree()->setCurrentItem(root->child(i));
        auto* tabs = qobject_cast<QTabWidget*>(dialog.pageStack()->currentWidget());
        for (int t = 0; t < (tabs ? tabs->count() : 1); ++t) {
            if (tabs)
                tabs->setCurrentIndex(t);
            QCoreApplication::processEvents();
            clipped += ClippedText::find(&dialog);
        }
    }
    clipped.removeDuplicates();
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestPropDialog)
#include "tst_propdialog.moc"
