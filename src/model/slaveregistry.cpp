#include "slaveregistry.h"

#include <QFileInfo>

#include <algorithm>
#include <climits>

namespace {

template <typename Entry>
void removeHandle(QList<Entry>& list, int handle)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).handle == handle) {
            list.removeAt(i);
            return;
        }
    }
}

template <typename Entry>
bool contains(const QList<Entry>& list, int handle)
{
    return std::any_of(list.begin(), list.end(),
                       [handle](const Entry& e) { return e.handle == handle; });
}

template <typename Entry>
void sortEntries(QList<Entry>& list)
{
    QList<QPair<int, Entry>> keyed;
    for (const Entry& e : list)
        keyed.append({SlaveRegistry::nodeIdOf(e.iface, e.handle), e});
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    list.clear();
    for (const auto& k : keyed)
        list.append(k.second);
}

enum class Ties { NewFirst, NewLast };

void insertByNodeId(QList<SlaveEntry>& list, SlaveEntry entry, Ties ties)
{
    if (contains(list, entry.handle))
        return;
    const int nodeId = SlaveRegistry::nodeIdOf(entry.iface, entry.handle);
    // Node ids are asked afresh: a slave's node id may have changed since it was added.
    int at = 0;
    while (at < list.size()) {
        const int listed = SlaveRegistry::nodeIdOf(list.at(at).iface, list.at(at).handle);
        if (listed > nodeId || (listed == nodeId && ties == Ties::NewFirst))
            break;
        ++at;
    }
    list.insert(at, std::move(entry));
}

} // namespace

int SlaveRegistry::nodeIdOf(const Interface& iface, int handle)
{
    return iface.nodeId ? iface.nodeId(handle) : INT_MAX;
}

void SlaveRegistry::insertOrdered(QList<SlaveEntry>& list, int handle, const QString& pluginPath)
{
    if (contains(list, handle))
        return;
    insertOrdered(list, SlaveEntry{handle, pluginPath, resolveInterface(pluginPath)});
}

void SlaveRegistry::insertOrdered(QList<SlaveEntry>& list, SlaveEntry entry)
{
    insertByNodeId(list, std::move(entry), Ties::NewFirst);
}

void SlaveRegistry::insertFromBlock(QList<SlaveEntry>& list, SlaveEntry entry)
{
    insertByNodeId(list, std::move(entry), Ties::NewLast);
}

void SlaveRegistry::appendCan(QList<CanNodeEntry>& list, int handle, const QString& pluginPath)
{
    CanNodeEntry entry;
    entry.handle = handle;
    entry.pluginPath = pluginPath;
    entry.iface = resolveInterface(pluginPath);
    entry.kind = QFileInfo(pluginPath)
                             .fileName()
                             .compare(QLatin1String("dpslavekit.dll"), Qt::CaseInsensitive) == 0
                     ? 0
                     : -1;
    if (!contains(list, handle))
        list.append(entry);
}

void SlaveRegistry::remove(QList<SlaveEntry>& list, int handle)
{
    removeHandle(list, handle);
}

void SlaveRegistry::remove(QList<CanNodeEntry>& list, int handle)
{
    removeHandle(list, handle);
}

int SlaveRegistry::list(const QList<SlaveEntry>& slaves, bool busOn, int code, QList<int>& handles,
                        QList<int>& codes)
{
    if (!busOn)
        return -1;
    handles.clear();
    codes.clear();
    for (const SlaveEntry& e : slaves) {
        handles.append(e.handle);
        codes.append(code);
    }
    return handles.size();
}

int SlaveRegistry::list(const QList<CanNodeEntry>& slaves, bool busOn, QList<int>& handles,
                        QList<int>& kinds)
{
    if (!busOn)
        return -1;
    handles.clear();
    kinds.clear();
    for (const CanNodeEntry& e : slaves) {
        handles.append(e.handle);
        kinds.append(e.kind);
    }
    return handles.size();
}

void SlaveRegistry::sortByNodeId(QList<SlaveEntry>& list)
{
    sortEntries(list);
}

void SlaveRegistry::sortByNodeId(QList<CanNodeEntry>& list)
{
    sortEntries(list);
}

void SlaveRegistry::mappingSymbols(const CpuObject& object, QList<Symbol>& symbols)
{
    QList<Symbol> collected;
    if (object.etherCat.enabled) {
        for (const SlaveEntry& e : object.etherCatSlaves) {
            if (e.iface.mappingSymbols)
                e.iface.mappingSymbols(e.handle, collected);
        }
    }
    if (object.canMasterEnabled) {
        const CanMasterConfig master = object.canMaster; // the slaves see a copy
        for (const CanNodeEntry& e : master.slaves) {
            if (e.iface.mappingSymbols)
                e.iface.mappingSymbols(e.handle, collected);
        }
    }
    symbols.append(collected);
}

void SlaveRegistry::resetIoMapChanged(const CpuObject& object)
{
    for (const SlaveEntry& e : object.etherCatSlaves) {
        if (e.iface.resetIoMapChanged)
            e.iface.resetIoMapChanged(e.handle);
    }
}
