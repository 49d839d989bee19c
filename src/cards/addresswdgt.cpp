#include "addresswdgt.h"

#include "config/cardrules.h"

#include <corekit/widgets/mcomboboxex.h>

#include <QHBoxLayout>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

AddressWdgt::AddressWdgt(QWidget* parent)
    : QWidget(parent)
    , m_area(new MComboBoxEx(this))
    , m_address(new QLineEdit(this))
{
    m_area->setObjectName(QStringLiteral("cmbArea"));
    m_address->setObjectName(QStringLiteral("leAddress"));
    m_address->setMinimumWidth(
        m_address->fontMetrics().horizontalAdvance(QStringLiteral("0000.0")) + 12);
    m_address->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), m_address));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_area->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    layout->addWidget(m_area);
    layout->addWidget(m_address, 1);

    connect(m_address, &QLineEdit::textChanged, this, &AddressWdgt::addressChanged);
    connect(m_area, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int) { emit areaChanged(area()); });
}

void AddressWdgt::setAreas(const QVector<CardChoice>& areas)
{
    const int current = area();
    {
        const QSignalBlocker blocker(m_area);
        m_area->clear();
        for (const CardChoice& choice : areas)
            m_area->addItemWithData(CardLists::tr(choice), choice.code);
        if (!m_area->setCurrentData(current))
            m_area->setCurrentIndex(areas.isEmpty() ? -1 : 0);
    }
    if (area() != current)
        emit areaChanged(area());
}

bool AddressWdgt::setArea(int code)
{
    return m_area->setCurrentData(code);
}

int AddressWdgt::area() const
{
    const QVariant data = m_area->currentItemData();
    return data.isValid() ? data.toInt() : -1;
}

void AddressWdgt::setBitAddress(quint32 bitAddress)
{
    m_address->setText(QStringLiteral("%1.%2").arg(bitAddress / 8).arg(bitAddress % 8));
}

void AddressWdgt::clearAddress()
{
    m_address->clear();
}

QString AddressWdgt::addressText() const
{
    return m_address->text();
}

int AddressWdgt::parseBitAddress(const QString& text)
{
    return CardRules::parseBitAddress(text);
}
