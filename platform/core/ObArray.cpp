#include "platform/core/ObArray.h"

#include "platform/core/Archive.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_SERIAL(CObArray, CObject, 0)

void CObArray::SetSize(INT_PTR newSize, INT_PTR) {
    m_data.resize(static_cast<size_t>(std::max<INT_PTR>(newSize, 0)), nullptr);
}

void CObArray::SetAt(INT_PTR i, CObject* p) {
    if (InRange(i))
        m_data[static_cast<size_t>(i)] = p;
}

CObject*& CObArray::ElementAt(INT_PTR i) {
    // A reference must refer to something: a bad index is a programming error.
    if (!InRange(i))
        std::abort();
    return m_data[static_cast<size_t>(i)];
}

INT_PTR CObArray::Add(CObject* p) {
    m_data.push_back(p);
    return GetUpperBound();
}

INT_PTR CObArray::Append(const CObArray& src) {
    INT_PTR first = GetSize();
    if (&src == this) {
        std::vector<CObject*> copy = src.m_data;
        m_data.insert(m_data.end(), copy.begin(), copy.end());
    } else {
        m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    }
    return first;
}

void CObArray::Copy(const CObArray& src) {
    if (&src != this)
        m_data = src.m_data;
}

void CObArray::SetAtGrow(INT_PTR i, CObject* p) {
    if (i < 0)
        return;
    if (i >= GetSize())
        SetSize(i + 1);
    m_data[static_cast<size_t>(i)] = p;
}

void CObArray::InsertAt(INT_PTR i, CObject* p, INT_PTR count) {
    if (i < 0 || count <= 0)
        return;
    if (i > GetSize())
        SetSize(i);
    m_data.insert(m_data.begin() + i, static_cast<size_t>(count), p);
}

void CObArray::RemoveAt(INT_PTR i, INT_PTR count) {
    if (!InRange(i) || count <= 0)
        return;
    INT_PTR last = std::min(i + count, GetSize());
    m_data.erase(m_data.begin() + i, m_data.begin() + last);
}

void CObArray::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(m_data.size()));
        for (CObject* p : m_data)
            ar << p;
    } else {
        // Read element by element: a damaged count ends at the end of the file, not in a huge
        // allocation.
        DWORD_PTR n = ar.ReadCount();
        std::vector<CObject*> loaded;
        for (DWORD_PTR i = 0; i < n; ++i)
            loaded.push_back(ar.ReadObject(nullptr));
        m_data = std::move(loaded);
    }
}
