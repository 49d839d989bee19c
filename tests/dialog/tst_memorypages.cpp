#include "dialogtesting.h"

#include <corekit/plcfacts.h>
#include <corekit/pwdcodec.h>
#include <dialog/pages/backgroundpage.h>
#include <dialog/pages/passwordpage.h>
#include <dialog/pages/retentivepage.h>

#include <QRadioButton>
#include <QStyleOptionButton>

namespace {

using PwdBytes = std::array<quint8, 8>;
using Ints = QList<int>;

PwdBytes encoded(const QString& password)
{
    PwdBytes field{};
    std::copy_n(encodePwdLen8(password).constData(), 8, field.begin()); // always 8 bytes
    return field;
}

const PwdBytes kFiller{'L', 'V', 'L', '1', 'L', 'V', 'L', '1'}; // level 1 has no password

// A radio button takes only clicks on its indicator and text, not on the whole widget.
void clickRadio(QWidget* page, int level)
{
    auto* button = page->findChild<QRadioButton*>(QStringLiteral("privilegeLevel%1").arg(level));
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
        DialogTesting::edit(*m_retentive, {QString("retentiveArea%1=#%2").arg(i).arg(areaIndex),
                                           QString("retentiveOffset%1=%2").arg(i).arg(offset),
                                           QString("retentiveCount%1=%2").arg(i).arg(count)});
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

    // Byte areas show bytes, T and C elements; a record no entry matches shows no selection
    // (an earlier one must not survive). Apply writes bit addresses, and data block 1 for V.
    void retentiveRecords()
    {
        setRange(2, 2, 99, 99);
        CpuObject cpu;
        auto& ranges = cpu.params.retentive;
        ranges[0] = {0xBEEF, 0x1234, 0, 2, 42, 77, 0x84, 800}; // VB 100
        ranges[1] = {0, 0, 0, 0x1F, 42, 77, 0x1F, 250};        // T 250
        ranges[2] = {0, 0, 0, 0x20, 42, 77, 0x1F, 9};          // element type, no entry
        m_retentive->load(cpu);
        const Ints areas{0, 6, -1}, offsets{100, 250, 9};
        for (int i = 0; i < 3; ++i) {
            const QString n = QString::number(i);
            QCOMPARE(m_retentive->findChild<QComboBox*>("retentiveArea" + n)->currentIndex(),
                     areas[i]);
            QCOMPARE(m_retentive->findChild<QSpinBox*>("retentiveOffset" + n)->value(), offsets[i]);
        }
        m_retentive->apply(cpu);
        QCOMPARE(ranges[0], (RetentiveRange{0xBEEF, 0x1234, 0x10, 2, 42, 1, 0x84, 800}));
        QCOMPARE(ranges[1], (RetentiveRange{0, 0, 0x10, 0x1F, 42, 0, 0x1F, 250}));
        QCOMPARE(ranges[2], (RetentiveRange{0, 0, 0x10, 0, 42, 0, 0, 72}));
    }

    // Limits come from the PLC facts: offset + count elements, in bytes for V and M (the T
    // boundary is the OK sequence's, tst_propdialog).
    void retentiveCheck_data()
    {
        QTest::addColumn<Ints>("range"); // area index, offset, count
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("passes");

        QTest::newRow("VW needs 120, has 120") << Ints{1, 100, 10} << "V" << 120 << true;
        QTest::newRow("VW needs 120, has 119") << Ints{1, 100, 10} << "V" << 119 << false;
        QTest::newRow("VD counts four bytes") << Ints{2, 0, 30} << "V" << 119 << false;
        QTest::newRow("MB is measured against M") << Ints{3, 0, 33} << "M" << 32 << false;
        QTest::newRow("C 256 > 255") << Ints{7, 250, 6} << "C" << 255 << false;
        QTest::newRow("limit 0, empty range") << Ints{0, 0, 0} << "V" << 0 << true;
        QTest::newRow("limit 0, one element") << Ints{6, 0, 1} << "T" << 0 << false;
        QTest::newRow("no selection") << Ints{-1, 100000, 100000} << "V" << 0 << true;
    }

    void retentiveCheck()
    {
        QFETCH(Ints, range);
        QFETCH(QString, key);
        QFETCH(int, limit);
        QFETCH(bool, passes);

        setLimit(key, limit);
        m_retentive->load(CpuObject{});
        setRange(4, range[0], range[1], range[2]);
        QCOMPARE(!m_retentive->checkRanges(), passes);
    }

    // The first failing range is reported; Clear makes a range VB 0 of 0 bytes.
    void firstFailingRangeThenClear()
    {
        setLimit("T", 10);
        m_retentive->load(CpuObject{});
        setRange(0, 0, 0, 100);
        setRange(1, 6, 5, 6);
        setRange(3, 7, 0, 1001);
        QCOMPARE(m_retentive->checkRanges()->focus->objectName(),
                 QStringLiteral("retentiveCount1"));
        setRange(1, 6, 5, 5);
        QCOMPARE(m_retentive->checkRanges()->text,
                 "Retentive Range 3 is illegal for the PLC type selected.");
        QTest::mouseClick(m_retentive->findChild<QPushButton*>("retentiveClear3"), Qt::LeftButton);
        QVERIFY(!m_retentive->checkRanges());
        CpuObject cpu;
        m_retentive->apply(cpu);
        QCOMPARE(cpu.params.retentive[3], (RetentiveRange{0, 0, 0x10, 2, 0, 1, 0x84, 0}));
    }

    // What load shows, apply writes back; a stored password opens as the working password.
    void roundTrip_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("working"); // opens padded, so that OK passes

        QTest::newRow("C24, level 1 filler") << 3 << 1 << "abc" << QString();
        QTest::newRow("C40, padded") << 16 << 3 << QString("abc") << "abc     ";
        QTest::newRow("Q310, empty") << 48 << 2 << QString() << "        ";
        QTest::newRow("six areas") << 0 << 4 << QString("~{Pw}[]|") << "~{Pw}[]|";
    }

    void roundTrip()
    {
        QFETCH(int, id);
        QFETCH(int, level);
        QFETCH(QString, stored);
        QFETCH(QString, working);

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
        cpu->params.password.password = encoded(stored);
        CpuParams expected = cpu->params;
        expected.password.password = level == 1 ? kFiller : encoded(working);

        QCOMPARE(PasswordPage::workingPasswordOf(cpu->params.password), working);
        m_password->setWorking(level, working);
        BackgroundPage background(m_context);
        const QList<DialogPage*> pages{m_retentive.get(), m_password.get(), &background};
        for (DialogPage* page : pages)
            page->load(*cpu);
        QVERIFY(!m_password->check());
        for (DialogPage* page : pages)
            page->apply(*cpu);
        QCOMPARE(cpu->params, expected);
    }

    void passwordLevels()
    {
        auto* password = m_password->findChild<QLineEdit*>("password");
        auto* verify = m_password->findChild<QLineEdit*>("passwordVerify");
        m_password->setWorking(3, "secret");
        m_password->load(CpuObject{});
        m_password->setWorking(5, "other"); // a level outside 1..4 changes nothing shown
        m_password->load(CpuObject{});
        QCOMPARE(password->text(), "secret");

        clickRadio(m_password.get(), 1);
        QCOMPARE(m_password->workingPassword(), QString());
        QVERIFY(password->text().isEmpty() && !password->isEnabled() && !verify->isEnabled());

        clickRadio(m_password.get(), 2);
        QVERIFY(password->isEnabled() && verify->isEnabled());
        QVERIFY(m_password->check());
        QTest::keyClicks(password, "a bc"); // no blanks
        QVERIFY(m_password->check());       // typed once only
        QTest::keyClicks(verify, "abC");
        QVERIFY(m_password->check());
        verify->setText("abc");
        QVERIFY(!m_password->check());
        CpuObject cpu;
        m_password->apply(cpu);
        QCOMPARE(cpu.params.password.level, quint8(2));
        QCOMPARE(cpu.params.password.password, encoded("abc"));

        QTest::mouseClick(m_password->findChild<QPushButton*>("defaultsButton"), Qt::LeftButton);
        QCOMPARE(m_password->workingLevel(), 1);
        QCOMPARE(m_password->workingPassword(), QString());
    }
};

QTEST_MAIN(TestMemoryPages)

#include "tst_memorypages.moc"
