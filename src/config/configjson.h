#pragma once

#include "configdocument.h"

#include "model/cpuobject.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

// A module's configuration as a JSON document with named members (configfields.h): the
// export writes what the module's save data holds; the import builds a module from a
// document, as restore does from save data, or refuses it whole.
class ConfigJson
{
public:
    // Documents larger than this are refused unread.
    static constexpr qint64 MaxDocumentSize = 64 * 1024 * 1024;

    // The document of what save would write for the object now.
    static QByteArray exportDocument(const CpuObject& object);

    // A new object from a document, for a project: null, with every problem found as
    // "<path>: <message>" in `errors`, when the document is not JSON, a member is missing,
    // of the wrong type or out of range, a key is unknown, a value would not be kept by the
    // module's save data, or a slave's plug-in refuses its record. Like an object from save
    // data, it claims no memory. Slaves that plug-ins had made before a refusal stay with
    // those plug-ins.
    static std::unique_ptr<CpuObject>
    importDocument(const QByteArray& json, const QString& projectPath, QStringList& errors);

    // The JSON Schema of the documents, from the same member list.
    static QByteArray schema();

    // How the document shows the OPC UA payloads: as records where the payload is what
    // the codecs write for them, unless the bytes are asked for.
    struct PayloadForm
    {
        bool rawSettings = false;
        bool rawInterfaces = false;
    };

    static ConfigDocument documentOf(const CpuObject& object, PayloadForm form);
    static OpcUaDocument opcUaDocumentOf(const QByteArray& settings, const QByteArray& interfaces,
                                         PayloadForm form);
    // The text of a document, with the member path of each line when asked.
    static QByteArray write(ConfigDocument& document, QStringList* linePaths = nullptr);
};
