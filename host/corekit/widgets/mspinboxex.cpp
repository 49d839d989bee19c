#include "mspinboxex.h"

#include <QWheelEvent>

MSpinBoxEx::MSpinBoxEx(QWidget* parent, bool withButtons, bool withFrame)
    : QSpinBox(parent)
{
    // The default wheel focus would let a passing wheel take the focus and then the value.
    setFocusPolicy(Qt::StrongFocus);
    setButtonsVisible(withButtons);
    setFramed(withFrame);
}

void MSpinBoxEx::setButtonsVisible(bool visible)
{
    setButtonSymbols(visible ? QAbstractSpinBox::UpDownArrows : QAbstractSpinBox::NoButtons);
}

bool MSpinBoxEx::buttonsVisible() const
{
    return buttonSymbols() != QAbstractSpinBox::NoButtons;
}

void MSpinBoxEx::setFramed(bool framed)
{
    setFrame(framed);
}

bool MSpinBoxEx::isFramed() const
{
    return hasFrame();
}

void MSpinBoxEx::wheelEvent(QWheelEvent* event)
{
    if (!hasFocus()) {
        event->ignore(); // the page around scrolls instead
        return;
    }
    QSpinBox::wheelEvent(event);
}
