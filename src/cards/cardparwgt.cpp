#include "cardparwgt.h"

CardParWgt::CardParWgt(const QString& projectPath, int slotId, QWidget* parent)
    : QWidget(parent)
    , m_projectPath(projectPath)
    , m_slot(slotId)
{}

CheckResult CardParWgt::validate() const
{
    return std::nullopt;
}

bool CardParWgt::collect(CardRecord& record) const
{
    if (validate())
        return false;
    write(record);
    return true;
}

void CardParWgt::restoreDefaults()
{
    CardRecord defaults;
    defaults.slot = quint8(m_slot);
    load(defaults);
}

QList<StationAddress> CardParWgt::stationAddresses() const
{
    return {};
}

QList<CardParWgt::MemoryUse> CardParWgt::memoryUse() const
{
    CardRecord record;
    record.slot = quint8(m_slot);
    record.type = quint8(cardType());
    write(record);
    const QList<CardClaim> claims = CardMemory::claimsOf(record);
    const QList<QWidget*> fields = memoryFields();
    QList<MemoryUse> uses;
    for (int i = 0; i < claims.size(); ++i)
        uses.append({claims.at(i), i < fields.size() ? fields.at(i) : nullptr});
    return uses;
}
