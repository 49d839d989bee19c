#pragma once

// The plug-in's exported functions as a host calls them: each is resolved by name (the
// names below, C linkage) from the shared library corvocpu. A handle is the opaque
// pointer that a creating function returned; it is valid until releaseObject.

#include "model/localiomap.h"

#include <symbolkit/symbol.h>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace CorvoCpuApi {

using Handle = void*;

using CreateObjectFn = Handle (*)(int objectId, const QString& projectPath);
using ReleaseObjectFn = void (*)(Handle);
using CloneFromHandleFn = Handle (*)(Handle);
using GetFileVersionFn = int (*)();
using GetNameFn = QString (*)(Handle);
using GetCommentFn = QString (*)(Handle);
using GetIntFn = int (*)(Handle);       // getRackId, getSlotId, getBaudrate, getNodeId
using SetIntFn = void (*)(Handle, int); // setRackId, setSlotId
using GetPositionFn = Position (*)(Handle);
using SetPositionFn = void (*)(Handle, const Position&);
using GetMapFn = LocalIoMap (*)(Handle); // getInMap, getOutMap
using EnableEtherCatFn = void (*)(Handle);
// Opens the modal properties dialog; always 0.
using ConfigFn = int (*)(Handle, const QString& projectPath, QWidget* parent, bool readOnly);
using SaveFn = QByteArray (*)(Handle);
using RestoreFn = Handle (*)(const QByteArray& saveData, const QString& projectPath);
using CloneFromSaveDataFn = RestoreFn;
// Each block behind four bytes that are not examined.
using CompareFn = QStringList (*)(const QByteArray& first, const QByteArray& second);
// compile, compileOld: 0 success, 1 failure; `errors` receives the compile error codes.
using CompileFn = int (*)(Handle, QByteArray& block, QList<int>& errors);
using RecompileFn = Handle (*)(const QByteArray& block, const QString& projectPath, int& error);
// addCanSlave, addEthSlave, addEipSlave, addQbusSlave
using AddSlaveFn = void (*)(Handle, int slave, const QString& pluginPath);
// removeCanSlave, removeEthSlave, removeEipSlave, removeQbusSlave
using RemoveSlaveFn = void (*)(Handle, int slave);
// getCanSlaveList (kinds), getEthSlaveList, getEipSlaveList, getQbusSlaveList (bus codes):
// -1 when the bus is off
using SlaveListFn = int (*)(Handle, QList<int>& handles, QList<int>& codes);
using GetMappingSymFn = void (*)(Handle, QList<Symbol>& symbols);
using ResetEthSlaveIoMapChangedFn = void (*)(Handle);

// The configuration as a JSON document (docs/config-json.md).
// exportConfiguration: what the module's save data holds; empty for a null handle.
using ExportConfigurationFn = QByteArray (*)(Handle);
// importConfiguration: a new module from a document, as restore makes one from save data;
// null, with one "<path>: <reason>" line per problem in `error`, when the document is
// refused.
using ImportConfigurationFn = Handle (*)(const QByteArray& json, const QString& projectPath,
                                         QString& error);
// configurationSchema: the documents' JSON Schema.
using ConfigurationSchemaFn = QByteArray (*)();

// A problem validateConfiguration found: the member (its path in the JSON document), the
// message the properties dialog shows for it, the check ("tcpIpAddresses", ..., "compile").
struct Finding
{
    QString path;
    QString message;
    QString check;
};
// validateConfiguration: the checks of the dialog's OK and of compile on the module as it
// is; `findings` is replaced by every problem, in the order of the OK steps. The number of
// findings; -1 (the list untouched) for a null handle.
using ValidateConfigurationFn = int (*)(Handle, QList<Finding>& findings);

} // namespace CorvoCpuApi
