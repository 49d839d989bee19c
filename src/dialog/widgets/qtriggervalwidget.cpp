#include "qtriggervalwidget.h"

#include "cellmetrics.h"

#include "model/cpumodel.h"

#include <corekit/plcfacts.h>
#include <corekit/projectqueries.h>
#include <corekit/widgets/mcomboboxex.h>
#include <corekit/widgets/mspinboxex.h>

#include <QCoreApplication>
#include <QLabel>
#include <QResizeEvent>

namespace {

constexpr int kByteDigits = 5;
constexpr int kDbDigits = 4;
constexpr int kGap = 2;

// The PLC facts key of an area's size.
QString rangeKey(int areaCode)
{
    switch (areaCode) {
    case 0x84:
        return QStringLiteral("V");
    case 0x81:
        return QStringLiteral("IEx");
    case 0x82:
        return QStringLiteral("QEx");
    case 0x83:
        return QStringLiteral("M");
    case 0x04:
        return QStringLiteral("S");
    case 0x05:
        return QStringLiteral("SM");
    default:
        return {};
    }
}

} // namespace

const QVector<QTriggerValWidget::Entry>& QTriggerValWidget::entries()
{
    // The area names are the device's; translators may still mark them.
    static const QVector<Entry> list{
        {QT_TRANSLATE_NOOP("QTriggerValWidget", "V"), 0x184},
        {QT_TRANSLATE_NOOP("QTriggerValWidget", "I"), 0x181},
        {QT_TRANSLATE_NOOP("QTriggerValWidget", "Q"), 0x182},
        {QT_TRANSLATE_NOOP("QTriggerValWidget", "M"), 0x183},
        {QT_TRANSLATE_NOOP("QTriggerValWidget", "S"), 0x104},
        {QT_TRANSLATE_NOOP("QTriggerValWidget", "SM"), 0x105},
        {QT_TRANSLATE_NOOP("QTriggerValWidget", "DB"), 0x185},
    };
    return list;
}

QTriggerValWidget::QTriggerValWidget(const QString& projectPath, QWidget* parent)
    : QWidget(parent)
    , m_projectPath(projectPath)
    , m_area(new MComboBoxEx(this))
    , m_dbNumber(new MSpinBoxEx(this, false, false))
    , m_byte(new MSpinBoxEx(this, false, false))
    , m_dot(new QLabel(QStringLiteral("."), this))
    , m_bit(new MSpinBoxEx(this, false, false))
{
    m_area->setObjectName(QStringLiteral("triggerArea"));
    m_dbNumber->setObjectName(QStringLiteral("triggerDbNumber"));
    m_byte->setObjectName(QStringLiteral("triggerByte"));
    m_bit->setObjectName(QStringLiteral("triggerBit"));
    const QStringList names = entryNames();
    for (int i = 0; i < names.size(); ++i)
        m_area->addItemWithData(names.at(i), entries().at(i).code);
    m_byte->setRange(0, 65535);
    m_bit->setRange(0, 7);
    m_dot->setAlignment(Qt::AlignCenter);
    m_byte->setAlignment(Qt::AlignRight | Qt::AlignVCenter); // byte and bit read as one: 10.3
    m_area->setFrame(false); // one line of plain fields in a table cell

    connect(m_area, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &QTriggerValWidget::slot_areaCurrentIndexChanged);
    for (QSpinBox* field : {m_dbNumber, m_byte, m_bit})
        connect(field, QOverload<int>::of(&QSpinBox::valueChanged), this,
                &QTriggerValWidget::slot_valueChanged);
    slot_areaCurrentIndexChanged(m_area->currentIndex());
}

bool QTriggerValWidget::setEntryCode(int code)
{
    if (m_area->setCurrentData(code))
        return true;
    for (int i = 0; i < m_area->count(); ++i) {
        if ((m_area->itemData(i).toInt() & 0xFF) == (code & 0xFF)) {
            m_area->setCurrentIndex(i);
            return false;
        }
    }
    m_area->setCurrentIndex(-1);
    return false;
}

int QTriggerValWidget::entryCode() const
{
    return m_area->currentIndex() < 0 ? -1 : m_area->currentItemData().toInt();
}

QTriggerValWidget::Value QTriggerValWidget::value() const
{
    return {entryCode(), m_dbNumber->value(), m_byte->value(), m_bit->value()};
}

void QTriggerValWidget::setValue(const Value& value)
{
    setEntryCode(value.entryCode);
    m_dbNumber->setValue(value.dbNumber);
    m_byte->setValue(value.byteAddress);
    m_bit->setValue(value.bit);
}

QComboBox* QTriggerValWidget::areaList() const
{
    return m_area;
}

QSpinBox* QTriggerValWidget::dbNumberField() const
{
    return m_dbNumber;
}

QSpinBox* QTriggerValWidget::byteField() const
{
    return m_byte;
}

QSpinBox* QTriggerValWidget::bitField() const
{
    return m_bit;
}

void QTriggerValWidget::slot_areaCurrentIndexChanged(int)
{
    const int area = entryCode() & 0xFF;
    const bool dataBlock = entryCode() >= 0 && area == DataBlockArea;
    m_dbNumber->setEnabled(dataBlock);
    m_dbNumber->setVisible(dataBlock);
    if (entryCode() >= 0) {
        QString type = CpuModel::PlaceholderPlcType;
        QString version = CpuModel::PlaceholderPlcVersion;
        getPrjPlcTypeVersion(m_projectPath, type, version);
        if (dataBlock) {
            m_dbNumber->setRange(1, getPlcObjectRange(type, version, PrjObjectKindDataBlock));
            m_byte->setRange(0, getPlcMaxPouSize(type, version));
        } else {
            m_byte->setRange(0, getPlcAddrRange(type, version, rangeKey(area)));
        }
    }
    layoutFields();
    emit valueChanged();
}

void QTriggerValWidget::slot_valueChanged(int)
{
    emit valueChanged();
}

QStringList QTriggerValWidget::entryNames()
{
    QStringList names;
    for (const Entry& entry : entries())
        names << QCoreApplication::translate("QTriggerValWidget", entry.name);
    return names;
}

int QTriggerValWidget::preferredWidth(const QWidget* context)
{
    // Room for the data-block number whatever the area, so that a table column fits any
    // row; without the number the byte field takes the room.
    return CellMetrics::listWidth(context, entryNames()) + kGap +
           CellMetrics::fieldWidth(context, kDbDigits) + kGap +
           CellMetrics::fieldWidth(context, kByteDigits) +
           CellMetrics::textWidth(context, QStringLiteral(".")) +
           CellMetrics::fieldWidth(context, 1);
}

QSize QTriggerValWidget::sizeHint() const
{
    return {preferredWidth(this), m_area->sizeHint().height()};
}

void QTriggerValWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutFields();
}

void QTriggerValWidget::layoutFields()
{
    const int h = height();
    const int areaWidth = CellMetrics::listWidth(this, entryNames());
    const int dotWidth = CellMetrics::textWidth(this, QStringLiteral("."));
    const int bitWidth = CellMetrics::fieldWidth(this, 1);
    int x = 0;
    m_area->setGeometry(x, 0, areaWidth, h);
    x += areaWidth + kGap;
    if (m_dbNumber->isVisibleTo(this)) {
        const int dbWidth = CellMetrics::fieldWidth(this, kDbDigits);
        m_dbNumber->setGeometry(x, 0, dbWidth, h);
        x += dbWidth + kGap;
    }
    // The byte field takes what the others leave.
    const int byteWidth = qMax(CellMetrics::fieldWidth(this, 2), width() - x - dotWidth - bitWidth);
    m_byte->setGeometry(x, 0, byteWidth, h);
    x += byteWidth;
    m_dot->setGeometry(x, 0, dotWidth, h);
    x += dotWidth;
    m_bit->setGeometry(x, 0, bitWidth, h);
}
