#include "canmasterwdgt.h"

#include "dialog/longvalid.h"

#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mspinboxex.h>

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int kBaudRates[] = {20, 50, 125, 250, 500, 800, 1000}; // kbit/s
constexpr qint64 kMaxU32 = 4294967295LL;
constexpr int kMaxHeartbeat = 65535;

// The checks of the validator have passed: an empty text or a number within 32 bits.
bool readU32(const QLineEdit* edit, quint32& value)
{
    if (edit->text().isEmpty())
        return false;
    bool ok = false;
    const qint64 number = edit->text().toLongLong(&ok);
    if (!ok || number < 0 || number > kMaxU32)
        return false;
    value = quint32(number);
    return true;
}

} // namespace

CanMasterWdgt::CanMasterWdgt(const QList<int>& availableNodeIds, QWidget* parent)
    : QWidget(parent)
    , m_nodeIds(availableNodeIds)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);

    m_nodeId = new QComboBox(this);
    m_nodeId->setObjectName(QStringLiteral("canNodeId"));
    for (int id : qAsConst(m_nodeIds))
        m_nodeId->addItem(QString::number(id));

    m_baudRate = new MComboBoxEx(this);
    m_baudRate->setObjectName(QStringLiteral("canBaudRate"));
    for (int kbps : kBaudRates)
        m_baudRate->addItemWithData(QStringLiteral("%1kbps").arg(kbps), kbps);

    m_cobId = new QLineEdit(this);
    m_cobId->setObjectName(QStringLiteral("canCobId"));
    m_cobId->setValidator(new LongValid(0, kMaxU32, m_cobId));

    m_cyclePeriod = new QLineEdit(this);
    m_cyclePeriod->setObjectName(QStringLiteral("canCyclePeriod"));
    m_cyclePeriod->setValidator(new LongValid(0, kMaxU32, m_cyclePeriod));

    m_heartbeat = new MSpinBoxEx(this);
    m_heartbeat->setObjectName(QStringLiteral("canHeartbeat"));
    m_heartbeat->setRange(0, kMaxHeartbeat);

    const QList<QPair<QString, QWidget*>> rows{
        {tr("Node ID"), m_nodeId},
        {tr("Baud Rate"), m_baudRate},
        {QStringLiteral("COB ID"), m_cobId},
        {tr("Cycle Period(us)"), m_cyclePeriod},
        {tr("Heart Beat Time(ms)"), m_heartbeat},
    };
    for (int row = 0; row < rows.size(); ++row) {
        grid->addWidget(new QLabel(rows.at(row).first, this), row, 0);
        grid->addWidget(rows.at(row).second, row, 1);
    }
    grid->setColumnStretch(1, 1);
}

void CanMasterWdgt::load(const CanMasterConfig& master)
{
    m_nodeId->setCurrentIndex(m_nodeId->findText(QString::number(master.nodeId)));
    // An unlisted rate (10 kbit/s is valid on the bus) shows no selection and is kept.
    m_baudRate->setCurrentIndex(m_baudRate->findItemData(int(master.baudRate)));
    m_cobId->setText(QString::number(master.cobId));
    m_cyclePeriod->setText(QString::number(master.cyclePeriod));
    m_heartbeat->setValue(master.heartbeat);
}

void CanMasterWdgt::apply(CanMasterConfig& master) const
{
    const int node = m_nodeId->currentIndex();
    if (node >= 0 && node < m_nodeIds.size())
        master.nodeId = quint8(m_nodeIds.at(node));
    readU32(m_cobId, master.cobId);
    readU32(m_cyclePeriod, master.cyclePeriod);
    master.heartbeat = quint16(m_heartbeat->value());
    const QVariant baud = m_baudRate->currentItemData();
    if (baud.isValid())
        master.baudRate = baud.toInt();
}

bool CanMasterWdgt::hasNodeId() const
{
    return m_nodeId->currentIndex() >= 0;
}
