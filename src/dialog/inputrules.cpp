#include "inputrules.h"

#include "model/localtext.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTextCursor>

QValidator* InputRules::passwordCharacters(QObject* parent)
{
    static const QRegularExpression allowed(
        QStringLiteral(R"re([A-Za-z0-9~!@#$%^&*()_+`\-=,.<>;':"/?\\|{}\[\]]*)re"));
    return new QRegularExpressionValidator(allowed, parent);
}

void InputRules::limitBytes(QLineEdit* edit, int maxBytes)
{
    QString text = edit->text();
    if (text.toLocal8Bit().size() <= maxBytes)
        return;
    const int cursor = trimLocal8BitAtCursor(text, edit->cursorPosition(), maxBytes);
    // Setting the text calls the handler again; it fits by then.
    edit->setText(text);
    edit->setCursorPosition(cursor);
}

void InputRules::limitBytes(QPlainTextEdit* edit, int maxBytes)
{
    QString text = edit->toPlainText();
    if (text.toLocal8Bit().size() <= maxBytes)
        return;
    const int cursor = trimLocal8BitAtCursor(text, edit->textCursor().position(), maxBytes);
    edit->setPlainText(text);
    QTextCursor restored = edit->textCursor();
    restored.setPosition(cursor);
    edit->setTextCursor(restored);
}
