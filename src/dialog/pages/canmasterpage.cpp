#include "canmasterpage.h"

#include "canmasterwdgt.h"

#include "model/modulecatalog.h"
#include "model/slaveregistry.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSet>
#include <QVBoxLayout>

namespace {

constexpr int kFirstNodeId = 1;
constexpr int kLastNodeId = 127;
constexpr int kDescriptionHeight = 36;
constexpr int kSettingsWidth = 360;

} // namespace

CanMasterPage::CanMasterPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::CanMaster, context, parent)
{
    auto* description = new QLabel(
        tr("You can configure parameters for the CANopen port integrated in the CPU."), this);
    description->setObjectName(QStringLiteral("pageIntro"));
    description->setWordWrap(true);
    description->setFixedHeight(kDescriptionHeight);

    m_use = new QCheckBox(tr("Use CANopen"), this);
    m_use->setObjectName(QStringLiteral("useCanopen"));

    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(description);
    m_layout->addLayout(introRow(QString(), &CanMasterPage::slot_bttnDefauCanMaster));
    m_layout->addWidget(m_use);
    m_layout->addStretch(1);

    connect(m_use, &QCheckBox::stateChanged, this, &CanMasterPage::slot_useCanChanged);
}

QList<int> CanMasterPage::availableNodeIds(const CpuObject& object)
{
    QSet<int> used;
    for (const CanNodeEntry& slave : object.canMaster.slaves)
        used.insert(SlaveRegistry::nodeIdOf(slave.iface, slave.handle));
    QList<int> ids;
    for (int id = kFirstNodeId; id <= kLastNodeId; ++id) {
        if (!used.contains(id))
            ids.append(id);
    }
    return ids;
}

void CanMasterPage::loadAtOpen(const CpuObject& object)
{
    if (!m_master) {
        // The slaves are asked once; the default object of Defaults has none.
        m_master = new CanMasterWdgt(availableNodeIds(object), this);
        m_master->setObjectName(QStringLiteral("canMaster"));
        m_master->setMaximumWidth(kSettingsWidth);
        m_master->setEnabled(m_use->isChecked());
        m_layout->insertWidget(m_layout->indexOf(m_use) + 1, m_master);
    }
    load(object);
}

void CanMasterPage::load(const CpuObject& source)
{
    if (!m_master)
        return; // not opened on an object yet
    m_use->setChecked(source.canMasterEnabled);
    m_master->setEnabled(source.canMasterEnabled);
    // A master that is off still shows its record, greyed: loaded and applied unedited,
    // the record stays as it is.
    m_master->load(source.canMaster);
}

void CanMasterPage::loadDefaults(const CpuObject& defaults)
{
    load(defaults);
    m_use->setChecked(false);
}

void CanMasterPage::apply(CpuObject& target)
{
    target.canMaster.useCanopen = m_use->isChecked() ? 1 : 0;
    if (m_master)
        m_master->apply(target.canMaster);
}

void CanMasterPage::followUp(const CpuObject& target, ApplyFollowUp& followUp)
{
    const bool checked = m_use->isChecked();
    // No free node id could be shown (a slave uses the stored one): OK keeps the stored id
    // rather than picking one the user never saw, and says so.
    if (checked && m_master && !m_master->hasNodeId())
        followUp.warnings.append(tr("No free node ID is selected for the CANopen master; it "
                                    "keeps node ID %1.")
                                     .arg(target.canMaster.nodeId));
    if (checked == target.canMasterEnabled)
        return;
    followUp.busLines.append(
        {ApplyFollowUp::BusKind::CanOpen, checked, [checked](CpuObject& object) {
             object.canMasterEnabled = checked;
         }});
}

void CanMasterPage::slot_bttnDefauCanMaster()
{
    requestDefaults();
}

void CanMasterPage::slot_useCanChanged(int state)
{
    if (!m_master)
        return;
    const bool on = state == Qt::Checked;
    m_master->setEnabled(on);
    if (!on)
        return;
    ModuleDescriptor entry;
    if (ModuleCatalog::lookup(CanMasterConfig::CatalogId, entry) < 0)
        return;
    CanMasterConfig fresh;
    fresh.objectId = CanMasterConfig::CatalogId;
    fresh.descriptor = entry;
    fresh.projectPath = context().projectPath;
    m_master->load(fresh);
}
