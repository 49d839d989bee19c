#pragma once

#include "config/rulefailure.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>

// Why the dialog's OK cannot go on: the message for the user and the field to correct.
struct CheckFailure
{
    enum class Kind { Warning, Information };

    Kind kind = Kind::Warning;
    QString text;
    QPointer<QWidget> focus; // given the focus, its text selected, after the message
};

// Nothing when the check passed.
using CheckResult = std::optional<CheckFailure>;

// A rule's failure (src/config) shown at the field that holds its member.
inline CheckFailure failureAt(const RuleFailure& failure, QWidget* field)
{
    return {failure.kind == RuleFailure::Kind::Warning ? CheckFailure::Kind::Warning
                                                       : CheckFailure::Kind::Information,
            failure.text, field};
}
