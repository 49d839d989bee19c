#include "dialogtesting.h"

#include <block/cpuparamsection.h>
#include <dialog/pages/soepage.h>
#include <dialog/widgets/qlineeditex.h>

#include <QCheckBox>
#include <QHeaderView>
#include <QJsonDocument>
#include <QTableWidget>

using namespace DialogTesting;

namespace {

const char kPlcType[] = "SOE-PLC";

// The bytes of the SOE record of `slot` in a CPU parameter section (settings and title,
// without the record's length byte); empty when the slot is not written.
QByteArray recordBytes(const QByteArray& section, int slot)
{
    constexpr int kSoe = 8 + 28 + 30 + 190 + 6 * 14 + 12 + 4;
    if (section.size() < kSoe + 5)
        return {};
    int at = kSoe + 5;
    for (int i = 0; i < quint8(section.at(kSoe + 4)) && at < section.size(); ++i) {
        const int length = quint8(section.at(at));
        if (quint8(section.at(at + 1)) == slot)
            return section.mid(at + 1, length - 1);
        at += length;
    }
    return {};
}

QByteArray recordBytes(CpuObject& object, int slot)
{
    QList<int> errors;
    return recordBytes(CpuParamSection::write(object, WriteMode::Save, errors), slot);
}

SoeRecord usedRecord(int slot, const QString& title)
{
    SoeRecord record = SoeRecord::creationDefault();
    record.slot = quint8(slot);
    record.title = title;
    record.titleLength = quint8(title.toLocal8Bit().size());
    return record;
}

} // namespace

// The SOE page: its table, what it writes byte for byte, and its checks on OK.
class TestSoePage : public QObject
{
    Q_OBJECT

    std::unique_ptr<HostFixture> m_host;
    QString m_project;
    DialogContext m_context;

    // fromHex skips the blanks that group the fields
    static QByteArray hex(const char* text) { return QByteArray::fromHex(text); }

    std::unique_ptr<SoePage> openPage(const CpuObject& object)
    {
        auto page = std::make_unique<SoePage>(m_context);
        page->load(object);
        return page;
    }

private slots:
    void init()
    {
        m_host.reset();
        m_host = std::make_unique<HostFixture>();
        const char* model = R"({"maxPouSize": 4000, "objectRanges": {"53": 400}, "addrRanges":
            {"V": 5000, "IEx": 15, "QEx": 15, "M": 32, "S": 32, "SM": 512, "T": 256, "C": 256}})";
        m_host->setPlcModel(kPlcType, QJsonDocument::fromJson(model).object());
        const char* project = R"({"plcType": "SOE-PLC", "plcVersion": "02.01",
            "hwFileCreatedVersion": 2100, "dataBlocks": [{"name": "DB1"}, {"name": "DB300"},
            {"name": "db3"}]})";
        m_project = m_host->writeProject("p.json", QJsonDocument::fromJson(project).object());
        m_context = DialogContext{};
        m_context.projectPath = m_project;
        m_context.plcType = kPlcType;
        m_context.plcVersion = QStringLiteral("02.01");
    }

    // A row edited through its cells is written as the device reads it.
    void writtenRecord_data()
    {
        QTest::addColumn<QString>("trigger"); // area, block, byte, bit
        QTest::addColumn<QString>("process"); // area, address, format
        QTest::addColumn<int>("event");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("bytes");

        const auto row = [](const char* name, const char* trigger, const char* process, int event,
                            const char* title, const char* bytes) {
            QTest::newRow(name) << trigger << process << event << title << hex(bytes) + title;
        };
        row("V 10.3 is address 83 in block 1", "V 0 10 3", "VW 100 1", 0, "Pump",
            "02 00 10 01 0001 0001 84 000053 10 04 0001 0001 84 000320 01 04");
        row("M 10.3 is address 83 in block 0", "M 0 10 3", "MD 4 0", 1, "M",
            "02 01 10 01 0001 0000 83 000053 10 06 0001 0000 83 000020 00 01");
        row("data block keeps its number", "DB 300 2 1", "SMW 7 0", 0, "T",
            "02 00 10 01 0001 012c 85 000011 10 04 0001 0000 05 000038 00 01");
        row("inputs are block 0", "I 0 1 7", "ID 2 2", 1, "x",
            "02 01 10 01 0001 0000 81 00000f 10 06 0001 0000 81 000010 02 01");
        row("no process variable writes zeros", "SM 0 0 0", "-- 0 1", 0, "none",
            "02 00 10 01 0001 0000 05 000000 00 00 0000 0000 00 000000 01 04");
    }

    void writtenRecord()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, process);
        QFETCH(int, event);
        QFETCH(QString, title);
        QFETCH(QByteArray, bytes);
        CpuObject cpu;
        cpu.soe.fill(SoeRecord::creationDefault());
        auto page = openPage(cpu);
        page->buildRows();
        const QStringList t = trigger.split(' '), p = process.split(' ');
        QStringList steps{"soeEnable2",
                          "soeEvent2=#" + QString::number(event),
                          "soeTrigger2/triggerArea=" + t[0],
                          "soeTrigger2/triggerByte=" + t[2],
                          "soeTrigger2/triggerBit=" + t[3],
                          "soeProcess2/processArea=" + p[0],
                          "soeProcess2/processAddress=" + p[1],
                          "soeProcess2/processFormat=#" + p[2],
                          "soeTitle2+" + title};
        if (t[0] == QLatin1String("DB"))
            steps << "soeTrigger2/triggerDbNumber=" + t[1];
        edit(*page, steps);
        page->apply(cpu);
        QCOMPARE(recordBytes(cpu, 2).toHex(' '), bytes.toHex(' '));
        // Every other row is written as it was loaded.
        for (int i = 0; i < SoePage::RowCount; ++i) {
            if (i != 2)
                QCOMPARE(cpu.soe[size_t(i)], SoeRecord::creationDefault());
        }
    }

    // A row the user did not touch keeps its bytes, whatever they name; a touched row keeps
    // the stored codes of a cell that shows no entry, and rewrites the cells that do.
    void storedBytesNamingNoEntry_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QByteArray>("bytes"); // expected, empty: as loaded
        const auto row = [](const char* name, int row, const QStringList& edits,
                            const QByteArray& bytes = {}) {
            QTest::newRow(name) << row << edits << bytes;
        };
        row("shown, untouched", -1, {});
        row("edited and edited back", 0, {"soeTitle0=x", "soeTitle0=" + QString(40, 't')});
        row("timer trigger, unknown process, new title", 0, {"soeTitle0=new"},
            hex("00 05 1f 1f 0000 000a 1f 00012c 10 02 0001 0001 84 000320 09 03") + "new");
        row("timer trigger counts elements", 0, {"soeTrigger0/triggerByte=301"},
            hex("00 05 1f 1f 0000 000a 1f 00012d 10 02 0001 0001 84 000320 09 28") +
                QByteArray(40, 't'));
        row("reset slot enabled is a V bit", 1, {"soeEnable1"},
            hex("01 00 10 01 0001 0001 84 000000 00 00 0000 0000 00 000000 01 00"));
        row("entry found: count and syntax rewritten", 3, {"soeTitle3=new"},
            hex("03 00 10 01 0001 0001 84 00001f 00 00 0000 0000 00 000000 01 03") + "new");
    }

    void storedBytesNamingNoEntry()
    {
        QFETCH(int, row);
        QFETCH(QStringList, edits);
        QFETCH(QByteArray, bytes);
        CpuObject cpu;
        cpu.soe.fill(SoeRecord::readerReset());
        SoeRecord& timer = cpu.soe[0];
        timer = usedRecord(0, QString(40, QLatin1Char('t'))); // longer than the cell takes
        timer.event = 5;
        timer.trigger = {0x1F, 0x1F, 0, 10, 0x1F, 300};
        timer.process = {0x10, 2, 1, 1, 0x84, 800}; // VB 100: no entry
        timer.formatIndex = 9;
        cpu.soe[2] = usedRecord(2, QStringLiteral("far"));
        cpu.soe[2].trigger = {0x10, 1, 1, 1000, 0x85, 0xFFFFFF}; // beyond every range
        cpu.soe[3] = usedRecord(3, QStringLiteral("odd"));
        cpu.soe[3].trigger = {0x12, 1, 7, 1, 0x84, 31};
        const auto loaded = cpu.soe;

        auto page = openPage(cpu);
        page->buildRows();
        edit(*page, edits);
        page->apply(cpu);
        for (int i = 0; i < SoePage::RowCount; ++i) {
            if (i != row || bytes.isEmpty())
                QCOMPARE(cpu.soe[size_t(i)], loaded[size_t(i)]);
        }
        if (!bytes.isEmpty())
            QCOMPARE(recordBytes(cpu, row).toHex(' '), bytes.toHex(' '));
    }

    // The header's "Enable" checks every row when any is unchecked, else unchecks all;
    // Select All and Clear All do the same; a row's cells follow its check box.
    void enableAll_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("checkedBefore");
        QTest::addColumn<bool>("checkedAfter");
        QTest::newRow("header, one unchecked") << "header" << 15 << true;
        QTest::newRow("header, all checked") << "header" << 16 << false;
        QTest::newRow("select all") << "soeSelectAll" << 3 << true;
        QTest::newRow("clear all") << "soeClearAll" << 16 << false;
    }

    void enableAll()
    {
        QFETCH(QString, action);
        QFETCH(int, checkedBefore);
        QFETCH(bool, checkedAfter);
        CpuObject cpu;
        cpu.soe.fill(SoeRecord::creationDefault());
        for (int i = 0; i < checkedBefore; ++i)
            cpu.soe[size_t(i)] = usedRecord(i, QStringLiteral("r%1").arg(i));
        auto page = openPage(cpu);
        page->resize(900, 600);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        QHeaderView* header = page->table()->horizontalHeader();
        const auto clickSection = [header](int section) {
            QTest::mouseClick(
                header->viewport(), Qt::LeftButton, {},
                QPoint(header->sectionViewportPosition(section) + 4, header->height() / 2));
        };
        clickSection(SoePage::TitleColumn); // other sections change nothing
        QCOMPARE(page->enableBox(0)->isChecked(), checkedBefore > 0);
        if (action == QLatin1String("header"))
            clickSection(SoePage::EnableColumn);
        else
            QTest::mouseClick(page->findChild<QPushButton*>(action), Qt::LeftButton);
        for (int i = 0; i < SoePage::RowCount; ++i) {
            QCOMPARE(page->enableBox(i)->isChecked(), checkedAfter);
            for (QWidget* cell : {static_cast<QWidget*>(page->eventList(i)),
                                  static_cast<QWidget*>(page->triggerEditor(i)),
                                  static_cast<QWidget*>(page->processEditor(i)),
                                  static_cast<QWidget*>(page->titleEdit(i))})
                QCOMPARE(cell->isEnabled(), checkedAfter);
        }
    }

    // A data-block trigger names a block of the project by its whole number: DB300 passes,
    // DB44 (its low byte) does not; unused rows are not checked.
    void dataBlockCheck()
    {
        CpuObject cpu;
        cpu.soe.fill(SoeRecord::creationDefault());
        auto page = openPage(cpu);
        page->buildRows();
        edit(*page,
             {"soeEnable5", "soeTrigger5/triggerArea=DB", "soeTrigger5/triggerDbNumber=300",
              "soeTitle5=a", "soeTrigger6/triggerArea=DB", "soeTrigger6/triggerDbNumber=44"});
        QVERIFY(!firstFailure(*page));
        edit(*page, {"soeEnable6", "soeTitle6=b"});
        const CheckResult failure = firstFailure(*page);
        QVERIFY(failure);
        QCOMPARE(failure->text,
                 QStringLiteral("The trigger setting has error,DB44 does not exist."));
    }

    // Before the page is first shown its rows are not built: the loaded records are
    // checked and written as they are.
    void checksBeforeTheRowsAreBuilt()
    {
        CpuObject cpu;
        cpu.soe.fill(SoeRecord::creationDefault());
        cpu.soe[4] = usedRecord(4, QString());
        cpu.soe[6] = usedRecord(6, QStringLiteral("t"));
        cpu.soe[6].trigger.area = 0x85;
        cpu.soe[6].trigger.dbNumber = 9;
        auto page = openPage(cpu);
        QCOMPARE(page->checkTriggers()->text,
                 QStringLiteral("The trigger setting has error,DB9 does not exist."));
        QCOMPARE(page->checkTitles()->text,
                 QStringLiteral("The title of SOE 5 is not allowed be empty."));
        QVERIFY(!page->checkTitles()->focus);
        QVERIFY(!page->rowsBuilt());
        CpuObject written;
        page->apply(written);
        QCOMPARE(written.soe, cpu.soe);
        QVERIFY(!page->rowsBuilt());
    }
};

QTEST_MAIN(TestSoePage)
#include "tst_soepage.moc"
