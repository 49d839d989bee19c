#include "slavebook.h"

#include <algorithm>

SlaveBook& SlaveBook::instance()
{
    static SlaveBook book;
    return book;
}

void SlaveBook::setHandleBase(int base)
{
    m_base = base;
    m_next = std::max(m_next, base);
    if (m_objects.isEmpty())
        m_next = base;
}

int SlaveBook::create(const SlaveObject& object)
{
    const int handle = m_next++;
    m_objects.insert(handle, object);
    return handle;
}

SlaveObject* SlaveBook::find(int handle)
{
    auto it = m_objects.find(handle);
    return it == m_objects.end() ? nullptr : &*it;
}

const SlaveObject* SlaveBook::find(int handle) const
{
    auto it = m_objects.constFind(handle);
    return it == m_objects.constEnd() ? nullptr : &*it;
}

bool SlaveBook::release(int handle)
{
    auto it = m_objects.find(handle);
    if (it == m_objects.end())
        return false;
    const QList<int> children = it->children;
    m_objects.erase(it);
    for (int child : children)
        release(child);
    return true;
}

void SlaveBook::clear()
{
    m_objects.clear();
    m_next = m_base;
}

QList<int> SlaveBook::handles() const
{
    QList<int> list = m_objects.keys();
    std::sort(list.begin(), list.end());
    return list;
}
