#include "platform/ui/IStream.h"

#include <algorithm>
#include <cstring>

IStream::IStream(HGLOBAL block, bool deleteOnRelease) : m_block(block), m_deleteOnRelease(deleteOnRelease) {}

IStream::~IStream() {
    if (m_deleteOnRelease)
        GlobalFree(m_block);
}

ULONG IStream::AddRef() {
    return ++m_refs;
}

ULONG IStream::Release() {
    const ULONG left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

const BYTE* IStream::Data() const {
    // Resource blocks and allocated blocks both answer GlobalLock with their bytes.
    if (!m_block)
        return nullptr;
    auto* data = static_cast<const BYTE*>(GlobalLock(m_block));
    GlobalUnlock(m_block);
    return data;
}

size_t IStream::Size() const {
    return GlobalSize(m_block);
}

HRESULT IStream::Read(void* buffer, ULONG count, ULONG* read) {
    const size_t size = Size();
    const size_t n = m_pos >= size ? 0 : std::min<size_t>(count, size - m_pos);
    if (n && buffer)
        std::memcpy(buffer, Data() + m_pos, n);
    m_pos += n;
    if (read)
        *read = static_cast<ULONG>(n);
    return n == count ? S_OK : S_FALSE;
}

HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, LPSTREAM* stream) {
    if (!stream)
        return E_INVALIDARG;
    if (!block)
        block = GlobalAlloc(GMEM_MOVEABLE, 0);
    *stream = new IStream(block, deleteOnRelease != FALSE);
    return S_OK;
}
