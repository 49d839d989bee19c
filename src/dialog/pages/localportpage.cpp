#include "localportpage.h"

#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mspinboxex.h>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

namespace {

constexpr int kLabelWidth = 120;
constexpr int kControlWidth = 168;

MSpinBoxEx* spinBox(int low, int high, const QString& toolTip)
{
    auto* box = new MSpinBoxEx;
    box->setRange(low, high);
    box->setToolTip(toolTip);
    return box;
}

} // namespace

LocalPortPage::LocalPortPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::LocalPort, context, parent)
    , m_portNumber(new MSpinBoxEx)
    , m_protocol(new MComboBoxEx)
    , m_baud(new MComboBoxEx)
    , m_dataLength(new MComboBoxEx)
    , m_parity(new MComboBoxEx)
    , m_stopBits(new MComboBoxEx)
    , m_responseTime(spinBox(0, 100, tr("%1~%2").arg(0).arg(100)))
    , m_address(spinBox(1, 247, tr("%1~%2").arg(1).arg(247)))
    , m_receiveTimeout(spinBox(1, 65535, tr("1~65535")))
    , m_plcAddress(spinBox(1, 126, tr("1~126")))
    , m_highestAddress(spinBox(1, 126, tr("1~126")))
    , m_retryCount(spinBox(0, 8, tr("%1~%2").arg(0).arg(8)))
    , m_gapFactor(spinBox(1, 100, tr("%1~%2").arg(1).arg(100)))
{
    setWindowTitle(tr("PPI Port Config"));

    m_portNumber->setEnabled(false);
    m_protocol->addItems({tr("FREE"), tr("ModbusRTU Master"), tr("ModbusRTU Slave"),
                          tr("PPI Master"), tr("PPI Slave")});
    m_dataLength->addItemWithData(tr("7bit"), 1);
    m_dataLength->addItemWithData(tr("8bit"), 2);
    m_parity->addItems({tr("NONE"), tr("Odd"), tr("Even")});
    m_stopBits->addItemWithData(tr("1"), 1);
    m_stopBits->addItemWithData(tr("2"), 2);
    m_responseTime->setSuffix(tr("ms"));
    m_receiveTimeout->setSuffix(tr("ms"));
    m_receiveTimeout->setValue(2000);

    auto* top = introRow(QString(), &LocalPortPage::slot_bttnDefaultPPIPort);

    auto* group = new QGroupBox(tr("Port Config"), this);
    m_rowBox = group;
    auto* rows = new QVBoxLayout(group);
    rows->addWidget(addRow("wgtPortNumber", tr("Port Number:"), m_portNumber));
    rows->addWidget(addRow("wgtProtocol", tr("Protocol Type:"), m_protocol));
    rows->addWidget(addRow("wgtBaudRate", tr("Baud Rate:"), m_baud));
    rows->addWidget(addRow("wgtDataLen", tr("Data Length:"), m_dataLength));
    rows->addWidget(addRow("wgtParity", tr("Parity:"), m_parity));
    rows->addWidget(addRow("wgtStopBits", tr("Stop Bits:"), m_stopBits));
    rows->addWidget(addRow("wgtResponseTime", tr("Response Time:"), m_responseTime));
    rows->addWidget(addRow("wgtAddress", tr("Address:"), m_address));
    rows->addWidget(addRow("wgtReceiveTimeout", tr("Receive Timeout:"), m_receiveTimeout));
    rows->addWidget(addRow("wgtPlcAddress", tr("PLC Address:"), m_plcAddress));
    rows->addWidget(addRow("wgtHighestAddr", tr("Highest Address:"), m_highestAddress));
    rows->addWidget(addRow("wgtRetryCount", tr("Retry Count:"), m_retryCount));
    rows->addWidget(addRow("wgtRefreshFactor", tr("Gap Update Factor:"), m_gapFactor));
    rows->addStretch(1);
    // One width for every caption: the specified one, or wider where the font needs it.
    int captionWidth = kLabelWidth;
    const QList<QLabel*> captions = group->findChildren<QLabel*>(QStringLiteral("caption"));
    for (QLabel* caption : captions)
        captionWidth = qMax(captionWidth, caption->sizeHint().width());
    for (QLabel* caption : captions)
        caption->setFixedWidth(captionWidth);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group, 1);

    // Nothing is chosen until the page is loaded.
    m_protocol->setCurrentIndex(-1);
    slot_protocolIndexChange(-1);

    connect(m_protocol, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &LocalPortPage::slot_protocolIndexChange);
}

QWidget* LocalPortPage::addRow(const char* objectName, const QString& label, QWidget* control)
{
    auto* row = new QWidget(m_rowBox);
    row->setObjectName(QLatin1String(objectName));
    auto* caption = new QLabel(label, row);
    caption->setObjectName(QStringLiteral("caption"));
    control->setParent(row);
    control->setFixedWidth(kControlWidth);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(control);
    layout->addStretch(1);
    return row;
}

void LocalPortPage::slot_protocolIndexChange(int index)
{
    struct Shown
    {
        const char* row;
        std::initializer_list<int> protocols;
    };
    static const Shown shown[] = {
        {"wgtBaudRate", {Free, ModbusMaster, ModbusSlave, PpiMaster, PpiSlave}},
        {"wgtDataLen", {Free}},
        {"wgtParity", {Free, ModbusMaster, ModbusSlave}},
        {"wgtStopBits", {Free}},
        {"wgtResponseTime", {ModbusSlave}},
        {"wgtAddress", {ModbusSlave}},
        {"wgtReceiveTimeout", {ModbusMaster}},
        {"wgtPlcAddress", {PpiMaster, PpiSlave}},
        {"wgtHighestAddr", {PpiMaster, PpiSlave}},
        {"wgtRetryCount", {PpiMaster, PpiSlave}},
        {"wgtRefreshFactor", {PpiMaster, PpiSlave}},
    };
    for (const Shown& entry : shown) {
        if (auto* row = findChild<QWidget*>(QLatin1String(entry.row))) {
            const auto& protocols = entry.protocols;
            row->setVisible(std::find(protocols.begin(), protocols.end(), index) !=
                            protocols.end());
        }
    }

    m_baud->clear();
    if (index == PpiMaster || index == PpiSlave) {
        m_baud->addItemWithData(tr("9600"), 0);
        m_baud->addItemWithData(tr("19200"), 1);
        m_baud->addItemWithData(tr("187500"), 5);
    } else {
        m_baud->addItemWithData(tr("9600"), 0);
        m_baud->addItemWithData(tr("19200"), 1);
        m_baud->addItemWithData(tr("38400"), 2);
        m_baud->addItemWithData(tr("57600"), 3);
        m_baud->addItemWithData(tr("115200"), 4);
    }
    m_baud->setCurrentIndex(0);
}

void LocalPortPage::slot_bttnDefaultPPIPort()
{
    requestDefaults();
}

void LocalPortPage::load(const CpuObject& source)
{
    const LocalPort& port = source.localPort;
    m_portNumber->setValue(0);
    m_portNumber->setEnabled(false);
    const int protocol = port.protocol < m_protocol->count() ? port.protocol : -1;
    if (m_protocol->currentIndex() == protocol)
        slot_protocolIndexChange(protocol); // no change signal, but the baud list is refilled
    else
        m_protocol->setCurrentIndex(protocol);
    m_baud->setCurrentData(port.baudCode);
    m_dataLength->setCurrentData(port.dataLength);
    m_parity->setCurrentIndex(port.parity < m_parity->count() ? port.parity : -1);
    m_stopBits->setCurrentData(port.stopBits);
    m_responseTime->setValue(port.responseTime);
    m_address->setValue(port.address);
    m_receiveTimeout->setValue(port.receiveTimeout);
    m_highestAddress->setValue(port.highestAddress);
    m_plcAddress->setValue(port.plcAddress);
    m_retryCount->setValue(port.retryCount);
    m_gapFactor->setValue(port.gapFactor);
}

void LocalPortPage::apply(CpuObject& target)
{
    LocalPort& port = target.localPort;
    port.portNumber = quint8(m_portNumber->value());
    // A list without a selection leaves its byte as it was.
    if (m_protocol->currentIndex() >= 0)
        port.protocol = quint8(m_protocol->currentIndex());
    if (m_baud->currentItemData().isValid())
        port.baudCode = quint8(m_baud->currentItemData().toInt());
    if (m_dataLength->currentItemData().isValid())
        port.dataLength = quint8(m_dataLength->currentItemData().toInt());
    if (m_parity->currentIndex() >= 0)
        port.parity = quint8(m_parity->currentIndex());
    if (m_stopBits->currentItemData().isValid())
        port.stopBits = quint8(m_stopBits->currentItemData().toInt());
    port.responseTime = quint8(m_responseTime->value());
    port.address = quint8(m_address->value());
    port.receiveTimeout = quint16(m_receiveTimeout->value());
    port.highestAddress = quint8(m_highestAddress->value());
    port.plcAddress = quint8(m_plcAddress->value());
    port.retryCount = quint8(m_retryCount->value());
    port.gapFactor = quint8(m_gapFactor->value());
}

QList<StationAddress> LocalPortPage::stationAddresses() const
{
    // The port answers to its address only as a Modbus RTU slave.
    if (m_protocol->currentIndex() != ModbusSlave)
        return {};
    return {{m_address->value(), m_address}};
}
