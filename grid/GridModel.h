// CGridModel: the window-free state of the cell grid: counts, cells, sizes, colours, flags, the
// focus cell, the selection with its maps, the mouse mode and the geometry arithmetic over a
// scroll position and a client size. CGridCtrl puts a window on it; what needs the window
// (notifying the owner, redrawing, the scroll bars) goes through the virtual hooks, which do
// nothing here, so the model is tested without a display.
#pragma once

#include "grid/GridCellId.h"
#include "grid/GridCellRange.h"
#include "grid/GridCellItem.h"
#include "grid/GridTypes.h"
#include "platform/core/Point.h"
#include "platform/core/Rect.h"
#include "platform/core/Size.h"
#include "platform/core/String.h"
#include "platform/ui/WinGdi.h"

#include <map>
#include <vector>

class CDC;

class CGridModel {
public:
    using SelectionMap = std::map<DWORD, GridCellId>;

    CGridModel();
    virtual ~CGridModel();
    CGridModel(const CGridModel&) = delete;
    CGridModel& operator=(const CGridModel&) = delete;

    // --- counts --------------------------------------------------------------------------------
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    int GetFixedRowCount() const { return m_nFixedRows; }
    int GetFixedColumnCount() const { return m_nFixedCols; }
    // FALSE for a negative count (nothing changes).
    BOOL SetRowCount(int rows = 10);
    BOOL SetColumnCount(int cols = 10);
    BOOL SetFixedRowCount(int fixedRows = 1);
    BOOL SetFixedColumnCount(int fixedCols = 1);

    // --- cells and items ----------------------------------------------------------------------
    CGridCellItem* GetCell(int row, int col) const;
    // Stores the cell (the grid owns it from then on; the one it replaces is deleted).
    BOOL SetCell(int row, int col, CGridCellItem* cell);
    virtual CGridCellItem* CreateCell(int row, int col);
    virtual void ClearCell(CGridCellItem* cell, int row, int col);
    // A state in the mask passes through SetItemState, so the selection map stays in step.
    virtual BOOL SetItem(const GridItem* item);
    BOOL GetItem(GridItem* item);
    virtual BOOL SetItemText(int row, int col, LPCTSTR text);
    virtual CString GetItemText(int row, int col) const;
    BOOL SetItemSavedText(int row, int col, LPCTSTR text);
    CString GetItemSavedText(int row, int col) const;
    BOOL SetItemData(int row, int col, LPARAM data);
    LPARAM GetItemData(int row, int col) const;
    BOOL SetItemImage(int row, int col, int image);
    int GetItemImage(int row, int col) const;
    BOOL SetItemFormat(int row, int col, UINT format);
    UINT GetItemFormat(int row, int col) const;
    BOOL SetItemBkColour(int row, int col, COLORREF colour = CLR_DEFAULT);
    COLORREF GetItemBkColour(int row, int col) const;
    BOOL SetItemFgColour(int row, int col, COLORREF colour = CLR_DEFAULT);
    COLORREF GetItemFgColour(int row, int col) const;
    BOOL SetItemFont(int row, int col, const LOGFONT* font);
    // The cell's font, or the grid font without a cell.
    const LOGFONT* GetItemFont(int row, int col) const;
    BOOL SetItemState(int row, int col, UINT state);
    UINT GetItemState(int row, int col) const;
    // Row or column below 1 address the grid flag; clearing the grid flag clears every cell's bit.
    void SetModified(BOOL modified = TRUE, int row = -1, int col = -1);
    BOOL GetModified(int row = -1, int col = -1) const;
    BOOL IsValid(int row, int col) const;
    BOOL IsValid(const GridCellId& cell) const { return IsValid(cell.row, cell.col); }
    BOOL IsValid(const GridCellRange& range) const { return range.IsValid(m_nRows, m_nCols); }
    BOOL IsCellFixed(int row, int col) const;
    GridCellRange GetCellRange() const;
    BOOL IsCellEditable(int row, int col) const;
    BOOL IsCellEditable(const GridCellId& cell) const { return IsCellEditable(cell.row, cell.col); }
    virtual BOOL DeleteAllItems();

    // --- sizes --------------------------------------------------------------------------------
    int GetRowHeight(int row) const;
    int GetColumnWidth(int col) const;
    BOOL SetRowHeight(int row, int height);
    BOOL SetColumnWidth(int col, int width);
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    int GetVirtualWidth() const;
    int GetVirtualHeight() const;
    int GetMargin() const { return m_nMargin; }
    int GetDefaultRowHeight() const { return m_nDefCellHeight; }
    int GetDefaultColumnWidth() const { return m_nDefCellWidth; }
    // The font of the grid: copied into every cell; margin and default sizes from its metrics
    // (spaceWidth: width of " "). Existing rows and columns keep their sizes.
    void ApplyGridFont(const LOGFONT& font, int spaceWidth, const TEXTMETRIC& metrics);
    const LOGFONT& GetGridLogFont() const { return m_Logfont; }

    // --- colours ------------------------------------------------------------------------------
    void SetTextColour(COLORREF c) { m_crTextColour = c; }
    COLORREF GetTextColour() const { return m_crTextColour; }
    void SetTextBkColour(COLORREF c) { m_crTextBkColour = c; }
    COLORREF GetTextBkColour() const { return m_crTextBkColour; }
    void SetBkColour(COLORREF c) { m_crBkColour = c; }
    COLORREF GetBkColour() const { return m_crBkColour; }
    void SetFixedTextColour(COLORREF c) { m_crFixedTextColour = c; }
    COLORREF GetFixedTextColour() const { return m_crFixedTextColour; }
    void SetFixedBkColour(COLORREF c) { m_crFixedBkColour = c; }
    COLORREF GetFixedBkColour() const { return m_crFixedBkColour; }
    void SetGridColour(COLORREF c) { m_crGridColour = c; }
    COLORREF GetGridColour() const { return m_crGridColour; }
    // New system colours: each grid colour still equal to the system colour it came from follows
    // the new one; then the new values are remembered.
    void SystemColoursChanged(COLORREF windowText, COLORREF window, COLORREF buttonFace,
                              COLORREF buttonShadow);

    // --- flags --------------------------------------------------------------------------------
    void SetGridLines(int mode) { m_nGridLines = mode; }
    int GetGridLines() const { return m_nGridLines; }
    void SetEditable(BOOL editable = TRUE) { m_bEditable = editable; }
    BOOL IsEditable() const { return m_bEditable; }
    void SetListMode(BOOL listMode = TRUE) { m_bListMode = listMode; }
    BOOL GetListMode() const { return m_bListMode; }
    void SetSingleRowSelection(BOOL single = TRUE) { m_bSingleRowSelection = single; }
    BOOL GetSingleRowSelection() const { return m_bSingleRowSelection; }
    void EnableSelection(BOOL enable = TRUE);
    BOOL IsSelectable() const { return m_bEnableSelection; }
    void SetHeaderSort(BOOL sortOnClick = TRUE) { m_bSortOnClick = sortOnClick; }
    BOOL GetHeaderSort() const { return m_bSortOnClick; }
    void SetHandleTabKey(BOOL handle = TRUE) { m_bHandleTabKey = handle; }
    BOOL GetHandleTabKey() const { return m_bHandleTabKey; }
    void SetDoubleBuffering(BOOL buffer = TRUE) { m_bDoubleBuffer = buffer; }
    BOOL GetDoubleBuffering() const { return m_bDoubleBuffer; }
    void EnableTitleTips(BOOL enable = TRUE) { m_bTitleTips = enable; }
    BOOL GetTitleTips() const { return m_bTitleTips; }
    void EnableDragAndDrop(BOOL enable = TRUE) { m_bEnableDragAndDrop = enable; }
    BOOL GetDragAndDrop() const { return m_bEnableDragAndDrop; }
    void SetRowResize(BOOL allow = TRUE) { m_bAllowRowResize = allow; }
    BOOL GetRowResize() const { return m_bAllowRowResize; }
    void SetColumnResize(BOOL allow = TRUE) { m_bAllowColumnResize = allow; }
    BOOL GetColumnResize() const { return m_bAllowColumnResize; }
    BOOL IsRedrawAllowed() const { return m_bAllowDraw; }
    int GetSortColumn() const { return m_nSortColumn; }
    void SetSortColumn(int col) { m_nSortColumn = col; }
    BOOL GetSortAscending() const { return m_bAscending; }
    void SetSortAscending(BOOL ascending) { m_bAscending = ascending; }

    // --- focus and selection ------------------------------------------------------------------
    GridCellId GetFocusCell() const { return m_idCurrentCell; }
    // Both return the previous focus cell.
    GridCellId SetFocusCell(GridCellId cell);
    GridCellId SetFocusCellAt(int row, int col) { return SetFocusCell(GridCellId(row, col)); }
    void SetSelectedRange(const GridCellRange& range, BOOL forceRepaint = FALSE);
    void SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRepaint = FALSE);
    // Bounding range of the selection; (rows, cols, -1, -1) when nothing is selected.
    GridCellRange GetSelectedCellRange() const;
    void ResetSelectedRange();
    void SelectAllCells();
    void SelectColumns(GridCellId cell);
    void SelectRows(GridCellId cell);
    void SelectCells(GridCellId cell);
    void OnSelecting(const GridCellId& cell);
    const SelectionMap& GetSelectedCellMap() const { return m_SelectedCellMap; }
    const SelectionMap& GetPrevSelectedCellMap() const { return m_PrevSelectedCellMap; }
    int GetMouseMode() const { return m_MouseMode; }
    void SetMouseMode(int mode) { m_MouseMode = mode; }
    GridCellId GetSelectionStartCell() const { return m_SelectionStartCell; }
    void SetSelectionStartCell(GridCellId cell) { m_SelectionStartCell = cell; }
    // Empties the previous selection map, or (keep) makes it a copy of the selection map.
    void KeepSelection(BOOL keep);
    // The cell the arrows and Tab lead to from the focus cell (the focus cell itself when the key
    // does not move it); wrapped tells whether Tab or Shift+Tab went round a row end.
    GridCellId NextCellForKey(UINT key, BOOL shift, BOOL* wrapped = nullptr) const;

    // --- geometry over the view (scroll position and client area) ------------------------------
    GridCellId GetTopLeftNonFixedCell() const;
    BOOL GetCellOrigin(int row, int col, LPPOINT point) const;
    BOOL GetCellOrigin(const GridCellId& cell, LPPOINT point) const {
        return GetCellOrigin(cell.row, cell.col, point);
    }
    BOOL GetCellRect(int row, int col, LPRECT rect) const;
    BOOL GetCellRect(const GridCellId& cell, LPRECT rect) const {
        return GetCellRect(cell.row, cell.col, rect);
    }
    BOOL GetCellRangeRect(const GridCellRange& range, LPRECT rect) const;
    GridCellId GetCellFromPt(CPoint point, BOOL allowFixed = TRUE) const;
    GridCellRange GetVisibleNonFixedCellRange(LPRECT rect = nullptr) const;
    GridCellRange GetUnobstructedNonFixedCellRange() const;
    virtual BOOL IsCellVisible(int row, int col) const;
    BOOL IsCellVisible(const GridCellId& cell) const { return IsCellVisible(cell.row, cell.col); }
    // Scroll position (pixels of the non-fixed part) and client area the geometry works on; the
    // window supplies its own, a model alone the ones given to SetView.
    virtual CPoint GetScrollOffset() const { return m_viewScroll; }
    virtual CRect GetViewRect() const { return CRect(0, 0, m_viewSize.cx, m_viewSize.cy); }
    void SetView(CPoint scroll, CSize client) {
        m_viewScroll = scroll;
        m_viewSize = client;
    }
    // Scroll messages a wheel turn gives: count of code (SB_LINEUP, SB_LINEDOWN, SB_PAGEUP,
    // SB_PAGEDOWN). wheelLines -1 scrolls pages. remainder keeps the part of a delta too small
    // for a whole line, so small steps add up.
    static int WheelScrollCount(int delta, int wheelLines, int& remainder, UINT& code);

    // --- hooks of the window ------------------------------------------------------------------
    // WM_NOTIFY to the owner with a GridNotify record.
    virtual LRESULT SendMessageToParent(int row, int col, int code);
    virtual BOOL RedrawCell(int row, int col, CDC* dc = nullptr);
    BOOL RedrawCell(const GridCellId& cell, CDC* dc = nullptr) { return RedrawCell(cell.row, cell.col, dc); }
    virtual BOOL InvalidateCellRect(const GridCellId& cell);

protected:
    // The whole grid changed its looks (texts, fixed counts).
    virtual void InvalidateGrid() {}
    // Counts or sizes changed: the scroll bars follow, then everything is redrawn.
    virtual void LayoutChanged() {}
    // The focus marks of a cell: FOCUSED in an editable grid, exactly SELECTED in another.
    void MarkFocusCell(const GridCellId& cell);
    // A state drawn as selected and not focused, the other bits kept.
    static UINT ShownSelected(UINT state);
    void RedrawFixedOfColumn(int col, CDC* dc);
    void RedrawFixedOfRow(int row, CDC* dc);

    // colours
    COLORREF m_crTextColour;
    COLORREF m_crTextBkColour;
    COLORREF m_crBkColour;
    COLORREF m_crFixedTextColour;
    COLORREF m_crFixedBkColour;
    COLORREF m_crGridColour;
    COLORREF m_crWindowText;
    COLORREF m_crWindowColour;
    COLORREF m_cr3DFace;
    COLORREF m_crShadow;

    int m_nGridLines = GRIDLINES_BOTH;
    BOOL m_bEditable = TRUE;
    BOOL m_bModified = FALSE;
    BOOL m_bEnableDragAndDrop = FALSE;
    BOOL m_bListMode = FALSE;
    BOOL m_bSingleRowSelection = FALSE;
    BOOL m_bAllowDraw = TRUE;
    BOOL m_bEnableSelection = TRUE;
    BOOL m_bSortOnClick = TRUE;
    BOOL m_bHandleTabKey = TRUE;
    BOOL m_bDoubleBuffer = TRUE;
    BOOL m_bTitleTips = TRUE;

    int m_nRows = 0;
    int m_nFixedRows = 0;
    int m_nCols = 0;
    int m_nFixedCols = 0;
    std::vector<int> m_arRowHeights;
    std::vector<int> m_arColWidths;
    int m_nMargin = 0;
    int m_nDefCellWidth = 30;
    int m_nDefCellHeight = 10;
    LOGFONT m_Logfont{};
    std::vector<std::vector<CGridCellItem*>> m_RowData;

    int m_MouseMode = GRIDMODE_IDLE;
    CPoint m_LeftClickDownPoint;
    CPoint m_LastMousePoint;
    GridCellId m_LeftClickDownCell;
    GridCellId m_SelectionStartCell;
    GridCellId m_RightClickCell;
    GridCellId m_idCurrentCell;
    int m_nResizeCaptureRange = 3;
    BOOL m_bAllowRowResize = TRUE;
    BOOL m_bAllowColumnResize = TRUE;
    SelectionMap m_SelectedCellMap;
    SelectionMap m_PrevSelectedCellMap;
    BOOL m_bAscending = TRUE;
    int m_nSortColumn = -1;

private:
    CPoint m_viewScroll;
    CSize m_viewSize;
};
