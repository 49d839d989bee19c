#pragma once

#include <dialog/dialogpage.h>

#include <algorithm>

// The first failing check of a page, in the order OK runs them.
inline CheckResult firstFailure(const DialogPage& page)
{
    QList<PageCheck> checks = page.checks();
    std::stable_sort(checks.begin(), checks.end(),
                     [](const PageCheck& a, const PageCheck& b) { return a.step < b.step; });
    for (const PageCheck& check : checks) {
        if (CheckResult result = check.run())
            return result;
    }
    return std::nullopt;
}
