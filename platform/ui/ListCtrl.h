// CListCtrl: the list view in report mode, with its CHeaderCtrl. Each paint runs the custom-draw
// stages through the parent (NM_CUSTOMDRAW as WM_NOTIFY, NMLVCUSTOMDRAW): CDDS_PREPAINT, then per
// item CDDS_ITEMPREPAINT when asked (CDRF_NOTIFYITEMDRAW), then per cell
// CDDS_ITEMPREPAINT | CDDS_SUBITEM when asked (CDRF_NOTIFYSUBITEMDRAW); a cell is drawn in the
// clrText / clrTextBk it comes back with. Header notifications reach the list's OnNotify.
// LVS_OWNERDRAWFIXED: each visible row goes to the parent as WM_DRAWITEM (ODT_LISTVIEW), reflected
// to DrawItem; the row height is asked with WM_MEASUREITEM (reflected to MeasureItem) and asked
// again after WM_WINDOWPOSCHANGED. The header's height comes from HDM_LAYOUT. With WS_VSCROLL a
// scroll bar shows when the rows do not fit.
#pragma once

#include "platform/ui/HeaderCtrl.h"

#include <vector>

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl();
    ~CListCtrl() override;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int InsertColumn(int column, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    BOOL DeleteColumn(int column);
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);
    int InsertItem(int item, LPCTSTR text);
    BOOL SetItemText(int item, int subItem, LPCTSTR text);
    CString GetItemText(int item, int subItem) const;
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    CHeaderCtrl* GetHeaderCtrl() const;
    DWORD SetExtendedStyle(DWORD exStyle);
    DWORD GetExtendedStyle() const;
    int GetNextItem(int start, int flags) const;
    BOOL SetItemState(int item, UINT state, UINT mask);
    UINT GetItemState(int item, UINT mask) const;
    BOOL GetItemRect(int item, LPRECT rect, UINT code) const;
    BOOL GetSubItemRect(int item, int subItem, int code, CRect& rect) const;
    int GetTopIndex() const { return m_top; }
    // Rows that fit wholly below the header.
    int GetCountPerPage() const;
    BOOL EnsureVisible(int item, BOOL partialOK);
    // CLR_NONE-free colours; CLR_DEFAULT (the start) means the system's window colours.
    BOOL SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const;
    BOOL SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const;
    BOOL SetTextBkColor(COLORREF colour);
    COLORREF GetTextBkColor() const;

    virtual void DrawItem(LPDRAWITEMSTRUCT dis);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT mis);

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // The header's notifications the list itself leaves go on to the list's parent.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    int HeaderHeight() const;
    int RowHeight() const;
    QWidget* CreateWidget(QWidget* parent) override;
    // Moves the header to the height its HDM_LAYOUT gives.
    void LayoutHeader();
    // Shows, hides and sets the scroll bar for the rows and the first row shown.
    void UpdateScrollBar();
    // Puts header in the place of the built-in header window (same place, style and columns).
    BOOL ReplaceHeader(CHeaderCtrl& header);
    CHeaderCtrl& Header() const { return *m_pHeader; }
    LRESULT CustomDraw(NMLVCUSTOMDRAW& cd);

    struct Row {
        std::vector<CString> cells;
        DWORD_PTR data = 0;
        UINT state = 0;
    };
    std::vector<Row> m_rows;
    CHeaderCtrl m_header;
    CHeaderCtrl* m_pHeader = &m_header;
    DWORD m_exStyleList = 0;
    int m_top = 0;
    mutable int m_ownerItemHeight = 0; // measured owner-drawn row height, 0 = ask again
    COLORREF m_bkColour = CLR_DEFAULT;
    COLORREF m_textColour = CLR_DEFAULT;
    COLORREF m_textBkColour = CLR_DEFAULT;
    struct Scroll;
    Scroll* m_scroll = nullptr;
};
