#include "cellmetrics.h"

#include <QFontMetricsF>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QWidget>
#include <QtMath>

namespace CellMetrics {

int listWidth(const QWidget* context, const QStringList& texts)
{
    const QFontMetrics fm = context->fontMetrics();
    int widest = 0;
    for (const QString& text : texts)
        widest = qMax(widest, fm.horizontalAdvance(text));
    QStyleOptionComboBox option;
    option.initFrom(context);
    option.frame = false;
    option.editable = false;
    // What a combo box asks of its style for its contents.
    const QSize contents(widest, qMax(qCeil(QFontMetricsF(fm).height()), 14) + 2);
    return context->style()
        ->sizeFromContents(QStyle::CT_ComboBox, &option, contents, nullptr)
        .width();
}

int fieldWidth(const QWidget* context, int digits)
{
    return context->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) + 4;
}

int textWidth(const QWidget* context, const QString& text)
{
    return context->fontMetrics().horizontalAdvance(text) + 2;
}

} // namespace CellMetrics
