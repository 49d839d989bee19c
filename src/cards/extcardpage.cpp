#include "extcardpage.h"

#include "card485canpparwgt.h"
#include "extendcardcfgwgt.h"

#include "config/cardrules.h"
#include "model/cardlists.h"
#include "model/cardmemory.h"

#include <corekit/memory.h>

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

ExtCardPage::ExtCardPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::ExtCard, context, parent)
    , m_cards(new ExtendCardCfgWgt(context.projectPath, CpuObject().cards, this))
{
    // The page's Defaults sits in the corner of the slot tabs, where it takes no row.
    QHBoxLayout* intro = introRow(QString(), &ExtCardPage::slot_bttnDefauExtCard);
    intro->removeWidget(defaultsButton());
    delete intro;
    m_cards->setCornerWidget(defaultsButton(), Qt::TopRightCorner);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_cards, 1);
}

void ExtCardPage::slot_bttnDefauExtCard()
{
    requestDefaults();
}

void ExtCardPage::load(const CpuObject& source)
{
    m_cards->load(source.cards);
}

void ExtCardPage::loadAtOpen(const CpuObject& object)
{
    m_edited = &object;
    load(object);
}

CheckResult ExtCardPage::checkCards() const
{
    for (int slot = 0; slot < CpuObject::CardCount; ++slot) {
        if (CheckResult failure = m_cards->slotWidget(slot)->validate())
            return failure;
    }
    return std::nullopt;
}

CheckResult ExtCardPage::checkMemory() const
{
    const QString path = m_edited ? m_edited->projectPath : context().projectPath;
    QList<CardClaim> held;
    if (m_edited && m_edited->holdsCardMemory) {
        for (const CardRecord& card : m_edited->cards)
            held += CardMemory::claimsOf(card);
    }
    QList<CardParWgt::MemoryUse> uses;
    QList<CardUse> wanted;
    for (int slot = 0; slot < CpuObject::CardCount; ++slot) {
        const CardSlotCfgWidget* widget = m_cards->slotWidget(slot);
        for (const CardParWgt::MemoryUse& use : widget->memoryUse()) {
            uses.append(use);
            wanted.append({use.claim, slot, widget->currentType(), QString()});
        }
    }
    int failed = -1;
    const RuleResult failure = CardRules::memory(path, held, wanted, &failed);
    if (!failure)
        return std::nullopt;
    return failureAt(*failure, uses.at(failed).field);
}

QList<PageCheck> ExtCardPage::checks() const
{
    return {{OkStep::ExpansionCards,
             [this] {
                 return checkCards();
             }},
            {OkStep::ExpansionCards, [this] {
                 return checkMemory();
             }}};
}

QList<StationAddress> ExtCardPage::stationAddresses() const
{
    QList<StationAddress> addresses;
    for (int slot = 0; slot < CpuObject::CardCount; ++slot)
        addresses += m_cards->slotWidget(slot)->stationAddresses();
    return addresses;
}

void ExtCardPage::apply(CpuObject& target)
{
    ExtendCardCfgWgt::Cards cards = target.cards;
    m_collectFailed = !m_cards->collect(cards);
    if (m_collectFailed)
        return; // the checks passed, so this does not happen; the cards stay as they were
    const QString& path = target.projectPath;
    if (path.isEmpty()) {
        target.cards = cards;
    } else {
        // The old addresses go back before the new ones are taken, in the same ranges.
        if (target.holdsCardMemory) {
            for (const CardRecord& card : target.cards)
                CardMemory::release(path, CardMemory::claimsOf(card));
        }
        target.cards = cards;
        QList<CardClaim> claims;
        for (const CardRecord& card : target.cards)
            claims += CardMemory::claimsOf(card);
        target.holdsCardMemory = CardMemory::claim(path, claims) == MemoryOk;
    }
    copyCanOpenMaster(target);
}

void ExtCardPage::followUp(const CpuObject&, ApplyFollowUp& followUp)
{
    if (m_collectFailed)
        followUp.warnings.append(tr("dataError"));
}

void ExtCardPage::copyCanOpenMaster(CpuObject& target)
{
    for (const CardRecord& card : target.cards) {
        const Can485Params& can = card.can485;
        if (card.cardType() != CardType::Can485 || !can.canEnabled ||
            can.canProtocol != Card485CANPParWgt::CanOpenMaster || !can.canopenSelected)
            continue;
        CanMasterConfig& master = target.canMaster;
        if (const int kbps = CardLists::canBaudKbps(can.canBaudCode))
            master.baudRate = kbps;
        master.nodeId = quint8(can.nodeId);
        master.cobId = can.cobId;
        master.cyclePeriod = can.cyclePeriod;
        master.heartbeat = quint16(qMin<quint32>(can.heartbeat, 0xFFFF));
    }
}
