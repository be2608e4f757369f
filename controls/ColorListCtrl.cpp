#include "controls/ColorListCtrl.h"

#include "platform/ui/HeaderCtrl.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CColorListCtrl, CListCtrl)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CColorListCtrl::OnCustomDraw)
END_MESSAGE_MAP()

CColorListCtrl::CColorListCtrl() = default;

CColorListCtrl::~CColorListCtrl() {
    m_colors.clear();
}

void CColorListCtrl::RepaintNow() {
    if (!m_hWnd)
        return;
    Invalidate(TRUE);
    UpdateWindow();
}

void CColorListCtrl::SetCellColor(int item, int subItem, COLORREF text, COLORREF background) {
    m_colors.push_back(CellColor{item, subItem, text, background});
    RepaintNow();
}

void CColorListCtrl::SetRowColor(int item, COLORREF text, COLORREF background) {
    CHeaderCtrl* header = m_hWnd ? GetHeaderCtrl() : nullptr;
    if (!header)
        return;
    const int columns = header->GetItemCount();
    for (int sub = 0; sub < columns; ++sub)
        SetCellColor(item, sub, text, background);
}

void CColorListCtrl::ClearColors() {
    m_colors.clear();
    RepaintNow();
}

void CColorListCtrl::DeleteAllRows() {
    DeleteAllItems();
    ClearColors();
}

BOOL CColorListCtrl::DeleteRow(int item) {
    const BOOL deleted = DeleteItem(item);
    if (deleted) {
        std::erase_if(m_colors, [item](const CellColor& c) { return c.item == item; });
        // The rows below move up one: their colours go with them.
        for (CellColor& c : m_colors)
            if (c.item > item)
                --c.item;
    }
    return deleted;
}

void CColorListCtrl::GetCellColors(int item, int subItem, COLORREF& text, COLORREF& background) const {
    text = GetSysColor(COLOR_WINDOWTEXT);
    background = GetSysColor(COLOR_WINDOW);
    for (const CellColor& c : m_colors)
        if (c.item == item && c.subItem == subItem) {
            text = c.text;
            background = c.background;
        }
}

void CColorListCtrl::OnCustomDraw(NMHDR* hdr, LRESULT* result) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(hdr);
    *result = CDRF_DODEFAULT;
    if (!draw)
        return;
    const DWORD stage = draw->nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT) {
        *result = CDRF_NOTIFYITEMDRAW;
    } else if (stage == CDDS_ITEMPREPAINT) {
        *result = CDRF_NOTIFYSUBITEMDRAW;
    } else if (stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
        GetCellColors(static_cast<int>(draw->nmcd.dwItemSpec), draw->iSubItem, draw->clrText,
                      draw->clrTextBk);
        *result = CDRF_DODEFAULT;
    }
}

BOOL CColorListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (hdr && (hdr->code == HDN_BEGINTRACKA || hdr->code == HDN_BEGINTRACKW)) {
        *result = 1; // no column is resized by dragging its divider
        return TRUE;
    }
    return CListCtrl::OnNotify(wParam, lParam, result);
}
