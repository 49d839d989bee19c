#include "dialogtesting.h"

#include <clippedtext.h>

#include <dialog/filedialogs.h>
#include <opcua/opcuafile.h>
#include <opcua/opcuainterfacecodec.h>
#include <opcua/opcuasettingscodec.h>
#include <opcua/ui/opcuapage.h>
#include <opcua/ui/opcuawidget.h>

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>

using namespace DialogTesting;

namespace {

using Users = QVector<OpcUaSettings::User>;

QByteArray settingsWith(const std::function<void(OpcUaSettings&)>& change)
{
    OpcUaSettings s;
    change(s);
    return OpcUaSettingsCodec::encode(s);
}

// "Line": the object DB5 with its element DB5.DBX2.3.
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
    return OpcUaInterfaceCodec::encode({{QStringLiteral("Line"), {block}}});
}

QStandardItemModel* users(const QWidget& page)
{
    return static_cast<QStandardItemModel*>(child<QTableView>(page, "usersTable")->model());
}

// A row as the delegate leaves it: the texts behind, stars shown for the password.
void setUser(const QWidget& page, int row, const QString& name, const QString& password)
{
    QStandardItemModel* model = users(page);
    if (row >= model->rowCount())
        model->setRowCount(row + 1);
    model->setData(model->index(row, 0), name, Qt::UserRole);
    model->setData(model->index(row, 0), name);
    model->setData(model->index(row, 1), password, Qt::UserRole);
    model->setData(model->index(row, 1), QString(password.size(), '*'));
}

std::unique_ptr<CpuObject> opcUaObject(const QString& project, const QByteArray& settings)
{
    auto cpu = CpuObjectFactory::create(0x21, project);
    cpu->opcUaSettingsData = settings;
    cpu->opcUaInterfaceData = sampleInterfaces();
    return cpu;
}

// The dialog of a module with OPC UA, its object holding `settings` and the sample interfaces.
struct OpcUaDialog
{
    explicit OpcUaDialog(const QByteArray& settings)
        : cpu(opcUaObject(c.project, settings))
        , dialog(cpu.get(), c.project)
        , page(qobject_cast<OpcUaPage*>(dialog->page(PageId::OpcUa)))
    {}

    DialogCase c{r70Project()};
    std::unique_ptr<CpuObject> cpu;
    OpenDialog dialog;
    OpcUaPage* page;
};

} // namespace

Q_DECLARE_METATYPE(Users)

// The OPC UA page: the settings tab's rules, users table and checks, both payloads through
// load and OK, and the *.opuca exchange.
class TestOpcUaPage : public QObject
{
    Q_OBJECT

    QStringList m_messages; // "title: text"
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_answers; // paths the file dialogs answer, in turn
    QStringList m_asked;   // kind, caption, folder, filter of each dialog

private slots:
    void init()
    {
        m_messages.clear();
        Messages::setInterceptor([this](QMessageBox::Icon, const QString& t, const QString& s) {
            m_messages.append(t + ": " + s);
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

    // The three check boxes drive the warning, the users table and the parameters.
    void rules_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<bool>("warning");
        QTest::addColumn<bool>("table");
        QTest::addColumn<bool>("configuration");
        const auto row = [](const char* name, const char* clicks, bool warning, bool table,
                            bool configuration) {
            QTest::newRow(name) << QString(clicks).split(' ') << warning << table << configuration;
        };
        row("disabled boxes take no clicks", "anonymousLogin userAuthentication", false, false,
            false);
        row("server on", "startServer", false, false, true);
        row("both logins off", "startServer anonymousLogin", true, false, true);
        row("server off again", "startServer anonymousLogin startServer", false, false, false);
        row("authentication opens the users", "startServer anonymousLogin userAuthentication",
            false, true, true);
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
            QTest::mouseClick(child<QCheckBox>(page, name), Qt::LeftButton, {}, QPoint(8, 8));
        QCOMPARE(child(page, "loginWarning")->isVisible(), warning);
        QCOMPARE(child(page, "usersTable")->isEnabled(), table);
        QCOMPARE(child(page, "configurationGroup")->isEnabled(), configuration);
    }

    // Double-clicking the last row adds one up to 20; the password editor takes letters and
    // digits, 32 at most, and shows stars; Delete needs a named row and leaves one row.
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
        auto* view = child<QTableView>(page, "usersTable");
        QStandardItemModel* model = users(page);
        for (const auto& [row, rows] : {std::pair{0, 19}, {18, 20}, {19, 20}}) {
            const QPoint at = view->visualRect(model->index(row, 0)).center();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at); // the press a view needs
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(model->rowCount(), rows);
        }

        view->setCurrentIndex(model->index(19, 1));
        view->edit(model->index(19, 1));
        auto* editor = view->findChild<QLineEdit*>(QStringLiteral("passwordEditor"));
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("a-b c") + QString(40, 'x'));
        QTest::keyClick(editor, Qt::Key_Return); // commits once events run
        QTRY_COMPARE(model->index(19, 1).data(Qt::UserRole).toString(),
                     QStringLiteral("abc") + QString(29, 'x'));
        QCOMPARE(model->index(19, 1).data().toString(), QString(32, '*'));

        auto* menu = child<QMenu>(page, "usersMenu");
        QAction* remove = menu->findChild<QAction*>(QStringLiteral("deleteUser"));
        const auto deletable = [&](int row) {
            view->setCurrentIndex(model->index(row, 0));
            emit view->customContextMenuRequested(view->visualRect(model->index(row, 0)).center());
            menu->hide();
            return remove->isEnabled();
        };
        setUser(page, 19, QString(), QString());
        QVERIFY(!deletable(19));
        setUser(page, 19, QStringLiteral("x"), QString());
        QVERIFY(deletable(19));
        QVERIFY(deletable(0));
        remove->trigger();
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("u1"));
        for (int i = 0; i < 20; ++i) {
            view->setCurrentIndex(model->index(0, 0));
            remove->trigger();
        }
        QCOMPARE(model->rowCount(), 1);
        QVERIFY(model->index(0, 0).data(Qt::UserRole).toString().isEmpty());
    }

    // The duplicate-name check: it covers every row that will be written, the last one too
    // once it has a name and a password, and only with authentication on.
    void checks_data()
    {
        QTest::addColumn<Users>("rows");
        QTest::addColumn<bool>("authentication");
        QTest::addColumn<bool>("refused");

        const Users twice{{"op", "a"}, {"op", "b"}, {}};
        QTest::newRow("op and Op") << Users{{"op", "a"}, {"Op", "b"}, {}} << true << false;
        QTest::newRow("op twice") << twice << true << true;
        QTest::newRow("op twice, authentication off") << twice << false << false;
        QTest::newRow("the last row repeats a user it will write")
            << Users{{"op", "a"}, {"op", "b"}} << true << true;
        QTest::newRow("the last row has no password: not written")
            << Users{{"op", "a"}, {"op", ""}} << true << false;
        QTest::newRow("a row without a password still counts")
            << Users{{"op", ""}, {"op", "b"}, {}} << true << true;
        QTest::newRow("empty names are no users")
            << Users{{"", "a"}, {"", "b"}, {}} << true << false;
    }

    void checks()
    {
        QFETCH(Users, rows);
        QFETCH(bool, authentication);
        QFETCH(bool, refused);
        OPCUAWidget page(settingsWith([](OpcUaSettings& s) { s.serverEnabled = true; }));
        edit(page, {"userAuthentication=" + QString::number(authentication)});
        users(page)->setRowCount(0);
        for (int i = 0; i < rows.size(); ++i)
            setUser(page, i, rows[i].name, rows[i].password);
        const CheckResult result = page.validateOpcUaSettings();
        QCOMPARE(result ? result->text : QString(),
                 refused ? "The same login user name exists on the OPC UA Server." : QString());
        edit(page, {"startServer=0"}); // with the server off nothing is checked
        QVERIFY(!page.validateOpcUaSettings());
    }

    // OK through the dialog: the six messages in their order, each at its limit, titled with
    // the dialog's title; nothing written until all pass. A loaded empty name is refused, a
    // trailing blank is not, an empty port is less than one.
    void okReportsInOrder()
    {
        OpcUaDialog d(settingsWith([](OpcUaSettings& s) {
            s.serverEnabled = s.userAuthentication = true;
            s.users = {{"op", "a"}, {"op", "b"}};
            s.serverName.clear();
            s.port = 0;
            s.publishingInterval = 199;
            s.monitoredItems = 99;
        }));
        const QByteArray stored = d.cpu->opcUaSettingsData;
        OPCUAWidget& settings = *d.page->settingsTab();
        const QList<QPair<QString, QString>> steps{
            {"The same login user name exists on the OPC UA Server.", QString()},
            {"The OPC UA Server name cannot be empty.", "serverName= PLC"},
            {"The OPC UA Server name cannot start with a blank space.", "serverName=PLC "},
            {"The OPC UA Server port number cannot be less than one.", "serverPort="},
            {"The OPC UA Server port number cannot be less than one.", "serverPort=1"},
            {"The minimum publishing interval for subscription of OPC UA Server cannot be less "
             "than two hundred ms.",
             "publishingInterval=200"},
            {"The monitor the maximum number of items of the OPC UA Server cannot be less than "
             "one hundred.",
             "monitoredItems=100"}};
        for (const auto& step : steps) {
            QVERIFY(!d.dialog.ok());
            QCOMPARE(d.c.messages.takeLast(), step.first);
            QCOMPARE(d.c.titles.takeLast(), d.dialog->windowTitle());
            QCOMPARE(d.cpu->opcUaSettingsData, stored);
            if (step.second.isEmpty())
                setUser(settings, 1, "op2", "b");
            else
                edit(settings, {step.second});
        }
        QVERIFY(d.dialog.ok());
        QCOMPARE(d.cpu->opcUaSettingsData, settingsWith([](OpcUaSettings& s) {
                     s.serverEnabled = s.userAuthentication = true;
                     s.users = {{"op", "a"}, {"op2", "b"}};
                     s.serverName = QStringLiteral("PLC ");
                     s.port = 1;
                     s.publishingInterval = 200;
                     s.monitoredItems = 100;
                 }));
    }

    // Focus on a field shows its range; leaving it clears the hint.
    void rangeHints()
    {
        OPCUAWidget page{QByteArray()};
        QStringList shown;
        for (const char* field : {"serverPort", "sessionTimeout", "publishingInterval",
                                  "monitoredItems", "serverName"}) {
            QFocusEvent in(QEvent::FocusIn);
            QFocusEvent out(QEvent::FocusOut);
            QCoreApplication::sendEvent(child(page, field), &in);
            shown << child<QLabel>(page, "rangeHint")->text();
            QCoreApplication::sendEvent(child(page, field), &out);
            shown << child<QLabel>(page, "rangeHint")->text();
        }
        QCOMPARE(shown,
                 (QStringList{"Port number range:1-65535", "", "Session timeour range:0-6000000s",
                              "", "The shortest subscription interval range:200-20000ms", "",
                              "Monitoring scope:100-500", "", "", ""}));
    }

    // A payload loaded into a new page or imported over a busy one is written back byte for
    // byte (the security flag loads both ways, the certificate texts come back); no users
    // leave one entry row, and an empty array changes nothing.
    void loadedPayloadComesBack_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("security off, empty name") << settingsWith([](OpcUaSettings& s) {
            s.securityEnabled = false;
            s.serverEnabled = true;
            s.serverName.clear();
        });
        QTest::newRow("every field, 25 users: no entry row") << settingsWith([](OpcUaSettings& s) {
            s.serverEnabled = s.userAuthentication = true;
            s.anonymousLogin = false;
            for (int i = 0; i < 25; ++i)
                s.users.append({QStringLiteral("u%1").arg(i), QStringLiteral("p")});
            s.serverName = QStringLiteral("Line 1");
            s.port = 65535;
            s.sessionTimeout = 6000000;
            s.maxSessions = 1;
            s.samplingInterval = 10000;
            s.publishingInterval = 20000;
            s.monitoredItems = 500;
            s.certificateContent = QStringLiteral("-----BEGIN CERTIFICATE-----");
            s.keyContent = QStringLiteral("key");
            s.certificateUri = QStringLiteral("urn:plc");
            s.certificateFileName = QStringLiteral("plc.der");
        });
    }

    void loadedPayloadComesBack()
    {
        QFETCH(QByteArray, payload);
        const QByteArray busy = settingsWith([](OpcUaSettings& s) {
            s.users = {{"a", "1"}, {"b", "2"}, {"c", "3"}};
            s.serverName = QStringLiteral("old");
            s.securityEnabled = false;
            s.port = 1;
        });
        const int written = OpcUaSettingsCodec::decode(payload).settings.users.size();
        for (const QByteArray& before : {QByteArray(), busy}) {
            OPCUAWidget page(before);
            page.importSettings(payload);
            QCOMPARE(page.settingsData().toHex(' '), payload.toHex(' '));
            QCOMPARE(users(page)->rowCount(), written < 20 ? written + 1 : written);
            page.importSettings(QByteArray());
            QCOMPARE(page.settingsData(), payload);
        }
    }

    // Values the lists do not offer, and fields a payload cut short does not hold, leave the
    // controls as they are.
    void loadKeepsWhatIsNotThere()
    {
        OPCUAWidget page{QByteArray()};
        edit(page, {"maxSessions=#2", "samplingInterval=#1"});
        page.importSettings(settingsWith([](OpcUaSettings& s) {
            s.samplingInterval = 300;
            s.maxSessions = 9;
            s.sessionTimeout = 77;
        }));
        const QByteArray cut = settingsWith([](OpcUaSettings& s) { s.port = 7; });
        page.importSettings(cut.left(3 + 3 + 2 + 1 + 17 + 2 + 2)); // into the session timeout
        QCOMPARE((QStringList{child<QComboBox>(page, "maxSessions")->currentText(),
                              child<QComboBox>(page, "samplingInterval")->currentText(),
                              child<QLineEdit>(page, "sessionTimeout")->text(),
                              child<QLineEdit>(page, "serverPort")->text()}),
                 (QStringList{"3", "250", "77", "7"}));
    }

    // OK writes both payloads back unchanged; Default All and the tab's Defaults bring the
    // settings back to their defaults and leave the interfaces.
    void dialogPayloads_data()
    {
        QTest::addColumn<int>("reset"); // 0 none, 1 Default All, 2 the tab's Defaults
        QTest::newRow("plain OK") << 0;
        QTest::newRow("Default All") << 1;
        QTest::newRow("the tab's Defaults") << 2;
    }

    void dialogPayloads()
    {
        QFETCH(int, reset);
        const QByteArray settings = settingsWith([](OpcUaSettings& s) {
            s.serverEnabled = true;
            s.securityEnabled = false;
            s.users = {{"op", "pw"}};
        });
        OpcUaDialog d(settings);
        QPushButton* buttons[] = {nullptr, d.dialog.at<QPushButton>("defaultAllButton"),
                                  defaultsNear(child(*d.page, "serverName"))};
        if (reset)
            QTest::mouseClick(buttons[reset], Qt::LeftButton);
        QVERIFY(d.dialog.ok());
        QCOMPARE(d.cpu->opcUaSettingsData,
                 reset ? OpcUaSettingsCodec::encode(OpcUaSettings()) : settings);
        QCOMPARE(d.cpu->opcUaInterfaceData, sampleInterfaces());
    }

    // Export, then import into a page that had other payloads: both come back; the file
    // dialogs get their captions, filter and remembered folders; a cancelled one does nothing.
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
        m_answers << file << file;
        QTest::mouseClick(child<QPushButton>(from, "exportButton"), Qt::LeftButton);
        QCOMPARE(OpcUaPage::lastExportFolder(), m_dir->path());
        QCOMPARE(OpcUaPage::lastImportFolder(), importFolder); // each remembers its own

        OpcUaPage to(context);
        CpuObject other;
        other.opcUaSettingsData = settingsWith([](OpcUaSettings& s) { s.port = 1; });
        to.load(other);
        QTest::mouseClick(child<QPushButton>(to, "importButton"), Qt::LeftButton);
        QCOMPARE(m_asked, (QStringList{"save", "Save file", startFolder, "*.opuca", "open",
                                       "Open file", importFolder, "*.opuca"}));
        QCOMPARE(OpcUaPage::lastImportFolder(), m_dir->path());
        CpuObject written;
        to.apply(written);
        QCOMPARE(written.opcUaSettingsData, source.opcUaSettingsData);
        QCOMPARE(written.opcUaInterfaceData, source.opcUaInterfaceData);

        QTest::mouseClick(child<QPushButton>(to, "importButton"), Qt::LeftButton);
        QCOMPARE(m_asked.size(), 12);
        QVERIFY(m_messages.isEmpty());
    }

    // A file that cannot be opened or written, or is not two complete payloads, changes nothing.
    void fileFailures_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: no such file
        QTest::addColumn<QString>("text");

        const QByteArray settings = settingsWith([](OpcUaSettings& s) { s.port = 7; });
        QByteArray orphan = sampleInterfaces();
        orphan[3 + 14 + 2 + 8 + 26 + 2 + 3] = 9; // DB5.DBX2.3 names object node 9
        QTest::newRow("no such file") << QByteArray() << "Import failed: Failed to open file";
        QTest::newRow("export into a missing folder")
            << QByteArray() << "Export failed: Failed to open file";
        QTest::newRow("damaged settings")
            << OpcUaFile::encode({settings.chopped(2), sampleInterfaces()})
            << "Import failed: The file holds no complete OPC UA configuration: the server "
               "settings are damaged (cut short at byte 46).";
        QTest::newRow("a variable without its object")
            << OpcUaFile::encode({settings, orphan})
            << "Import failed: The file holds no complete OPC UA configuration: the server "
               "interface cannot be taken (1 variables name no data-block object).";
    }

    void fileFailures()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const bool exporting = text.startsWith(QLatin1String("Export"));
        DialogContext context;
        OpcUaPage page(context);
        CpuObject before;
        before.opcUaSettingsData = settingsWith([](OpcUaSettings& s) { s.port = 1; });
        before.opcUaInterfaceData = OpcUaInterfaceCodec::encode({{QStringLiteral("keep"), {}}});
        page.load(before);
        const QString path = m_dir->filePath(exporting ? "missing/folder/x.opuca" : "in.opuca");
        if (!bytes.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        m_answers << path;
        QTest::mouseClick(child<QPushButton>(page, exporting ? "exportButton" : "importButton"),
                          Qt::LeftButton);
        QCOMPARE(m_messages, QStringList(text));
        CpuObject after;
        page.apply(after);
        QCOMPARE(after.opcUaSettingsData, before.opcUaSettingsData);
        QCOMPARE(after.opcUaInterfaceData, before.opcUaInterfaceData);
    }

    // The busiest state of the settings tab, the login warning shown, fits the dialog.
    void fitsTheDialog()
    {
        OpcUaDialog d(settingsWith([](OpcUaSettings& s) {
            s.serverEnabled = true;
            s.anonymousLogin = false;
            s.users = {{"operator", "pw"}, {"service", "pw"}, {"x", "y"}};
        }));
        QVERIFY(d.dialog.showActive());
        d.dialog->pageStack()->setCurrentWidget(d.page);
        QApplication::processEvents();
        QVERIFY(child(*d.page, "loginWarning")->isVisible());
        QCOMPARE(ClippedText::find(d.dialog.dialog.get()), QStringList());
    }
};

QTEST_MAIN(TestOpcUaPage)
#include "tst_opcuapage.moc"
