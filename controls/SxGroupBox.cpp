#include "controls/SxGroupBox.h"

#include "controls/SxLogFont.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/Pen.h"

CSxGroupBox::CSxGroupBox()
    : m_clrFrame1(GetSysColor(COLOR_BTNSHADOW)), m_clrFrame2(GetSysColor(COLOR_BTNHIGHLIGHT)),
      m_clrDisabled1(GetSysColor(COLOR_BTNSHADOW)), m_clrDisabled2(GetSysColor(COLOR_BTNHIGHLIGHT)),
      m_pFont(std::make_unique<CFont>()), m_brushFill(RGB(167, 198, 239)) {
    const CSxLogFont lf(100, FW_BOLD, 0, "Arial");
    m_pFont->CreatePointFontIndirect(&lf);
}

CSxGroupBox::~CSxGroupBox() = default;

void CSxGroupBox::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    GetWindowText(m_strCaption);
    const DWORD style = GetStyle();
    switch (style & 0x300) {
    case BS_RIGHT:
        m_nAlignment = BS_RIGHT;
        break;
    case BS_CENTER:
        m_nAlignment = BS_CENTER;
        break;
    default:
        m_nAlignment = BS_LEFT;
        break;
    }
    GetWindowRect(&m_rcFrame);
    ScreenToClient(&m_rcFrame);
    const DWORD ex = GetExStyle();
    if (ex & WS_EX_DLGMODALFRAME) {
        m_rcFrame.DeflateRect(2 * GetSystemMetrics(SM_CXEDGE), 2 * GetSystemMetrics(SM_CYEDGE));
        m_rcFrame.left -= 1;
    }
    if (ex & WS_EX_CLIENTEDGE) {
        m_rcFrame.DeflateRect(GetSystemMetrics(SM_CXEDGE) + 1, GetSystemMetrics(SM_CYEDGE) + 1);
        m_rcFrame.left -= 1;
        if (ex & WS_EX_DLGMODALFRAME)
            m_rcFrame.right += 1;
    }
    if (ex & WS_EX_STATICEDGE) {
        m_rcFrame.DeflateRect(2 * GetSystemMetrics(SM_CXBORDER), 2 * GetSystemMetrics(SM_CYBORDER));
        m_rcFrame.left -= 1;
    }
    m_nFrameKind = (style & BS_FLAT) ? 0 : 1;
    m_bCaptionHidden = (ex & 0x40) || (ex & 0x80) ? 1 : 0;
}

void CSxGroupBox::CaptionGap(int w, int& x1, int& x2) const {
    switch (m_nAlignment) {
    case BS_RIGHT:
        x2 = m_rcFrame.right - m_nMargin;
        x1 = x2 - w;
        break;
    case BS_CENTER:
        x1 = (m_rcFrame.Width() - w) / 2;
        x2 = x1 + w;
        break;
    default:
        x1 = m_rcFrame.left + m_nMargin;
        x2 = x1 + w;
        break;
    }
}

BOOL CSxGroupBox::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CSxGroupBox::OnPaint() {
    // Painting happens here only: nothing in it asks the parent to repaint.
    CPaintDC dc(this);
    const int saved = dc.SaveDC();
    const CString text = m_strCaption;
    const int h0 = dc.GetTextExtent(text.IsEmpty() ? CString(" ") : text).cy;
    CFont* oldFont = dc.SelectObject(m_pFont.get());
    const int w = text.IsEmpty() ? 0 : dc.GetTextExtent(text).cx;
    dc.FillRect(&m_rcFrame, &m_brushFill);

    const int y = m_rcFrame.top + h0 / 2 - 1;
    int x1 = 0, x2 = 0;
    CaptionGap(w, x1, x2);
    const bool enabled = IsWindowEnabled() != FALSE;
    const int d = m_nLineWidth;
    LOGBRUSH lb1{BS_SOLID, enabled ? m_clrFrame1 : m_clrDisabled1, 0};
    LOGBRUSH lb2{BS_SOLID, enabled ? m_clrFrame2 : m_clrDisabled2, 0};
    CPen pen1(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE, d, &lb1);
    CPen pen2(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE, d, &lb2);
    const int L = m_rcFrame.left, T = m_rcFrame.top, R = m_rcFrame.right, B = m_rcFrame.bottom;
    (void)T;
    CPen* oldPen = dc.SelectObject(&pen1);
    if (m_nFrameKind == kFrameFlat || m_nFrameKind == kFrameDouble) {
        const POINT outer[] = {{x1, y}, {L, y}, {L, B}, {R, B}, {R, y}, {x2, y}};
        dc.Polyline(outer, 6);
        if (m_nFrameKind == kFrameDouble) {
            dc.SelectObject(&pen2);
            const POINT second[] = {{x1, y - d},    {L - d, y - d}, {L - d, B + d},
                                    {R + d, B + d}, {R + d, y - d}, {x2, y - d}};
            dc.Polyline(second, 6);
        }
    } else {
        const POINT dark[] = {{x1, y}, {L, y}, {L, B - d}, {R - d, B - d}, {R - d, y}, {x2, y}};
        dc.Polyline(dark, 6);
        dc.SelectObject(&pen2);
        const POINT lightLeft[] = {{x1, y + d}, {L + d, y + d}, {L + d, B - 2 * d}};
        dc.Polyline(lightLeft, 3);
        const POINT lightBottom[] = {{L + d, B}, {R, B}, {R, y + d}};
        dc.Polyline(lightBottom, 3);
        const POINT lightTop[] = {{R - 2 * d, y + d}, {x2, y + d}};
        dc.Polyline(lightTop, 2);
    }

    const COLORREF oldText = dc.SetTextColor(m_clrText);
    dc.SetBkMode(TRANSPARENT);
    if (!text.IsEmpty() && !m_bCaptionHidden && enabled) {
        CRect caption(x1, y - m_nOffset, x2, y);
        dc.DrawText(text, &caption, DT_NOCLIP | DT_SINGLELINE | DT_VCENTER);
    }
    dc.SelectObject(oldFont);
    dc.SetTextColor(oldText);
    dc.SelectObject(oldPen);
    dc.RestoreDC(saved);
}

void CSxGroupBox::SetText(const CString& caption, BOOL redraw) {
    m_strCaption = caption;
    if (m_hWnd) {
        CWnd::SetWindowText(caption);
        if (redraw) {
            Invalidate(TRUE);
            UpdateWindow();
        }
    }
}

void CSxGroupBox::SetColors(COLORREF colour1, COLORREF colour2, BOOL redraw) {
    m_clrFrame1 = colour1 ? colour1 : m_clrDisabled1;
    m_clrFrame2 = colour2 ? colour2 : m_clrDisabled2;
    if (redraw && m_hWnd)
        Invalidate(FALSE);
}

void CSxGroupBox::GetColors(COLORREF& colour1, COLORREF& colour2) const {
    colour1 = m_clrFrame1;
    colour2 = m_clrFrame2;
}

void CSxGroupBox::SetTextColor(COLORREF colour, BOOL redraw) {
    m_clrText = colour;
    if (redraw && m_hWnd)
        Invalidate(TRUE);
}

void CSxGroupBox::SetFont(const LOGFONT* logFont) {
    const CSxLogFont fallback(80, FW_NORMAL, 0, "MS Sans Serif");
    m_pFont = std::make_unique<CFont>();
    m_pFont->CreatePointFontIndirect(logFont ? logFont : &fallback);
}

void CSxGroupBox::SetAlignment(int alignment) {
    m_nAlignment = (alignment == BS_LEFT || alignment == BS_RIGHT || alignment == BS_CENTER)
                       ? alignment
                       : static_cast<int>(BS_LEFT);
}

void CSxGroupBox::SetMargins(int margin, int offset) {
    m_nMargin = margin;
    m_nOffset = offset;
}

void CSxGroupBox::SetFrameKind(int kind) {
    m_nFrameKind = (kind == kFrameEtched || kind == kFrameDouble || kind == kFrameFlat) ? kind : kFrameEtched;
}

void CSxGroupBox::Refresh() {
    PreSubclassWindow();
    if (m_hWnd) {
        Invalidate(TRUE);
        UpdateWindow();
    }
}
