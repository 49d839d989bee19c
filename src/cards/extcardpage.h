#pragma once

#include "dialog/dialogpage.h"

class ExtendCardCfgWgt;

// The "Extend Card" page of the compact model: the two card slots. On OK it checks the
// card pages' input and that the cards' addresses are free in the project, writes both
// records, moves the cards' memory claims to the new addresses and hands a card's CANopen
// master settings to the CPU's CANopen master.
class ExtCardPage : public DialogPage
{
    Q_OBJECT

public:
    explicit ExtCardPage(const DialogContext& context, QWidget* parent = nullptr);

    void load(const CpuObject& source) override;
    void loadAtOpen(const CpuObject& object) override;
    void apply(CpuObject& target) override;
    void followUp(const CpuObject& target, ApplyFollowUp& followUp) override;
    QList<PageCheck> checks() const override;
    QList<StationAddress> stationAddresses() const override;

    ExtendCardCfgWgt* cards() const { return m_cards; }

    // Copies the CANopen master settings of the card that is the CANopen master (CAN
    // channel on, in CANopen master mode, selected) into the CPU's CANopen master.
    static void copyCanOpenMaster(CpuObject& target);

public slots:
    void slot_bttnDefauExtCard();

private:
    CheckResult checkCards() const;
    CheckResult checkMemory() const;

    ExtendCardCfgWgt* m_cards;
    const CpuObject* m_edited = nullptr; // the object the dialog was opened on
    bool m_collectFailed = false;
};
