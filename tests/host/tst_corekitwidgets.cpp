#include <corekit/widgets/customintvalidator.h>
#include <corekit/widgets/ipaddresswidget.h>
#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mlineedit.h>
#include <corekit/widgets/mspinboxex.h>

#include <QClipboard>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTextCodec>
#include <QtTest>

#include <memory>

namespace {

// A shown, active window holding the widgets, so that focus and typing behave as for a user.
std::unique_ptr<QWidget> activeWindow(const QList<QWidget*>& widgets)
{
    auto window = std::make_unique<QWidget>();
    auto* layout = new QHBoxLayout(window.get());
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    window->show();
    QApplication::setActiveWindow(window.get());
    return QTest::qWaitForWindowActive(window.get()) ? std::move(window) : nullptr;
}

// Types into whatever has the focus as it moves; '<' is Backspace.
void typeKeys(const QString& keys)
{
    for (const QChar c : keys) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target);
        if (c == QLatin1Char('<'))
            QTest::keyClick(target, Qt::Key_Backspace);
        else
            QTest::keyClick(target, c.toLatin1());
    }
}

bool sendWheel(QWidget* target)
{
    QWheelEvent event(QPointF(5, 5), target->mapToGlobal(QPoint(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
    return event.isAccepted();
}

} // namespace

class TestCorekitWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void checkIpValid_data();
    void checkIpValid();
    void checkIpValidOfWidgets();
    void setAndGetAddress_data();
    void setAndGetAddress();
    void typing_data();
    void typing();
    void pasteWholeAddress();
    void maskModeAsksForMaskOnEntry();
    void lineEditByteLimit_data();
    void lineEditByteLimit();
    void lineEditLimitOnSetTextAndSetMaxLen();
    void intValidatorStates_data();
    void intValidatorStates();
    void comboSelectsByData();
    void wheelNeedsFocus();
    void spinBoxButtons();
};

void TestCorekitWidgets::initTestCase()
{
    // Byte limits count in the local encoding; make it UTF-8 whatever the test locale.
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
}

// `problem` is a piece of the expected message; empty when the address is valid.
void TestCorekitWidgets::checkIpValid_data()
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
    const char* ip = "192.168.0.1";
    const char* mask = "255.255.255.0";

    row("ip", 0, "192.168.0.1", "", "", "");
    row("ip host part zero", 0, "10.0.0.0", "", "", "");
    row("ip empty", 0, "", "", "", "IP address is empty");
    row("ip missing octet", 0, "192.168..1", "", "", "incomplete");
    row("ip five parts", 0, "1.2.3.4.5", "", "", "four numbers");
    row("ip octet 256", 0, "1.2.3.256", "", "", "four numbers");
    row("ip sign", 0, "1.2.+3.4", "", "", "four numbers");
    row("ip first 0", 0, "0.1.2.3", "", "", "1 to 223");
    row("ip multicast", 0, "224.0.0.1", "", "", "1 to 223");
    row("ip loopback", 0, "127.0.0.1", "", "", "127");

    row("mask", 1, mask, "", ip, "");
    row("mask /30", 1, "255.255.255.252", "", "10.0.0.1", "");
    row("mask without ip", 1, "255.255.0.0", "", "", "");
    row("mask empty", 1, "", "", ip, "subnet mask is empty");
    row("mask zero", 1, "0.0.0.0", "", ip, "0.0.0.0");
    row("mask all ones", 1, "255.255.255.255", "", ip, "255.255.255.255");
    row("mask gap", 1, "255.0.255.0", "", ip, "run of ones");
    row("mask low bit", 1, "255.255.255.253", "", ip, "run of ones");
    row("ip is network", 1, mask, "", "192.168.0.0", "network");
    row("ip is broadcast", 1, mask, "", "192.168.0.255", "broadcast");
    row("ip is a host of /16", 1, "255.255.0.0", "", "172.16.1.0", "");
    row("ip is network of /16", 1, "255.255.0.0", "", "172.16.0.0", "network");

    row("gateway", 2, "192.168.0.254", mask, ip, "");
    row("gateway other subnet", 2, "192.168.1.1", mask, ip, "subnet of the IP");
    row("gateway in a /16", 2, "192.168.1.1", "255.255.0.0", ip, "");
    row("gateway is ip", 2, ip, mask, ip, "IP address itself");
    row("gateway network", 2, "192.168.0.0", mask, ip, "network");
    row("gateway broadcast", 2, "192.168.0.255", mask, ip, "broadcast");
    row("gateway empty", 2, "", mask, ip, "gateway address is empty");
    row("gateway, bad mask unused", 2, "10.0.0.1", "255.0.255.0", ip, "");

    row("dns", 3, "8.8.8.8", mask, ip, "");
    row("dns incomplete", 3, "8.8.8", "", "", "DNS server address is incomplete");
    row("unknown kind", 4, "8.8.8.8", "", "", "Unknown");
}

void TestCorekitWidgets::checkIpValid()
{
    QFETCH(int, kind);
    QFETCH(QString, address);
    QFETCH(QString, mask);
    QFETCH(QString, ip);
    QFETCH(QString, problem);

    const QString message = IpAddressWidget::checkIpValid(kind, address, mask, ip);
    if (problem.isEmpty())
        QCOMPARE(message, QString());
    else
        QVERIFY2(message.contains(problem, Qt::CaseInsensitive), qPrintable(message));
}

// The convenience takes the other fields in the order (mask, ip).
void TestCorekitWidgets::checkIpValidOfWidgets()
{
    IpAddressWidget ip, gateway, mask(nullptr, true);
    ip.setIpAddr(QStringLiteral("192.168.0.0"));
    mask.setIpAddr(QStringLiteral("255.255.255.0"));
    gateway.setIpAddr(QStringLiteral("192.168.1.1"));

    QCOMPARE(ip.checkIpValid(0), QString());
    QVERIFY(mask.checkIpValid(1, nullptr, &ip).contains(QLatin1String("network")));
    QCOMPARE(mask.checkIpValid(1), QString());
    QVERIFY(gateway.checkIpValid(2, &mask, &ip).contains(QLatin1String("subnet")));
}

void TestCorekitWidgets::setAndGetAddress_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("part0");
    const auto row = [](const char* name, const char* input, const char* address, int part0) {
        QTest::newRow(name) << QString(input) << QString(address) << part0;
    };

    row("full", "192.168.0.1", "192.168.0.1", 192);
    row("same address", "172.016.5.4", "172.16.5.4", 172);
    row("leading zeros", "010.001.000.255", "10.1.0.255", 10);
    row("spaces around", " 10.0.0.1 ", "10.0.0.1", 10);
    row("partial kept", "192..1.1", "192..1.1", 192);
    row("first missing", ".168.0.1", ".168.0.1", -1);
    row("empty", "", "", -1);
    row("only dots", "...", "", -1);
    row("octet 256", "1.2.3.256", "", -1);
    row("five parts", "1.2.3.4.5", "", -1);
    row("inner space", "1. 2.3.4", "", -1);
}

void TestCorekitWidgets::setAndGetAddress()
{
    QFETCH(QString, input);
    QFETCH(QString, address);
    QFETCH(int, part0);

    const QString before = QStringLiteral("172.16.5.4");
    IpAddressWidget widget;
    widget.setIpAddr(before);
    QSignalSpy spy(&widget, &IpAddressWidget::textChanged);
    widget.setIpAddr(input);
    QCOMPARE(widget.getIpAddr(), address);
    QCOMPARE(spy.count(), address == before ? 0 : 1); // once per change, with the result
    if (!spy.isEmpty())
        QCOMPARE(spy.at(0).at(0).toString(), address);
    QCOMPARE(widget.getIpPart0(), part0);
    QCOMPARE(widget.isEmpty(), address.isEmpty());

    IpAddressWidget copy; // what getIpAddr gives, setIpAddr takes back
    copy.setIpAddr(widget.getIpAddr());
    QCOMPARE(copy.getIpAddr(), address);
}

void TestCorekitWidgets::typing_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("address");
    const auto row = [](const char* name, const char* keys, const char* address) {
        QTest::newRow(name) << QString(keys) << QString(address);
    };

    row("dotted", "192.168.0.1", "192.168.0.1");
    row("third digit moves on", "1921680.1", "192.168.0.1");
    row("dot after a full octet", "192.1", "192.1..");
    row("dot in empty octet ignored", "10..1", "10.1..");
    row("letters refused", "1a2b", "12...");
    row("over 255 refused", "256", "25...");
    row("dot in last octet ignored", "1.2.3.4.5", "1.2.3.45");
    row("leading zeros", "007.1", "7.1..");
    row("backspace goes back", "10.2<<<5", "15...");
}

void TestCorekitWidgets::typing()
{
    QFETCH(QString, keys);
    QFETCH(QString, address);

    auto* widget = new IpAddressWidget;
    const auto window = activeWindow({widget});
    QVERIFY(window);
    widget->setFocus();
    typeKeys(keys);
    QCOMPARE(widget->getIpAddr(), address);
}

void TestCorekitWidgets::pasteWholeAddress()
{
    auto* widget = new IpAddressWidget;
    const auto window = activeWindow({widget});
    QVERIFY(window);
    widget->setIpAddr(QStringLiteral("192.168.0.1"));
    widget->setFocus();
    auto* octet = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(octet);

    QApplication::clipboard()->setText(QStringLiteral("10.1.2"));
    QTest::keySequence(octet, QKeySequence::Paste); // incomplete: refused
    QCOMPARE(widget->getIpAddr(), QStringLiteral("192.168.0.1"));
    QApplication::clipboard()->setText(QStringLiteral("10.1.2.3\n"));
    QTest::keySequence(octet, QKeySequence::Paste); // into a filled octet
    QCOMPARE(widget->getIpAddr(), QStringLiteral("10.1.2.3"));

    QApplication::clipboard()->setText(QStringLiteral("172.16.0.9"));
    octet->clear();
    QSignalSpy spy(widget, &IpAddressWidget::textChanged);
    octet->paste(); // as from the context menu
    QCOMPARE(widget->getIpAddr(), QStringLiteral("172.16.0.9"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("172.16.0.9"));
}

void TestCorekitWidgets::maskModeAsksForMaskOnEntry()
{
    auto* other = new QLineEdit;
    auto* ip = new IpAddressWidget;
    auto* mask = new IpAddressWidget(nullptr, true);
    const auto window = activeWindow({other, ip, mask});
    QVERIFY(window);
    QVERIFY(mask->isMaskMode() && !ip->isMaskMode());
    other->setFocus();
    QSignalSpy ipSpy(ip, &IpAddressWidget::needGetMaskAuto);
    QSignalSpy maskSpy(mask, &IpAddressWidget::needGetMaskAuto);

    ip->setFocus();
    mask->setFocus();
    QCOMPARE(maskSpy.count(), 1);
    typeKeys(QStringLiteral("255.255")); // moves between its own octets
    QCOMPARE(maskSpy.count(), 1);
    other->setFocus();
    mask->setFocus();
    QCOMPARE(maskSpy.count(), 2);
    QCOMPARE(ipSpy.count(), 0);
}

// UTF-8: "é" is 2 bytes, "中" 3, "😀" 4 (a surrogate pair). Non-ASCII text arrives as an
// input method commits it.
void TestCorekitWidgets::lineEditByteLimit_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("paste");
    QTest::addColumn<int>("maxLen");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("newCursor");
    const auto row = [](const char* name, const QString& initial, int cursor, const QString& input,
                        bool paste, int maxLen, const QString& text, int newCursor) {
        QTest::newRow(name) << initial << cursor << input << paste << maxLen << text << newCursor;
    };
    const QString e = QStringLiteral("é"), zh = QStringLiteral("中"), pair = QStringLiteral("😀");

    row("ascii refused in the middle", "abcd", 2, "x", false, 4, "abcd", 2);
    row("two bytes fit", "abcd", 2, e, false, 6, "ab" + e + "cd", 3);
    row("two bytes, one too many", "abcd", 2, e, false, 5, "abcd", 2);
    row("ascii after full text", zh + zh, 1, "a", false, 6, zh + zh, 1);
    row("pair not split", "ab", 2, pair, false, 5, "ab", 2);
    row("paste cut at its end", "abcd", 2, e + e + e + e, true, 8, "ab" + e + e + "cd", 4);
    row("paste at the start", "x", 0, zh + e, true, 4, zh + "x", 1);
    row("no limit", "abc", 3, zh + zh + zh, true, 0, "abc" + zh + zh + zh, 6);
}

void TestCorekitWidgets::lineEditByteLimit()
{
    QFETCH(QString, initial);
    QFETCH(int, cursor);
    QFETCH(QString, input);
    QFETCH(bool, paste);
    QFETCH(int, maxLen);
    QFETCH(QString, text);
    QFETCH(int, newCursor);

    MLineEdit edit(initial);
    edit.setMaxLen(maxLen);
    edit.setCursorPosition(cursor);
    QSignalSpy spy(&edit, &QLineEdit::textChanged);
    if (paste) {
        QApplication::clipboard()->setText(input);
        edit.paste();
    } else if (input.at(0).unicode() < 0x80) {
        QTest::keyClicks(&edit, input);
    } else {
        QInputMethodEvent event;
        event.setCommitString(input);
        QApplication::sendEvent(&edit, &event);
    }
    QCOMPARE(edit.text(), text);
    QCOMPARE(edit.cursorPosition(), newCursor);
    for (const QList<QVariant>& args : spy) // never an over-long text, not even briefly
        QVERIFY(maxLen <= 0 || args.at(0).toString().toLocal8Bit().size() <= maxLen);
}

void TestCorekitWidgets::lineEditLimitOnSetTextAndSetMaxLen()
{
    MLineEdit edit(QStringLiteral("äöü"));
    edit.setMaxLen(5); // cuts the current text at its end, whole characters only
    QCOMPARE(edit.text(), QStringLiteral("äö"));
    edit.setText(QStringLiteral("abcdefg"));
    QCOMPARE(edit.text(), QStringLiteral("abcde"));
    edit.setMaxLen(-1);
    QCOMPARE(edit.maxLen(), 0);
    edit.setText(QStringLiteral("abcdefg"));
    QCOMPARE(edit.text(), QStringLiteral("abcdefg"));
}

// `fixed` is what fixup makes of the text: numbers clamped into the range, anything else kept.
void TestCorekitWidgets::intValidatorStates_data()
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
    const qint64 min = std::numeric_limits<qint64>::min();
    const qint64 max = std::numeric_limits<qint64>::max();

    row("u32 empty", 0, u32, "", more, "");
    row("u32 top", 0, u32, "4294967295", ok, "4294967295");
    row("u32 top + 1", 0, u32, "4294967296", bad, "4294967295");
    row("u32 eleven digits", 0, u32, "10000000000", bad, "4294967295");
    row("u32 minus", 0, u32, "-", bad, "-");
    row("u32 leading zeros", 0, u32, "007", bad, "7");
    row("u32 plus", 0, u32, "+1", bad, "+1");
    row("u32 other digits", 0, u32, QString(QChar(0x0661)), bad, QString(QChar(0x0661)));
    row("port zero", 1, 65535, "0", bad, "1");
    row("port huge", 1, 65535, "99999999999999999999999", bad, "65535");
    row("200.. one digit", 200, 20000, "2", more, "200");
    row("200.. grows past", 200, 20000, "1", more, "200");
    row("200.. top", 200, 20000, "20000", ok, "20000");
    row("200.. top + 1", 200, 20000, "20001", bad, "20000");
    row("±5 minus", -5, 5, "-", more, "-");
    row("±5 bottom", -5, 5, "-5", ok, "-5");
    row("±5 below", -5, 5, "-6", bad, "-5");
    row("±5 minus zero", -5, 5, "-0", bad, "0");
    row("±5 above", -5, 5, "6", bad, "5");
    row("negative only, -199", -20000, -200, "-199", more, "-200");
    row("negative only, below", -20000, -200, "-20001", bad, "-20000");
    row("int64 min", min, max, "-9223372036854775808", ok, "-9223372036854775808");
    row("int64 max + 1", min, max, "9223372036854775808", bad, "9223372036854775807");
    row("int64 min - 1", min, max, "-9223372036854775809", bad, "-9223372036854775808");
    row("empty range", 5, 1, "3", bad, "3");
}

void TestCorekitWidgets::intValidatorStates()
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
    QCOMPARE(text, input);
    validator.fixup(text);
    QCOMPARE(text, fixed);
}

void TestCorekitWidgets::comboSelectsByData()
{
    MComboBoxEx combo;
    QCOMPARE(combo.currentItemData(), QVariant());
    combo.addItemWithData(QStringLiteral("RS-485"), 1);
    combo.addItemWithData(QStringLiteral("Ethernet"), 2);
    combo.setCurrentIndex(1);
    QSignalSpy spy(&combo, QOverload<int>::of(&QComboBox::currentIndexChanged));

    QVERIFY(!combo.setCurrentData(7));
    QCOMPARE(combo.currentIndex(), 1);
    QCOMPARE(spy.count(), 0);
    QVERIFY(combo.setCurrentData(1));
    QCOMPARE(combo.currentItemData(), QVariant(1));
    QCOMPARE(combo.findItemData(2), 1);
}

void TestCorekitWidgets::wheelNeedsFocus()
{
    auto* other = new QLineEdit;
    auto* combo = new MComboBoxEx;
    combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
    auto* spin = new MSpinBoxEx;
    spin->setValue(5);
    const auto window = activeWindow({other, combo, spin});
    QVERIFY(window);
    other->setFocus();

    // A passing wheel must neither take the focus nor change the value.
    QVERIFY((combo->focusPolicy() & Qt::WheelFocus) != Qt::WheelFocus);
    QVERIFY((spin->focusPolicy() & Qt::WheelFocus) != Qt::WheelFocus);
    QVERIFY(!sendWheel(combo));
    QVERIFY(!sendWheel(spin));
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(spin->value(), 5);

    combo->setFocus();
    QVERIFY(sendWheel(combo));
    QCOMPARE(combo->currentIndex(), 1);
    spin->setFocus();
    QVERIFY(sendWheel(spin));
    QCOMPARE(spin->value(), 4);
}

void TestCorekitWidgets::spinBoxButtons()
{
    MSpinBoxEx spin(nullptr, false, false);
    QCOMPARE(spin.buttonSymbols(), QAbstractSpinBox::NoButtons);
    QVERIFY(!spin.hasFrame());
    spin.setButtonsVisible(true);
    QCOMPARE(spin.buttonSymbols(), QAbstractSpinBox::UpDownArrows);
    QVERIFY(MSpinBoxEx().hasFrame());
}

QTEST_MAIN(TestCorekitWidgets)
#include "tst_corekitwidgets.moc"
