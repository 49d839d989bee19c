#pragma once

#include <corekit/corekit_global.h>

#include <QValidator>

// Plain decimal integers in [bottom, top], beyond the int range of QIntValidator and
// independent of the locale: an optional '-' (only when bottom < 0), then digits without
// leading zeros. Text that typing more digits can still turn into a valid number is
// Intermediate ("2" for 200..20000, "-" for -5..5, ""); text that can never get there is
// Invalid and refused by a line edit.
class COREKIT_EXPORT CustomIntValidator : public QValidator
{
    Q_OBJECT

public:
    CustomIntValidator(qint64 bottom, qint64 top, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;
    // Clamps a number outside the range to the nearer bound and drops leading zeros;
    // leaves text that is no number unchanged.
    void fixup(QString& input) const override;

    qint64 bottom() const { return m_bottom; }
    qint64 top() const { return m_top; }
    void setRange(qint64 bottom, qint64 top);

private:
    qint64 m_bottom;
    qint64 m_top;
};
