#include "hsccountergroup.h"

#include <corekit/widgets/customintvalidator.h>
#include <corekit/widgets/mcomboboxex.h>

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include <limits>

namespace {

constexpr quint8 kResetLevelBit = 0x02;
constexpr quint8 kRateMask = 0x0C;
constexpr int kRateShift = 2;
constexpr quint8 kDirectionBit = 0x10;
constexpr quint8 kModeMask = 0x0F;
constexpr quint8 kEnableBit = 0x80;
constexpr int kFilterNewList = 5; // "500K"
constexpr int kRate4x = 0;
constexpr int kRate1x = 2;

QList<int> modesOf(int counter)
{
    if (counter <= 1)
        return {0, 1, 3, 4, 6, 7, 9, 10};
    if (counter <= 3)
        return {0, 3, 6, 9};
    return {0};
}

bool countsQuadrature(int mode)
{
    return mode == 9 || mode == 10;
}

// The selected index; `stored` while no entry is selected.
int selectedOr(const QComboBox* list, int stored)
{
    return list->currentIndex() >= 0 ? list->currentIndex() : stored;
}

} // namespace

HscCounterGroup::HscCounterGroup(int counter, QWidget* parent)
    : QGroupBox(tr("HSC%1").arg(counter), parent)
    , m_counter(counter)
    , m_enable(new MComboBoxEx(this))
    , m_mode(new MComboBoxEx(this))
    , m_resetLevel(new MComboBoxEx(this))
    , m_rate(new MComboBoxEx(this))
    , m_direction(new MComboBoxEx(this))
    , m_preset(numberField(QStringLiteral("hscPreset"), std::numeric_limits<qint32>::min(),
                           std::numeric_limits<qint32>::max()))
    , m_current(numberField(QStringLiteral("hscCurrent"), std::numeric_limits<qint32>::min(),
                            std::numeric_limits<qint32>::max()))
    , m_filter(new MComboBoxEx(this))
    , m_speed(numberField(QStringLiteral("hscSpeedTime"), 0, 65535))
{
    setObjectName(QStringLiteral("hscGroup%1").arg(counter));
    m_enable->setObjectName(QStringLiteral("hscEnable"));
    m_enable->addItems({tr("Disabled"), tr("Enabled")});
    m_mode->setObjectName(QStringLiteral("hscMode"));
    for (int mode : modesOf(counter))
        m_mode->addItemWithData(QString::number(mode), mode);
    m_resetLevel->setObjectName(QStringLiteral("hscResetLevel"));
    m_resetLevel->addItems({tr("High Level"), tr("Low Level")});
    m_rate->setObjectName(QStringLiteral("hscRate"));
    m_rate->addItems({tr("4x"), tr("2x"), tr("1x")});
    m_direction->setObjectName(QStringLiteral("hscDirection"));
    m_direction->addItems({tr("Increase"), tr("Decrease")});
    m_filter->setObjectName(QStringLiteral("hscFilter"));
    m_filter->addItems(
        {tr("75K"), tr("100K"), tr("125K"), tr("250K"), tr("375K"), tr("500K"), tr("750K")});
    m_filter->setCurrentIndex(kFilterNewList);

    auto* form = new QFormLayout(this);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(tr("Enable:"), m_enable);
    form->addRow(tr("Mode Select:"), m_mode);
    m_resetLabel = new QLabel(tr("Reset Level:"), this);
    form->addRow(m_resetLabel, m_resetLevel);
    m_rateLabel = new QLabel(tr("Count Rate:"), this);
    form->addRow(m_rateLabel, m_rate);
    form->addRow(tr("Direction Control:"), m_direction);
    form->addRow(tr("Preset Value:"), m_preset);
    form->addRow(tr("Current Value:"), m_current);
    form->addRow(tr("Input Pulse Filter Frequency:"), m_filter);
    form->addRow(tr("Speed-testing Time(ms):"), m_speed);

    // Only the first two counters have a reset input.
    m_resetLabel->setEnabled(counter < 2);
    m_resetLevel->setEnabled(counter < 2);
    followMode(false);
}

QLineEdit* HscCounterGroup::numberField(const QString& name, qint64 bottom, qint64 top)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setValidator(new CustomIntValidator(bottom, top, field));
    return field;
}

QComboBox* HscCounterGroup::enableList() const
{
    return m_enable;
}

QComboBox* HscCounterGroup::modeList() const
{
    return m_mode;
}

QComboBox* HscCounterGroup::resetLevelList() const
{
    return m_resetLevel;
}

QComboBox* HscCounterGroup::rateList() const
{
    return m_rate;
}

QComboBox* HscCounterGroup::directionList() const
{
    return m_direction;
}

QComboBox* HscCounterGroup::filterList() const
{
    return m_filter;
}

int HscCounterGroup::mode() const
{
    return m_mode->currentIndex() < 0 ? -1 : m_mode->currentItemData().toInt();
}

void HscCounterGroup::followMode(bool selectRate)
{
    const bool quadrature = countsQuadrature(mode());
    m_rateLabel->setEnabled(quadrature);
    m_rate->setEnabled(quadrature);
    if (selectRate && mode() >= 0)
        m_rate->setCurrentIndex(quadrature ? kRate4x : kRate1x);
}

void HscCounterGroup::load(const HscChannel& channel)
{
    {
        // Loading is no change of mode: the stored count rate stays.
        const QSignalBlocker quiet(m_mode);
        if (!m_mode->setCurrentData(channel.modeEnable & kModeMask))
            m_mode->setCurrentIndex(-1);
    }
    m_enable->setCurrentIndex(channel.modeEnable & kEnableBit ? 1 : 0);
    m_direction->setCurrentIndex(channel.control & kDirectionBit ? 0 : 1);
    const int rate = (channel.control & kRateMask) >> kRateShift;
    m_rate->setCurrentIndex(rate < m_rate->count() ? rate : -1);
    m_resetLevel->setCurrentIndex(channel.control & kResetLevelBit ? 0 : 1);
    m_preset->setText(QString::number(qint32(channel.preset)));
    m_current->setText(QString::number(qint32(channel.current)));
    m_filter->setCurrentIndex(channel.filterIndex < m_filter->count() ? channel.filterIndex : -1);
    m_speed->setText(QString::number(channel.speedTime));
    followMode(false);
}

void HscCounterGroup::apply(HscChannel& channel) const
{
    quint8 control = channel.control & quint8(~(kResetLevelBit | kRateMask | kDirectionBit));
    if (selectedOr(m_resetLevel, channel.control & kResetLevelBit ? 0 : 1) == 0)
        control |= kResetLevelBit;
    control |=
        quint8(selectedOr(m_rate, (channel.control & kRateMask) >> kRateShift) << kRateShift) &
        kRateMask;
    if (selectedOr(m_direction, channel.control & kDirectionBit ? 0 : 1) == 0)
        control |= kDirectionBit;
    channel.control = control;

    quint8 modeEnable = channel.modeEnable;
    if (mode() >= 0)
        modeEnable = quint8((modeEnable & ~kModeMask) | mode());
    modeEnable =
        m_enable->currentIndex() == 1 ? modeEnable | kEnableBit : modeEnable & quint8(~kEnableBit);
    channel.modeEnable = modeEnable;

    bool ok = false;
    if (const qint32 preset = m_preset->text().toInt(&ok); ok && m_preset->hasAcceptableInput())
        channel.preset = quint32(preset);
    if (const qint32 current = m_current->text().toInt(&ok); ok && m_current->hasAcceptableInput())
        channel.current = quint32(current);
    if (m_filter->currentIndex() >= 0)
        channel.filterIndex = quint8(m_filter->currentIndex());
    if (const int speed = m_speed->text().toInt(&ok); ok && m_speed->hasAcceptableInput())
        channel.speedTime = quint16(speed);
}

CheckResult HscCounterGroup::checkNumbers() const
{
    const struct
    {
        QLineEdit* field;
        QString name;
    } fields[] = {{m_preset, tr("Preset Value")},
                  {m_current, tr("Current Value")},
                  {m_speed, tr("Speed-testing Time(ms)")}};
    for (const auto& [field, name] : fields) {
        if (field->hasAcceptableInput())
            continue;
        const auto* range = static_cast<const CustomIntValidator*>(field->validator());
        return CheckFailure{CheckFailure::Kind::Warning,
                            tr("The %1 of HSC%2 must be a whole number from %3 to %4.")
                                .arg(name)
                                .arg(m_counter)
                                .arg(range->bottom())
                                .arg(range->top()),
                            field};
    }
    return std::nullopt;
}
