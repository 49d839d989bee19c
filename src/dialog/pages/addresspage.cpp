#include "addresspage.h"

#include <corekit/plcfacts.h>
#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mspinboxex.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kFieldWidth = 110;
constexpr quint8 kInputArea = 129;
constexpr quint8 kOutputArea = 130;

} // namespace

AddressPage::AddressPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::Address, context, parent)
{
    auto* layout = new QVBoxLayout(this);
    if (context.localInputPoints > 0) {
        m_inputs = buildMap(true);
        layout->addWidget(m_inputs.group);
    }
    if (context.localOutputPoints > 0) {
        m_outputs = buildMap(false);
        layout->addWidget(m_outputs.group);
    }
    layout->addStretch(1);
}

AddressPage::MapRows AddressPage::buildMap(bool inputs)
{
    const QString tag = inputs ? QStringLiteral("Input") : QStringLiteral("Output");
    MapRows rows;
    rows.group = new QGroupBox(inputs ? tr("Input") : tr("Output"), this);
    rows.group->setObjectName(QStringLiteral("address%1").arg(tag));

    const int limit = getPlcAddrRange(context().plcType, context().plcVersion,
                                      inputs ? QStringLiteral("IEx") : QStringLiteral("QEx"));
    auto* start = new MSpinBoxEx(rows.group);
    start->setObjectName(QStringLiteral("address%1Start").arg(tag));
    start->setRange(0, limit);
    start->setToolTip(tr("0~%1").arg(limit));
    rows.start = start;
    auto* length = new MSpinBoxEx(rows.group);
    length->setObjectName(QStringLiteral("address%1Length").arg(tag));
    length->setRange(0, 65535);
    rows.length = length;
    auto* unit = new MComboBoxEx(rows.group);
    unit->setObjectName(QStringLiteral("address%1Unit").arg(tag));
    unit->addItem(tr("Bytes"));
    rows.unit = unit;
    rows.end = new QLineEdit(rows.group);
    rows.end->setObjectName(QStringLiteral("address%1End").arg(tag));
    auto* memory = new MComboBoxEx(rows.group);
    memory->setObjectName(QStringLiteral("address%1Memory").arg(tag));
    memory->addItem(inputs ? tr("I") : tr("Q"));
    rows.memory = memory;

    auto* grid = new QGridLayout(rows.group);
    grid->addWidget(new QLabel(tr("Address"), rows.group), 0, 1);
    grid->addWidget(new QLabel(tr("Length"), rows.group), 0, 2);
    grid->addWidget(new QLabel(tr("Unit"), rows.group), 0, 3);
    grid->addWidget(new QLabel(tr("Start:"), rows.group), 1, 0);
    grid->addWidget(rows.start, 1, 1);
    grid->addWidget(rows.length, 1, 2);
    grid->addWidget(rows.unit, 1, 3);
    grid->addWidget(new QLabel(tr("End:"), rows.group), 2, 0);
    grid->addWidget(rows.end, 2, 1);
    grid->addWidget(new QLabel(tr("Memory:"), rows.group), 3, 0);
    grid->addWidget(rows.memory, 3, 1);
    grid->setColumnStretch(4, 1);
    for (QWidget* field : {static_cast<QWidget*>(rows.start), static_cast<QWidget*>(rows.length),
                           static_cast<QWidget*>(rows.unit), static_cast<QWidget*>(rows.end),
                           static_cast<QWidget*>(rows.memory)}) {
        field->setFixedWidth(kFieldWidth);
        field->setEnabled(false); // the host places the local I/O
    }
    return rows;
}

void AddressPage::showMap(const MapRows& rows, const LocalIoMap& map)
{
    if (!rows.group)
        return;
    const int length = map.byteCount();
    // Display only: a start beyond the PLC's range still shows as the host placed it.
    rows.start->setMaximum(qMax(rows.start->maximum(), int(map.startByte)));
    rows.start->setValue(map.startByte);
    rows.length->setValue(length);
    rows.unit->setCurrentIndex(0);
    rows.memory->setCurrentIndex(0);
    rows.end->setText(length > 0 ? QString::number(map.startByte + length - 1) : QString());
}

void AddressPage::load(const CpuObject& source)
{
    if (source.descriptor.inMap.area == kInputArea)
        showMap(m_inputs, source.descriptor.inMap);
    if (source.descriptor.outMap.area == kOutputArea)
        showMap(m_outputs, source.descriptor.outMap);
}

void AddressPage::apply(CpuObject&) {}
