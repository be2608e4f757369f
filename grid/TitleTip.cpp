#include "grid/TitleTip.h"

#include "platform/ui/ClientDC.h"
#include "platform/ui/Font.h"
#include "platform/ui/PaintDC.h"

CTitleTip::CTitleTip() = default;

CTitleTip::~CTitleTip() {
    if (m_hWnd)
        DestroyWindow();
}

BOOL CTitleTip::Create(CWnd* parent) {
    m_pParentWnd = parent;
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "ZTitleTip", "", WS_BORDER | WS_POPUP,
                    CRect(0, 0, 0, 0), nullptr, 0);
}

void CTitleTip::Show(CRect rectTitle, LPCTSTR text, int xoffset, LPRECT hover, const LOGFONT* font) {
    if (!m_hWnd || !m_pParentWnd || rectTitle.IsRectEmpty() || IsWindowVisible() || !GetFocus())
        return;
    m_rectTitle = rectTitle;
    m_rectHover = hover ? CRect(*hover) : rectTitle;
    m_pParentWnd->ClientToScreen(&m_rectHover);
    ScreenToClient(&m_rectHover);
    m_text = CString(" ") + (text ? text : "") + " ";
    m_ownFont = font != nullptr;
    if (font)
        m_font = *font;

    CClientDC dc(m_pParentWnd);
    CFont own;
    if (m_ownFont)
        own.CreateFontIndirect(&m_font);
    CFont* old = dc.SelectObject(m_ownFont ? &own : m_pParentWnd->GetFont());
    const CSize size = dc.GetTextExtent(m_text);
    dc.SelectObject(old);

    CRect tip = rectTitle;
    m_pParentWnd->ClientToScreen(&tip);
    tip.left += xoffset;
    tip.right = tip.left + size.cx + xoffset;
    // Only a text wider than its cell needs the tip.
    CRect cell = rectTitle;
    m_pParentWnd->ClientToScreen(&cell);
    if (tip.right <= cell.right - xoffset)
        return;
    SetWindowPos(&wndTop, tip.left, tip.top, tip.Width(), tip.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
    SetCapture();
}

void CTitleTip::Hide() {
    if (!m_hWnd)
        return;
    if (GetCapture() == this)
        ::ReleaseCapture();
    ShowWindow(SW_HIDE);
}

void CTitleTip::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, GetSysColor(COLOR_INFOBK));
    // The popup's own border.
    dc.Draw3dRect(&rc, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
    CFont own;
    if (m_ownFont)
        own.CreateFontIndirect(&m_font);
    CFont* old = dc.SelectObject(m_ownFont ? &own : (m_pParentWnd ? m_pParentWnd->GetFont() : nullptr));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_INFOTEXT));
    dc.TextOut(0, 1, m_text);
    dc.SelectObject(old);
}

void CTitleTip::OnCaptureChanged(CWnd* wnd) {
    // Without the capture the tip would not see the pointer leave.
    ShowWindow(SW_HIDE);
    CWnd::OnCaptureChanged(wnd);
}

void CTitleTip::OnMouseMove(UINT flags, CPoint point) {
    if (m_rectHover.PtInRect(point))
        return;
    Hide();
    if (!m_pParentWnd || !m_pParentWnd->GetSafeHwnd())
        return;
    ClientToScreen(&point);
    m_pParentWnd->ScreenToClient(&point);
    m_pParentWnd->PostMessage(WM_MOUSEMOVE, flags, MAKELPARAM(point.x, point.y));
}

BOOL CTitleTip::PreTranslateMessage(MSG* msg) {
    switch (msg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        // The press belongs to the window below.
        CPoint point(static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam)));
        ClientToScreen(&point);
        Hide();
        if (m_pParentWnd && m_pParentWnd->GetSafeHwnd()) {
            m_pParentWnd->ScreenToClient(&point);
            m_pParentWnd->PostMessage(msg->message, msg->wParam, MAKELPARAM(point.x, point.y));
        }
        return TRUE;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Hide();
        if (m_pParentWnd && m_pParentWnd->GetSafeHwnd())
            m_pParentWnd->PostMessage(msg->message, msg->wParam, msg->lParam);
        return TRUE;
    default:
        break;
    }
    if (!GetFocus()) {
        Hide();
        return TRUE;
    }
    return CWnd::PreTranslateMessage(msg);
}
