// ObjectArray: slots grow by a fixed step; elements are clones the array owns.
#include "model/object_array.h"

#include <new>

ObjectArray::ObjectArray(int growBy) : m_growBy(growBy > 0 ? growBy : 1), m_items(0), m_count(0), m_capacity(0) {}

ObjectArray::~ObjectArray()
{
    RemoveAll();
}

Cloneable* ObjectArray::Add(const Cloneable& prototype)
{
    if (m_count >= m_capacity) {
        int capacity = m_capacity + m_growBy;
        Cloneable** items = new (std::nothrow) Cloneable*[capacity];
        if (!items)
            return 0;
        for (int i = 0; i < capacity; ++i)
            items[i] = i < m_count ? m_items[i] : 0;
        delete[] m_items;
        m_items = items;
        m_capacity = capacity;
    }
    Cloneable* element = prototype.Clone();
    if (!element)
        return 0;
    m_items[m_count++] = element;
    return element;
}

int ObjectArray::GetCount() const
{
    return m_count;
}

Cloneable* ObjectArray::GetAt(int index) const
{
    if (index < 0 || index >= m_count)
        return 0;
    return m_items[index];
}

void ObjectArray::RemoveAll()
{
    for (int i = 0; i < m_capacity; ++i)
        delete m_items[i];
    delete[] m_items;
    m_items = 0;
    m_count = 0;
    m_capacity = 0;
}

void ObjectArray::Swap(ObjectArray& other)
{
    Cloneable** items = m_items;
    int count = m_count;
    int capacity = m_capacity;
    m_items = other.m_items;
    m_count = other.m_count;
    m_capacity = other.m_capacity;
    other.m_items = items;
    other.m_count = count;
    other.m_capacity = capacity;
}
