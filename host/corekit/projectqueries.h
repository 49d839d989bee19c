#pragma once

#include "corekit_global.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Project queries and the project's object store. The project path is the path of a
// project file (JSON); an empty or unreadable path answers 0, false or empty, and
// getPrjPlcTypeVersion then leaves the caller's preset values as they are.

// Kind of the project's data blocks.
constexpr int PrjObjectKindDataBlock = 53;

COREKIT_EXPORT void getPrjPlcTypeVersion(const QString& projectPath, QString& type,
                                         QString& version);
COREKIT_EXPORT int getHwFileCreatedVerNum(const QString& projectPath);
COREKIT_EXPORT bool getPrjSupportEip(const QString& projectPath);
COREKIT_EXPORT bool getPrjSupportQBus(const QString& projectPath);

// Names of the project's objects of a kind: for data blocks the project file's blocks in
// file order, then any stored content not listed there (sorted); for other kinds the
// stored content (sorted).
COREKIT_EXPORT QStringList getPrjObjectChildren(const QString& projectPath, int kind);

// Stored content of an object; for a data block without stored content, the content built
// from its rows in the project file. Empty when there is none.
COREKIT_EXPORT QByteArray getPrjObjectChildContent(const QString& projectPath, int kind,
                                                   const QString& name);

// Stores content beside the project file, replacing what was stored under (kind, name).
// False when the project path is empty or the file cannot be written.
COREKIT_EXPORT bool savePrjObjectChildContent(const QString& projectPath, int kind,
                                              const QString& name, const QByteArray& content);
