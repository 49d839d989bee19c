#include "cardpagefactory.h"

#include "card485canpparwgt.h"
#include "card485rtcpparwgt.h"
#include "cardamx05pparwgt.h"
#include "carddix06pparwgt.h"
#include "cardrtcpparwgt.h"

namespace {

template <typename Page>
CardParWgt* build(const QString& projectPath, int slotId, const CardRecord& record, QWidget* parent)
{
    return new Page(projectPath, slotId, record, parent);
}

} // namespace

const QVector<CardPageFactory::Entry>& CardPageFactory::entries()
{
    static const QVector<Entry> table{
        {CardType::Can485, build<Card485CANPParWgt>}, {CardType::Rtc485, build<Card485RTCPParWgt>},
        {CardType::Amx05, build<CardAMX05PParWgt>},   {CardType::Rtc, build<CardRTCPParWgt>},
        {CardType::Dix06, build<CardDIX06PParWgt>},
    };
    return table;
}

CardParWgt* CardPageFactory::create(CardType type, const QString& projectPath, int slotId,
                                    const CardRecord& record, QWidget* parent)
{
    for (const Entry& entry : entries()) {
        if (entry.type == type)
            return entry.build(projectPath, slotId, record, parent);
    }
    return nullptr;
}
