#pragma once

#include "bytes/bytereader.h"
#include "bytes/fieldchannel.h"
#include "resultcodes.h"

#include "model/cpuobject.h"

#include <QByteArray>
#include <QList>

// The module information section (identifier 2) that heads every block. Save data also
// carries the module comment and position; a download block does not.
class HeaderSection
{
public:
    enum class Layout { SaveData, Download };

    static QByteArray write(const CpuObject& object, Layout layout);

    // Reads a header payload (head removed) as far as its bytes go: None, also when it ends
    // early. The catalog entry of its ObjID replaces the descriptor (keeping the project
    // path); an unknown ObjID stops the read with UnknownObjId and leaves the descriptor as
    // it was.
    static RecompileError read(CpuObject& object, ByteReader& payload, Layout layout);

    // The fields of a header payload, for inspection; the layout is told by its size.
    static Layout guessLayout(const QByteArray& block, int payloadBegin, int payloadEnd);
    static void dump(ByteReader& payload, Layout layout, QList<DumpField>& fields);
};
