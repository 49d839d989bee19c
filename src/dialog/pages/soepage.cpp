#include "soepage.h"

#include "dialog/widgets/cellmetrics.h"
#include "dialog/widgets/qlineeditex.h"

#include "block/cpuparamsection.h"
#include "config/soerules.h"
#include "model/localtext.h"

#include <corekit/projectqueries.h>
#include <corekit/widgets/mcomboboxex.h>

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSpinBox>
#include <QStyleOptionHeader>
#include <QTableWidget>
#include <QVBoxLayout>

#include <numeric>

static_assert(SoeRules::DataBlockArea == QTriggerValWidget::DataBlockArea,
              "the rule and the trigger editor name the same data-block area");

namespace {

constexpr quint8 kPointerSyntax = 0x10;
constexpr quint8 kAreaVariables = 0x84;
constexpr int kTriggerWidth = 100;
constexpr int kProcessWidth = 200;
constexpr int kSlack = 4; // pixels the width estimate may be short by

// Timers, counters and the like address elements, everything else bits.
bool countsElements(quint8 typeCode)
{
    return typeCode == 0x1F || typeCode == 0x1E || typeCode == 0x20;
}

quint32 triggerAddress(quint8 typeCode, const QTriggerValWidget::Value& value)
{
    const quint32 address = countsElements(typeCode)
                                ? quint32(value.byteAddress)
                                : quint32(value.byteAddress) * 8 + quint32(value.bit);
    return address & 0xFFFFFF;
}

VarRef triggerRef(const QTriggerValWidget::Value& value)
{
    VarRef ref;
    ref.syntax = kPointerSyntax;
    ref.typeCode = quint8(value.entryCode >> 8);
    ref.count = 1;
    ref.area = quint8(value.entryCode & 0xFF);
    ref.dbNumber = ref.area == QTriggerValWidget::DataBlockArea ? quint16(value.dbNumber)
                   : ref.area == kAreaVariables                 ? 1
                                                                : 0;
    ref.address = triggerAddress(ref.typeCode, value);
    return ref;
}

VarRef processRef(const QProcessValwidget::Value& value)
{
    VarRef ref;
    if (value.entryCode == 0)
        return ref; // "--": all ten bytes zero
    ref.syntax = kPointerSyntax;
    ref.typeCode = quint8(value.entryCode >> 8);
    ref.count = 1;
    ref.area = quint8(value.entryCode & 0xFF);
    ref.dbNumber = ref.area == kAreaVariables ? 1 : 0;
    ref.address = (quint32(value.address) * 8) & 0xFFFFFF;
    return ref;
}

const QString kTitleDisabled = QStringLiteral("background-color:rgb(235, 235, 228);color:black");
const QString kTitleEnabled = QStringLiteral("background-color:rgb(255, 255, 255);color:black");

} // namespace

SoePage::SoePage(const DialogContext& context, QWidget* parent)
    : DialogPage(PageId::Soe, context, parent)
{
    auto* top = introRow(
        tr("You can define memory that will be monitor during current changes in this page."),
        &SoePage::slot_bttnDefauSOE);
    auto* selectAll = new QPushButton(tr("Select All"), this);
    selectAll->setObjectName(QStringLiteral("soeSelectAll"));
    auto* clearAll = new QPushButton(tr("Clear All"), this);
    clearAll->setObjectName(QStringLiteral("soeClearAll"));
    top->insertWidget(top->count() - 1, selectAll, 0, Qt::AlignTop);
    top->insertWidget(top->count() - 1, clearAll, 0, Qt::AlignTop);

    m_layout = new QVBoxLayout(this);
    m_layout->addLayout(top);

    connect(selectAll, &QPushButton::clicked, this, &SoePage::slot_soeSelectAll);
    connect(clearAll, &QPushButton::clicked, this, &SoePage::slot_soeCancelAll);
}

void SoePage::buildRows()
{
    if (m_built)
        return;
    m_built = true;
    m_table = new QTableWidget(RowCount, 5, this);
    m_table->setObjectName(QStringLiteral("soeTable"));
    m_table->setHorizontalHeaderLabels(headerLabels());
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setAutoScroll(false);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &SoePage::slot_horizoHeard);
    m_layout->addWidget(m_table, 1);
    m_table->show(); // at once, not when the layout gets round to it: this may be a show event
    for (int row = 0; row < RowCount; ++row)
        createRow(row);
    for (int row = 0; row < RowCount; ++row) {
        const Row& r = m_rows[size_t(row)];
        m_table->setCellWidget(row, EnableColumn, r.enable);
        m_table->setCellWidget(row, EventColumn, r.event);
        m_table->setCellWidget(row, TriggerColumn, r.trigger);
        m_table->setCellWidget(row, ProcessColumn, r.process);
        m_table->setCellWidget(row, TitleColumn, r.title);
    }
    showLoaded();
    const auto widths = columnWidths();
    for (int column = EnableColumn; column < TitleColumn; ++column)
        m_table->setColumnWidth(column, widths[size_t(column)]);
    m_table->resizeRowsToContents();
}

QStringList SoePage::eventNames()
{
    return {tr("Rising edge"), tr("Falling edge")};
}

QStringList SoePage::headerLabels()
{
    return {tr("Enable"), tr("Event"), tr("Trigger Variable"), tr("Process Variable"), tr("Title")};
}

int SoePage::headerWidth(const QString& text) const
{
    QStyleOptionHeader option;
    option.initFrom(this);
    option.text = text;
    return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), nullptr).width();
}

std::array<int, 5> SoePage::columnWidths() const
{
    // Each column as wide as its header and its cell editor, the trigger at least 100 and
    // the process variable at least 200 pixels, a title some twelve characters; all from
    // the style and the font, so that they are known before the table is built.
    const QStringList headers = headerLabels();
    const int cells[] = {style()->pixelMetric(QStyle::PM_IndicatorWidth) + 8,
                         CellMetrics::listWidth(this, eventNames()),
                         qMax(kTriggerWidth, QTriggerValWidget::preferredWidth(this)),
                         qMax(kProcessWidth, QProcessValwidget::preferredWidth(this)),
                         12 * fontMetrics().averageCharWidth()};
    std::array<int, 5> widths{};
    for (int column = 0; column < 5; ++column)
        widths[size_t(column)] = qMax(cells[column], headerWidth(headers.at(column)));
    return widths;
}

QSize SoePage::minimumSizeHint() const
{
    QSize hint = DialogPage::minimumSizeHint();
    if (m_minimumWidth < 0) {
        // Measured once: the layouts ask often, the fonts do not change meanwhile.
        const auto widths = columnWidths();
        const QMargins margins = m_layout->contentsMargins();
        m_minimumWidth =
            std::accumulate(widths.begin(), widths.end(), headerWidth(QString::number(RowCount))) +
            2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) +
            style()->pixelMetric(QStyle::PM_ScrollBarExtent) + kSlack + margins.left() +
            margins.right();
    }
    hint.setWidth(qMax(hint.width(), m_minimumWidth));
    return hint;
}

void SoePage::createRow(int row)
{
    Row& r = m_rows[size_t(row)];
    r.enable = new QCheckBox;
    r.enable->setObjectName(QStringLiteral("soeEnable%1").arg(row));
    r.event = new MComboBoxEx;
    r.event->setObjectName(QStringLiteral("soeEvent%1").arg(row));
    r.event->addItems(eventNames());
    r.event->setFrame(false);
    r.trigger = new QTriggerValWidget(context().projectPath);
    r.trigger->setObjectName(QStringLiteral("soeTrigger%1").arg(row));
    r.process = new QProcessValwidget;
    r.process->setObjectName(QStringLiteral("soeProcess%1").arg(row));
    r.title = new QLineEditEx;
    r.title->setObjectName(QStringLiteral("soeTitle%1").arg(row));
    r.title->setMaxBytes(TitleMaxBytes);
    connect(r.enable, &QCheckBox::clicked, this, &SoePage::slot_CheckBoxClicked);
}

void SoePage::showEvent(QShowEvent* event)
{
    buildRows();
    DialogPage::showEvent(event);
}

QTableWidget* SoePage::table()
{
    buildRows();
    return m_table;
}

QCheckBox* SoePage::enableBox(int row)
{
    buildRows();
    return m_rows[size_t(row)].enable;
}

QComboBox* SoePage::eventList(int row)
{
    buildRows();
    return m_rows[size_t(row)].event;
}

QTriggerValWidget* SoePage::triggerEditor(int row)
{
    buildRows();
    return m_rows[size_t(row)].trigger;
}

QProcessValwidget* SoePage::processEditor(int row)
{
    buildRows();
    return m_rows[size_t(row)].process;
}

QLineEditEx* SoePage::titleEdit(int row)
{
    buildRows();
    return m_rows[size_t(row)].title;
}

SoePage::Shown SoePage::shownOf(int row) const
{
    const Row& r = m_rows[size_t(row)];
    return {r.enable->isChecked(), r.event->currentIndex(), r.trigger->value(), r.process->value(),
            r.title->text()};
}

void SoePage::load(const CpuObject& source)
{
    m_loaded = source.soe;
    if (m_built)
        showLoaded();
}

void SoePage::showLoaded()
{
    for (int i = 0; i < RowCount; ++i) {
        const SoeRecord& record = m_loaded[size_t(i)];
        const Row& r = m_rows[size_t(i)];
        r.enable->setChecked(record.isUsed());
        r.event->setCurrentIndex(record.event < r.event->count() ? record.event : -1);

        QTriggerValWidget::Value trigger;
        trigger.entryCode = record.trigger.typeCode * 256 + record.trigger.area;
        trigger.dbNumber = record.trigger.dbNumber;
        const bool elements = countsElements(record.trigger.typeCode);
        trigger.byteAddress = int(elements ? record.trigger.address : record.trigger.address / 8);
        trigger.bit = elements ? 0 : int(record.trigger.address % 8);
        r.trigger->setValue(trigger);

        r.process->setValue({record.process.typeCode * 256 + record.process.area,
                             int(record.process.address / 8), record.formatIndex});
        r.title->setText(record.title);
        r.title->setCursorPosition(0); // a long title shows its start
    }
    slot_CheckBoxClicked();
    for (int i = 0; i < RowCount; ++i)
        m_shown[size_t(i)] = shownOf(i);
}

SoeRecord SoePage::rowRecord(int row) const
{
    SoeRecord record = m_loaded[size_t(row)];
    if (!m_built)
        return record;
    const Shown& was = m_shown[size_t(row)];
    const Shown now = shownOf(row);
    if (now == was)
        return record; // untouched: the bytes as they came

    record.slot = now.enabled ? quint8(row) : SoeRecord::FreeSlot;
    if (now.event >= 0)
        record.event = quint8(now.event);
    // A cell without an entry keeps the stored codes; only numbers the user changed count.
    if (now.trigger.entryCode >= 0)
        record.trigger = triggerRef(now.trigger);
    else if (now.trigger != was.trigger)
        record.trigger.address = triggerAddress(record.trigger.typeCode, now.trigger);
    if (now.process.entryCode >= 0)
        record.process = processRef(now.process);
    else if (now.process.address != was.process.address)
        record.process.address = (quint32(now.process.address) * 8) & 0xFFFFFF;
    if (now.process.formatIndex >= 0)
        record.formatIndex = quint8(now.process.formatIndex);
    record.title = now.title;
    record.titleLength = quint8(fitLocal8Bit(now.title, CpuParamSection::MaxSoeTitleBytes).size());
    return record;
}

void SoePage::apply(CpuObject& target)
{
    for (int i = 0; i < RowCount; ++i)
        target.soe[size_t(i)] = rowRecord(i);
}

QList<PageCheck> SoePage::checks() const
{
    return {{OkStep::SoeTriggers,
             [this] {
                 return checkTriggers();
             }},
            {OkStep::SoeTitles, [this] {
                 return checkTitles();
             }}};
}

CheckResult SoePage::checkTriggers() const
{
    QStringList blocks;
    bool asked = false;
    for (int i = 0; i < RowCount; ++i) {
        const SoeRecord record = rowRecord(i);
        if (!SoeRules::namesDataBlock(record))
            continue;
        if (!asked) {
            blocks = getPrjObjectChildren(context().projectPath, PrjObjectKindDataBlock);
            asked = true;
        }
        if (const RuleResult failure = SoeRules::trigger(record, blocks, QString()))
            return failureAt(*failure,
                             m_built ? m_rows[size_t(i)].trigger->dbNumberField() : nullptr);
    }
    return std::nullopt;
}

CheckResult SoePage::checkTitles() const
{
    for (int i = 0; i < RowCount; ++i) {
        const Row& r = m_rows[size_t(i)];
        const SoeRecord& loaded = m_loaded[size_t(i)];
        const bool used = m_built ? r.enable->isChecked() : loaded.isUsed();
        const QString title = m_built ? r.title->text() : loaded.title;
        if (const RuleResult failure = SoeRules::title(i, used, title, QString()))
            return failureAt(*failure, m_built ? r.title : nullptr);
    }
    return std::nullopt;
}

void SoePage::setAll(bool checked)
{
    buildRows();
    for (const Row& r : m_rows)
        r.enable->setChecked(checked);
    slot_CheckBoxClicked();
}

void SoePage::slot_soeSelectAll()
{
    setAll(true);
}

void SoePage::slot_soeCancelAll()
{
    setAll(false);
}

void SoePage::slot_bttnDefauSOE()
{
    requestDefaults();
}

void SoePage::slot_horizoHeard(int section)
{
    if (section != EnableColumn)
        return;
    buildRows();
    const bool anyUnchecked = std::any_of(m_rows.begin(), m_rows.end(),
                                          [](const Row& r) { return !r.enable->isChecked(); });
    setAll(anyUnchecked);
}

void SoePage::slot_CheckBoxClicked()
{
    if (!m_built)
        return; // the rows get their states when they are built
    for (Row& r : m_rows) {
        const bool on = r.enable->isChecked();
        for (QWidget* cell : {static_cast<QWidget*>(r.event), static_cast<QWidget*>(r.trigger),
                              static_cast<QWidget*>(r.process), static_cast<QWidget*>(r.title)})
            cell->setEnabled(on);
        // A style sheet costs a re-polish: set it only when the state changes.
        if (r.titleStyle != int(on)) {
            r.titleStyle = int(on);
            r.title->setStyleSheet(on ? kTitleEnabled : kTitleDisabled);
        }
    }
}
