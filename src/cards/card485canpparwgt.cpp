#include "card485canpparwgt.h"

#include "serialchannelgroup.h"

#include "config/cardrules.h"
#include "model/cardlists.h"

#include <corekit/widgets/customintvalidator.h>
#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mspinboxex.h>

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kCobIdMin = CardRules::CobIdMin;
constexpr int kCobIdMax = CardRules::CobIdMax;
constexpr int kCycleMin = 1000;
constexpr int kCycleMax = 10000000;

} // namespace

Card485CANPParWgt::Card485CANPParWgt(const QString& projectPath, int slotId,
                                     const CardRecord& record, QWidget* parent)
    : CardParWgt(projectPath, slotId, parent)
    , m_serial(new SerialChannelGroup(0, this))
    , m_can(new QGroupBox(SerialChannelGroup::channelTitle(1), this))
    , m_canPort(new MSpinBoxEx)
    , m_canProtocol(new MComboBoxEx)
    , m_canOpen(new QGroupBox(tr("Enable CANopen Master")))
    , m_canBaud(new MComboBoxEx)
    , m_nodeId(new MComboBoxEx)
    , m_cobId(new QLineEdit)
    , m_cyclePeriod(new MSpinBoxEx)
    , m_heartbeat(new MSpinBoxEx)
{
    setObjectName(QStringLiteral("card485CANP"));
    setStyleSheet(QString::fromLatin1(SerialChannelGroup::StyleSheet));
    m_serial->setPortNumber(slotId * 2 + 1);

    m_can->setObjectName(QStringLiteral("gbChnl1"));
    m_can->setCheckable(true);
    m_can->setChecked(false);
    m_canPort->setObjectName(QStringLiteral("sbPortCH1"));
    m_canPort->setRange(1, 255);
    m_canPort->setReadOnly(true);
    m_canPort->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_canPort->setValue(slotId * 2 + 2);
    m_canProtocol->setObjectName(QStringLiteral("cmbProtocolCH1"));
    for (const CardChoice& choice : CardLists::canProtocols())
        m_canProtocol->addItemWithData(CardLists::tr(choice), choice.code);

    m_canOpen->setObjectName(QStringLiteral("gbCANopen"));
    m_canOpen->setCheckable(true);
    m_canOpen->setChecked(false);
    m_canBaud->setObjectName(QStringLiteral("cmbCanBaud"));
    for (const CardChoice& choice : CardLists::canBaudRates())
        m_canBaud->addItemWithData(CardLists::tr(choice), choice.code);
    m_nodeId->setObjectName(QStringLiteral("cmbNodeId"));
    for (int node = 1; node <= 127; ++node)
        m_nodeId->addItemWithData(QString::number(node), node);
    m_cobId->setObjectName(QStringLiteral("leCobId"));
    m_cobId->setValidator(new CustomIntValidator(0, kCobIdMax, m_cobId));
    m_cobId->setToolTip(tr("%1~%2").arg(kCobIdMin).arg(kCobIdMax));
    m_cyclePeriod->setObjectName(QStringLiteral("sbCyclePeriod"));
    m_cyclePeriod->setRange(kCycleMin, kCycleMax);
    m_cyclePeriod->setToolTip(tr("%1~%2").arg(kCycleMin).arg(kCycleMax));
    m_heartbeat->setObjectName(QStringLiteral("sbHeartbeat"));
    m_heartbeat->setRange(0, 65535);
    m_heartbeat->setToolTip(tr("%1~%2").arg(0).arg(65535));

    auto* canOpenForm = new QFormLayout(m_canOpen);
    canOpenForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    canOpenForm->setVerticalSpacing(4);
    canOpenForm->addRow(tr("Baud Rate:"), m_canBaud);
    canOpenForm->addRow(tr("Node ID"), m_nodeId);
    canOpenForm->addRow(tr("COB ID"), m_cobId);
    canOpenForm->addRow(tr("Cycle Period(us)"), m_cyclePeriod);
    canOpenForm->addRow(tr("Heart Beat Time(ms)"), m_heartbeat);

    auto* canForm = new QFormLayout;
    canForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    canForm->setVerticalSpacing(4);
    canForm->addRow(tr("Port Number:"), m_canPort);
    canForm->addRow(tr("Protocol Type:"), m_canProtocol);
    auto* canLayout = new QVBoxLayout(m_can);
    canLayout->addLayout(canForm);
    canLayout->addWidget(m_canOpen);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_serial);
    layout->addWidget(m_can);
    layout->addStretch(1);

    connect(m_serial->protocolList(), QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &Card485CANPParWgt::slot_chnl0_protocolIndexChange);
    connect(m_canProtocol, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &Card485CANPParWgt::slot_chnl1_protocolIndexChange);
    connect(m_serial, &QGroupBox::clicked, this, &Card485CANPParWgt::slot_gbChnl0_clicked);
    connect(m_can, &QGroupBox::clicked, this, &Card485CANPParWgt::slot_gbChnl1_clicked);
    connect(m_can, &QGroupBox::toggled, this,
            [this] { slot_chnl1_protocolIndexChange(m_canProtocol->currentIndex()); });
    connect(m_canOpen, &QGroupBox::toggled, this, &Card485CANPParWgt::canOpenToggled);
    load(record);
}

bool Card485CANPParWgt::canOpenMode() const
{
    return m_can->isChecked() && m_canProtocol->currentItemData().toInt() == CanOpenMaster;
}

void Card485CANPParWgt::slot_chnl0_protocolIndexChange(int index)
{
    m_serial->applyProtocol(index);
}

void Card485CANPParWgt::slot_chnl1_protocolIndexChange(int)
{
    // Leaving CANopen master mode gives the master back.
    if (!canOpenMode() && m_canOpen->isChecked())
        m_canOpen->setChecked(false);
    updateCanOpenGroup(m_holder);
}

void Card485CANPParWgt::slot_gbChnl0_clicked(bool)
{
    m_serial->applyProtocol(m_serial->protocol());
}

void Card485CANPParWgt::slot_gbChnl1_clicked(bool)
{
    slot_chnl1_protocolIndexChange(m_canProtocol->currentIndex());
}

int Card485CANPParWgt::askHolder()
{
    int holder = -1;
    emit signal_getSelCANOpenCardSlotId(holder);
    return holder;
}

void Card485CANPParWgt::canOpenToggled(bool on)
{
    emit signal_notiCANOpenSelChanged(slotId(), on);
    // Another card that is the master stays it: this selection cannot stay on.
    const int holder = askHolder();
    if (on && holder != -1 && holder != slotId())
        setCanOpenChecked(false);
    updateCanOpenGroup(holder);
}

void Card485CANPParWgt::slot_selCANOpenCardChanged(int slotId)
{
    if (slotId != -1 && slotId != this->slotId() && m_canOpen->isChecked())
        setCanOpenChecked(false);
    updateCanOpenGroup(slotId);
}

void Card485CANPParWgt::updateCanOpenGroup(int holder)
{
    m_holder = holder;
    m_canOpen->setEnabled(canOpenMode() && (holder == -1 || holder == slotId()));
}

void Card485CANPParWgt::setCanOpenChecked(bool on)
{
    const QSignalBlocker blocker(m_canOpen);
    m_canOpen->setChecked(on);
}

void Card485CANPParWgt::reportState()
{
    // A selection outside CANopen master mode means nothing.
    if (m_canOpen->isChecked() && !canOpenMode())
        setCanOpenChecked(false);
    if (m_canOpen->isChecked())
        canOpenToggled(true);
    else
        updateCanOpenGroup(askHolder());
}

void Card485CANPParWgt::releaseExclusive()
{
    if (m_canOpen->isChecked())
        emit signal_notiCANOpenSelChanged(slotId(), false);
}

void Card485CANPParWgt::load(const CardRecord& record)
{
    const Can485Params& p = record.can485;
    m_serial->load(p.channel0);
    {
        const QSignalBlocker blocker(m_canProtocol);
        m_can->setChecked(p.canEnabled != 0);
        if (!m_canProtocol->setCurrentData(p.canProtocol))
            m_canProtocol->setCurrentIndex(-1);
    }
    setCanOpenChecked(p.canopenSelected != 0);
    if (!m_canBaud->setCurrentData(p.canBaudCode))
        m_canBaud->setCurrentIndex(-1);
    if (!m_nodeId->setCurrentData(int(p.nodeId)))
        m_nodeId->setCurrentIndex(-1);
    m_cobId->setText(QString::number(p.cobId));
    m_cyclePeriod->setValue(int(qMin<quint32>(p.cyclePeriod, kCycleMax)));
    m_heartbeat->setValue(int(qMin<quint32>(p.heartbeat, 65535)));
    updateCanOpenGroup(m_holder);
}

CheckResult Card485CANPParWgt::validate() const
{
    if (const RuleResult failure =
            CardRules::can485CobId(m_canOpen->isChecked(), m_cobId->text(), QString()))
        return failureAt(*failure, m_cobId);
    return std::nullopt;
}

void Card485CANPParWgt::write(CardRecord& record) const
{
    Can485Params& p = record.can485;
    m_serial->collect(p.channel0);
    p.canEnabled = m_can->isChecked() ? 1 : 0;
    p.canPort = quint8(m_canPort->value());
    if (m_canProtocol->currentItemData().isValid())
        p.canProtocol = quint8(m_canProtocol->currentItemData().toInt());
    p.canopenSelected = m_canOpen->isChecked() ? 1 : 0;
    if (m_canBaud->currentItemData().isValid())
        p.canBaudCode = quint8(m_canBaud->currentItemData().toInt());
    if (m_nodeId->currentItemData().isValid())
        p.nodeId = quint32(m_nodeId->currentItemData().toInt());
    bool ok = false;
    const uint cobId = m_cobId->text().toUInt(&ok);
    if (ok && cobId >= uint(kCobIdMin) && cobId <= uint(kCobIdMax))
        p.cobId = cobId;
    p.cyclePeriod = quint32(m_cyclePeriod->value());
    p.heartbeat = quint32(m_heartbeat->value());
}

QList<StationAddress> Card485CANPParWgt::stationAddresses() const
{
    if (!m_serial->answersToAddress())
        return {};
    return {{m_serial->addressField()->value(), m_serial->addressField()}};
}
