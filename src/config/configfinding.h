#pragma once

#include <QString>

// One problem the validator found: the member it is about (its path in the JSON document),
// the message the dialog shows for it, and the check that found it ("tcpIpAddresses", ...,
// "compile").
struct ConfigFinding
{
    QString path;
    QString message;
    QString check;

    bool operator==(const ConfigFinding& o) const
    {
        return path == o.path && message == o.message && check == o.check;
    }
};
