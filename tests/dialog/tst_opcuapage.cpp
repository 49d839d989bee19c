#include "dialogtesting.h"
#include "hostfixture.h"

#include <clippedtext.h>

#include <corekit/memory.h>
#include <dialog/corvopropdlg.h>
#include <dialog/filedialogs.h>
#include <dialog/messages.h>
#include <model/cpuobjectfactory.h>
#include <opcua/opcuafile.h>
#include <opcua/opcuainterfacecodec.h>
#include <opcua/opcuasettingscodec.h>
#include <opcua/ui/opcuapage.h>
#include <opcua/ui/opcuawidget.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Users = QVector<OpcUaSettings::User>;

struct Message
{
    QString title;
    QString text;
};

QByteArray settingsWith(const std::function<void(OpcUaSettings&)>& change)
{
    OpcUaSettings s;
    change(s);
    return OpcUaSettingsCodec::encode(s);
}

QByteArray sampleInterfaces()
{
    OpcUaVarRecord element;
    element.address = QStringLiteral("DB5.DBX2.3");
    element.dbNumber = 5;
    OpcUaVarRecord block;
    block.address = QStringLiteral("DB5");
    block.dataType = quint32(OpcUaDataType::Object);
    block.addressKind = quint32(OpcUaAddressKind::DataBlockObject);
    block.dbNumber = 5;
    block.elements = {element};
    OpcUaVarRecord input;
    input.address = QStringLiteral("I0.3");
    input.accessLevel = 1;
    return OpcUaInterfaceCodec::encode({{QStringLiteral("Line"), {input, block}}});
}

template <typename T>
T* child(QWidget* parent, const char* name)
{
    T* widget = parent->findChild<T*>(QLatin1String(name));
    if (!widget)
        qWarning("no widget %s", name);
    return widget;
}

} // namespace

Q_DECLARE_METATYPE(Users)

// The OPC UA page: the settings tab's controls, rules, users table and checks, both
// payloads through load and OK, and the *.opuca exchange.
class TestOpcUaPage : public QObject
{
    Q_OBJECT

    QList<Message> m_messages;
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_answers; // paths the file dialogs answer, in turn
    QStringList m_asked;   // kind, caption, folder, filter of each dialog

    void setUser(OPCUAWidget& page, int row, const QString& name, const QString& password)
    {
        auto* model =
            static_cast<QStandardItemModel*>(child<QTableView>(&page, "usersTable")->model());
        if (row >= model->rowCount())
            model->setRowCount(row + 1);
        model->setData(model->index(row, 0), name, Qt::UserRole);
        model->setData(model->index(row, 0), name);
        model->setData(model->index(row, 1), password, Qt::UserRole);
        model->setData(model->index(row, 1), QString(password.size(), '*'));
    }

    static QStandardItemModel* users(QWidget& page)
    {
        return static_cast<QStandardItemModel*>(child<QTableView>(&page, "usersTable")->model());
    }

    static QString checkText(const OPCUAWidget& page)
    {
        const CheckResult result = page.validateOpcUaSettings();
        return result ? result->text : QString();
    }

private slots:
    void init()
    {
        m_messages.clear();
        Messages::setInterceptor([this](QMessageBox::Icon, const QString& t, const QString& s) {
            m_messages.append({t, s});
        });
        m_dir = std::make_unique<QTemporaryDir>();
        m_answers.clear();
        m_asked.clear();
        FileDialogs::setInterceptor([this](FileDialogs::Kind kind, const QString& caption,
                                           const QString& folder, const QString& filter) {
            m_asked << (kind == FileDialogs::Kind::Save ? "save" : "open") << caption << folder
                    << filter;
            return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
        });
    }

    void cleanup()
    {
        Messages::setInterceptor({});
        FileDialogs::setInterceptor({});
    }

    // A new page: the defaults, the server off and everything below it disabled; its
    // payload is the default one.
    void newPage()
    {
        OPCUAWidget page{QByteArray()};
        QVERIFY(!child<QCheckBox>(&page, "startServer")->isChecked());
        QVERIFY(child<QCheckBox>(&page, "anonymousLogin")->isChecked());
        for (const char* name : {"anonymousLogin", "userAuthentication", "usersTable",
                                 "configurationGroup", "securityGroup"})
            QVERIFY2(!child<QWidget>(&page, name)->isEnabled(), name);
        QVERIFY(child<QGroupBox>(&page, "securityGroup")->isHidden());
        QVERIFY(child<QCheckBox>(&page, "securityEncryption")->isChecked());
        QCOMPARE(child<QComboBox>(&page, "maxSessions")->currentText(), QStringLiteral("5"));
        QCOMPARE(users(page)->rowCount(), 1);
        QCOMPARE(users(page)->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Password"));
        QCOMPARE(page.settingsData(), OpcUaSettingsCodec::encode(OpcUaSettings()));
    }

    // The three check boxes drive the warning, the users table and the parameters.
    void rules_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<bool>("warning");
        QTest::addColumn<bool>("table");
        QTest::addColumn<bool>("configuration");

        QTest::newRow("server on") << QStringList{"startServer"} << false << false << true;
        QTest::newRow("both logins off")
            << QStringList{"startServer", "anonymousLogin"} << true << false << true;
        QTest::newRow("anonymous on again")
            << QStringList{"startServer", "anonymousLogin", "anonymousLogin"} << false << false
            << true;
        QTest::newRow("server off again")
            << QStringList{"startServer", "anonymousLogin", "startServer"} << false << false
            << false;
        QTest::newRow("authentication opens the users")
            << QStringList{"startServer", "anonymousLogin", "userAuthentication"} << false << true
            << true;
        QTest::newRow("authentication off again")
            << QStringList{"startServer", "anonymousLogin", "userAuthentication",
                           "userAuthentication"}
            << true << false << true;
        QTest::newRow("disabled boxes take no clicks")
            << QStringList{"anonymousLogin", "userAuthentication"} << false << false << false;
    }

    void rules()
    {
        QFETCH(QStringList, clicks);
        QFETCH(bool, warning);
        QFETCH(bool, table);
        QFETCH(bool, configuration);
        OPCUAWidget page{QByteArray()};
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        for (const QString& name : clicks)
            QTest::mouseClick(child<QCheckBox>(&page, qPrintable(name)), Qt::LeftButton, {},
                              QPoint(8, 8));
        QCOMPARE(child<QLabel>(&page, "loginWarning")->isVisible(), warning);
        QCOMPARE(child<QWidget>(&page, "usersTable")->isEnabled(), table);
        QCOMPARE(child<QWidget>(&page, "configurationGroup")->isEnabled(), configuration);
    }

    // Double-clicking the last row adds one up to 20; Delete and its enable rule; a
    // password shows as stars and keeps its text behind them.
    void usersTable()
    {
        OpcUaSettings s;
        s.serverEnabled = s.userAuthentication = true;
        for (int i = 0; i < 18; ++i)
            s.users.append({QStringLiteral("u%1").arg(i), QStringLiteral("p")});
        OPCUAWidget page(OpcUaSettingsCodec::encode(s));
        page.resize(700, 1200); // every row on screen
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        auto* view = child<QTableView>(&page, "usersTable");
        QStandardItemModel* model = users(page);
        const auto doubleClick = [&](int row) {
            const QPoint at = view->visualRect(model->index(row, 0)).center();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at); // the press a view needs
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        };
        QCOMPARE(model->rowCount(), 19);
        doubleClick(0);
        QCOMPARE(model->rowCount(), 19); // not the last row
        doubleClick(18);
        QCOMPARE(model->rowCount(), 20);
        doubleClick(19);
        QCOMPARE(model->rowCount(), 20);

        // Typing through the delegate: letters and digits only, 32 at most.
        view->setCurrentIndex(model->index(19, 1));
        view->edit(model->index(19, 1));
        auto* editor = view->findChild<QLineEdit*>(QStringLiteral("passwordEditor"));
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("a-b c") + QString(40, 'x'));
        QTest::keyClick(editor, Qt::Key_Return); // commits once events run
        const QString typed = QStringLiteral("abc") + QString(29, 'x');
        QTRY_COMPARE(model->index(19, 1).data(Qt::UserRole).toString(), typed);
        QCOMPARE(model->index(19, 1).data().toString(), QString(32, '*'));

        auto* menu = child<QMenu>(&page, "usersMenu");
        QAction* remove = menu->findChild<QAction*>(QStringLiteral("deleteUser"));
        const auto openMenu = [&](int row) {
            view->setCurrentIndex(model->index(row, 0));
            emit view->customContextMenuRequested(view->visualRect(model->index(row, 0)).center());
            const bool enabled = remove->isEnabled();
            menu->hide();
            return enabled;
        };
        QVERIFY(openMenu(3));
        setUser(page, 19, QString(), QString());
        QVERIFY(!openMenu(19)); // the empty last row
        setUser(page, 19, QStringLiteral("x"), QString());
        QVERIFY(openMenu(19));
        view->setCurrentIndex(model->index(0, 0));
        remove->trigger();
        QCOMPARE(model->rowCount(), 19);
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("u1"));
        while (model->rowCount() > 1) {
            view->setCurrentIndex(model->index(0, 0));
            remove->trigger();
        }
        view->setCurrentIndex(model->index(0, 0));
        remove->trigger();
        QCOMPARE(model->rowCount(), 1); // never an empty table
        QVERIFY(model->index(0, 0).data(Qt::UserRole).toString().isEmpty());
    }

    // The checks of OK, each alone; the last row counts once it will be written.
    void checks_data()
    {
        QTest::addColumn<Users>("rows");
        QTest::addColumn<bool>("authentication");
        QTest::addColumn<QStringList>("fields"); // name, port, publishing, monitored
        QTest::addColumn<QString>("message");

        const QStringList good{"PLC", "4840", "500", "200"};
        const QString repeated = "The same login user name exists on the OPC UA Server.";
        QTest::newRow("op and Op")
            << Users{{"op", "a"}, {"Op", "b"}, {}} << true << good << QString();
        QTest::newRow("op twice") << Users{{"op", "a"}, {"op", "b"}, {}} << true << good
                                  << repeated;
        QTest::newRow("op twice, authentication off")
            << Users{{"op", "a"}, {"op", "b"}, {}} << false << good << QString();
        QTest::newRow("the last row repeats a user it will write")
            << Users{{"op", "a"}, {"op", "b"}} << true << good << repeated;
        QTest::newRow("the last row has no password: not written")
            << Users{{"op", "a"}, {"op", ""}} << true << good << QString();
        QTest::newRow("a row without a password still counts")
            << Users{{"op", ""}, {"op", "b"}, {}} << true << good << repeated;
        QTest::newRow("empty names are no users")
            << Users{{"", "a"}, {"", "b"}, {}} << true << good << QString();
        QTest::newRow("name empty") << Users{{}} << true << QStringList{"", "1", "200", "100"}
                                    << "The OPC UA Server name cannot be empty.";
        QTest::newRow("leading blank")
            << Users{{}} << true << QStringList{" PLC", "1", "200", "100"}
            << "The OPC UA Server name cannot start with a blank space.";
        QTest::newRow("trailing blank")
            << Users{{}} << true << QStringList{"PLC ", "1", "200", "100"} << QString();
        QTest::newRow("port 0") << Users{{}} << true << QStringList{"PLC", "0", "200", "100"}
                                << "The OPC UA Server port number cannot be less than one.";
        QTest::newRow("port not a number")
            << Users{{}} << true << QStringList{"PLC", "", "200", "100"}
            << "The OPC UA Server port number cannot be less than "
               "one.";
        QTest::newRow("publishing 199")
            << Users{{}} << true << QStringList{"PLC", "1", "199", "100"}
            << "The minimum publishing interval for subscription of OPC UA Server cannot be "
               "less than two hundred ms.";
        QTest::newRow("monitored 99")
            << Users{{}} << true << QStringList{"PLC", "1", "200", "99"}
            << "The monitor the maximum number of items of the OPC UA Server cannot be less than "
               "one hundred.";
    }

    void checks()
    {
        QFETCH(Users, rows);
        QFETCH(bool, authentication);
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        OPCUAWidget page(settingsWith([](OpcUaSettings& s) { s.serverEnabled = true; }));
        child<QCheckBox>(&page, "userAuthentication")->setChecked(authentication);
        users(page)->setRowCount(0);
        for (int i = 0; i < rows.size(); ++i)
            setUser(page, i, rows[i].name, rows[i].password);
        int i = 0;
        for (const char* name :
             {"serverName", "serverPort", "publishingInterval", "monitoredItems"})
            child<QLineEdit>(&page, name)->setText(fields.at(i++));
        QCOMPARE(checkText(page), message);
        // With the server off nothing is checked.
        child<QCheckBox>(&page, "startServer")->setChecked(false);
        QVERIFY(!page.validateOpcUaSettings());
    }

    // OK through the dialog: the six messages in their order, titled with the dialog's
    // title, the field focused, nothing written until all pass.
    void okReportsInOrder()
    {
        HostFixture host;
        const QString project = host.writeProject(QStringLiteral("p.json"), "KLV2-R70");
        clearUsedMemory(project);
        auto cpu = CpuObjectFactory::create(0x21, project);
        cpu->opcUaSettingsData = settingsWith([](OpcUaSettings& s) {
            s.serverEnabled = s.userAuthentication = true;
            s.users = {{"op", "a"}, {"op", "b"}};
            s.serverName = QStringLiteral(" PLC");
            s.port = 0;
            s.publishingInterval = 100;
            s.monitoredItems = 50;
        });
        const QByteArray stored = cpu->opcUaSettingsData;
        QMainWindow window;
        Corvopropdlg dialog(cpu.get(), project, &window, false);
        auto* page = qobject_cast<OpcUaPage*>(dialog.page(PageId::OpcUa));
        QVERIFY(page);
        OPCUAWidget& settings = *page->settingsTab();
        const QStringList expected{
            "The same login user name exists on the OPC UA Server.",
            "The OPC UA Server name cannot be empty.",
            "The OPC UA Server name cannot start with a blank space.",
            "The OPC UA Server port number cannot be less than one.",
            "The minimum publishing interval for subscription of OPC UA Server cannot be less "
            "than two hundred ms.",
            "The monitor the maximum number of items of the OPC UA Server cannot be less than "
            "one hundred."};
        const QList<std::function<void()>> mend{
            [&] { setUser(settings, 1, "op2", "b"); },
            [&] { child<QLineEdit>(&settings, "serverName")->setText(" PLC"); },
            [&] { child<QLineEdit>(&settings, "serverName")->setText("PLC"); },
            [&] { child<QLineEdit>(&settings, "serverPort")->setText("4840"); },
            [&] { child<QLineEdit>(&settings, "publishingInterval")->setText("200"); },
            [&] {
                child<QLineEdit>(&settings, "monitoredItems")->setText("100");
            }};
        child<QLineEdit>(&settings, "serverName")->clear(); // for the second message
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("okButton"));
        for (int step = 0; step < expected.size(); ++step) {
            if (step == 1)
                mend[0]();
            QTest::mouseClick(ok, Qt::LeftButton);
            QCOMPARE(m_messages.size(), step + 1);
            QCOMPARE(m_messages.last().text, expected.at(step));
            QCOMPARE(m_messages.last().title, dialog.windowTitle());
            QCOMPARE(cpu->opcUaSettingsData, stored);
            if (step > 0)
                mend[step]();
        }
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const OpcUaSettings written = OpcUaSettingsCodec::decode(cpu->opcUaSettingsData).settings;
        QCOMPARE(written.users.size(), 2);
        QCOMPARE(written.serverName, QStringLiteral("PLC"));
        QCOMPARE(written.monitoredItems, quint16(100));
    }

    void rangeHints_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("hint");
        QTest::newRow("port") << "serverPort"
                              << "Port number range:1-65535";
        QTest::newRow("timeout") << "sessionTimeout"
                                 << "Session timeour range:0-6000000s";
        QTest::newRow("publishing") << "publishingInterval"
                                    << "The shortest subscription interval range:200-20000ms";
        QTest::newRow("monitored") << "monitoredItems"
                                   << "Monitoring scope:100-500";
        QTest::newRow("no hint for the name") << "serverName"
                                              << "";
    }

    void rangeHints()
    {
        QFETCH(QString, field);
        QFETCH(QString, hint);
        OPCUAWidget page{QByteArray()};
        auto* edit = child<QLineEdit>(&page, qPrintable(field));
        QFocusEvent in(QEvent::FocusIn);
        QCoreApplication::sendEvent(edit, &in);
        QCOMPARE(child<QLabel>(&page, "rangeHint")->text(), hint);
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(edit, &out);
        QVERIFY(child<QLabel>(&page, "rangeHint")->text().isEmpty());
    }

    // An unedited page writes the payload it was loaded from, byte for byte: the security
    // flag loads both ways and the certificate texts come back.
    void unchangedPayload_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("defaults") << settingsWith([](OpcUaSettings&) {});
        QTest::newRow("security off") << settingsWith([](OpcUaSettings& s) {
            s.securityEnabled = false;
            s.serverEnabled = true;
        });
        QTest::newRow("certificate texts") << settingsWith([](OpcUaSettings& s) {
            s.certificateContent = QStringLiteral("-----BEGIN CERTIFICATE-----");
            s.keyContent = QStringLiteral("key");
            s.certificateUri = QStringLiteral("urn:plc");
            s.certificateFileName = QStringLiteral("plc.der");
        });
        QTest::newRow("every field") << settingsWith([](OpcUaSettings& s) {
            s.serverEnabled = s.userAuthentication = true;
            s.anonymousLogin = false;
            s.users = {{"op", "pw"}, {"maint", "x1"}};
            s.serverName = QStringLiteral("Line 1");
            s.port = 65535;
            s.sessionTimeout = 6000000;
            s.maxSessions = 1;
            s.samplingInterval = 10000;
            s.publishingInterval = 20000;
            s.monitoredItems = 500;
        });
        QTest::newRow("empty server name")
            << settingsWith([](OpcUaSettings& s) { s.serverName.clear(); });
        QTest::newRow("25 users, no entry row") << settingsWith([](OpcUaSettings& s) {
            for (int i = 0; i < 25; ++i)
                s.users.append({QStringLiteral("u%1").arg(i), QStringLiteral("p")});
        });
    }

    void unchangedPayload()
    {
        QFETCH(QByteArray, payload);
        OPCUAWidget page(payload);
        QCOMPARE(page.settingsData().toHex(' '), payload.toHex(' '));
        const int written = OpcUaSettingsCodec::decode(payload).settings.users.size();
        QCOMPARE(users(page)->rowCount(), written < 20 ? written + 1 : written);
    }

    // Values the lists do not offer, and payloads cut short, leave the controls as they are.
    void loadKeepsWhatIsNotThere_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("sessions");
        QTest::addColumn<QString>("sampling");
        QTest::addColumn<QString>("timeout");

        QTest::newRow("sampling 300") << settingsWith([](OpcUaSettings& s) {
            s.samplingInterval = 300;
            s.maxSessions = 2;
        }) << "2"
                                      << "250"
                                      << "30";
        QTest::newRow("sessions 9")
            << settingsWith([](OpcUaSettings& s) { s.maxSessions = 9; }) << "3"
            << "100"
            << "30";
        QByteArray cut = settingsWith([](OpcUaSettings& s) {
            s.port = 1234;
            s.sessionTimeout = 99;
        });
        cut.truncate(3 + 3 + 2 + 1 + 17 + 2 + 2); // through the port, into the timeout
        QTest::newRow("cut in the session timeout") << cut << "3"
                                                    << "250"
                                                    << "77";
    }

    void loadKeepsWhatIsNotThere()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QString, sessions);
        QFETCH(QString, sampling);
        QFETCH(QString, timeout);
        OPCUAWidget page{QByteArray()};
        child<QComboBox>(&page, "maxSessions")->setCurrentIndex(2);
        child<QComboBox>(&page, "samplingInterval")->setCurrentIndex(1);
        child<QLineEdit>(&page, "sessionTimeout")->setText("77");
        page.importSettings(payload);
        QCOMPARE(child<QComboBox>(&page, "maxSessions")->currentText(), sessions);
        QCOMPARE(child<QComboBox>(&page, "samplingInterval")->currentText(), sampling);
        QCOMPARE(child<QLineEdit>(&page, "sessionTimeout")->text(), timeout);
    }

    // An import shows the file's settings: no users and an empty name replace the page's.
    void importShowsTheFile()
    {
        OPCUAWidget page(settingsWith([](OpcUaSettings& s) {
            s.users = {{"a", "1"}, {"b", "2"}, {"c", "3"}};
            s.serverName = QStringLiteral("old");
        }));
        const QByteArray file = settingsWith([](OpcUaSettings& s) { s.serverName.clear(); });
        page.importSettings(file);
        QCOMPARE(users(page)->rowCount(), 1);
        QVERIFY(child<QLineEdit>(&page, "serverName")->text().isEmpty());
        QCOMPARE(page.settingsData(), file);
        page.importSettings(QByteArray()); // an empty array changes nothing
        QCOMPARE(page.settingsData(), file);
    }

    // The page in the dialog: OK writes both payloads back unchanged; Default All and
    // Defaults bring the settings back to their defaults and leave the interfaces.
    void dialogPayloads_data()
    {
        QTest::addColumn<QString>("button"); // empty: plain OK
        QTest::newRow("plain OK") << QString();
        QTest::newRow("Default All") << "defaultAllButton";
        QTest::newRow("the tab's Defaults") << "defaultsButton";
    }

    void dialogPayloads()
    {
        QFETCH(QString, button);
        HostFixture host;
        const QString project = host.writeProject(QStringLiteral("p.json"), "KLV2-R70");
        clearUsedMemory(project);
        auto cpu = CpuObjectFactory::create(0x21, project);
        const QByteArray settings = settingsWith([](OpcUaSettings& s) {
            s.serverEnabled = true;
            s.securityEnabled = false;
            s.users = {{"op", "pw"}};
        });
        cpu->opcUaSettingsData = settings;
        cpu->opcUaInterfaceData = sampleInterfaces();
        QMainWindow window;
        Corvopropdlg dialog(cpu.get(), project, &window, false);
        auto* page = qobject_cast<OpcUaPage*>(dialog.page(PageId::OpcUa));
        if (!button.isEmpty()) {
            QWidget* scope = button == QLatin1String("defaultsButton")
                                 ? static_cast<QWidget*>(page->settingsTab())
                                 : &dialog;
            QTest::mouseClick(scope->findChild<QPushButton*>(button), Qt::LeftButton);
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("okButton")),
                          Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(cpu->opcUaSettingsData,
                 button.isEmpty() ? settings : OpcUaSettingsCodec::encode(OpcUaSettings()));
        QCOMPARE(cpu->opcUaInterfaceData, sampleInterfaces());
    }

    // Export, then import into a page that had other payloads: both come back; the file
    // dialogs get their captions, filter and remembered folders.
    void exportThenImport()
    {
        DialogContext context;
        OpcUaPage from(context);
        CpuObject source;
        source.opcUaSettingsData = settingsWith([](OpcUaSettings& s) {
            s.serverEnabled = s.userAuthentication = true;
            s.users = {{"op", "pw"}};
            s.certificateUri = QStringLiteral("urn:x");
        });
        source.opcUaInterfaceData = sampleInterfaces();
        from.load(source);
        const QString importFolder = OpcUaPage::lastImportFolder();
        const QString startFolder = OpcUaPage::lastExportFolder();
        const QString file = m_dir->filePath(QStringLiteral("line.opuca"));
        m_answers << file;
        QTest::mouseClick(child<QPushButton>(&from, "exportButton"), Qt::LeftButton);
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(m_asked, (QStringList{"save", "Save file", startFolder, "*.opuca"}));
        QCOMPARE(OpcUaPage::lastExportFolder(), m_dir->path());
        QCOMPARE(OpcUaPage::lastImportFolder(), importFolder); // each remembers its own

        OpcUaPage to(context);
        CpuObject other;
        other.opcUaSettingsData = settingsWith([](OpcUaSettings& s) { s.port = 1; });
        to.load(other);
        m_asked.clear();
        m_answers << file;
        QTest::mouseClick(child<QPushButton>(&to, "importButton"), Qt::LeftButton);
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(m_asked, (QStringList{"open", "Open file", importFolder, "*.opuca"}));
        QCOMPARE(OpcUaPage::lastImportFolder(), m_dir->path());
        CpuObject written;
        to.apply(written);
        QCOMPARE(written.opcUaSettingsData, source.opcUaSettingsData);
        QCOMPARE(written.opcUaInterfaceData, source.opcUaInterfaceData);

        // A cancelled dialog does nothing.
        m_asked.clear();
        QTest::mouseClick(child<QPushButton>(&to, "importButton"), Qt::LeftButton);
        QCOMPARE(m_asked.size(), 4);
        QVERIFY(m_messages.isEmpty());
    }

    // A file that cannot be opened, or is not two complete payloads, changes nothing.
    void importFailures_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: no such file
        QTest::addColumn<QString>("text");

        const QByteArray settings = settingsWith([](OpcUaSettings& s) { s.port = 7; });
        QTest::newRow("no such file") << QByteArray() << "Failed to open file";
        QTest::newRow("cut short") << OpcUaFile::encode({settings, sampleInterfaces()}).chopped(1)
                                   << "The file holds no complete OPC UA configuration: the "
                                      "server interface declares 107 bytes; 106 remain.";
        QTest::newRow("damaged settings")
            << OpcUaFile::encode({settings.chopped(2), sampleInterfaces()})
            << "The file holds no complete OPC UA configuration: the server settings are damaged "
               "(cut short at byte 46).";
        QByteArray orphan = sampleInterfaces();
        orphan[3 + 14 + 2 + 8 + 26 + 26 + 2 + 3] = 9; // DB5.DBX2.3 names object node 9
        QTest::newRow("a variable without its object")
            << OpcUaFile::encode({settings, orphan})
            << "The file holds no complete OPC UA configuration: the server interface cannot be "
               "taken (1 variables name no data-block object).";
    }

    void importFailures()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        DialogContext context;
        OpcUaPage page(context);
        CpuObject before;
        before.opcUaSettingsData = settingsWith([](OpcUaSettings& s) { s.port = 1; });
        before.opcUaInterfaceData = OpcUaInterfaceCodec::encode({{QStringLiteral("keep"), {}}});
        page.load(before);
        const QString path = m_dir->filePath(QStringLiteral("in.opuca"));
        if (!bytes.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        m_answers << path;
        QTest::mouseClick(child<QPushButton>(&page, "importButton"), Qt::LeftButton);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages.first().title, QStringLiteral("Import failed"));
        QCOMPARE(m_messages.first().text, text);
        CpuObject after;
        page.apply(after);
        QCOMPARE(after.opcUaSettingsData, before.opcUaSettingsData);
        QCOMPARE(after.opcUaInterfaceData, before.opcUaInterfaceData);
    }

    void exportFailure()
    {
        DialogContext context;
        OpcUaPage page(context);
        m_answers << m_dir->filePath(QStringLiteral("missing/folder/x.opuca"));
        QTest::mouseClick(child<QPushButton>(&page, "exportButton"), Qt::LeftButton);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages.first().title, QStringLiteral("Export failed"));
        QCOMPARE(m_messages.first().text, QStringLiteral("Failed to open file"));
    }

    // The busiest state of the settings tab fits the dialog: nothing cut off, and the
    // dialog no larger than with the page's defaults.
    void fitsTheDialog()
    {
        HostFixture host;
        const QString project = host.writeProject(QStringLiteral("p.json"), "KLV2-R70");
        clearUsedMemory(project);
        QMainWindow window;
        QSize plain;
        auto cpu = CpuObjectFactory::create(0x21, project);
        for (bool busy : {false, true}) {
            if (busy)
                cpu->opcUaSettingsData = settingsWith([](OpcUaSettings& s) {
                    s.serverEnabled = s.userAuthentication = true;
                    s.anonymousLogin = false;
                    s.userAuthentication = false;
                    s.users = {{"operator", "pw"}, {"service", "pw"}, {"x", "y"}};
                });
            Corvopropdlg dialog(cpu.get(), project, &window, false);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            auto* page = qobject_cast<OpcUaPage*>(dialog.page(PageId::OpcUa));
            dialog.pageStack()->setCurrentWidget(page);
            QApplication::processEvents();
            if (!busy) {
                plain = dialog.size();
                continue;
            }
            QVERIFY(child<QLabel>(page, "loginWarning")->isVisible());
            QCOMPARE(dialog.size(), plain);
            QCOMPARE(ClippedText::find(&dialog), QStringList());
        }
    }
};

QTEST_MAIN(TestOpcUaPage)
#include "tst_opcuapage.moc"
