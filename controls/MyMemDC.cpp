#include "controls/MyMemDC.h"

CMyMemDC::CMyMemDC(CDC* target) : m_pDC(target), m_bMemDC(target && !target->IsPrinting()) {
    if (!target)
        return;
    if (m_bMemDC) {
        target->GetClipBox(&m_rect);
        CreateCompatibleDC(target);
        if (m_rect.Width() > 0 && m_rect.Height() > 0 &&
            m_bitmap.CreateCompatibleBitmap(target, m_rect.Width(), m_rect.Height()))
            m_oldBitmap = SelectObject(&m_bitmap);
        SetWindowOrg(m_rect.left, m_rect.top);
    } else if (target->Painter()) {
        // Printing: borrow the target's painter, never own it.
        AttachPainter(target->Painter(), true);
    }
}

CMyMemDC::~CMyMemDC() {
    if (!m_pDC)
        return;
    if (m_bMemDC) {
        if (m_oldBitmap) {
            m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left,
                          m_rect.top, SRCCOPY);
            SelectObject(m_oldBitmap);
        }
        DeleteDC();
    } else {
        DeleteDC();
    }
}
