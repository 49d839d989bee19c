#include "cardrtcpparwgt.h"

#include <QCheckBox>
#include <QVBoxLayout>

CardRTCPParWgt::CardRTCPParWgt(const QString& projectPath, int slotId, const CardRecord& record,
                               QWidget* parent)
    : ClockCardParWgt(projectPath, slotId, parent)
{
    setObjectName(QStringLiteral("cardRTCP"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rtcRow());
    layout->addStretch(1);
    load(record);
}

void CardRTCPParWgt::load(const CardRecord& record)
{
    setRtcChecked(!record.rtcData.isEmpty() && record.rtcData.at(0) != 0);
}

void CardRTCPParWgt::write(CardRecord& record) const
{
    record.rtcData = QByteArray(1, rtcCheck()->isChecked() ? 1 : 0);
}
