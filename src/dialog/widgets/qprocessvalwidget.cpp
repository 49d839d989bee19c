#include "qprocessvalwidget.h"

#include "cellmetrics.h"

#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mspinboxex.h>

#include <QCoreApplication>
#include <QResizeEvent>

namespace {

constexpr int kMaxAddress = 100000;
constexpr int kAddressDigits = 6;
constexpr int kGap = 2;

QStringList formats(bool doubleWord)
{
    QStringList list{QCoreApplication::translate("QProcessValwidget", "signed"),
                     QCoreApplication::translate("QProcessValwidget", "unsigned")};
    if (doubleWord)
        list.prepend(QCoreApplication::translate("QProcessValwidget", "float"));
    return list;
}

} // namespace

const QVector<QProcessValwidget::Entry>& QProcessValwidget::entries()
{
    static const QVector<Entry> list{
        {QT_TRANSLATE_NOOP("QProcessValwidget", "--"), 0},
        {QT_TRANSLATE_NOOP("QProcessValwidget", "VW"), 0x484},
        {QT_TRANSLATE_NOOP("QProcessValwidget", "IW"), 0x481},
        {QT_TRANSLATE_NOOP("QProcessValwidget", "QW"), 0x482},
        {QT_TRANSLATE_NOOP("QProcessValwidget", "MW"), 0x483},
        {QT_TRANSLATE_NOOP("QProcessValwidget", "SW"), 0x404},
        {QT_TRANSLATE_NOOP("QProcessValwidget", "SMW"), 0x405},
        {QT_TRANSLATE_NOOP("QProcessValwidget", "VD"), 0x684},
        {QT_TRANSLATE_NOOP("QProcessValwidget", "ID"), 0x681},
        {QT_TRANSLATE_NOOP("QProcessValwidget", "QD"), 0x682},
        {QT_TRANSLATE_NOOP("QProcessValwidget", "MD"), 0x683},
        {QT_TRANSLATE_NOOP("QProcessValwidget", "SD"), 0x604},
        {QT_TRANSLATE_NOOP("QProcessValwidget", "SMD"), 0x605},
    };
    return list;
}

QProcessValwidget::QProcessValwidget(QWidget* parent)
    : QWidget(parent)
    , m_area(new MComboBoxEx(this))
    , m_address(new MSpinBoxEx(this, false, false))
    , m_format(new MComboBoxEx(this))
{
    m_area->setObjectName(QStringLiteral("processArea"));
    m_address->setObjectName(QStringLiteral("processAddress"));
    m_format->setObjectName(QStringLiteral("processFormat"));
    const QStringList names = entryNames();
    for (int i = 0; i < names.size(); ++i)
        m_area->addItemWithData(names.at(i), entries().at(i).code);
    m_address->setRange(0, kMaxAddress);
    // One line of plain fields in a table cell.
    m_area->setFrame(false);
    m_format->setFrame(false);
    m_format->addItems(formats(false));

    connect(m_area, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &QProcessValwidget::slot_currentIndexChanged);
    connect(m_address, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &QProcessValwidget::valueChanged);
    connect(m_format, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &QProcessValwidget::valueChanged);
    slot_currentIndexChanged(m_area->currentIndex());
}

bool QProcessValwidget::setEntryCode(int code)
{
    if (m_area->setCurrentData(code))
        return true;
    m_area->setCurrentIndex(-1);
    return false;
}

int QProcessValwidget::entryCode() const
{
    return m_area->currentIndex() < 0 ? -1 : m_area->currentItemData().toInt();
}

QProcessValwidget::Value QProcessValwidget::value() const
{
    return {entryCode(), m_address->value(), m_format->currentIndex()};
}

void QProcessValwidget::setValue(const Value& value)
{
    setEntryCode(value.entryCode);
    m_address->setValue(value.address);
    m_format->setCurrentIndex(value.formatIndex < m_format->count() ? value.formatIndex : -1);
}

QComboBox* QProcessValwidget::areaList() const
{
    return m_area;
}

QComboBox* QProcessValwidget::formatList() const
{
    return m_format;
}

QSpinBox* QProcessValwidget::addressField() const
{
    return m_address;
}

void QProcessValwidget::slot_currentIndexChanged(int index)
{
    // A stored format index refers to its entry's list: refill only when the list changes,
    // so that moving between words keeps the chosen format.
    const bool doubleWord = index >= FirstDoubleWord;
    if (doubleWord != m_doubleWordFormats) {
        m_doubleWordFormats = doubleWord;
        const QSignalBlocker quiet(m_format);
        m_format->clear();
        m_format->addItems(formats(doubleWord));
        m_format->setCurrentIndex(0);
    }
    // "--" names no variable: nothing to address or format.
    const bool variable = entryCode() > 0;
    m_address->setEnabled(variable);
    m_format->setEnabled(variable);
    emit valueChanged();
}

QStringList QProcessValwidget::entryNames()
{
    QStringList names;
    for (const Entry& entry : entries())
        names << QCoreApplication::translate("QProcessValwidget", entry.name);
    return names;
}

int QProcessValwidget::preferredWidth(const QWidget* context)
{
    return CellMetrics::listWidth(context, entryNames()) + kGap +
           CellMetrics::fieldWidth(context, kAddressDigits) + kGap +
           CellMetrics::listWidth(context, formats(true));
}

QSize QProcessValwidget::sizeHint() const
{
    return {preferredWidth(this), m_area->sizeHint().height()};
}

void QProcessValwidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutFields();
}

void QProcessValwidget::layoutFields()
{
    const int h = height();
    const int areaWidth = CellMetrics::listWidth(this, entryNames());
    const int formatWidth = CellMetrics::listWidth(this, formats(true));
    int x = 0;
    m_area->setGeometry(x, 0, areaWidth, h);
    x += areaWidth + kGap;
    // The address takes what the lists leave.
    const int addressWidth =
        qMax(CellMetrics::fieldWidth(this, 2), width() - x - kGap - formatWidth);
    m_address->setGeometry(x, 0, addressWidth, h);
    x += addressWidth + kGap;
    m_format->setGeometry(x, 0, formatWidth, h);
}
