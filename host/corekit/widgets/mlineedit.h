#pragma once

#include <corekit/corekit_global.h>

#include <QLineEdit>

// A line edit whose text is limited in bytes of the local 8-bit encoding, the size of the
// fixed fields that the text ends up in. An edit that makes the text too long loses
// characters just before the cursor, so typing past the limit is refused and a paste is
// cut at its end. The limit works through the validator: do not set another one.
class COREKIT_EXPORT MLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit MLineEdit(QWidget* parent = nullptr);
    explicit MLineEdit(const QString& text, QWidget* parent = nullptr);

    // 0 or negative: no limit. A longer current text is cut at its end.
    void setMaxLen(int bytes);
    int maxLen() const { return m_maxLen; }

private:
    class ByteLimit;

    ByteLimit* m_limit;
    int m_maxLen = 0;
};
