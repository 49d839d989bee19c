#include "customintvalidator.h"

#include <limits>

namespace {

// |qint64 min|, the largest magnitude any bound can have.
constexpr quint64 kMaxMagnitude = quint64(std::numeric_limits<qint64>::max()) + 1;

quint64 magnitude(qint64 value)
{
    return value < 0 ? quint64(-(value + 1)) + 1 : quint64(value);
}

// Whether some number of the given sign with a magnitude in [low, high] lies in the range.
bool meetsRange(bool negative, quint64 low, quint64 high, qint64 bottom, qint64 top)
{
    if (negative)
        return bottom < 0 && magnitude(bottom) >= low && (top >= 0 || magnitude(top) <= high);
    return top >= 0 && quint64(top) >= low && (bottom < 0 || quint64(bottom) <= high);
}

// Whether appending digits to a number of this magnitude can reach the range.
bool canGrowIntoRange(bool negative, quint64 value, qint64 bottom, qint64 top)
{
    if (value == 0)
        return false; // more digits would make leading zeros
    quint64 low = value;
    quint64 span = 1;
    while (low <= kMaxMagnitude / 10) {
        low *= 10;
        span *= 10;
        if (meetsRange(negative, low, low + span - 1, bottom, top))
            return true;
    }
    return false;
}

} // namespace

CustomIntValidator::CustomIntValidator(qint64 bottom, qint64 top, QObject* parent)
    : QValidator(parent)
    , m_bottom(bottom)
    , m_top(top)
{}

QValidator::State CustomIntValidator::validate(QString& input, int&) const
{
    if (input.isEmpty())
        return Intermediate;
    if (m_bottom > m_top)
        return Invalid;
    const bool negative = input.at(0) == QLatin1Char('-');
    if (negative && m_bottom >= 0)
        return Invalid;
    const QStringRef digits = input.midRef(negative ? 1 : 0);
    if (digits.isEmpty())
        return Intermediate;

    quint64 value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return Invalid;
        const quint64 digit = c.unicode() - '0';
        if (value > (kMaxMagnitude - digit) / 10)
            return Invalid; // beyond every possible bound
        value = value * 10 + digit;
    }
    if (digits.size() > 1 && digits.at(0) == QLatin1Char('0'))
        return Invalid;
    if (negative && value == 0)
        return Invalid;
    if (meetsRange(negative, value, value, m_bottom, m_top))
        return Acceptable;
    return canGrowIntoRange(negative, value, m_bottom, m_top) ? Intermediate : Invalid;
}

void CustomIntValidator::fixup(QString& input) const
{
    if (m_bottom > m_top)
        return;
    const QString text = input.trimmed();
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QStringRef digits = text.midRef(negative ? 1 : 0);
    if (digits.isEmpty())
        return;
    quint64 value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return;
        const quint64 digit = c.unicode() - '0';
        // Saturate: any longer number is clamped to a bound anyway.
        value = value > (kMaxMagnitude - digit) / 10 ? kMaxMagnitude : value * 10 + digit;
    }
    qint64 number;
    if (negative)
        number = value >= kMaxMagnitude ? std::numeric_limits<qint64>::min() : -qint64(value);
    else
        number = value >= kMaxMagnitude ? std::numeric_limits<qint64>::max() : qint64(value);
    input = QString::number(qBound(m_bottom, number, m_top));
}

void CustomIntValidator::setRange(qint64 bottom, qint64 top)
{
    if (bottom == m_bottom && top == m_top)
        return;
    m_bottom = bottom;
    m_top = top;
    emit changed();
}
