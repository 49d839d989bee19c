#pragma once

#include <QValidator>

// A validator for decimal integers within 64-bit limits. An empty text is acceptable (the
// field then leaves its value as it was); anything that is not a whole decimal number in
// [min, max] is invalid. It never answers Intermediate, so a field never holds a text it
// would refuse.
class LongValid : public QValidator
{
    Q_OBJECT

public:
    LongValid(qint64 min, qint64 max, QObject* parent = nullptr);

    qint64 bottom() const { return m_min; }
    qint64 top() const { return m_max; }

    State validate(QString& input, int& pos) const override;

private:
    qint64 m_min;
    qint64 m_max;
};
