#include "dialogtesting.h"

#include <block/extcardsection.h>
#include <block/paramblock.h>
#include <cards/addresswdgt.h>
#include <cards/card485canpparwgt.h>
#include <cards/card485rtcpparwgt.h>
#include <cards/cardamx05pparwgt.h>
#include <cards/cardslotcfgwidget.h>
#include <cards/extcardpage.h>
#include <cards/extendcardcfgwgt.h>
#include <cards/serialchannelgroup.h>
#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mlineedit.h>
#include <corekit/widgets/mspinboxex.h>

#include <QCheckBox>
#include <QPlainTextEdit>

using namespace DialogTesting;

namespace {

constexpr int kCompact = 0x30;
constexpr int kAi = 6;
constexpr int kAq = 7;
constexpr int kI = 0x81;
constexpr int kQ = 0x82;

const QString kAllowed =
    QStringLiteral("RTC (The RTC function can be enabled for only one expansion card.)");
const QString kLocked = QStringLiteral("RTC (To enable the RTC function, disable the RTC "
                                       "function for other expansion cards first.)");

// The dialog of a compact CPU, shown at its Extend Card page.
struct CardDialog : OpenDialog
{
    CardDialog(CpuObject* cpu, const QString& project)
        : OpenDialog(cpu, project)
    {
        dialog->show();
        showPage(QStringLiteral("Extend Card"));
    }

    ExtCardPage* page() const { return static_cast<ExtCardPage*>(dialog->page(PageId::ExtCard)); }
    ExtendCardCfgWgt* cards() const { return page()->cards(); }
    CardSlotCfgWidget* slot(int index) const
    {
        cards()->setCurrentIndex(index);
        return cards()->slotWidget(index);
    }
    template <typename Page>
    Page* card(int index, CardType type) const
    {
        CardSlotCfgWidget* s = slot(index);
        s->cardList()->setCurrentIndex(s->cardList()->findItemData(int(type)));
        return qobject_cast<Page*>(s->page(type));
    }
};

QList<MemoryClaim> cardClaims(const QString& project)
{
    QList<MemoryClaim> claims;
    for (const MemoryClaim& claim : getUsedMemory(project)) {
        if (!claim.local)
            claims.append(claim);
    }
    return claims;
}

} // namespace

Q_DECLARE_METATYPE(CardType)

// The expansion-card slots and card pages of the compact CPU, in the dialog.
class TestCardPages : public QObject
{
    Q_OBJECT

    std::unique_ptr<DialogCase> m_case;
    QString m_project;

private slots:
    void init()
    {
        m_case = std::make_unique<DialogCase>(QJsonObject{
            {"plcType", "MRW-Q310"}, {"plcVersion", "02.01"}, {"hwFileCreatedVersion", 2100}});
        m_project = m_case->project;
    }

    void cleanup()
    {
        clearUsedMemory(m_project);
        m_case.reset();
    }

    void clockExclusivity_data()
    {
        QTest::addColumn<CardType>("upper");
        QTest::addColumn<CardType>("lower");
        QTest::addColumn<int>("holder");      // who checks first
        QTest::addColumn<QString>("release"); // how the holder gives the clock back
        for (const char* way : {"ckbRtc", "cmbCard=NONE", "cmbCard=DIX06-P", "bttnSlotDefaults",
                                "defaultsButton", "defaultAllButton"}) {
            for (int holder : {0, 1})
                QTest::addRow("holder %d, %s", holder, way)
                    << CardType::Rtc << CardType::Rtc485 << holder << QString(way);
        }
        QTest::newRow("both RTC-P") << CardType::Rtc << CardType::Rtc << 0 << "ckbRtc";
    }

    // One card has the clock; the other's box is locked with the second text until the holder
    // gives it back, in whichever way the holder stops having it: its box, its slot's list or
    // Defaults, the page's Defaults or Default All.
    void clockExclusivity()
    {
        QFETCH(CardType, upper);
        QFETCH(CardType, lower);
        QFETCH(int, holder);
        QFETCH(QString, release);
        auto cpu = m_case->create(kCompact);
        CardDialog open(cpu.get(), m_project);
        const std::array<ClockCardParWgt*, 2> pages{open.card<ClockCardParWgt>(0, upper),
                                                    open.card<ClockCardParWgt>(1, lower)};
        for (ClockCardParWgt* page : pages)
            QCOMPARE(page->rtcText(), kAllowed);
        ClockCardParWgt* owner = pages[size_t(holder)];
        ClockCardParWgt* other = pages[size_t(1 - holder)];
        press(owner->rtcCheck());
        QCOMPARE(open.cards()->rtcHolder(), holder);
        QCOMPARE(owner->rtcText(), kAllowed);
        QVERIFY(!other->rtcCheck()->isEnabled());
        QCOMPARE(other->rtcText(), kLocked);
        other->rtcCheck()->setChecked(true); // were it possible, it changes nothing
        QCOMPARE(open.cards()->rtcHolder(), holder);
        QVERIFY(!other->rtcCheck()->isChecked());

        QWidget* root = release == QLatin1String("ckbRtc")           ? owner
                        : release == QLatin1String("defaultsButton") ? open.page()
                        : release == QLatin1String("defaultAllButton")
                            ? open.dialog.get()
                            : static_cast<QWidget*>(open.slot(holder));
        edit(*root, {release});
        QCOMPARE(open.cards()->rtcHolder(), -1);
        QVERIFY(other->rtcCheck()->isEnabled());
        QCOMPARE(other->rtcText(), kAllowed);
    }

    void canOpenExclusivity_data()
    {
        QTest::addColumn<QString>("release"); // an edit of the master's card, or of its slot
        QTest::addColumn<bool>("released");
        QTest::newRow("deselect") << "gbCANopen=0" << true;
        QTest::newRow("CAN channel off") << "gbChnl1=0" << true;
        QTest::newRow("CANFree") << "cmbProtocolCH1=#0" << true;
        QTest::newRow("switch to NONE") << "cmbCard=NONE" << true;
        QTest::newRow("serial channel change keeps it") << "gbChnl0=1" << false;
    }

    // One card is the CANopen master; on OK its settings become the CPU's CANopen master.
    void canOpenExclusivity()
    {
        QFETCH(QString, release);
        QFETCH(bool, released);
        auto cpu = m_case->create(kCompact);
        CardDialog open(cpu.get(), m_project);
        std::array<Card485CANPParWgt*, 2> pages{open.card<Card485CANPParWgt>(0, CardType::Can485),
                                                open.card<Card485CANPParWgt>(1, CardType::Can485)};
        for (Card485CANPParWgt* page : pages) {
            QVERIFY(!page->canOpenGroup()->isEnabled()); // the CAN channel is off
            edit(*page, {"gbChnl1=1", "cmbProtocolCH1=CANopen Master"});
            QVERIFY(page->canOpenGroup()->isEnabled());
        }
        open.slot(1);
        pages[1]->canOpenGroup()->setChecked(true);
        QCOMPARE(open.cards()->canOpenHolder(), 1);
        QVERIFY(!pages[0]->canOpenGroup()->isEnabled());
        pages[0]->canOpenGroup()->setChecked(true); // refused
        QVERIFY(!pages[0]->canOpenGroup()->isChecked());
        QCOMPARE(open.cards()->canOpenHolder(), 1);
        edit(*pages[1], {"cmbCanBaud=250kbps", "cmbNodeId=17", "leCobId=129", "sbHeartbeat=500"});

        edit(release.startsWith("cmbCard") ? *static_cast<QWidget*>(open.slot(1)) : *pages[1],
             {release});
        QCOMPARE(open.cards()->canOpenHolder(), released ? -1 : 1);
        QCOMPARE(pages[0]->canOpenGroup()->isEnabled(), released);

        QVERIFY(open.ok());
        const CanMasterConfig& m = cpu->canMaster;
        QCOMPARE(QString("%1 %2 %3 %4").arg(m.baudRate).arg(m.nodeId).arg(m.cobId).arg(m.heartbeat),
                 released ? "1000 1 128 200" : "250 17 129 500");
    }

    // Two slaves of one 485/RTC-P card cannot share an address: the edit is taken back.
    void repeatedAddressWhileEditing()
    {
        auto cpu = m_case->create(kCompact);
        CardDialog open(cpu.get(), m_project);
        auto* page = open.card<Card485RTCPParWgt>(1, CardType::Rtc485);
        for (int ch = 0; ch < 2; ++ch) {
            SerialChannelGroup* group = page->channel(ch);
            group->setChecked(true);
            group->protocolList()->setCurrentIndex(SerialChannelGroup::ModbusSlave);
            group->addressField()->setValue(10 + ch);
            emit group->addressField()->editingFinished();
        }
        MSpinBoxEx* second = page->channel(1)->addressField();
        second->selectAll();
        QTest::keyClicks(second, QStringLiteral("10"));
        QCOMPARE(second->value(), 10);
        emit second->editingFinished();
        QCOMPARE(m_case->messages, QStringList{"Address must not be repeated"});
        QCOMPARE(second->value(), 11);

        // With the first channel off the value is free to take.
        page->channel(0)->setChecked(false);
        second->setValue(10);
        emit second->editingFinished();
        QCOMPARE(m_case->messages.size(), 1);
        QCOMPARE(second->value(), 10);
    }

    void dix06Addresses_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("bitAddress"); // -1: refused
        const std::pair<const char*, int> rows[] = {
            {"3.7", 31}, {"03.7", 31}, {"3.8", -1}, {"3.", -1},
            {".7", -1},  {"3..7", -1}, {"", -1},    {"999999999999.1", -1}};
        for (const auto& [typed, bitAddress] : rows)
            QTest::addRow("'%s'", typed) << QString(typed) << bitAddress;
    }

    // The point is a point, not any character; the field does not even take other ones.
    void dix06Addresses()
    {
        QFETCH(QString, typed);
        QFETCH(int, bitAddress);
        AddressWdgt address;
        QTest::keyClicks(address.addressEdit(), typed);
        QCOMPARE(address.addressText(), typed);
        QCOMPARE(address.bitAddress(), bitAddress);
        QCOMPARE(AddressWdgt::parseBitAddress(QString(typed).replace('.', 'x')), -1);
        address.addressEdit()->clear();
        QTest::keyClicks(address.addressEdit(), QStringLiteral("3x7"));
        QCOMPARE(address.addressText(), QStringLiteral("37"));
    }

    void okChecks_data()
    {
        QTest::addColumn<QString>("taken");    // "area:start:length" or "area:bit" held elsewhere
        QTest::addColumn<int>("localAddress"); // the built-in port as a Modbus slave; 0: not
        QTest::addColumn<CardType>("upper");
        QTest::addColumn<QStringList>("upperEdits");
        QTest::addColumn<CardType>("lower");
        QTest::addColumn<QStringList>("lowerEdits");
        QTest::addColumn<QString>("message"); // empty: OK passes
        QTest::addColumn<QString>("field");   // "slot/name" that gets the focus
        const auto row = [](const char* name, const char* taken, int local, CardType upper,
                            const QStringList& upperEdits, CardType lower,
                            const QStringList& lowerEdits, const QString& message,
                            const char* field) {
            QTest::newRow(name) << QString(taken) << local << upper << upperEdits << lower
                                << lowerEdits << message << QString(field);
        };
        const auto dix = [](const QStringList& addresses) {
            QStringList edits{"cmbDirection0=Output", "cmbDirection1=Input",
                              "cmbDirection2=Output"};
            for (int k = 0; k < addresses.size(); ++k)
                edits << QStringLiteral("address%1/leAddress=%2").arg(k).arg(addresses.at(k));
            return edits;
        };
        const CardType none = CardType::None, amx = CardType::Amx05, dix06 = CardType::Dix06;
        const auto taken = [](const char* range, const char* card) {
            return QStringLiteral("The addresses %1 of the %2 card in the lower slot cannot be "
                                  "reserved: The address range is already used in the project.")
                .arg(range, card);
        };
        const QString repeated = QStringLiteral("Address must not be repeated");
        // A card page that refuses its input: its own message.
        row("DIX06-P bit 8", "", 0, none, {}, dix06, dix({"3.8", "4.1", "4.2", "4.3"}),
            "Address error.", "1/address0/leAddress");
        row("DIX06-P empty", "", 0, dix06, dix({"", "4.1", "4.2", "4.3"}), none, {},
            "Address error.", "0/address0/leAddress");
        row("AMX05-P odd start", "", 0, amx, {"sbInputStart=3"}, none, {},
            "The start address must be an even number in the range 0~28.", "0/sbInputStart");
        row("AMX05-P beyond the area", "", 0, none, {}, amx, {"sbOutputStart=32"},
            "The start address must be an even number in the range 0~30.", "1/sbOutputStart");
        row("AMX05-P output value", "", 0, none, {}, amx, {"gbChnl2=1", "sbOutputValue=6000"},
            "The output value must be in the range 6400~32000.", "1/sbOutputValue");
        row("485/CAN-P COB ID", "", 0, CardType::Can485,
            {"gbChnl1=1", "cmbProtocolCH1=#1", "gbCANopen=1", "leCobId="}, none, {},
            "The COB ID must be in the range 1~2047.", "0/leCobId");
        // Memory that another module, the CPU itself or the other card holds.
        row("analog inputs taken", "6:6:2", 0, none, {}, amx, {"sbInputStart=4"},
            taken("AIW4 .. AIW6", "AMX05-P"), "1/sbInputStart");
        row("analog output taken", "7:0:1", 0, none, {}, amx, {"sbInputStart=4"},
            taken("AQW0", "AMX05-P"), "1/sbOutputStart");
        row("digital bit taken", "130:58", 0, none, {}, dix06, dix({"7.0", "3.0", "7.2", "7.3"}),
            taken("Q7.2", "DIX06-P"), "1/address2/leAddress");
        row("the CPU's own local inputs", "", 0, none, {}, dix06, dix({"7.0", "2.0", "7.2", "7.3"}),
            taken("I2.0", "DIX06-P"), "1/address1/leAddress");
        row("the other slot", "", 0, dix06, dix({"7.0", "7.1", "8.0", "8.1"}), dix06,
            dix({"7.0", "3.0", "7.2", "7.3"}), taken("Q7.0", "DIX06-P"), "1/address0/leAddress");
        // Every port that answers to an address takes part, the built-in one too.
        const QStringList slave5{"gbChnl1=1", "cmbProtocolCH1=#3", "sbAddressCH1=5"};
        const QStringList slave6{"gbChnl0=1", "cmbProtocolCH0=#3", "sbAddressCH0=6"};
        row("built-in and card port", "", 5, CardType::Rtc485, slave5, none, {}, repeated, "");
        row("between cards", "", 0, CardType::Rtc485, slave6, CardType::Can485, slave6, repeated,
            "");
        row("distinct", "", 7, CardType::Rtc485, slave5, CardType::Can485, slave6, "", "");
    }

    // A failing card check stops OK like any check: its message, the slot and field in front with
    // the focus, the dialog open, nothing written and the trial claims rolled back.
    void okChecks()
    {
        QFETCH(QString, taken);
        QFETCH(int, localAddress);
        QFETCH(CardType, upper);
        QFETCH(QStringList, upperEdits);
        QFETCH(CardType, lower);
        QFETCH(QStringList, lowerEdits);
        QFETCH(QString, message);
        QFETCH(QString, field);
        auto cpu = m_case->create(kCompact);
        cpu->localPort.protocol = localAddress ? 2 : 0;
        cpu->localPort.address = quint8(qMax(1, localAddress));
        const QStringList t = taken.split(':');
        if (t.size() == 3)
            QCOMPARE(getMemory(m_project, t[0].toInt(), t[1].toInt(), t[2].toInt()), int(MemoryOk));
        if (t.size() == 2)
            QCOMPARE(getBitMemory(m_project, t[0].toInt(), t[1].toInt(), 1), int(MemoryOk));
        const QList<MemoryClaim> before = getUsedMemory(m_project);
        const int depth = backupDepth(m_project);
        CardDialog open(cpu.get(), m_project);
        const CardType types[] = {upper, lower};
        const QStringList edits[] = {upperEdits, lowerEdits};
        for (int slot = 0; slot < 2; ++slot) {
            if (types[slot] != CardType::None)
                edit(*open.card<CardParWgt>(slot, types[slot]), edits[slot]);
        }
        const int focusSlot = field.isEmpty() ? 0 : field.left(1).toInt();
        open.slot(1 - focusSlot);                         // the failing slot is not in front
        open.dialog->pageTree()->setCurrentItem(nullptr); // nor the page
        QCOMPARE(open.ok(), message.isEmpty());
        QCOMPARE(m_case->messages, message.isEmpty() ? QStringList() : QStringList{message});
        if (message.isEmpty())
            return;
        QVERIFY(open.dialog->isVisible());
        if (!field.isEmpty()) {
            QWidget* target = child(*open.slot(focusSlot)->currentPage(), field.mid(2));
            QCOMPARE(open.cards()->currentIndex(), focusSlot);
            QVERIFY(open.dialog->pageStack()->currentWidget()->isAncestorOf(target));
            QCOMPARE(open.dialog->focusWidget(), target);
        }
        QCOMPARE(int(cpu->cards[0].type) + int(cpu->cards[1].type), 0);
        QCOMPARE(getUsedMemory(m_project), before);
        QCOMPARE(backupDepth(m_project), depth + 1);
    }

    void memory_data()
    {
        QTest::addColumn<bool>("restored");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("new module, OK") << false << true;
        QTest::newRow("new module, Cancel") << false << false;
        QTest::newRow("restored module, OK") << true << true;
    }

    // Card addresses are claimed when OK writes them, not before; moving them gives the old
    // ones back; a release frees exactly what the claims took.
    void memory()
    {
        QFETCH(bool, restored);
        QFETCH(bool, confirm);
        auto created = m_case->create(kCompact);
        std::unique_ptr<CpuObject> cpu =
            restored ? ParamBlock::restore(ParamBlock::save(*created), m_project, false)
                     : std::move(created);
        QVERIFY(cpu);
        const QList<MemoryClaim> local = getUsedMemory(m_project);
        // Neighbours of the card's ranges, which must survive everything below.
        QCOMPARE(getMemory(m_project, kAi, 8, 2), int(MemoryOk));
        QCOMPARE(getBitMemory(m_project, kI, 5 * 8 + 4, 1), int(MemoryOk));
        const QList<MemoryClaim> others = getUsedMemory(m_project);
        {
            CardDialog open(cpu.get(), m_project);
            edit(*open.card<CardParWgt>(0, CardType::Amx05),
                 {"sbInputStart=4", "sbOutputStart=10"});
            edit(*open.card<CardParWgt>(1, CardType::Dix06),
                 {"cmbDirection3=Output", "cmbDirection0=Input", "address0/leAddress=5.0",
                  "address1/leAddress=5.1", "address2/leAddress=5.2", "address3/leAddress=6.7"});
            QCOMPARE(getUsedMemory(m_project), others); // nothing until OK
            if (!confirm) {
                open.cancel();
                QCOMPARE(getUsedMemory(m_project), others);
                QCOMPARE(int(cpu->cards[0].type), 0);
                QVERIFY(!cpu->holdsCardMemory);
                return;
            }
            QVERIFY(open.ok());
        }
        QVERIFY(cpu->holdsCardMemory);
        const QList<MemoryClaim> cards = cardClaims(m_project);
        // Channel 0 is an input, 1..3 outputs; the host lists neighbouring bits as one run.
        const QList<MemoryClaim> expected{{kAi, 4, 4, false, false},  {kAi, 8, 2, false, false},
                                          {kAq, 10, 2, false, false}, {kI, 40, 1, true, false},
                                          {kI, 44, 1, true, false},   {kQ, 41, 2, true, false},
                                          {kQ, 55, 1, true, false}};
        QCOMPARE(cards, expected);

        // Opening again and moving the analog inputs gives the old words back.
        {
            CardDialog open(cpu.get(), m_project);
            auto* amx = qobject_cast<CardAMX05PParWgt*>(open.slot(0)->currentPage());
            amx->inputStart()->setValue(12);
            QVERIFY(open.ok());
        }
        QCOMPARE(getMemory(m_project, kAi, 4, 4), int(MemoryOk));
        QCOMPARE(getMemory(m_project, kAi, 12, 1), int(MemoryOverlap));
        freeMemory(m_project, kAi, 4, 4);

        CpuObjectFactory::releaseMemory(*cpu);
        QList<MemoryClaim> neighbours = others;
        for (const MemoryClaim& claim : local)
            neighbours.removeOne(claim);
        // A restored module never held its local I/O.
        QCOMPARE(getUsedMemory(m_project), restored ? others : neighbours);
    }

    void endToEnd_data()
    {
        QTest::addColumn<CardType>("type");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QStringList>("edits"); // on the card's page
        QTest::addColumn<QByteArray>("part");   // the type's parameter bytes in section 39, hex
        QTest::addColumn<QString>("dumped");    // a line of hwcfg dump
        // clang-format off
        QTest::newRow("NONE") << CardType::None << 1 << QStringList() << QByteArray()
            << "card 1 / Module = 0 (NONE)";
        // Serial group: enabled, port, protocol, baud, data length, parity, stop bits, response
        // time, address, receive timeout, two zero bytes; then the CAN channel: enabled, port,
        // protocol, four zero bytes.
        QTest::newRow("485/CAN-P") << CardType::Can485 << 1
            << QStringList{"gbChnl0=1", "cmbProtocolCH0=#3", "cmbBaudCH0=#3", "sbAddressCH0=25",
                           "sbResponseTimeCH0=0", "gbChnl1=1", "cmbProtocolCH1=#1"}
            << QByteArray("01 03 03 03 02 00 01 00 19 07d0 0000" "01 04 01 00000000")
            << "card 1 / channel 1 (CAN) / Protocol Type = 1 (CANopen Master)";
        // The clock, then two serial groups.
        QTest::newRow("485/RTC-P") << CardType::Rtc485 << 0
            << QStringList{"ckbRtc", "gbChnl0=1", "cmbProtocolCH0=#1", "cmbBaudCH0=#3",
                           "cmbParityCH0=#2", "sbResponseTimeCH0=10", "sbAddressCH0=42",
                           "cmbProtocolCH1=#2", "sbReceiveTimeoutCH1=4000"}
            << QByteArray("01" "01 01 01 03 02 02 01 0a 2a 07d0 0000" "00 02 02 00 02 00 01 00 01 0fa0 0000")
            << "card 0 / channel 1 / Receive Timeout (ms) = 4000 (0x0fa0)";
        // Mappers (area, start byte, words), then 2 input and 1 output channel records of 8 bytes.
        QTest::newRow("AMX05-P") << CardType::Amx05 << 0
            << QStringList{"sbInputStart=16", "sbOutputStart=2", "gbChnl1=1", "cmbFilterPar1=#5",
                           "cmbFilterTime1=#1", "cmbInputRange1=#2", "cmbOpenWire1=#1", "gbChnl2=1",
                           "ckbFreeze", "sbOutputValue=2000", "cmbOutputRange=#1"}
            << QByteArray("06 0010 02 07 0002 01" "02 0008 0000000000000000 0008 0001050101020100"
                          "01 0008 0002010007d00101")
            << "card 0 / input channels 1 / Input Rang = 2 (4~20mA)";
        QTest::newRow("RTC-P") << CardType::Rtc << 1 << QStringList{"ckbRtc"} << QByteArray("01")
            << "card 1 / RTC = 01";
        // Per channel: index, direction, filter, freeze, area, bit address (32 bits), byte 20.
        QTest::newRow("DIX06-P") << CardType::Dix06 << 0
            << QStringList{"cmbDirection0=#0", "cmbFilter0=6.4ms", "cmbDirection1=#0", "cmbFilter1=#0",
                           "cmbFilter3=Freeze", "address0/leAddress=6.1", "address1/leAddress=6.2",
                           "address2/leAddress=30.0", "address3/leAddress=30.1"}
            << QByteArray("00 01 0d 00 81 00000031 00" "01 01 00 00 81 00000032 00"
                          "02 00 00 00 82 000000f0 00" "03 00 00 01 82 000000f1 00")
            << "card 0 / channel 3 / Address = 241 (30.1)";
        // clang-format on
    }

    // Each card kind edited through its widgets arrives in section 39 of the saved block.
    void endToEnd()
    {
        QFETCH(CardType, type);
        QFETCH(int, slot);
        QFETCH(QStringList, edits);
        QFETCH(QByteArray, part);
        QFETCH(QString, dumped);
        auto cpu = m_case->create(kCompact);
        {
            CardDialog open(cpu.get(), m_project);
            CardSlotCfgWidget* s = open.slot(slot);
            if (type == CardType::None)
                open.card<CardParWgt>(slot, CardType::Rtc); // chosen, then given up
            CardParWgt* page = open.card<CardParWgt>(slot, type);
            QTest::mouseClick(s->activation(), Qt::LeftButton);
            QTest::keyClicks(s->nameEdit(), QStringLiteral("Dosing"));
            QTest::keyClicks(s->describeEdit(), QStringLiteral("left"));
            if (page) // NONE has no page
                edit(*page, edits);
            QVERIFY2(open.ok(), qPrintable(m_case->messages.join('\n')));
        }
        const QByteArray body = ExtCardSection::writeBody(cpu->cards[slot]);
        QVERIFY(sectionOf(ParamBlock::save(*cpu), 39).contains(body));
        // Slot, activation, type; name "Dosing", description "left", four zero bytes.
        const QByteArray head = QByteArray::number(slot).rightJustified(2, '0') + "01" +
                                QByteArray::number(int(type)).rightJustified(2, '0');
        QCOMPARE(body.toHex(), type == CardType::None ? head
                                                      : head + "06446f73696e67046c65667400000000" +
                                                            part.replace(' ', ""));
        QStringList fields;
        for (const DumpField& field : decodedSection(ParamBlock::save(*cpu), 39).fields)
            fields.append(field.name + QStringLiteral(" = ") + field.value);
        QVERIFY2(fields.contains(dumped), qPrintable(fields.join('\n')));
    }

    // A record of code 4 has no entry in the list: it is shown as nothing chosen and kept.
    void codeFourIsKept()
    {
        auto cpu = m_case->create(kCompact);
        cpu->cards[1].type = 4;
        cpu->cards[1].name = QStringLiteral("kept");
        {
            CardDialog open(cpu.get(), m_project);
            QCOMPARE(open.slot(1)->cardList()->currentIndex(), -1);
            QVERIFY(!open.slot(1)->currentPage());
            QVERIFY(open.ok());
        }
        const QByteArray body = ExtCardSection::writeBody(cpu->cards[1]);
        // Slot, off, code 4, "kept", no description, four zero bytes.
        QCOMPARE(body.toHex(' '), QByteArray("01 00 04 04 6b 65 70 74 00 00 00 00 00"));
        QVERIFY(sectionOf(ParamBlock::save(*cpu), 39).contains(body));
    }
};

QTEST_MAIN(TestCardPages)
#include "tst_cardpages.moc"
