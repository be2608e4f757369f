#include "controls/PngImageRes.h"

#include "platform/ui/PngResource.h"

BOOL CPngImageRes::Load(LPCTSTR name, LPCTSTR type, HMODULE module) {
    Free();
    // The registry's image itself: nothing is encoded to a file and decoded again.
    m_pBitmap = CreateResourceBitmap(::FindResource(module, name, type));
    return m_pBitmap ? TRUE : FALSE;
}

void CPngImageRes::Free() {
    Empty();
}
