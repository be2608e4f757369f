#include "platform/ui/ClientDC.h"

#include "platform/ui/Wnd.h"

#include <QPainter>

CClientDC::CClientDC(CWnd* wnd) : m_pWnd(wnd) {
    m_dc = wnd ? wnd->GetDC() : nullptr;
    if (m_dc && m_dc->Painter()) {
        AttachPainter(m_dc->Painter());
        if (wnd->GetFont())
            SelectObject(wnd->GetFont());
    }
}

CClientDC::~CClientDC() {
    DeleteDC();
    if (m_pWnd && m_dc)
        m_pWnd->ReleaseDC(m_dc);
}
