#pragma once

#include "corekit_global.h"

#include <QString>

// The folder that holds the host's data (PLC facts, catalogs, server files). It is named by
// the environment variable CORVO_HOST_HOME; unset, it is the data installed next to the
// libraries, or else the sample data of the source tree.
class COREKIT_EXPORT HostHome
{
public:
    static QString path();                        // absolute, without trailing separator
    static QString file(const QString& relative); // path() + "/" + relative
};

// Host application version (host.json "appVersion"); 0 when unknown.
COREKIT_EXPORT int getAppVerNum();

// Component folder n of the hardware configuration, with a trailing separator:
// 6 holds the module catalogs, 9 the server files.
COREKIT_EXPORT QString getHwcnfgComponentPath(int component);
