#pragma once

#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QString>

// The control entry points of a stand-in slave plug-in, for tests and the demo host: make
// slaves with a node id, children, items and an I/O-map-changed mark, and look at them.
// The plug-in is found as the CPU module finds it (resolveInterface).
class SlaveControl
{
public:
    explicit SlaveControl(const QString& pluginFile);

    bool isLoaded() const { return m_create != nullptr; }
    QString pluginFile() const { return m_pluginFile; }

    int create(int nodeId, const QString& name = QString()) const; // 0 when not loaded
    bool addChild(int parent, int child) const;
    bool setNodeId(int slave, int nodeId) const;
    bool setIoMapChanged(int slave, bool changed) const;
    bool setItems(int slave, const QList<QPair<int, int>>& items) const; // (type, count)
    bool release(int slave) const;
    QList<int> handles() const;
    void reset() const;
    int typeByte() const;
    QJsonObject describe(int slave) const; // empty for an unknown handle

private:
    QString m_pluginFile;
    int (*m_create)(int, const QString&) = nullptr;
    bool (*m_addChild)(int, int) = nullptr;
    bool (*m_setNodeId)(int, int) = nullptr;
    bool (*m_setIoMapChanged)(int, bool) = nullptr;
    bool (*m_setItems)(int, const QList<QPair<int, int>>&) = nullptr;
    bool (*m_release)(int) = nullptr;
    QList<int> (*m_handles)() = nullptr;
    void (*m_reset)() = nullptr;
    int (*m_typeByte)() = nullptr;
    QString (*m_describe)(int) = nullptr;
};
