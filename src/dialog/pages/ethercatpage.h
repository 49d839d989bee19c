#pragma once

#include "dialog/dialogpage.h"

class QCheckBox;
class QGroupBox;
class QSpinBox;

// The CPU's integrated EtherCAT master: "Use EtherCAT", the task interval, redundancy and
// the sync settings. The "Distributed Clock" group is hidden, but its values are loaded and
// written like the others.
class EtherCatPage : public DialogPage
{
    Q_OBJECT

public:
    static constexpr int SyncOffsetMin = -50;
    static constexpr int SyncOffsetMax = 100;

    explicit EtherCatPage(const DialogContext& context, QWidget* parent = nullptr);

    // Models whose EtherCAT port has no redundancy (order numbers, any case).
    static bool offersRedundancy(const QString& mlfb);

    void load(const CpuObject& source) override;
    void apply(CpuObject& target) override;
    void followUp(const CpuObject& target, ApplyFollowUp& followUp) override;

public slots:
    void slot_bttnDefauEthercat();

private:
    QCheckBox* m_use = nullptr;
    QSpinBox* m_taskInterval = nullptr;
    QCheckBox* m_redundancy = nullptr;
    QGroupBox* m_distributedClock = nullptr;
    QSpinBox* m_cycleTime = nullptr;
    QSpinBox* m_syncOffset = nullptr;
    QGroupBox* m_syncWindowMonitor = nullptr;
    QSpinBox* m_syncWindow = nullptr;
};
