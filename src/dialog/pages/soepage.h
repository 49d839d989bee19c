#pragma once

#include "dialog/dialogpage.h"
#include "dialog/widgets/qprocessvalwidget.h"
#include "dialog/widgets/qtriggervalwidget.h"

#include <array>

class MComboBoxEx;
class QCheckBox;
class QLineEditEx;
class QTableWidget;
class QVBoxLayout;

// The sixteen SOE (sequence-of-events) records as a table: whether the slot is used, the
// edge, the trigger bit, the process variable recorded when it fires, and a title. OK
// checks that triggers in data blocks name blocks of the project and that used rows have
// titles.
//
// A row the user has not touched is written back exactly as it was loaded, whatever its
// bytes hold. A touched row is written from its cells; where a cell shows no list entry
// because the stored code names none (a foreign or old block), the stored codes of that
// field stay.
//
// The table's cell editors are some 250 widgets, more than the rest of the dialog: the
// table is built when the page is first shown (or a row is asked for), so that opening the
// dialog does not pay for it. Until then the page holds the loaded records, writes them back
// unchanged and checks them as they are.
class SoePage : public DialogPage
{
    Q_OBJECT

public:
    static constexpr int RowCount = SoeRecord::SlotCount;
    enum Column { EnableColumn, EventColumn, TriggerColumn, ProcessColumn, TitleColumn };
    static constexpr int TitleMaxBytes = 32;

    explicit SoePage(const DialogContext& context, QWidget* parent = nullptr);

    void load(const CpuObject& source) override;
    void apply(CpuObject& target) override;
    QList<PageCheck> checks() const override;

    // The record row `row` would write on OK.
    SoeRecord rowRecord(int row) const;

    // The first used row whose data-block trigger names a block the project lacks; its
    // data-block field gets the focus (none while the rows are not built).
    CheckResult checkTriggers() const;
    // The first used row without a title.
    CheckResult checkTitles() const;

    // Builds the rows' editors and shows the loaded records in them; once only.
    void buildRows();
    bool rowsBuilt() const { return m_built; }

    // The table and a row's cells, built first when they are not yet.
    QTableWidget* table();
    QCheckBox* enableBox(int row);
    QComboBox* eventList(int row);
    QTriggerValWidget* triggerEditor(int row);
    QProcessValwidget* processEditor(int row);
    QLineEditEx* titleEdit(int row);

    // Wide enough for the whole table, before it is built too.
    QSize minimumSizeHint() const override;

public slots:
    void slot_soeSelectAll();
    void slot_soeCancelAll();
    void slot_bttnDefauSOE();
    void slot_horizoHeard(int section);
    void slot_CheckBoxClicked();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // What a row's cells show, compared with what they showed after loading.
    struct Shown
    {
        bool enabled = false;
        int event = -1;
        QTriggerValWidget::Value trigger;
        QProcessValwidget::Value process;
        QString title;

        bool operator==(const Shown& o) const
        {
            return enabled == o.enabled && event == o.event && trigger == o.trigger &&
                   process == o.process && title == o.title;
        }
    };

    struct Row
    {
        QCheckBox* enable = nullptr;
        MComboBoxEx* event = nullptr;
        QTriggerValWidget* trigger = nullptr;
        QProcessValwidget* process = nullptr;
        QLineEditEx* title = nullptr;
        int titleStyle = -1; // which style sheet the title has: -1 none yet, 0 grey, 1 white
    };

    void createRow(int row);
    static QStringList headerLabels();
    static QStringList eventNames();
    int headerWidth(const QString& text) const;
    std::array<int, 5> columnWidths() const;
    void showLoaded();
    Shown shownOf(int row) const;
    void setAll(bool checked);

    QVBoxLayout* m_layout = nullptr;
    QTableWidget* m_table = nullptr;
    std::array<Row, RowCount> m_rows{};
    std::array<SoeRecord, RowCount> m_loaded{};
    std::array<Shown, RowCount> m_shown{};
    bool m_built = false;
    mutable int m_minimumWidth = -1;
};
