#include "slavecontrol.h"

#include <ifacekit/interface.h>

#include <QJsonDocument>
#include <QLibrary>

SlaveControl::SlaveControl(const QString& pluginFile)
    : m_pluginFile(pluginFile)
{
    const Interface iface = resolveInterface(pluginFile);
    if (!iface.isLoaded())
        return;
    QLibrary library(iface.libraryPath);
    if (!library.load())
        return;
    auto bind = [&](auto& fn, const char* name) {
        fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(library.resolve(name));
        return fn != nullptr;
    };
    const bool complete = bind(m_addChild, "slaveAddChild") &&
                          bind(m_setNodeId, "slaveSetNodeId") &&
                          bind(m_setIoMapChanged, "slaveSetIoMapChanged") &&
                          bind(m_setItems, "slaveSetItems") && bind(m_release, "slaveRelease") &&
                          bind(m_handles, "slaveHandles") && bind(m_reset, "slaveReset") &&
                          bind(m_typeByte, "slaveTypeByte") && bind(m_describe, "slaveDescribe");
    if (complete)
        bind(m_create, "slaveCreate");
}

int SlaveControl::create(int nodeId, const QString& name) const
{
    return m_create ? m_create(nodeId, name) : 0;
}

bool SlaveControl::addChild(int parent, int child) const
{
    return m_create && m_addChild(parent, child);
}

bool SlaveControl::setNodeId(int slave, int nodeId) const
{
    return m_create && m_setNodeId(slave, nodeId);
}

bool SlaveControl::setIoMapChanged(int slave, bool changed) const
{
    return m_create && m_setIoMapChanged(slave, changed);
}

bool SlaveControl::setItems(int slave, const QList<QPair<int, int>>& items) const
{
    return m_create && m_setItems(slave, items);
}

bool SlaveControl::release(int slave) const
{
    return m_create && m_release(slave);
}

QList<int> SlaveControl::handles() const
{
    return m_create ? m_handles() : QList<int>();
}

void SlaveControl::reset() const
{
    if (m_create)
        m_reset();
}

int SlaveControl::typeByte() const
{
    return m_create ? m_typeByte() : -1;
}

QJsonObject SlaveControl::describe(int slave) const
{
    return m_create ? QJsonDocument::fromJson(m_describe(slave).toUtf8()).object() : QJsonObject();
}
