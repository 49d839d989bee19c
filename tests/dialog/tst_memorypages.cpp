#include "hostfixture.h"

#include <corekit/plcfacts.h>
#include <corekit/pwdcodec.h>
#include <dialog/pages/backgroundpage.h>
#include <dialog/pages/passwordpage.h>
#include <dialog/pages/retentivepage.h>
#include <plugin/cpuobjectfactory.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>

#include <memory>

namespace {

using PwdBytes = std::array<quint8, 8>;

PwdBytes encoded(const QString& password)
{
    const QByteArray bytes = encodePwdLen8(password);
    PwdBytes field{};
    std::copy(bytes.begin(), bytes.begin() + qMin(8, bytes.size()), field.begin());
    return field;
}

PwdBytes fillerBytes()
{
    const quint32 f = PasswordPage::NoPasswordFiller;
    return {quint8(f >> 24), quint8(f >> 16), quint8(f >> 8), quint8(f),
            quint8(f >> 24), quint8(f >> 16), quint8(f >> 8), quint8(f)};
}

template <typename T>
T* child(QWidget* page, const QString& name)
{
    T* widget = page->findChild<T*>(name);
    if (!widget)
        qFatal("no widget %s", qPrintable(name));
    return widget;
}

// A radio button takes only clicks on its indicator and text, not on the whole widget.
void clickRadio(QWidget* page, int level)
{
    auto* button = child<QRadioButton>(page, QStringLiteral("privilegeLevel%1").arg(level));
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect hit =
        button->style()->subElementRect(QStyle::SE_RadioButtonClickRect, &option, button);
    QTest::mouseClick(button, Qt::LeftButton, {}, hit.center());
}

} // namespace

class TestMemoryPages : public QObject
{
    Q_OBJECT

    std::unique_ptr<HostFixture> m_host;
    DialogContext m_context;
    std::unique_ptr<RetentivePage> m_retentive;
    std::unique_ptr<PasswordPage> m_password;

    // Only the named area is tight, so that checking against the wrong area shows.
    void setLimit(const QString& key, int limit)
    {
        QJsonObject ranges{{"V", 1000}, {"M", 1000}, {"T", 1000}, {"C", 1000}};
        ranges.insert(key, limit);
        m_host->setPlcModel(m_context.plcType, QJsonObject{{"addrRanges", ranges}});
    }

    void setRange(int i, int areaIndex, int offset, int count)
    {
        QWidget* page = m_retentive.get();
        child<QComboBox>(page, QStringLiteral("retentiveArea%1").arg(i))
            ->setCurrentIndex(areaIndex);
        child<QSpinBox>(page, QStringLiteral("retentiveOffset%1").arg(i))->setValue(offset);
        child<QSpinBox>(page, QStringLiteral("retentiveCount%1").arg(i))->setValue(count);
    }

    QLineEdit* passwordField(const char* name) { return child<QLineEdit>(m_password.get(), name); }

    void showWorking(int level, const QString& password)
    {
        m_password->setWorking(level, password);
        m_password->load(4, CpuObject{});
    }

private slots:
    void init()
    {
        m_host.reset(); // the old fixture restores the environment first
        m_host = std::make_unique<HostFixture>();
        m_context.plcType = QStringLiteral("TEST-PLC");
        m_context.plcVersion = QStringLiteral("01.00");
        setLimit("V", 1000);
        m_retentive = std::make_unique<RetentivePage>(m_context);
        m_password = std::make_unique<PasswordPage>(m_context);
    }

    void cleanup()
    {
        m_retentive.reset();
        m_password.reset();
    }

    void retentiveRecord_data()
    {
        QTest::addColumn<int>("typeCode");
        QTest::addColumn<int>("areaCode");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("areaIndex");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("writtenCode"); // type code * 256 + area code
        QTest::addColumn<int>("dbNumber");
        QTest::addColumn<int>("writtenStart");

        QTest::newRow("VB") << 2 << 0x84 << 800 << 0 << 100 << 0x0284 << 1 << 800;
        QTest::newRow("MD") << 6 << 0x83 << 64 << 5 << 8 << 0x0683 << 0 << 64;
        QTest::newRow("T counts elements") << 0x1F << 0x1F << 250 << 6 << 250 << 0x1F1F << 0 << 250;
        QTest::newRow("C counts elements") << 0x1E << 0x1E << 7 << 7 << 7 << 0x1E1E << 0 << 7;
        QTest::newRow("unused") << 0 << 0 << 0 << -1 << 0 << 0 << 0 << 0;
        QTest::newRow("unknown area") << 2 << 0x81 << 16 << -1 << 2 << 0 << 0 << 16;
        QTest::newRow("element type without entry") << 0x20 << 0x1F << 9 << -1 << 9 << 0 << 0 << 72;
    }

    void retentiveRecord()
    {
        QFETCH(int, typeCode);
        QFETCH(int, areaCode);
        QFETCH(int, start);
        QFETCH(int, areaIndex);
        QFETCH(int, offset);
        QFETCH(int, writtenCode);
        QFETCH(int, dbNumber);
        QFETCH(int, writtenStart);

        CpuObject cpu;
        RetentiveRange& range = cpu.params.retentive[3];
        range = RetentiveRange{0xBEEF,           0x1234,        0, quint8(typeCode), 42, 77,
                               quint8(areaCode), quint32(start)};
        setRange(3, 2, 99, 99); // an earlier selection must not survive
        m_retentive->load(3, cpu);
        QCOMPARE(child<QComboBox>(m_retentive.get(), "retentiveArea3")->currentIndex(), areaIndex);
        QCOMPARE(child<QSpinBox>(m_retentive.get(), "retentiveOffset3")->value(), offset);

        m_retentive->apply(cpu);
        QCOMPARE(range,
                 (RetentiveRange{0xBEEF, 0x1234, 0x10, quint8(writtenCode >> 8), 42,
                                 quint16(dbNumber), quint8(writtenCode), quint32(writtenStart)}));
    }

    void retentiveCheck_data()
    {
        QTest::addColumn<int>("areaIndex");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("passes");

        QTest::newRow("VW needs 120, has 120") << 1 << 100 << 10 << "V" << 120 << true;
        QTest::newRow("VW needs 120, has 119") << 1 << 100 << 10 << "V" << 119 << false;
        QTest::newRow("VD counts four bytes") << 2 << 0 << 30 << "V" << 119 << false;
        QTest::newRow("VB counts one byte") << 0 << 100 << 19 << "V" << 119 << true;
        QTest::newRow("MW counts two bytes") << 4 << 20 << 6 << "M" << 32 << true;
        QTest::newRow("MD beyond M") << 5 << 20 << 4 << "M" << 32 << false;
        QTest::newRow("MB is measured against M") << 3 << 0 << 33 << "M" << 32 << false;
        QTest::newRow("T 256 > 255") << 6 << 250 << 6 << "T" << 255 << false;
        QTest::newRow("T 255 fits") << 6 << 250 << 5 << "T" << 255 << true;
        QTest::newRow("C 256 > 255") << 7 << 250 << 6 << "C" << 255 << false;
        QTest::newRow("limit 0, empty range") << 0 << 0 << 0 << "V" << 0 << true;
        QTest::newRow("limit 0, one element") << 6 << 0 << 1 << "T" << 0 << false;
        QTest::newRow("limit 0, offset only") << 4 << 1 << 0 << "M" << 0 << false;
        QTest::newRow("no selection is not checked") << -1 << 100000 << 100000 << "V" << 0 << true;
    }

    void retentiveCheck()
    {
        QFETCH(int, areaIndex);
        QFETCH(int, offset);
        QFETCH(int, count);
        QFETCH(QString, key);
        QFETCH(int, limit);
        QFETCH(bool, passes);

        setLimit(key, limit);
        m_retentive->load(3, CpuObject{});
        setRange(4, areaIndex, offset, count);
        const CheckResult result = m_retentive->checkRanges();
        QCOMPARE(!result, passes);
        if (!passes) {
            QCOMPARE(result->kind, CheckFailure::Kind::Information);
            QCOMPARE(result->text, "Retentive Range 4 is illegal for the PLC type selected.");
            QCOMPARE(result->focus->objectName(), QStringLiteral("retentiveCount4"));
        }
    }

    void firstFailingRangeWins()
    {
        setLimit("T", 10);
        m_retentive->load(3, CpuObject{});
        setRange(0, 0, 0, 100);
        setRange(1, 6, 5, 6);
        setRange(3, 7, 0, 1001);
        QCOMPARE(m_retentive->checkRanges()->focus->objectName(),
                 QStringLiteral("retentiveCount1"));
        setRange(1, 6, 5, 5);
        QCOMPARE(m_retentive->checkRanges()->text,
                 "Retentive Range 3 is illegal for the PLC type selected.");
    }

    void clearedRangeIsVbZero()
    {
        setLimit("V", 0);
        CpuObject cpu;
        cpu.params.retentive[2] = RetentiveRange{0x0E06, 0x0200, 0x10, 0x1F, 20, 0, 0x1F, 10};
        m_retentive->load(3, cpu);
        QTest::mouseClick(child<QPushButton>(m_retentive.get(), "retentiveClear2"), Qt::LeftButton);
        QCOMPARE(child<QComboBox>(m_retentive.get(), "retentiveArea2")->currentText(), "VB");
        QVERIFY(!m_retentive->checkRanges());
        m_retentive->apply(cpu);
        QCOMPARE(cpu.params.retentive[2], (RetentiveRange{0x0E06, 0x0200, 0x10, 2, 0, 1, 0x84, 0}));
    }

    // What load shows, apply writes back unchanged.
    void roundTrip_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("password");

        QTest::newRow("C24, level 1") << 3 << 1 << QString();
        QTest::newRow("C40, no default ranges") << 16 << 2 << "12345678";
        QTest::newRow("R70, four areas") << 33 << 3 << "~{Pw}[]|";
        QTest::newRow("R60") << 34 << 4 << "abcdefgh";
        QTest::newRow("Q310") << 48 << 1 << QString();
        QTest::newRow("six areas") << 0 << 2 << "zZ9@#$%^";
    }

    void roundTrip()
    {
        QFETCH(int, id);
        QFETCH(int, level);
        QFETCH(QString, password);

        std::unique_ptr<CpuObject> cpu =
            id ? CpuObjectFactory::create(id, QString()) : std::make_unique<CpuObject>();
        QVERIFY(cpu);
        if (!id) {
            QList<DataRetenDefault> ranges;
            for (const char* area : {"VW", "VD", "MB", "MW", "T", "C"})
                ranges.append({area, 3 * ranges.size() + 1, 10 * ranges.size() + 2});
            CpuDefaults::fillRetentive(cpu->params, ranges);
            cpu->params.background.percent = 50;
        }
        cpu->params.password.level = quint8(level);
        cpu->params.password.password = level == 1 ? fillerBytes() : encoded(password);
        const CpuParams before = cpu->params;

        BackgroundPage background(m_context);
        m_password->setWorking(level, PasswordPage::workingPasswordOf(cpu->params.password));
        const QList<DialogPage*> pages{m_retentive.get(), m_password.get(), &background};
        for (DialogPage* page : pages)
            page->load(page->pageNumbers().constFirst(), *cpu);
        QVERIFY(!m_password->check());
        for (DialogPage* page : pages)
            page->apply(*cpu);
        QCOMPARE(cpu->params, before);
    }

    void defaultsButtons()
    {
        BackgroundPage background(m_context);
        showWorking(4, "abc");
        for (DialogPage* page :
             {static_cast<DialogPage*>(m_retentive.get()),
              static_cast<DialogPage*>(m_password.get()), static_cast<DialogPage*>(&background)}) {
            QSignalSpy spy(page, &DialogPage::defaultsRequested);
            QTest::mouseClick(child<QPushButton>(page, "defaultsButton"), Qt::LeftButton);
            QCOMPARE(spy.count(), 1);
            QCOMPARE(spy.at(0).at(0).toInt(), page->pageNumbers().constFirst());
        }
        QCOMPARE(m_password->workingLevel(), 1);
        QCOMPARE(m_password->workingPassword(), QString());
    }

    void descriptionPerLevel_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("text");

        QTest::newRow("1") << 1
                           << "Full Privileges. All functions are available without restriction. ";
        QTest::newRow("2") << 2
                           << "Read-Only Privileges. The user is allowed to read/write  PLC data "
                              "and to upload the program without restriction. A correct password "
                              "is required to download a program and force memory locations.";
        QTest::newRow("3") << 3
                           << "Minimum Privileges. The user is allowed to read/write PLC  data "
                              "without restriction. A correct password is required to "
                              "upload/download a user program and force memory locations.";
        QTest::newRow("4") << 4
                           << "Disallow Upload. This option will prevent the program from being "
                              "upload, even when a correct password is entered. This level of "
                              "password protection will also disallow execution status and "
                              "project compare.\nA password is required to perform other "
                              "operation.";
    }

    void descriptionPerLevel()
    {
        QFETCH(int, level);
        QFETCH(QString, text);

        showWorking(level, level == 1 ? QString() : "pw");
        QCOMPARE(child<QLabel>(m_password.get(), "privilegeDescription")->text(), text);
        QVERIFY(child<QRadioButton>(m_password.get(), QStringLiteral("privilegeLevel%1").arg(level))
                    ->isChecked());
        QCOMPARE(passwordField("password")->isEnabled(), level != 1);
        QCOMPARE(passwordField("passwordVerify")->isEnabled(), level != 1);

        for (int outside : {0, 5}) { // changes nothing
            showWorking(outside, "other");
            QCOMPARE(child<QLabel>(m_password.get(), "privilegeDescription")->text(), text);
            QCOMPARE(passwordField("password")->text(), level == 1 ? QString() : "pw");
        }
    }

    void levelOneThenLevelTwo()
    {
        showWorking(3, "secret");
        QLineEdit* password = passwordField("password");
        QLineEdit* verify = passwordField("passwordVerify");

        clickRadio(m_password.get(), 1);
        QCOMPARE(m_password->workingLevel(), 1);
        QCOMPARE(m_password->workingPassword(), QString());
        QVERIFY(password->text().isEmpty() && !password->isEnabled() && !verify->isEnabled());

        clickRadio(m_password.get(), 2);
        QVERIFY(password->text().isEmpty() && verify->text().isEmpty());
        QVERIFY(password->isEnabled() && verify->isEnabled());
        const CheckResult result = m_password->check();
        QVERIFY(result);
        QCOMPARE(result->kind, CheckFailure::Kind::Warning);
        QCOMPARE(result->focus.data(), password);
        QTest::keyClicks(password, "abc");
        QVERIFY(m_password->check()); // typed once only
        QTest::keyClicks(verify, "abC");
        QVERIFY(m_password->check());
        QTest::keyClick(verify, Qt::Key_Backspace);
        QTest::keyClicks(verify, "c");
        QVERIFY(!m_password->check());

        CpuObject cpu;
        m_password->apply(cpu);
        QCOMPARE(cpu.params.password.level, quint8(2));
        QCOMPARE(cpu.params.password.password, encoded("abc"));
    }

    // How a stored record opens (the frame's working values) and is written back after OK.
    void storedPassword_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("working");

        QTest::newRow("level 1 gets the filler") << 1 << "abc"
                                                 << "";
        QTest::newRow("level 3 padded") << 3 << "abc"
                                        << "abc     ";
        QTest::newRow("level 4 full") << 4 << "abcdefgh"
                                      << "abcdefgh";
        QTest::newRow("level 2 empty") << 2 << ""
                                       << "        ";
    }

    void storedPassword()
    {
        QFETCH(int, level);
        QFETCH(QString, stored);
        QFETCH(QString, working);

        CpuObject cpu;
        cpu.params.password.level = quint8(level);
        cpu.params.password.password = encoded(stored);
        QCOMPARE(PasswordPage::workingPasswordOf(cpu.params.password), working);
        m_password->setWorking(level, working);
        m_password->load(4, cpu);
        QCOMPARE(passwordField("password")->text(), working);
        QCOMPARE(passwordField("passwordVerify")->text(), working);
        QVERIFY(!m_password->check());
        m_password->apply(cpu);
        QCOMPARE(cpu.params.password.level, quint8(level));
        QCOMPARE(cpu.params.password.password, level == 1 ? fillerBytes() : encoded(working));
    }

    void validator_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");

        QTest::newRow("letters, digits") << "aZ09"
                                         << "aZ09";
        QTest::newRow("punctuation 1") << "~!@#$%^&"
                                       << "~!@#$%^&";
        QTest::newRow("punctuation 2") << "*()_+`-="
                                       << "*()_+`-=";
        QTest::newRow("punctuation 3") << ",.<>;':\""
                                       << ",.<>;':\"";
        QTest::newRow("punctuation 4") << "/?\\|{}[]"
                                       << "/?\\|{}[]";
        QTest::newRow("blank refused") << "a b"
                                       << "ab";
        QTest::newRow("non-ASCII refused") << QString::fromUtf8("aäb") << "ab";
        QTest::newRow("eight at most") << "123456789"
                                       << "12345678";
    }

    void validator()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);

        showWorking(2, QString());
        const QList<QWidget*> fields = m_password->noInputMethodFields();
        QCOMPARE(fields.size(), 2);
        for (QWidget* widget : fields) {
            auto* edit = qobject_cast<QLineEdit*>(widget);
            QVERIFY(edit && edit->echoMode() == QLineEdit::Password);
            for (const QChar ch : typed) // as typed; keyClicks cannot send non-ASCII keys
                edit->insert(ch);
            QCOMPARE(edit->text(), kept);
        }
    }
};

QTEST_MAIN(TestMemoryPages)

#include "tst_memorypages.moc"
