#pragma once

#include "dialog/checkfailure.h"
#include "dialog/dialogpage.h"

#include <array>

class MComboBoxEx;
class QButtonGroup;
class QSpinBox;

// The six retentive ranges: memory the PLC keeps through a power outage. Each range is an
// area entry, an offset and a number of elements; OK checks them against the memory sizes
// of the project's PLC type.
class RetentivePage : public DialogPage
{
    Q_OBJECT

public:
    explicit RetentivePage(const DialogContext& context, QWidget* parent = nullptr);

    void load(const CpuObject& source) override;
    void apply(CpuObject& target) override;
    QList<PageCheck> checks() const override;

    // The first range that does not fit the PLC type's memory, nothing when all fit.
    CheckResult checkRanges() const;

public slots:
    void slot_bttnDefauReten();
    void slot_bttnGroupClear(int range);

private:
    struct RangeRow
    {
        MComboBoxEx* area = nullptr;
        QSpinBox* offset = nullptr;
        QSpinBox* count = nullptr;
    };

    std::array<RangeRow, CpuParams::RetentiveCount> m_ranges{};
    QButtonGroup* m_clearButtons = nullptr;
};
