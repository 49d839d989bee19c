#include "retentivepage.h"

#include "config/retentiverules.h"

#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mspinboxex.h>

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>
#include <type_traits>

namespace {

constexpr int kSpinMax = 100000;
constexpr int kHeaderHeight = 24;
constexpr quint8 kPointerSyntax = 0x10;
constexpr quint8 kAreaVariables = 0x84;

// The Data Area entries carry type code * 256 + area code.
int entryCode(const RetentiveArea& area)
{
    return area.typeCode * 256 + area.areaCode;
}

// The area names are the device's; translators may still mark them.
const char* const kAreaNames[] = {
    QT_TRANSLATE_NOOP("RetentivePage", "VB"), QT_TRANSLATE_NOOP("RetentivePage", "VW"),
    QT_TRANSLATE_NOOP("RetentivePage", "VD"), QT_TRANSLATE_NOOP("RetentivePage", "MB"),
    QT_TRANSLATE_NOOP("RetentivePage", "MW"), QT_TRANSLATE_NOOP("RetentivePage", "MD"),
    QT_TRANSLATE_NOOP("RetentivePage", "T"),  QT_TRANSLATE_NOOP("RetentivePage", "C"),
};
static_assert(std::size(kAreaNames) ==
                  std::tuple_size_v<std::remove_reference_t<decltype(RetentiveArea::all())>>,
              "one name for every area, in the model's order");

} // namespace

RetentivePage::RetentivePage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::Retentive, context, parent)
{
    auto* top = introRow(
        tr("You can define memory that will be maintained during a power outage in this page."),
        &RetentivePage::slot_bttnDefauReten);

    auto* group = new QGroupBox(tr("Ranges"), this);
    auto* grid = new QGridLayout(group);
    const QString headers[] = {tr("Data Area"), tr("Offset"), tr("Number of Elements")};
    for (int column = 0; column < 3; ++column) {
        auto* header = new QLabel(headers[column], group);
        header->setFixedHeight(kHeaderHeight);
        grid->addWidget(header, 0, column + 1);
    }

    m_clearButtons = new QButtonGroup(this);
    for (int i = 0; i < CpuParams::RetentiveCount; ++i) {
        RangeRow& row = m_ranges[size_t(i)];
        row.area = new MComboBoxEx(group);
        row.area->setObjectName(QStringLiteral("retentiveArea%1").arg(i));
        for (size_t a = 0; a < RetentiveArea::all().size(); ++a)
            row.area->addItemWithData(tr(kAreaNames[a]), entryCode(RetentiveArea::all()[a]));
        row.area->setCurrentIndex(-1);
        row.offset = new MSpinBoxEx(group);
        row.offset->setObjectName(QStringLiteral("retentiveOffset%1").arg(i));
        row.offset->setRange(0, kSpinMax);
        row.count = new MSpinBoxEx(group);
        row.count->setObjectName(QStringLiteral("retentiveCount%1").arg(i));
        row.count->setRange(0, kSpinMax);
        auto* clear = new QPushButton(tr("Clear"), group);
        clear->setObjectName(QStringLiteral("retentiveClear%1").arg(i));
        m_clearButtons->addButton(clear, i);

        const int line = i + 1;
        grid->addWidget(new QLabel(tr("Range %1").arg(i), group), line, 0);
        grid->addWidget(row.area, line, 1);
        grid->addWidget(row.offset, line, 2);
        grid->addWidget(row.count, line, 3);
        grid->addWidget(clear, line, 4);
    }
    const int stretches[] = {1, 2, 2, 2, 2};
    for (int column = 0; column < 5; ++column)
        grid->setColumnStretch(column, stretches[column]);
    connect(m_clearButtons, &QButtonGroup::idClicked, this, &RetentivePage::slot_bttnGroupClear);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group);
    layout->addStretch(1);
}

void RetentivePage::load(const CpuObject& source)
{
    for (int i = 0; i < CpuParams::RetentiveCount; ++i) {
        const RetentiveRange& range = source.params.retentive[size_t(i)];
        const RangeRow& row = m_ranges[size_t(i)];
        // An unused record (codes 0) matches no entry and shows no selection.
        if (!row.area->setCurrentData(range.typeCode * 256 + range.areaCode))
            row.area->setCurrentIndex(-1);
        row.offset->setValue(
            int(RetentiveArea::countsElements(range.typeCode) ? range.start : range.start / 8));
        row.count->setValue(range.count);
    }
}

void RetentivePage::apply(CpuObject& target)
{
    for (int i = 0; i < CpuParams::RetentiveCount; ++i) {
        RetentiveRange& range = target.params.retentive[size_t(i)];
        const RangeRow& row = m_ranges[size_t(i)];
        const int code = row.area->currentIndex() < 0 ? 0 : row.area->currentItemData().toInt();
        range.syntax = kPointerSyntax;
        range.typeCode = quint8(code / 256);
        range.areaCode = quint8(code % 256);
        range.dbNumber = range.areaCode == kAreaVariables ? 1 : 0;
        const quint32 offset = quint32(row.offset->value());
        range.start =
            (RetentiveArea::countsElements(range.typeCode) ? offset : offset * 8) & 0xFFFFFF;
        // The record counts in 16 bits; the spin box reaches further.
        range.count = quint16(qMin(row.count->value(), 0xFFFF));
    }
}

QList<PageCheck> RetentivePage::checks() const
{
    return {{OkStep::RetentiveRanges, [this] {
                 return checkRanges();
             }}};
}

CheckResult RetentivePage::checkRanges() const
{
    for (int i = 0; i < CpuParams::RetentiveCount; ++i) {
        const RangeRow& row = m_ranges[size_t(i)];
        if (row.area->currentIndex() < 0)
            continue;
        const int code = row.area->currentItemData().toInt();
        if (const RuleResult failure = RetentiveRules::range(
                i, quint8(code / 256), quint8(code % 256), row.offset->value(), row.count->value(),
                context().plcType, context().plcVersion))
            return failureAt(*failure, row.count);
    }
    return std::nullopt;
}

void RetentivePage::slot_bttnDefauReten()
{
    requestDefaults();
}

void RetentivePage::slot_bttnGroupClear(int range)
{
    if (range < 0 || range >= CpuParams::RetentiveCount)
        return;
    const RangeRow& row = m_ranges[size_t(range)];
    row.area->setCurrentIndex(0);
    row.offset->setValue(0);
    row.count->setValue(0);
}
