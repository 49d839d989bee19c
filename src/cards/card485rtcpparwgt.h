#pragma once

#include "clockcardparwgt.h"

#include <array>

class SerialChannelGroup;

// "485/RTC-P": two RS-485 channels and the real-time clock.
class Card485RTCPParWgt : public ClockCardParWgt
{
    Q_OBJECT

public:
    Card485RTCPParWgt(const QString& projectPath, int slotId, const CardRecord& record,
                      QWidget* parent = nullptr);

    CardType cardType() const override { return CardType::Rtc485; }
    void load(const CardRecord& record) override;
    QList<StationAddress> stationAddresses() const override;

    SerialChannelGroup* channel(int index) const { return m_channels.at(size_t(index)); }

public slots:
    void slot_protocolIndexChange(int index);
    // Two slaves on one card cannot share an address: a repeated one is refused at once.
    void slot_address_editingFinished();
    void slot_gbChnl_clicked(bool checked);

protected:
    void write(CardRecord& record) const override;

private:
    std::array<SerialChannelGroup*, 2> m_channels;
    std::array<int, 2> m_lastAddress{{1, 1}};
};
