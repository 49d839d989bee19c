#pragma once

#include "corekit_global.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

// Read access to a project file: a JSON object whose path the host hands around as the
// project path. A missing, unreadable or malformed file reads as invalid and answers
// every query with its empty value.
class COREKIT_EXPORT ProjectFile
{
public:
    static ProjectFile load(const QString& projectPath);

    bool isValid() const { return m_valid; }
    QString plcType() const;
    QString plcVersion() const;
    int hwFileCreatedVersion() const;
    bool supportsEip() const;
    bool supportsQbus() const;
    QJsonArray dataBlocks() const;
    QJsonObject dataBlock(const QString& name) const; // empty when there is none
    QJsonArray symbolTables() const;

    // Folder beside the project file that holds stored object content:
    // <dir>/<file name>.content
    static QString contentDir(const QString& projectPath);

private:
    QJsonObject m_root;
    bool m_valid = false;
};
