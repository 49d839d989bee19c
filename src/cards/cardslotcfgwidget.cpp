#include "cardslotcfgwidget.h"

#include "card485canpparwgt.h"
#include "cardpagefactory.h"
#include "clockcardparwgt.h"

#include "dialog/inputrules.h"

#include "model/cardlists.h"

#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mlineedit.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

constexpr int kTextBytes = 255; // one length byte in the block

} // namespace

CardSlotCfgWidget::CardSlotCfgWidget(const QString& projectPath, int slotId,
                                     const CardRecord& record, QWidget* parent)
    : QWidget(parent)
    , m_projectPath(projectPath)
    , m_slot(slotId)
    , m_record(record)
    , m_activate(new QCheckBox(tr("Activate"), this))
    , m_card(new MComboBoxEx(this))
    , m_name(new MLineEdit(this))
    , m_describe(new QPlainTextEdit(this))
    , m_defaults(new QPushButton(tr("Defaults"), this))
    , m_stack(new QStackedWidget)
    , m_empty(new QWidget)
{
    setObjectName(slotId == 0 ? QStringLiteral("upperSlot") : QStringLiteral("lowerSlot"));
    m_record.slot = quint8(slotId);
    m_activate->setObjectName(QStringLiteral("ckbActivate"));
    m_card->setObjectName(QStringLiteral("cmbCard"));
    for (const CardChoice& choice : CardLists::cardTypes())
        m_card->addItemWithData(CardLists::tr(choice), choice.code);
    m_name->setObjectName(QStringLiteral("leName"));
    m_name->setMaxLen(kTextBytes);
    m_describe->setObjectName(QStringLiteral("teDescribe"));
    m_describe->setTabChangesFocus(true);
    m_describe->setFixedHeight(m_describe->fontMetrics().lineSpacing() * 2 +
                               2 * m_describe->frameWidth() + 10);
    m_defaults->setObjectName(QStringLiteral("bttnSlotDefaults"));

    m_stack->setObjectName(QStringLiteral("cardPages"));
    m_stack->addWidget(m_empty);
    for (const CardPageFactory::Entry& entry : CardPageFactory::entries())
        addPage(entry.build(projectPath, slotId, m_record, nullptr));

    auto* head = new QGridLayout;
    head->addWidget(new QLabel(tr("Module:"), this), 0, 0);
    head->addWidget(m_card, 0, 1);
    head->addWidget(m_activate, 0, 2);
    head->addWidget(new QLabel(tr("Name:"), this), 0, 3);
    head->addWidget(m_name, 0, 4);
    head->addWidget(m_defaults, 0, 5);
    head->addWidget(new QLabel(tr("Information:"), this), 1, 0, Qt::AlignTop);
    head->addWidget(m_describe, 1, 1, 1, 5);
    head->setColumnStretch(4, 1);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("cardScroll"));
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(m_stack);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(scroll, 1);

    connect(m_activate, &QCheckBox::stateChanged, this,
            &CardSlotCfgWidget::slot_ckbActivate_stateChanged);
    connect(m_card, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CardSlotCfgWidget::slot_cmbCard_currentIndexChanged);
    connect(m_describe, &QPlainTextEdit::textChanged, this,
            &CardSlotCfgWidget::slot_teDescribe_textChanged);
    connect(m_defaults, &QPushButton::clicked, this, &CardSlotCfgWidget::slot_bttnDefaults);
    load(m_record);
}

void CardSlotCfgWidget::addPage(CardParWgt* page)
{
    m_pages.insert(page->cardType(), page);
    m_stack->addWidget(page);
    // Only the shown page speaks for the slot; every page hears who holds what.
    if (auto* clock = qobject_cast<ClockCardParWgt*>(page)) {
        connect(clock, &ClockCardParWgt::signal_rtcStateChanged, this,
                [this, clock](int slotId, int state) {
                    if (clock == m_current)
                        emit signal_rtcEnableOfCardChanged(slotId, state);
                });
        connect(clock, &ClockCardParWgt::signal_getSlotIdOfRtcEnable, this,
                [this](int& slotId) { emit signal_getSlotIdOfRtcEnable(slotId); });
        connect(this, &CardSlotCfgWidget::signal_rtcEnableCardChanged, clock,
                &ClockCardParWgt::slot_rtcEnableCardChanged);
    }
    if (auto* can = qobject_cast<Card485CANPParWgt*>(page)) {
        connect(can, &Card485CANPParWgt::signal_notiCANOpenSelChanged, this,
                [this, can](int slotId, bool isSel) {
                    if (can == m_current)
                        emit signal_CANOpenSelOfCardChanged(slotId, isSel);
                });
        connect(can, &Card485CANPParWgt::signal_getSelCANOpenCardSlotId, this,
                [this](int& slotId) { emit signal_getSelCANOpenCardSlotId(slotId); });
        connect(this, &CardSlotCfgWidget::signal_selCANOpenCardChanged, can,
                &Card485CANPParWgt::slot_selCANOpenCardChanged);
    }
}

quint8 CardSlotCfgWidget::currentType() const
{
    const QVariant data = m_card->currentItemData();
    return data.isValid() ? quint8(data.toInt()) : m_record.type;
}

void CardSlotCfgWidget::showType(quint8 type)
{
    // The page that is left gives back the clock or the CANopen master it held.
    if (m_current)
        m_current->releaseExclusive();
    m_current = m_pages.value(CardType(type));
    m_stack->setCurrentWidget(m_current ? static_cast<QWidget*>(m_current) : m_empty);
    if (m_current)
        m_current->reportState();
}

void CardSlotCfgWidget::releaseExclusive()
{
    if (m_current)
        m_current->releaseExclusive();
    m_current = nullptr;
}

void CardSlotCfgWidget::load(const CardRecord& record)
{
    releaseExclusive();
    m_record = record;
    m_record.slot = quint8(m_slot);
    {
        const QSignalBlocker blocker(m_card);
        if (!m_card->setCurrentData(int(m_record.type)))
            m_card->setCurrentIndex(-1); // code 4 and unknown codes have no entry
    }
    m_activate->setChecked(m_record.activated != 0);
    m_name->setText(m_record.name);
    m_describe->setPlainText(m_record.description);
    for (CardParWgt* page : qAsConst(m_pages))
        page->load(m_record);
    showType(m_record.type);
}

void CardSlotCfgWidget::slot_ckbActivate_stateChanged(int)
{
    emit signal_activateStateChange();
}

void CardSlotCfgWidget::slot_cmbCard_currentIndexChanged(int)
{
    showType(currentType());
}

void CardSlotCfgWidget::slot_teDescribe_textChanged()
{
    InputRules::limitBytes(m_describe, kTextBytes);
}

void CardSlotCfgWidget::slot_bttnDefaults()
{
    m_card->setCurrentData(int(CardType::None));
    m_activate->setChecked(false);
}

CheckResult CardSlotCfgWidget::validate() const
{
    return m_current ? m_current->validate() : std::nullopt;
}

bool CardSlotCfgWidget::collect(CardRecord& record)
{
    CardRecord r = m_record;
    r.type = currentType();
    r.activated = m_activate->isChecked() ? 1 : 0;
    r.name = m_name->text();
    r.description = m_describe->toPlainText();
    if (CardParWgt* page = m_pages.value(CardType(r.type))) {
        if (!page->collect(r))
            return false;
    }
    m_record = r;
    record = r;
    return true;
}

QList<StationAddress> CardSlotCfgWidget::stationAddresses() const
{
    return m_current ? m_current->stationAddresses() : QList<StationAddress>();
}

QList<CardParWgt::MemoryUse> CardSlotCfgWidget::memoryUse() const
{
    return m_current ? m_current->memoryUse() : QList<CardParWgt::MemoryUse>();
}
