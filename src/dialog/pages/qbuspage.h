#pragma once

#include "dialog/checkfailure.h"
#include "dialog/dialogpage.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// The QBUS field bus: the CPU as bus slave (with its custom name) and as bus master. The
// master flag is the bus-line state and changes only when the host window takes the
// notification.
class QbusPage : public DialogPage
{
    Q_OBJECT

public:
    static constexpr int NameMaxLength = 64;

    explicit QbusPage(const DialogContext& context, QWidget* parent = nullptr);

    void load(const CpuObject& source) override;
    void apply(CpuObject& target) override;
    void followUp(const CpuObject& target, ApplyFollowUp& followUp) override;
    QList<PageCheck> checks() const override;

    // Only while the bus slave and its custom name are used: not empty.
    CheckResult checkCustomName() const;

public slots:
    void slot_bttnDefauQbus();

private:
    QCheckBox* m_useSlave = nullptr;
    QGroupBox* m_slaveGroup = nullptr;
    QCheckBox* m_useCustomName = nullptr;
    QLabel* m_nameLabel = nullptr;
    QLineEdit* m_name = nullptr;
    QCheckBox* m_useMaster = nullptr;
    QGroupBox* m_masterGroup = nullptr;
    QComboBox* m_protocol = nullptr;
};
