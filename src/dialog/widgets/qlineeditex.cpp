#include "qlineeditex.h"

#include "dialog/inputrules.h"

QLineEditEx::QLineEditEx(QWidget* parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, &QLineEditEx::slotTextChanged);
}

void QLineEditEx::setMaxBytes(int bytes)
{
    m_maxBytes = qMax(1, bytes);
}

void QLineEditEx::slotTextChanged(const QString&)
{
    InputRules::limitBytes(this, m_maxBytes);
}
