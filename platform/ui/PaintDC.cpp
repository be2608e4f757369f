#include "platform/ui/PaintDC.h"

#include "platform/ui/Wnd.h"

#include <QPainter>
#include <QWidget>

CPaintDC::CPaintDC(CWnd* wnd) : m_pWnd(wnd) {
    QWidget* w = wnd ? wnd->Widget() : nullptr;
    if (!w)
        return;
    m_previous = wnd->ActivePaintDC();
    if (m_previous && m_previous->Painter()) {
        // A paint DC inside a paint (nested handler): share the painter.
        m_borrowed = true;
        m_previous->Painter()->save();
        AttachPainter(m_previous->Painter());
    } else if (!BeginOn(w)) {
        return;
    } else {
        ResetAttributes();
    }
    wnd->SetActivePaintDC(this);
    if (wnd->GetFont())
        SelectObject(wnd->GetFont());
    m_ps.hdc = GetSafeHdc();
    m_ps.fErase = FALSE;
    CRect rc;
    GetClipBox(&rc);
    m_ps.rcPaint = rc;
}

CPaintDC::~CPaintDC() {
    if (m_pWnd && m_pWnd->ActivePaintDC() == this)
        m_pWnd->SetActivePaintDC(m_previous);
    QPainter* p = Painter();
    if (m_borrowed && p) {
        DeleteDC();
        p->restore();
        return;
    }
    DeleteDC();
}
