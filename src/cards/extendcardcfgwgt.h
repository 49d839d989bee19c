#pragma once

#include "cardslotcfgwidget.h"

#include "model/cpuobject.h"

#include <QTabWidget>

#include <array>

// The expansion cards of the compact CPU: the upper and the lower slot on two tabs. It
// keeps the two rules that span the slots: one card may have the real-time clock on, one
// card may be the CANopen master.
class ExtendCardCfgWgt : public QTabWidget
{
    Q_OBJECT

public:
    using Cards = std::array<CardRecord, CpuObject::CardCount>;

    ExtendCardCfgWgt(const QString& projectPath, const Cards& cards, QWidget* parent = nullptr);

    // Shows both records; what the slots held before is given back first.
    void load(const Cards& cards);
    // "NONE", not activated, in both slots.
    void restoreDefaults();
    // Both records, upper slot first; false, and `cards` untouched, when a card page
    // refuses its input.
    bool collect(Cards& cards);

    CardSlotCfgWidget* slotWidget(int slot) const { return m_slots.at(size_t(slot)); }
    int rtcHolder() const { return m_rtcSlot; }
    int canOpenHolder() const { return m_canOpenSlot; }

signals:
    void signal_rtcEnableCardChanged(int slotId);
    void signal_selCANOpenCardChanged(int slotId);

public slots:
    void slot_rtcEnableOfCardChanged(int slotId, int state);
    void slot_getSlotIdOfRtcEnable(int& slotId);
    void slot_CANOpenSelOfCardChanged(int slotId, bool isSel);
    void slot_getSelCANOpenCardSlotId(int& slotId);

private:
    Cards m_cards;
    int m_rtcSlot = -1;
    int m_canOpenSlot = -1;
    std::array<CardSlotCfgWidget*, CpuObject::CardCount> m_slots{};
};
