#include "grid/GridDropTarget.h"

#include "grid/GridCtrl.h"

CGridDropTarget::~CGridDropTarget() {
    Revoke();
}

BOOL CGridDropTarget::Register(CGridCtrl* grid) {
    if (m_bRegistered || !grid)
        return FALSE;
    m_pGridCtrl = grid;
    m_bRegistered = COleDropTarget::Register(grid);
    return m_bRegistered;
}

void CGridDropTarget::Revoke() {
    m_bRegistered = FALSE;
    COleDropTarget::Revoke();
}

bool CGridDropTarget::IsGrid(const CWnd* wnd) const {
    return m_pGridCtrl && wnd == m_pGridCtrl;
}

DROPEFFECT CGridDropTarget::OnDragEnter(CWnd* wnd, const CString* text, DWORD keyState, CPoint point) {
    return IsGrid(wnd) ? m_pGridCtrl->OnDragEnter(text, keyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT CGridDropTarget::OnDragOver(CWnd* wnd, const CString* text, DWORD keyState, CPoint point) {
    return IsGrid(wnd) ? m_pGridCtrl->OnDragOver(text, keyState, point) : DROPEFFECT_NONE;
}

BOOL CGridDropTarget::OnDrop(CWnd* wnd, const CString* text, DROPEFFECT effect, CPoint point) {
    return IsGrid(wnd) ? m_pGridCtrl->OnDrop(text, effect, point) : FALSE;
}

void CGridDropTarget::OnDragLeave(CWnd* wnd) {
    if (IsGrid(wnd))
        m_pGridCtrl->OnDragLeave();
}

DROPEFFECT CGridDropTarget::OnDragScroll(CWnd* wnd, DWORD keyState, CPoint) {
    if (!IsGrid(wnd))
        return DROPEFFECT_NONE;
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
