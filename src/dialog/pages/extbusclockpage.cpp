#include "extbusclockpage.h"

#include <corekit/widgets/mcomboboxex.h>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

ExtBusClockPage::ExtBusClockPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::ExtBusClock, context, parent)
    , m_clock(new MComboBoxEx(this))
{
    const QString fastest = context.isCompact() ? tr("100 MHz") : tr("55 MHz");
    auto* top = introRow(tr("You can set the extend bus clock frequency for this CPU. The default "
                            "value is %1, and you can reduce it if extend bus length is over 5 "
                            "meters.")
                             .arg(fastest),
                         &ExtBusClockPage::slot_bttnDefauExtBusClock);

    m_clock->setObjectName(QStringLiteral("extBusClock"));
    m_clock->addItems({fastest, tr("20 MHz"), tr("10 MHz")});

    auto* group = new QGroupBox(tr("Clock Frequency"), this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(new QLabel(tr("Select Extend Bus Clock Frequency"), group));
    row->addWidget(m_clock);
    row->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group);
    layout->addStretch(1);
}

void ExtBusClockPage::load(const CpuObject& source)
{
    m_clock->setCurrentIndex(source.extBusClock < m_clock->count() ? source.extBusClock : 0);
}

void ExtBusClockPage::apply(CpuObject& target)
{
    target.extBusClock = quint8(qMax(0, m_clock->currentIndex()));
}

void ExtBusClockPage::slot_bttnDefauExtBusClock()
{
    requestDefaults();
}
