// CGridCtrl: the cell grid as a child window: the model of CGridModel painted into an off-screen
// buffer, scrolled by its own scroll bars, driven by keys and mouse; it tells its owner with
// WM_NOTIFY (GridNotify) and posts WM_COMMAND after every left release over a cell. The in-place
// editors, clipboard, drag and drop, sorting, printing, CSV files, insertion, auto-size and
// search are built over the same model with the window-free helper classes of this folder.
#pragma once

#include "grid/GridModel.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Wnd.h"

#include <map>
#include <memory>
#include <string>

class CDataExchange;
class CFont;
class CPrintInfo;
class CScrollBar;
class CTitleTip;
class CGridDropTarget;

using PFNGRIDCOMPARE = int (*)(LPARAM data1, LPARAM data2, LPARAM sortData);

// Right-button menu commands; they go to the grid's parent.
constexpr UINT ID_GRID_SAVE_AS_MACHINE_PRESET = 713;
constexpr UINT ID_GRID_LOAD_MACHINE_PRESET = 714;
constexpr UINT ID_GRID_DELETE_MACHINE_PRESET = 715;

class CGridCtrl : public CWnd, public CGridModel {
    DECLARE_DYNCREATE(CGridCtrl)
public:
    CGridCtrl(int rows = 0, int cols = 0, int fixedRows = 0, int fixedCols = 0);
    ~CGridCtrl() override;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // Takes over a dialog's placeholder control (DDX_GridControl).
    BOOL SubclassWindow(HWND hWnd);
    void PreSubclassWindow() override;
    static BOOL RegisterWindowClass();

    // --- geometry, scrolling, painting -----------------------------------------------------------
    // The area left of and above the grid's own scroll bars.
    void GetClientRect(LPRECT rect) const;
    // Invalidates the cells' area only: the scroll bars repaint themselves when their range or
    // position changes, not with every repaint of the cells.
    void Invalidate(BOOL erase = TRUE);
    CPoint GetScrollOffset() const override;
    CRect GetViewRect() const override;
    BOOL IsCellVisible(int row, int col) const override;
    using CGridModel::IsCellVisible;
    void EnsureVisible(int row, int col);
    void EnsureVisible(const GridCellId& cell) { EnsureVisible(cell.row, cell.col); }
    void ResetScrollBars();
    // bar: SB_HORZ or SB_VERT.
    int GetScrollPos32(int bar, BOOL getTrackPos = FALSE) const;
    BOOL SetScrollPos32(int bar, int pos, BOOL redraw = TRUE);
    // Scroll maxima: the largest scroll positions, 0 when everything fits.
    int GetVScrollMax() const { return m_nVScrollMax; }
    int GetHScrollMax() const { return m_nHScrollMax; }
    BOOL GetTextRect(int row, int col, LPRECT rect);
    BOOL RedrawCell(int row, int col, CDC* dc = nullptr) override;
    using CGridModel::RedrawCell;
    BOOL RedrawRow(int row);
    BOOL RedrawColumn(int col);
    BOOL InvalidateCellRect(const GridCellId& cell) override;
    BOOL InvalidateCellRange(const GridCellRange& range);
    void SetRedraw(BOOL allowDraw, BOOL resetScrollBars = FALSE);
    CSize GetTextExtent(LPCTSTR text, BOOL useSelectedFont = FALSE);
    virtual CSize GetCellTextExtent(int row, int col, CDC* dc = nullptr);
    virtual void OnDraw(CDC* dc);
    virtual BOOL DrawHeaderCell(CDC* dc, int row, int col, CRect rect, BOOL erase = FALSE);
    virtual BOOL DrawCell(CDC* dc, int row, int col, CRect rect, BOOL erase = FALSE);
    // Wheel lines as the desktop gives them (3 when unknown).
    static int GetWheelScrollLines();

    // --- focus, selection, mouse --------------------------------------------------------------------
    GridCellId GetRightClickCell() const { return m_RightClickCell; }
    virtual void OnColumnHeaderClick(GridCellId cell);
    virtual void OnRowHeaderClick(GridCellId cell);
    // TRUE near a row divider inside the fixed columns / a column divider inside the fixed rows.
    BOOL MouseOverRowResizeArea(CPoint point) const;
    BOOL MouseOverColumnResizeArea(CPoint point) const;
    // Divider dragging: a press on a divider starts it (TRUE), the next left release sets the new
    // width or height. The press handler leaves idle mode before it could ask, so only a caller
    // of this starts a drag.
    BOOL BeginDividerDrag(CPoint point);
    // One step of the auto-scroll of a mouse selection towards a point outside the cells (what
    // the timer GRID_AUTOSCROLL_TIMER does with the cursor); nothing starts that timer.
    void AutoScrollTo(CPoint point);
    CMenu& GetPopupMenu() { return m_popupMenu; }

    // --- in-place editing and title tip ---------------------------------
    // key: the virtual key that starts the edit (VK_LBUTTON for the mouse, a navigation key after
    // an edit ended with it, 0 when typing); ch: the typed character that starts it (0 for none).
    virtual void EditCell(int row, int col, UINT key, UINT ch = 0);
    virtual CWnd* CreateCellEditor(const CRect& rect, DWORD style, UINT id, int row, int col, LPCTSTR text,
                                   UINT key, UINT ch);
    // Stores an edited text; TRUE when it was stored.
    virtual BOOL OnEndCellEdit(int row, int col, LPCTSTR text);
    // GRIDN_END_EDIT of the editor (GRID_EDITOR_ID).
    void OnEndInPlaceEdit(NMHDR* nmhdr, LRESULT* result);

    // --- clipboard, drag and drop ----------------------------------------
    // The selection's bounding range as text: rows joined by "\n", fields by "\t"; FALSE when no
    // range is selected.
    virtual BOOL CopySelection(CString& text);
    virtual void CutSelection();
    virtual BOOL PasteText(int row, int col, const CString& text);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();
    BOOL OnUpdateEditCopy() const;
    BOOL OnUpdateEditCut() const;
    BOOL OnUpdateEditPaste() const;
    BOOL OnUpdateEditSelectAll() const;
    void OnBeginDrag();
    virtual BOOL CreateDragImage(CPoint* hotSpot);
    // Drop effects as DROPEFFECT_ values; text is the plain text offered (null: none).
    DWORD OnDragEnter(const CString* text, DWORD keyState, CPoint point);
    DWORD OnDragOver(const CString* text, DWORD keyState, CPoint point);
    void OnDragLeave();
    BOOL OnDrop(const CString* text, DWORD effect, CPoint point);

    // --- sorting, printing, CSV ------------------------------------------
    BOOL SortTextItems(int col, BOOL ascending);
    BOOL SortTextItems(int col, BOOL ascending, int low, int high);
    BOOL SortItems(PFNGRIDCOMPARE compare, int col, BOOL ascending, LPARAM data = 0);
    BOOL SortItems(PFNGRIDCOMPARE compare, int col, BOOL ascending, LPARAM data, int low, int high);
    void Print();
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    virtual void PrintColumnTitles(CDC* dc, CPrintInfo* info);
    virtual void PrintHeader(CDC* dc, CPrintInfo* info);
    virtual void PrintFooter(CDC* dc, CPrintInfo* info);
    BOOL Save(LPCTSTR fileName);
    BOOL Load(LPCTSTR fileName);

    // --- insertion, deletion, auto-size, search -------------------------
    int InsertColumn(LPCTSTR heading, UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE, int col = -1);
    int InsertRow(LPCTSTR heading, int row = -1);
    BOOL DeleteColumn(int col);
    BOOL DeleteRow(int row);
    BOOL DeleteNonFixedRows();
    BOOL AutoSizeColumn(int col);
    BOOL AutoSizeRow(int row);
    void AutoSizeColumns();
    void AutoSizeRows();
    void AutoSize();
    void ExpandColumnsToFit();
    void ExpandRowsToFit();
    void ExpandToFit();
    GridCellId GetNextItem(GridCellId cell, int flags) const;

    // --- hooks of the model --------------------------------------------------------------------
    LRESULT SendMessageToParent(int row, int col, int code) override;
    BOOL DeleteAllItems() override;

    // --- message handlers --------------------------------------------------------------------------
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnHScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    void OnVScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    void OnScroll(int bar, UINT code);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    UINT OnGetDlgCode() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void OnCaptureChanged(CWnd* wnd) override;
    void OnTimer(UINT_PTR id) override;
    void OnSysColorChange();
    void OnSettingChange(UINT flags, LPCTSTR section);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);

protected:
    void InvalidateGrid() override;
    void LayoutChanged() override;
    void EraseBkgnd(CDC* dc);
    // Scroll bars placed at the right and bottom edges; TRUE when their visibility changed.
    BOOL PlaceScrollBars(BOOL showHorz, BOOL showVert);

    CFont* m_pFont = nullptr;
    CMenu m_popupMenu;
    int m_nVScrollMax = 0;
    int m_nHScrollMax = 0;
    int m_nRowsPerWheelNotch = 3;
    int m_wheelRemainder = 0;
    UINT_PTR m_nTimerID = 0;
    BOOL m_bEndingPress = FALSE; // the release at the end of a press gives up the capture
    BOOL m_bMustUninitOLE = FALSE;
    BOOL m_bPrinting = FALSE;
    GridCellId m_LastDragOverCell;
    CSize m_CharSize;
    CSize m_LogicalPageSize;
    CSize m_PaperSize;
    int m_nPageHeight = 0;
    CFont* m_pPrinterFont = nullptr;
    CTitleTip* m_pTitleTip = nullptr;
    CGridDropTarget* m_pDropTarget = nullptr;

private:
    DECLARE_MESSAGE_MAP()
    // Title tip and drop target.
    void AttachTitleTipAndDropTarget();
    void ReleaseTitleTipAndDropTarget();
    void HideTitleTip();
    LRESULT OnSysColorChangeMessage(WPARAM wParam, LPARAM lParam);
    void EnsureScrollBars();
    CFont* CellFont(const LOGFONT& font);
    CDC* MeasureDC();
    void BuildPopupMenu();
    void RefreshMenuTexts();
    void ScrollArea(int dx, int dy);
    void InvertDividerLine(CPoint point);
    void EndDividerDrag(CPoint point);
    CScrollBar* Bar(int bar) const;

    std::unique_ptr<CScrollBar> m_hBar;
    std::unique_ptr<CScrollBar> m_vBar;
    BOOL m_bHorzShown = FALSE;
    BOOL m_bVertShown = FALSE;
    BOOL m_bInSize = FALSE;
    CRect m_dividerLine;
    std::map<std::string, std::unique_ptr<CFont>> m_cellFonts;
    LOGFONT m_lastLogFont{};
    CFont* m_lastCellFont = nullptr;
    std::unique_ptr<CDC> m_pMeasureDC;
    CWnd* m_pFocusBeforePress = nullptr;
};

// Attaches grid to the dialog control id on the load direction of the exchange.
void DDX_GridControl(CDataExchange* dx, int id, CGridCtrl& grid);
