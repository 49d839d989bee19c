#pragma once

#include "dialog/dialogpage.h"

class CanMasterWdgt;
class QCheckBox;
class QVBoxLayout;

// The CPU's integrated CANopen master: "Use CANopen" and the master's settings. The node
// ids it offers are those no CAN slave of the object uses, asked of the slaves once, when
// the page first loads the edited object.
class CanMasterPage : public DialogPage
{
    Q_OBJECT

public:
    explicit CanMasterPage(const DialogContext& context, QWidget* parent = nullptr);

    // 1...127 without the node ids the object's CAN slaves report, ascending.
    static QList<int> availableNodeIds(const CpuObject& object);

    void loadAtOpen(const CpuObject& object) override;
    void load(const CpuObject& source) override;
    // The default object's master, with "Use CANopen" unchecked.
    void loadDefaults(const CpuObject& defaults) override;
    void apply(CpuObject& target) override;
    void followUp(const CpuObject& target, ApplyFollowUp& followUp) override;

    CanMasterWdgt* masterWidget() const { return m_master; }

public slots:
    void slot_bttnDefauCanMaster();
    // Ticked: the master's settings show the catalog defaults of the master module.
    void slot_useCanChanged(int state);

private:
    QVBoxLayout* m_layout = nullptr;
    QCheckBox* m_use = nullptr;
    CanMasterWdgt* m_master = nullptr;
};
