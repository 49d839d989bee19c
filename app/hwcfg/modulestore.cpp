#include "modulestore.h"

#include <corekit/projectqueries.h>

QStringList ModuleStore::names() const
{
    return getPrjObjectChildren(m_project, Kind);
}

bool ModuleStore::contains(const QString& name) const
{
    return names().contains(name);
}

QByteArray ModuleStore::load(const QString& name) const
{
    return getPrjObjectChildContent(m_project, Kind, name);
}

bool ModuleStore::store(const QString& name, const QByteArray& saveData) const
{
    return savePrjObjectChildContent(m_project, Kind, name, saveData);
}
