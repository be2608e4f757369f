#include "grid/ListCtrlCl.h"

#include "controls/AppObjects.h"
#include "model/Globals.h"

IMPLEMENT_DYNAMIC(CListCtrlCl, CListCtrl)

void CListCtrlCl::TakeOverHeader() {
    if (!m_hWnd)
        return;
    if (!(GetStyle() & LVS_OWNERDRAWFIXED))
        ModifyStyle(0, LVS_OWNERDRAWFIXED);
    if (m_headerCl.m_hWnd || !GetHeaderCtrl())
        return;
    GetHeaderCtrl()->ModifyStyle(0, HDS_HOTTRACK);
    ReplaceHeader(m_headerCl);
}

void CListCtrlCl::PreSubclassWindow() {
    CListCtrl::PreSubclassWindow();
    TakeOverHeader();
}

LRESULT CListCtrlCl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT r = CListCtrl::DefWindowProc(message, wParam, lParam);
    // Created directly (not over a dialog item): take the header over at once.
    if (message == WM_CREATE)
        TakeOverHeader();
    return r;
}

int CListCtrlCl::InsertColumn(int column, LPCTSTR heading, int format, int width, int subItem) {
    m_headerCl.m_columnTexts.emplace_back(heading ? heading : "");
    switch (format) {
    case LVCFMT_LEFT:
        m_headerCl.m_alignment += "0";
        break;
    case LVCFMT_RIGHT:
        m_headerCl.m_alignment += "2";
        break;
    default:
        m_headerCl.m_alignment += "1";
        break;
    }
    return CListCtrl::InsertColumn(column, heading, format, width, subItem);
}

BOOL CListCtrlCl::ClearColumnTexts() {
    m_headerCl.m_columnTexts.clear();
    return TRUE;
}

void CListCtrlCl::SetRowHeight(int height) {
    m_nRowHeight = height;
    if (!m_hWnd)
        return;
    CRect rc;
    GetWindowRect(&rc);
    WINDOWPOS pos{m_hWnd,
                  nullptr,
                  0,
                  0,
                  rc.Width(),
                  rc.Height(),
                  SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOOWNERZORDER | SWP_NOZORDER};
    SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

BOOL CListCtrlCl::SetTextColor(COLORREF colour) {
    m_color = colour;
    Invalidate();
    return TRUE;
}

void CListCtrlCl::SetColBkColor(int column, COLORREF colour) {
    m_ptrListCol.push_back({column, colour});
}

void CListCtrlCl::SetColTextColor(int column, COLORREF colour) {
    m_colTextColor.push_back({column, colour});
}

void CListCtrlCl::SetItemBkColor(int column, int row, COLORREF colour) {
    m_ptrListItem.assign(1, CellColour{row, column, colour});
    Invalidate();
}

void CListCtrlCl::SetItemTextColor(int column, int row, COLORREF colour) {
    m_ItemTextColor.assign(1, CellColour{row, column, colour});
    Invalidate();
}

void CListCtrlCl::SetRowBkColor(int row, COLORREF colour) {
    const int columns = GetHeaderCtrl() ? GetHeaderCtrl()->GetItemCount() : 0;
    for (int k = 0; k < columns; ++k)
        m_ptrListItem.push_back({row, k, colour});
    Invalidate();
}

void CListCtrlCl::SetRowTextColor(int row, COLORREF colour) {
    const int columns = GetHeaderCtrl() ? GetHeaderCtrl()->GetItemCount() : 0;
    for (int k = 0; k < columns; ++k)
        m_ItemTextColor.push_back({row, k, colour});
    Invalidate();
}

BOOL CListCtrlCl::FindColumn(const std::vector<ColumnColour>& list, int column, COLORREF& colour) {
    for (const ColumnColour& e : list)
        if (e.column == column) {
            colour = e.colour;
            return TRUE;
        }
    return FALSE;
}

BOOL CListCtrlCl::FindCell(const std::vector<CellColour>& list, int column, int row, COLORREF& colour) {
    for (const CellColour& e : list)
        if (e.column == column && e.row == row) {
            colour = e.colour;
            return TRUE;
        }
    return FALSE;
}

BOOL CListCtrlCl::GetColBkColor(int column, COLORREF& colour) const {
    return FindColumn(m_ptrListCol, column, colour);
}

BOOL CListCtrlCl::GetColTextColor(int column, COLORREF& colour) const {
    return FindColumn(m_colTextColor, column, colour);
}

BOOL CListCtrlCl::GetItemBkColor(int column, int row, COLORREF& colour) const {
    return FindCell(m_ptrListItem, column, row, colour);
}

BOOL CListCtrlCl::GetItemTextColor(int column, int row, COLORREF& colour) const {
    return FindCell(m_ItemTextColor, column, row, colour);
}

void CListCtrlCl::SetHeaderBkColor(int red, int green, int blue, int step) {
    m_headerCl.m_red = red;
    m_headerCl.m_green = green;
    m_headerCl.m_blue = blue;
    m_headerCl.m_gradient = step;
    if (m_headerCl.m_hWnd)
        m_headerCl.Invalidate();
}

void CListCtrlCl::SetHeaderHeight(float factor) {
    m_headerCl.m_height = factor;
    if (m_hWnd)
        LayoutHeader();
}

void CListCtrlCl::SetHeaderTextColor(COLORREF colour) {
    m_headerCl.m_color = colour;
    if (m_headerCl.m_hWnd)
        m_headerCl.Invalidate();
}

void CListCtrlCl::MeasureItem(LPMEASUREITEMSTRUCT mis) {
    if (mis && m_nRowHeight > 0)
        mis->itemHeight = static_cast<UINT>(m_nRowHeight);
}

void CListCtrlCl::DrawItem(LPDRAWITEMSTRUCT dis) {
    if (!dis)
        return;
    CDC* dc = CDC::FromHandle(dis->hDC);
    const int row = static_cast<int>(dis->itemID);
    const bool selected = GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED;
    CFont& font = g_bChinese.load() ? g_fontSimSun12 : g_fontArial14b;
    const CString& alignment = m_headerCl.m_alignment;
    const int columns = GetHeaderCtrl() ? GetHeaderCtrl()->GetItemCount() : 0;
    for (int i = 0; i < columns; ++i) {
        const CString text = GetItemText(row, i);
        CRect rc;
        GetSubItemRect(row, i, LVIR_LABEL, rc);
        if (i == 0)
            rc.left -= 2;

        COLORREF colour = 0;
        if (selected) {
            dc->FillSolidRect(&rc, GetSysColor(COLOR_HIGHLIGHT));
            dc->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            dc->FillSolidRect(&rc, GetBkColor());
            if (GetColBkColor(i, colour))
                dc->FillSolidRect(&rc, colour);
            if (GetItemBkColor(i, row, colour))
                dc->FillSolidRect(&rc, colour);
        }

        const UINT format = CHeaderCtrlCl::AlignmentFormat(i < alignment.GetLength() ? alignment[i] : '1') |
                            DT_SINGLELINE | DT_NOPREFIX;
        rc.top += (rc.Height() - CHeaderCtrlCl::GuiTextHeight()) / 2;
        // Texts keep off the cell edges as the headings do.
        if (format & DT_RIGHT)
            rc.right -= 3;
        else if (!(format & DT_CENTER))
            rc.left += 3;

        // The list's colours override the highlight text colour of a selected row.
        COLORREF textColour = m_color;
        if (GetColTextColor(i, colour))
            textColour = colour;
        if (GetItemTextColor(i, row, colour))
            textColour = colour;
        dc->SetTextColor(textColour);
        dc->SetBkMode(TRANSPARENT);
        CFont* old = font.m_hObject ? dc->SelectObject(&font) : nullptr;
        dc->DrawText(text, &rc, format);
        if (old)
            dc->SelectObject(old);
    }
}

void CListCtrlCl::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
    switch (ch) {
    case VK_TAB:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DELETE:
        return;
    default:
        CListCtrl::OnKeyDown(ch, repeat, flags);
    }
}

BOOL CListCtrlCl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (hdr && (hdr->code == HDN_BEGINTRACKA || hdr->code == HDN_BEGINTRACKW)) {
        if (result)
            *result = 1;
        return TRUE;
    }
    return CListCtrl::OnNotify(wParam, lParam, result);
}
