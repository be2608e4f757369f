#include "controls/XPButton.h"

#include "controls/ControlMessages.h"
#include "controls/SkinControl.h"
#include "platform/ui/Bitmap.h"

namespace {
constexpr UINT_PTR kRepeatTimer = 7;
constexpr UINT kRepeatMs = 80;
} // namespace

CXPButton::CXPButton() {
    m_font.CreateFont(15, 0, 0, 0, 700, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
}

void CXPButton::PreSubclassWindow() {
    // The style is left as the layout gives it (owner-drawn there).
    CButton::PreSubclassWindow();
}

// --- set-up ------------------------------------------------------------------------------------

void CXPButton::SetBitmaps(UINT onNormal, UINT onHover, UINT onDown, UINT offNormal, UINT offHover,
                           UINT offDown) {
    m_nOnNormal = onNormal;
    m_nOnHover = onHover;
    m_nOnDown = onDown;
    m_nOffNormal = offNormal;
    m_nOffHover = offHover;
    m_nOffDown = offDown;
    DrawButton();
}

void CXPButton::SetCheck(int on) {
    m_nOn = on;
    DrawButton();
}

void CXPButton::SetDisabledBitmaps(UINT on, UINT off) {
    m_nDisabledOn = on;
    m_nDisabledOff = off;
}

void CXPButton::SetDisabled(BOOL disabled) {
    m_bDisabled = disabled;
    DrawButton();
    EnableWindow(disabled ? FALSE : TRUE);
}

void CXPButton::SetAltBitmaps(UINT on, UINT off) {
    m_nAltOn = on;
    m_nAltOff = off;
}

void CXPButton::SetAltLook(BOOL alt) {
    if (alt == m_bAltLook)
        return;
    m_bAltLook = alt;
    DrawButton();
}

void CXPButton::SetSound(BOOL enable, LPCTSTR name) {
    m_bSound = enable;
    m_strSound = name ? name : "";
}

void CXPButton::SetNormalTextColor(COLORREF colour) {
    m_crNormal = colour;
    DrawButton();
}

void CXPButton::SetSecondTextColor(COLORREF colour) {
    m_crSecond = colour;
    DrawButton();
}

void CXPButton::SetHoverTextColor(COLORREF colour) {
    m_crHover = colour;
    DrawButton();
}

BOOL CXPButton::PlayClickSound() {
    if (!m_bSound)
        return FALSE;
    if (m_strSound.IsEmpty()) {
        ::MessageBeep(0xFFFFFFFF);
        return TRUE;
    }
    // A named sound would be the WAVE resource "IDR_WAVE1"; the resources hold none, so nothing plays.
    return FALSE;
}

// --- drawing -----------------------------------------------------------------------------------

UINT CXPButton::LookBitmap() const {
    if (m_bDisabled)
        return m_nOn ? m_nDisabledOn : m_nDisabledOff;
    if (m_bAltLook)
        return m_nOn ? m_nAltOn : m_nAltOff;
    if (!m_bHover)
        return m_nOn ? m_nOnNormal : m_nOffNormal;
    if (!m_bPressed)
        return m_nOn ? m_nOnHover : m_nOffHover;
    return m_nOn ? m_nOnDown : m_nOffDown;
}

void CXPButton::FitToLook() {
    if (!m_hWnd)
        return;
    skin::FitToBitmap(this, LookBitmap());
}

void CXPButton::DrawButton() {
    // Drawing happens in the paint handler: size first, then paint at once.
    if (!m_hWnd)
        return;
    FitToLook();
    Invalidate(FALSE);
    UpdateWindow();
}

void CXPButton::DrawItem(LPDRAWITEMSTRUCT dis) {
    CDC* dc = CDC::FromHandle(dis->hDC);
    PaintButton(dc);
    if (dis->itemState & ODS_FOCUS)
        skin::PaintFocusMark(dc, dis->rcItem);
}

BOOL CXPButton::OnEraseBkgnd(CDC*) {
    // With no bitmap for the state nothing is drawn: the parent stays visible.
    return TRUE;
}

void CXPButton::PaintButton(CDC* dc) {
    CRect rc;
    GetClientRect(&rc);
    skin::StretchBitmapResource(dc, LookBitmap(), rc.Width(), rc.Height());
    CString text = m_bOverride ? m_strOverride : CString();
    if (!m_bOverride)
        GetWindowText(text);
    if (!text.IsEmpty()) {
        // The text attributes are set and restored; the caption is in the bitmaps.
        CFont* oldFont = dc->SelectObject(&m_font);
        const COLORREF oldColour = dc->SetTextColor(m_bHover ? m_crHover : m_crNormal);
        const int oldMode = dc->SetBkMode(TRANSPARENT);
        dc->SetBkMode(oldMode);
        dc->SetTextColor(oldColour);
        dc->SelectObject(oldFont);
    }
    if (m_pLinkedLabel)
        skin::InvalidateParentArea(m_pLinkedLabel);
}

// --- mouse -------------------------------------------------------------------------------------

void CXPButton::OnMouseMove(UINT flags, CPoint point) {
    if (!m_bHover) {
        m_bHover = TRUE;
        FitToLook();
        Invalidate(FALSE);
        TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 1};
        ::TrackMouseEvent(&tme);
        if (m_bHoverSound)
            PlayClickSound();
        if (m_bMoveNotify)
            m_moveNotifier.Notify(this, flags, point);
    }
    CButton::OnMouseMove(flags, point);
}

void CXPButton::OnMouseLeave() {
    m_bHover = FALSE;
    FitToLook();
    Invalidate(FALSE);
}

void CXPButton::OnMouseHover(UINT, CPoint) {}

void CXPButton::OnLButtonDown(UINT flags, CPoint point) {
    m_bPressed = TRUE;
    if (m_bRepeat) {
        m_nRepeatCount = 0;
        SetTimer(kRepeatTimer, kRepeatMs);
    }
    FitToLook();
    CButton::OnLButtonDown(flags, point);
}

void CXPButton::OnLButtonUp(UINT flags, CPoint point) {
    m_bPressed = FALSE;
    if (m_bRepeat) {
        KillTimer(kRepeatTimer);
        m_nRepeatCount = 0;
    }
    FitToLook();
    CButton::OnLButtonUp(flags, point);
}

void CXPButton::OnCaptureChanged(CWnd* wnd) {
    // A press cut short stops repeating.
    m_bPressed = FALSE;
    if (m_bRepeat) {
        KillTimer(kRepeatTimer);
        m_nRepeatCount = 0;
    }
    FitToLook();
    CButton::OnCaptureChanged(wnd);
}

void CXPButton::OnTimer(UINT_PTR id) {
    if (id == kRepeatTimer) {
        ++m_nRepeatCount;
        if (CWnd* parent = GetParent())
            parent->PostMessage(WM_XP_BUTTON_REPEAT, static_cast<WPARAM>(GetDlgCtrlID()),
                                static_cast<LPARAM>(m_nRepeatCount));
    }
    CButton::OnTimer(id);
}

BOOL CXPButton::OnSetCursor(CWnd*, UINT, UINT) {
    return m_hand.Show(m_bHandCursor);
}
