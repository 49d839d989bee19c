#include "opcuainterfacecodec.h"

#include "opcuaaddress.h"
#include "bytes/bytereader.h"
#include "bytes/bytewriter.h"
#include "bytes/fieldchannel.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <type_traits>

namespace {

constexpr quint8 kNodeMarker = 0x10;
constexpr quint32 kTopParent = 1;
constexpr quint32 kFirstNodeId = 2;
constexpr int kMinInterfaceSize = 2 + 4 + 2 + 1 + 1;
constexpr int kMinVariableSize = 2 + 4 + 4 + 1 + 1 + 2 + 2 + 1 + 1 + 2 + 1 + 1 + 3 + 1;

// Visits an interface's records in payload order: its own records, then breadth-first the
// elements of every object, with the numbers they get.
template <typename Records, typename Visit>
void walk(Records& records, Visit visit)
{
    using Record = std::remove_reference_t<decltype(*records.begin())>; // const or not
    quint32 counter = kFirstNodeId;
    std::vector<std::pair<Record*, quint32>> queue;
    for (Record& record : records) {
        const quint32 id = counter++;
        visit(record, kTopParent, id);
        if (record.isObject())
            queue.emplace_back(&record, id);
    }
    for (size_t head = 0; head < queue.size(); ++head) {
        const auto [object, objectId] = queue[head];
        for (Record& element : object->elements) {
            const quint32 id = counter++;
            visit(element, objectId, id);
            if (element.isObject())
                queue.emplace_back(&element, id);
        }
    }
}

} // namespace

QByteArray OpcUaInterfaceCodec::encode(const OpcUaInterfaces& interfaces)
{
    const int count = int(std::min<size_t>(interfaces.size(), MaxInterfaces));
    ByteWriter out;
    out.reserve(32 + 64 * recordCount(interfaces));
    out.u16(0);
    out.u8(quint8(count));
    for (int i = 0; i < count; ++i) {
        out.u16(1); // owner
        out.u32(kTopParent);
        out.u16(quint16(i + 2));
        out.text8(interfaces[size_t(i)].name);
        out.u8(0);
    }
    out.patchU16(0, quint16(out.size())); // modulo 65536
    out.u16(0);

    const int block = out.size();
    out.u32(0);
    out.u32(0);
    quint32 written = 0;
    for (int i = 0; i < count; ++i) {
        const quint16 interfaceId = quint16(i + 2);
        walk(interfaces[size_t(i)].records,
             [&](const OpcUaVarRecord& r, quint32 parent, quint32 node) {
                 const OpcUaAddressParts parts =
                     OpcUaAddress::split(r.address, r.dataType, r.addressKind)
                         .value_or(OpcUaAddressParts{});
                 const quint32 bits = parts.bitAddress();
                 out.u16(interfaceId);
                 out.u32(parent);
                 out.u32(node);
                 out.u8(kNodeMarker);
                 out.u8(quint8(r.dataType));
                 out.u16(0);
                 out.u16(r.dbNumber);
                 out.u8(parts.areaCode);
                 out.u8(quint8(bits >> 16));
                 out.u16(quint16(bits));
                 out.u8(r.reserved);
                 out.u8(quint8(r.accessLevel));
                 out.text8(r.browseName);
                 out.text8(r.displayName);
                 out.text8(r.description);
                 out.u8(0);
                 ++written;
             });
    }
    out.patchU32(block, quint32(out.size() - block));
    out.patchU32(block + 4, written);
    out.u16(0);
    return out.take();
}

void OpcUaInterfaceCodec::number(OpcUaInterfaces& interfaces)
{
    for (size_t i = 0; i < interfaces.size(); ++i) {
        const quint16 interfaceId = quint16(i + 2);
        walk(interfaces[i].records, [&](OpcUaVarRecord& r, quint32 parent, quint32 node) {
            r.interfaceId = interfaceId;
            r.parentNodeId = parent;
            r.nodeId = node;
        });
    }
}

int OpcUaInterfaceCodec::recordCount(const OpcUaInterfaces& interfaces)
{
    int count = 0;
    for (const OpcUaInterface& i : interfaces)
        count += i.recordCount();
    return count;
}

QString OpcUaInterfaceDecode::reason() const
{
    if (!problem.isEmpty())
        return problem;
    if (overLimit)
        return QCoreApplication::translate("OpcUaInterfaceCodec",
                                           "it declares %1 variables; at most %2 can be published")
            .arg(declaredVariables)
            .arg(OpcUaInterfaceCodec::MaxVariables);
    if (droppedNoInterface)
        return QCoreApplication::translate("OpcUaInterfaceCodec", "%1 variables name no interface")
            .arg(droppedNoInterface);
    if (droppedNoParent)
        return QCoreApplication::translate("OpcUaInterfaceCodec",
                                           "%1 variables name no data-block object")
            .arg(droppedNoParent);
    if (droppedAddress)
        return QCoreApplication::translate(
                   "OpcUaInterfaceCodec",
                   "%1 variables have an address of unknown area or data type")
            .arg(droppedAddress);
    return QString();
}

namespace {

// A record as read, before the tree is built: where it goes (its interface and its
// object, an earlier record) and whether it is kept.
struct ReadVariable
{
    OpcUaVarRecord record;
    int interfaceIndex = -1;
    int parent = -1; // index of its object; -1 directly in the interface
    int depth = 0;
    bool kept = false;
};

class InterfaceReader
{
public:
    InterfaceReader(const QByteArray& payload, quint32 limit, QList<DumpField>* trace,
                    OpcUaInterfaceDecode& d)
        : m_bytes(payload)
        , m_in(m_bytes, trace)
        , m_limit(limit)
        , m_d(d)
    {}

    void run()
    {
        if (!interfaces())
            return;
        quint16 reserved = 0;
        const int block = m_bytes.pos() + 2;
        quint32 length = 0;
        quint32 count = 0;
        if (!m_in.u16("reserved", reserved) || !m_in.u32("variable block length", length) ||
            !m_in.u32("variable count", count)) {
            cut();
            return;
        }
        m_d.declaredVariables = count;
        if (count > m_limit) {
            m_d.overLimit = true;
            return;
        }
        if (count > quint32(m_bytes.remaining() / kMinVariableSize)) {
            problem(QCoreApplication::translate("OpcUaInterfaceCodec",
                                                "%1 variables cannot fit in the %2 bytes left")
                        .arg(count)
                        .arg(m_bytes.remaining()));
            return;
        }
        m_read.reserve(count);
        for (quint32 i = 0; i < count; ++i) {
            m_in.group(QStringLiteral("variable %1").arg(i + 1));
            const bool ok = variable();
            m_in.endGroup();
            if (!ok)
                return;
        }
        if (quint32(m_bytes.pos() - block) != length)
            problem(QCoreApplication::translate("OpcUaInterfaceCodec",
                                                "the variable block declares %1 bytes; it holds %2")
                        .arg(length)
                        .arg(m_bytes.pos() - block));
        if (!m_in.u16("reserved", reserved)) {
            cut();
            return;
        }
        if (!m_bytes.atEnd())
            problem(QCoreApplication::translate("OpcUaInterfaceCodec", "%1 bytes after the end")
                        .arg(m_bytes.remaining()));
    }

    // Moves the kept records into their places. Children come after their object in
    // payload order, so walking backwards completes every object before it is moved.
    void buildTree()
    {
        for (int i = int(m_read.size()) - 1; i >= 0; --i) {
            ReadVariable& v = m_read[size_t(i)];
            if (!v.kept)
                continue;
            std::reverse(v.record.elements.begin(), v.record.elements.end());
            auto& siblings = v.parent < 0 ? m_d.interfaces[size_t(v.interfaceIndex)].records
                                          : m_read[size_t(v.parent)].record.elements;
            siblings.push_back(std::move(v.record));
        }
        for (OpcUaInterface& i : m_d.interfaces)
            std::reverse(i.records.begin(), i.records.end());
    }

private:
    bool interfaces()
    {
        quint16 length = 0;
        quint8 count = 0;
        if (!m_in.u16("interface block length", length) || !m_in.u8("interface count", count)) {
            cut();
            return false;
        }
        if (count * kMinInterfaceSize > m_bytes.remaining()) {
            problem(QCoreApplication::translate("OpcUaInterfaceCodec",
                                                "%1 interfaces cannot fit in the %2 bytes left")
                        .arg(count)
                        .arg(m_bytes.remaining()));
            return false;
        }
        m_d.interfaces.reserve(count);
        for (int i = 0; i < count; ++i) {
            quint16 owner = 0;
            quint32 parent = 0;
            quint16 id = 0;
            quint8 flag = 0;
            OpcUaInterface read;
            m_in.group(QStringLiteral("interface %1").arg(i + 1));
            const bool ok = m_in.u16("owner id", owner) && m_in.u32("parent node id", parent) &&
                            m_in.u16("interface id", id) && m_in.text8("name", read.name) &&
                            m_in.u8("flag", flag);
            m_in.endGroup();
            if (!ok) {
                cut();
                return false;
            }
            if (!m_interfaceIndex.contains(id)) // the first of a repeated id takes its records
                m_interfaceIndex.insert(id, i);
            m_d.interfaces.push_back(std::move(read));
        }
        if (quint16(m_bytes.pos()) != length)
            problem(QCoreApplication::translate(
                        "OpcUaInterfaceCodec", "the interface block declares %1 bytes; it holds %2")
                        .arg(length)
                        .arg(m_bytes.pos()));
        return true;
    }

    bool variable()
    {
        const int start = m_bytes.pos();
        quint16 interfaceId = 0;
        quint32 parent = 0;
        quint32 node = 0;
        quint8 marker = 0;
        quint8 dataType = 0;
        quint16 reserved = 0;
        quint16 dbNumber = 0;
        quint8 area = 0;
        quint8 high = 0;
        quint16 low = 0;
        quint8 access = 0;
        quint8 end = 0;
        ReadVariable v;
        OpcUaVarRecord& r = v.record;
        if (!m_in.u16("interface id", interfaceId) || !m_in.u32("parent node id", parent) ||
            !m_in.u32("node id", node) || !m_in.u8("node marker", marker) ||
            !m_in.u8("data type", dataType) || !m_in.u16("reserved", reserved) ||
            !m_in.u16("data-block number", dbNumber) || !m_in.u8("area code", area) ||
            !m_in.u8("bit address, high part", high) || !m_in.u16("bit address, low part", low) ||
            !m_in.u8("reserved byte", r.reserved) || !m_in.u8("access level", access) ||
            !m_in.text8("browse name", r.browseName) ||
            !m_in.text8("display name", r.displayName) ||
            !m_in.text8("description", r.description) || !m_in.u8("end marker", end)) {
            cut();
            return false;
        }
        // A marker out of place means the records are not framed as written; what follows
        // would be noise.
        if (marker != kNodeMarker || end != 0) {
            problem(
                QCoreApplication::translate("OpcUaInterfaceCodec",
                                            "variable %1 has markers %2 and %3 instead of 16 and 0")
                    .arg(m_read.size() + 1)
                    .arg(marker)
                    .arg(end));
            return false;
        }
        ++m_d.readVariables;
        r.interfaceId = interfaceId;
        r.parentNodeId = parent;
        r.nodeId = node;
        r.dataType = dataType;
        r.dbNumber = dbNumber;
        r.accessLevel = access;
        place(v, area, (quint32(high) << 16) | low);
        if (m_in.recording())
            m_in.add(QStringLiteral("address"), start, m_bytes.pos() - start, describe(v));
        m_read.push_back(std::move(v));
        return true;
    }

    void place(ReadVariable& v, quint8 area, quint32 bits)
    {
        OpcUaVarRecord& r = v.record;
        v.interfaceIndex = m_interfaceIndex.value(r.interfaceId, -1);
        if (v.interfaceIndex < 0) {
            ++m_d.droppedNoInterface;
            return;
        }
        std::optional<OpcUaRebuiltAddress> address;
        if (r.parentNodeId == kTopParent) {
            address = OpcUaAddress::topLevel(area, r.dataType, r.dbNumber, bits);
        } else {
            v.parent = m_objects.value(objectKey(v.interfaceIndex, r.parentNodeId), -1);
            if (v.parent < 0) {
                ++m_d.droppedNoParent;
                return;
            }
            v.depth = m_read[size_t(v.parent)].depth + 1;
            address = OpcUaAddress::element(m_read[size_t(v.parent)].record.address, area,
                                            r.dataType, r.dbNumber, bits);
        }
        if (!address) {
            ++m_d.droppedAddress;
            return;
        }
        r.address = address->text;
        // Browse names are mostly the address: one string for both halves the memory that
        // tens of thousands of records take.
        if (r.browseName == r.address)
            r.browseName = r.address;
        r.addressKind = quint32(address->kind);
        v.kept = true;
        // Later records may sit in this object; the first of a repeated node id keeps them.
        if (r.isObject() && v.depth < OpcUaInterfaceCodec::MaxObjectDepth - 1) {
            const quint64 key = objectKey(v.interfaceIndex, r.nodeId);
            if (!m_objects.contains(key))
                m_objects.insert(key, int(m_read.size()));
        }
    }

    QString describe(const ReadVariable& v) const
    {
        const OpcUaVarRecord& r = v.record;
        if (v.interfaceIndex < 0)
            return QStringLiteral("dropped: no interface has id %1").arg(r.interfaceId);
        if (!v.kept && r.parentNodeId != kTopParent && v.parent < 0)
            return QStringLiteral("dropped: no data-block object has node id %1")
                .arg(r.parentNodeId);
        if (!v.kept)
            return QStringLiteral("dropped: no address for this area and data type");
        QString type = OpcUaTypes::dataTypeName(r.dataType);
        return QStringLiteral("%1 (%2, %3)")
            .arg(r.address, type, OpcUaTypes::accessLevelName(r.accessLevel));
    }

    static quint64 objectKey(int interfaceIndex, quint32 nodeId)
    {
        return (quint64(quint32(interfaceIndex)) << 32) | nodeId;
    }

    void cut()
    {
        problem(QCoreApplication::translate("OpcUaInterfaceCodec", "cut short at byte %1")
                    .arg(m_bytes.pos()));
    }

    void problem(const QString& text)
    {
        if (m_d.problem.isEmpty())
            m_d.problem = text;
    }

    ByteReader m_bytes;
    DumpChannel m_in; // named reads, recorded for dumps when asked
    const quint32 m_limit;
    OpcUaInterfaceDecode& m_d;
    QHash<quint16, int> m_interfaceIndex;
    QHash<quint64, int> m_objects; // (interface, node id) → index in m_read
    std::vector<ReadVariable> m_read;
};

} // namespace

OpcUaInterfaceDecode OpcUaInterfaceCodec::decode(const QByteArray& payload, quint32 limit,
                                                 QList<DumpField>* trace)
{
    OpcUaInterfaceDecode d;
    InterfaceReader reader(payload, limit, trace, d);
    reader.run();
    reader.buildTree();
    return d;
}
