#pragma once

#include "corekit_global.h"

#include <QString>

// Properties of one project object (for now: data blocks, kind 53), read from the project
// file by getFromPrj().
class COREKIT_EXPORT PrjObjectProperty
{
public:
    PrjObjectProperty(const QString& projectPath, int kind, const QString& name);

    // Fills the members; false (members untouched) when the project has no such object.
    bool getFromPrj();

    QString symbolName;
    QString symbolComment;
    int dbBeRetentive = 0; // 1 when the block is retentive
    int dbIsInstance = 0;  // 1 for an instance data block

private:
    QString m_projectPath;
    int m_kind;
    QString m_name;
};
