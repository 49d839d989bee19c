#pragma once

#include "slaveobject.h"

#include <QHash>
#include <QList>

// The slave objects of one plug-in, by handle. Handles start at the plug-in's own base, so
// that handles of different plug-ins never meet in one list of the CPU module.
class SlaveBook
{
public:
    static SlaveBook& instance();

    void setHandleBase(int base);
    int create(const SlaveObject& object);
    SlaveObject* find(int handle);
    const SlaveObject* find(int handle) const;
    // Releases the slave and its children; false when the handle is unknown.
    bool release(int handle);
    void clear();
    QList<int> handles() const; // ascending

private:
    QHash<int, SlaveObject> m_objects;
    int m_base = 1000000;
    int m_next = 1000000;
};
