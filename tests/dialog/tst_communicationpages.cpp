#include "dialogtesting.h"

#include <corekit/pwdcodec.h>
#include <dialog/pages/generalpage.h>
#include <dialog/pages/localportpage.h>
#include <dialog/pages/ppiportspage.h>
#include <dialog/pages/tcpippage.h>

#include <QPlainTextEdit>
#include <QTextCodec>

using namespace DialogTesting;

Q_DECLARE_METATYPE(IpV4)

namespace {

enum Model { C24 = 3, C40 = 16, R70 = 33, R60 = 34, Q310 = 48 };

// Every field away from its default, in a combination that the pages can show.
void editEverything(CpuObject& object, DialogContext&)
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
    net.ip = {10, 0, 0, 5};
    net.port = 30000;
    net.mask = {255, 0, 0, 0};
    net.gateway = {10, 0, 0, 1};
    net.dns = {8, 8, 8, 8};
    net.altDns = net.gateway; // as stored for a missing alternative DNS
    net.serverPort = 9000;
    net.domain.setText(QStringLiteral("plc.example.org"));
    const QByteArray password = encodePwdLen8(QStringLiteral("ab#1"));
    std::copy(password.begin(), password.begin() + 8, net.claimPassword.begin());
    object.localPort = {0, 2, 4, 1, 0, 2, 100, 247, 65535, 126, 1, 0, 100};
}

// The address fields in page order: "-" when empty, "off" when disabled.
QString addressFields(LoadedPage<TcpIpPage>& tcpIp)
{
    QStringList fields;
    for (const char* name : {"ipAddress", "mask", "gateway", "dns", "altDns"}) {
        const IpAddressWidget* field = tcpIp.at<IpAddressWidget>(name);
        fields << (!field->isEnabled() ? "off" : field->isEmpty() ? "-" : field->getIpAddr());
    }
    return fields.join(QLatin1Char(' '));
}

} // namespace

class TestCommunicationPages : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("edited");
        for (const int id : {C24, C40, R70, R60, Q310}) {
            QTest::addRow("%d defaults", id) << id << false;
            QTest::addRow("%d edited", id) << id << true;
        }
    }

    void roundTrip()
    {
        QFETCH(int, id);
        QFETCH(bool, edited);
        const auto change = edited ? &editEverything : nullptr;
        LoadedPage<GeneralPage> general(id, change);
        LoadedPage<PpiPortsPage> ports(id, change);
        LoadedPage<TcpIpPage> tcpIp(id, change);
        LoadedPage<LocalPortPage> localPort(id, change);
        const TcpIpPage& net = tcpIp.page;
        QVERIFY(!firstFailure(net));

        const CpuObject& source = *general.object;
        QCOMPARE(general.applied().descriptor.ObjName, source.descriptor.ObjName);
        QCOMPARE(general.applied().descriptor.comment, source.descriptor.comment);
        // Both ports are written, even the disabled second one of a one-port CPU.
        for (const char* name : {"PlcAddress", "HighestAddress", "Baud", "Retry", "Gap"})
            QCOMPARE(ports.at(QStringLiteral("port1") + name)->isEnabled(),
                     id != C24 && id != Q310);
        CpuObject target = source;
        target.params.port0 = PortParams::creationDefault(CpuParams::Port0Tag);
        target.params.port1 = PortParams::creationDefault(CpuParams::Port1Tag);
        ports.page.apply(target);
        QVERIFY(target.params == source.params);
        QVERIFY(tcpIp.applied().params == source.params);
        QVERIFY(localPort.applied().localPort == source.localPort);
    }

    // The comment holds 250 bytes, a domain 31; typing beyond them is removed before the cursor.
    void limitAtCursor_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        const QString e = QStringLiteral("é");                    // two bytes
        const QString zh = QStringLiteral("中");                  // three bytes
        const QString mixed = e.repeated(124) + QLatin1Char('a'); // 249 bytes
        const QString a247(247, QLatin1Char('a'));
        const QString domain = QStringLiteral("abcdefghij.9klmnopqrst.uvwxyz-0"); // 31 bytes
        const QString cut = QString(domain).remove(11, 1);
        QTest::newRow("2 bytes into 1") << "commentEdit" << mixed << 10 << e << mixed;
        QTest::newRow("typing to the limit") << "commentEdit" << a247 << 247 << zh + e << a247 + zh;
        QTest::newRow("domain") << "domain" << cut << 11 << "98" << domain;
        QTest::newRow("altDomain") << "altDomain" << cut << 11 << "98" << domain;
    }

    void limitAtCursor()
    {
        QFETCH(QString, field);
        QFETCH(QString, start);
        QFETCH(int, cursor);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        // Byte limits count in the local encoding; make it UTF-8 whatever the test locale.
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
        LoadedPage<GeneralPage> general(C24);
        LoadedPage<TcpIpPage> tcpIp(C40);
        auto* comment = field == "commentEdit" ? general.at<QPlainTextEdit>(field) : nullptr;
        QLineEdit* edit = comment ? nullptr : tcpIp.at<QComboBox>(field)->lineEdit();
        QWidget* target = comment ? static_cast<QWidget*>(comment) : edit;
        if (comment) {
            comment->setPlainText(start);
            QTextCursor position(comment->document());
            position.setPosition(cursor);
            comment->setTextCursor(position);
        } else {
            edit->setText(start);
            edit->setCursorPosition(cursor);
        }
        for (const QChar c : typed) // as the keyboard would, whatever the encoding
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(comment ? comment->toPlainText() : edit->text(), expected);
        QCOMPARE(comment ? comment->textCursor().position() : edit->cursorPosition(),
                 cursor + expected.size() - start.size());
    }

    // Steps from a fixed address without alternative DNS: the fields shown, then stored (missing
    // ones substituted, with a flag) and shown again on reload.
    void addressModes_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QList<IpV4>>("stored");
        const auto row = [](const char* name, const QStringList& steps, const QString& fields,
                            int flags, const QList<IpV4>& stored) {
            QTest::newRow(name) << steps << fields << flags << stored;
        };
        const IpV4 gw{10, 0, 0, 1}, dns{8, 8, 8, 8}, builtIn{192, 168, 1, 1};
        const int noAltDns = AddrModeNoAltDns;
        row("no dns", {"dns="}, "10.0.0.5 255.0.0.0 10.0.0.1 - -", AddrModeNoDns | noAltDns,
            {gw, gw, gw});
        row("no gateway", {"gateway=", "fixedIpRadio"}, "10.0.0.5 255.0.0.0 - 8.8.8.8 -",
            AddrModeNoGateway | noAltDns, {builtIn, dns, builtIn});
        row("none", {"gateway=", "dns="}, "10.0.0.5 255.0.0.0 - - -",
            AddrModeNoGateway | AddrModeNoDns | noAltDns, {builtIn, builtIn, builtIn});
        row("automatic ip", {"autoIpRadio"}, "off off off 8.8.8.8 -", AddrModeAutoIp | noAltDns,
            {gw, dns, gw});
        row("automatic dns", {"autoIpRadio", "autoDnsRadio"}, "off off off off off",
            AddrModeAutoIp | AddrModeAutoDns, {gw, dns, gw});
        row("fixed dns again", {"autoIpRadio", "autoDnsRadio", "fixedDnsRadio"},
            "off off off 192.168.1.1 192.168.1.1", AddrModeAutoIp, {gw, builtIn, builtIn});
        // Entering the mask field proposes a mask for the IP address's first octet; not for 0.
        for (const char* shown : {"126.1.2.3 255.0.0.0", "127.0.0.1 255.255.0.0",
                                  "192.0.0.1 255.255.255.0", "0.1.2.3 255.255.252.0"}) {
            const QString ip = QString(shown).section(QLatin1Char(' '), 0, 0);
            row(shown, {"mask=255.255.252.0", "ipAddress=" + ip, "mask.needGetMaskAuto"},
                shown + QStringLiteral(" 10.0.0.1 8.8.8.8 -"), noAltDns, {gw, dns, gw});
        }
        // Fixed DNS comes with a fixed IP address, its fields still empty.
        row("fixed ip again", {"autoIpRadio", "autoDnsRadio", "fixedIpRadio"},
            "192.168.1.201 255.255.0.0 192.168.1.1 - -", AddrModeNoDns | noAltDns,
            {builtIn, builtIn, builtIn});
    }

    void addressModes()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, fields);
        QFETCH(int, flags);
        QFETCH(QList<IpV4>, stored);
        LoadedPage<TcpIpPage> tcpIp(C40, editEverything);
        edit(tcpIp.page, steps);
        QCOMPARE(addressFields(tcpIp), fields);
        const CpuObject target = tcpIp.applied();
        const TcpIpParams& net = target.params.tcpIp;
        QCOMPARE(int(net.addressMode), flags);
        QCOMPARE((QList<IpV4>{net.gateway, net.dns, net.altDns}), stored);
        LoadedPage<TcpIpPage> reopened(C40,
                                       [&target](CpuObject& o, DialogContext&) { o = target; });
        QCOMPARE(addressFields(reopened), fields);
    }

    // The checks of OK in order, from a valid page; `text` is a piece of the message.
    void checks_data()
    {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QString>("focus"); // none when every check passes
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, const QStringList& edits, const char* focus,
                            const char* text) {
            QTest::newRow(name) << edits << QString(focus) << QString(text);
        };
        row("valid, lowest ports", {"deviceName= a ", "port=1024", "serverPort=1024"}, "", "");
        row("ip is broadcast", {"ipAddress=10.255.255.255"}, "mask", "broadcast address");
        row("alt dns loopback", {"altDns=127.0.0.1"}, "altDns", "DNS server address must not");
        row("first failure wins", {"ipAddress=", "dns=8.8..8", "port=80"}, "ipAddress", "is empty");
        row("automatic ones skipped",
            {"autoIpRadio", "autoDnsRadio", "ipAddress=127.0.0.1", "dns=1.2..4"}, "", "");
        row("dns after automatic ip", {"autoIpRadio", "ipAddress=1..1.1", "dns=8.8..8"}, "dns",
            "DNS server address is incomplete");
        row("port 1023", {"port=1023"}, "port", "The port setting has error(range: 1024~65000).");
        row("port 65001", {"port=65001"}, "port", "(range: 1024~65000)");
        row("server port 1023", {"serverPort=1023"}, "serverPort", "server's port setting");
    }

    void checks()
    {
        QFETCH(QStringList, edits);
        QFETCH(QString, focus);
        QFETCH(QString, text);
        LoadedPage<TcpIpPage> tcpIp(C40, editEverything);
        edit(tcpIp.page, edits);
        const TcpIpPage& page = tcpIp.page;
        const CheckResult result = firstFailure(page);
        QCOMPARE(result ? result->focus->objectName() : QString(), focus);
        if (!result)
            return;
        QVERIFY2(result->text.contains(text), qPrintable(result->text));
        const bool address =
            qobject_cast<IpAddressWidget*>(result->focus); // its wording, a warning
        QCOMPARE(result->kind,
                 address ? CheckFailure::Kind::Warning : CheckFailure::Kind::Information);
    }

    // The rows each protocol shows; the stored baud code is kept if the protocol's list has it.
    void localPort_data()
    {
        QTest::addColumn<int>("protocol");
        QTest::addColumn<int>("baudCode");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<int>("written"); // baud code
        const QString ppi =
            QStringLiteral("BaudRate PlcAddress HighestAddr RetryCount RefreshFactor");
        QTest::newRow("unknown protocol") << 9 << 1 << QString() << 1;
        QTest::newRow("FREE") << 0 << 4 << QString("BaudRate DataLen Parity StopBits") << 4;
        QTest::newRow("Modbus master") << 1 << 2 << QString("BaudRate Parity ReceiveTimeout") << 2;
        QTest::newRow("Modbus slave")
            << 2 << 3 << QString("BaudRate Parity ResponseTime Address") << 3;
        QTest::newRow("PPI master") << 3 << 5 << ppi << 5;
        QTest::newRow("PPI slave, code missing") << 4 << 2 << ppi << 0;
    }

    void localPort()
    {
        QFETCH(int, protocol);
        QFETCH(int, baudCode);
        QFETCH(QString, rows);
        QFETCH(int, written);
        LocalPort port{7, quint8(protocol), quint8(baudCode), 1, 1, 2, 50, 5, 3000, 90, 7, 6, 40};
        LoadedPage<LocalPortPage> localPort(
            Q310, [&port](CpuObject& o, DialogContext&) { o.localPort = port; });
        QString shown;
        for (const QWidget* row : localPort.page.findChildren<QWidget*>(QRegularExpression("^wgt")))
            shown += row->isHidden() ? QString() : row->objectName().mid(3) + ' ';
        QCOMPARE(shown.trimmed(), ("PortNumber Protocol " + rows).trimmed());

        CpuObject target; // an unknown protocol leaves the stored byte
        target.localPort = {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
        localPort.page.apply(target);
        port.portNumber = 0; // whatever was stored
        port.baudCode = quint8(written);
        QVERIFY(target.localPort == port);
    }
};

QTEST_MAIN(TestCommunicationPages)
#include "tst_communicationpages.moc"
