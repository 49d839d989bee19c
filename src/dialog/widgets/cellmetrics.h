#pragma once

class QString;
class QStringList;
class QWidget;

// Widths of the parts of the SOE table's cell editors from the style and the font alone, so
// that a table can size its columns before any cell exists, and the editors place their
// parts by the same numbers.
namespace CellMetrics {

// A list without a frame that shows the widest of `texts`, as a combo box sizes itself.
int listWidth(const QWidget* context, const QStringList& texts);
// A field without buttons or frame that shows `digits` digits.
int fieldWidth(const QWidget* context, int digits);
// A short text such as ".".
int textWidth(const QWidget* context, const QString& text);

} // namespace CellMetrics
