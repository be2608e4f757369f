#include "controls/MemDC.h"

CMemDC::CMemDC(CDC* target, const CRect* rect, BOOL copyBackground) : m_pDC(target) {
    m_bMemDC = !target->IsPrinting();
    if (rect)
        m_rect = *rect;
    else
        target->GetClipBox(&m_rect);
    if (m_bMemDC) {
        CreateCompatibleDC(target);
        target->LPtoDP(&m_rect);
        m_bitmap.CreateCompatibleBitmap(target, m_rect.Width(), m_rect.Height());
        m_oldBitmap = SelectObject(&m_bitmap);
        SetMapMode(target->GetMapMode());
        const CSize windowExt = target->GetWindowExt();
        SetWindowExt(windowExt.cx, windowExt.cy);
        const CSize viewportExt = target->GetViewportExt();
        SetViewportExt(viewportExt.cx, viewportExt.cy);
        target->DPtoLP(&m_rect);
        SetWindowOrg(m_rect.left, m_rect.top);
    } else {
        AttachPainter(target->Painter(), true);
    }
    // A window's paint DC cannot be read back; then the background colour stands in.
    if (!copyBackground || !BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), target,
                                   m_rect.left, m_rect.top, SRCCOPY))
        FillSolidRect(&m_rect, target->GetBkColor());
}

CMemDC::~CMemDC() {
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                      SRCCOPY);
        SelectObject(m_oldBitmap);
    }
    // On a printer the painter stays the target's: the base only forgets it.
}
