// IStream: a byte stream over a movable memory block (CreateStreamOnHGlobal), enough for image
// decoders to read resource bytes.
#pragma once

#include "platform/ui/WinBase.h"

using HRESULT = LONG;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);
inline bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}
inline bool FAILED(HRESULT hr) {
    return hr < 0;
}

class IStream {
public:
    IStream(HGLOBAL block, bool deleteOnRelease);
    IStream(const IStream&) = delete;
    IStream& operator=(const IStream&) = delete;

    ULONG AddRef();
    // Deletes the stream at the last release (and the block when it was asked to).
    ULONG Release();
    HRESULT Read(void* buffer, ULONG count, ULONG* read);
    // The whole content, from the start.
    const BYTE* Data() const;
    size_t Size() const;

private:
    ~IStream();
    HGLOBAL m_block;
    bool m_deleteOnRelease;
    ULONG m_refs = 1;
    size_t m_pos = 0;
};
using LPSTREAM = IStream*;

HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, LPSTREAM* stream);
