#include "serialchannelgroup.h"

#include "model/cardlists.h"

#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mspinboxex.h>

#include <QFormLayout>

const char* const SerialChannelGroup::StyleSheet =
    "QComboBox{max-width:158px;min-width:158px;}QSpinBox{max-width:158px;min-width:158px;}"
    "QLineEdit{max-width:158px;min-width:158px;}";

namespace {

MComboBoxEx* list(const QVector<CardChoice>& choices, const QString& name)
{
    auto* box = new MComboBoxEx;
    box->setObjectName(name);
    for (const CardChoice& choice : choices)
        box->addItemWithData(CardLists::tr(choice), choice.code);
    return box;
}

MSpinBoxEx* spin(int low, int high, const QString& hint, const QString& name)
{
    auto* box = new MSpinBoxEx;
    box->setObjectName(name);
    box->setRange(low, high);
    box->setToolTip(hint);
    return box;
}

} // namespace

QString SerialChannelGroup::channelTitle(int channel)
{
    switch (channel) {
    case 0:
        return tr("Enable Channel 0");
    case 1:
        return tr("Enable Channel 1");
    default:
        return tr("Enable Channel 2");
    }
}

SerialChannelGroup::SerialChannelGroup(int channel, QWidget* parent)
    : QGroupBox(channelTitle(channel), parent)
    , m_channel(channel)
{
    const QString ch = QStringLiteral("CH%1").arg(channel);
    setObjectName(QStringLiteral("gbChnl%1").arg(channel));
    setCheckable(true);
    setChecked(false);
    m_port = spin(1, 255, QString(), QStringLiteral("sbPort") + ch);
    m_port->setReadOnly(true);
    m_port->setButtonSymbols(QAbstractSpinBox::NoButtons);
    m_protocol = list(CardLists::protocols(), QStringLiteral("cmbProtocol") + ch);
    m_baud = list(CardLists::baudRates(), QStringLiteral("cmbBaud") + ch);
    m_dataLength = list(CardLists::dataLengths(), QStringLiteral("cmbDataLen") + ch);
    m_parity = list(CardLists::parities(), QStringLiteral("cmbParity") + ch);
    m_stopBits = list(CardLists::stopBits(), QStringLiteral("cmbStopBits") + ch);
    m_responseTime =
        spin(0, 100, tr("%1~%2").arg(0).arg(100), QStringLiteral("sbResponseTime") + ch);
    m_responseTime->setSuffix(tr("ms"));
    m_address = spin(1, 247, tr("%1~%2").arg(1).arg(247), QStringLiteral("sbAddress") + ch);
    m_receiveTimeout = spin(1, 65535, tr("1~65535"), QStringLiteral("sbReceiveTimeout") + ch);
    m_receiveTimeout->setSuffix(tr("ms"));
    m_receiveTimeout->setValue(2000);

    auto* form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->setLabelAlignment(Qt::AlignLeft);
    form->setVerticalSpacing(4);
    form->addRow(tr("Port Number:"), m_port);
    form->addRow(tr("Protocol Type:"), m_protocol);
    form->addRow(tr("Baud Rate:"), m_baud);
    form->addRow(tr("Data Length:"), m_dataLength);
    form->addRow(tr("Parity:"), m_parity);
    form->addRow(tr("Stop Bits:"), m_stopBits);
    form->addRow(tr("Response Time:"), m_responseTime);
    form->addRow(tr("Address:"), m_address);
    form->addRow(tr("Receive Timeout:"), m_receiveTimeout);

    m_protocol->setCurrentIndex(None);
    applyProtocol(None);
    connect(this, &QGroupBox::toggled, this, [this] { applyProtocol(protocol()); });
}

void SerialChannelGroup::setPortNumber(int port)
{
    m_port->setValue(port);
}

void SerialChannelGroup::applyProtocol(int index)
{
    // FREE sets the whole frame; Modbus RTU frames are 8 bits; the master waits for answers,
    // the slave answers to its address after its response time.
    // A channel that is off has every field off.
    const bool on = isChecked();
    m_baud->setEnabled(on && index != None);
    m_dataLength->setEnabled(on && index == Free);
    m_parity->setEnabled(on && index != None);
    m_stopBits->setEnabled(on && index != None);
    m_responseTime->setEnabled(on && index == ModbusSlave);
    m_address->setEnabled(on && index == ModbusSlave);
    m_receiveTimeout->setEnabled(on && index == ModbusMaster);
}

int SerialChannelGroup::protocol() const
{
    return m_protocol->currentIndex();
}

bool SerialChannelGroup::answersToAddress() const
{
    return isChecked() && protocol() == ModbusSlave;
}

void SerialChannelGroup::load(const SerialChannel& c)
{
    setChecked(c.enabled != 0);
    m_protocol->setCurrentIndex(c.protocol < m_protocol->count() ? c.protocol : -1);
    applyProtocol(m_protocol->currentIndex());
    m_baud->setCurrentIndex(c.baud < m_baud->count() ? c.baud : -1);
    if (!m_dataLength->setCurrentData(c.dataLength))
        m_dataLength->setCurrentIndex(-1);
    m_parity->setCurrentIndex(c.parity < m_parity->count() ? c.parity : -1);
    if (!m_stopBits->setCurrentData(c.stopBits))
        m_stopBits->setCurrentIndex(-1);
    m_responseTime->setValue(c.responseTime);
    m_address->setValue(c.address);
    m_receiveTimeout->setValue(c.receiveTimeout);
}

void SerialChannelGroup::collect(SerialChannel& c) const
{
    c.enabled = isChecked() ? 1 : 0;
    c.port = quint8(m_port->value());
    if (m_protocol->currentIndex() >= 0)
        c.protocol = quint8(m_protocol->currentIndex());
    if (m_baud->currentIndex() >= 0)
        c.baud = quint8(m_baud->currentIndex());
    if (m_dataLength->currentItemData().isValid())
        c.dataLength = quint8(m_dataLength->currentItemData().toInt());
    if (m_parity->currentIndex() >= 0)
        c.parity = quint8(m_parity->currentIndex());
    if (m_stopBits->currentItemData().isValid())
        c.stopBits = quint8(m_stopBits->currentItemData().toInt());
    c.responseTime = quint8(m_responseTime->value());
    c.address = quint8(m_address->value());
    c.receiveTimeout = quint16(m_receiveTimeout->value());
}
