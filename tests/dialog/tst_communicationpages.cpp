#include <corekit/pwdcodec.h>
#include <corekit/widgets/ipaddresswidget.h>
#include <dialog/pages/generalpage.h>
#include <dialog/pages/localportpage.h>
#include <dialog/pages/ppiportspage.h>
#include <dialog/pages/tcpippage.h>
#include <plugin/cpuobjectfactory.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTextCodec>
#include <QtTest>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(IpV4)
Q_DECLARE_METATYPE(LocalPort)

namespace {

enum Model { C24 = 3, C40 = 16, R70 = 33, R60 = 34, Q310 = 48 };

IpV4 ip(quint8 a, quint8 b, quint8 c, quint8 d)
{
    return {a, b, c, d};
}

// Every field of the pages away from its default, in a combination that the pages can show.
void editEverything(CpuObject& object)
{
    object.descriptor.ObjName = QStringLiteral("Line 4 packer");
    object.descriptor.comment = QStringLiteral("Zweite Zeile\nmit Ümlauten");
    object.params.port0 = {CpuParams::Port0Tag, 60, 5, 8, 4, 100};
    object.params.port1 = {CpuParams::Port1Tag, 1, 126, 0, 2, 1};
    TcpIpParams& net = object.params.tcpIp;
    net.deviceName.setText(QStringLiteral("packer-4"));
    net.groupName.setText(QStringLiteral("HALL2"));
    net.groupNameShort.setText(QStringLiteral("HALL2"));
    net.addressMode = AddrModeNoAltDns;
    net.ip = ip(10, 0, 0, 5);
    net.port = 30000;
    net.mask = ip(255, 0, 0, 0);
    net.gateway = ip(10, 0, 0, 1);
    net.dns = ip(8, 8, 8, 8);
    net.altDns = net.gateway; // as stored for a missing alternative DNS
    net.serverPort = 9000;
    net.domain.setText(QStringLiteral("plc.example.org"));
    net.altDomain.setText(QString());
    const QByteArray password = encodePwdLen8(QStringLiteral("ab#1"));
    std::copy(password.begin(), password.begin() + 8, net.claimPassword.begin());
    object.localPort = {0, 2, 4, 1, 0, 2, 100, 247, 65535, 126, 1, 0, 100};
}

std::unique_ptr<CpuObject> sample(int id)
{
    std::unique_ptr<CpuObject> object = CpuObjectFactory::create(id, QString());
    if (!object)
        qFatal("no sample object for catalog id %d", id);
    return object;
}

// A page loaded from a sample object; the page keeps a reference to the context.
template <typename Page>
struct Opened
{
    explicit Opened(int id, const std::function<void(CpuObject&)>& edit = {})
        : object(sample(id))
        , context{QString(), QString(), QString(), object->descriptor}
        , page(context)
    {
        if (edit)
            edit(*object);
        const QList<int> numbers = page.pageNumbers();
        page.load(numbers.isEmpty() ? 0 : numbers.first(), *object);
    }

    CpuObject applied()
    {
        CpuObject target = *object;
        page.apply(target);
        return target;
    }

    template <typename T = QWidget>
    T* at(const QString& name)
    {
        T* widget = page.template findChild<T*>(name);
        if (!widget)
            qFatal("no widget %s", qPrintable(name));
        return widget;
    }
    IpAddressWidget* address(const char* name) { return at<IpAddressWidget>(name); }

    std::unique_ptr<CpuObject> object;
    DialogContext context;
    Page page;
};

// Types as the keyboard would, whatever the characters' encoding.
void typeText(QWidget* target, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

class TestCommunicationPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void roundTrip_data();
    void roundTrip();
    void generalDefaultsFromCatalog();
    void commentLimitAtCursor_data();
    void commentLimitAtCursor();
    void onePortCpu_data();
    void onePortCpu();
    void addressModeSwitching();
    void emptyAddressesStored_data();
    void emptyAddressesStored();
    void maskProposal_data();
    void maskProposal();
    void domainLimitAtCursor_data();
    void domainLimitAtCursor();
    void remoteControl_data();
    void remoteControl();
    void typedCharacters();
    void checkAddresses_data();
    void checkAddresses();
    void otherChecks_data();
    void otherChecks();
    void localPortRows_data();
    void localPortRows();
    void localPortLoad_data();
    void localPortLoad();
};

void TestCommunicationPages::initTestCase()
{
    // Byte limits count in the local encoding; make it UTF-8 whatever the test locale.
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
}

void TestCommunicationPages::roundTrip_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("edited");
    for (const int id : {C24, C40, R70, R60, Q310}) {
        QTest::addRow("%d defaults", id) << id << false;
        QTest::addRow("%d edited", id) << id << true;
    }
}

void TestCommunicationPages::roundTrip()
{
    QFETCH(int, id);
    QFETCH(bool, edited);
    const auto edit = [edited](CpuObject& o) {
        if (edited)
            editEverything(o);
    };
    Opened<GeneralPage> general(id, edit);
    Opened<PpiPortsPage> ports(id, edit);
    Opened<TcpIpPage> tcpIp(id, edit);
    Opened<LocalPortPage> localPort(id, edit);
    const TcpIpPage& net = tcpIp.page;
    QVERIFY(!net.checkAddresses() && !net.checkDeviceName() && !net.checkClaimPassword() &&
            !net.checkPorts());

    const CpuObject& source = *general.object;
    QCOMPARE(general.applied().descriptor.ObjName, source.descriptor.ObjName);
    QCOMPARE(general.applied().descriptor.comment, source.descriptor.comment);
    QVERIFY(ports.applied().params == source.params);
    QVERIFY(tcpIp.applied().params == source.params);
    QVERIFY(localPort.applied().localPort == source.localPort);
}

void TestCommunicationPages::generalDefaultsFromCatalog()
{
    Opened<GeneralPage> general(C40, editEverything);
    general.at<QPushButton>("defaultsButton")->click();
    QCOMPARE(general.at<QLineEdit>("nameEdit")->text(), QStringLiteral("C40"));
    QCOMPARE(general.at<QPlainTextEdit>("commentEdit")->toPlainText(), QString());
}

// The comment holds 250 bytes; what an edit adds beyond them is removed before the cursor.
void TestCommunicationPages::commentLimitAtCursor_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("expectedCursor");
    const QString e = QStringLiteral("é");   // two bytes
    const QString zh = QStringLiteral("中"); // three bytes
    const QString a250(250, QLatin1Char('a'));
    const QString a248(248, QLatin1Char('a'));
    const QString mixed = e.repeated(124) + QLatin1Char('a'); // 249 bytes
    QTest::newRow("full, at end") << a250 << 250 << "b" << a250 << 250;
    QTest::newRow("full, in the middle") << a250 << 7 << "b" << a250 << 7;
    QTest::newRow("2 bytes into 1") << mixed << 10 << e << mixed << 10;
    QTest::newRow("1 byte into 1")
        << mixed << 10 << "x" << mixed.left(10) + QLatin1Char('x') + mixed.mid(10) << 11;
    QTest::newRow("3 bytes into 2") << a248 << 248 << zh << a248 << 248;
    QTest::newRow("2 bytes into 2, at start") << a248 << 0 << e << e + a248 << 1;
    QTest::newRow("typing on") << a248.left(245) << 245 << zh.repeated(3) << a248.left(245) + zh
                               << 246;
}

void TestCommunicationPages::commentLimitAtCursor()
{
    QFETCH(QString, start);
    QFETCH(int, cursor);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(int, expectedCursor);
    Opened<GeneralPage> general(C24);
    auto* comment = general.at<QPlainTextEdit>("commentEdit");
    comment->setPlainText(start);
    QTextCursor position = comment->textCursor();
    position.setPosition(cursor);
    comment->setTextCursor(position);
    typeText(comment, typed);
    QCOMPARE(comment->toPlainText(), expected);
    QCOMPARE(comment->textCursor().position(), expectedCursor);
}

void TestCommunicationPages::onePortCpu_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("secondPortEnabled");
    QTest::newRow("C24, one port") << int(C24) << false;
    QTest::newRow("C40, two ports") << int(C40) << true;
}

// A one-port CPU shows its second port disabled, and still writes its values back.
void TestCommunicationPages::onePortCpu()
{
    QFETCH(int, id);
    QFETCH(bool, secondPortEnabled);
    Opened<PpiPortsPage> ports(
        id, [](CpuObject& o) { o.params.port1 = {CpuParams::Port1Tag, 90, 7, 6, 4, 50}; });
    for (const char* name : {"PlcAddress", "HighestAddress", "Baud", "Retry", "Gap"}) {
        QWidget* second = ports.at(QStringLiteral("port1") + name);
        QCOMPARE(second->isEnabled(), secondPortEnabled);
        QVERIFY(!second->isHidden());
        QVERIFY(ports.at(QStringLiteral("port0") + name)->isEnabled());
    }
    ports.at<QSpinBox>("port0PlcAddress")->setValue(9);
    CpuObject target;
    target.params.port1 = PortParams::creationDefault(CpuParams::Port1Tag);
    ports.page.apply(target);
    QCOMPARE(target.params.port0.plcAddress, quint8(9));
    QVERIFY(target.params.port1 == ports.object->params.port1);
}

void TestCommunicationPages::addressModeSwitching()
{
    Opened<TcpIpPage> tcpIp(C40, editEverything);
    IpAddressWidget* ipAddress = tcpIp.address("ipAddress");
    IpAddressWidget* mask = tcpIp.address("mask");
    IpAddressWidget* gateway = tcpIp.address("gateway");
    IpAddressWidget* dns = tcpIp.address("dns");
    IpAddressWidget* altDns = tcpIp.address("altDns");
    auto* autoDns = tcpIp.at<QRadioButton>("autoDnsRadio");
    auto* fixedDns = tcpIp.at<QRadioButton>("fixedDnsRadio");
    auto* fixedIp = tcpIp.at<QRadioButton>("fixedIpRadio");
    QVERIFY(!autoDns->isEnabled());

    gateway->clear();
    fixedIp->click(); // already fixed: what was typed stays
    QVERIFY(gateway->isEmpty());

    tcpIp.at<QRadioButton>("autoIpRadio")->click();
    for (IpAddressWidget* field : {ipAddress, mask, gateway})
        QVERIFY(field->isEmpty() && !field->isEnabled());
    QVERIFY(!tcpIp.at("ipGroup")->isEnabled() && fixedIp->isEnabled());
    QVERIFY(autoDns->isEnabled() && fixedDns->isChecked());
    QCOMPARE(dns->getIpAddr(), QStringLiteral("8.8.8.8"));

    autoDns->click();
    QVERIFY(dns->isEmpty() && altDns->isEmpty() && !dns->isEnabled() && !altDns->isEnabled());
    fixedDns->click();
    QCOMPARE(dns->getIpAddr(), QStringLiteral("192.168.1.1"));
    QCOMPARE(altDns->getIpAddr(), QStringLiteral("192.168.1.1"));
    autoDns->click();

    fixedIp->click();
    QCOMPARE(ipAddress->getIpAddr(), QStringLiteral("192.168.1.201"));
    QCOMPARE(mask->getIpAddr(), QStringLiteral("255.255.0.0"));
    QCOMPARE(gateway->getIpAddr(), QStringLiteral("192.168.1.1"));
    QVERIFY(fixedDns->isChecked() && !autoDns->isEnabled());
    QVERIFY(tcpIp.at("dnsGroup")->isEnabled() && dns->isEnabled() && altDns->isEnabled());
    // The DNS fields stay empty and are stored as the gateway.
    const TcpIpParams net = tcpIp.applied().params.tcpIp;
    QCOMPARE(net.addressMode, quint8(AddrModeNoDns | AddrModeNoAltDns));
    QCOMPARE(net.ip, ip(192, 168, 1, 201));
    QCOMPARE(net.altDns, ip(192, 168, 1, 1));
}

// Missing addresses are stored as substitutes with a flag, and show empty again.
void TestCommunicationPages::emptyAddressesStored_data()
{
    QTest::addColumn<QStringList>("fields"); // gateway, DNS, alternative DNS
    QTest::addColumn<int>("flags");
    QTest::addColumn<QList<IpV4>>("stored");
    const IpV4 gw = ip(10, 0, 0, 254);
    const IpV4 dns = ip(8, 8, 8, 8);
    const IpV4 builtIn = ip(192, 168, 1, 1);
    QTest::newRow("all given") << QStringList{"10.0.0.254", "8.8.8.8", "8.8.8.8"} << 0
                               << QList<IpV4>{gw, dns, dns};
    QTest::newRow("no gateway") << QStringList{"", "8.8.8.8", "8.8.8.8"} << int(AddrModeNoGateway)
                                << QList<IpV4>{builtIn, dns, dns};
    QTest::newRow("no dns") << QStringList{"10.0.0.254", "", "8.8.8.8"} << int(AddrModeNoDns)
                            << QList<IpV4>{gw, gw, dns};
    QTest::newRow("no alt dns") << QStringList{"10.0.0.254", "8.8.8.8", ""} << int(AddrModeNoAltDns)
                                << QList<IpV4>{gw, dns, gw};
    QTest::newRow("none") << QStringList{"", "", ""}
                          << (AddrModeNoGateway | AddrModeNoDns | AddrModeNoAltDns)
                          << QList<IpV4>{builtIn, builtIn, builtIn};
}

void TestCommunicationPages::emptyAddressesStored()
{
    QFETCH(QStringList, fields);
    QFETCH(int, flags);
    QFETCH(QList<IpV4>, stored);
    const char* names[] = {"gateway", "dns", "altDns"};
    Opened<TcpIpPage> tcpIp(R70, editEverything);
    for (int i = 0; i < 3; ++i)
        tcpIp.address(names[i])->setIpAddr(fields.at(i));
    QVERIFY(!tcpIp.page.checkAddresses());
    const CpuObject target = tcpIp.applied();
    const TcpIpParams& net = target.params.tcpIp;
    QCOMPARE(int(net.addressMode), flags);
    QCOMPARE((QList<IpV4>{net.gateway, net.dns, net.altDns}), stored);

    Opened<TcpIpPage> reopened(R70, [&target](CpuObject& o) { o = target; });
    for (int i = 0; i < 3; ++i)
        QCOMPARE(reopened.address(names[i])->getIpAddr(), fields.at(i));
}

// An IP address is typed, then the mask field is entered.
void TestCommunicationPages::maskProposal_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("mask");
    QTest::newRow("10") << "10.1.2.3"
                        << "255.0.0.0";
    QTest::newRow("127") << "127.0.0.1"
                         << "255.255.0.0";
    QTest::newRow("172") << "172.16.0.1"
                         << "255.255.0.0";
    QTest::newRow("192") << "192.168.0.1"
                         << "255.255.255.0";
    QTest::newRow("0 leaves it") << "0.1.2.3"
                                 << "255.255.252.0";
}

void TestCommunicationPages::maskProposal()
{
    QFETCH(QString, typed);
    QFETCH(QString, mask);
    Opened<TcpIpPage> tcpIp(C40, editEverything);
    tcpIp.page.show();
    QApplication::setActiveWindow(&tcpIp.page);
    QVERIFY(QTest::qWaitForWindowActive(&tcpIp.page));
    tcpIp.address("mask")->setIpAddr(QStringLiteral("255.255.252.0"));
    IpAddressWidget* ipAddress = tcpIp.address("ipAddress");
    ipAddress->clear();
    ipAddress->setFocus();
    for (const QChar c : typed)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    QCOMPARE(ipAddress->getIpAddr(), typed);
    tcpIp.address("mask")->setFocus(Qt::TabFocusReason);
    QCOMPARE(tcpIp.address("mask")->getIpAddr(), mask);
}

void TestCommunicationPages::domainLimitAtCursor_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<bool>("typed");
    for (const char* list : {"domain", "altDomain"}) {
        QTest::addRow("%s typed", list) << QString(list) << true;
        QTest::addRow("%s set", list) << QString(list) << false;
    }
}

void TestCommunicationPages::domainLimitAtCursor()
{
    QFETCH(QString, list);
    QFETCH(bool, typed);
    Opened<TcpIpPage> tcpIp(C40);
    auto* combo = tcpIp.at<QComboBox>(list);
    QLineEdit* edit = combo->lineEdit();
    const QString full = QStringLiteral("abcdefghij.9klmnopqrst.uvwxyz-0"); // 31 bytes
    if (typed) {
        // The 31st byte is taken; the 32nd is refused where it was typed.
        edit->setText(QString(full).remove(11, 1));
        edit->setCursorPosition(11);
        QTest::keyClick(edit, Qt::Key_9);
        QTest::keyClick(edit, Qt::Key_8);
        QCOMPARE(edit->cursorPosition(), 12);
    } else {
        combo->setEditText(full + QLatin1Char('1'));
    }
    QCOMPARE(edit->text(), full);
    const TcpIpParams net = tcpIp.applied().params.tcpIp;
    QCOMPARE((list == QLatin1String("domain") ? net.domain : net.altDomain).text(), full);
}

void TestCommunicationPages::remoteControl_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("fieldsEnabled");
    QTest::addColumn<int>("written");
    QTest::newRow("no remote control, 0 kept") << int(C24) << 0 << true << 0;
    QTest::newRow("no remote control, 7 kept") << int(C24) << 7 << true << 7;
    QTest::newRow("remote control off") << int(C40) << 0 << false << 0;
    QTest::newRow("remote control on") << int(C40) << 7 << true << 1;
}

void TestCommunicationPages::remoteControl()
{
    QFETCH(int, id);
    QFETCH(int, stored);
    QFETCH(bool, fieldsEnabled);
    QFETCH(int, written);
    Opened<TcpIpPage> tcpIp(id, [stored](CpuObject& o) { o.params.tcpIp.remoteControl = stored; });
    auto* box = tcpIp.at<QGroupBox>("remoteControlBox");
    const bool remote = tcpIp.context.descriptor.softCtrlRemote;
    QCOMPARE(box->isCheckable(), remote);
    QCOMPARE(box->title(), remote ? QStringLiteral("Enable Remote Control") : QString());
    QCOMPARE(tcpIp.at("deviceName")->isEnabled(), fieldsEnabled);
    QCOMPARE(int(tcpIp.applied().params.tcpIp.remoteControl), written);
}

// Names and passwords take ASCII letters, digits and punctuation; domains fewer.
void TestCommunicationPages::typedCharacters()
{
    Opened<TcpIpPage> tcpIp(C40);
    const QString typed = QStringLiteral("a b~\\|[]\"é{}_.");
    for (const char* name : {"deviceName", "groupName", "claimPassword", "claimVerify"}) {
        auto* edit = tcpIp.at<QLineEdit>(name);
        edit->clear();
        typeText(edit, typed);
        const QString accepted = QStringLiteral("ab~\\|[]\"{}_.");
        QCOMPARE(edit->text(), accepted.left(edit->maxLength()));
    }
    QLineEdit* domain = tcpIp.at<QComboBox>("domain")->lineEdit();
    domain->clear();
    typeText(domain, typed);
    QCOMPARE(domain->text(), QStringLiteral("ab_."));
}

// The first failing address in field order, with the widget's wording; the fields of an
// automatic mode are skipped whatever they hold.
void TestCommunicationPages::checkAddresses_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QStringList>("addresses"); // IP, mask, gateway, DNS, alternative DNS
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("kind");
    const QString ipOk = QStringLiteral("192.168.0.10");
    const QString maskOk = QStringLiteral("255.255.255.0");
    const QString gwOk = QStringLiteral("192.168.0.1");
    const QString ok = QStringLiteral("8.8.8.8");
    const QString bad = QStringLiteral("127.0.0.1");
    const QString part = QStringLiteral("8.8..8");
    const auto row = [](const char* name, int flags, const QStringList& addresses,
                        const char* focus, int kind) {
        QTest::newRow(name) << flags << addresses << QString(focus) << kind;
    };
    row("all valid", 0, {ipOk, maskOk, gwOk, ok, ok}, "", 0);
    row("optional ones empty", 0, {ipOk, maskOk, "", "", ""}, "", 0);
    row("ip loopback", 0, {bad, maskOk, gwOk, ok, ok}, "ipAddress", 0);
    row("ip empty", 0, {"", maskOk, gwOk, ok, ok}, "ipAddress", 0);
    row("mask empty", 0, {ipOk, "", gwOk, ok, ok}, "mask", 1);
    row("ip is broadcast", 0, {"192.168.0.255", maskOk, gwOk, ok, ok}, "mask", 1);
    row("gateway elsewhere", 0, {ipOk, maskOk, "192.168.1.1", ok, ok}, "gateway", 2);
    row("dns incomplete", 0, {ipOk, maskOk, gwOk, part, ok}, "dns", 3);
    row("alt dns loopback", 0, {ipOk, maskOk, gwOk, ok, bad}, "altDns", 3);
    row("first failure wins", 0, {bad, maskOk, gwOk, part, ok}, "ipAddress", 0);
    row("automatic ip skipped", AddrModeAutoIp, {bad, bad, bad, ok, ok}, "", 0);
    row("automatic dns skipped", AddrModeAutoDns, {ipOk, maskOk, gwOk, bad, bad}, "", 0);
    row("dns after automatic ip", AddrModeAutoIp, {bad, bad, bad, part, ok}, "dns", 3);
}

void TestCommunicationPages::checkAddresses()
{
    QFETCH(int, flags);
    QFETCH(QStringList, addresses);
    QFETCH(QString, focus);
    QFETCH(int, kind);
    Opened<TcpIpPage> tcpIp(C40, [flags](CpuObject& o) {
        editEverything(o);
        o.params.tcpIp.addressMode = quint8(flags);
    });
    const char* names[] = {"ipAddress", "mask", "gateway", "dns", "altDns"};
    for (int i = 0; i < 5; ++i)
        tcpIp.address(names[i])->setIpAddr(addresses.at(i));

    const CheckResult result = tcpIp.page.checkAddresses();
    QVERIFY2(bool(result) == !focus.isEmpty(), result ? qPrintable(result->text) : "passed");
    if (!result)
        return;
    QCOMPARE(result->kind, CheckFailure::Kind::Warning);
    QCOMPARE(result->focus->objectName(), focus);
    const QString expected = IpAddressWidget::checkIpValid(
        kind, tcpIp.address(qPrintable(focus))->getIpAddr(), addresses.at(1), addresses.at(0));
    QCOMPARE(result->text, expected);
}

// Device name, claim password and ports, each reported with its own field.
void TestCommunicationPages::otherChecks_data()
{
    QTest::addColumn<QString>("deviceName");
    QTest::addColumn<QString>("verify"); // of the claim password "pw"
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("serverPort");
    QTest::addColumn<QString>("focus"); // none when every check passes
    const auto row = [](const char* name, const char* device, const char* verify, int port,
                        int serverPort, const char* focus) {
        QTest::newRow(name) << device << verify << port << serverPort << focus;
    };
    row("fine", " a ", "pw", 20000, 8888, "");
    row("lowest ports", "a", "pw", 1024, 1024, "");
    row("highest ports", "a", "pw", 65000, 65535, "");
    row("blank device name", "  ", "pw", 20000, 8888, "deviceName");
    row("verify differs", "a", "pW", 20000, 8888, "claimPassword");
    row("port 1023", "a", "pw", 1023, 8888, "port");
    row("port 65001", "a", "pw", 65001, 8888, "port");
    row("port beyond 16 bits", "a", "pw", 70000, 8888, "port");
    row("server port 1023", "a", "pw", 20000, 1023, "serverPort");
    row("port first", "a", "pw", 80, 0, "port");
}

void TestCommunicationPages::otherChecks()
{
    QFETCH(QString, deviceName);
    QFETCH(QString, verify);
    QFETCH(int, port);
    QFETCH(int, serverPort);
    QFETCH(QString, focus);
    const QMap<QString, QString> texts{
        {"deviceName", "The device name can not be empty."},
        {"claimPassword", "The password you enter must be as the same as the confirm password."},
        {"port", "The port setting has error(range: 1024~65000)."},
        {"serverPort", "The server's port setting has error(range: 1024~65535)."}};
    // A fixed IP address, so that the stored port is loaded.
    Opened<TcpIpPage> tcpIp(C40, [port, serverPort](CpuObject& o) {
        editEverything(o);
        o.params.tcpIp.port = quint32(port);
        o.params.tcpIp.serverPort = quint32(serverPort);
    });
    tcpIp.at<QLineEdit>("deviceName")->setText(deviceName);
    tcpIp.at<QLineEdit>("claimPassword")->setText(QStringLiteral("pw"));
    tcpIp.at<QLineEdit>("claimVerify")->setText(verify);

    const TcpIpPage& page = tcpIp.page;
    for (const CheckResult& result :
         {page.checkDeviceName(), page.checkClaimPassword(), page.checkPorts()}) {
        if (!result)
            continue;
        QCOMPARE(result->kind, CheckFailure::Kind::Information);
        QCOMPARE(result->focus->objectName(), focus);
        QCOMPARE(result->text, texts.value(focus));
        return;
    }
    QVERIFY(focus.isEmpty());
}

void TestCommunicationPages::localPortRows_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QString>("rows");  // shown besides port number and protocol
    QTest::addColumn<QString>("bauds"); // text:code
    const QString bauds = QStringLiteral("9600:0 19200:1 38400:2 57600:3 115200:4");
    const QString ppiBauds = QStringLiteral("9600:0 19200:1 187500:5");
    const QString ppi =
        QStringLiteral("wgtBaudRate wgtPlcAddress wgtHighestAddr wgtRetryCount wgtRefreshFactor");
    QTest::newRow("none") << -1 << "" << bauds;
    QTest::newRow("FREE") << 0 << "wgtBaudRate wgtDataLen wgtParity wgtStopBits" << bauds;
    QTest::newRow("Modbus master") << 1 << "wgtBaudRate wgtParity wgtReceiveTimeout" << bauds;
    QTest::newRow("Modbus slave") << 2 << "wgtBaudRate wgtParity wgtResponseTime wgtAddress"
                                  << bauds;
    QTest::newRow("PPI master") << 3 << ppi << ppiBauds;
    QTest::newRow("PPI slave") << 4 << ppi << ppiBauds;
}

void TestCommunicationPages::localPortRows()
{
    QFETCH(int, protocol);
    QFETCH(QString, rows);
    QFETCH(QString, bauds);
    Opened<LocalPortPage> localPort(Q310); // PPI slave
    localPort.at("wgtProtocol")->findChild<QComboBox*>()->setCurrentIndex(protocol);
    const QStringList shown =
        rows.split(QLatin1Char(' ')) + QStringList{"wgtPortNumber", "wgtProtocol"};
    const QList<QWidget*> all =
        localPort.page.findChildren<QWidget*>(QRegularExpression(QStringLiteral("^wgt")));
    QCOMPARE(all.size(), 13);
    for (const QWidget* row : all)
        QVERIFY2(row->isHidden() != shown.contains(row->objectName()),
                 qPrintable(row->objectName()));

    auto* baud = localPort.at("wgtBaudRate")->findChild<QComboBox*>();
    QStringList entries;
    for (int i = 0; i < baud->count(); ++i)
        entries << QStringLiteral("%1:%2").arg(baud->itemText(i)).arg(baud->itemData(i).toInt());
    QCOMPARE(entries.join(QLatin1Char(' ')), bauds);
    QCOMPARE(baud->currentIndex(), 0);
}

void TestCommunicationPages::localPortLoad_data()
{
    QTest::addColumn<LocalPort>("stored");
    QTest::addColumn<QString>("baud");
    QTest::addColumn<LocalPort>("written");
    const LocalPort ppi{0, 3, 5, 2, 2, 1, 2, 1, 2000, 31, 2, 3, 10};
    const LocalPort free{0, 0, 4, 1, 1, 2, 2, 1, 2000, 31, 2, 3, 10};
    const LocalPort slave{0, 2, 2, 2, 0, 1, 0, 5, 2000, 31, 2, 3, 10};
    QTest::newRow("PPI 187500") << ppi << "187500" << ppi;
    QTest::newRow("FREE 115200 7O2") << free << "115200" << free;
    QTest::newRow("Modbus slave") << slave << "38400" << slave;
    QTest::newRow("code missing from the list")
        << LocalPort{0, 3, 2, 2, 2, 1, 2, 1, 2000, 31, 2, 3, 10} << "9600"
        << LocalPort{0, 3, 0, 2, 2, 1, 2, 1, 2000, 31, 2, 3, 10};
    QTest::newRow("port number is 0")
        << LocalPort{7, 4, 1, 2, 2, 1, 2, 1, 2000, 31, 2, 3, 10} << "19200"
        << LocalPort{0, 4, 1, 2, 2, 1, 2, 1, 2000, 31, 2, 3, 10};
}

void TestCommunicationPages::localPortLoad()
{
    QFETCH(LocalPort, stored);
    QFETCH(QString, baud);
    QFETCH(LocalPort, written);
    Opened<LocalPortPage> localPort(Q310, [&stored](CpuObject& o) { o.localPort = stored; });
    QCOMPARE(localPort.page.protocolIndex(), int(stored.protocol));
    QCOMPARE(localPort.page.stationAddress(), int(stored.address));
    QCOMPARE(localPort.at("wgtBaudRate")->findChild<QComboBox*>()->currentText(), baud);
    CpuObject target;
    target.localPort = {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
    localPort.page.apply(target);
    QVERIFY(target.localPort == written);
}

QTEST_MAIN(TestCommunicationPages)
#include "tst_communicationpages.moc"
