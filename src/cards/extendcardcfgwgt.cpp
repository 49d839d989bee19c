#include "extendcardcfgwgt.h"

ExtendCardCfgWgt::ExtendCardCfgWgt(const QString& projectPath, const Cards& cards, QWidget* parent)
    : QTabWidget(parent)
    , m_cards(cards)
{
    setObjectName(QStringLiteral("extendCard"));
    const QString titles[] = {tr("Upper slot"), tr("Lower slot")};
    for (int slot = 0; slot < CpuObject::CardCount; ++slot) {
        auto* widget = new CardSlotCfgWidget(projectPath, slot, m_cards[size_t(slot)], this);
        m_slots[size_t(slot)] = widget;
        addTab(widget, titles[slot]);
        connect(widget, &CardSlotCfgWidget::signal_rtcEnableOfCardChanged, this,
                &ExtendCardCfgWgt::slot_rtcEnableOfCardChanged);
        connect(widget, &CardSlotCfgWidget::signal_getSlotIdOfRtcEnable, this,
                &ExtendCardCfgWgt::slot_getSlotIdOfRtcEnable);
        connect(widget, &CardSlotCfgWidget::signal_CANOpenSelOfCardChanged, this,
                &ExtendCardCfgWgt::slot_CANOpenSelOfCardChanged);
        connect(widget, &CardSlotCfgWidget::signal_getSelCANOpenCardSlotId, this,
                &ExtendCardCfgWgt::slot_getSelCANOpenCardSlotId);
        connect(this, &ExtendCardCfgWgt::signal_rtcEnableCardChanged, widget,
                &CardSlotCfgWidget::signal_rtcEnableCardChanged);
        connect(this, &ExtendCardCfgWgt::signal_selCANOpenCardChanged, widget,
                &CardSlotCfgWidget::signal_selCANOpenCardChanged);
    }
    load(m_cards);
}

void ExtendCardCfgWgt::load(const Cards& cards)
{
    // Both slots give back first, so that the loaded cards find the clock and the CANopen
    // master free whatever the slots showed before.
    for (CardSlotCfgWidget* widget : m_slots)
        widget->releaseExclusive();
    m_cards = cards;
    for (CardSlotCfgWidget* widget : m_slots)
        widget->load(m_cards[size_t(widget->slotId())]);
}

void ExtendCardCfgWgt::restoreDefaults()
{
    for (CardSlotCfgWidget* widget : m_slots)
        widget->slot_bttnDefaults();
}

bool ExtendCardCfgWgt::collect(Cards& cards)
{
    Cards collected = m_cards;
    for (CardSlotCfgWidget* widget : m_slots) {
        if (!widget->collect(collected[size_t(widget->slotId())]))
            return false;
    }
    m_cards = collected;
    cards = collected;
    return true;
}

void ExtendCardCfgWgt::slot_rtcEnableOfCardChanged(int slotId, int state)
{
    if (state == Qt::Checked && m_rtcSlot == -1) {
        m_rtcSlot = slotId;
        emit signal_rtcEnableCardChanged(slotId);
    } else if (state == Qt::Unchecked && slotId == m_rtcSlot) {
        m_rtcSlot = -1;
        emit signal_rtcEnableCardChanged(-1);
    }
}

void ExtendCardCfgWgt::slot_getSlotIdOfRtcEnable(int& slotId)
{
    slotId = m_rtcSlot;
}

void ExtendCardCfgWgt::slot_CANOpenSelOfCardChanged(int slotId, bool isSel)
{
    if (isSel && m_canOpenSlot == -1) {
        m_canOpenSlot = slotId;
        emit signal_selCANOpenCardChanged(slotId);
    } else if (!isSel && slotId == m_canOpenSlot) {
        m_canOpenSlot = -1;
        emit signal_selCANOpenCardChanged(-1);
    }
}

void ExtendCardCfgWgt::slot_getSelCANOpenCardSlotId(int& slotId)
{
    slotId = m_canOpenSlot;
}
