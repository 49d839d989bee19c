#pragma once

#include <QLineEdit>

// A line edit whose text is limited in bytes of the local 8-bit encoding, the size of the
// record field the text ends up in. An edit that makes the text too long loses the
// characters just before the cursor; a text the program sets is taken as it is.
class QLineEditEx : public QLineEdit
{
    Q_OBJECT

public:
    static constexpr int DefaultMaxBytes = 32;

    explicit QLineEditEx(QWidget* parent = nullptr);

    // At least one byte; the current text is left alone until the next edit.
    void setMaxBytes(int bytes);
    int maxBytes() const { return m_maxBytes; }

public slots:
    // Connected to textEdited: cuts the text back to the limit around the cursor.
    void slotTextChanged(const QString& text);

private:
    int m_maxBytes = DefaultMaxBytes;
};
