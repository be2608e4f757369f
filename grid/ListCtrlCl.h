// CListCtrlCl: an owner-drawn report list with background and text colours per column and per
// cell, a settable row height and columns that cannot be resized; its header is a CHeaderCtrlCl.
// Several colours of one column may be stored (the first counts); a cell colour replaces the one
// cell coloured before (one coloured cell for background, one for text). Tab, Page Up/Down,
// Home, End, Left, Up, Right and Delete are swallowed; Down and the rest move as in any list.
#pragma once

#include "grid/HeaderCtrlCl.h"
#include "platform/ui/ListCtrl.h"

#include <vector>

class CListCtrlCl : public CListCtrl {
    DECLARE_DYNAMIC(CListCtrlCl)
public:
    CListCtrlCl() = default;

    int InsertColumn(int column, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    BOOL ClearColumnTexts();
    void SetRowHeight(int height);
    int GetRowHeight() const { return m_nRowHeight; }
    // The list's own text colour (not the toolkit's): every cell without a colour of its own.
    BOOL SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const { return m_color; }

    void SetColBkColor(int column, COLORREF colour);
    void SetColTextColor(int column, COLORREF colour);
    // Note the order: column first, then row.
    void SetItemBkColor(int column, int row, COLORREF colour);
    void SetItemTextColor(int column, int row, COLORREF colour);
    // One cell entry per column of the row.
    void SetRowBkColor(int row, COLORREF colour);
    void SetRowTextColor(int row, COLORREF colour);
    BOOL GetColBkColor(int column, COLORREF& colour) const;
    BOOL GetColTextColor(int column, COLORREF& colour) const;
    BOOL GetItemBkColor(int column, int row, COLORREF& colour) const;
    BOOL GetItemTextColor(int column, int row, COLORREF& colour) const;

    void SetHeaderBkColor(int red, int green, int blue, int step);
    void SetHeaderHeight(float factor);
    void SetHeaderTextColor(COLORREF colour);
    CHeaderCtrlCl& ColourHeader() { return m_headerCl; }

    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;

protected:
    void PreSubclassWindow() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Owner drawing and the colour header; safe to run more than once.
    void TakeOverHeader();

    struct ColumnColour {
        int column;
        COLORREF colour;
    };
    struct CellColour {
        int row;
        int column;
        COLORREF colour;
    };
    static BOOL FindColumn(const std::vector<ColumnColour>& list, int column, COLORREF& colour);
    static BOOL FindCell(const std::vector<CellColour>& list, int column, int row, COLORREF& colour);

    CHeaderCtrlCl m_headerCl;
    int m_nRowHeight = 0;
    std::vector<ColumnColour> m_ptrListCol;
    std::vector<CellColour> m_ptrListItem;
    std::vector<ColumnColour> m_colTextColor;
    std::vector<CellColour> m_ItemTextColor;
    COLORREF m_color = 0;
};
