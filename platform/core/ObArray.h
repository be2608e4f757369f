// CObArray: a growable array of CObject pointers. It does not own its elements; derived classes
// that own them delete them in their destructors.
#pragma once

#include "platform/core/Object.h"

#include <vector>

class CObArray : public CObject {
    DECLARE_SERIAL(CObArray)
public:
    CObArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_data.empty(); }
    // New slots are null. growBy is accepted for source compatibility; growth is amortised anyway.
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1);
    void RemoveAll() { m_data.clear(); }
    void FreeExtra() { m_data.shrink_to_fit(); }

    // Indices are checked: an index outside the array reads null and writes nothing.
    CObject* GetAt(INT_PTR i) const { return InRange(i) ? m_data[static_cast<size_t>(i)] : nullptr; }
    void SetAt(INT_PTR i, CObject* p);
    CObject*& ElementAt(INT_PTR i);
    CObject* operator[](INT_PTR i) const { return GetAt(i); }
    CObject*& operator[](INT_PTR i) { return ElementAt(i); }
    CObject** GetData() { return m_data.data(); }
    const CObject* const* GetData() const { return m_data.data(); }

    INT_PTR Add(CObject* p);
    INT_PTR Append(const CObArray& src);
    void Copy(const CObArray& src);
    void SetAtGrow(INT_PTR i, CObject* p);
    void InsertAt(INT_PTR i, CObject* p, INT_PTR count = 1);
    void RemoveAt(INT_PTR i, INT_PTR count = 1);

    // The element count, then every element as an archived object (with class records).
    void Serialize(CArchive& ar) override;

private:
    bool InRange(INT_PTR i) const { return i >= 0 && i < GetSize(); }
    std::vector<CObject*> m_data;
};
