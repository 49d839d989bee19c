#include "ethercatpage.h"

#include <corekit/widgets/mspinboxex.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <climits>

namespace {

constexpr int kTaskIntervalMin = 1;
constexpr int kTaskIntervalMax = 100;
constexpr int kTaskIntervalInitial = 2;

const char* const kWithoutRedundancy[] = {
    "KLV2 R40-010P", "KLV2 R40-01AP", "KLV2 R40-020P", "KLV2 R30-010P",
    "KLV2 R30-020P", "KLV2 R60-500P", "KLV2 R70-500P", "MRW-Q310-24T",
};

// A value with its unit behind it, in one row of a grid.
MSpinBoxEx* addValueRow(QGridLayout* grid, const QString& label, const QString& unit, int min,
                        int max, const QString& name)
{
    QWidget* parent = grid->parentWidget();
    auto* spin = new MSpinBoxEx(parent);
    spin->setObjectName(name);
    spin->setRange(min, max);
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(label, parent), row, 0);
    grid->addWidget(spin, row, 1);
    grid->addWidget(new QLabel(unit, parent), row, 2);
    return spin;
}

} // namespace

EtherCatPage::EtherCatPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::EtherCat, context, parent)
{
    auto* top =
        introRow(tr("You can configure parameters for the EtherCAT port integrated in the CPU."),
                 &EtherCatPage::slot_bttnDefauEthercat);

    auto* group = new QGroupBox(this);
    m_use = new QCheckBox(tr("Use EtherCAT"), group);
    m_use->setObjectName(QStringLiteral("useEtherCat"));

    auto* intervalRow = new QHBoxLayout;
    intervalRow->addWidget(new QLabel(tr("Task Interval(1-100 ms)"), group));
    m_taskInterval = new MSpinBoxEx(group);
    m_taskInterval->setObjectName(QStringLiteral("taskInterval"));
    m_taskInterval->setRange(kTaskIntervalMin, kTaskIntervalMax);
    m_taskInterval->setValue(kTaskIntervalInitial);
    intervalRow->addWidget(m_taskInterval);
    intervalRow->addStretch(1);

    m_redundancy = new QCheckBox(tr("Enable Redundancy"), group);
    m_redundancy->setObjectName(QStringLiteral("enableRedundancy"));
    if (!offersRedundancy(context.descriptor.MLFB)) {
        m_redundancy->setChecked(false);
        m_redundancy->setEnabled(false);
    }

    m_distributedClock = new QGroupBox(tr("Distributed Clock"), group);
    m_distributedClock->setObjectName(QStringLiteral("distributedClock"));
    m_distributedClock->setCheckable(true);
    auto* clockGrid = new QGridLayout(m_distributedClock);
    m_cycleTime = addValueRow(clockGrid, tr("Cycle Time"), tr("us"), INT_MIN, INT_MAX,
                              QStringLiteral("cycleTime"));
    m_syncOffset = addValueRow(clockGrid, tr("Sync Offset"), tr("%"), SyncOffsetMin, SyncOffsetMax,
                               QStringLiteral("syncOffset"));
    m_distributedClock->hide();

    m_syncWindowMonitor = new QGroupBox(tr("Sync Window Monitor"), group);
    m_syncWindowMonitor->setObjectName(QStringLiteral("syncWindowMonitor"));
    m_syncWindowMonitor->setCheckable(true);
    auto* windowGrid = new QGridLayout(m_syncWindowMonitor);
    m_syncWindow = addValueRow(windowGrid, tr("Sync Window"), tr("us"), 0, INT_MAX,
                               QStringLiteral("syncWindow"));
    windowGrid->setColumnStretch(3, 1);

    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_use);
    groupLayout->addLayout(intervalRow);
    groupLayout->addWidget(m_redundancy);
    groupLayout->addWidget(m_distributedClock);
    groupLayout->addWidget(m_syncWindowMonitor);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group);
    layout->addStretch(1);
}

bool EtherCatPage::offersRedundancy(const QString& mlfb)
{
    for (const char* model : kWithoutRedundancy) {
        if (mlfb.compare(QLatin1String(model), Qt::CaseInsensitive) == 0)
            return false;
    }
    return true;
}

void EtherCatPage::load(const CpuObject& source)
{
    const EtherCatSettings& s = source.etherCat;
    m_use->setChecked(s.enabled != 0);
    m_taskInterval->setValue(int(qMin<quint32>(s.taskInterval, INT_MAX)));
    m_redundancy->setChecked(s.redundancy != 0);
    m_distributedClock->setChecked(s.dcEnabled != 0);
    m_syncWindowMonitor->setChecked(s.syncWindowMonitor != 0);
    m_cycleTime->setValue(qint32(s.dcCycleTime));
    // The byte holds a signed percentage (two's complement).
    m_syncOffset->setValue(qint8(s.syncOffset));
    m_syncWindow->setValue(int(qMin<quint32>(s.syncWindow, INT_MAX)));
}

void EtherCatPage::apply(CpuObject& target)
{
    EtherCatSettings& s = target.etherCat;
    s.taskInterval = quint32(m_taskInterval->value());
    s.redundancy = m_redundancy->isChecked() ? 1 : 0;
    s.dcEnabled = m_distributedClock->isChecked() ? 1 : 0;
    s.dcCycleTime = quint32(qint32(m_cycleTime->value()));
    s.syncOffset = quint8(qint8(m_syncOffset->value()));
    s.syncWindowMonitor = m_syncWindowMonitor->isChecked() ? 1 : 0;
    s.syncWindow = quint32(m_syncWindow->value());
    // A bus that is already off and stays off keeps no slaves; a bus that is on loses
    // them only once the host has taken the notification (below).
    if (!m_use->isChecked() && s.enabled == 0)
        target.etherCatSlaves.clear();
}

void EtherCatPage::followUp(const CpuObject& target, ApplyFollowUp& followUp)
{
    const bool checked = m_use->isChecked();
    if (checked == (target.etherCat.enabled != 0))
        return;
    followUp.busLines.append(
        {ApplyFollowUp::BusKind::EtherCat, checked, [checked](CpuObject& object) {
             object.etherCat.enabled = checked ? 1 : 0;
             // The slaves go with their bus, and only with it.
             if (!checked)
                 object.etherCatSlaves.clear();
         }});
}

void EtherCatPage::slot_bttnDefauEthercat()
{
    requestDefaults();
}
