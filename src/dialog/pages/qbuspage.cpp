#include "qbuspage.h"

#include "config/busrules.h"
#include "model/debuglog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

const char kModule[] = ".\\corvopropdlg";
constexpr int kGroupWidth = 300;
constexpr int kSlaveGroupHeight = 60;
constexpr int kMasterGroupHeight = 50;
constexpr int kMasterSpacing = 40;
constexpr int kTightMargin = 2;

} // namespace

QbusPage::QbusPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::Qbus, context, parent)
{
    auto* top = introRow(tr("You can configure parameters for the QBUS bus in the CPU."),
                         &QbusPage::slot_bttnDefauQbus);

    auto* group = new QGroupBox(this);
    m_useSlave = new QCheckBox(tr("Use QBUS Bus Slave"), group);
    m_useSlave->setObjectName(QStringLiteral("useQbusSlave"));

    m_slaveGroup = new QGroupBox(group);
    m_slaveGroup->setObjectName(QStringLiteral("qbusSlaveGroup"));
    m_slaveGroup->setFixedSize(kGroupWidth, kSlaveGroupHeight);
    m_slaveGroup->setEnabled(false);
    m_useCustomName = new QCheckBox(tr("Use Custom Name"), m_slaveGroup);
    m_useCustomName->setObjectName(QStringLiteral("qbusUseCustomName"));
    m_nameLabel = new QLabel(tr("Custom Name:"), m_slaveGroup);
    m_nameLabel->setEnabled(false);
    m_name = new QLineEdit(m_slaveGroup);
    m_name->setObjectName(QStringLiteral("qbusCustomName"));
    m_name->setMaxLength(NameMaxLength);
    m_name->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[a-zA-Z]+[0-9a-zA-Z-_]*")), m_name));
    m_name->setEnabled(false);
    auto* slaveGrid = new QGridLayout(m_slaveGroup);
    // Two rows in a box of fixed height: tight margins keep the field its full height.
    slaveGrid->setContentsMargins(kTightMargin, kTightMargin, kTightMargin, kTightMargin);
    slaveGrid->setVerticalSpacing(0);
    slaveGrid->addWidget(m_useCustomName, 0, 0, 1, 2);
    slaveGrid->addWidget(m_nameLabel, 1, 0);
    slaveGrid->addWidget(m_name, 1, 1);

    m_useMaster = new QCheckBox(tr("Use QBUS Bus Master"), group);
    m_useMaster->setObjectName(QStringLiteral("useQbusMaster"));
    m_masterGroup = new QGroupBox(group);
    m_masterGroup->setObjectName(QStringLiteral("qbusMasterGroup"));
    m_masterGroup->setFixedSize(kGroupWidth, kMasterGroupHeight);
    m_masterGroup->setEnabled(false);
    m_protocol = new QComboBox(m_masterGroup);
    m_protocol->setObjectName(QStringLiteral("qbusProtocol"));
    m_protocol->addItem(tr("en....not Items"));
    auto* masterRow = new QHBoxLayout(m_masterGroup);
    masterRow->addWidget(new QLabel(tr("Protocol Type:"), m_masterGroup));
    masterRow->addWidget(m_protocol, 1);
    m_masterGroup->hide();

    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_useSlave);
    groupLayout->addWidget(m_slaveGroup);
    groupLayout->addSpacing(kMasterSpacing);
    groupLayout->addWidget(m_useMaster);
    groupLayout->addWidget(m_masterGroup);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group);
    layout->addStretch(1);

    connect(m_useSlave, &QCheckBox::toggled, m_slaveGroup, &QWidget::setEnabled);
    connect(m_useCustomName, &QCheckBox::toggled, this, [this](bool on) {
        m_nameLabel->setEnabled(on);
        m_name->setEnabled(on);
    });
}

void QbusPage::load(const CpuObject& source)
{
    const QbusSettings& q = source.qbus;
    m_useSlave->setChecked(q.useSlave != 0);
    m_useCustomName->setChecked(q.useCustomName != 0);
    m_name->setText(q.customName);
    m_useMaster->setChecked(q.masterEnabled != 0);
    // A protocol the list does not offer shows no selection and is kept (see apply).
    m_protocol->setCurrentIndex(q.protocolType < m_protocol->count() ? q.protocolType : -1);
}

void QbusPage::apply(CpuObject& target)
{
    QbusSettings& q = target.qbus;
    q.useSlave = m_useSlave->isChecked() ? 1 : 0;
    q.useCustomName = m_useCustomName->isChecked() ? 1 : 0;
    q.customName = m_name->text();
    if (m_protocol->currentIndex() >= 0)
        q.protocolType = quint8(m_protocol->currentIndex());
    // The master flag is the bus line's: followUp stores it once the host has taken it.
}

void QbusPage::followUp(const CpuObject& target, ApplyFollowUp& followUp)
{
    const bool checked = m_useMaster->isChecked();
    if (checked == (target.qbus.masterEnabled != 0))
        return;
    followUp.busLines.append({ApplyFollowUp::BusKind::Qbus, checked, [checked](CpuObject& object) {
                                  object.qbus.masterEnabled = checked ? 1 : 0;
                              }});
}

QList<PageCheck> QbusPage::checks() const
{
    return {{OkStep::QbusName, [this] {
                 return checkCustomName();
             }}};
}

CheckResult QbusPage::checkCustomName() const
{
    if (const RuleResult failure = BusRules::qbusName(m_useSlave->isChecked(),
                                                      m_useCustomName->isChecked(), m_name->text()))
        return failureAt(*failure, m_name);
    return std::nullopt;
}

void QbusPage::slot_bttnDefauQbus()
{
    debugLine(kModule, 2510);
    requestDefaults();
}
