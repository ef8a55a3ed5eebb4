// An owning array of Cloneable objects that grows in fixed steps.
#ifndef QUIVERDESK_MODEL_OBJECT_ARRAY_H
#define QUIVERDESK_MODEL_OBJECT_ARRAY_H

#include "model/cloneable.h"

// Elements only enter as clones of a prototype, so the array alone owns what it holds. The array
// itself is no element, nor a base: its calls are plain ones, with no table of them to keep.
class ObjectArray {
public:
    explicit ObjectArray(int growBy);
    ~ObjectArray();

    // Stores and returns the prototype's clone; null when memory ran out (the array is unchanged).
    Cloneable* Add(const Cloneable& prototype);
    int GetCount() const;
    // Null when the index is out of range.
    Cloneable* GetAt(int index) const;
    void RemoveAll();

    // Trades every element, and the slots that hold them, with other.
    void Swap(ObjectArray& other);

    int GetGrowBy() const { return m_growBy; }
    int GetCapacity() const { return m_capacity; }

private:
    ObjectArray(const ObjectArray&);
    ObjectArray& operator=(const ObjectArray&);

    int m_growBy;
    Cloneable** m_items;  // owned slot array; each non-null slot owned too
    int m_count;
    int m_capacity;
};

#endif
