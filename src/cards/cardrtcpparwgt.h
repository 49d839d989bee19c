#pragma once

#include "clockcardparwgt.h"

// "RTC-P": a real-time-clock card; its parameter data is one byte, 1 with the clock on.
class CardRTCPParWgt : public ClockCardParWgt
{
    Q_OBJECT

public:
    CardRTCPParWgt(const QString& projectPath, int slotId, const CardRecord& record,
                   QWidget* parent = nullptr);

    CardType cardType() const override { return CardType::Rtc; }
    void load(const CardRecord& record) override;

protected:
    void write(CardRecord& record) const override;
};
