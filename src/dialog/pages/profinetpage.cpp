#include "profinetpage.h"

#include "config/busrules.h"
#include "model/debuglog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

const char kModule[] = ".\\corvopropdlg";
constexpr int kNameGroupWidth = 300;
constexpr int kNameGroupHeight = 90;

} // namespace

ProfinetPage::ProfinetPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::Profinet, context, parent)
{
    auto* top = introRow(tr("You can configure parameters for the Profinet bus in the CPU."),
                         &ProfinetPage::slot_bttnDefauProfinet);

    auto* group = new QGroupBox(this);
    m_use = new QCheckBox(tr("Use Profinet Bus"), group);
    m_use->setObjectName(QStringLiteral("useProfinet"));

    m_nameGroup = new QGroupBox(group);
    m_nameGroup->setObjectName(QStringLiteral("profinetNameGroup"));
    m_nameGroup->setFixedSize(kNameGroupWidth, kNameGroupHeight);
    m_nameGroup->setEnabled(false);
    m_useCustomName = new QCheckBox(tr("Use Custom Name"), m_nameGroup);
    m_useCustomName->setObjectName(QStringLiteral("profinetUseCustomName"));
    m_nameLabel = new QLabel(tr("Custom Name:"), m_nameGroup);
    m_nameLabel->setEnabled(false);
    m_name = new QLineEdit(m_nameGroup);
    m_name->setObjectName(QStringLiteral("profinetCustomName"));
    m_name->setMaxLength(NameMaxLength);
    m_name->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[a-z]+[0-9a-z-]*")), m_name));
    m_name->setEnabled(false);
    m_ipElsewhere = new QCheckBox(tr("Obtain IP addresses from other sources"), group);
    m_ipElsewhere->setObjectName(QStringLiteral("obtainIpElsewhere"));

    auto* nameGrid = new QGridLayout(m_nameGroup);
    nameGrid->addWidget(m_useCustomName, 0, 0, 1, 2);
    nameGrid->addWidget(m_nameLabel, 1, 0);
    nameGrid->addWidget(m_name, 1, 1);

    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_use);
    groupLayout->addWidget(m_nameGroup);
    groupLayout->addWidget(m_ipElsewhere);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group);
    layout->addStretch(1);

    connect(m_use, &QCheckBox::toggled, this, [this](bool on) {
        m_nameGroup->setEnabled(on);
        if (!on)
            m_ipElsewhere->setChecked(false);
    });
    connect(m_useCustomName, &QCheckBox::toggled, this, [this](bool on) {
        m_nameLabel->setEnabled(on);
        m_name->setEnabled(on);
    });
    connect(m_ipElsewhere, &QCheckBox::toggled, this,
            [this](bool on) { emit pageEnabledRequested(PageId::TcpIp, !on); });
}

void ProfinetPage::load(const CpuObject& source)
{
    const ProfinetSettings& p = source.profinet;
    m_use->setChecked(p.useBus != 0);
    m_useCustomName->setChecked(p.useCustomName != 0);
    m_name->setText(p.customName);
    m_ipElsewhere->setChecked(p.ipFromOtherSources != 0);
}

void ProfinetPage::apply(CpuObject& target)
{
    ProfinetSettings& p = target.profinet;
    p.useBus = m_use->isChecked() ? 1 : 0;
    p.useCustomName = m_useCustomName->isChecked() ? 1 : 0;
    p.customName = m_name->text();
    p.ipFromOtherSources = m_ipElsewhere->isChecked() ? 1 : 0;
}

QList<PageCheck> ProfinetPage::checks() const
{
    return {{OkStep::ProfinetName, [this] {
                 return checkCustomName();
             }}};
}

CheckResult ProfinetPage::checkCustomName() const
{
    if (const RuleResult failure = BusRules::profinetName(
            m_use->isChecked(), m_useCustomName->isChecked(), m_name->text()))
        return failureAt(*failure, m_name);
    return std::nullopt;
}

void ProfinetPage::slot_bttnDefauProfinet()
{
    debugLine(kModule, 2505);
    requestDefaults();
}
