#include "longvalid.h"

#include <QRegularExpression>

LongValid::LongValid(qint64 min, qint64 max, QObject* parent)
    : QValidator(parent)
    , m_min(min)
    , m_max(max)
{}

QValidator::State LongValid::validate(QString& input, int&) const
{
    if (input.isEmpty())
        return Acceptable;
    // Digits with an optional sign and nothing else: toLongLong alone would let blanks
    // through, which the field's reader does not expect.
    static const QRegularExpression decimal(QStringLiteral("\\A[+-]?[0-9]+\\z"));
    if (!decimal.match(input).hasMatch())
        return Invalid;
    bool ok = false;
    const qint64 value = input.toLongLong(&ok, 10);
    if (!ok || value < m_min || value > m_max)
        return Invalid;
    return Acceptable;
}
