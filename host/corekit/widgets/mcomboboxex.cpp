#include "mcomboboxex.h"

#include <QLineEdit>
#include <QWheelEvent>

MComboBoxEx::MComboBoxEx(QWidget* parent)
    : QComboBox(parent)
{
    // The default wheel focus would let a passing wheel take the focus and then the value.
    setFocusPolicy(Qt::StrongFocus);
}

void MComboBoxEx::addItemWithData(const QString& text, const QVariant& data)
{
    addItem(text, data);
}

int MComboBoxEx::findItemData(const QVariant& data) const
{
    return findData(data);
}

bool MComboBoxEx::setCurrentData(const QVariant& data)
{
    const int index = findData(data);
    if (index < 0)
        return false;
    setCurrentIndex(index);
    return true;
}

QVariant MComboBoxEx::currentItemData() const
{
    return currentData();
}

void MComboBoxEx::wheelEvent(QWheelEvent* event)
{
    if (!hasFocus() && !(lineEdit() && lineEdit()->hasFocus())) {
        event->ignore(); // the page around scrolls instead
        return;
    }
    QComboBox::wheelEvent(event);
}
