#include "hscpage.h"

#include "hsccountergroup.h"

#include "model/cpumodel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

HscPage::HscPage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::Hsc, context, parent)
    , m_storable(CpuModel::hasLocalIoSections(context.descriptor.MLFB))
    // The object holds six counter records, whatever the catalog claims.
    , m_count(qBound(0, context.descriptor.SupportHSC, int(CpuObject::HscCount)))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void HscPage::buildCounters()
{
    if (m_built)
        return;
    m_built = true;
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("hscTabs"));
    for (int n = 0; n < m_count; ++n) {
        auto* tab = new QWidget;
        auto* top = introRow(
            tr("You can configure HSC%1 in this page. You can also modify the configuration "
               "through the control byte in your program.\nMode 0~1: Single-phase counter with "
               "internal direction control;\nMode 3~4: Single-phase counter with external "
               "direction control;\nMode 6~7: Two-phase counter with 2 clock inputs;\nMode "
               "9~10:A/B phase quadrature counter.\n")
                .arg(n),
            &HscPage::slot_bttnDefaultHSCs);
        auto* group = new HscCounterGroup(n, tab);
        group->load(m_loaded[size_t(n)]);
        connect(group->modeList(), QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                &HscPage::slot_modeChanged);
        auto* layout = new QVBoxLayout(tab);
        layout->addLayout(top);
        layout->addWidget(group);
        layout->addStretch(1);
        m_counters.append(group);
        m_tabs->addTab(tab, tr("HSC%1").arg(n));
        if (!m_storable) {
            // This model keeps no counter records: show them, but take no edits that
            // would vanish.
            group->setEnabled(false);
            defaultsButton()->setEnabled(false);
        }
    }
    layout()->addWidget(m_tabs);
    m_tabs->show(); // at once, not when the layout gets round to it: this may be a show event
}

void HscPage::showEvent(QShowEvent* event)
{
    buildCounters();
    DialogPage::showEvent(event);
}

HscCounterGroup* HscPage::counter(int n)
{
    buildCounters();
    return m_counters.value(n);
}

QTabWidget* HscPage::tabs()
{
    buildCounters();
    return m_tabs;
}

void HscPage::load(const CpuObject& source)
{
    m_loaded = source.hsc;
    for (HscCounterGroup* group : qAsConst(m_counters)) // none before they are built
        group->load(source.hsc[size_t(group->counter())]);
}

void HscPage::apply(CpuObject& target)
{
    if (!m_storable)
        return;
    for (int n = 0; n < m_count; ++n) {
        HscChannel channel = m_loaded[size_t(n)];
        if (m_built)
            m_counters.at(n)->apply(channel);
        target.hsc[size_t(n)] = channel;
    }
}

QList<PageCheck> HscPage::checks() const
{
    if (!m_storable)
        return {};
    return {{OkStep::HscValues, [this]() -> CheckResult {
                 for (const HscCounterGroup* group : m_counters) {
                     if (CheckResult failure = group->checkNumbers())
                         return failure;
                 }
                 return std::nullopt;
             }}};
}

void HscPage::slot_bttnDefaultHSCs()
{
    requestDefaults();
}

void HscPage::slot_modeChanged(int curIndx)
{
    if (curIndx < 0)
        return;
    for (HscCounterGroup* group : qAsConst(m_counters)) {
        if (group->modeList() == sender())
            group->followMode(true);
    }
}
