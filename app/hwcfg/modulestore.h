#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// CPU modules that hwcfg keeps in a project: their save data, stored through the host's
// project storage under one object kind, by module name.
class ModuleStore
{
public:
    static constexpr int Kind = 160;

    explicit ModuleStore(const QString& projectPath)
        : m_project(projectPath)
    {}

    QStringList names() const;
    bool contains(const QString& name) const;
    QByteArray load(const QString& name) const;
    bool store(const QString& name, const QByteArray& saveData) const;

private:
    QString m_project;
};
