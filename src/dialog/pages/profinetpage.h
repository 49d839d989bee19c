#pragma once

#include "dialog/checkfailure.h"
#include "dialog/dialogpage.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// The Profinet device: "Use Profinet Bus", the custom name, and whether the IP addresses
// come from elsewhere (the Communication Ports page is then unusable).
class ProfinetPage : public DialogPage
{
    Q_OBJECT

public:
    static constexpr int NameMaxLength = 64;

    explicit ProfinetPage(const DialogContext& context, QWidget* parent = nullptr);

    void load(const CpuObject& source) override;
    void apply(CpuObject& target) override;
    QList<PageCheck> checks() const override;

    // Only while the bus and its custom name are used: not empty, not ending in '-'.
    CheckResult checkCustomName() const;

public slots:
    void slot_bttnDefauProfinet();

private:
    QCheckBox* m_use = nullptr;
    QGroupBox* m_nameGroup = nullptr;
    QCheckBox* m_useCustomName = nullptr;
    QLabel* m_nameLabel = nullptr;
    QLineEdit* m_name = nullptr;
    QCheckBox* m_ipElsewhere = nullptr;
};
