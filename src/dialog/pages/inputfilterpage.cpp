#include "inputfilterpage.h"

#include "model/cpumodel.h"

#include <corekit/widgets/mcomboboxex.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int kNewListIndex = 5;
constexpr int kInputLabelWidth = 62;
constexpr int kInputsPerColumn = 8;

// Nibble `i` of the codes: low nibble first; -1 when the codes end before it.
int nibble(const QByteArray& codes, int i)
{
    if (i / 2 >= codes.size())
        return -1;
    const auto byte = quint8(codes.at(i / 2));
    return i % 2 ? byte >> 4 : byte & 0x0F;
}

} // namespace

InputFilterPage::InputFilterPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::InputFilter, context, parent)
    , m_variant(context.isCompact() ? Variant::PerInput : Variant::Grouped)
    , m_storable(context.isCompact() || CpuModel::hasLocalIoSections(context.descriptor.MLFB))
    , m_rowCount(m_variant == Variant::Grouped ? (context.localInputPoints + 3) / 4
                                               : context.localInputPoints)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void InputFilterPage::buildRows()
{
    if (m_built)
        return;
    m_built = true;
    auto* content = new QWidget;
    auto* top = introRow(tr("You can select the time that the input must remain constant before "
                            "the signalis caught by the PLC."),
                         &InputFilterPage::slot_bttnDefaultFilterTime);

    auto* group = new QGroupBox(m_variant == Variant::Grouped ? tr("Input Filter Delays")
                                                              : tr("Input Filter Param"));
    group->setObjectName(QStringLiteral("inputFilterGroup"));
    if (m_variant == Variant::Grouped)
        buildGrouped(group);
    else
        buildPerInput(group);
    if (!m_storable) {
        // This model keeps no filter codes: show them, but take no edits that would vanish.
        group->setEnabled(false);
        defaultsButton()->setEnabled(false);
    }

    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* inner = new QWidget;
    auto* innerLayout = new QVBoxLayout(inner);
    innerLayout->setContentsMargins(0, 0, 0, 0);
    innerLayout->addWidget(group);
    innerLayout->addStretch(1);
    scroll->setWidget(inner);

    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->addLayout(top);
    contentLayout->addWidget(scroll, 1);
    layout()->addWidget(content);
    content->show(); // at once, not when the layout gets round to it: this may be a show event
    showLoaded();
}

void InputFilterPage::showEvent(QShowEvent* event)
{
    buildRows();
    DialogPage::showEvent(event);
}

MComboBoxEx* InputFilterPage::delayCombo(QWidget* parent, int row)
{
    auto* combo = new MComboBoxEx(parent);
    combo->setObjectName(QStringLiteral("inputFilter%1").arg(row));
    if (m_variant == Variant::Grouped) {
        combo->addItems({tr("0.20ms"), tr("0.40ms"), tr("0.80ms"), tr("1.60ms"), tr("3.20ms"),
                         tr("6.40ms"), tr("12.8ms"), tr("0.20us"), tr("0.40us"), tr("0.80us"),
                         tr("1.60us"), tr("3.20us"), tr("6.40us"), tr("12.8us")});
    } else {
        combo->addItems({tr("NONE"), tr("0.20us"), tr("0.40us"), tr("0.80us"), tr("1.60us"),
                         tr("3.20us"), tr("6.40us"), tr("12.8us"), tr("0.20ms"), tr("0.40ms"),
                         tr("0.80ms"), tr("1.60ms"), tr("3.20ms"), tr("6.40ms"), tr("12.8ms")});
    }
    combo->setCurrentIndex(kNewListIndex);
    m_delays.append(combo);
    return combo;
}

void InputFilterPage::buildGrouped(QGroupBox* group)
{
    auto* grid = new QGridLayout(group);
    const int groups = (context().localInputPoints + 3) / 4;
    for (int g = 0; g < groups; ++g) {
        const int byte = g / 2;
        const QString text = g % 2 ? tr("I%1.4 - I%2.7").arg(byte).arg(byte)
                                   : tr("I%1.0 - I%2.3").arg(byte).arg(byte);
        grid->addWidget(new QLabel(text, group), g, 0);
        grid->addWidget(delayCombo(group, g), g, 1);
    }
    grid->setColumnStretch(2, 1);
}

void InputFilterPage::buildPerInput(QGroupBox* group)
{
    // One column pair per input byte, its eight bits down.
    auto* grid = new QGridLayout(group);
    const int inputs = context().localInputPoints;
    for (int i = 0; i < inputs; ++i) {
        auto* label = new QLabel(tr("I%1.%2").arg(i / 8).arg(i % 8), group);
        label->setFixedWidth(qMax(kInputLabelWidth, label->sizeHint().width()));
        const int column = 2 * (i / kInputsPerColumn);
        grid->addWidget(label, i % kInputsPerColumn, column);
        grid->addWidget(delayCombo(group, i), i % kInputsPerColumn, column + 1);
    }
    grid->setColumnStretch(2 * ((inputs + kInputsPerColumn - 1) / kInputsPerColumn), 1);
}

QComboBox* InputFilterPage::delayList(int row)
{
    buildRows();
    return m_delays.value(row);
}

int InputFilterPage::storedCode(int row) const
{
    const int code = nibble(m_loadedCodes, row);
    if (code >= 0)
        return code;
    return m_variant == Variant::Grouped ? GroupedDefaultCode : PerInputDefaultCode;
}

void InputFilterPage::load(const CpuObject& source)
{
    m_loadedCodes = source.inputFilterCodes;
    if (m_built)
        showLoaded();
}

void InputFilterPage::showLoaded()
{
    const bool grouped = m_variant == Variant::Grouped;
    for (int row = 0; row < m_delays.size(); ++row) {
        MComboBoxEx* combo = m_delays.at(row);
        const int index = grouped ? storedCode(row) - 1 : storedCode(row);
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    }
}

int InputFilterPage::codeOf(int row) const
{
    const int index = m_built ? m_delays.at(row)->currentIndex() : -1;
    if (index < 0)
        return storedCode(row); // not shown yet, or a stored code no entry names
    return m_variant == Variant::Grouped ? index + 1 : index;
}

QByteArray InputFilterPage::codes() const
{
    QByteArray packed((m_rowCount + 1) / 2, '\0');
    for (int row = 0; row < m_rowCount; ++row) {
        const int code = codeOf(row) & 0x0F;
        const int at = row / 2;
        packed[at] = char(quint8(packed.at(at)) | (row % 2 ? code << 4 : code));
    }
    return packed;
}

void InputFilterPage::apply(CpuObject& target)
{
    if (!m_storable)
        return;
    target.inputFilterCount = quint8(context().localInputPoints);
    target.inputFilterCodes = codes();
}

void InputFilterPage::slot_bttnDefaultFilterTime()
{
    requestDefaults();
}
