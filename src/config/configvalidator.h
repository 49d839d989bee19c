#pragma once

#include "configfinding.h"
#include "tcpiprules.h"

#include "model/cpuobject.h"

#include <QList>

// Runs the checks of the properties dialog's OK, and the checks of compile, on a stored
// object without opening the dialog. Each check sees the values the dialog's page would
// show for the object and applies the same rule the page applies (the rule classes of this
// layer); where OK stops at the first failure, the validator reports every one, in the
// order of the OK steps. Checks that only compare two fields of a page (a password and its
// verify field) or catch partial text in a field cannot fail on stored values and are not
// run.
class ConfigValidator
{
public:
    // `ipCheck` is the host's address check, which the TCP/IP page uses too.
    static QList<ConfigFinding> validate(const CpuObject& object, const IpCheck& ipCheck);
};
