#pragma once

#include "dialog/checkfailure.h"

#include "model/hscchannel.h"

#include <QGroupBox>

class MComboBoxEx;
class QComboBox;
class QLabel;
class QLineEdit;

// The settings of one high-speed counter: enable, mode, reset level, count rate,
// direction, preset and current value, input pulse filter and speed-testing time. The
// modes a counter offers depend on its number; counters 2 and up have no reset level.
class HscCounterGroup : public QGroupBox
{
    Q_OBJECT

public:
    HscCounterGroup(int counter, QWidget* parent = nullptr);

    int counter() const { return m_counter; }

    // Shows the record as it is: the count rate is enabled as the mode asks, but keeps the
    // stored rate. A value no list entry names shows no selection.
    void load(const HscChannel& channel);
    // Writes what the group shows into the record's fields; bits and bytes the group does
    // not show, and fields without a selection or a whole number, stay as they are.
    void apply(HscChannel& channel) const;
    // The first number field whose text is not a whole number in its range.
    CheckResult checkNumbers() const;

    // The mode of the selected entry; -1 when none is selected.
    int mode() const;
    // Count Rate is enabled for modes 9 and 10 only; with `selectRate`, "4x" or "1x" is
    // selected to match (what a change of mode by the user does).
    void followMode(bool selectRate);

    QComboBox* enableList() const;
    QComboBox* modeList() const;
    QComboBox* resetLevelList() const;
    QComboBox* rateList() const;
    QComboBox* directionList() const;
    QComboBox* filterList() const;
    QLineEdit* presetField() const { return m_preset; }
    QLineEdit* currentField() const { return m_current; }
    QLineEdit* speedField() const { return m_speed; }
    QLabel* rateLabel() const { return m_rateLabel; }
    QLabel* resetLevelLabel() const { return m_resetLabel; }

private:
    QLineEdit* numberField(const QString& name, qint64 bottom, qint64 top);

    const int m_counter;
    MComboBoxEx* m_enable;
    MComboBoxEx* m_mode;
    MComboBoxEx* m_resetLevel;
    MComboBoxEx* m_rate;
    MComboBoxEx* m_direction;
    QLineEdit* m_preset;
    QLineEdit* m_current;
    MComboBoxEx* m_filter;
    QLineEdit* m_speed;
    QLabel* m_resetLabel = nullptr;
    QLabel* m_rateLabel = nullptr;
};
