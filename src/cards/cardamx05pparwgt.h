#pragma once

#include "cardparwgt.h"

#include "config/cardrules.h"

#include <array>

class MComboBoxEx;
class MSpinBoxEx;
class QCheckBox;
class QGroupBox;
class QLabel;

// "AMX05-P": two analog inputs, one analog output, and the word ranges of the analog input
// and output areas the card's values are mapped to.
class CardAMX05PParWgt : public CardParWgt
{
    Q_OBJECT

public:
    static constexpr int InputChannels = 2;
    static constexpr int OutputChannel = 2;
    static constexpr int InputWords = CardRules::Amx05InputWords;
    static constexpr int OutputWords = CardRules::Amx05OutputWords;

    CardAMX05PParWgt(const QString& projectPath, int slotId, const CardRecord& record,
                     QWidget* parent = nullptr);

    CardType cardType() const override { return CardType::Amx05; }
    void load(const CardRecord& record) override;
    CheckResult validate() const override;

    // The output value range of an "Output Range:" code.
    static QPair<int, int> outputValueRange(int rangeCode);

    MSpinBoxEx* inputStart() const { return m_inputStart; }
    MSpinBoxEx* outputStart() const { return m_outputStart; }
    MSpinBoxEx* outputValue() const { return m_outputValue; }

public slots:
    void slot_range_indexChanged(int index);
    void slot_editingInputFinished();
    void slot_editingOutputFinished();

protected:
    void write(CardRecord& record) const override;
    QList<QWidget*> memoryFields() const override;

private:
    struct InputChannel
    {
        QGroupBox* group;
        MComboBoxEx* filterParameter;
        MComboBoxEx* filterTime;
        MComboBoxEx* inputRange;
        MComboBoxEx* openWire;
        MComboBoxEx* direction;
    };

    QGroupBox* buildInput(int channel);
    QGroupBox* buildOutput();
    QGroupBox* buildMapper(bool input);
    // The highest start byte that leaves room for the mapper's words in its area.
    int maxStart(int area, int words) const;
    void showMapper(MSpinBoxEx* start, QLabel* range, int area, int words);

    std::array<InputChannel, InputChannels> m_inputs{};
    QGroupBox* m_output = nullptr;
    QCheckBox* m_freeze = nullptr;
    MSpinBoxEx* m_outputValue = nullptr;
    MComboBoxEx* m_outputRange = nullptr;
    MSpinBoxEx* m_inputStart = nullptr;
    MSpinBoxEx* m_outputStart = nullptr;
    QLabel* m_inputRangeText = nullptr;
    QLabel* m_outputRangeText = nullptr;
    int m_inputAreaBytes = 0; // 0: the PLC type declares no size
    int m_outputAreaBytes = 0;
};
