// CGridCtrl operations over the editors, clipboard, drag and drop, sorting, printing, CSV files,
// insertion, auto-size and search; the algorithms live in window-free classes.
#include "grid/GridCtrl.h"

#include "grid/GridClipText.h"
#include "grid/GridCsv.h"
#include "grid/GridDropTarget.h"
#include "grid/GridFit.h"
#include "grid/GridSearch.h"
#include "grid/GridSorter.h"
#include "grid/InPlaceEdit.h"
#include "grid/TitleTip.h"
#include "grid/GridPrintLayout.h"
#include "model/Globals.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Font.h"
#include "platform/ui/Pen.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/Font.h"
#include "platform/ui/Pen.h"

#include <algorithm>
#include <ctime>
#include <utility>

namespace {

// The model's limit of rows and columns: both fit the 16-bit halves of the selection keys.
constexpr int kMaxGridCount = 0x7FFF;

} // namespace

// --- title tip and drop target ------------------------------------------------------------------

void CGridCtrl::AttachTitleTipAndDropTarget() {
    if (!m_pDropTarget)
        m_pDropTarget = new CGridDropTarget;
    m_pDropTarget->Register(this);
    if (m_bTitleTips && !m_pTitleTip) {
        m_pTitleTip = new CTitleTip;
        m_pTitleTip->Create(this);
    }
}

void CGridCtrl::ReleaseTitleTipAndDropTarget() {
    if (m_pDropTarget) {
        m_pDropTarget->Revoke();
        delete m_pDropTarget;
        m_pDropTarget = nullptr;
    }
    delete m_pTitleTip;
    m_pTitleTip = nullptr;
}

void CGridCtrl::HideTitleTip() {
    if (m_pTitleTip)
        m_pTitleTip->Hide();
}

// --- in-place editing ---------------------------------------------------------------------------

void CGridCtrl::EditCell(int row, int col, UINT key, UINT ch) {
    EnsureVisible(row, col);
    if (!IsValid(row, col) || !IsCellEditable(row, col) || !IsCellVisible(row, col))
        return;
    CRect rect;
    if (!GetCellRect(row, col, &rect))
        return;
    SendMessageToParent(row, col, GRIDN_BEGIN_EDIT);
    const UINT format = GetItemFormat(row, col);
    DWORD style = ES_LEFT;
    if (format & DT_RIGHT)
        style = ES_RIGHT;
    else if (format & DT_CENTER)
        style = ES_CENTER;
    CreateCellEditor(rect, style, GRID_EDITOR_ID, row, col, GetItemText(row, col), key, ch);
}

CWnd* CGridCtrl::CreateCellEditor(const CRect& rect, DWORD style, UINT id, int row, int col, LPCTSTR text,
                                  UINT key, UINT ch) {
    // The editor deletes itself when its window goes.
    return new CInPlaceEdit(this, rect, style, id, row, col, CString(text), key, ch);
}

BOOL CGridCtrl::OnEndCellEdit(int row, int col, LPCTSTR text) {
    if (GetItemText(row, col) == (text ? text : ""))
        return FALSE;
    if (!SetItemText(row, col, text))
        return FALSE;
    SetModified(TRUE, row, col);
    return TRUE;
}

void CGridCtrl::OnEndInPlaceEdit(NMHDR* nmhdr, LRESULT* result) {
    if (result)
        *result = 0;
    if (!m_hWnd || !nmhdr)
        return;
    const GridItem& item = reinterpret_cast<GridEditNotify*>(nmhdr)->item;
    const bool changed = GetItemText(item.row, item.col) != item.szText;
    const BOOL stored = OnEndCellEdit(item.row, item.col, item.szText);
    InvalidateCellRect(GridCellId(item.row, item.col));
    // A text the cell refused is no finished edit.
    if (!changed || stored)
        SendMessageToParent(item.row, item.col, GRIDN_END_EDIT);
    const UINT key = static_cast<UINT>(item.lParam);
    if (key == VK_TAB || (key >= VK_PRIOR && key <= VK_DOWN)) {
        OnKeyDown(key, 0, 0);
        EditCell(m_idCurrentCell.row, m_idCurrentCell.col, key);
    }
}

// --- clipboard ----------------------------------------------------------------------------------

BOOL CGridCtrl::CopySelection(CString& text) {
    text.Empty();
    const GridCellRange range = GetSelectedCellRange();
    if (!IsValid(range))
        return FALSE;
    text = CGridClipText::Build(
        range.GetMinRow(), range.GetMinCol(), range.GetMaxRow(), range.GetMaxCol(),
        [this](int r, int c) { return (GetItemState(r, c) & GRIDSTATE_SELECTED) != 0; },
        [this](int r, int c) { return GetItemText(r, c); });
    return TRUE;
}

void CGridCtrl::CutSelection() {
    if (!IsEditable())
        return;
    const SelectionMap selected = m_SelectedCellMap;
    for (const auto& entry : selected) {
        const GridCellId cell = entry.second;
        CGridCellItem* item = GetCell(cell.row, cell.col);
        if (!item || !IsCellEditable(cell))
            continue;
        SendMessageToParent(cell.row, cell.col, GRIDN_BEGIN_EDIT);
        ClearCell(item, cell.row, cell.col);
        SetModified(TRUE);
        SendMessageToParent(cell.row, cell.col, GRIDN_END_EDIT);
    }
    Invalidate();
}

BOOL CGridCtrl::PasteText(int row, int col, const CString& text) {
    if (!IsValid(row, col) || !IsCellEditable(row, col))
        return FALSE;
    const auto lines = CGridClipText::ParsePaste(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        for (size_t k = 0; k < lines[i].size(); ++k) {
            const int r = row + static_cast<int>(i);
            const int c = col + static_cast<int>(k);
            // Cells outside the grid and read-only cells keep their texts.
            if (!IsValid(r, c) || !IsCellEditable(r, c))
                continue;
            SendMessageToParent(r, c, GRIDN_BEGIN_EDIT);
            if (SetItemText(r, c, lines[i][k])) {
                SetModified(TRUE);
                SendMessageToParent(r, c, GRIDN_END_EDIT);
            }
            SetItemState(r, c, GetItemState(r, c) & ~GRIDSTATE_SELECTED);
        }
    }
    Invalidate();
    return TRUE;
}

void CGridCtrl::OnEditCut() {
    if (!IsEditable())
        return;
    CString text;
    if (!CopySelection(text))
        return;
    CClipboard::SetText(text);
    CutSelection();
}

void CGridCtrl::OnEditCopy() {
    CString text;
    if (CopySelection(text))
        CClipboard::SetText(text);
}

void CGridCtrl::OnEditPaste() {
    if (!IsEditable())
        return;
    GridCellId anchor = m_idCurrentCell;
    if (!IsValid(anchor))
        anchor = GetTopLeftNonFixedCell();
    if (!IsValid(anchor) || !CClipboard::HasText())
        return;
    PasteText(anchor.row, anchor.col, CClipboard::GetText());
}

void CGridCtrl::OnEditSelectAll() {
    SelectAllCells();
}

BOOL CGridCtrl::OnUpdateEditCopy() const {
    const GridCellRange range = GetSelectedCellRange();
    return IsValid(range) && range.Count() > 0;
}
BOOL CGridCtrl::OnUpdateEditCut() const {
    return IsEditable() && OnUpdateEditCopy();
}
BOOL CGridCtrl::OnUpdateEditPaste() const {
    return IsValid(m_idCurrentCell) && IsCellEditable(m_idCurrentCell) && CClipboard::HasText();
}
BOOL CGridCtrl::OnUpdateEditSelectAll() const {
    return IsSelectable();
}

// --- drag and drop ------------------------------------------------------------------------------

void CGridCtrl::OnBeginDrag() {
    if (!m_bEnableDragAndDrop)
        return;
    CString text;
    if (!CopySelection(text))
        return;
    const GridCellRange range = GetSelectedCellRange();
    SendMessageToParent(range.GetMinRow(), range.GetMinCol(), GRIDN_BEGIN_DRAG);
    m_MouseMode = GRIDMODE_DRAGGING;
    const DROPEFFECT effect = DoDragDrop(this, text, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    if (effect & DROPEFFECT_MOVE)
        CutSelection();
}

BOOL CGridCtrl::CreateDragImage(CPoint* hotSpot) {
    CRect rect;
    if (!m_hWnd || !GetCellRect(m_idCurrentCell, &rect))
        return FALSE;
    // The toolkit draws the dragged text itself; only the hot spot is the cell's.
    if (hotSpot)
        *hotSpot = CPoint(rect.Width(), rect.Height());
    return TRUE;
}

DWORD CGridCtrl::OnDragEnter(const CString* text, DWORD keyState, CPoint point) {
    if (!m_bEnableDragAndDrop || !text)
        return DROPEFFECT_NONE;
    const GridCellId cell = GetCellFromPt(point, FALSE);
    if (!IsValid(cell) || IsCellFixed(cell.row, cell.col) || !IsCellEditable(cell))
        return DROPEFFECT_NONE;
    m_LastDragOverCell = cell;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GRIDSTATE_DROPHILITED);
    RedrawCell(cell);
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

DWORD CGridCtrl::OnDragOver(const CString* text, DWORD keyState, CPoint point) {
    if (!m_bEnableDragAndDrop || !text || !IsEditable())
        return DROPEFFECT_NONE;
    const GridCellId cell = GetCellFromPt(point, FALSE);
    if (!IsValid(cell) || IsCellFixed(cell.row, cell.col)) {
        OnDragLeave();
        m_LastDragOverCell = GridCellId();
        return DROPEFFECT_NONE;
    }
    if (!IsCellEditable(cell))
        return DROPEFFECT_NONE;
    if (!(cell == m_LastDragOverCell)) {
        OnDragLeave();
        m_LastDragOverCell = cell;
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GRIDSTATE_DROPHILITED);
        RedrawCell(cell);
    }
    return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CGridCtrl::OnDragLeave() {
    if (!IsValid(m_LastDragOverCell))
        return;
    const GridCellId cell = m_LastDragOverCell;
    SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GRIDSTATE_DROPHILITED);
    RedrawCell(cell);
}

BOOL CGridCtrl::OnDrop(const CString* text, DWORD, CPoint) {
    if (!m_bEnableDragAndDrop || !text || !IsValid(m_LastDragOverCell) || !IsCellEditable(m_LastDragOverCell))
        return FALSE;
    m_MouseMode = GRIDMODE_IDLE;
    OnDragLeave();
    return PasteText(m_LastDragOverCell.row, m_LastDragOverCell.col, *text);
}

// --- sorting ------------------------------------------------------------------------------------

BOOL CGridCtrl::SortTextItems(int col, BOOL ascending) {
    ResetSelectedRange();
    SetFocusCellAt(-1, -1);
    return SortTextItems(col, ascending, GetFixedRowCount(), -1);
}

BOOL CGridCtrl::SortTextItems(int col, BOOL ascending, int low, int high) {
    if (col < 0 || col >= m_nCols)
        return FALSE;
    if (high == -1)
        high = m_nRows - 1;
    if (low < 0 || high >= m_nRows || low >= high)
        return FALSE;
    static const CString empty;
    CGridSorter::SortText(
        low, high, ascending != FALSE,
        [this, col](int row) -> const CString& {
            const CGridCellItem* cell = m_RowData[static_cast<size_t>(row)][static_cast<size_t>(col)];
            return cell ? cell->szText : empty;
        },
        [this](int a, int b) {
            std::swap(m_RowData[static_cast<size_t>(a)], m_RowData[static_cast<size_t>(b)]);
            std::swap(m_arRowHeights[static_cast<size_t>(a)], m_arRowHeights[static_cast<size_t>(b)]);
        });
    return TRUE;
}

BOOL CGridCtrl::SortItems(PFNGRIDCOMPARE compare, int col, BOOL ascending, LPARAM data) {
    ResetSelectedRange();
    SetFocusCellAt(-1, -1);
    return SortItems(compare, col, ascending, data, GetFixedRowCount(), -1);
}

BOOL CGridCtrl::SortItems(PFNGRIDCOMPARE compare, int col, BOOL ascending, LPARAM data, int low, int high) {
    if (!compare || col < 0 || col >= m_nCols)
        return FALSE;
    if (high == -1)
        high = m_nRows - 1;
    if (low < 0 || high >= m_nRows || low >= high)
        return FALSE;
    CGridSorter::SortData(
        low, high, ascending != FALSE, [this, col](int row) { return GetItemData(row, col); },
        [compare, data](LPARAM a, LPARAM b) { return compare(a, b, data); },
        [this](int a, int b) {
            std::swap(m_RowData[static_cast<size_t>(a)], m_RowData[static_cast<size_t>(b)]);
            std::swap(m_arRowHeights[static_cast<size_t>(a)], m_arRowHeights[static_cast<size_t>(b)]);
        });
    return TRUE;
}

// --- printing -----------------------------------------------------------------------------------

namespace {

// The application title the print job names its document and header after.
CString AppTitle() {
    return CString(g_strProduct);
}

// Where each printed page's rows begin (indexes among the non-fixed rows).
std::vector<int> PageStarts(const CGridCtrl& grid, int pageHeight) {
    std::vector<int> heights;
    for (int row = grid.GetFixedRowCount(); row < grid.GetRowCount(); ++row)
        heights.push_back(grid.GetRowHeight(row));
    return CGridPrintLayout::PageStarts(heights, pageHeight);
}

// Grid lines of one printed cell (inclusive rectangle): the bottom and, for row 0, the top; the
// right and, in column 0, the left.
void PrintCellLines(CDC* dc, int mode, int row, int col, const CRect& rect, bool firstPrintedRow) {
    const int fromLeft = rect.left - (col > 0 ? 1 : 0);
    const int fromTop = rect.top - (firstPrintedRow ? 0 : 1);
    if (mode == GRIDLINES_BOTH || mode == GRIDLINES_HORZ) {
        dc->MoveTo(fromLeft, rect.bottom);
        dc->LineTo(rect.right + 1, rect.bottom);
        if (row == 0) {
            dc->MoveTo(fromLeft, rect.top);
            dc->LineTo(rect.right + 1, rect.top);
        }
    }
    if (mode == GRIDLINES_BOTH || mode == GRIDLINES_VERT) {
        dc->MoveTo(rect.right, fromTop);
        dc->LineTo(rect.right, rect.bottom + 1);
        if (col == 0) {
            dc->MoveTo(rect.left, fromTop);
            dc->LineTo(rect.left, rect.bottom + 1);
        }
    }
}

} // namespace

void CGridCtrl::Print() {
    CPrintDialog dialog(
        FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION, this);
    if (dialog.DoModal() != IDOK || !dialog.PrinterDC())
        return;
    // Without rows there is nothing to print: no job at all.
    if (m_nRows <= m_nFixedRows)
        return;
    CPrinterDC* dc = dialog.PrinterDC();
    m_bPrinting = TRUE;
    const CString title = AppTitle();
    DOCINFO info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = title;
    if (dc->StartDoc(&info) <= 0) {
        m_bPrinting = FALSE;
        return;
    }
    CPrintInfo job;
    job.m_rectDraw.SetRect(0, 0, dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
    OnBeginPrinting(dc, &job);
    bool good = true;
    for (UINT page = job.GetMinPage(); page <= job.GetMaxPage() && good; ++page) {
        dc->StartPage();
        job.m_nCurPage = page;
        OnPrint(dc, &job);
        good = dc->EndPage() > 0;
    }
    OnEndPrinting(dc, &job);
    if (good)
        dc->EndDoc();
    else
        dc->AbortDoc();
    m_bPrinting = FALSE;
}

void CGridCtrl::OnBeginPrinting(CDC* dc, CPrintInfo* info) {
    if (!dc || !info || m_nRows <= m_nFixedRows)
        return;
    delete m_pPrinterFont;
    m_pPrinterFont = new CFont;
    m_pPrinterFont->CreateFont(-9, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                               CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                               "Times New Roman");
    CFont* old = dc->SelectObject(m_pPrinterFont);
    const CSize sample = dc->GetTextExtent(CString("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ"));
    const CGridPrintLayout::Metrics m =
        CGridPrintLayout::Measure(sample.cx, sample.cy, GetVirtualWidth(), GetFixedRowHeight(),
                                  dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
    m_CharSize = CSize(m.charWidth, m.charHeight);
    m_PaperSize = CSize(dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
    m_LogicalPageSize = CSize(m.pageWidth, m.pageHeight);
    m_nPageHeight = m.rowsHeight;
    info->SetMaxPage(static_cast<UINT>(PageStarts(*this, m_nPageHeight).size()));
    info->m_nCurPage = 1;
    dc->SelectObject(old);
}

void CGridCtrl::OnPrint(CDC* dc, CPrintInfo* info) {
    if (!dc || !info || !m_pPrinterFont)
        return;
    CFont* old = dc->SelectObject(m_pPrinterFont);
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(m_LogicalPageSize.cx, m_LogicalPageSize.cy);
    dc->SetViewportExt(m_PaperSize.cx, m_PaperSize.cy);
    const int left = -4 * m_CharSize.cx;
    int top = 0;
    dc->SetWindowOrg(left, top);

    info->m_rectDraw.SetRect(0, 0, m_LogicalPageSize.cx - 8 * m_CharSize.cx, 2 * m_CharSize.cy);
    PrintHeader(dc, info);
    top -= 3 * m_CharSize.cy;
    dc->SetWindowOrg(left, top);

    info->m_rectDraw.bottom = GetFixedRowHeight();
    PrintColumnTitles(dc, info);
    top -= GetFixedRowHeight();
    dc->SetWindowOrg(left, top);

    const std::vector<int> starts = PageStarts(*this, m_nPageHeight);
    const size_t page = info->m_nCurPage;
    if (page >= 1 && page <= starts.size()) {
        const int first = m_nFixedRows + starts[page - 1];
        const int end = page < starts.size() ? m_nFixedRows + starts[page] : m_nRows;
        CPen pen;
        pen.CreatePen(PS_SOLID, 0, m_crGridColour);
        CRect rect;
        rect.bottom = -1;
        for (int row = first; row < end; ++row) {
            rect.top = rect.bottom + 1;
            rect.bottom = rect.top + GetRowHeight(row) - 1;
            rect.right = -1;
            for (int col = 0; col < m_nCols; ++col) {
                rect.left = rect.right + 1;
                rect.right = rect.left + GetColumnWidth(col) - 1;
                DrawCell(dc, row, col, rect, FALSE);
                CPen* oldPen = dc->SelectObject(&pen);
                PrintCellLines(dc, m_nGridLines, row, col, rect, row == first);
                dc->SelectObject(oldPen);
            }
        }
        info->m_rectDraw.SetRect(0, 0, m_LogicalPageSize.cx - 8 * m_CharSize.cx, 2 * m_CharSize.cy);
        dc->SetWindowOrg(left, 2 * m_CharSize.cy - m_LogicalPageSize.cy);
        PrintFooter(dc, info);
    }
    dc->SetWindowOrg(0, 0);
    dc->SelectObject(old);
}

void CGridCtrl::OnEndPrinting(CDC*, CPrintInfo*) {
    delete m_pPrinterFont;
    m_pPrinterFont = nullptr;
}

void CGridCtrl::PrintColumnTitles(CDC* dc, CPrintInfo*) {
    CPen pen;
    pen.CreatePen(PS_SOLID, 0, m_crGridColour);
    CRect rect;
    rect.bottom = -1;
    for (int row = 0; row < m_nFixedRows; ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        for (int col = 0; col < m_nCols; ++col) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            DrawHeaderCell(dc, row, col, rect, FALSE);
            CPen* oldPen = dc->SelectObject(&pen);
            PrintCellLines(dc, m_nGridLines, row, col, rect, row == 0);
            dc->SelectObject(oldPen);
        }
    }
}

void CGridCtrl::PrintHeader(CDC* dc, CPrintInfo* info) {
    if (!m_pPrinterFont)
        return;
    LOGFONT lf{};
    m_pPrinterFont->GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    CFont bold;
    bold.CreateFontIndirect(&lf);
    CFont* old = dc->SelectObject(&bold);
    dc->SetBkMode(TRANSPARENT);
    CRect rect = info->m_rectDraw;
    dc->DrawText(AppTitle(), &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    // The caption of the nearest titled window holding the grid.
    CString caption;
    for (CWnd* wnd = GetParent(); wnd && caption.IsEmpty(); wnd = wnd->GetParent())
        wnd->GetWindowText(caption);
    rect = info->m_rectDraw;
    dc->DrawText(caption, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    CPen* oldPen = static_cast<CPen*>(dc->SelectStockObject(BLACK_PEN));
    dc->MoveTo(info->m_rectDraw.left, info->m_rectDraw.bottom);
    dc->LineTo(info->m_rectDraw.right, info->m_rectDraw.bottom);
    dc->SelectObject(oldPen);
    dc->SelectObject(old);
}

void CGridCtrl::PrintFooter(CDC* dc, CPrintInfo* info) {
    if (!m_pPrinterFont)
        return;
    CRect rect = info->m_rectDraw;
    CPen* oldPen = static_cast<CPen*>(dc->SelectStockObject(BLACK_PEN));
    dc->MoveTo(rect.left, rect.top);
    dc->LineTo(rect.right, rect.top);
    dc->SelectObject(oldPen);
    LOGFONT lf{};
    m_pPrinterFont->GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    CFont bold;
    bold.CreateFontIndirect(&lf);
    CFont* old = dc->SelectObject(&bold);
    dc->SetBkMode(TRANSPARENT);
    rect.OffsetRect(0, m_CharSize.cy / 2);
    CString page;
    page.Format("Page %u of %u", info->m_nCurPage, info->GetMaxPage());
    dc->DrawText(page, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    char stamp[128] = {};
    const std::time_t now = std::time(nullptr);
    std::strftime(stamp, sizeof(stamp), "%c", std::localtime(&now));
    dc->DrawText(CString(stamp), &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    dc->SelectObject(old);
}

// --- CSV files ----------------------------------------------------------------------------------

BOOL CGridCtrl::Save(LPCTSTR fileName) {
    CString error;
    if (!CGridCsv::Write(
            fileName ? fileName : "", m_nRows, m_nCols, [this](int r, int c) { return GetItemText(r, c); },
            &error)) {
        CGridCsv::Report(error);
        return FALSE;
    }
    return TRUE;
}

BOOL CGridCtrl::Load(LPCTSTR fileName) {
    std::vector<CGridCsv::Row> lines;
    CString error;
    if (!CGridCsv::Read(fileName ? fileName : "", lines, &error)) {
        CGridCsv::Report(error);
        return FALSE;
    }
    DeleteAllItems();
    BOOL whole = TRUE;
    if (!lines.empty()) {
        for (const CString& heading : lines.front())
            whole = InsertColumn(heading, DT_CENTER | DT_VCENTER | DT_SINGLELINE, -1) >= 0 && whole;
        for (size_t i = 1; i < lines.size() && whole; ++i) {
            const CGridCsv::Row& fields = lines[i];
            const int row = InsertRow(fields.empty() ? "" : fields.front().GetString(), -1);
            whole = row >= 0;
            for (size_t k = 1; k < fields.size() && row >= 0; ++k)
                SetItemText(row, static_cast<int>(k), fields[k]);
        }
    }
    AutoSizeColumns();
    // A file larger than a grid can hold is no loaded file.
    if (!whole) {
        CString message;
        message.Format("%s: more rows or columns than a grid holds (%d)", fileName ? fileName : "",
                       kMaxGridCount);
        CGridCsv::Report(message);
    }
    return whole;
}

// --- insertion and deletion ---------------------------------------------------------------------

int CGridCtrl::InsertColumn(LPCTSTR heading, UINT format, int col) {
    if (col < -1 || col >= m_nCols || m_nCols >= kMaxGridCount)
        return -1;
    ResetSelectedRange();
    if (m_nRows < 1)
        SetRowCount(1);
    if (static_cast<int>(m_RowData.size()) < m_nRows)
        return -1;
    const int at = col == -1 ? m_nCols : col;
    m_arColWidths.insert(m_arColWidths.begin() + at, 0);
    for (int row = 0; row < m_nRows; ++row) {
        auto& cells = m_RowData[static_cast<size_t>(row)];
        cells.insert(cells.begin() + at, CreateCell(row, at));
    }
    ++m_nCols;
    SetItemText(0, at, heading);
    for (int row = 0; row < m_nRows; ++row)
        SetItemFormat(row, at, format);
    m_arColWidths[static_cast<size_t>(at)] = GetTextExtent(heading, TRUE).cx;
    if (col != -1 && m_idCurrentCell.col >= col)
        ++m_idCurrentCell.col;
    ResetScrollBars();
    return at;
}

int CGridCtrl::InsertRow(LPCTSTR heading, int row) {
    if (row < -1 || row >= m_nRows || m_nRows >= kMaxGridCount)
        return -1;
    ResetSelectedRange();
    if (m_nCols < 1)
        SetColumnCount(1);
    const int at = row == -1 ? m_nRows : row;
    std::vector<CGridCellItem*> cells;
    cells.reserve(static_cast<size_t>(m_nCols));
    for (int col = 0; col < m_nCols; ++col)
        cells.push_back(CreateCell(at, col));
    m_RowData.insert(m_RowData.begin() + at, std::move(cells));
    m_arRowHeights.insert(m_arRowHeights.begin() + at, 0);
    ++m_nRows;
    SetItemText(at, 0, heading);
    m_arRowHeights[static_cast<size_t>(at)] = GetTextExtent(heading).cy;
    if (row != -1 && m_idCurrentCell.row >= row)
        ++m_idCurrentCell.row;
    ResetScrollBars();
    return at;
}

BOOL CGridCtrl::DeleteColumn(int col) {
    if (col < 0 || col >= m_nCols)
        return FALSE;
    ResetSelectedRange();
    for (int row = 0; row < m_nRows && row < static_cast<int>(m_RowData.size()); ++row) {
        auto& cells = m_RowData[static_cast<size_t>(row)];
        if (col >= static_cast<int>(cells.size()))
            continue;
        ClearCell(cells[static_cast<size_t>(col)], row, col);
        delete cells[static_cast<size_t>(col)];
        cells.erase(cells.begin() + col);
    }
    m_arColWidths.erase(m_arColWidths.begin() + col);
    --m_nCols;
    if (col < m_nFixedCols)
        --m_nFixedCols;
    if (m_idCurrentCell.col == col)
        m_idCurrentCell = GridCellId();
    else if (m_idCurrentCell.col > col)
        --m_idCurrentCell.col;
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::DeleteRow(int row) {
    if (row < 0 || row >= m_nRows || row >= static_cast<int>(m_RowData.size()))
        return FALSE;
    ResetSelectedRange();
    auto& cells = m_RowData[static_cast<size_t>(row)];
    for (int col = 0; col < static_cast<int>(cells.size()); ++col) {
        ClearCell(cells[static_cast<size_t>(col)], row, col);
        delete cells[static_cast<size_t>(col)];
    }
    m_RowData.erase(m_RowData.begin() + row);
    m_arRowHeights.erase(m_arRowHeights.begin() + row);
    --m_nRows;
    if (row < m_nFixedRows)
        --m_nFixedRows;
    if (m_idCurrentCell.row == row)
        m_idCurrentCell = GridCellId();
    else if (m_idCurrentCell.row > row)
        --m_idCurrentCell.row;
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::DeleteNonFixedRows() {
    for (int row = m_nRows; row >= m_nFixedRows; --row)
        DeleteRow(row);
    return TRUE;
}

// --- auto-size and fitting ----------------------------------------------------------------------

BOOL CGridCtrl::AutoSizeColumn(int col) {
    if (col < 0 || col >= m_nCols)
        return FALSE;
    int width = 0;
    for (int row = 0; row < m_nRows; ++row)
        width = std::max<int>(width, GetCellTextExtent(row, col).cx);
    m_arColWidths[static_cast<size_t>(col)] = width;
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::AutoSizeRow(int row) {
    if (row < 0 || row >= m_nRows)
        return FALSE;
    int height = 0;
    for (int col = 0; col < m_nCols; ++col)
        height = std::max<int>(height, GetCellTextExtent(row, col).cy);
    m_arRowHeights[static_cast<size_t>(row)] = height;
    ResetScrollBars();
    return TRUE;
}

void CGridCtrl::AutoSizeColumns() {
    for (int col = 0; col < m_nCols; ++col)
        AutoSizeColumn(col);
}

void CGridCtrl::AutoSizeRows() {
    for (int row = 0; row < m_nRows; ++row)
        AutoSizeRow(row);
}

void CGridCtrl::AutoSize() {
    std::fill(m_arColWidths.begin(), m_arColWidths.end(), 0);
    std::fill(m_arRowHeights.begin(), m_arRowHeights.end(), 0);
    for (int row = 0; row < m_nRows; ++row) {
        for (int col = 0; col < m_nCols; ++col) {
            const CSize size = GetCellTextExtent(row, col);
            int& width = m_arColWidths[static_cast<size_t>(col)];
            int& height = m_arRowHeights[static_cast<size_t>(row)];
            width = std::max<int>(width, size.cx);
            height = std::max<int>(height, size.cy);
        }
    }
    if (m_bAllowDraw) {
        ResetScrollBars();
        if (m_hWnd)
            Invalidate();
    }
}

void CGridCtrl::ExpandColumnsToFit() {
    if (m_nCols <= 0)
        return;
    CRect client;
    GetClientRect(&client);
    CGridFit::Expand(m_arColWidths, client.Width());
    if (m_bAllowDraw && m_hWnd)
        Invalidate();
}

void CGridCtrl::ExpandRowsToFit() {
    if (m_nRows <= 0)
        return;
    CRect client;
    GetClientRect(&client);
    CGridFit::Expand(m_arRowHeights, client.Height());
    if (m_bAllowDraw && m_hWnd)
        Invalidate();
}

void CGridCtrl::ExpandToFit() {
    ExpandColumnsToFit();
    ExpandRowsToFit();
    ExpandColumnsToFit();
}

// --- search -------------------------------------------------------------------------------------

GridCellId CGridCtrl::GetNextItem(GridCellId cell, int flags) const {
    const CGridSearch::Cell found =
        CGridSearch::Next({m_nRows, m_nCols, m_nFixedRows, m_nFixedCols}, {cell.row, cell.col},
                          static_cast<UINT>(flags), [this](int r, int c) { return GetItemState(r, c); });
    return GridCellId(found.row, found.column);
}
