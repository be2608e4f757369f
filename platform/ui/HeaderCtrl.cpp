#include "platform/ui/HeaderCtrl.h"

#include "platform/ui/Font.h"
#include "platform/ui/PaintDC.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

namespace {
constexpr int kGrip = 3; // pixels either side of a divider that start a drag
}

BOOL CHeaderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("SysHeader32", "", style, rect, parent, id);
}

int CHeaderCtrl::GetItemCount() const {
    return static_cast<int>(const_cast<CHeaderCtrl*>(this)->SendMessage(HDM_GETITEMCOUNT));
}

BOOL CHeaderCtrl::GetItemRect(int index, LPRECT rect) const {
    return static_cast<BOOL>(const_cast<CHeaderCtrl*>(this)->SendMessage(
        HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}

int CHeaderCtrl::InsertColumn(int index, LPCTSTR text, int format, int width) {
    const int at = std::clamp(index, 0, static_cast<int>(m_columns.size()));
    m_columns.insert(m_columns.begin() + at, Column{CString(text ? text : ""), format, std::max(0, width)});
    Invalidate();
    return at;
}

BOOL CHeaderCtrl::DeleteColumn(int index) {
    if (index < 0 || index >= static_cast<int>(m_columns.size()))
        return FALSE;
    m_columns.erase(m_columns.begin() + index);
    Invalidate();
    return TRUE;
}

int CHeaderCtrl::GetColumnWidth(int index) const {
    return index >= 0 && index < static_cast<int>(m_columns.size())
               ? m_columns[static_cast<size_t>(index)].width
               : 0;
}

BOOL CHeaderCtrl::SetColumnWidth(int index, int width) {
    if (index < 0 || index >= static_cast<int>(m_columns.size()))
        return FALSE;
    m_columns[static_cast<size_t>(index)].width = std::max(0, width);
    Invalidate();
    if (CWnd* parent = GetParent())
        parent->Invalidate();
    return TRUE;
}

int CHeaderCtrl::GetColumnFormat(int index) const {
    return index >= 0 && index < static_cast<int>(m_columns.size())
               ? m_columns[static_cast<size_t>(index)].format
               : 0;
}

CString CHeaderCtrl::GetColumnText(int index) const {
    return index >= 0 && index < static_cast<int>(m_columns.size())
               ? m_columns[static_cast<size_t>(index)].text
               : CString();
}

int CHeaderCtrl::TotalWidth() const {
    int w = 0;
    for (const Column& c : m_columns)
        w += c.width;
    return w;
}

int CHeaderCtrl::DividerAt(int x) const {
    int right = 0;
    for (int i = 0; i < static_cast<int>(m_columns.size()); ++i) {
        right += m_columns[static_cast<size_t>(i)].width;
        if (std::abs(x - right) <= kGrip)
            return i;
    }
    return -1;
}

LRESULT CHeaderCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case HDM_GETITEMCOUNT:
        return static_cast<LRESULT>(m_columns.size());
    case HDM_LAYOUT: {
        // The header takes the top of the rectangle, one line of its font high.
        auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
        if (!layout || !layout->prc || !layout->pwpos)
            return FALSE;
        TEXTMETRIC tm{};
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(GetFont());
        dc.GetTextMetrics(&tm);
        const int height = tm.tmHeight + 8;
        RECT& rc = *layout->prc;
        *layout->pwpos =
            WINDOWPOS{m_hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, height, SWP_NOZORDER};
        rc.top += height;
        return TRUE;
    }
    case HDM_GETITEMRECT: {
        auto* rc = reinterpret_cast<RECT*>(lParam);
        const int i = static_cast<int>(wParam);
        if (!rc || i < 0 || i >= static_cast<int>(m_columns.size()))
            return FALSE;
        int left = 0;
        for (int k = 0; k < i; ++k)
            left += m_columns[static_cast<size_t>(k)].width;
        CRect client;
        GetClientRect(&client);
        *rc = RECT{left, 0, left + m_columns[static_cast<size_t>(i)].width, client.bottom};
        return TRUE;
    }
    case WM_LBUTTONDOWN: {
        const int x = GET_X_LPARAM(lParam);
        const int divider = DividerAt(x);
        if (divider < 0)
            break;
        NMHEADER nm{{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), HDN_BEGINTRACKA}, divider, 0, nullptr};
        CWnd* parent = GetParent();
        const LRESULT refused = parent ? parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                                                             reinterpret_cast<LPARAM>(&nm))
                                       : 0;
        if (refused || !m_hWnd)
            break;
        m_dragging = divider;
        m_dragStartX = x;
        m_dragStartWidth = GetColumnWidth(divider);
        SetCapture();
        break;
    }
    case WM_MOUSEMOVE:
        if (m_dragging >= 0)
            SetColumnWidth(m_dragging, m_dragStartWidth + GET_X_LPARAM(lParam) - m_dragStartX);
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (m_dragging >= 0) {
            const int column = m_dragging;
            m_dragging = -1;
            if (message == WM_LBUTTONUP && GetCapture() == this)
                ::ReleaseCapture();
            NMHEADER nm{{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), HDN_ENDTRACKA}, column, 0, nullptr};
            if (CWnd* parent = GetParent())
                parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                                    reinterpret_cast<LPARAM>(&nm));
        }
        break;
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL CHeaderCtrl::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    CPoint p;
    ::GetCursorPos(&p);
    ScreenToClient(&p);
    if (m_dragging >= 0 || DividerAt(p.x) >= 0) {
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
        return TRUE;
    }
    return CWnd::OnSetCursor(wnd, hitTest, message);
}

void CHeaderCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, GetSysColor(COLOR_BTNFACE));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    int left = 0;
    for (const Column& c : m_columns) {
        CRect cell(left, 0, left + c.width, rc.bottom);
        CRect edge = cell;
        dc.DrawEdge(&edge, EDGE_RAISED, BF_RECT);
        CRect tr = cell;
        tr.DeflateRect(6, 0);
        const UINT align = (c.format & 3) == LVCFMT_RIGHT    ? DT_RIGHT
                           : (c.format & 3) == LVCFMT_CENTER ? DT_CENTER
                                                             : DT_LEFT;
        dc.DrawText(c.text, &tr, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        left += c.width;
    }
}
