#include "clockcardparwgt.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

ClockCardParWgt::ClockCardParWgt(const QString& projectPath, int slotId, QWidget* parent)
    : CardParWgt(projectPath, slotId, parent)
    , m_row(new QWidget(this))
    , m_rtc(new QCheckBox(m_row))
    , m_rtcLabel(new QLabel(allowedText(), m_row))
{
    m_rtc->setObjectName(QStringLiteral("ckbRtc"));
    m_rtcLabel->setObjectName(QStringLiteral("lblRtc"));
    m_rtcLabel->setWordWrap(true);
    m_rtcLabel->setBuddy(m_rtc);
    m_rtcLabel->installEventFilter(this);
    auto* row = new QHBoxLayout(m_row);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_rtc, 0, Qt::AlignTop);
    row->addWidget(m_rtcLabel, 1);
    connect(m_rtc, &QCheckBox::stateChanged, this, &ClockCardParWgt::slot_rtcStateChanged);
}

QString ClockCardParWgt::allowedText()
{
    return tr("RTC %1").arg(tr("(The RTC function can be enabled for only one expansion card.)"));
}

QString ClockCardParWgt::lockedText()
{
    return tr("RTC %1").arg(
        tr("(To enable the RTC function, disable the RTC function for other expansion "
           "cards first.)"));
}

QString ClockCardParWgt::rtcText() const
{
    return m_rtcLabel->text();
}

bool ClockCardParWgt::eventFilter(QObject* watched, QEvent* event)
{
    // A click on the label is a click on the box, as with a box's own text.
    if (watched == m_rtcLabel && event->type() == QEvent::MouseButtonRelease && m_rtc->isEnabled())
        m_rtc->click();
    return CardParWgt::eventFilter(watched, event);
}

int ClockCardParWgt::askHolder()
{
    int holder = -1;
    emit signal_getSlotIdOfRtcEnable(holder);
    return holder;
}

void ClockCardParWgt::slot_rtcStateChanged()
{
    emit signal_rtcStateChanged(slotId(), int(m_rtc->checkState()));
    // Another card holding the clock keeps it: this box cannot stay on.
    const int holder = askHolder();
    if (m_rtc->isChecked() && holder != -1 && holder != slotId())
        setRtcChecked(false);
    slot_rtcEnableCardChanged(holder);
}

void ClockCardParWgt::slot_rtcEnableCardChanged(int slot)
{
    const bool allowed = slot == -1 || slot == slotId();
    if (!allowed && m_rtc->isChecked())
        setRtcChecked(false);
    m_rtc->setEnabled(allowed);
    m_rtcLabel->setEnabled(allowed);
    m_rtcLabel->setText(allowed ? allowedText() : lockedText());
}

void ClockCardParWgt::reportState()
{
    if (m_rtc->isChecked())
        slot_rtcStateChanged();
    else
        slot_rtcEnableCardChanged(askHolder());
}

void ClockCardParWgt::releaseExclusive()
{
    if (m_rtc->isChecked())
        emit signal_rtcStateChanged(slotId(), int(Qt::Unchecked));
}

void ClockCardParWgt::setRtcChecked(bool checked)
{
    const QSignalBlocker blocker(m_rtc);
    m_rtc->setChecked(checked);
}
