#include "dialogtesting.h"
#include "hostfixture.h"

#include <block/blockdecoder.h>
#include <block/paramblock.h>
#include <corekit/memory.h>
#include <dialog/corvopropdlg.h>
#include <dialog/messages.h>
#include <dialog/pages/addresspage.h>
#include <dialog/pages/extbusclockpage.h>
#include <dialog/pages/hsccountergroup.h>
#include <dialog/pages/hscpage.h>
#include <dialog/pages/inputfilterpage.h>
#include <dialog/pages/soepage.h>
#include <dialog/widgets/qlineeditex.h>
#include <model/cpuobjectfactory.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

enum Model { C24 = 3, R70 = 33, Q310 = 48 };

// A page over a fresh object of a sample model; the page keeps a reference to the context.
template <typename Page>
struct Opened
{
    explicit Opened(int id, const std::function<void(CpuObject&, DialogContext&)>& edit = {})
        : object(CpuObjectFactory::create(id, QString()))
        , context(contextOf(*object, edit))
        , page(context)
    {
        page.load(*object);
    }

    static DialogContext contextOf(CpuObject& object,
                                   const std::function<void(CpuObject&, DialogContext&)>& edit)
    {
        DialogContext c;
        c.plcType = object.descriptor.ObjName; // the sample facts know the module names
        c.plcVersion = object.descriptor.MLFB;
        c.descriptor = object.descriptor;
        c.localInputPoints = object.descriptor.inMap.points;
        c.localOutputPoints = object.descriptor.outMap.points;
        if (edit)
            edit(object, c);
        return c;
    }

    template <typename T = QWidget>
    T* at(const QString& name)
    {
        return page.template findChild<T*>(name);
    }

    std::unique_ptr<CpuObject> object;
    DialogContext context;
    Page page;
};

QStringList texts(const QComboBox* list)
{
    QStringList all;
    for (int i = 0; i < list->count(); ++i)
        all << list->itemText(i);
    return all;
}

QByteArray sectionOf(const QByteArray& block, int id)
{
    for (const DecodedSection& s : BlockDecoder::decode(block).sections) {
        if (s.id == id)
            return s.bytes;
    }
    return {};
}

void choose(QComboBox* list, const QString& text)
{
    list->setCurrentIndex(list->findText(text));
}

void selectItem(Corvopropdlg& dialog, const QString& text)
{
    QTreeWidgetItem* root = dialog.pageTree()->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i) {
        if (root->child(i)->text(0) == text)
            dialog.pageTree()->setCurrentItem(root->child(i));
    }
}

} // namespace

// Extend bus clock, address map, input filters and high-speed counters.
class TestLocalIoPages : public QObject
{
    Q_OBJECT

    std::unique_ptr<HostFixture> m_host;
    QString m_project;
    QStringList m_messages;

private slots:
    void init()
    {
        m_host.reset();
        m_host = std::make_unique<HostFixture>();
        m_project = m_host->writeProject(QStringLiteral("p.json"), QStringLiteral("KLV2-R70"));
        clearUsedMemory(m_project);
        m_messages.clear();
        Messages::setInterceptor([this](QMessageBox::Icon, const QString&, const QString& text) {
            m_messages.append(text);
        });
    }

    void cleanup() { Messages::setInterceptor({}); }

    // The model's fastest clock leads the list and the text; a stored index beyond the list
    // opens at the first entry and is stored so.
    void extBusClock_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<int>("written");
        const QStringList klv{"55 MHz", "20 MHz", "10 MHz"}, compact{"100 MHz", "20 MHz", "10 MHz"};
        QTest::newRow("R70 slowest") << int(R70) << 2 << klv << 2;
        QTest::newRow("R70 index 5") << int(R70) << 5 << klv << 0;
        QTest::newRow("compact 1") << int(Q310) << 1 << compact << 1;
        QTest::newRow("compact 255") << int(Q310) << 255 << compact << 0;
    }

    void extBusClock()
    {
        QFETCH(int, id);
        QFETCH(int, stored);
        QFETCH(QStringList, list);
        QFETCH(int, written);
        Opened<ExtBusClockPage> page(
            id, [stored](CpuObject& o, DialogContext&) { o.extBusClock = quint8(stored); });
        auto* clock = page.at<QComboBox>("extBusClock");
        QCOMPARE(texts(clock), list);
        QVERIFY(page.at<QLabel>("pageIntro")
                    ->text()
                    .contains(QStringLiteral("The default value is %1,").arg(list.first())));
        page.page.apply(*page.object);
        QCOMPARE(int(page.object->extBusClock), written);
    }

    // Start, length and end of the local I/O bytes, shown and never edited.
    void addressMap_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("inputs"); // local points, -1: as the model has them
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("input");  // start length end tip; empty: no group
        QTest::addColumn<QString>("output"); // start length end tip
        QTest::newRow("R70") << int(R70) << -1 << 0 << "0 2 1 0~127"
                             << "0 2 1 0~127";
        QTest::newRow("C24 placed at 5") << int(C24) << -1 << 5 << "5 2 6 0~31"
                                         << "5 2 6 0~31";
        QTest::newRow("9 inputs take 2 bytes") << int(R70) << 9 << 3 << "3 2 4 0~127"
                                               << "3 2 4 0~127";
        QTest::newRow("outputs only") << int(R70) << 0 << 0 << QString() << "0 2 1 0~127";
    }

    void addressMap()
    {
        QFETCH(int, id);
        QFETCH(int, inputs);
        QFETCH(int, start);
        QFETCH(QString, input);
        QFETCH(QString, output);
        Opened<AddressPage> page(id, [&](CpuObject& o, DialogContext& c) {
            if (inputs >= 0)
                c.localInputPoints = o.descriptor.inMap.points = quint8(inputs);
            o.descriptor.inMap.startByte = quint16(start);
            o.descriptor.outMap.startByte = quint16(start);
        });
        CpuObject before = *page.object;
        for (const QString& tag : {QStringLiteral("Input"), QStringLiteral("Output")}) {
            const QString expected = tag == QLatin1String("Input") ? input : output;
            auto* group = page.at<QGroupBox>("address" + tag);
            QCOMPARE(group != nullptr, !expected.isEmpty());
            if (!group)
                continue;
            auto* startField = page.at<QSpinBox>("address" + tag + "Start");
            const QStringList shown{
                QString::number(startField->value()),
                QString::number(page.at<QSpinBox>("address" + tag + "Length")->value()),
                page.at<QLineEdit>("address" + tag + "End")->text(), startField->toolTip()};
            QCOMPARE(shown.join(' '), expected);
            QCOMPARE(page.at<QComboBox>("address" + tag + "Memory")->currentText(),
                     tag.left(1) == "I" ? "I" : "Q");
            for (QWidget* field : group->findChildren<QWidget*>()) {
                if (!qobject_cast<QLabel*>(field) && field->parentWidget() == group)
                    QVERIFY2(!field->isEnabled(), qPrintable(field->objectName()));
            }
        }
        page.page.apply(*page.object);
        QCOMPARE(ParamBlock::save(*page.object), ParamBlock::save(before));
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
        const QByteArray d6 = QByteArray::fromHex("6666");
        QTest::newRow("nine inputs, three groups")
            << int(R70) << 9 << QByteArray::fromHex("210e")
            << QStringList{"I0.0 - I0.3", "I0.4 - I0.7", "I1.0 - I1.3"}
            << QStringList{"0.20ms", "0.40ms", "12.8us"} << QString()
            << QByteArray::fromHex("210e");
        QTest::newRow("odd groups: the last high nibble is 0")
            << int(R70) << 9 << QByteArray::fromHex("66ff") << QStringList{} << QStringList{}
            << "2=0.80us" << QByteArray::fromHex("660a");
        QTest::newRow("default code 6")
            << int(R70) << 16 << d6
            << QStringList{"I0.0 - I0.3", "I0.4 - I0.7", "I1.0 - I1.3", "I1.4 - I1.7"}
            << QStringList{"6.40ms", "6.40ms", "6.40ms", "6.40ms"} << QString() << d6;
        QTest::newRow("codes 0 and 15 name nothing")
            << int(R70) << 16 << QByteArray::fromHex("f006") << QStringList{}
            << QStringList{"", "", "6.40ms", ""} << QString() << QByteArray::fromHex("f006");
        QTest::newRow("missing codes are the default")
            << int(R70) << 16 << QByteArray::fromHex("21") << QStringList{}
            << QStringList{"0.20ms", "0.40ms", "6.40ms", "6.40ms"} << "1=12.8ms"
            << QByteArray::fromHex("7166");
        QTest::newRow("longer codes are cut")
            << int(R70) << 4 << QByteArray::fromHex("213344") << QStringList{"I0.0 - I0.3"}
            << QStringList{"0.20ms"} << QString() << QByteArray::fromHex("01");
        QTest::newRow("per input, default 13")
            << int(Q310) << 24 << QByteArray(12, char(0xDD)) << QStringList{"I0.0", "I0.1", "I0.2"}
            << QStringList{"6.40ms", "6.40ms", "6.40ms"} << QString() << QByteArray(12, char(0xDD));
        QTest::newRow("per input, index is the code")
            << int(Q310) << 3 << QByteArray::fromHex("f1") << QStringList{}
            << QStringList{"0.20us", "", "6.40ms"} << "0=NONE" << QByteArray::fromHex("f00d");
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
        Opened<InputFilterPage> page(id, [&](CpuObject& o, DialogContext& c) {
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

        // The section holds exactly what the page wrote, and gives it back.
        const QByteArray saved = ParamBlock::save(*page.object);
        const QByteArray section = sectionOf(saved, grouped ? 28 : 48);
        QCOMPARE(section.mid(8).toHex(' '), (char(inputs) + written).toHex(' '));
        auto restored = ParamBlock::restore(saved, QString(), false);
        QCOMPARE(restored->inputFilterCodes, written);
        QCOMPARE(int(restored->inputFilterCount), inputs);
    }

    // Models that store neither codes nor counters show them read-only; nothing is written.
    void readOnlyWhereNothingIsStored()
    {
        Opened<InputFilterPage> filter(C24, [](CpuObject& o, DialogContext&) {
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

        Opened<HscPage> counters(C24, [](CpuObject& o, DialogContext& c) {
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

    // The modes each counter offers; counters 2 and up have no reset level; tabs stop at
    // the six records the object holds.
    void counterLists_data()
    {
        QTest::addColumn<int>("counter");
        QTest::addColumn<QStringList>("modes");
        QTest::addColumn<bool>("resetLevel");
        const QStringList all{"0", "1", "3", "4", "6", "7", "9", "10"};
        QTest::newRow("HSC0") << 0 << all << true;
        QTest::newRow("HSC2") << 2 << QStringList{"0", "3", "6", "9"} << false;
        QTest::newRow("HSC5") << 5 << QStringList{"0"} << false;
    }

    void counterLists()
    {
        QFETCH(int, counter);
        QFETCH(QStringList, modes);
        QFETCH(bool, resetLevel);
        Opened<HscPage> page(R70,
                             [](CpuObject&, DialogContext& c) { c.descriptor.SupportHSC = 8; });
        QCOMPARE(page.page.counterCount(), 6);
        QCOMPARE(page.page.tabs()->count(), 6);
        QCOMPARE(page.page.tabs()->tabText(counter), QStringLiteral("HSC%1").arg(counter));
        HscCounterGroup* group = page.page.counter(counter);
        QCOMPARE(group->title(), QStringLiteral("HSC%1").arg(counter));
        QCOMPARE(texts(group->modeList()), modes);
        QCOMPARE(group->resetLevelList()->isEnabled(), resetLevel);
        QCOMPARE(group->resetLevelLabel()->isEnabled(), resetLevel);
        QCOMPARE(group->filterList()->count(), 7);
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
        Opened<HscPage> page(R70, [&](CpuObject& o, DialogContext&) {
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
        Opened<HscPage> page(R70, [](CpuObject& o, DialogContext&) {
            HscChannel& c = o.hsc[0];
            c.control = 0xE1 | 0x02 | 0x04 | 0x10; // unknown bits 0, 5-7; High, 2x, Increase
            c.modeEnable = 0x70 | 0x80 | 4;        // unknown bits 4-6; enabled, mode 4
            c.reserved2 = 0xAA;
            c.reserved3 = 0xBB;
            c.preset = quint32(-5);
            c.current = 123456;
            c.filterIndex = 6;
            c.reserved13 = 0xCC;
            c.speedTime = 65535;
        });
        HscCounterGroup* g = page.page.counter(0);
        QCOMPARE(QStringList({g->enableList()->currentText(), g->modeList()->currentText(),
                              g->resetLevelList()->currentText(), g->rateList()->currentText(),
                              g->directionList()->currentText(), g->presetField()->text(),
                              g->currentField()->text(), g->filterList()->currentText(),
                              g->speedField()->text()}),
                 QStringList({"Enabled", "4", "High Level", "2x", "Increase", "-5", "123456",
                              "750K", "65535"}));
        choose(g->enableList(), "Disabled");
        choose(g->modeList(), "9"); // and the rate goes to 4x
        choose(g->resetLevelList(), "Low Level");
        choose(g->directionList(), "Decrease");
        g->presetField()->setText(QString());
        QTest::keyClicks(g->presetField(), "-2147483648");
        g->currentField()->setText(QStringLiteral("2147483647"));
        choose(g->filterList(), "75K");
        g->speedField()->clear();
        QTest::keyClicks(g->speedField(), "70000"); // the fifth digit is refused
        QCOMPARE(g->speedField()->text(), "7000");
        page.page.apply(*page.object);
        const HscChannel& c = page.object->hsc[0];
        QCOMPARE(int(c.control), 0xE1);
        QCOMPARE(int(c.modeEnable), 0x70 | 9);
        QCOMPARE(int(c.reserved2), 0xAA);
        QCOMPARE(int(c.reserved3), 0xBB);
        QCOMPARE(c.preset, 0x80000000u);
        QCOMPARE(c.current, 0x7FFFFFFFu);
        QCOMPARE(int(c.filterIndex), 0);
        QCOMPARE(int(c.reserved13), 0xCC);
        QCOMPARE(int(c.speedTime), 7000);
    }

    // Partial or empty numbers stop OK on their field; nothing is written.
    void counterNumbers_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty preset") << "preset"
                                      << ""
                                      << "The Preset Value of HSC3 must be a whole number from "
                                         "-2147483648 to 2147483647.";
        QTest::newRow("only a minus") << "current"
                                      << "-"
                                      << "The Current Value of HSC3 must be a whole number from "
                                         "-2147483648 to 2147483647.";
        QTest::newRow("empty time") << "speed"
                                    << ""
                                    << "The Speed-testing Time(ms) of HSC3 must be a whole "
                                       "number from 0 to 65535.";
        QTest::newRow("negative preset is fine") << "preset"
                                                 << "-12" << QString();
    }

    void counterNumbers()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        auto cpu = CpuObjectFactory::create(R70, m_project);
        const QByteArray before = ParamBlock::save(*cpu);
        QMainWindow host;
        Corvopropdlg dialog(cpu.get(), m_project, &host, false);
        selectItem(dialog, "High-speed Counter");
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* page = qobject_cast<HscPage*>(dialog.page(PageId::Hsc));
        page->tabs()->setCurrentIndex(3);
        HscCounterGroup* group = page->counter(3);
        QLineEdit* edit = field == "preset"    ? group->presetField()
                          : field == "current" ? group->currentField()
                                               : group->speedField();
        edit->setText(text);
        QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
        if (message.isEmpty()) {
            QVERIFY(m_messages.isEmpty());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(qint32(cpu->hsc[3].preset), -12);
            return;
        }
        QCOMPARE(m_messages, QStringList{message});
        QVERIFY(!dialog.result());
        QCOMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(ParamBlock::save(*cpu), before);
    }

    // Through the dialog: the clock, a filter code and a counter end up in sections 8, 28
    // and 29 of the saved block, and come back on restore.
    void endToEnd()
    {
        auto cpu = CpuObjectFactory::create(R70, m_project);
        QMainWindow host;
        Corvopropdlg dialog(cpu.get(), m_project, &host, false);
        choose(dialog.findChild<QComboBox*>("extBusClock"), "10 MHz");
        choose(qobject_cast<InputFilterPage*>(dialog.page(PageId::InputFilter))->delayList(1),
               "0.20us");
        HscCounterGroup* g = qobject_cast<HscPage*>(dialog.page(PageId::Hsc))->counter(1);
        choose(g->enableList(), "Enabled");
        choose(g->modeList(), "9");
        g->presetField()->setText(QStringLiteral("-1000"));
        g->speedField()->setText(QStringLiteral("250"));
        QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));

        const QByteArray saved = ParamBlock::save(*cpu);
        QCOMPARE(sectionOf(saved, 8).mid(8).toHex(), QByteArray("02"));
        QCOMPARE(sectionOf(saved, 28).mid(8).toHex(' '), QByteArray("10 86 66"));
        const QByteArray hsc = sectionOf(saved, 29);
        QCOMPARE(hsc.size(), 100);
        // HSC1: tag, control 0x12 (High, 4x, Increase), mode 9 enabled, preset, current,
        // filter 500K... as created (2), time.
        QCOMPARE(hsc.mid(8 + 15, 15).toHex(' '),
                 QByteArray("0e 96 12 89 ff ff fc 18 00 00 00 00 02 00 fa"));
        auto restored = ParamBlock::restore(saved, m_project, false);
        QCOMPARE(restored->extBusClock, cpu->extBusClock);
        QCOMPARE(restored->inputFilterCodes, cpu->inputFilterCodes);
        QCOMPARE(restored->hsc, cpu->hsc);
    }

    // The compact model: the Address item is hidden but its page is built and loaded; the
    // per-input filter goes to section 48.
    void compactModel()
    {
        auto cpu = CpuObjectFactory::create(Q310, m_project);
        QMainWindow host;
        Corvopropdlg dialog(cpu.get(), m_project, &host, false);
        QTreeWidgetItem* root = dialog.pageTree()->topLevelItem(0);
        bool hidden = false;
        for (int i = 0; i < root->childCount(); ++i)
            hidden |= root->child(i)->text(0) == "Address" && root->child(i)->isHidden();
        QVERIFY(hidden);
        QCOMPARE(dialog.findChild<QLineEdit*>("addressInputEnd")->text(), "2"); // 24 inputs
        QVERIFY(!dialog.page(PageId::Hsc));
        auto* filter = qobject_cast<InputFilterPage*>(dialog.page(PageId::InputFilter));
        QCOMPARE(filter->variant(), InputFilterPage::Variant::PerInput);
        choose(filter->delayList(3), "NONE");
        QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('\n')));
        const QByteArray section = sectionOf(ParamBlock::save(*cpu), 48);
        QCOMPARE(section.mid(8).toHex(' '), QByteArray("18 dd 0d dd dd dd dd dd dd dd dd dd dd"));
    }

    // Each page's Defaults reloads that page only; Default All reloads them all.
    void defaults_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("SOE") << int(PageId::Soe);
        QTest::newRow("clock") << int(PageId::ExtBusClock);
        QTest::newRow("filter") << int(PageId::InputFilter);
        QTest::newRow("counters") << int(PageId::Hsc);
        QTest::newRow("Default All") << -1;
    }

    void defaults()
    {
        QFETCH(int, page);
        auto cpu = CpuObjectFactory::create(R70, m_project);
        QMainWindow host;
        Corvopropdlg dialog(cpu.get(), m_project, &host, false);
        auto* soe = qobject_cast<SoePage*>(dialog.page(PageId::Soe));
        auto* clock = dialog.findChild<QComboBox*>("extBusClock");
        auto* filter = qobject_cast<InputFilterPage*>(dialog.page(PageId::InputFilter));
        HscCounterGroup* counter = qobject_cast<HscPage*>(dialog.page(PageId::Hsc))->counter(4);
        soe->titleEdit(7)->setText(QStringLiteral("edited"));
        clock->setCurrentIndex(1);
        filter->delayList(2)->setCurrentIndex(0);
        counter->speedField()->setText(QStringLiteral("99"));

        QWidget* pageWidget = page < 0 ? nullptr : dialog.page(PageId(page));
        QPushButton* button = page < 0 ? dialog.findChild<QPushButton*>("defaultAllButton")
                                       : pageWidget->findChild<QPushButton*>("defaultsButton");
        QTest::mouseClick(button, Qt::LeftButton);
        const auto reverted = [page](PageId id) {
            return page < 0 || page == int(id);
        };
        QCOMPARE(soe->titleEdit(7)->text(), reverted(PageId::Soe) ? "" : "edited");
        QCOMPARE(clock->currentIndex(), reverted(PageId::ExtBusClock) ? 0 : 1);
        QCOMPARE(filter->delayList(2)->currentText(),
                 reverted(PageId::InputFilter) ? "6.40ms" : "0.20ms");
        QCOMPARE(counter->speedField()->text(), reverted(PageId::Hsc) ? "5" : "99");
    }
};

QTEST_MAIN(TestLocalIoPages)
#include "tst_localiopages.moc"
