#include "mlineedit.h"

#include <QValidator>

namespace {

// Removes characters before `cursor` (from the end when it is at 0) until the text fits;
// the new cursor position.
int trimAtCursor(QString& text, int cursor, int maxBytes)
{
    cursor = qBound(0, cursor, text.size());
    while (!text.isEmpty() && text.toLocal8Bit().size() > maxBytes) {
        if (cursor > 0) {
            // Never split a surrogate pair.
            const int step = (cursor >= 2 && text.at(cursor - 1).isLowSurrogate() &&
                              text.at(cursor - 2).isHighSurrogate())
                                 ? 2
                                 : 1;
            text.remove(cursor - step, step);
            cursor -= step;
        } else {
            const int step =
                (text.size() >= 2 && text.at(text.size() - 1).isLowSurrogate()) ? 2 : 1;
            text.chop(step);
        }
    }
    return cursor;
}

} // namespace

// Every change of the text passes the validator with the cursor, before it is shown or
// signalled, so an over-long text is never seen.
class MLineEdit::ByteLimit : public QValidator
{
public:
    using QValidator::QValidator;

    int maxBytes = 0;

    State validate(QString& input, int& pos) const override
    {
        if (maxBytes > 0 && input.toLocal8Bit().size() > maxBytes)
            pos = trimAtCursor(input, pos, maxBytes);
        return Acceptable;
    }
};

MLineEdit::MLineEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_limit(new ByteLimit(this))
{
    setValidator(m_limit);
}

MLineEdit::MLineEdit(const QString& text, QWidget* parent)
    : MLineEdit(parent)
{
    setText(text);
}

void MLineEdit::setMaxLen(int bytes)
{
    m_maxLen = qMax(0, bytes);
    m_limit->maxBytes = m_maxLen;
    if (m_maxLen > 0 && text().toLocal8Bit().size() > m_maxLen) {
        QString fitting = text();
        trimAtCursor(fitting, fitting.size(), m_maxLen);
        setText(fitting);
    }
}
