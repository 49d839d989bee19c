#pragma once

#include "cardparwgt.h"

class QCheckBox;
class QLabel;

// A card page with the real-time-clock check box "RTC %1". One card in the CPU may have
// the clock on: the page reports its box to its slot and follows the holder it is told.
class ClockCardParWgt : public CardParWgt
{
    Q_OBJECT

public:
    ClockCardParWgt(const QString& projectPath, int slotId, QWidget* parent = nullptr);

    QCheckBox* rtcCheck() const { return m_rtc; }
    // The box's label, "RTC (...)"; it wraps, so it sits beside the box.
    QString rtcText() const;

    void reportState() override;
    void releaseExclusive() override;

    // "RTC (...)" for a page that may take the clock, and for one that may not.
    static QString allowedText();
    static QString lockedText();

signals:
    void signal_rtcStateChanged(int slotId, int state);
    // Answered at once through the argument: the slot whose card has the clock, or -1.
    void signal_getSlotIdOfRtcEnable(int& slotId);

public slots:
    void slot_rtcStateChanged();
    void slot_rtcEnableCardChanged(int slot);

protected:
    // Sets the box without reporting it (loading).
    void setRtcChecked(bool checked);
    // The box with its label, for the page's layout.
    QWidget* rtcRow() const { return m_row; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int askHolder();

    QWidget* m_row;
    QCheckBox* m_rtc;
    QLabel* m_rtcLabel;
};
