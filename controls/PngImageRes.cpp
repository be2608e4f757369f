#include "controls/PngImageRes.h"

#include "platform/ui/IStream.h"

#include <cstring>

BOOL CPngImageRes::Load(LPCTSTR name, LPCTSTR type, HMODULE module) {
    Free();
    HRSRC resource = ::FindResource(module, name, type);
    if (!resource)
        return FALSE;
    const DWORD size = ::SizeofResource(module, resource);
    if (size == 0)
        return FALSE;
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes)
        return FALSE;
    m_hBuffer = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!m_hBuffer)
        return FALSE;
    void* buffer = ::GlobalLock(m_hBuffer);
    if (!buffer) {
        ::GlobalFree(m_hBuffer);
        m_hBuffer = nullptr;
        return FALSE;
    }
    std::memcpy(buffer, bytes, size);
    IStream* stream = nullptr;
    if (::CreateStreamOnHGlobal(m_hBuffer, FALSE, &stream) == S_OK && stream) {
        m_pBitmap = Gdiplus::Bitmap::FromStream(stream, FALSE);
        stream->Release();
        if (m_pBitmap && m_pBitmap->GetLastStatus() == Gdiplus::Ok)
            return TRUE;
    }
    Free();
    return FALSE;
}

void CPngImageRes::Free() {
    Empty();
    if (m_hBuffer) {
        ::GlobalUnlock(m_hBuffer);
        ::GlobalFree(m_hBuffer);
        m_hBuffer = nullptr;
    }
}
