#include "controls/xSkinButton.h"

#include "controls/ControlMessages.h"
#include "controls/SkinControl.h"

namespace {
constexpr UINT_PTR kHoldTimer = 6;
constexpr UINT kHoldMs = 200;
constexpr COLORREF kMaskWhite = RGB(255, 255, 255);
} // namespace

BEGIN_MESSAGE_MAP(CxSkinButton, CButton)
ON_MESSAGE(WM_SKIN_RADIO_CLEAR, &CxSkinButton::OnRadioClear)
ON_MESSAGE(BM_SETCHECK, &CxSkinButton::OnBmSetCheck)
ON_MESSAGE(BM_GETCHECK, &CxSkinButton::OnBmGetCheck)
END_MESSAGE_MAP()

CxSkinButton::CxSkinButton() {
    m_font.CreateFont(18, 0, 0, 0, 500, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
}

void CxSkinButton::PreSubclassWindow() {
    m_nKind = skin::ButtonKind(GetStyle());
    CButton::PreSubclassWindow();
    ModifyStyle(0, BS_OWNERDRAW);
}

// --- set-up ------------------------------------------------------------------------------------

void CxSkinButton::SetSkin(UINT normal, UINT down, UINT over, UINT disabled, UINT focus, UINT mask,
                           short drawMode, int border, short focusMargin) {
    for (CBitmap* b : {&m_bNormal, &m_bDown, &m_bDisabled, &m_bMask, &m_bOver, &m_bFocus})
        b->DeleteObject();
    if (normal)
        m_bNormal.LoadBitmap(normal);
    if (down)
        m_bDown.LoadBitmap(down);
    if (over)
        m_bOver.LoadBitmap(over);
    if (focus)
        m_bFocus.LoadBitmap(focus);
    if (disabled)
        m_bDisabled.LoadBitmap(disabled);
    else if (normal)
        m_bDisabled.LoadBitmap(normal);
    m_nDrawMode = drawMode < 0 ? 0 : (drawMode > 1 ? 2 : drawMode);
    m_bBorder = border;
    m_nFocusRectMargin = focusMargin < 0 ? 0 : focusMargin;
    if (mask && m_bMask.LoadBitmap(mask)) {
        HRGN region = CreateRgnFromBitmap(&m_bMask, kMaskWhite);
        if (m_hWnd) {
            SetWindowRgn(region, TRUE);
            m_bRegion = true;
            if (m_nDrawMode == 0) {
                BITMAP bm{};
                m_bMask.GetBitmap(&bm);
                SetWindowPos(nullptr, 0, 0, bm.bmWidth, bm.bmHeight, SWP_NOMOVE | SWP_NOZORDER);
            }
        } else if (region) {
            ::DeleteObject(region);
        }
    }
    if (CWnd* parent = GetParent())
        parent->Invalidate(TRUE);
}

COLORREF CxSkinButton::SetTextColor(COLORREF colour) {
    const COLORREF old = m_crText;
    m_crText = colour;
    return old;
}

void CxSkinButton::SetToolTipText(LPCTSTR text) {
    if (!text || !m_hWnd)
        return;
    if (!m_tooltip.GetSafeHwnd()) {
        m_tooltip.Create(this);
        m_tooltip.AddTool(this, text);
    } else {
        m_tooltip.UpdateTipText(text, this);
    }
    m_tooltip.Activate(TRUE);
}

void CxSkinButton::SetToolTipColor(COLORREF text, COLORREF back) {
    if (!m_tooltip.GetSafeHwnd())
        return;
    m_tooltip.SetTipTextColor(text);
    m_tooltip.SetTipBkColor(back);
}

CString CxSkinButton::ToolTipText() const {
    CString text;
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.GetText(text, const_cast<CxSkinButton*>(this));
    return text;
}

void CxSkinButton::RelayToTip(UINT message, UINT flags, CPoint point) {
    if (!m_tooltip.GetSafeHwnd())
        return;
    MSG msg{m_hWnd, message, flags, MakePointLParam(point.x, point.y), 0};
    m_tooltip.RelayEvent(&msg);
}

void CxSkinButton::EnableHoldTimer(int value) {
    m_bHold = 1;
    m_nHoldValue = value;
}

void CxSkinButton::ClearState() {
    m_bChecked = false;
    m_bButtonDown = false;
    Invalidate(TRUE);
}

void CxSkinButton::ReleasePress() {
    if (GetCapture() == this)
        ::ReleaseCapture();
    m_bButtonDown = false;
    Invalidate(TRUE);
}

HRGN CxSkinButton::CreateRgnFromBitmap(CBitmap* bitmap, COLORREF transparent) {
    BITMAP bm{};
    if (!bitmap || !bitmap->GetSafeHandle() || !bitmap->GetBitmap(&bm))
        return nullptr;
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(bitmap);
    for (int y = bm.bmHeight - 1; y >= 0; --y) {
        int x = 0;
        while (x < bm.bmWidth) {
            while (x < bm.bmWidth && dc.GetPixel(x, y) == transparent)
                ++x;
            const int start = x;
            while (x < bm.bmWidth && dc.GetPixel(x, y) != transparent)
                ++x;
            if (x > start) {
                HRGN run = ::CreateRectRgn(start, y, x, y + 1);
                ::CombineRgn(region, region, run, RGN_OR);
                ::DeleteObject(run);
            }
        }
    }
    dc.SelectObject(old);
    return region;
}

// --- drawing -----------------------------------------------------------------------------------

BOOL CxSkinButton::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CxSkinButton::FillFace(CDC* dc, const CRect& rc) {
    dc->FillSolidRect(&rc, ::GetSysColor(COLOR_BTNFACE));
}

void CxSkinButton::DrawBitmap(CDC* dc, CBitmap* bitmap, const CRect& rc, int mode) {
    BITMAP bm{};
    bitmap->GetBitmap(&bm);
    const int w = bm.bmWidth, h = bm.bmHeight;
    CDC memDC;
    memDC.CreateCompatibleDC(dc);
    CBitmap* old = memDC.SelectObject(bitmap);
    if (mode == 2) {
        // Tiles from the top-left corner; the last row and column are clipped.
        for (int y = rc.top; y < rc.bottom; y += h)
            for (int x = rc.left; x < rc.right; x += w)
                dc->BitBlt(x, y, std::min(w, static_cast<int>(rc.right - x)),
                           std::min(h, static_cast<int>(rc.bottom - y)), &memDC, 0, 0, SRCCOPY);
    } else if (m_bMask.GetSafeHandle()) {
        // XOR, AND with the mask, XOR again: mask white keeps the background, black shows the image.
        const int dw = mode == 1 ? rc.Width() : w, dh = mode == 1 ? rc.Height() : h;
        CDC maskDC, scratchDC;
        maskDC.CreateCompatibleDC(dc);
        scratchDC.CreateCompatibleDC(dc);
        CBitmap scratch;
        scratch.CreateCompatibleBitmap(dc, rc.Width(), rc.Height());
        CBitmap* oldScratch = scratchDC.SelectObject(&scratch);
        CBitmap* oldMask = maskDC.SelectObject(&m_bMask);
        BITMAP mb{};
        m_bMask.GetBitmap(&mb);
        scratchDC.FillSolidRect(0, 0, rc.Width(), rc.Height(), ::GetSysColor(COLOR_BTNFACE));
        scratchDC.StretchBlt(0, 0, dw, dh, &memDC, 0, 0, w, h, SRCINVERT);
        scratchDC.StretchBlt(0, 0, dw, dh, &maskDC, 0, 0, mb.bmWidth, mb.bmHeight, SRCAND);
        scratchDC.StretchBlt(0, 0, dw, dh, &memDC, 0, 0, w, h, SRCINVERT);
        dc->BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &scratchDC, 0, 0, SRCCOPY);
        maskDC.SelectObject(oldMask);
        scratchDC.SelectObject(oldScratch);
    } else if (mode == 1) {
        dc->StretchBlt(rc.left, rc.top, rc.Width(), rc.Height(), &memDC, 0, 0, w, h, SRCCOPY);
    } else {
        dc->BitBlt(rc.left, rc.top, w, h, &memDC, 0, 0, SRCCOPY);
    }
    memDC.SelectObject(old);
}

BOOL CxSkinButton::CursorOverButton() const {
    CPoint p;
    ::GetCursorPos(&p);
    ScreenToClient(&p);
    CRect rc;
    GetClientRect(&rc);
    return rc.PtInRect(p);
}

void CxSkinButton::DrawItem(LPDRAWITEMSTRUCT dis) {
    if (m_bButtonDown && GetCapture() == this) {
        const BOOL pushed = (GetState() & BST_PUSHED) != 0;
        const BOOL over = CursorOverButton();
        if (over && !pushed) {
            SetState(TRUE);
            return;
        }
        if (!over && pushed) {
            SetState(FALSE);
            return;
        }
    }
    CDC* dc = CDC::FromHandle(dis->hDC);
    CRect rc = dis->rcItem;
    CRect textRc = rc;
    textRc.DeflateRect(m_nFocusRectMargin + 2, 0);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    CString text;
    GetWindowText(text);
    const UINT state = dis->itemState;
    if (state & ODS_DISABLED) {
        if (m_bDisabled.GetSafeHandle())
            DrawBitmap(dc, &m_bDisabled, rc, m_nDrawMode);
        else
            FillFace(dc, rc);
        if (m_bBorder)
            dc->DrawEdge(&rc, EDGE_RAISED, BF_RECT);
        // Embossed: highlight first, then grey text one pixel up and left of it.
        CFont* oldFont = dc->SelectObject(&m_font);
        if (m_bChecked)
            textRc.OffsetRect(1, 1);
        const COLORREF oldColour = dc->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        dc->DrawText(text, &textRc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        textRc.OffsetRect(-1, -1);
        dc->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
        dc->DrawText(text, &textRc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        dc->SetTextColor(oldColour);
        dc->SelectObject(oldFont);
        dc->SetBkMode(oldMode);
        return;
    }
    if ((state & ODS_SELECTED) || m_bChecked) {
        if (m_bDown.GetSafeHandle())
            DrawBitmap(dc, &m_bDown, rc, m_nDrawMode);
        else
            FillFace(dc, rc);
        textRc.OffsetRect(1, 1);
        if (m_bBorder)
            dc->DrawEdge(&rc, EDGE_SUNKEN, BF_RECT);
    } else {
        if (!m_bNormal.GetSafeHandle())
            FillFace(dc, rc);
        else if (m_bHover && m_bOver.GetSafeHandle())
            DrawBitmap(dc, &m_bOver, rc, m_nDrawMode);
        else if ((state & ODS_FOCUS) && m_bFocus.GetSafeHandle())
            DrawBitmap(dc, &m_bFocus, rc, m_nDrawMode);
        else
            DrawBitmap(dc, &m_bNormal, rc, m_nDrawMode);
        if (m_bBorder)
            dc->DrawEdge(&rc, EDGE_RAISED, BF_RECT);
    }
    if (state & ODS_FOCUS) {
        CRect focus = rc;
        focus.DeflateRect(m_nFocusRectMargin, m_nFocusRectMargin);
        skin::PaintFocusMark(dc, focus);
    }
    CFont* oldFont = dc->SelectObject(&m_font);
    const COLORREF oldColour = dc->SetTextColor((m_bHover || m_bButtonDown) ? m_crOver : m_crText);
    dc->DrawText(text, &textRc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc->SetTextColor(oldColour);
    dc->SelectObject(oldFont);
    dc->SetBkMode(oldMode);
}

// --- mouse and keys ----------------------------------------------------------------------------

void CxSkinButton::OnLButtonDown(UINT flags, CPoint point) {
    RelayToTip(WM_LBUTTONDOWN, flags, point);
    SetCapture();
    if (m_bHover) {
        TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_CANCEL | TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&tme);
        m_bHover = false;
    }
    m_bButtonDown = true;
    if (m_bHold)
        SetTimer(kHoldTimer, kHoldMs);
    CButton::OnLButtonDown(flags, point);
}

void CxSkinButton::OnLButtonDblClk(UINT flags, CPoint point) {
    RelayToTip(WM_LBUTTONDBLCLK, flags, point);
    SendMessage(WM_LBUTTONDOWN, flags, MakePointLParam(point.x, point.y));
}

void CxSkinButton::OnMouseMove(UINT flags, CPoint point) {
    RelayToTip(WM_MOUSEMOVE, flags, point);
    if (m_bButtonDown && GetCapture() == this) {
        CRect rc;
        GetClientRect(&rc);
        const BOOL over = rc.PtInRect(point);
        const BOOL pushed = (GetState() & BST_PUSHED) != 0;
        if (over != pushed) {
            SetState(over);
            Invalidate();
        }
    } else if (!m_bHover) {
        TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
        if (::TrackMouseEvent(&tme)) {
            m_bHover = true;
            Invalidate();
        }
    }
    CButton::OnMouseMove(flags, point);
}

void CxSkinButton::OnMouseLeave() {
    m_bHover = false;
    Invalidate();
}

void CxSkinButton::OnLButtonUp(UINT flags, CPoint point) {
    RelayToTip(WM_LBUTTONUP, flags, point);
    if (m_nKind == 4) {
        CRect rc;
        GetClientRect(&rc);
        if (rc.PtInRect(point))
            SendMessage(BM_SETCHECK, 1, 0);
    }
    m_bButtonDown = false;
    Invalidate();
    if (m_bHold)
        KillTimer(kHoldTimer);
    CButton::OnLButtonUp(flags, point);
}

void CxSkinButton::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
    if (ch == VK_SPACE) {
        if (m_nKind == 2)
            SendMessage(BM_SETCHECK, m_bChecked ? 0 : 1, 0);
        else if (m_nKind == 4)
            SendMessage(BM_SETCHECK, 1, 0);
    }
    CButton::OnKeyDown(ch, repeat, flags);
}

void CxSkinButton::OnKillFocus(CWnd* newWnd) {
    if (GetCapture() == this) {
        ::ReleaseCapture();
        m_bButtonDown = false;
    }
    CButton::OnKillFocus(newWnd);
}

void CxSkinButton::OnCaptureChanged(CWnd* wnd) {
    // A press cut short stops holding.
    m_bButtonDown = false;
    if (m_bHold)
        KillTimer(kHoldTimer);
    Invalidate();
    CButton::OnCaptureChanged(wnd);
}

void CxSkinButton::OnTimer(UINT_PTR id) {
    if (id == kHoldTimer)
        if (CWnd* parent = GetParent())
            parent->PostMessage(WM_SKIN_BUTTON_HOLD, static_cast<WPARAM>(GetDlgCtrlID()),
                                static_cast<LPARAM>(m_nHoldValue));
    CButton::OnTimer(id);
}

BOOL CxSkinButton::OnSetCursor(CWnd*, UINT, UINT) {
    return m_hand.Show();
}

// --- check state -------------------------------------------------------------------------------

LRESULT CxSkinButton::OnBmSetCheck(WPARAM wParam, LPARAM) {
    m_bChecked = wParam != 0;
    if (m_nKind == 0)
        m_bChecked = false;
    if (m_nKind == 4 && m_bChecked) {
        // Every other control of the group is told, whatever its class.
        if (CWnd* parent = GetParent()) {
            for (CWnd* w = parent->GetNextDlgGroupItem(this); w && w != this;
                 w = parent->GetNextDlgGroupItem(w))
                w->PostMessage(WM_SKIN_RADIO_CLEAR, 0, 0);
        }
    }
    Invalidate();
    return 0;
}

LRESULT CxSkinButton::OnBmGetCheck(WPARAM, LPARAM) {
    return m_bChecked ? 1 : 0;
}

LRESULT CxSkinButton::OnRadioClear(WPARAM, LPARAM) {
    if (m_bChecked) {
        m_bChecked = false;
        Invalidate();
    }
    return 0;
}
