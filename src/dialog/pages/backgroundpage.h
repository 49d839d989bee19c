#pragma once

#include "dialog/dialogpage.h"

class QSpinBox;

// The share of the cycle, in percent, that the PLC gives to background communication.
class BackgroundPage : public DialogPage
{
    Q_OBJECT

public:
    explicit BackgroundPage(const DialogContext& context, QWidget* parent = nullptr);

    void load(const CpuObject& source) override;
    void apply(CpuObject& target) override;

public slots:
    void slot_bttnDefauBackTime();

private:
    QSpinBox* m_percent = nullptr;
};
