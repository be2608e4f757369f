#include "controls/HyLink.h"

#include "controls/TransparentStatic.h"
#include "model/Globals.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Font.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/ShellApi.h"

BEGIN_MESSAGE_MAP(CHyLink, CStatic)
ON_WM_MOUSEMOVE()
ON_WM_PAINT()
ON_WM_SETCURSOR()
ON_WM_KILLFOCUS()
ON_WM_CTLCOLOR_REFLECT()
ON_CONTROL_REFLECT(STN_CLICKED, &CHyLink::OnClicked)
END_MESSAGE_MAP()

CHyLink::CHyLink() = default;

bool CHyLink::IsWebAddress(const CString& text) {
    CString t = text;
    t.Trim();
    CString lower = t;
    lower.MakeLower();
    if (lower.Find(' ') >= 0 || lower.IsEmpty())
        return false;
    return lower.Left(7) == "http://" || lower.Left(8) == "https://" || lower.Left(4) == "www.";
}

void CHyLink::RepaintNow() {
    if (!m_hWnd)
        return;
    Invalidate(TRUE);
    UpdateWindow();
}

void CHyLink::OnMouseMove(UINT flags, CPoint point) {
    CStatic::OnMouseMove(flags, point);
    SetCapture();
    if (!m_bHovered) {
        m_bHovered = TRUE;
        RepaintNow();
        SetCapture();
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    if (!rc.PtInRect(point)) {
        m_bHovered = FALSE;
        ::ReleaseCapture();
    }
    RepaintNow();
}

void CHyLink::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.SetTextColor(m_bHovered ? m_clrHover : m_clrNormal);
    dc.FillSolidRect(&rc, m_clrBk);
    dc.SetBkMode(TRANSPARENT);
    // The window's font, underlined as a link.
    LOGFONT lf{};
    GetFont()->GetLogFont(&lf);
    lf.lfUnderline = 1;
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* old = dc.SelectObject(&font);
    CString text;
    GetWindowText(text);
    dc.DrawText(text, &rc, CTransparentStatic::TextFormatFromStyle(GetStyle()));
    if (old)
        dc.SelectObject(old);
}

HBRUSH CHyLink::CtlColor(CDC* dc, UINT) {
    static CBrush dialogBrush(g_clrBrushDlg);
    if (dc) {
        dc->SetTextColor(m_bHovered ? m_clrHover : m_clrNormal);
        dc->SetBkMode(TRANSPARENT);
    }
    return static_cast<HBRUSH>(dialogBrush.m_hObject);
}

BOOL CHyLink::OnSetCursor(CWnd*, UINT, UINT) {
    // The hand is always loaded here, so the retry of a failed load has nothing to do.
    if (m_hand.Handle())
        m_hand.Show();
    return TRUE;
}

void CHyLink::OnKillFocus(CWnd* newWnd) {
    CStatic::OnKillFocus(newWnd);
}

void CHyLink::OnClicked() {
    ::ReleaseCapture();
    RepaintNow();
    CString text;
    GetWindowText(text);
    OpenLink(text);
}

void CHyLink::OpenLink(const CString& text) {
    if (!IsWebAddress(text))
        return;
    ::ShellExecute(nullptr, "open", text, nullptr, nullptr, SW_SHOWMINIMIZED);
}
