// The interface editor's tree model fed records built from fuzz bytes (any nesting, any
// types and addresses, any number of interfaces), then edited by drops, deletions, new and
// renamed interfaces and attribute changes, with the table model following. The model tester
// checks every change; the element counter must equal the records after each step, and no
// element may sit under a record that is not a data-block object.

#include <opcua/opcuadragdata.h>
#include <opcua/opcuainterfacecodec.h>
#include <opcua/ui/opcuainterfacetreemodel.h>
#include <opcua/ui/opcuavariabletablemodel.h>

#include <QAbstractItemModelTester>
#include <QGuiApplication>
#include <QMimeData>

#include <memory>

namespace {

class Bytes
{
public:
    Bytes(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size)
    {}

    bool atEnd() const { return m_pos >= m_size; }
    quint8 u8() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    quint16 u16() { return quint16(u8() << 8 | u8()); }
    QString text()
    {
        QString s;
        for (int n = u8() % 12; n > 0; --n)
            s += QChar(u8());
        return s;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

const char* const kAddresses[] = {"I0.0", "Q1.7",     "MW10",       "AIW4",       "SMB28", "VD100",
                                  "DB5",  "DB5.DBW0", "DB5.DBX2.3", "DB300.DBD4", "T37",   "XYZ"};
const quint32 kTypes[] = {0, 1, 2, 3, 4, 5, 6, 9, 11, 255, 7};

QString address(Bytes& in)
{
    const quint8 pick = in.u8();
    return pick < 200 ? QLatin1String(kAddresses[pick % std::size(kAddresses)]) : in.text();
}

OpcUaVarRecord record(Bytes& in)
{
    OpcUaVarRecord r;
    r.address = address(in);
    r.dataType = kTypes[in.u8() % std::size(kTypes)];
    r.addressKind = in.u8() % 7;
    r.accessLevel = in.u8() % 4;
    r.dbNumber = in.u16();
    r.browseName = in.text();
    r.displayName = in.text();
    r.interfaceId = in.u16();
    r.parentNodeId = in.u16();
    return r;
}

// Interfaces and records: each step adds a record to the current list, goes into the last
// record's elements (whatever its type), comes back out, or moves to another interface.
OpcUaInterfaces interfaces(Bytes& in, int budget)
{
    OpcUaInterfaces list(size_t(1 + in.u8() % 7));
    for (OpcUaInterface& i : list)
        i.name = in.text();
    std::vector<std::vector<OpcUaVarRecord>*> path{&list[0].records};
    for (int step = 0; step < budget && !in.atEnd(); ++step) {
        switch (in.u8() % 4) {
        case 0:
            path.back()->push_back(record(in));
            break;
        case 1:
            if (!path.back()->empty() && path.size() < 14)
                path.push_back(&path.back()->back().elements);
            break;
        case 2:
            if (path.size() > 1)
                path.pop_back();
            break;
        default:
            path = {&list[in.u8() % list.size()].records};
            break;
        }
    }
    return list;
}

void check(const OpcUaInterfaceTreeModel& tree)
{
    if (tree.elementCount() != OpcUaInterfaceCodec::recordCount(tree.interfaces()))
        __builtin_trap();
    std::vector<std::pair<const std::vector<OpcUaVarRecord>*, int>> pending;
    for (const OpcUaInterface& i : tree.interfaces())
        pending.emplace_back(&i.records, 1);
    while (!pending.empty()) {
        const auto [records, depth] = pending.back();
        pending.pop_back();
        for (const OpcUaVarRecord& r : *records) {
            if (!r.elements.empty() &&
                (!r.isObject() || depth >= OpcUaInterfaceCodec::MaxObjectDepth))
                __builtin_trap();
            pending.emplace_back(&r.elements, depth + 1);
        }
    }
}

// A node reached by two steps from the root: an interface, then maybe a record below it.
QModelIndex pick(const OpcUaInterfaceTreeModel& tree, Bytes& in)
{
    QModelIndex at = tree.rootIndex();
    for (int depth = in.u8() % 4; depth > 0; --depth) {
        const int rows = tree.rowCount(at);
        if (rows == 0)
            break;
        at = tree.index(in.u16() % rows, 0, at);
    }
    return at;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Bytes in(data, size);
    OpcUaInterfaceTreeModel tree;
    OpcUaVariableTableModel table(&tree);
    QAbstractItemModelTester treeTester(&tree,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester tableTester(&table,
                                         QAbstractItemModelTester::FailureReportingMode::Fatal);
    tree.setInterfaces(interfaces(in, 1 + in.u8()));
    check(tree);
    for (int step = 0; step < 64 && !in.atEnd(); ++step) {
        switch (in.u8() % 7) {
        case 0:
            tree.removeNode(pick(tree, in));
            break;
        case 1: {
            OpcUaDragItems items;
            for (int n = in.u8() % 4; n >= 0; --n) {
                OpcUaDragItem item;
                item.isObject = in.u8() % 3 == 0;
                item.address = item.isObject ? QStringLiteral("DB%1").arg(in.u16()) : address(in);
                for (int e = item.isObject ? in.u8() % 4 : 0; e > 0; --e) {
                    OpcUaDragItem element;
                    element.address = address(in);
                    item.elements.push_back(element);
                }
                items.push_back(item);
            }
            std::unique_ptr<QMimeData> mime(OpcUaDragData::mimeData(items));
            tree.dropVariables(mime.get(), pick(tree, in), int(in.u8()) - 1);
            break;
        }
        case 2:
            tree.addInterface(in.text());
            break;
        case 3:
            tree.renameInterface(pick(tree, in), in.text());
            break;
        case 4:
            tree.updateRecord(pick(tree, in), in.u8() % 4, kTypes[in.u8() % std::size(kTypes)],
                              in.text(), in.text(), in.text());
            break;
        case 5:
            table.showItem(pick(tree, in));
            break;
        default:
            tree.appendInterfaces(interfaces(in, 8));
            break;
        }
        check(tree);
    }
    tree.numberRecords();
    const QByteArray written = OpcUaInterfaceCodec::encode(tree.interfaces());
    (void)OpcUaInterfaceCodec::decode(written);
    return 0;
}
