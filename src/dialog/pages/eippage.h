#pragma once

#include "dialog/dialogpage.h"

class QCheckBox;

// EtherNet/IP on the CPU: one switch, which is the bus-line state and changes only when
// the host window takes the notification.
class EipPage : public DialogPage
{
    Q_OBJECT

public:
    explicit EipPage(const DialogContext& context, QWidget* parent = nullptr);

    void load(const CpuObject& source) override;
    void apply(CpuObject& target) override;
    void followUp(const CpuObject& target, ApplyFollowUp& followUp) override;

public slots:
    void slot_bttnDefauEIP();

private:
    QCheckBox* m_use = nullptr;
};
