#include "eippage.h"

#include "model/debuglog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const char kModule[] = ".\\corvopropdlg";
constexpr int kIntroMaxHeight = 30;
constexpr int kSpacing = 100;

} // namespace

EipPage::EipPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::Eip, context, parent)
{
    auto* top =
        introRow(tr("You can configure parameters for the Use Ethernet/IP integrated in the CPU."),
                 &EipPage::slot_bttnDefauEIP);
    if (auto* intro = findChild<QLabel*>(QStringLiteral("pageIntro")))
        intro->setMaximumHeight(kIntroMaxHeight);

    auto* group = new QGroupBox(this);
    m_use = new QCheckBox(tr("Use Ethernet/IP"), group);
    m_use->setObjectName(QStringLiteral("useEip"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addSpacing(kSpacing);
    groupLayout->addWidget(m_use);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group);
    layout->addStretch(1);
}

void EipPage::load(const CpuObject& source)
{
    m_use->setChecked(source.eip.enabled != 0);
}

void EipPage::apply(CpuObject&)
{
    // The only setting is the bus line's; followUp stores it.
}

void EipPage::followUp(const CpuObject& target, ApplyFollowUp& followUp)
{
    const bool checked = m_use->isChecked();
    if (checked == (target.eip.enabled != 0))
        return;
    followUp.busLines.append(
        {ApplyFollowUp::BusKind::EtherNetIp, checked, [checked](CpuObject& object) {
             object.eip.enabled = checked ? 1 : 0;
         }});
}

void EipPage::slot_bttnDefauEIP()
{
    debugLine(kModule, 2516);
    requestDefaults();
}
