#pragma once

#include <QString>

#include <optional>

// Why a value cannot be taken, as a check of OK says it: the message the dialog shows (and
// how), and the member it is about, by its path in the JSON document ("tcpIp.mask",
// "soe[1].title"). The dialog gives the field that shows the member the focus; the
// validator reports the path.
struct RuleFailure
{
    enum class Kind { Warning, Information };

    Kind kind = Kind::Warning;
    QString text;
    QString path;
};

// Nothing when the value passes.
using RuleResult = std::optional<RuleFailure>;
