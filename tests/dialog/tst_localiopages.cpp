#include "dialogtesting.h"

#include <block/paramblock.h>
#include <dialog/pages/addresspage.h>
#include <dialog/pages/extbusclockpage.h>
#include <dialog/pages/hsccountergroup.h>
#include <dialog/pages/hscpage.h>
#include <dialog/pages/inputfilterpage.h>

#include <QLabel>
#include <QTabWidget>

using namespace DialogTesting;

namespace {

enum Model { C24 = 3, R70 = 33, Q310 = 48 };

void choose(QComboBox* list, const QString& text)
{
    list->setCurrentIndex(list->findText(text));
}

} // namespace

// Extend bus clock, address map, input filters and high-speed counters.
class TestLocalIoPages : public QObject
{
    Q_OBJECT

    std::unique_ptr<DialogCase> m_case;

private slots:
    void init() { m_case = std::make_unique<DialogCase>(r70Project()); }
    void cleanup() { m_case.reset(); }

    // The model's fastest clock leads the list; a stored index beyond the list opens at the
    // first entry and is stored so.
    void extBusClock_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("written");
        QTest::newRow("R70 index 5") << int(R70) << 5 << "55 MHz" << 0;
        QTest::newRow("compact 1") << int(Q310) << 1 << "20 MHz" << 1;
        QTest::newRow("compact 255") << int(Q310) << 255 << "100 MHz" << 0;
    }

    void extBusClock()
    {
        QFETCH(int, id);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(int, written);
        LoadedPage<ExtBusClockPage> page(
            id, [stored](CpuObject& o, DialogContext&) { o.extBusClock = quint8(stored); });
        QCOMPARE(page.at<QComboBox>("extBusClock")->currentText(), shown);
        QCOMPARE(int(page.applied().extBusClock), written);
    }

    // Start, length and end of the local I/O bytes (inputs|outputs), shown and never edited;
    // without inputs no input group.
    void addressMap_data()
    {
        QTest::addColumn<int>("inputs");
        QTest::addColumn<QString>("shown"); // start length end tip
        QTest::newRow("9 inputs take 2 bytes") << 9 << "3 2 4 0~127|3 2 4 0~127";
        QTest::newRow("outputs only") << 0 << "|3 2 4 0~127";
    }

    void addressMap()
    {
        QFETCH(int, inputs);
        QFETCH(QString, shown);
        LoadedPage<AddressPage> page(R70, [&](CpuObject& o, DialogContext& c) {
            c.localInputPoints = o.descriptor.inMap.points = quint8(inputs);
            o.descriptor.inMap.startByte = o.descriptor.outMap.startByte = 3;
        });
        QStringList groups;
        for (const char* tag : {"Input", "Output"}) {
            const QString name = QStringLiteral("address") + tag;
            auto* start = page.page.findChild<QSpinBox*>(name + "Start");
            if (!start) {
                groups << QString();
                continue;
            }
            QVERIFY(!start->isEnabled());
            groups << QStringLiteral("%1 %2 %3 %4")
                          .arg(start->value())
                          .arg(page.at<QSpinBox>(name + "Length")->value())
                          .arg(page.at<QLineEdit>(name + "End")->text(), start->toolTip());
        }
        QCOMPARE(groups.join('|'), shown);
        CpuObject applied = page.applied();
        QCOMPARE(ParamBlock::save(applied), ParamBlock::save(*page.object));
    }

    // Grouped codes: one per four inputs, code = index + 1; per-input codes (compact):
    // code = index. A code no entry names shows nothing and is kept; a missing one shows,
    // and is written as, the model's default.
    void filterCodes_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("inputs");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QStringList>("labels"); // of the first rows
        QTest::addColumn<QStringList>("shown");  // of the first rows
        QTest::addColumn<QString>("edit");       // row=text
        QTest::addColumn<QByteArray>("written");
        const auto row = [](const char* name, int id, int inputs, const char* stored,
                            const QStringList& labels, const QStringList& shown, const char* edit,
                            const char* written) {
            QTest::newRow(name) << id << inputs << QByteArray::fromHex(stored) << labels << shown
                                << QString(edit) << QByteArray::fromHex(written);
        };
        const QStringList d6{"6.40ms", "6.40ms", "6.40ms", "6.40ms"};
        row("nine inputs, three groups", R70, 9, "210e",
            {"I0.0 - I0.3", "I0.4 - I0.7", "I1.0 - I1.3"}, {"0.20ms", "0.40ms", "12.8us"}, "",
            "210e");
        row("odd groups: the last high nibble is 0", R70, 9, "66ff", {}, {}, "2=0.80us", "660a");
        row("default code 6", R70, 16, "6666", {}, d6, "", "6666");
        row("codes 0 and 15 name nothing", R70, 16, "f006", {}, {"", "", "6.40ms", ""}, "", "f006");
        row("missing codes are the default", R70, 16, "21", {}, {"0.20ms", "0.40ms", "6.40ms"},
            "1=12.8ms", "7166");
        row("longer codes are cut", R70, 4, "213344", {}, {"0.20ms"}, "", "01");
        row("per input, default 13", Q310, 24, "dddddddddddddddddddddddd", {"I0.0", "I0.1", "I0.2"},
            d6, "", "dddddddddddddddddddddddd");
        row("per input, index is the code", Q310, 3, "f1", {}, {"0.20us", "", "6.40ms"}, "0=NONE",
            "f00d");
    }

    void filterCodes()
    {
        QFETCH(int, id);
        QFETCH(int, inputs);
        QFETCH(QByteArray, stored);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, shown);
        QFETCH(QString, edit);
        QFETCH(QByteArray, written);
        LoadedPage<InputFilterPage> page(id, [&](CpuObject& o, DialogContext& c) {
            c.localInputPoints = o.descriptor.inMap.points = quint8(inputs);
            o.inputFilterCodes = stored;
        });
        const bool grouped = id != Q310;
        QCOMPARE(page.page.rowCount(), grouped ? (inputs + 3) / 4 : inputs);
        if (edit.isEmpty()) { // never shown, the page writes what it would show
            CpuObject unshown = *page.object;
            page.page.apply(unshown);
            QVERIFY(!page.page.rowsBuilt());
            QCOMPARE(unshown.inputFilterCodes.toHex(' '), written.toHex(' '));
        }
        page.page.buildRows();
        const QList<QLabel*> rowLabels =
            page.at<QGroupBox>("inputFilterGroup")->findChildren<QLabel*>();
        for (int i = 0; i < labels.size(); ++i)
            QCOMPARE(rowLabels.at(i)->text(), labels.at(i));
        for (int i = 0; i < shown.size(); ++i)
            QCOMPARE(page.page.delayList(i)->currentText(), shown.at(i));
        if (!edit.isEmpty())
            choose(page.page.delayList(edit.section('=', 0, 0).toInt()), edit.section('=', 1));
        page.page.apply(*page.object);
        QCOMPARE(int(page.object->inputFilterCount), inputs);
        QCOMPARE(page.object->inputFilterCodes.toHex(' '), written.toHex(' '));

        const QByteArray section = sectionOf(ParamBlock::save(*page.object), grouped ? 28 : 48);
        QCOMPARE(section.mid(8).toHex(' '), (char(inputs) + written).toHex(' '));
    }

    // Models that store neither codes nor counters show them read-only; nothing is written.
    void readOnlyWhereNothingIsStored()
    {
        LoadedPage<InputFilterPage> filter(C24, [](CpuObject& o, DialogContext&) {
            o.inputFilterCount = 99;
            o.inputFilterCodes = QByteArray::fromHex("1234");
        });
        QVERIFY(!filter.page.isStorable());
        filter.page.buildRows();
        QVERIFY(!filter.at<QGroupBox>("inputFilterGroup")->isEnabled());
        QVERIFY(!filter.at<QPushButton>("defaultsButton")->isEnabled());
        QCOMPARE(filter.page.delayList(0)->currentText(), "0.40ms"); // still loaded
        filter.page.apply(*filter.object);
        QCOMPARE(filter.object->inputFilterCodes, QByteArray::fromHex("1234"));
        QCOMPARE(int(filter.object->inputFilterCount), 99);

        LoadedPage<HscPage> counters(C24, [](CpuObject& o, DialogContext& c) {
            c.descriptor.SupportHSC = 2;
            o.hsc[1].preset = 77;
        });
        QCOMPARE(counters.page.counterCount(), 2);
        HscCounterGroup* group = counters.page.counter(1);
        QCOMPARE(group->presetField()->text(), "77");
        QVERIFY(!group->isEnabled());
        QVERIFY(!group->parentWidget()->findChild<QPushButton*>("defaultsButton")->isEnabled());
        QVERIFY(counters.page.checks().isEmpty());
        CpuObject target;
        counters.page.apply(target);
        QCOMPARE(target.hsc, CpuObject().hsc);
    }

    // Tabs stop at the six records the object holds; counters 2 and up have no reset input.
    void counterTabs()
    {
        LoadedPage<HscPage> page(R70,
                                 [](CpuObject&, DialogContext& c) { c.descriptor.SupportHSC = 8; });
        QCOMPARE(page.page.counterCount(), 6);
        QCOMPARE(page.page.tabs()->count(), 6);
        for (int counter : {0, 1, 2, 5})
            QCOMPARE(page.page.counter(counter)->resetLevelList()->isEnabled(), counter < 2);
    }

    // A change of mode by the user sets the count rate; loading shows the stored rate.
    void countRate_data()
    {
        QTest::addColumn<int>("storedMode");
        QTest::addColumn<int>("storedRate");
        QTest::addColumn<QStringList>("chosen"); // modes the user picks in turn
        QTest::addColumn<QString>("rate");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("stored 9 at 2x stays") << 9 << 1 << QStringList{} << "2x" << true;
        QTest::newRow("stored 10 at 1x stays") << 10 << 2 << QStringList{} << "1x" << true;
        QTest::newRow("stored 1 at 4x stays") << 1 << 0 << QStringList{} << "4x" << false;
        QTest::newRow("choose 9") << 0 << 2 << QStringList{"9"} << "4x" << true;
        QTest::newRow("choose 9, then 0") << 0 << 2 << QStringList{"9", "0"} << "1x" << false;
        QTest::newRow("choose 10 from 9 at 2x") << 9 << 1 << QStringList{"10"} << "4x" << true;
    }

    void countRate()
    {
        QFETCH(int, storedMode);
        QFETCH(int, storedRate);
        QFETCH(QStringList, chosen);
        QFETCH(QString, rate);
        QFETCH(bool, enabled);
        LoadedPage<HscPage> page(R70, [&](CpuObject& o, DialogContext&) {
            o.hsc[1].modeEnable = quint8(storedMode);
            o.hsc[1].control = quint8(0x10 | storedRate << 2);
        });
        HscCounterGroup* group = page.page.counter(1);
        choose(group->modeList(), "3");
        page.page.load(*page.object); // again, now that the tabs exist (as Defaults does)
        for (const QString& mode : chosen)
            choose(group->modeList(), mode);
        QCOMPARE(group->rateList()->currentText(), rate);
        QCOMPARE(group->rateList()->isEnabled(), enabled);
        QCOMPARE(group->rateLabel()->isEnabled(), enabled);
        if (chosen.isEmpty()) { // nothing touched, nothing changes
            const HscChannel before = page.object->hsc[1];
            page.page.apply(*page.object);
            QCOMPARE(page.object->hsc[1], before);
        }
    }

    // Each field lands in its bits; bits and bytes the page does not show stay.
    void counterRecord()
    {
        // Control 0xF7: unknown bits 0 and 5-7 (0xE1) with High (0x02), 2x (0x04) and Increase
        // (0x10); mode 0xF4: unknown bits 4-6 (0x70) with enabled (0x80), mode 4.
        LoadedPage<HscPage> page(R70, [](CpuObject& o, DialogContext&) {
            o.hsc[0] = {0xF7, 0xF4, 0xAA, 0xBB, quint32(-5), 123456, 6, 0xCC, 65535};
        });
        HscCounterGroup* g = page.page.counter(0);
        QCOMPARE(QStringList({g->enableList()->currentText(), g->modeList()->currentText(),
                              g->resetLevelList()->currentText(), g->rateList()->currentText(),
                              g->directionList()->currentText(), g->presetField()->text(),
                              g->currentField()->text(), g->filterList()->currentText(),
                              g->speedField()->text()}),
                 QStringList({"Enabled", "4", "High Level", "2x", "Increase", "-5", "123456",
                              "750K", "65535"}));
        // Mode 9 takes the rate to 4x; the speed field refuses a fifth digit.
        edit(*g, {"hscEnable=Disabled", "hscMode=9", "hscResetLevel=Low Level",
                  "hscDirection=Decrease", "hscPreset=", "hscPreset+-2147483648",
                  "hscCurrent=2147483647", "hscFilter=75K", "hscSpeedTime=", "hscSpeedTime+70000"});
        QCOMPARE(g->speedField()->text(), "7000");
        page.page.apply(*page.object);
        QCOMPARE(page.object->hsc[0],
                 (HscChannel{0xE1, 0x70 | 9, 0xAA, 0xBB, 0x80000000u, 0x7FFFFFFFu, 0, 0xCC, 7000}));
    }

    // Partial or empty numbers stop OK on their field; nothing is written.
    void counterNumbers_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* field, const char* text,
                            const char* label = nullptr,
                            const char* range = "-2147483648 to 2147483647") {
            QTest::newRow(name) << field << text
                                << (label ? QStringLiteral("The %1 of HSC3 must be a whole number "
                                                           "from %2.")
                                                .arg(label, range)
                                          : QString());
        };
        row("empty preset", "Preset", "", "Preset Value");
        row("only a minus", "Current", "-", "Current Value");
        row("empty time", "SpeedTime", "", "Speed-testing Time(ms)", "0 to 65535");
    }

    void counterNumbers()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        auto cpu = m_case->create(R70);
        const QByteArray before = ParamBlock::save(*cpu);
        OpenDialog open(cpu.get(), m_case->project);
        open.showPage("High-speed Counter");
        QVERIFY(open.showActive());
        open.at<QTabWidget>("hscTabs")->setCurrentIndex(3);
        auto* edit = open.at<QLineEdit>("hscGroup3/hsc" + field);
        edit->setText(text);
        QVERIFY(!open.ok());
        QCOMPARE(m_case->messages, QStringList{message});
        QCOMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(ParamBlock::save(*cpu), before);
    }

    // Through the dialog: the clock, a filter code and a counter end up in sections 8, 28
    // and 29 of the saved block, and come back on restore.
    void endToEnd()
    {
        auto cpu = m_case->create(R70);
        OpenDialog open(cpu.get(), m_case->project);
        qobject_cast<InputFilterPage*>(open->page(PageId::InputFilter))->buildRows();
        qobject_cast<HscPage*>(open->page(PageId::Hsc))->counter(1);
        edit(*open.dialog,
             {"extBusClock=10 MHz", "inputFilter1=0.20us", "hscGroup1/hscEnable=Enabled",
              "hscGroup1/hscMode=9", "hscGroup1/hscPreset=-1000", "hscGroup1/hscSpeedTime=250"});
        QVERIFY2(open.ok(), qPrintable(m_case->messages.join('\n')));

        const QByteArray saved = ParamBlock::save(*cpu);
        QCOMPARE(sectionOf(saved, 8).mid(8).toHex(), QByteArray("02"));
        QCOMPARE(sectionOf(saved, 28).mid(8).toHex(' '), QByteArray("10 86 66"));
        const QByteArray hsc = sectionOf(saved, 29);
        QCOMPARE(hsc.size(), 100);
        // HSC1: tag, control 0x12 (High, 4x, Increase), mode 9 enabled, preset, current,
        // filter 500K... as created (2), time.
        QCOMPARE(hsc.mid(8 + 15, 15).toHex(' '),
                 QByteArray("0e 96 12 89 ff ff fc 18 00 00 00 00 02 00 fa"));
    }
};

QTEST_MAIN(TestLocalIoPages)
#include "tst_localiopages.moc"
