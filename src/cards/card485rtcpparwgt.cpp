#include "card485rtcpparwgt.h"

#include "serialchannelgroup.h"

#include "dialog/messages.h"

#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mspinboxex.h>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

Card485RTCPParWgt::Card485RTCPParWgt(const QString& projectPath, int slotId,
                                     const CardRecord& record, QWidget* parent)
    : ClockCardParWgt(projectPath, slotId, parent)
    , m_channels{{new SerialChannelGroup(0, this), new SerialChannelGroup(1, this)}}
{
    setObjectName(QStringLiteral("card485RTCP"));
    setStyleSheet(QString::fromLatin1(SerialChannelGroup::StyleSheet));
    auto* channels = new QVBoxLayout;
    for (int i = 0; i < 2; ++i) {
        SerialChannelGroup* group = m_channels[size_t(i)];
        group->setPortNumber(slotId * 2 + i + 1);
        channels->addWidget(group);
        connect(group->protocolList(), QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                &Card485RTCPParWgt::slot_protocolIndexChange);
        connect(group->addressField(), &QSpinBox::editingFinished, this,
                &Card485RTCPParWgt::slot_address_editingFinished);
        connect(group, &QGroupBox::clicked, this, &Card485RTCPParWgt::slot_gbChnl_clicked);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rtcRow());
    layout->addLayout(channels);
    layout->addStretch(1);
    load(record);
}

void Card485RTCPParWgt::slot_protocolIndexChange(int index)
{
    for (SerialChannelGroup* group : m_channels) {
        if (group->protocolList() == sender())
            group->applyProtocol(index);
    }
}

void Card485RTCPParWgt::slot_address_editingFinished()
{
    const int edited = sender() == m_channels[1]->addressField() ? 1 : 0;
    MSpinBoxEx* field = m_channels[size_t(edited)]->addressField();
    MSpinBoxEx* other = m_channels[size_t(1 - edited)]->addressField();
    if (field->isEnabled() && other->isEnabled() && field->value() == other->value()) {
        Messages::show(this, QMessageBox::Information, window()->windowTitle(),
                       tr("Address must not be repeated"));
        field->setValue(m_lastAddress[size_t(edited)]);
        return;
    }
    m_lastAddress[size_t(edited)] = field->value();
}

void Card485RTCPParWgt::slot_gbChnl_clicked(bool)
{
    // The address a disabled channel kept is the one to go back to later.
    for (size_t i = 0; i < m_channels.size(); ++i)
        m_lastAddress[i] = m_channels[i]->addressField()->value();
}

void Card485RTCPParWgt::load(const CardRecord& record)
{
    setRtcChecked(record.rtc485.rtcEnabled != 0);
    m_channels[0]->load(record.rtc485.channel0);
    m_channels[1]->load(record.rtc485.channel1);
    for (size_t i = 0; i < m_channels.size(); ++i)
        m_lastAddress[i] = m_channels[i]->addressField()->value();
}

void Card485RTCPParWgt::write(CardRecord& record) const
{
    record.rtc485.rtcEnabled = rtcCheck()->isChecked() ? 1 : 0;
    m_channels[0]->collect(record.rtc485.channel0);
    m_channels[1]->collect(record.rtc485.channel1);
}

QList<StationAddress> Card485RTCPParWgt::stationAddresses() const
{
    QList<StationAddress> addresses;
    for (SerialChannelGroup* group : m_channels) {
        if (group->answersToAddress())
            addresses.append({group->addressField()->value(), group->addressField()});
    }
    return addresses;
}
