#pragma once

#include "dialog/dialogpage.h"

class MComboBoxEx;

// The clock frequency of the extension bus: the model's default, lower ones for long buses.
class ExtBusClockPage : public DialogPage
{
    Q_OBJECT

public:
    explicit ExtBusClockPage(const DialogContext& context, QWidget* parent = nullptr);

    // A stored index beyond the list shows, and is then stored as, the first entry.
    void load(const CpuObject& source) override;
    void apply(CpuObject& target) override;

public slots:
    void slot_bttnDefauExtBusClock();

private:
    MComboBoxEx* m_clock = nullptr;
};
