#include "platform/ui/TabCtrl.h"

#include "platform/ui/Brush.h"
#include "platform/ui/Font.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/Pen.h"

#include <algorithm>
#include <utility>

#include <cstring>

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

namespace {
constexpr int kBorder = 2;  // the control's own border
constexpr int kPadding = 2; // between the border and the page area
} // namespace

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("SysTabControl32", "", style, rect, parent, id);
}

LONG CTabCtrl::InsertItem(int index, LPCTSTR text) {
    return InsertItem(index, text, -1);
}

LONG CTabCtrl::InsertItem(int index, LPCTSTR text, int image) {
    TCITEM item{TCIF_TEXT | TCIF_IMAGE, 0, 0, const_cast<LPSTR>(text ? text : ""), 0, image, 0};
    return InsertItem(index, &item);
}

LONG CTabCtrl::InsertItem(int index, TCITEM* item) {
    return static_cast<LONG>(
        SendMessage(TCM_INSERTITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}

BOOL CTabCtrl::GetItem(int index, TCITEM* item) const {
    return static_cast<BOOL>(const_cast<CTabCtrl*>(this)->SendMessage(TCM_GETITEM, static_cast<WPARAM>(index),
                                                                      reinterpret_cast<LPARAM>(item)));
}

BOOL CTabCtrl::SetItem(int index, TCITEM* item) {
    return static_cast<BOOL>(
        SendMessage(TCM_SETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}

BOOL CTabCtrl::DeleteItem(int index) {
    return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(index)));
}

BOOL CTabCtrl::DeleteAllItems() {
    return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS));
}

int CTabCtrl::GetItemCount() const {
    return static_cast<int>(const_cast<CTabCtrl*>(this)->SendMessage(TCM_GETITEMCOUNT));
}

BOOL CTabCtrl::GetItemRect(int index, LPRECT rect) const {
    return static_cast<BOOL>(const_cast<CTabCtrl*>(this)->SendMessage(
        TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}

int CTabCtrl::GetCurSel() const {
    return static_cast<int>(const_cast<CTabCtrl*>(this)->SendMessage(TCM_GETCURSEL));
}

int CTabCtrl::SetCurSel(int index) {
    return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index)));
}

int CTabCtrl::HitTest(TCHITTESTINFO* info) const {
    return static_cast<int>(
        const_cast<CTabCtrl*>(this)->SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
}

void CTabCtrl::AdjustRect(BOOL larger, LPRECT rect) {
    SendMessage(TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(rect));
}

CSize CTabCtrl::SetItemSize(CSize size) {
    const auto r = static_cast<DWORD>(
        SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(static_cast<WORD>(size.cx), static_cast<WORD>(size.cy))));
    return CSize(LOWORD(r), HIWORD(r));
}

void CTabCtrl::SetPadding(CSize size) {
    SendMessage(TCM_SETPADDING, 0, MAKELPARAM(static_cast<WORD>(size.cx), static_cast<WORD>(size.cy)));
}

int CTabCtrl::GetRowCount() const {
    return static_cast<int>(const_cast<CTabCtrl*>(this)->SendMessage(TCM_GETROWCOUNT));
}

CImageList* CTabCtrl::SetImageList(CImageList* list) {
    return reinterpret_cast<CImageList*>(SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list)));
}

CImageList* CTabCtrl::GetImageList() const {
    return reinterpret_cast<CImageList*>(const_cast<CTabCtrl*>(this)->SendMessage(TCM_GETIMAGELIST));
}

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (result)
            *result = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}

int CTabCtrl::TabHeight() const {
    if (m_itemSize.cy > 0)
        return m_itemSize.cy;
    TEXTMETRIC tm{};
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(GetFont());
    dc.GetTextMetrics(&tm);
    return tm.tmHeight + 2 * m_padding.cy + 1;
}

int CTabCtrl::TabWidth(int index) const {
    const DWORD style = GetStyle();
    if (m_itemSize.cx > 0 && (style & (TCS_FIXEDWIDTH | TCS_OWNERDRAWFIXED)))
        return m_itemSize.cx;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(GetFont());
    int w = dc.GetTextExtent(m_items[static_cast<size_t>(index)].text).cx + 2 * m_padding.cx;
    if (m_images && m_items[static_cast<size_t>(index)].image >= 0)
        w += m_images->GetWidth() + 3;
    return std::max(w, m_itemSize.cx);
}

CRect CTabCtrl::ItemRect(int index) const {
    int x = kBorder;
    for (int i = 0; i < index; ++i)
        x += TabWidth(i);
    return CRect(x, kBorder, x + TabWidth(index), kBorder + TabHeight());
}

LRESULT CTabCtrl::Notify(UINT code) {
    NMHDR hdr{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), code};
    CWnd* parent = GetParent();
    return parent ? parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                                        reinterpret_cast<LPARAM>(&hdr))
                  : 0;
}

LRESULT CTabCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const int count = static_cast<int>(m_items.size());
    auto valid = [count](WPARAM i) { return static_cast<int>(i) >= 0 && static_cast<int>(i) < count; };
    switch (message) {
    case TCM_INSERTITEM: {
        auto* item = reinterpret_cast<TCITEM*>(lParam);
        if (!item || static_cast<int>(wParam) < 0)
            return -1;
        const int at = std::min(static_cast<int>(wParam), count);
        Item it;
        if (item->mask & TCIF_TEXT)
            it.text = item->pszText ? item->pszText : "";
        if (item->mask & TCIF_IMAGE)
            it.image = item->iImage;
        if (item->mask & TCIF_PARAM)
            it.param = item->lParam;
        m_items.insert(m_items.begin() + at, it);
        if (m_cur >= at)
            ++m_cur;
        if (m_cur < 0)
            m_cur = 0;
        Invalidate();
        return at;
    }
    case TCM_GETITEM: {
        auto* item = reinterpret_cast<TCITEM*>(lParam);
        if (!item || !valid(wParam))
            return FALSE;
        const Item& it = m_items[wParam];
        if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0) {
            const size_t n = std::min<size_t>(static_cast<size_t>(item->cchTextMax - 1),
                                              static_cast<size_t>(it.text.GetLength()));
            std::memcpy(item->pszText, it.text.GetString(), n);
            item->pszText[n] = '\0';
        }
        if (item->mask & TCIF_IMAGE)
            item->iImage = it.image;
        if (item->mask & TCIF_PARAM)
            item->lParam = it.param;
        if (item->mask & TCIF_STATE)
            item->dwState = it.state & item->dwStateMask;
        return TRUE;
    }
    case TCM_SETITEM: {
        auto* item = reinterpret_cast<TCITEM*>(lParam);
        if (!item || !valid(wParam))
            return FALSE;
        Item& it = m_items[wParam];
        if (item->mask & TCIF_TEXT)
            it.text = item->pszText ? item->pszText : "";
        if (item->mask & TCIF_IMAGE)
            it.image = item->iImage;
        if (item->mask & TCIF_PARAM)
            it.param = item->lParam;
        if (item->mask & TCIF_STATE)
            it.state = (it.state & ~item->dwStateMask) | (item->dwState & item->dwStateMask);
        Invalidate();
        return TRUE;
    }
    case TCM_DELETEITEM:
        if (!valid(wParam))
            return FALSE;
        m_items.erase(m_items.begin() + static_cast<int>(wParam));
        if (m_cur >= static_cast<int>(m_items.size()))
            m_cur = static_cast<int>(m_items.size()) - 1;
        Invalidate();
        return TRUE;
    case TCM_DELETEALLITEMS:
        m_items.clear();
        m_cur = -1;
        Invalidate();
        return TRUE;
    case TCM_GETITEMCOUNT:
        return count;
    case TCM_GETITEMRECT: {
        auto* rc = reinterpret_cast<RECT*>(lParam);
        if (!rc || !valid(wParam))
            return FALSE;
        *rc = ItemRect(static_cast<int>(wParam));
        return TRUE;
    }
    case TCM_GETCURSEL:
        return m_cur;
    case TCM_SETCURSEL: {
        if (!valid(wParam))
            return -1;
        const int old = m_cur;
        m_cur = static_cast<int>(wParam);
        Invalidate();
        return old;
    }
    case TCM_HITTEST: {
        auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
        if (!info)
            return -1;
        for (int i = 0; i < count; ++i)
            if (ItemRect(i).PtInRect(info->pt)) {
                info->flags = TCHT_ONITEM;
                return i;
            }
        info->flags = TCHT_NOWHERE;
        return -1;
    }
    case TCM_ADJUSTRECT: {
        auto* rc = reinterpret_cast<RECT*>(lParam);
        if (!rc)
            return 0;
        const int tabs = TabHeight();
        if (wParam) {
            rc->top -= tabs;
            rc->left -= kPadding + kBorder;
            rc->top -= kPadding + kBorder;
            rc->right += kPadding + kBorder;
            rc->bottom += kPadding + kBorder;
        } else {
            rc->top += tabs;
            rc->left += kPadding + kBorder;
            rc->top += kPadding + kBorder;
            rc->right -= kPadding + kBorder;
            rc->bottom -= kPadding + kBorder;
        }
        return 0;
    }
    case TCM_SETITEMSIZE: {
        const CSize old = m_itemSize;
        m_itemSize = CSize(LOWORD(lParam), HIWORD(lParam));
        Invalidate();
        return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(old.cx), static_cast<WORD>(old.cy)));
    }
    case TCM_SETPADDING:
        m_padding = CSize(LOWORD(lParam), HIWORD(lParam));
        Invalidate();
        return 0;
    case TCM_GETROWCOUNT:
        return 1;
    case TCM_SETIMAGELIST:
        return reinterpret_cast<LRESULT>(std::exchange(m_images, reinterpret_cast<CImageList*>(lParam)));
    case TCM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(m_images);
    case WM_LBUTTONDOWN: {
        TCHITTESTINFO info{POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, 0};
        const int i = HitTest(&info);
        if (i >= 0 && i != m_cur) {
            if (Notify(TCN_SELCHANGING) == 0 && m_hWnd) {
                m_cur = i;
                Invalidate();
                Notify(TCN_SELCHANGE);
            }
        }
        break;
    }
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

void CTabCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    // The page area's border, then the tabs (the selected one last, raised over its neighbours).
    CRect page = rc;
    page.top += TabHeight() + kBorder;
    dc.Draw3dRect(&page, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    const bool owner = GetStyle() & TCS_OWNERDRAWFIXED;
    const int count = static_cast<int>(m_items.size());
    auto drawTab = [&](int i) {
        CRect r = ItemRect(i);
        const bool selected = i == m_cur;
        if (selected)
            r.InflateRect(2, 2, 2, 1);
        if (owner) {
            DRAWITEMSTRUCT dis{ODT_TAB,
                               static_cast<UINT>(GetDlgCtrlID()),
                               static_cast<UINT>(i),
                               ODA_DRAWENTIRE,
                               selected ? ODS_SELECTED : 0u,
                               m_hWnd,
                               dc.GetSafeHdc(),
                               r,
                               static_cast<DWORD_PTR>(m_items[static_cast<size_t>(i)].param)};
            if (CWnd* parent = GetParent())
                parent->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
            else
                DrawItem(&dis);
            return;
        }
        dc.FillSolidRect(&r, GetSysColor(selected ? COLOR_WINDOW : COLOR_BTNFACE));
        CPen light(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)),
            dark(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
        CPen* old = dc.SelectObject(&light);
        dc.MoveTo(r.left, r.bottom);
        dc.LineTo(r.left, r.top);
        dc.LineTo(r.right - 1, r.top);
        dc.SelectObject(&dark);
        dc.LineTo(r.right - 1, r.bottom);
        dc.SelectObject(old);
        CRect tr = r;
        if (m_images && m_items[static_cast<size_t>(i)].image >= 0) {
            m_images->Draw(&dc, m_items[static_cast<size_t>(i)].image,
                           POINT{tr.left + m_padding.cx, tr.top + (tr.Height() - m_images->GetHeight()) / 2},
                           ILD_TRANSPARENT);
            tr.left += m_images->GetWidth() + 3;
        }
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(GetSysColor(IsWindowEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        dc.DrawText(m_items[static_cast<size_t>(i)].text, &tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    };
    for (int i = count - 1; i >= 0; --i)
        if (i != m_cur)
            drawTab(i);
    if (m_cur >= 0 && m_cur < count)
        drawTab(m_cur);
}
