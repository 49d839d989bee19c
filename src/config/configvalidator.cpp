#include "configvalidator.h"

#include "busrules.h"
#include "cardrules.h"
#include "opcuasettingsrules.h"
#include "retentiverules.h"
#include "soerules.h"
#include "stationrules.h"

#include "block/canmasterbridge.h"
#include "block/cpuparamsection.h"
#include "block/resultcodes.h"
#include "model/cardlists.h"
#include "model/cardmemory.h"
#include "model/cpumodel.h"
#include "model/cpuobjectfactory.h"

#include <corekit/memory.h>
#include <corekit/plcfacts.h>
#include <corekit/projectqueries.h>

#include <QCoreApplication>

namespace {

// The pages' protocol codes of a port that answers to a station address.
constexpr quint8 kCardModbusSlave = 3;  // serial channel of a card: NONE, FREE, master, slave
constexpr quint8 kLocalModbusSlave = 2; // built-in port: FREE, master, slave, PPI ...
constexpr quint8 kCanOpenMaster = 1;

class Findings
{
public:
    explicit Findings(QList<ConfigFinding>& list)
        : m_list(list)
    {}

    void add(const char* check, const RuleResult& result)
    {
        if (result)
            m_list.append({result->path, result->text, QLatin1String(check)});
    }
    void add(const char* check, const QList<RuleFailure>& failures)
    {
        for (const RuleFailure& f : failures)
            m_list.append({f.path, f.text, QLatin1String(check)});
    }
    void add(const char* check, const QString& path, const QString& message)
    {
        m_list.append({path, message, QLatin1String(check)});
    }

private:
    QList<ConfigFinding>& m_list;
};

bool hasCode(const QVector<CardChoice>& list, quint32 code)
{
    return std::any_of(list.begin(), list.end(),
                       [code](const CardChoice& c) { return quint32(c.code) == code; });
}

QString cardPath(int slot, const char* member)
{
    return QStringLiteral("cards[%1].%2").arg(slot).arg(QLatin1String(member));
}

// The AMX05-P checks on what its page shows: the mapper starts, the enabled output's value.
void checkAmx05(const CardRecord& card, int slot, const QString& type, const QString& version,
                Findings& findings)
{
    const Amx05Params& p = card.amx05;
    const int inputBytes = qMax(0, getPlcAddrRange(type, version, QStringLiteral("AI")));
    const int outputBytes = qMax(0, getPlcAddrRange(type, version, QStringLiteral("AQ")));
    findings.add("expansionCards",
                 CardRules::amx05Start(p.inputStart, inputBytes, CardRules::Amx05InputWords,
                                       cardPath(slot, "amx05.inputStart")));
    findings.add("expansionCards",
                 CardRules::amx05Start(p.outputStart, outputBytes, CardRules::Amx05OutputWords,
                                       cardPath(slot, "amx05.outputStart")));
    for (int k = 0; k < p.outputs.size(); ++k) {
        const AnalogChannel& out = p.outputs.at(k);
        if (out[1] != 2) // the page's output channel
            continue;
        const int range = hasCode(CardLists::outputRanges(), out[7]) ? out[7] : -1;
        findings.add(
            "expansionCards",
            CardRules::amx05OutputValue(
                out[6] != 0, range, out[4] << 8 | out[5],
                cardPath(slot,
                         qPrintable(QStringLiteral("amx05.outputs[%1].outputValue").arg(k)))));
        break;
    }
}

void checkDix06(const CardRecord& card, int slot, Findings& findings)
{
    for (int k = 0; k < CardRecord::Dix06Channels; ++k) {
        const Dix06Channel& c = card.dix06[size_t(k)];
        // The page offers an area for a known direction; an area of 0 is no address yet.
        const int area = hasCode(CardLists::directions(), c.direction) ? 0 : -1;
        const int bit =
            c.area == 0 ? -1
                        : CardRules::parseBitAddress(
                              QStringLiteral("%1.%2").arg(c.bitAddress / 8).arg(c.bitAddress % 8));
        findings.add(
            "expansionCards",
            CardRules::dix06Address(
                area, bit,
                cardPath(slot,
                         qPrintable(QStringLiteral("dix06.channels[%1].bitAddress").arg(k)))));
    }
}

// The memory the card pages would claim: what each page writes for its addresses.
QList<CardUse> cardUses(const CpuObject& object)
{
    QList<CardUse> uses;
    for (int slot = 0; slot < CpuObject::CardCount; ++slot) {
        const CardRecord& card = object.cards[size_t(slot)];
        if (card.cardType() == CardType::Amx05) {
            const Amx05Params& p = card.amx05;
            uses.append(
                {{Amx05Params::InputArea, p.inputStart, 2 * CardRules::Amx05InputWords, false},
                 slot,
                 card.type,
                 cardPath(slot, "amx05.inputStart")});
            uses.append(
                {{Amx05Params::OutputArea, p.outputStart, 2 * CardRules::Amx05OutputWords, false},
                 slot,
                 card.type,
                 cardPath(slot, "amx05.outputStart")});
        } else if (card.cardType() == CardType::Dix06) {
            for (int k = 0; k < CardRecord::Dix06Channels; ++k) {
                const Dix06Channel& c = card.dix06[size_t(k)];
                if (!hasCode(CardLists::directions(), c.direction))
                    continue;
                const int area = c.direction == 1 ? CardLists::inputAreas().first().code
                                                  : CardLists::outputAreas().first().code;
                uses.append(
                    {{area, int(c.bitAddress), 1, true},
                     slot,
                     card.type,
                     cardPath(slot,
                              qPrintable(QStringLiteral("dix06.channels[%1].bitAddress").arg(k)))});
            }
        }
    }
    return uses;
}

void checkCardMemory(const CpuObject& object, Findings& findings)
{
    const QString& path = object.projectPath;
    if (path.isEmpty())
        return;
    QList<CardClaim> held;
    if (object.holdsCardMemory) {
        for (const CardRecord& card : object.cards)
            held += CardMemory::claimsOf(card);
    }
    // The dialog's module holds its local I/O bytes; a stored one claims them for the trial.
    backupUsedMemory(path);
    if (!object.holdsLocalMemory) {
        CpuObject trial = object;
        CpuObjectFactory::claimLocalIo(trial);
    }
    findings.add("expansionCards", CardRules::memory(path, held, cardUses(object)));
    restoreUsedMemory(path);
}

QList<StationValue> stationAddresses(const CpuObject& object)
{
    QList<StationValue> addresses;
    // The card page comes before the port page in the dialog.
    for (int slot = 0; slot < CpuObject::CardCount; ++slot) {
        const CardRecord& card = object.cards[size_t(slot)];
        QList<QPair<const SerialChannel*, const char*>> channels;
        if (card.cardType() == CardType::Can485)
            channels.append({&card.can485.channel0, "can485.channel0.address"});
        if (card.cardType() == CardType::Rtc485) {
            channels.append({&card.rtc485.channel0, "rtc485.channel0.address"});
            channels.append({&card.rtc485.channel1, "rtc485.channel1.address"});
        }
        for (const auto& [channel, member] : channels) {
            if (channel->enabled && channel->protocol == kCardModbusSlave)
                addresses.append({channel->address, cardPath(slot, member)});
        }
    }
    if (object.localPort.protocol == kLocalModbusSlave)
        addresses.append({object.localPort.address, QStringLiteral("ports.localPort.address")});
    return addresses;
}

QString compileText(int value)
{
    switch (CompileError(value)) {
    case CompileError::RetentiveTooLarge:
        return QCoreApplication::translate("ConfigValidator",
                                           "Compile error %1: the retentive ranges need more than "
                                           "128 KiB of retentive memory.")
            .arg(value);
    case CompileError::RetentiveTooLargeCompact:
        return QCoreApplication::translate("ConfigValidator",
                                           "Compile error %1: the retentive ranges need more than "
                                           "the compact CPU's 164 KiB of retentive memory.")
            .arg(value);
    case CompileError::SoeDataBlockMissing:
        return QCoreApplication::translate("ConfigValidator",
                                           "Compile error %1: an SOE record is triggered by a data "
                                           "block that the project does not contain.")
            .arg(value);
    case CompileError::CanMasterLimits:
        return QCoreApplication::translate(
                   "ConfigValidator", "Compile error %1: at 20 kbit/s the CANopen master takes "
                                      "at most 8 slaves, and a slave at most 8 process data "
                                      "channels.")
            .arg(value);
    }
    return QCoreApplication::translate("ConfigValidator", "Compile error %1.").arg(value);
}

} // namespace

QList<ConfigFinding> ConfigValidator::validate(const CpuObject& object, const IpCheck& ipCheck)
{
    QList<ConfigFinding> list;
    Findings findings(list);
    const QString& path = object.projectPath;
    QString type = CpuModel::PlaceholderPlcType;
    QString version = CpuModel::PlaceholderPlcVersion;
    getPrjPlcTypeVersion(path, type, version);
    const bool compact = CpuModel::isCompact(object.descriptor.MLFB);
    const TcpIpParams& net = object.params.tcpIp;

    // The used SOE slots in the order the document lists them.
    QList<QPair<int, QString>> soe;
    for (int slot = 0; slot < SoeRecord::SlotCount; ++slot) {
        if (object.soe[size_t(slot)].isUsed())
            soe.append({slot, QStringLiteral("soe[%1]").arg(soe.size())});
    }

    findings.add("tcpIpAddresses", TcpIpRules::addresses(TcpIpRules::shown(net), ipCheck));
    findings.add("deviceName", TcpIpRules::deviceName(net.deviceName.text()));
    for (int i = 0; i < CpuParams::RetentiveCount; ++i) {
        const RetentiveRange& r = object.params.retentive[size_t(i)];
        findings.add("retentiveRanges",
                     RetentiveRules::range(i, r.typeCode, r.areaCode,
                                           RetentiveRules::shownOffset(r), r.count, type, version));
    }
    if (getPlcSupportOpcUA(type, version))
        findings.add("opcUaSettings", OpcUaSettingsRules::check(
                                          OpcUaSettingsRules::shown(object.opcUaSettingsData)));
    const bool askBlocks = std::any_of(soe.begin(), soe.end(), [&](const auto& s) {
        return SoeRules::namesDataBlock(object.soe[size_t(s.first)]);
    });
    const QStringList blocks =
        askBlocks ? getPrjObjectChildren(path, PrjObjectKindDataBlock) : QStringList();
    for (const auto& [slot, at] : soe)
        findings.add("soeTriggers", SoeRules::trigger(object.soe[size_t(slot)], blocks,
                                                      at + QLatin1String(".trigger.dbNumber")));
    findings.add("profinetName", BusRules::profinetName(object.profinet.useBus != 0,
                                                        object.profinet.useCustomName != 0,
                                                        object.profinet.customName));
    if (getPrjSupportQBus(path))
        findings.add("qbusName",
                     BusRules::qbusName(object.qbus.useSlave != 0, object.qbus.useCustomName != 0,
                                        object.qbus.customName));
    if (TcpIpRules::showsPort(net))
        findings.add("portNumbers", TcpIpRules::port(net.port));
    findings.add("portNumbers", TcpIpRules::serverPort(net.serverPort));
    for (const auto& [slot, at] : soe) {
        const SoeRecord& record = object.soe[size_t(slot)];
        findings.add("soeTitles",
                     SoeRules::title(slot, true, record.title, at + QLatin1String(".title")));
    }
    if (compact) {
        findings.add("stationAddresses", StationRules::repeated(stationAddresses(object)));
        int canOpenHolder = -1;
        for (int slot = 0; slot < CpuObject::CardCount; ++slot) {
            const CardRecord& card = object.cards[size_t(slot)];
            switch (card.cardType()) {
            case CardType::Amx05:
                checkAmx05(card, slot, type, version, findings);
                break;
            case CardType::Dix06:
                checkDix06(card, slot, findings);
                break;
            case CardType::Can485: {
                // One card is the CANopen master: the first that has it selected in that mode.
                const Can485Params& can = card.can485;
                const bool master = can.canopenSelected && can.canEnabled &&
                                    can.canProtocol == kCanOpenMaster && canOpenHolder < 0;
                if (master)
                    canOpenHolder = slot;
                findings.add("expansionCards",
                             CardRules::can485CobId(master, QString::number(can.cobId),
                                                    cardPath(slot, "can485")));
                break;
            }
            default:
                break;
            }
        }
        checkCardMemory(object, findings);
    }

    // What compile adds: the CPU parameter section's download checks and the CANopen limits.
    CpuObject copy = object;
    QList<int> errors;
    CpuParamSection::write(copy, WriteMode::Download, errors);
    if (copy.canMasterEnabled) {
        QByteArray payload;
        CanMasterBridge::compile(copy.canMaster, payload, errors);
    }
    for (int value : errors) {
        const CompileError error = CompileError(value);
        const QString at = error == CompileError::CanMasterLimits ? QStringLiteral("canopenMaster")
                           : error == CompileError::SoeDataBlockMissing
                               ? QStringLiteral("soe")
                               : QStringLiteral("retentive");
        findings.add("compile", at, compileText(value));
    }
    return list;
}
