#include "grid/GridModel.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kMaxCount = 0x7FFF; // rows and columns fit the 16-bit halves of the selection keys
} // namespace

CGridModel::CGridModel() {
    m_crWindowText = GetSysColor(COLOR_WINDOWTEXT);
    m_crWindowColour = GetSysColor(COLOR_WINDOW);
    m_cr3DFace = GetSysColor(COLOR_BTNFACE);
    m_crShadow = GetSysColor(COLOR_BTNSHADOW);
    m_crTextColour = m_crWindowText;
    m_crTextBkColour = m_crWindowColour;
    m_crBkColour = m_crShadow;
    m_crFixedTextColour = m_crWindowText;
    m_crFixedBkColour = m_cr3DFace;
    m_crGridColour = RGB(192, 192, 192);
    m_Logfont.lfHeight = 16;
    m_Logfont.lfWeight = FW_BOLD;
    std::strcpy(m_Logfont.lfFaceName, "System");
}

CGridModel::~CGridModel() {
    for (auto& row : m_RowData)
        for (CGridCellItem*& cell : row) {
            delete cell;
            cell = nullptr;
        }
}

// --- counts -------------------------------------------------------------------------------------

BOOL CGridModel::SetRowCount(int rows) {
    if (rows < 0 || rows > kMaxCount)
        return FALSE;
    if (rows == m_nRows)
        return TRUE;
    if (rows < m_nFixedRows)
        m_nFixedRows = rows;
    if (m_idCurrentCell.row >= rows)
        SetFocusCellAt(-1, -1);
    const int oldRows = m_nRows;
    for (int r = rows; r < oldRows; ++r) {
        for (int c = 0; c < m_nCols; ++c) {
            CGridCellItem*& cell = m_RowData[static_cast<size_t>(r)][static_cast<size_t>(c)];
            if (cell) {
                ClearCell(cell, r, c);
                delete cell;
                cell = nullptr;
            }
        }
    }
    m_nRows = rows;
    m_RowData.resize(static_cast<size_t>(rows));
    m_arRowHeights.resize(static_cast<size_t>(rows));
    for (int r = oldRows; r < rows; ++r) {
        m_arRowHeights[static_cast<size_t>(r)] = m_nDefCellHeight;
        auto& row = m_RowData[static_cast<size_t>(r)];
        row.assign(static_cast<size_t>(m_nCols), nullptr);
        for (int c = 0; c < m_nCols; ++c)
            row[static_cast<size_t>(c)] = CreateCell(r, c);
    }
    LayoutChanged();
    return TRUE;
}

BOOL CGridModel::SetColumnCount(int cols) {
    if (cols < 0 || cols > kMaxCount)
        return FALSE;
    if (cols == m_nCols)
        return TRUE;
    if (cols < m_nFixedCols)
        m_nFixedCols = cols;
    if (m_idCurrentCell.col >= cols)
        SetFocusCellAt(-1, -1);
    const int oldCols = m_nCols;
    for (int r = 0; r < m_nRows; ++r) {
        auto& row = m_RowData[static_cast<size_t>(r)];
        for (int c = cols; c < oldCols; ++c) {
            CGridCellItem*& cell = row[static_cast<size_t>(c)];
            if (cell) {
                ClearCell(cell, r, c);
                delete cell;
                cell = nullptr;
            }
        }
    }
    m_nCols = cols;
    m_arColWidths.resize(static_cast<size_t>(cols));
    for (auto& row : m_RowData)
        row.resize(static_cast<size_t>(cols), nullptr);
    for (int c = oldCols; c < cols; ++c) {
        m_arColWidths[static_cast<size_t>(c)] = m_nDefCellWidth;
        for (int r = 0; r < m_nRows; ++r)
            m_RowData[static_cast<size_t>(r)][static_cast<size_t>(c)] = CreateCell(r, c);
    }
    LayoutChanged();
    return TRUE;
}

BOOL CGridModel::SetFixedRowCount(int fixedRows) {
    if (fixedRows < 0)
        return FALSE;
    if (fixedRows > m_nRows && !SetRowCount(fixedRows))
        return FALSE;
    if (m_idCurrentCell.row >= 0 && m_idCurrentCell.row < fixedRows)
        SetFocusCellAt(-1, -1);
    m_nFixedRows = fixedRows;
    InvalidateGrid();
    return TRUE;
}

BOOL CGridModel::SetFixedColumnCount(int fixedCols) {
    if (fixedCols < 0)
        return FALSE;
    if (fixedCols > m_nCols && !SetColumnCount(fixedCols))
        return FALSE;
    if (m_idCurrentCell.col >= 0 && m_idCurrentCell.col < fixedCols)
        SetFocusCellAt(-1, -1);
    m_nFixedCols = fixedCols;
    InvalidateGrid();
    return TRUE;
}

// --- cells --------------------------------------------------------------------------------------

CGridCellItem* CGridModel::GetCell(int row, int col) const {
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return nullptr;
    return m_RowData[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

BOOL CGridModel::SetCell(int row, int col, CGridCellItem* cell) {
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return FALSE;
    CGridCellItem*& slot = m_RowData[static_cast<size_t>(row)][static_cast<size_t>(col)];
    if (slot != cell) {
        if (slot && (slot->state & GRIDSTATE_SELECTED))
            m_SelectedCellMap.erase(GridCellId(row, col).Key());
        delete slot;
        slot = cell;
        if (cell && (cell->state & GRIDSTATE_SELECTED))
            m_SelectedCellMap[GridCellId(row, col).Key()] = GridCellId(row, col);
    }
    return TRUE;
}

CGridCellItem* CGridModel::CreateCell(int row, int col) {
    auto* cell = new CGridCellItem;
    if (row > 0 && col >= 0 && col < m_nCols && row - 1 < static_cast<int>(m_RowData.size())) {
        const auto& above = m_RowData[static_cast<size_t>(row - 1)];
        if (col < static_cast<int>(above.size()) && above[static_cast<size_t>(col)])
            cell->nFormat = above[static_cast<size_t>(col)]->nFormat;
    }
    cell->lfFont = m_Logfont;
    return cell;
}

void CGridModel::ClearCell(CGridCellItem* cell, int row, int col) {
    if (!cell)
        return;
    SetItemState(row, col, 0);
    cell->szText.Empty();
}

BOOL CGridModel::SetItem(const GridItem* item) {
    if (!item)
        return FALSE;
    CGridCellItem* cell = GetCell(item->row, item->col);
    if (!cell)
        return FALSE;
    if (item->mask & GRIDMASK_TEXT) {
        cell->szText = item->szText;
        cell->szSavedText = item->szText;
    }
    if (item->mask & GRIDMASK_DATA)
        cell->lParam = item->lParam;
    if (item->mask & GRIDMASK_IMAGE)
        cell->iImage = item->iImage;
    if (item->mask & GRIDMASK_STATE)
        SetItemState(item->row, item->col, item->state);
    if (item->mask & GRIDMASK_FORMAT)
        cell->nFormat = item->nFormat;
    if (item->mask & GRIDMASK_BKCOLOUR)
        cell->crBkClr = item->crBkClr;
    if (item->mask & GRIDMASK_FGCOLOUR)
        cell->crFgClr = item->crFgClr;
    if (item->mask & GRIDMASK_FONT)
        cell->lfFont = item->lfFont;
    return TRUE;
}

BOOL CGridModel::GetItem(GridItem* item) {
    if (!item)
        return FALSE;
    const CGridCellItem* cell = GetCell(item->row, item->col);
    if (!cell)
        return FALSE;
    if (item->mask & GRIDMASK_TEXT)
        item->szText = GetItemText(item->row, item->col);
    if (item->mask & GRIDMASK_DATA)
        item->lParam = cell->lParam;
    if (item->mask & GRIDMASK_IMAGE)
        item->iImage = cell->iImage;
    if (item->mask & GRIDMASK_STATE)
        item->state = cell->state;
    if (item->mask & GRIDMASK_FORMAT)
        item->nFormat = cell->nFormat;
    if (item->mask & GRIDMASK_BKCOLOUR)
        item->crBkClr = cell->crBkClr;
    if (item->mask & GRIDMASK_FGCOLOUR)
        item->crFgClr = cell->crFgClr;
    if (item->mask & GRIDMASK_FONT)
        item->lfFont = cell->lfFont;
    return TRUE;
}

BOOL CGridModel::SetItemText(int row, int col, LPCTSTR text) {
    CGridCellItem* cell = GetCell(row, col);
    if (!cell)
        return FALSE;
    cell->szText = text ? text : "";
    cell->szSavedText = cell->szText;
    InvalidateGrid();
    return TRUE;
}

CString CGridModel::GetItemText(int row, int col) const {
    const CGridCellItem* cell = GetCell(row, col);
    return cell ? cell->szText : CString();
}

BOOL CGridModel::SetItemSavedText(int row, int col, LPCTSTR text) {
    CGridCellItem* cell = GetCell(row, col);
    if (!cell)
        return FALSE;
    cell->szSavedText = text ? text : "";
    return TRUE;
}

CString CGridModel::GetItemSavedText(int row, int col) const {
    const CGridCellItem* cell = GetCell(row, col);
    return cell ? cell->szSavedText : CString();
}

BOOL CGridModel::SetItemData(int row, int col, LPARAM data) {
    CGridCellItem* cell = GetCell(row, col);
    if (!cell)
        return FALSE;
    cell->lParam = data;
    return TRUE;
}

LPARAM CGridModel::GetItemData(int row, int col) const {
    const CGridCellItem* cell = GetCell(row, col);
    return cell ? cell->lParam : 0;
}

BOOL CGridModel::SetItemImage(int row, int col, int image) {
    CGridCellItem* cell = GetCell(row, col);
    if (!cell)
        return FALSE;
    cell->iImage = image;
    return TRUE;
}

int CGridModel::GetItemImage(int row, int col) const {
    const CGridCellItem* cell = GetCell(row, col);
    return cell ? cell->iImage : -1;
}

BOOL CGridModel::SetItemFormat(int row, int col, UINT format) {
    CGridCellItem* cell = GetCell(row, col);
    if (!cell)
        return FALSE;
    cell->nFormat = format;
    return TRUE;
}

UINT CGridModel::GetItemFormat(int row, int col) const {
    const CGridCellItem* cell = GetCell(row, col);
    return cell ? cell->nFormat : 0;
}

BOOL CGridModel::SetItemBkColour(int row, int col, COLORREF colour) {
    CGridCellItem* cell = GetCell(row, col);
    if (!cell)
        return FALSE;
    cell->crBkClr = colour;
    return TRUE;
}

COLORREF CGridModel::GetItemBkColour(int row, int col) const {
    const CGridCellItem* cell = GetCell(row, col);
    return cell ? cell->crBkClr : 0;
}

BOOL CGridModel::SetItemFgColour(int row, int col, COLORREF colour) {
    CGridCellItem* cell = GetCell(row, col);
    if (!cell)
        return FALSE;
    cell->crFgClr = colour;
    return TRUE;
}

COLORREF CGridModel::GetItemFgColour(int row, int col) const {
    const CGridCellItem* cell = GetCell(row, col);
    return cell ? cell->crFgClr : 0;
}

BOOL CGridModel::SetItemFont(int row, int col, const LOGFONT* font) {
    CGridCellItem* cell = GetCell(row, col);
    if (!cell || !font)
        return FALSE;
    cell->lfFont = *font;
    return TRUE;
}

const LOGFONT* CGridModel::GetItemFont(int row, int col) const {
    const CGridCellItem* cell = GetCell(row, col);
    return cell ? &cell->lfFont : &m_Logfont;
}

BOOL CGridModel::SetItemState(int row, int col, UINT state) {
    CGridCellItem* cell = GetCell(row, col);
    if (!cell)
        return FALSE;
    const DWORD key = GridCellId(row, col).Key();
    const bool was = cell->state & GRIDSTATE_SELECTED;
    const bool now = state & GRIDSTATE_SELECTED;
    if (was && !now)
        m_SelectedCellMap.erase(key);
    else if (!was && now)
        m_SelectedCellMap[key] = GridCellId(row, col);
    cell->state = state;
    return TRUE;
}

UINT CGridModel::GetItemState(int row, int col) const {
    const CGridCellItem* cell = GetCell(row, col);
    return cell ? cell->state : 0;
}

void CGridModel::SetModified(BOOL modified, int row, int col) {
    if (row < 1 || col < 1) {
        m_bModified = modified;
    } else if (CGridCellItem* cell = GetCell(row, col)) {
        if (modified) {
            cell->state |= GRIDSTATE_MODIFIED;
            m_bModified = TRUE;
        } else {
            cell->state &= ~GRIDSTATE_MODIFIED;
        }
    }
    if (!m_bModified)
        for (auto& r : m_RowData)
            for (CGridCellItem* cell : r)
                if (cell)
                    cell->state &= ~GRIDSTATE_MODIFIED;
}

BOOL CGridModel::GetModified(int row, int col) const {
    if (row > 0 && col > 0) {
        const CGridCellItem* cell = GetCell(row, col);
        return cell && (cell->state & GRIDSTATE_MODIFIED);
    }
    return m_bModified;
}

BOOL CGridModel::IsValid(int row, int col) const {
    return row >= 0 && row < m_nRows && col >= 0 && col < m_nCols;
}

BOOL CGridModel::IsCellFixed(int row, int col) const {
    return row < m_nFixedRows || col < m_nFixedCols;
}

GridCellRange CGridModel::GetCellRange() const {
    return {0, 0, m_nRows - 1, m_nCols - 1};
}

BOOL CGridModel::IsCellEditable(int row, int col) const {
    return m_bEditable && !(GetItemState(row, col) & GRIDSTATE_READONLY);
}

BOOL CGridModel::DeleteAllItems() {
    ResetSelectedRange();
    m_arColWidths.clear();
    m_arRowHeights.clear();
    for (int r = 0; r < static_cast<int>(m_RowData.size()); ++r) {
        auto& row = m_RowData[static_cast<size_t>(r)];
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            CGridCellItem*& cell = row[static_cast<size_t>(c)];
            if (cell) {
                ClearCell(cell, r, c);
                delete cell;
                cell = nullptr;
            }
        }
    }
    m_RowData.clear();
    m_SelectedCellMap.clear();
    m_PrevSelectedCellMap.clear();
    m_idCurrentCell = GridCellId();
    m_nRows = m_nFixedRows = m_nCols = m_nFixedCols = 0;
    LayoutChanged();
    return TRUE;
}

// --- sizes --------------------------------------------------------------------------------------

int CGridModel::GetRowHeight(int row) const {
    if (row < 0 || row >= m_nRows)
        return -1;
    return m_arRowHeights[static_cast<size_t>(row)];
}

int CGridModel::GetColumnWidth(int col) const {
    if (col < 0 || col >= m_nCols)
        return -1;
    return m_arColWidths[static_cast<size_t>(col)];
}

BOOL CGridModel::SetRowHeight(int row, int height) {
    if (row < 0 || row >= m_nRows || height < 0)
        return FALSE;
    m_arRowHeights[static_cast<size_t>(row)] = height;
    return TRUE;
}

BOOL CGridModel::SetColumnWidth(int col, int width) {
    if (col < 0 || col >= m_nCols || width < 0)
        return FALSE;
    m_arColWidths[static_cast<size_t>(col)] = width;
    return TRUE;
}

int CGridModel::GetFixedRowHeight() const {
    int h = 0;
    for (int r = 0; r < m_nFixedRows; ++r)
        h += GetRowHeight(r);
    return h;
}

int CGridModel::GetFixedColumnWidth() const {
    int w = 0;
    for (int c = 0; c < m_nFixedCols; ++c)
        w += GetColumnWidth(c);
    return w;
}

int CGridModel::GetVirtualWidth() const {
    int w = 0;
    for (int c = 0; c < m_nCols; ++c)
        w += m_arColWidths[static_cast<size_t>(c)];
    return w;
}

int CGridModel::GetVirtualHeight() const {
    int h = 0;
    for (int r = 0; r < m_nRows; ++r)
        h += m_arRowHeights[static_cast<size_t>(r)];
    return h;
}

void CGridModel::ApplyGridFont(const LOGFONT& font, int spaceWidth, const TEXTMETRIC& metrics) {
    m_Logfont = font;
    for (auto& row : m_RowData)
        for (CGridCellItem* cell : row)
            if (cell)
                cell->lfFont = font;
    m_nMargin = spaceWidth;
    m_nDefCellHeight = metrics.tmHeight + metrics.tmExternalLeading + 2 * m_nMargin;
    m_nDefCellWidth = metrics.tmAveCharWidth * 12 + 2 * m_nMargin;
}

// --- colours and flags --------------------------------------------------------------------------

void CGridModel::SystemColoursChanged(COLORREF windowText, COLORREF window, COLORREF buttonFace,
                                      COLORREF buttonShadow) {
    if (m_crTextColour == m_crWindowText)
        m_crTextColour = windowText;
    if (m_crTextBkColour == m_crWindowColour)
        m_crTextBkColour = window;
    if (m_crBkColour == m_crShadow)
        m_crBkColour = buttonShadow;
    if (m_crFixedTextColour == m_crWindowText)
        m_crFixedTextColour = windowText;
    if (m_crFixedBkColour == m_cr3DFace)
        m_crFixedBkColour = buttonFace;
    m_crWindowText = windowText;
    m_crWindowColour = window;
    m_cr3DFace = buttonFace;
    m_crShadow = buttonShadow;
}

void CGridModel::EnableSelection(BOOL enable) {
    ResetSelectedRange();
    m_bEnableSelection = enable;
    ResetSelectedRange();
}

// --- focus and selection ------------------------------------------------------------------------

void CGridModel::MarkFocusCell(const GridCellId& cell) {
    if (m_bEditable)
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GRIDSTATE_FOCUSED);
    else
        SetItemState(cell.row, cell.col, ShownSelected(GetItemState(cell.row, cell.col)));
}

UINT CGridModel::ShownSelected(UINT state) {
    // Read-only and modified marks stay: only the two marks of focus and selection change.
    return (state & ~(GRIDSTATE_FOCUSED | GRIDSTATE_SELECTED)) | GRIDSTATE_SELECTED;
}

void CGridModel::RedrawFixedOfColumn(int col, CDC* dc) {
    for (int r = 0; r < m_nFixedRows; ++r)
        RedrawCell(r, col, dc);
}

void CGridModel::RedrawFixedOfRow(int row, CDC* dc) {
    for (int c = 0; c < m_nFixedCols; ++c)
        RedrawCell(row, c, dc);
}

GridCellId CGridModel::SetFocusCell(GridCellId cell) {
    if (cell == m_idCurrentCell) {
        if (IsValid(cell)) {
            MarkFocusCell(cell);
            RedrawCell(cell);
            RedrawFixedOfColumn(cell.col, nullptr);
            RedrawFixedOfRow(cell.row, nullptr);
        }
        return m_idCurrentCell;
    }
    const GridCellId previous = m_idCurrentCell;
    m_idCurrentCell = cell;
    if (IsValid(previous)) {
        SendMessageToParent(previous.row, previous.col, GRIDN_FOCUS_LEAVING);
        SetItemState(previous.row, previous.col,
                     GetItemState(previous.row, previous.col) & ~GRIDSTATE_FOCUSED);
        RedrawCell(previous);
        if (previous.col != cell.col)
            RedrawFixedOfColumn(previous.col, nullptr);
        if (previous.row != cell.row)
            RedrawFixedOfRow(previous.row, nullptr);
    }
    if (IsValid(cell)) {
        MarkFocusCell(cell);
        RedrawCell(cell);
        if (previous.col != cell.col)
            RedrawFixedOfColumn(cell.col, nullptr);
        if (previous.row != cell.row)
            RedrawFixedOfRow(cell.row, nullptr);
        SendMessageToParent(cell.row, cell.col, GRIDN_FOCUS_CHANGED);
    }
    return previous;
}

void CGridModel::SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRepaint) {
    SetSelectedRange(GridCellRange(minRow, minCol, maxRow, maxCol), forceRepaint);
}

void CGridModel::SetSelectedRange(const GridCellRange& range, BOOL forceRepaint) {
    if (!m_bEnableSelection)
        return;
    auto redraw = [&](const GridCellId& cell) {
        if (forceRepaint)
            RedrawCell(cell);
        else
            InvalidateCellRect(cell);
    };
    const SelectionMap current = m_SelectedCellMap;
    for (const auto& [key, cell] : current) {
        (void)key;
        if (!IsValid(cell))
            continue;
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GRIDSTATE_SELECTED);
        if (!range.InRange(cell))
            redraw(cell);
    }
    if (!m_bSingleRowSelection) {
        for (const auto& [key, cell] : m_PrevSelectedCellMap) {
            (void)key;
            if (!IsValid(cell))
                continue;
            SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GRIDSTATE_SELECTED);
            redraw(cell);
        }
    }
    if (IsValid(range)) {
        for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r)
            for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c) {
                const UINT state = GetItemState(r, c);
                if (!(state & GRIDSTATE_SELECTED)) {
                    SetItemState(r, c, state | GRIDSTATE_SELECTED);
                    redraw(GridCellId(r, c));
                }
            }
    }
}

GridCellRange CGridModel::GetSelectedCellRange() const {
    GridCellRange range(m_nRows, m_nCols, -1, -1);
    for (const auto& [key, cell] : m_SelectedCellMap) {
        (void)key;
        range.SetMinRow(std::min(range.GetMinRow(), cell.row));
        range.SetMinCol(std::min(range.GetMinCol(), cell.col));
        range.SetMaxRow(std::max(range.GetMaxRow(), cell.row));
        range.SetMaxCol(std::max(range.GetMaxCol(), cell.col));
    }
    return range;
}

void CGridModel::ResetSelectedRange() {
    SetSelectedRange(-1, -1, -1, -1, FALSE);
    SetFocusCellAt(-1, -1);
}

void CGridModel::SelectAllCells() {
    if (!m_bEnableSelection)
        return;
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1);
}

void CGridModel::SelectColumns(GridCellId cell) {
    if (!m_bEnableSelection || cell.col < m_nFixedCols || !IsValid(cell))
        return;
    SetSelectedRange(m_nFixedRows, std::min(m_SelectionStartCell.col, cell.col), m_nRows - 1,
                     std::max(m_SelectionStartCell.col, cell.col));
}

void CGridModel::SelectRows(GridCellId cell) {
    if (!m_bEnableSelection || cell.row < m_nFixedRows || !IsValid(cell))
        return;
    if (m_bListMode && m_bSingleRowSelection)
        SetSelectedRange(cell.row, m_nFixedCols, cell.row, m_nCols - 1);
    else
        SetSelectedRange(std::min(m_SelectionStartCell.row, cell.row), m_nFixedCols,
                         std::max(m_SelectionStartCell.row, cell.row), m_nCols - 1);
}

void CGridModel::SelectCells(GridCellId cell) {
    if (!m_bEnableSelection || !IsValid(cell) || cell.row < m_nFixedRows || cell.col < m_nFixedCols)
        return;
    SetSelectedRange(
        std::min(m_SelectionStartCell.row, cell.row), std::min(m_SelectionStartCell.col, cell.col),
        std::max(m_SelectionStartCell.row, cell.row), std::max(m_SelectionStartCell.col, cell.col));
}

void CGridModel::OnSelecting(const GridCellId& cell) {
    if (!m_bEnableSelection)
        return;
    switch (m_MouseMode) {
    case GRIDMODE_SELECT_ALL:
        SelectAllCells();
        break;
    case GRIDMODE_SELECT_COLUMNS:
        SelectColumns(cell);
        break;
    case GRIDMODE_SELECT_ROWS:
        SelectRows(cell);
        break;
    case GRIDMODE_SELECT_CELLS:
        SelectCells(cell);
        break;
    default:
        break;
    }
}

void CGridModel::KeepSelection(BOOL keep) {
    m_PrevSelectedCellMap.clear();
    if (keep)
        m_PrevSelectedCellMap = m_SelectedCellMap;
}

GridCellId CGridModel::NextCellForKey(UINT key, BOOL shift, BOOL* wrapped) const {
    GridCellId next = m_idCurrentCell;
    if (wrapped)
        *wrapped = FALSE;
    auto wrap = [&] {
        if (wrapped)
            *wrapped = TRUE;
    };
    switch (key) {
    case VK_TAB:
        if (!shift) {
            if (next.col < m_nCols - 1) {
                ++next.col;
            } else {
                next.col = m_nFixedCols;
                next.row = next.row < m_nRows - 1 ? next.row + 1 : 1;
                wrap();
            }
        } else if (next.col > m_nFixedCols) {
            --next.col;
        } else if (next.col == m_nFixedCols && next.row > m_nFixedRows) {
            --next.row;
            next.col = m_nCols - 1;
            wrap();
        }
        break;
    case VK_LEFT:
        if (next.col > m_nFixedCols)
            --next.col;
        break;
    case VK_RIGHT:
        if (next.col < m_nCols - 1)
            ++next.col;
        break;
    case VK_UP:
        next.row = next.row > m_nFixedRows ? next.row - 1 : m_nRows - 1;
        break;
    case VK_DOWN:
        next.row = next.row < m_nRows - 1 ? next.row + 1 : 1;
        break;
    default:
        break;
    }
    return next;
}

// --- geometry -----------------------------------------------------------------------------------

GridCellId CGridModel::GetTopLeftNonFixedCell() const {
    const CPoint scroll = GetScrollOffset();
    GridCellId cell(m_nFixedRows, m_nFixedCols);
    int y = 0;
    while (y < scroll.y && cell.row < m_nRows - 1)
        y += GetRowHeight(cell.row++);
    int x = 0;
    while (x < scroll.x && cell.col < m_nCols - 1)
        x += GetColumnWidth(cell.col++);
    return cell;
}

BOOL CGridModel::GetCellOrigin(int row, int col, LPPOINT point) const {
    if (!IsValid(row, col) || !point)
        return FALSE;
    GridCellId topLeft;
    if (col >= m_nFixedCols || row >= m_nFixedRows)
        topLeft = GetTopLeftNonFixedCell();
    if ((row >= m_nFixedRows && row < topLeft.row) || (col >= m_nFixedCols && col < topLeft.col))
        return FALSE;
    point->x = 0;
    if (col < m_nFixedCols) {
        for (int c = 0; c < col; ++c)
            point->x += GetColumnWidth(c);
    } else {
        for (int c = 0; c < m_nFixedCols; ++c)
            point->x += GetColumnWidth(c);
        for (int c = topLeft.col; c < col; ++c)
            point->x += GetColumnWidth(c);
    }
    point->y = 0;
    if (row < m_nFixedRows) {
        for (int r = 0; r < row; ++r)
            point->y += GetRowHeight(r);
    } else {
        for (int r = 0; r < m_nFixedRows; ++r)
            point->y += GetRowHeight(r);
        for (int r = topLeft.row; r < row; ++r)
            point->y += GetRowHeight(r);
    }
    return TRUE;
}

BOOL CGridModel::GetCellRect(int row, int col, LPRECT rect) const {
    CPoint origin;
    if (!rect || !GetCellOrigin(row, col, &origin))
        return FALSE;
    rect->left = origin.x;
    rect->top = origin.y;
    rect->right = origin.x + GetColumnWidth(col) - 1;
    rect->bottom = origin.y + GetRowHeight(row) - 1;
    return TRUE;
}

BOOL CGridModel::GetCellRangeRect(const GridCellRange& range, LPRECT rect) const {
    CPoint minOrigin, maxOrigin;
    if (!rect || !GetCellOrigin(range.GetMinRow(), range.GetMinCol(), &minOrigin) ||
        !GetCellOrigin(range.GetMaxRow(), range.GetMaxCol(), &maxOrigin))
        return FALSE;
    rect->left = minOrigin.x;
    rect->top = minOrigin.y;
    rect->right = maxOrigin.x + GetColumnWidth(range.GetMaxCol()) - 1;
    rect->bottom = maxOrigin.y + GetRowHeight(range.GetMaxRow()) - 1;
    return TRUE;
}

GridCellId CGridModel::GetCellFromPt(CPoint point, BOOL allowFixed) const {
    const GridCellId topLeft = GetTopLeftNonFixedCell();
    GridCellId cell;
    const int fixedWidth = GetFixedColumnWidth();
    if (point.x < 0 || (!allowFixed && point.x < fixedWidth)) {
        cell.col = -1;
    } else if (point.x < fixedWidth) {
        int x = 0, c = 0;
        for (; c < m_nFixedCols; ++c) {
            x += GetColumnWidth(c);
            if (x > point.x)
                break;
        }
        cell.col = c;
    } else {
        int x = fixedWidth, c = topLeft.col;
        for (; c < m_nCols; ++c) {
            x += GetColumnWidth(c);
            if (x > point.x)
                break;
        }
        cell.col = c >= m_nCols ? -1 : c;
    }
    const int fixedHeight = GetFixedRowHeight();
    if (point.y < 0 || (!allowFixed && point.y < fixedHeight)) {
        cell.row = -1;
    } else if (point.y < fixedHeight) {
        int y = 0, r = 0;
        for (; r < m_nFixedRows; ++r) {
            y += GetRowHeight(r);
            if (y > point.y)
                break;
        }
        cell.row = r;
    } else {
        int y = fixedHeight, r = topLeft.row;
        for (; r < m_nRows; ++r) {
            y += GetRowHeight(r);
            if (y > point.y)
                break;
        }
        cell.row = r >= m_nRows ? -1 : r;
    }
    return cell;
}

GridCellRange CGridModel::GetVisibleNonFixedCellRange(LPRECT rect) const {
    const CRect client = GetViewRect();
    const GridCellId topLeft = GetTopLeftNonFixedCell();
    int bottom = GetFixedRowHeight();
    int maxRow = topLeft.row;
    for (int r = topLeft.row; r < m_nRows; ++r) {
        maxRow = r;
        bottom += GetRowHeight(r);
        if (bottom >= client.bottom) {
            bottom = client.bottom;
            break;
        }
    }
    int right = GetFixedColumnWidth();
    int maxCol = topLeft.col;
    for (int c = topLeft.col; c < m_nCols; ++c) {
        maxCol = c;
        right += GetColumnWidth(c);
        if (right >= client.right) {
            right = client.right;
            break;
        }
    }
    if (rect) {
        rect->left = rect->top = 0;
        rect->right = right;
        rect->bottom = bottom;
    }
    return {topLeft.row, topLeft.col, std::min(maxRow, m_nRows - 1), std::min(maxCol, m_nCols - 1)};
}

GridCellRange CGridModel::GetUnobstructedNonFixedCellRange() const {
    const CRect client = GetViewRect();
    GridCellRange range = GetVisibleNonFixedCellRange();
    if (range.GetMaxRow() > 0 && IsValid(range.GetMaxRow(), range.GetMinCol())) {
        int bottom = GetFixedRowHeight();
        for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r)
            bottom += GetRowHeight(r);
        if (bottom > client.bottom)
            range.SetMaxRow(range.GetMaxRow() - 1);
    }
    if (range.GetMaxCol() > 0 && IsValid(range.GetMinRow(), range.GetMaxCol())) {
        int right = GetFixedColumnWidth();
        for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c)
            right += GetColumnWidth(c);
        if (right > client.right)
            range.SetMaxCol(range.GetMaxCol() - 1);
    }
    return range;
}

BOOL CGridModel::IsCellVisible(int row, int col) const {
    if (!IsValid(row, col))
        return FALSE;
    const GridCellId topLeft = GetTopLeftNonFixedCell();
    if ((row >= m_nFixedRows && row < topLeft.row) || (col >= m_nFixedCols && col < topLeft.col))
        return FALSE;
    CPoint origin;
    if (!GetCellOrigin(row, col, &origin))
        return FALSE;
    const CRect client = GetViewRect();
    return origin.x < client.right && origin.y < client.bottom;
}

int CGridModel::WheelScrollCount(int delta, int wheelLines, int& remainder, UINT& code) {
    int n = 0;
    if (wheelLines == -1) {
        remainder += delta;
        n = remainder / WHEEL_DELTA;
        remainder -= n * WHEEL_DELTA;
        code = n > 0 ? SB_PAGEUP : SB_PAGEDOWN;
    } else {
        remainder += delta * wheelLines;
        n = remainder / WHEEL_DELTA;
        remainder -= n * WHEEL_DELTA;
        code = n > 0 ? SB_LINEUP : SB_LINEDOWN;
    }
    return n < 0 ? -n : n;
}

// --- hooks --------------------------------------------------------------------------------------

LRESULT CGridModel::SendMessageToParent(int, int, int) {
    return 0;
}

BOOL CGridModel::RedrawCell(int, int, CDC*) {
    return TRUE;
}

BOOL CGridModel::InvalidateCellRect(const GridCellId&) {
    return TRUE;
}
