#include "carddix06pparwgt.h"

#include "addresswdgt.h"

#include "config/cardrules.h"
#include "model/cardlists.h"

#include <corekit/widgets/mcomboboxex.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kInput = 1;

void fill(MComboBoxEx* box, const QVector<CardChoice>& choices)
{
    const QSignalBlocker blocker(box);
    box->clear();
    for (const CardChoice& choice : choices)
        box->addItemWithData(CardLists::tr(choice), choice.code);
}

} // namespace

CardDIX06PParWgt::CardDIX06PParWgt(const QString& projectPath, int slotId, const CardRecord& record,
                                   QWidget* parent)
    : CardParWgt(projectPath, slotId, parent)
    , m_table(new QTableWidget(CardRecord::Dix06Channels, 4, this))
{
    setObjectName(QStringLiteral("cardDIX06P"));
    m_table->setObjectName(QStringLiteral("tblChannels"));
    m_table->setHorizontalHeaderLabels(
        {tr("Channel"), tr("Direction"), tr("Filter/Freeze Output"), tr("Address")});
    m_table->verticalHeader()->hide();
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int k = 0; k < CardRecord::Dix06Channels; ++k) {
        auto* channel = new QTableWidgetItem(QString::number(k));
        channel->setTextAlignment(Qt::AlignCenter);
        m_table->setItem(k, ChannelColumn, channel);
        auto* direction = new MComboBoxEx;
        direction->setObjectName(QStringLiteral("cmbDirection%1").arg(k));
        fill(direction, CardLists::directions());
        m_table->setCellWidget(k, DirectionColumn, direction);
        auto* filter = new MComboBoxEx;
        filter->setObjectName(QStringLiteral("cmbFilter%1").arg(k));
        m_table->setCellWidget(k, FilterColumn, filter);
        auto* address = new AddressWdgt;
        address->setObjectName(QStringLiteral("address%1").arg(k));
        m_table->setCellWidget(k, AddressColumn, address);
        connect(direction, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                [this, k](int) { directionChanged(k); });
    }
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(AddressColumn, QHeaderView::Stretch);
    m_table->resizeRowsToContents();
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Four rows, no more: the table is as high as they are.
    int height = header->sizeHint().height() + 2 * m_table->frameWidth();
    for (int k = 0; k < CardRecord::Dix06Channels; ++k)
        height += m_table->rowHeight(k);
    m_table->setFixedHeight(height);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addStretch(1);
    load(record);
}

MComboBoxEx* CardDIX06PParWgt::direction(int channel) const
{
    return static_cast<MComboBoxEx*>(m_table->cellWidget(channel, DirectionColumn));
}

MComboBoxEx* CardDIX06PParWgt::filter(int channel) const
{
    return static_cast<MComboBoxEx*>(m_table->cellWidget(channel, FilterColumn));
}

AddressWdgt* CardDIX06PParWgt::address(int channel) const
{
    return static_cast<AddressWdgt*>(m_table->cellWidget(channel, AddressColumn));
}

void CardDIX06PParWgt::directionChanged(int channel)
{
    const QVariant direction = this->direction(channel)->currentItemData();
    if (!direction.isValid()) {
        fill(filter(channel), {});
        address(channel)->setAreas({});
        return;
    }
    const bool input = direction.toInt() == kInput;
    fill(filter(channel), input ? CardLists::inputFilters() : CardLists::outputFreeze());
    filter(channel)->setCurrentIndex(0);
    address(channel)->setAreas(input ? CardLists::inputAreas() : CardLists::outputAreas());
}

void CardDIX06PParWgt::load(const CardRecord& record)
{
    for (int k = 0; k < CardRecord::Dix06Channels; ++k) {
        const Dix06Channel& c = record.dix06[size_t(k)];
        MComboBoxEx* direction = this->direction(k);
        if (!direction->setCurrentData(int(c.direction)))
            direction->setCurrentIndex(-1);
        directionChanged(k);
        const bool input = int(c.direction) == kInput;
        if (!filter(k)->setCurrentData(int(input ? c.filter : c.freeze)))
            filter(k)->setCurrentIndex(-1);
        // Area 0 is a channel whose address was never chosen.
        if (c.area == 0)
            address(k)->clearAddress();
        else
            address(k)->setBitAddress(c.bitAddress);
    }
}

CheckResult CardDIX06PParWgt::validate() const
{
    for (int k = 0; k < CardRecord::Dix06Channels; ++k) {
        const AddressWdgt* field = address(k);
        if (const RuleResult failure =
                CardRules::dix06Address(field->area(), field->bitAddress(), QString()))
            return failureAt(*failure, field->addressEdit());
    }
    return std::nullopt;
}

void CardDIX06PParWgt::write(CardRecord& record) const
{
    for (int k = 0; k < CardRecord::Dix06Channels; ++k) {
        Dix06Channel& c = record.dix06[size_t(k)];
        const QVariant direction = this->direction(k)->currentItemData();
        if (direction.isValid())
            c.direction = quint32(direction.toInt());
        const QVariant choice = filter(k)->currentItemData();
        if (choice.isValid()) {
            if (int(c.direction) == kInput)
                c.filter = quint32(choice.toInt());
            else
                c.freeze = quint32(choice.toInt());
        }
        const AddressWdgt* field = address(k);
        if (field->area() >= 0 && field->bitAddress() >= 0) {
            c.area = quint32(field->area());
            c.bitAddress = quint32(field->bitAddress());
        }
    }
}

QList<QWidget*> CardDIX06PParWgt::memoryFields() const
{
    QList<QWidget*> fields;
    for (int k = 0; k < CardRecord::Dix06Channels; ++k)
        fields.append(address(k)->addressEdit());
    return fields;
}
