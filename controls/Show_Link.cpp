#include "controls/Show_Link.h"

#include "controls/SkinControl.h"
#include "platform/ui/Font.h"

namespace {
constexpr UINT_PTR kBlinkTimer = 1000;
constexpr UINT kBlinkMs = 1001;
constexpr int kRightInset = 19;
} // namespace

void CShow_Link::PreSubclassWindow() {
    m_nKind = skin::ButtonKind(GetStyle());
    if (m_nKind == 0)
        ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

void CShow_Link::StartBlink() {
    m_bBlink = TRUE;
    m_nPhase = 0;
    SetTimer(kBlinkTimer, kBlinkMs);
}

void CShow_Link::StopBlink() {
    m_bBlink = FALSE;
    m_nPhase = 0;
    KillTimer(kBlinkTimer);
    DrawNow();
}

COLORREF CShow_Link::CurrentTextColor() const {
    if (!m_bBlink)
        return m_crText;
    return m_nPhase == 1 ? m_crBlink2 : m_crBlink1;
}

void CShow_Link::DrawNow() {
    // Painting happens in the paint handler only: invalidate and paint at once.
    if (!m_hWnd)
        return;
    Invalidate(FALSE);
    UpdateWindow();
}

void CShow_Link::OnTimer(UINT_PTR id) {
    if (id == kBlinkTimer) {
        m_nPhase = m_nPhase ? 0 : 1;
        DrawNow();
    }
    CButton::OnTimer(id);
}

void CShow_Link::DrawItem(LPDRAWITEMSTRUCT dis) {
    m_pDrawItem = dis;
    if (m_nKind == 0)
        DrawIndicator(CDC::FromHandle(dis->hDC));
    else if (m_nKind == 2)
        CButton::DrawItem(dis);
    m_pDrawItem = nullptr;
}

void CShow_Link::DrawIndicator(CDC* dc) {
    CRect rc;
    GetClientRect(&rc);
    dc->FillSolidRect(&rc, m_crBack);
    const COLORREF oldColour = dc->SetTextColor(CurrentTextColor());
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    CFont* oldFont = m_pFont ? dc->SelectObject(m_pFont) : nullptr;
    CString text;
    GetWindowText(text);
    rc.right -= kRightInset;
    dc->DrawText(text, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (oldFont)
        dc->SelectObject(oldFont);
    dc->SetBkMode(oldMode);
    dc->SetTextColor(oldColour);
}
