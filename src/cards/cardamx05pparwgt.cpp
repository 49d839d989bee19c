#include "cardamx05pparwgt.h"

#include "config/cardrules.h"
#include "model/cardlists.h"
#include "model/cpumodel.h"

#include <corekit/plcfacts.h>
#include <corekit/projectqueries.h>
#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mspinboxex.h>

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

MComboBoxEx* list(const QVector<CardChoice>& choices, const QString& name)
{
    auto* box = new MComboBoxEx;
    box->setObjectName(name);
    for (const CardChoice& choice : choices)
        box->addItemWithData(CardLists::tr(choice), choice.code);
    return box;
}

QFormLayout* form(QWidget* parent)
{
    auto* layout = new QFormLayout(parent);
    layout->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    layout->setVerticalSpacing(4);
    return layout;
}

void select(MComboBoxEx* box, int code)
{
    if (!box->setCurrentData(code))
        box->setCurrentIndex(-1);
}

quint8 code(const MComboBoxEx* box, quint8 old)
{
    const QVariant data = box->currentItemData();
    return data.isValid() ? quint8(data.toInt()) : old;
}

// The stored record of a channel number in a list, or none.
const AnalogChannel* channelRecord(const QList<AnalogChannel>& list, int channel)
{
    for (const AnalogChannel& c : list) {
        if (c[1] == channel)
            return &c;
    }
    return nullptr;
}

} // namespace

CardAMX05PParWgt::CardAMX05PParWgt(const QString& projectPath, int slotId, const CardRecord& record,
                                   QWidget* parent)
    : CardParWgt(projectPath, slotId, parent)
{
    setObjectName(QStringLiteral("cardAMX05P"));
    QString type = CpuModel::PlaceholderPlcType;
    QString version = CpuModel::PlaceholderPlcVersion;
    getPrjPlcTypeVersion(projectPath, type, version);
    m_inputAreaBytes = qMax(0, getPlcAddrRange(type, version, QStringLiteral("AI")));
    m_outputAreaBytes = qMax(0, getPlcAddrRange(type, version, QStringLiteral("AQ")));

    // One column: the slot's page is narrow and scrolls down.
    auto* layout = new QVBoxLayout(this);
    for (int k = 0; k < InputChannels; ++k)
        layout->addWidget(buildInput(k));
    layout->addWidget(buildOutput());
    layout->addWidget(buildMapper(true));
    layout->addWidget(buildMapper(false));
    layout->addStretch(1);

    connect(m_outputRange, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CardAMX05PParWgt::slot_range_indexChanged);
    connect(m_inputStart, &QSpinBox::editingFinished, this,
            &CardAMX05PParWgt::slot_editingInputFinished);
    connect(m_outputStart, &QSpinBox::editingFinished, this,
            &CardAMX05PParWgt::slot_editingOutputFinished);
    load(record);
}

QGroupBox* CardAMX05PParWgt::buildInput(int channel)
{
    InputChannel& in = m_inputs[size_t(channel)];
    const QString suffix = QString::number(channel);
    in.group = new QGroupBox(channel == 0 ? tr("Enable Channel 0") : tr("Enable Channel 1"), this);
    in.group->setObjectName(QStringLiteral("gbChnl") + suffix);
    in.group->setCheckable(true);
    in.filterParameter =
        list(CardLists::filterParameters(), QStringLiteral("cmbFilterPar") + suffix);
    in.filterTime = list(CardLists::filterTimes(), QStringLiteral("cmbFilterTime") + suffix);
    in.inputRange = list(CardLists::inputRanges(), QStringLiteral("cmbInputRange") + suffix);
    in.openWire = list(CardLists::openWireDetect(), QStringLiteral("cmbOpenWire") + suffix);
    in.direction = list(CardLists::analogDirections(), QStringLiteral("cmbDirection") + suffix);
    auto* range = new QGroupBox(tr("Range Config"), in.group);
    QFormLayout* rangeForm = form(range);
    rangeForm->addRow(tr("Filter Time:"), in.filterTime);
    rangeForm->addRow(tr("Input Rang:"), in.inputRange);
    rangeForm->addRow(tr("Open Wire Detect:"), in.openWire);
    rangeForm->addRow(tr("Direction:"), in.direction);
    auto* layout = new QVBoxLayout(in.group);
    QFormLayout* top = form(nullptr);
    top->addRow(tr("Filter Parameter:"), in.filterParameter);
    layout->addLayout(top);
    layout->addWidget(range);
    return in.group;
}

QGroupBox* CardAMX05PParWgt::buildOutput()
{
    m_output = new QGroupBox(tr("Enable Channel 2"), this);
    m_output->setObjectName(QStringLiteral("gbChnl2"));
    m_output->setCheckable(true);
    auto* tables = new QGroupBox(tr("Output Tables"), m_output);
    m_freeze = new QCheckBox(tr("Freeze outputs in last state"), tables);
    m_freeze->setObjectName(QStringLiteral("ckbFreeze"));
    m_outputValue = new MSpinBoxEx;
    m_outputValue->setObjectName(QStringLiteral("sbOutputValue"));
    // Any 16-bit value loads as it is; the check measures it against the output range.
    m_outputValue->setRange(0, 65535);
    auto* tablesLayout = new QVBoxLayout(tables);
    tablesLayout->addWidget(m_freeze);
    QFormLayout* valueForm = form(nullptr);
    valueForm->addRow(tr("Output Value:"), m_outputValue);
    tablesLayout->addLayout(valueForm);
    auto* type = new QGroupBox(tr("Output Type"), m_output);
    m_outputRange = list(CardLists::outputRanges(), QStringLiteral("cmbOutputRange"));
    form(type)->addRow(tr("Output Range:"), m_outputRange);
    auto* layout = new QVBoxLayout(m_output);
    layout->addWidget(tables);
    layout->addWidget(type);
    return m_output;
}

QGroupBox* CardAMX05PParWgt::buildMapper(bool input)
{
    auto* group =
        new QGroupBox(input ? tr("Input address mapper") : tr("Output address mapper"), this);
    group->setObjectName(input ? QStringLiteral("gbInputMapper")
                               : QStringLiteral("gbOutputMapper"));
    auto* area = new QLabel(input ? tr("AIEx") : tr("AQEx"), group);
    auto* start = new MSpinBoxEx;
    start->setObjectName(input ? QStringLiteral("sbInputStart") : QStringLiteral("sbOutputStart"));
    start->setRange(0, 65535);
    start->setSingleStep(2);
    auto* hint = new QLabel(group);
    hint->setObjectName(input ? QStringLiteral("lblInputHint") : QStringLiteral("lblOutputHint"));
    const int words = input ? InputWords : OutputWords;
    const int areaBytes = input ? m_inputAreaBytes : m_outputAreaBytes;
    hint->setText(tr("0~%1").arg(maxStart(areaBytes, words)));
    start->setToolTip(hint->text());
    auto* length = new QLabel(tr("%1 %2").arg(words).arg(tr("Words")), group);
    auto* occupied = new QLabel(group);
    occupied->setObjectName(input ? QStringLiteral("lblInputRange")
                                  : QStringLiteral("lblOutputRange"));
    QFormLayout* layout = form(group);
    layout->addRow(tr("Area:"), area);
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(start);
    startRow->addSpacing(6);
    startRow->addWidget(hint);
    startRow->addStretch(1);
    layout->addRow(tr("Start:"), startRow);
    layout->addRow(tr("Length:"), length);
    layout->addRow(tr("Occupies:"), occupied);
    if (input) {
        m_inputStart = start;
        m_inputRangeText = occupied;
    } else {
        m_outputStart = start;
        m_outputRangeText = occupied;
    }
    return group;
}

int CardAMX05PParWgt::maxStart(int areaBytes, int words) const
{
    return CardRules::amx05MaxStart(areaBytes, words);
}

QPair<int, int> CardAMX05PParWgt::outputValueRange(int rangeCode)
{
    return CardRules::amx05OutputRange(rangeCode);
}

void CardAMX05PParWgt::slot_range_indexChanged(int)
{
    const QVariant data = m_outputRange->currentItemData();
    const QPair<int, int> range = outputValueRange(data.isValid() ? data.toInt() : 1);
    m_outputValue->setToolTip(tr("%1~%2").arg(range.first).arg(range.second));
}

void CardAMX05PParWgt::showMapper(MSpinBoxEx* start, QLabel* range, int area, int words)
{
    range->setText(CardMemory::describe({area, start->value(), words * 2, false}));
}

void CardAMX05PParWgt::slot_editingInputFinished()
{
    showMapper(m_inputStart, m_inputRangeText, Amx05Params::InputArea, InputWords);
}

void CardAMX05PParWgt::slot_editingOutputFinished()
{
    showMapper(m_outputStart, m_outputRangeText, Amx05Params::OutputArea, OutputWords);
}

void CardAMX05PParWgt::load(const CardRecord& record)
{
    const Amx05Params& p = record.amx05;
    for (int k = 0; k < InputChannels; ++k) {
        const InputChannel& in = m_inputs[size_t(k)];
        const AnalogChannel* stored = channelRecord(p.inputs, k);
        const AnalogChannel c = stored ? *stored : AnalogChannel{};
        in.group->setChecked(c[3] != 0);
        select(in.filterParameter, c[2]);
        select(in.filterTime, c[4]);
        select(in.inputRange, c[5]);
        select(in.openWire, c[6]);
        select(in.direction, c[7]);
    }
    const AnalogChannel* stored = channelRecord(p.outputs, OutputChannel);
    const AnalogChannel out = stored ? *stored : AnalogChannel{};
    m_output->setChecked(out[6] != 0);
    m_freeze->setChecked(out[2] != 0);
    m_outputValue->setValue(out[4] << 8 | out[5]);
    select(m_outputRange, out[7]);
    slot_range_indexChanged(m_outputRange->currentIndex());
    m_inputStart->setValue(p.inputStart);
    m_outputStart->setValue(p.outputStart);
    slot_editingInputFinished();
    slot_editingOutputFinished();
}

CheckResult CardAMX05PParWgt::validate() const
{
    const struct
    {
        MSpinBoxEx* start;
        int areaBytes;
        int words;
    } mappers[] = {{m_inputStart, m_inputAreaBytes, InputWords},
                   {m_outputStart, m_outputAreaBytes, OutputWords}};
    for (const auto& m : mappers) {
        if (const RuleResult failure =
                CardRules::amx05Start(m.start->value(), m.areaBytes, m.words, QString()))
            return failureAt(*failure, m.start);
    }
    const QVariant range = m_outputRange->currentItemData();
    if (const RuleResult failure =
            CardRules::amx05OutputValue(m_output->isChecked(), range.isValid() ? range.toInt() : -1,
                                        m_outputValue->value(), QString()))
        return failureAt(*failure, m_outputValue);
    return std::nullopt;
}

void CardAMX05PParWgt::write(CardRecord& record) const
{
    Amx05Params& p = record.amx05;
    p.inputArea = Amx05Params::InputArea;
    p.inputStart = quint16(m_inputStart->value());
    p.inputWords = InputWords;
    p.outputArea = Amx05Params::OutputArea;
    p.outputStart = quint16(m_outputStart->value());
    p.outputWords = OutputWords;

    QList<AnalogChannel> inputs;
    for (int k = 0; k < InputChannels; ++k) {
        const InputChannel& in = m_inputs[size_t(k)];
        const AnalogChannel* stored = channelRecord(p.inputs, k);
        const AnalogChannel old = stored ? *stored : AnalogChannel{};
        inputs.append(AnalogChannel{0, quint8(k), code(in.filterParameter, old[2]),
                                    quint8(in.group->isChecked() ? 1 : 0),
                                    code(in.filterTime, old[4]), code(in.inputRange, old[5]),
                                    code(in.openWire, old[6]), code(in.direction, old[7])});
    }
    const AnalogChannel* stored = channelRecord(p.outputs, OutputChannel);
    const AnalogChannel old = stored ? *stored : AnalogChannel{};
    const int value = m_outputValue->value();
    const QList<AnalogChannel> outputs{AnalogChannel{
        0, quint8(OutputChannel), quint8(m_freeze->isChecked() ? 1 : 0), 0, quint8(value >> 8),
        quint8(value), quint8(m_output->isChecked() ? 1 : 0), code(m_outputRange, old[7])}};
    p.inputs = inputs;
    p.outputs = outputs;
}

QList<QWidget*> CardAMX05PParWgt::memoryFields() const
{
    return {m_inputStart, m_outputStart};
}
