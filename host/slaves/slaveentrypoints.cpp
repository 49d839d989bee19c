// The entry points of one stand-in slave plug-in. Each plug-in builds this file with its
// own settings (SLAVEKIT_*), so the plug-ins differ in their type byte, their handle range
// and which optional entry points they offer, as real slave plug-ins do.

#include "slavebook.h"
#include "slaverecord.h"

#include <symbolkit/symbol.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#define SLAVE_EXPORT extern "C" Q_DECL_EXPORT

namespace {

constexpr quint8 kType = SLAVEKIT_TYPE;

SlaveBook& book()
{
    static SlaveBook& configured = []() -> SlaveBook& {
        SlaveBook::instance().setHandleBase(SLAVEKIT_HANDLE_BASE);
        return SlaveBook::instance();
    }();
    return configured;
}

int rebuild(const QByteArray& data, SlaveRecord::Form form, int& consumed, int& error, bool clone)
{
    const int handle = SlaveRecord::read(book(), data, kType, form, consumed, error);
    if (handle && clone)
        book().find(handle)->name += QStringLiteral(" (copy)");
    return handle;
}

} // namespace

// Entry points the CPU module uses.

SLAVE_EXPORT int slaveNodeId(int slave)
{
    const SlaveObject* object = book().find(slave);
    return object ? object->nodeId : -1;
}

SLAVE_EXPORT void slaveMappingSymbols(int slave, QList<Symbol>& symbols)
{
    const SlaveObject* object = book().find(slave);
    if (!object)
        return;
    for (int i = 0; i < object->items.size(); ++i) {
        Symbol symbol;
        symbol.name = QStringLiteral("%1_%2")
                          .arg(object->name.isEmpty() ? QStringLiteral("node%1").arg(object->nodeId)
                                                      : object->name)
                          .arg(i);
        symbol.address = QStringLiteral("%1:%2.%3")
                             .arg(QStringLiteral(SLAVEKIT_NAME))
                             .arg(object->nodeId)
                             .arg(i);
        symbol.dataType =
            object->items.at(i).type == 1 ? QStringLiteral("WORD") : QStringLiteral("BYTE");
        symbol.comment = QStringLiteral("%1 channel(s)").arg(object->items.at(i).count);
        symbols.append(symbol);
    }
}

#if SLAVEKIT_HAS_IOMAP
SLAVE_EXPORT bool slaveIoMapChanged(int slave)
{
    const SlaveObject* object = book().find(slave);
    return object && object->ioMapChanged;
}

SLAVE_EXPORT void slaveResetIoMapChanged(int slave)
{
    if (SlaveObject* object = book().find(slave))
        object->ioMapChanged = false;
}
#endif

#if SLAVEKIT_HAS_CHILDREN
SLAVE_EXPORT QList<int> slaveChildren(int slave)
{
    const SlaveObject* object = book().find(slave);
    return object ? object->children : QList<int>();
}
#endif

SLAVE_EXPORT QByteArray slaveSave(int slave)
{
    return SlaveRecord::write(book(), slave, kType, SlaveRecord::Form::Save);
}

SLAVE_EXPORT int slaveCompile(int slave, QByteArray& record)
{
    record = SlaveRecord::write(book(), slave, kType, SlaveRecord::Form::Download);
    return record.isEmpty() ? SlaveRecord::ErrorMalformed : 0;
}

#if SLAVEKIT_HAS_OLD
SLAVE_EXPORT int slaveCompileOld(int slave, QByteArray& record)
{
    record = SlaveRecord::write(book(), slave, kType, SlaveRecord::Form::DownloadOld);
    return record.isEmpty() ? SlaveRecord::ErrorMalformed : 0;
}
#endif

SLAVE_EXPORT int slaveRestore(const QByteArray& data, const QString&, int& consumed)
{
    int error = 0;
    return rebuild(data, SlaveRecord::Form::Save, consumed, error, false);
}

SLAVE_EXPORT int slaveClone(const QByteArray& data, const QString&, int& consumed)
{
    int error = 0;
    return rebuild(data, SlaveRecord::Form::Save, consumed, error, true);
}

SLAVE_EXPORT int slaveRecompile(const QByteArray& data, const QString&, int& consumed, int& error)
{
    return rebuild(data, SlaveRecord::Form::Download, consumed, error, false);
}

#if SLAVEKIT_HAS_ITEMCOUNT
SLAVE_EXPORT int slaveIoItemCount(int slave)
{
    const SlaveObject* object = book().find(slave);
    int total = 0;
    if (object) {
        for (const SlaveItem& item : object->items)
            total += item.type == 1 ? item.count : 0;
    }
    return total;
}
#endif

// Control entry points for tests and the demo host.

SLAVE_EXPORT int slaveCreate(int nodeId, const QString& name)
{
    SlaveObject object;
    object.nodeId = nodeId;
    object.name = name;
    return book().create(object);
}

SLAVE_EXPORT bool slaveAddChild(int parent, int child)
{
    SlaveObject* object = book().find(parent);
    if (!object || !book().find(child) || parent == child || object->children.contains(child))
        return false;
    object->children.append(child);
    return true;
}

SLAVE_EXPORT bool slaveSetNodeId(int slave, int nodeId)
{
    SlaveObject* object = book().find(slave);
    if (object)
        object->nodeId = nodeId;
    return object;
}

SLAVE_EXPORT bool slaveSetIoMapChanged(int slave, bool changed)
{
    SlaveObject* object = book().find(slave);
    if (object)
        object->ioMapChanged = changed;
    return object;
}

// Items as pairs (type, count).
SLAVE_EXPORT bool slaveSetItems(int slave, const QList<QPair<int, int>>& items)
{
    SlaveObject* object = book().find(slave);
    if (!object || items.size() > 255)
        return false;
    object->items.clear();
    for (const auto& [type, count] : items)
        object->items.append({quint8(type), quint16(count)});
    return true;
}

SLAVE_EXPORT bool slaveRelease(int slave)
{
    return book().release(slave);
}

SLAVE_EXPORT QList<int> slaveHandles()
{
    return book().handles();
}

SLAVE_EXPORT void slaveReset()
{
    book().clear();
}

SLAVE_EXPORT int slaveTypeByte()
{
    return kType;
}

// The slave as JSON: handle, node id, name, I/O-map mark, items and children.
SLAVE_EXPORT QString slaveDescribe(int slave)
{
    const SlaveObject* object = book().find(slave);
    if (!object)
        return {};
    QJsonArray items;
    for (const SlaveItem& item : object->items)
        items.append(QJsonObject{{"type", item.type}, {"count", item.count}});
    QJsonArray children;
    for (int child : object->children)
        children.append(child);
    return QString::fromUtf8(QJsonDocument(QJsonObject{{"plugin", SLAVEKIT_NAME},
                                                       {"handle", slave},
                                                       {"nodeId", object->nodeId},
                                                       {"name", object->name},
                                                       {"ioMapChanged", object->ioMapChanged},
                                                       {"items", items},
                                                       {"children", children}})
                                 .toJson(QJsonDocument::Compact));
}
