#include "controls/BaseTabCtrl.h"

#include "platform/ui/Font.h"
#include "platform/ui/PaintDC.h"

CBaseTabCtrl::CBaseTabCtrl(int drawStyle) {
    SetDrawStyle(drawStyle);
}

CBaseTabCtrl::~CBaseTabCtrl() = default;

void CBaseTabCtrl::SetBkColor(COLORREF colour) {
    m_clrBk = colour;
    if (m_hWnd)
        Invalidate(TRUE);
}

BOOL CBaseTabCtrl::SetDrawStyle(int style) {
    if (style < 0 || style > 2)
        return FALSE;
    m_nDrawStyle = style;
    if (m_hWnd) {
        if (style == 0)
            ModifyStyle(TCS_OWNERDRAWFIXED, 0);
        else
            ModifyStyle(0, TCS_OWNERDRAWFIXED);
        Invalidate(TRUE);
    }
    return TRUE;
}

void CBaseTabCtrl::PreSubclassWindow() {
    CTabCtrl::PreSubclassWindow();
    if (m_nDrawStyle != 0)
        ModifyStyle(0, TCS_OWNERDRAWFIXED);
}

// The base has no look of its own: a derived class draws.
void CBaseTabCtrl::DrawItem(LPDRAWITEMSTRUCT) {}
void CBaseTabCtrl::DrawMainBorder(LPDRAWITEMSTRUCT) {}
void CBaseTabCtrl::DrawTabBorder(LPDRAWITEMSTRUCT) {}

COLORREF CBaseTabCtrl::GetTabColor(BOOL) {
    return RGB(255, 0, 0);
}

COLORREF CBaseTabCtrl::GetTabTextColor(BOOL) {
    return GetSysColor(COLOR_WINDOWTEXT);
}

BOOL CBaseTabCtrl::OnEraseBkgnd(CDC* dc) {
    CTabCtrl::OnEraseBkgnd(dc);
    if (!dc)
        return TRUE;
    CRect client;
    GetClientRect(&client);
    CRect band(0, 0, 0, 0);
    for (int i = 0; i < GetItemCount(); ++i) {
        CRect tab;
        GetItemRect(i, &tab);
        band.UnionRect(band, tab);
    }
    const int h = band.Height();
    band.InflateRect(2, 3);
    const COLORREF colour = m_clrBk == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_BTNFACE) : m_clrBk;
    dc->SetBkColor(colour);
    const CRect strips[] = {
        CRect(client.left, client.top, client.right, band.top + 3),
        CRect(client.left, client.top, 2, client.top + h + 2),
        CRect(client.left + band.Width() - 2, client.top, client.right, client.top + h + 2),
    };
    for (const CRect& r : strips)
        dc->ExtTextOut(0, 0, ETO_OPAQUE | ETO_CLIPPED, &r, CString());
    return TRUE;
}

void CBaseTabCtrl::OnPaint() {
    if (m_nDrawStyle != 2) {
        CTabCtrl::OnPaint();
        return;
    }
    CPaintDC dc(this);
    dc.SelectObject(GetFont());
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_TAB;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
    dis.hwndItem = m_hWnd;
    dis.hDC = dc.GetSafeHdc();
    dis.itemAction = ODA_DRAWENTIRE;
    CRect client, page;
    GetClientRect(&client);
    page = client;
    AdjustRect(FALSE, &page);
    CRect border = client;
    border.top = page.top - 2;
    dis.rcItem = border;
    DrawMainBorder(&dis);
    const int count = GetItemCount();
    if (count == 0)
        return;
    const int selected = GetCurSel();
    for (int i = count - 1; i >= 0; --i) {
        if (i == selected)
            continue;
        CRect tab;
        GetItemRect(i, &tab);
        tab.bottom -= 2;
        dis.itemID = static_cast<UINT>(i);
        dis.itemState = 0;
        dis.rcItem = tab;
        DrawItem(&dis);
        DrawTabBorder(&dis);
    }
    if (selected >= 0 && selected < count) {
        CRect tab;
        GetItemRect(selected, &tab);
        tab.top -= 2;
        tab.bottom += 2;
        dis.itemID = static_cast<UINT>(selected);
        dis.itemState = ODS_SELECTED;
        dis.rcItem = tab;
        DrawItem(&dis);
        DrawTabBorder(&dis);
    }
}

void CBaseTabCtrl::OnMouseMove(UINT flags, CPoint point) {
    for (int i = GetItemCount() - 1; i >= 0; --i) {
        CRect tab;
        GetItemRect(i, &tab);
        if (tab.PtInRect(point)) {
            // The selected tab and tab 3 cannot be chosen.
            m_bHandWanted = (i != GetCurSel() && i != 3) ? TRUE : FALSE;
            return;
        }
        m_bHandWanted = FALSE;
    }
    CTabCtrl::OnMouseMove(flags, point);
}

BOOL CBaseTabCtrl::OnSetCursor(CWnd*, UINT, UINT) {
    const BOOL hand = m_bHandWanted;
    m_bHandWanted = FALSE;
    return m_hand.Show(hand);
}
