#pragma once

#include "cardparwgt.h"

#include <array>

class AddressWdgt;
class MComboBoxEx;
class QTableWidget;

// "DIX06-P": four digital channels, each an input (with a filter) or an output (with a
// freeze choice) at a bit address of the input or output area.
class CardDIX06PParWgt : public CardParWgt
{
    Q_OBJECT

public:
    enum Column { ChannelColumn, DirectionColumn, FilterColumn, AddressColumn };

    CardDIX06PParWgt(const QString& projectPath, int slotId, const CardRecord& record,
                     QWidget* parent = nullptr);

    CardType cardType() const override { return CardType::Dix06; }
    void load(const CardRecord& record) override;
    CheckResult validate() const override;

    QTableWidget* table() const { return m_table; }
    MComboBoxEx* direction(int channel) const;
    MComboBoxEx* filter(int channel) const;
    AddressWdgt* address(int channel) const;

protected:
    void write(CardRecord& record) const override;
    QList<QWidget*> memoryFields() const override;

private:
    // "Input" offers the filters and the input area, "Output" the freeze choice and the
    // output area.
    void directionChanged(int channel);

    QTableWidget* m_table;
};
