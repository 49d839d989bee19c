#pragma once

#include "cardparwgt.h"

class MComboBoxEx;
class MSpinBoxEx;
class QGroupBox;
class QLineEdit;
class SerialChannelGroup;

// "485/CAN-P": one RS-485 channel and a CAN channel that can be the CPU's CANopen master.
// One card in the CPU may be the CANopen master: the page reports its selection to its
// slot and follows the holder it is told.
class Card485CANPParWgt : public CardParWgt
{
    Q_OBJECT

public:
    // CAN protocol codes (the list's item data).
    enum CanProtocol { CanFree = 0, CanOpenMaster = 1 };

    Card485CANPParWgt(const QString& projectPath, int slotId, const CardRecord& record,
                      QWidget* parent = nullptr);

    CardType cardType() const override { return CardType::Can485; }
    void load(const CardRecord& record) override;
    CheckResult validate() const override;
    QList<StationAddress> stationAddresses() const override;
    void reportState() override;
    void releaseExclusive() override;

    SerialChannelGroup* serialChannel() const { return m_serial; }
    QGroupBox* canChannel() const { return m_can; }
    QGroupBox* canOpenGroup() const { return m_canOpen; }

signals:
    void signal_notiCANOpenSelChanged(int slotId, bool isSel);
    // Answered at once through the argument: the slot whose card is the CANopen master, or -1.
    void signal_getSelCANOpenCardSlotId(int& cardSlotId);

public slots:
    void slot_chnl0_protocolIndexChange(int index);
    void slot_chnl1_protocolIndexChange(int index);
    void slot_gbChnl0_clicked(bool checked);
    void slot_gbChnl1_clicked(bool checked);
    void slot_selCANOpenCardChanged(int slotId);

protected:
    void write(CardRecord& record) const override;

private:
    void canOpenToggled(bool on);
    int askHolder();
    // The CANopen master can be chosen while the CAN channel is on in CANopen master mode
    // and no other card is the master.
    void updateCanOpenGroup(int holder);
    void setCanOpenChecked(bool on);
    bool canOpenMode() const;

    SerialChannelGroup* m_serial;
    QGroupBox* m_can;
    MSpinBoxEx* m_canPort;
    MComboBoxEx* m_canProtocol;
    QGroupBox* m_canOpen;
    MComboBoxEx* m_canBaud;
    MComboBoxEx* m_nodeId;
    QLineEdit* m_cobId;
    MSpinBoxEx* m_cyclePeriod;
    MSpinBoxEx* m_heartbeat;
    int m_holder = -1;
};
