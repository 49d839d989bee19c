#include <corekit/widgets/customintvalidator.h>
#include <corekit/widgets/ipaddresswidget.h>
#include <corekit/widgets/mlineedit.h>

#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTextCodec>
#include <QtTest>

#include <limits>

class TestCorekitWidgets : public QObject
{
    Q_OBJECT

private slots:
    // `problem` is a piece of the expected message; empty when the address is valid.
    void checkIpValid_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("problem");
        const auto row = [](const char* name, int kind, const char* address, const char* mask,
                            const char* ip, const char* problem) {
            QTest::newRow(name) << kind << QString(address) << QString(mask) << QString(ip)
                                << QString(problem);
        };
        const char *ip = "192.168.0.1", *mask = "255.255.255.0";

        row("ip", 0, "223.168.0.1", "", "", "");
        row("ip empty", 0, "", "", "", "IP address is empty");
        row("ip missing octet", 0, "192.168..1", "", "", "incomplete");
        row("ip octet 256", 0, "1.2.3.256", "", "", "four numbers");
        row("ip sign", 0, "1.2.+3.4", "", "", "four numbers");
        row("ip first 0", 0, "0.1.2.3", "", "", "1 to 223");
        row("ip multicast", 0, "224.0.0.1", "", "", "1 to 223");
        row("ip loopback", 0, "127.0.0.1", "", "", "127");

        row("mask", 1, mask, "", ip, "");
        row("mask without ip", 1, "255.255.0.0", "", "", "");
        row("mask zero", 1, "0.0.0.0", "", ip, "0.0.0.0");
        row("mask all ones", 1, "255.255.255.255", "", ip, "255.255.255.255");
        row("mask low bit", 1, "255.255.255.253", "", ip, "run of ones");
        row("ip is network", 1, mask, "", "192.168.0.0", "network");
        row("ip is broadcast", 1, mask, "", "192.168.0.255", "broadcast");
        row("ip is a host of /16", 1, "255.255.0.0", "", "172.16.1.0", "");

        row("gateway", 2, "192.168.0.254", mask, ip, "");
        row("gateway other subnet", 2, "192.168.1.1", mask, ip, "subnet of the IP");
        row("gateway in a /16", 2, "192.168.1.1", "255.255.0.0", ip, "");
        row("gateway is ip", 2, ip, mask, ip, "IP address itself");
        row("gateway network", 2, "192.168.0.0", mask, ip, "network");
        row("gateway broadcast", 2, "192.168.0.255", mask, ip, "broadcast");
        row("gateway, bad mask unused", 2, "10.0.0.1", "255.0.255.0", ip, "");

        row("dns in another subnet", 3, "8.8.8.8", mask, ip, "");
        row("dns incomplete", 3, "8.8.8", "", "", "DNS server address is incomplete");
        row("unknown kind", 4, "8.8.8.8", "", "", "Unknown");
    }

    void checkIpValid()
    {
        QFETCH(int, kind);
        QFETCH(QString, address);
        QFETCH(QString, mask);
        QFETCH(QString, ip);
        QFETCH(QString, problem);
        const QString message = IpAddressWidget::checkIpValid(kind, address, mask, ip);
        QVERIFY2(problem.isEmpty() ? message.isEmpty()
                                   : message.contains(problem, Qt::CaseInsensitive),
                 qPrintable(message));
    }

    // "\b" is Backspace. A mask-mode widget asks for a mask once when entered, not while typing.
    void typing_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("address");
        QTest::newRow("third digit moves on") << QString("1921680.1") << QString("192.168.0.1");
        QTest::newRow("dot in empty octet ignored") << QString("10..1") << QString("10.1..");
        QTest::newRow("letters refused") << QString("1a2b") << QString("12...");
        QTest::newRow("over 255 refused") << QString("256") << QString("25...");
        QTest::newRow("dot in last octet ignored") << QString("1.2.3.4.5") << QString("1.2.3.45");
        QTest::newRow("backspace goes back") << QString("10.2\b\b\b5") << QString("15...");
    }

    void typing()
    {
        QFETCH(QString, keys);
        QFETCH(QString, address);
        IpAddressWidget widget(nullptr, true);
        QSignalSpy asked(&widget, &IpAddressWidget::needGetMaskAuto);
        widget.show();
        QApplication::setActiveWindow(&widget);
        QVERIFY(QTest::qWaitForWindowActive(&widget));
        for (const QChar c : keys) // into whatever has the focus as it moves
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QCOMPARE(widget.getIpAddr(), address);
        QCOMPARE(asked.count(), 1);
    }

    // UTF-8: "é" is 2 bytes, "中" 3, "😀" 4 (a surrogate pair).
    void lineEditByteLimit_data()
    {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<int>("maxLen");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("how"); // type, insert (as a paste does) or set
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, const QString& initial, int maxLen, int cursor,
                            const char* how, const QString& input, const QString& text) {
            QTest::newRow(name) << initial << maxLen << cursor << QString(how) << input << text;
        };
        const QString e = QStringLiteral("é"), zh = QStringLiteral("中"),
                      pair = QStringLiteral("😀");
        row("two bytes, one too many", "abcd", 5, 2, "type", e, "abcd");
        row("pair not split", "ab", 5, 2, "type", pair, "ab");
        row("insert cut at its end", "abcd", 8, 2, "insert", e + e + e + e, "ab" + e + e + "cd");
        row("no limit", "abc", -1, 3, "insert", zh + zh + zh, "abc" + zh + zh + zh);
        row("set text cut at its end", "", 5, 0, "set", "abcdefg", "abcde");
        row("set limit cuts the end", "äöü", 5, 3, "type", "", "äö");
    }

    void lineEditByteLimit()
    {
        QFETCH(QString, initial);
        QFETCH(int, maxLen);
        QFETCH(int, cursor);
        QFETCH(QString, how);
        QFETCH(QString, input);
        QFETCH(QString, text);
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8")); // whatever the locale
        MLineEdit edit(initial);
        edit.setMaxLen(maxLen);
        edit.setCursorPosition(cursor);
        QSignalSpy spy(&edit, &QLineEdit::textChanged);
        QInputMethodEvent commit; // typing, as an input method commits it
        commit.setCommitString(input);
        if (how == QLatin1String("insert"))
            edit.insert(input);
        else if (how == QLatin1String("set"))
            edit.setText(input);
        else
            QApplication::sendEvent(&edit, &commit);
        QCOMPARE(edit.text(), text);
        QCOMPARE(edit.cursorPosition(),
                 cursor + text.size() - initial.size()); // after what was kept
        for (const QList<QVariant>& args : spy) // never an over-long text, not even briefly
            QVERIFY(maxLen <= 0 || args.at(0).toString().toLocal8Bit().size() <= maxLen);
    }

    // `fixed` is what fixup makes of the text: numbers clamped into the range, anything else kept.
    void intValidatorStates_data()
    {
        QTest::addColumn<qint64>("bottom");
        QTest::addColumn<qint64>("top");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("fixed");
        const auto row = [](const char* name, qint64 bottom, qint64 top, const QString& input,
                            QValidator::State state, const QString& fixed) {
            QTest::newRow(name) << bottom << top << input << int(state) << fixed;
        };
        const auto ok = QValidator::Acceptable, more = QValidator::Intermediate,
                   bad = QValidator::Invalid;
        const qint64 u32 = 4294967295LL;
        const qint64 max = std::numeric_limits<qint64>::max(), min = -max - 1;

        row("u32 empty", 0, u32, "", more, "");
        row("u32 top", 0, u32, "4294967295", ok, "4294967295");
        row("u32 top + 1", 0, u32, "4294967296", bad, "4294967295");
        row("u32 minus", 0, u32, "-", bad, "-");
        row("u32 leading zeros", 0, u32, "007", bad, "7");
        row("u32 other digits", 0, u32, QString(QChar(0x0661)), bad, QString(QChar(0x0661)));
        row("port zero", 1, 65535, "0", bad, "1");
        row("port huge", 1, 65535, "99999999999999999999999", bad, "65535");
        row("200.. one digit", 200, 20000, "2", more, "200");
        row("±5 minus", -5, 5, "-", more, "-");
        row("±5 below", -5, 5, "-6", bad, "-5");
        row("±5 minus zero", -5, 5, "-0", bad, "0");
        row("negative only, -199", -20000, -200, "-199", more, "-200");
        row("int64 min", min, max, "-9223372036854775808", ok, "-9223372036854775808");
        row("int64 max + 1", min, max, "9223372036854775808", bad, "9223372036854775807");
        row("int64 min - 1", min, max, "-9223372036854775809", bad, "-9223372036854775808");
        row("empty range", 5, 1, "3", bad, "3");
    }

    void intValidatorStates()
    {
        QFETCH(qint64, bottom);
        QFETCH(qint64, top);
        QFETCH(QString, input);
        QFETCH(int, state);
        QFETCH(QString, fixed);
        CustomIntValidator validator(0, 0);
        QSignalSpy spy(&validator, &QValidator::changed);
        validator.setRange(bottom, top);
        QCOMPARE(spy.count(), 1); // line edits re-validate on it
        QString text = input;
        int pos = text.size();
        QCOMPARE(int(validator.validate(text, pos)), state);
        validator.fixup(text);
        QCOMPARE(text, fixed);
    }
};

QTEST_MAIN(TestCorekitWidgets)
#include "tst_corekitwidgets.moc"
