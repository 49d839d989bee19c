#pragma once

#include "dialog/dialogpage.h"

#include <QList>

#include <array>

class HscCounterGroup;
class QTabWidget;

// The CPU's high-speed counters, one tab each (as many as the model has, at most the six
// records the object holds). Only the KLV2 models store the counters; on any other model
// the page shows them read-only, so that no edit is lost without a word.
//
// The tabs are built when the page is first shown (or a counter is asked for): until then
// the page holds the loaded records and writes them back as they are, which is what
// loading them into the tabs and writing them back gives.
class HscPage : public DialogPage
{
    Q_OBJECT

public:
    explicit HscPage(const DialogContext& context, QWidget* parent = nullptr);

    void load(const CpuObject& source) override;
    void apply(CpuObject& target) override;
    // The counters' number fields hold whole numbers in their ranges.
    QList<PageCheck> checks() const override;

    bool isStorable() const { return m_storable; }
    // Counters the page shows.
    int counterCount() const { return m_count; }
    // Builds the tabs and shows the loaded records in them; once only.
    void buildCounters();
    // A counter's group (null beyond the count) and the tabs, built first when they are not.
    HscCounterGroup* counter(int n);
    QTabWidget* tabs();

protected:
    void showEvent(QShowEvent* event) override;

public slots:
    void slot_bttnDefaultHSCs();
    // A mode list changed: modes 9 and 10 count at "4x", the others at "1x" (fixed).
    void slot_modeChanged(int curIndx);

private:
    bool m_storable;
    int m_count;
    bool m_built = false;
    QTabWidget* m_tabs = nullptr;
    QList<HscCounterGroup*> m_counters;
    std::array<HscChannel, CpuObject::HscCount> m_loaded{};
};
