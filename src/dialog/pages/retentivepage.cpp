#include "retentivepage.h"

#include <corekit/plcfacts.h>
#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mspinboxex.h>

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kPageNumber = 3;
constexpr int kSpinMax = 100000;
constexpr int kHeaderHeight = 24;
constexpr quint8 kPointerSyntax = 0x10;
constexpr quint8 kTimerType = 0x1F;
constexpr quint8 kCounterType = 0x1E;
constexpr quint8 kElementType = 0x20;
constexpr quint8 kAreaCounter = 0x1E;
constexpr quint8 kAreaTimer = 0x1F;
constexpr quint8 kAreaFlags = 0x83;
constexpr quint8 kAreaVariables = 0x84;

// The Data Area entries: each carries type code * 256 + area code.
struct AreaEntry
{
    const char* name;
    int code;
};

const AreaEntry kAreas[] = {
    {QT_TRANSLATE_NOOP("RetentivePage", "VB"), 0x0284},
    {QT_TRANSLATE_NOOP("RetentivePage", "VW"), 0x0484},
    {QT_TRANSLATE_NOOP("RetentivePage", "VD"), 0x0684},
    {QT_TRANSLATE_NOOP("RetentivePage", "MB"), 0x0283},
    {QT_TRANSLATE_NOOP("RetentivePage", "MW"), 0x0483},
    {QT_TRANSLATE_NOOP("RetentivePage", "MD"), 0x0683},
    {QT_TRANSLATE_NOOP("RetentivePage", "T"), 0x1F1F},
    {QT_TRANSLATE_NOOP("RetentivePage", "C"), 0x1E1E},
};

// Timers, counters and the element type count elements; every other type addresses bits.
bool countsElements(quint8 typeCode)
{
    return typeCode == kTimerType || typeCode == kCounterType || typeCode == kElementType;
}

qint64 bytesPerElement(quint8 typeCode)
{
    switch (typeCode) {
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;
    }
}

} // namespace

RetentivePage::RetentivePage(const DialogContext& context, QWidget* parent)
    : DialogPage(context, parent)
{
    QPushButton* defaults = nullptr;
    auto* top = introRow(
        tr("You can define memory that will be maintained during a power outage in this page."),
        defaults);
    connect(defaults, &QPushButton::clicked, this, &RetentivePage::slot_bttnDefauReten);

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
        Row& row = m_rows[size_t(i)];
        row.area = new MComboBoxEx(group);
        row.area->setObjectName(QStringLiteral("retentiveArea%1").arg(i));
        for (const AreaEntry& entry : kAreas)
            row.area->addItemWithData(tr(entry.name), entry.code);
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

QList<int> RetentivePage::pageNumbers() const
{
    return {kPageNumber};
}

void RetentivePage::load(int number, const CpuObject& source)
{
    if (number != kPageNumber)
        return;
    for (int i = 0; i < CpuParams::RetentiveCount; ++i) {
        const RetentiveRange& range = source.params.retentive[size_t(i)];
        const Row& row = m_rows[size_t(i)];
        // An unused record (codes 0) matches no entry and shows no selection.
        if (!row.area->setCurrentData(range.typeCode * 256 + range.areaCode))
            row.area->setCurrentIndex(-1);
        row.offset->setValue(int(countsElements(range.typeCode) ? range.start : range.start / 8));
        row.count->setValue(range.count);
    }
}

void RetentivePage::apply(CpuObject& target)
{
    for (int i = 0; i < CpuParams::RetentiveCount; ++i) {
        RetentiveRange& range = target.params.retentive[size_t(i)];
        const Row& row = m_rows[size_t(i)];
        const int code = row.area->currentIndex() < 0 ? 0 : row.area->currentItemData().toInt();
        range.syntax = kPointerSyntax;
        range.typeCode = quint8(code / 256);
        range.areaCode = quint8(code % 256);
        range.dbNumber = range.areaCode == kAreaVariables ? 1 : 0;
        const quint32 offset = quint32(row.offset->value());
        range.start = (countsElements(range.typeCode) ? offset : offset * 8) & 0xFFFFFF;
        // The record counts in 16 bits; the spin box reaches further.
        range.count = quint16(qMin(row.count->value(), 0xFFFF));
    }
}

CheckResult RetentivePage::checkRanges() const
{
    const QString& type = context().plcType;
    const QString& version = context().plcVersion;
    for (int i = 0; i < CpuParams::RetentiveCount; ++i) {
        const Row& row = m_rows[size_t(i)];
        if (row.area->currentIndex() < 0)
            continue;
        const int code = row.area->currentItemData().toInt();
        const quint8 typeCode = quint8(code / 256);
        const quint8 areaCode = quint8(code % 256);
        const qint64 offset = row.offset->value();
        const qint64 count = row.count->value();
        qint64 needed = 0;
        QString key;
        switch (areaCode) {
        case kAreaCounter:
            key = QStringLiteral("C");
            needed = offset + count;
            break;
        case kAreaTimer:
            key = QStringLiteral("T");
            needed = offset + count;
            break;
        case kAreaFlags:
            key = QStringLiteral("M");
            needed = offset + count * bytesPerElement(typeCode);
            break;
        case kAreaVariables:
            key = QStringLiteral("V");
            needed = offset + count * bytesPerElement(typeCode);
            break;
        default:
            continue;
        }
        if (needed > getPlcAddrRange(type, version, key)) {
            return CheckFailure{
                CheckFailure::Kind::Information,
                tr("Retentive Range %1 is illegal for the PLC type selected.").arg(i), row.count};
        }
    }
    return std::nullopt;
}

void RetentivePage::slot_bttnDefauReten()
{
    emit defaultsRequested(kPageNumber);
}

void RetentivePage::slot_bttnGroupClear(int range)
{
    if (range < 0 || range >= CpuParams::RetentiveCount)
        return;
    const Row& row = m_rows[size_t(range)];
    row.area->setCurrentIndex(0);
    row.offset->setValue(0);
    row.count->setValue(0);
}
