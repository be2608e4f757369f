#include "controls/MuteStatic.h"

#include "platform/ui/Font.h"
#include "platform/ui/PaintDC.h"

CMuteStatic::CMuteStatic() = default;

void CMuteStatic::PreSubclassWindow() {
    CStatic::PreSubclassWindow();
    ModifyStyle(0, SS_NOTIFY);
}

void CMuteStatic::RepaintNow() {
    if (!m_hWnd)
        return;
    Invalidate(TRUE);
    UpdateWindow();
}

void CMuteStatic::SetTextColors(COLORREF on, COLORREF off) {
    m_clrOnText = on;
    m_clrOffText = off;
    RepaintNow();
}

void CMuteStatic::SetBkColors(COLORREF on, COLORREF off) {
    m_clrOnBk = on;
    m_clrOffBk = off;
    RepaintNow();
}

void CMuteStatic::SetTexts(const CString& on, const CString& off) {
    m_strOn = on;
    m_strOff = off;
    RepaintNow();
}

void CMuteStatic::SetState(BOOL on) {
    m_bState = on;
    RepaintNow();
}

void CMuteStatic::SetFontLook(int height, int weight) {
    m_nFontHeight = height;
    m_nFontWeight = weight;
    RepaintNow();
}

void CMuteStatic::SetMode(int mode) {
    m_nMode = mode;
    m_strOn = "On";
    m_strOff = "OFF";
    RepaintNow();
}

void CMuteStatic::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.SetTextColor(m_bState ? m_clrOnText : m_clrOffText);
    dc.SetBkMode(TRANSPARENT);
    dc.FillSolidRect(&rc, m_bState ? m_clrOnBk : m_clrOffBk);
    CFont font;
    CFont* old = nullptr;
    if (font.CreateFont(m_nFontHeight, 0, 0, 0, m_nFontWeight, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Arial"))
        old = dc.SelectObject(&font);
    dc.DrawText(m_bState ? m_strOn : m_strOff, &rc, DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    if (old)
        dc.SelectObject(old);
}

BOOL CMuteStatic::OnSetCursor(CWnd*, UINT, UINT) {
    // Without the hand the arrow shows, never an empty pointer.
    return m_hand.Show();
}
