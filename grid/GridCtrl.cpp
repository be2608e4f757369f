#include "grid/GridCtrl.h"

#include "model/Globals.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Font.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/Pen.h"
#include "platform/ui/ScrollBar.h"

#include <algorithm>
#include <cstring>
#include "grid/GridClipText.h"
#include "grid/GridCsv.h"
#include "grid/GridDropTarget.h"
#include "grid/GridFit.h"
#include "grid/GridSearch.h"
#include "grid/GridSorter.h"
#include "grid/InPlaceEdit.h"
#include "grid/TitleTip.h"
#include "grid/GridPrintLayout.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/PrintInfo.h"
#include <ctime>
#include <utility>

IMPLEMENT_DYNCREATE(CGridCtrl, CWnd)

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
ON_MESSAGE(WM_SETFONT, &CGridCtrl::OnSetFont)
ON_MESSAGE(WM_GETFONT, &CGridCtrl::OnGetFont)
ON_MESSAGE(WM_SYSCOLORCHANGE, &CGridCtrl::OnSysColorChangeMessage)
ON_NOTIFY(GRIDN_END_EDIT, GRID_EDITOR_ID, &CGridCtrl::OnEndInPlaceEdit)
END_MESSAGE_MAP()

namespace {
constexpr UINT kHorzBarId = 0x7F01;
constexpr UINT kVertBarId = 0x7F02;

struct MenuText {
    UINT id;
    const char* en;
    const char* zh;
};
constexpr MenuText kMenuTexts[] = {
    {ID_GRID_LOAD_MACHINE_PRESET, "Load Machine Preset(&E)", "加载 机器预置场景(&E)"},
    {ID_GRID_SAVE_AS_MACHINE_PRESET, "Save As Machine Preset(&I)", "另存为 机器预置场景(&I)"},
    {ID_GRID_DELETE_MACHINE_PRESET, "Delete Machine Preset(&D)", "删除 机器预置场景(&D)"},
};

bool KeyDown(int key) {
    return GetKeyState(key) < 0;
}
} // namespace

CGridCtrl::CGridCtrl(int rows, int cols, int fixedRows, int fixedCols) {
    RegisterWindowClass();
    m_nRowsPerWheelNotch = GetWheelScrollLines();
    SetRowCount(rows);
    SetColumnCount(cols);
    SetFixedRowCount(fixedRows);
    SetFixedColumnCount(fixedCols);
    SetTextColour(m_crTextColour);
    SetTextBkColour(m_crTextBkColour);
    SetBkColour(m_crBkColour);
    SetFixedTextColour(m_crFixedTextColour);
    SetFixedBkColour(m_crFixedBkColour);
    m_SelectedCellMap.clear();
    m_PrevSelectedCellMap.clear();
    BuildPopupMenu();
}

CGridCtrl::~CGridCtrl() {
    m_popupMenu.DestroyMenu();
    // The window goes first, so no hook of the model reaches a half-destroyed grid.
    ReleaseTitleTipAndDropTarget();
    DestroyWindow();
    m_bAllowDraw = FALSE;
    CGridModel::DeleteAllItems();
    delete m_pFont;
    m_pFont = nullptr;
}

BOOL CGridCtrl::RegisterWindowClass() {
    // Windows of this program are classes of their own; nothing to register.
    return TRUE;
}

void CGridCtrl::BuildPopupMenu() {
    m_popupMenu.CreatePopupMenu();
    const bool chinese = g_bChinese.load() != 0;
    m_popupMenu.AppendMenu(MF_STRING, kMenuTexts[0].id, chinese ? kMenuTexts[0].zh : kMenuTexts[0].en);
    m_popupMenu.AppendMenu(MF_STRING, kMenuTexts[1].id, chinese ? kMenuTexts[1].zh : kMenuTexts[1].en);
    m_popupMenu.AppendMenu(MF_STRING, kMenuTexts[2].id, "");
}

void CGridCtrl::RefreshMenuTexts() {
    const MenuText& t = kMenuTexts[2];
    m_popupMenu.ModifyMenu(t.id, MF_BYCOMMAND | MF_STRING, t.id, g_bChinese.load() ? t.zh : t.en);
}

BOOL CGridCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!parent)
        return FALSE;
    if (!CWnd::Create("MFCGridCtrl", "", style, rect, parent, id))
        return FALSE;
    AttachTitleTipAndDropTarget();
    EnsureScrollBars();
    for (int& h : m_arRowHeights)
        h = m_nDefCellHeight;
    for (int& w : m_arColWidths)
        w = m_nDefCellWidth;
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SubclassWindow(HWND hWnd) {
    if (!CWnd::SubclassWindow(hWnd))
        return FALSE;
    AttachTitleTipAndDropTarget();
    return TRUE;
}

void CGridCtrl::PreSubclassWindow() {
    CWnd::PreSubclassWindow();
    EnsureScrollBars();
    CFont font;
    font.CreateFontIndirect(&m_Logfont);
    OnSetFont(reinterpret_cast<WPARAM>(font.m_hObject), FALSE);
    ResetScrollBars();
}

void DDX_GridControl(CDataExchange* dx, int id, CGridCtrl& grid) {
    if (grid.GetSafeHwnd() || !dx || dx->m_bSaveAndValidate || !dx->m_pDlgWnd)
        return;
    CWnd* item = dx->m_pDlgWnd->GetDlgItem(id);
    if (item)
        grid.SubclassWindow(item->GetSafeHwnd());
}

// --- notifications ------------------------------------------------------------------------------

LRESULT CGridCtrl::SendMessageToParent(int row, int col, int code) {
    if (!m_hWnd)
        return 0;
    CWnd* owner = GetOwner();
    if (!owner || !owner->GetSafeHwnd())
        return 0;
    GridNotify notify{};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = static_cast<UINT>(code);
    notify.iRow = row;
    notify.iColumn = col;
    return owner->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                              reinterpret_cast<LPARAM>(&notify));
}

BOOL CGridCtrl::DeleteAllItems() {
    CGridModel::DeleteAllItems();
    return TRUE;
}

void CGridCtrl::InvalidateGrid() {
    if (m_hWnd && m_bAllowDraw)
        Invalidate();
}

void CGridCtrl::LayoutChanged() {
    if (m_hWnd && m_bAllowDraw) {
        ResetScrollBars();
        Invalidate();
    }
}

// --- font and colours ---------------------------------------------------------------------------

LRESULT CGridCtrl::OnSetFont(WPARAM wParam, LPARAM lParam) {
    CFont* font = CFont::FromHandle(reinterpret_cast<HFONT>(wParam));
    LOGFONT lf{};
    if (!font || !font->GetLogFont(&lf))
        return 0;
    delete m_pFont;
    m_pFont = new CFont;
    m_pFont->CreateFontIndirect(&lf);
    m_cellFonts.clear();
    m_lastCellFont = nullptr;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* old = dc.SelectObject(m_pFont);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const int space = dc.GetTextExtent(" ", 1).cx;
    dc.SelectObject(old);
    ApplyGridFont(lf, space, tm);
    if (m_hWnd && lParam)
        Invalidate();
    return 0;
}

LRESULT CGridCtrl::OnGetFont(WPARAM, LPARAM) {
    return m_pFont ? reinterpret_cast<LRESULT>(m_pFont->m_hObject) : 0;
}

void CGridCtrl::OnSysColorChange() {
    SystemColoursChanged(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_BTNFACE),
                         GetSysColor(COLOR_BTNSHADOW));
    InvalidateGrid();
}

LRESULT CGridCtrl::OnSysColorChangeMessage(WPARAM, LPARAM) {
    OnSysColorChange();
    return 0;
}

void CGridCtrl::OnSettingChange(UINT, LPCTSTR) {
    OnSysColorChange();
    m_nRowsPerWheelNotch = GetWheelScrollLines();
}

int CGridCtrl::GetWheelScrollLines() {
    UINT lines = 3;
    if (!SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0))
        return 3;
    return static_cast<int>(lines);
}

CFont* CGridCtrl::CellFont(const LOGFONT& font) {
    // Neighbouring cells nearly always share a font.
    if (m_lastCellFont && std::memcmp(&m_lastLogFont, &font, sizeof(LOGFONT)) == 0)
        return m_lastCellFont;
    std::string key(reinterpret_cast<const char*>(&font), sizeof(LOGFONT));
    auto it = m_cellFonts.find(key);
    if (it == m_cellFonts.end()) {
        auto created = std::make_unique<CFont>();
        created->CreateFontIndirect(&font);
        it = m_cellFonts.emplace(std::move(key), std::move(created)).first;
    }
    m_lastLogFont = font;
    m_lastCellFont = it->second.get();
    return m_lastCellFont;
}

// --- scroll bars and geometry -------------------------------------------------------------------

void CGridCtrl::EnsureScrollBars() {
    if (!m_hWnd || m_hBar)
        return;
    m_hBar = std::make_unique<CScrollBar>();
    m_vBar = std::make_unique<CScrollBar>();
    m_hBar->Create(WS_CHILD | SBS_HORZ, CRect(0, 0, 0, 0), this, kHorzBarId);
    m_vBar->Create(WS_CHILD | SBS_VERT, CRect(0, 0, 0, 0), this, kVertBarId);
    m_hBar->SetScrollRange(0, 0, FALSE);
    m_vBar->SetScrollRange(0, 0, FALSE);
}

CScrollBar* CGridCtrl::Bar(int bar) const {
    return bar == SB_HORZ ? m_hBar.get() : m_vBar.get();
}

void CGridCtrl::GetClientRect(LPRECT rect) const {
    if (!rect)
        return;
    CWnd::GetClientRect(rect);
    if (m_bVertShown)
        rect->right = std::max(rect->left, rect->right - GetSystemMetrics(SM_CXVSCROLL));
    if (m_bHorzShown)
        rect->bottom = std::max(rect->top, rect->bottom - GetSystemMetrics(SM_CYHSCROLL));
}

void CGridCtrl::Invalidate(BOOL erase) {
    CRect cells;
    GetClientRect(&cells);
    InvalidateRect(&cells, erase);
}

CRect CGridCtrl::GetViewRect() const {
    if (!m_hWnd)
        return CGridModel::GetViewRect();
    CRect rect;
    GetClientRect(&rect);
    return rect;
}

CPoint CGridCtrl::GetScrollOffset() const {
    if (!m_hBar)
        return CGridModel::GetScrollOffset();
    return CPoint(GetScrollPos32(SB_HORZ), GetScrollPos32(SB_VERT));
}

BOOL CGridCtrl::IsCellVisible(int row, int col) const {
    if (!m_hWnd)
        return FALSE;
    return CGridModel::IsCellVisible(row, col);
}

int CGridCtrl::GetScrollPos32(int bar, BOOL getTrackPos) const {
    CScrollBar* b = Bar(bar);
    if (!b)
        return 0;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    if (!b->GetScrollInfo(&si, getTrackPos ? SIF_TRACKPOS : SIF_POS))
        return 0;
    return getTrackPos ? si.nTrackPos : si.nPos;
}

BOOL CGridCtrl::SetScrollPos32(int bar, int pos, BOOL redraw) {
    CScrollBar* b = Bar(bar);
    if (!b)
        return FALSE;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    si.nPos = pos;
    return b->SetScrollInfo(&si, redraw);
}

BOOL CGridCtrl::PlaceScrollBars(BOOL showHorz, BOOL showVert) {
    const BOOL changed = showHorz != m_bHorzShown || showVert != m_bVertShown;
    m_bHorzShown = showHorz;
    m_bVertShown = showVert;
    if (!m_hBar)
        return changed;
    CRect whole;
    CWnd::GetClientRect(&whole);
    const int cx = GetSystemMetrics(SM_CXVSCROLL);
    const int cy = GetSystemMetrics(SM_CYHSCROLL);
    m_vBar->MoveWindow(whole.right - cx, 0, cx, whole.Height() - (showHorz ? cy : 0), FALSE);
    m_hBar->MoveWindow(0, whole.bottom - cy, whole.Width() - (showVert ? cx : 0), cy, FALSE);
    m_vBar->ShowWindow(showVert ? SW_SHOW : SW_HIDE);
    m_hBar->ShowWindow(showHorz ? SW_SHOW : SW_HIDE);
    return changed;
}

void CGridCtrl::ResetScrollBars() {
    if (!m_bAllowDraw || !m_hWnd)
        return;
    EnsureScrollBars();
    // Showing a bar narrows the client, which can call for the other bar: settle in a few rounds.
    for (int round = 0; round < 3; ++round) {
        CRect rect;
        GetClientRect(&rect);
        rect.left += GetFixedColumnWidth();
        rect.top += GetFixedRowHeight();
        int vMax = 0;
        int hMax = 0;
        const bool room = rect.left < rect.right && rect.top < rect.bottom;
        if (room && IsValid(GetUnobstructedNonFixedCellRange())) {
            const int nonFixedHeight = GetVirtualHeight() - GetFixedRowHeight();
            const int nonFixedWidth = GetVirtualWidth() - GetFixedColumnWidth();
            vMax = nonFixedHeight > rect.Height() ? nonFixedHeight - 1 : 0;
            hMax = nonFixedWidth > rect.Width() ? nonFixedWidth - 1 : 0;
        }
        // No whole non-fixed cell to show: no ranges at all, never the stale ones.
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_PAGE | SIF_RANGE;
        si.nMin = 0;
        si.nPage = room ? static_cast<UINT>(rect.Height()) : 0;
        si.nMax = vMax;
        m_vBar->SetScrollInfo(&si, FALSE);
        si.nPage = room ? static_cast<UINT>(rect.Width()) : 0;
        si.nMax = hMax;
        m_hBar->SetScrollInfo(&si, FALSE);
        m_nVScrollMax = vMax;
        m_nHScrollMax = hMax;
        if (!PlaceScrollBars(hMax > 0, vMax > 0))
            break;
    }
}

void CGridCtrl::EnsureVisible(int row, int col) {
    const GridCellRange visible = GetVisibleNonFixedCellRange();
    for (int i = col - visible.GetMaxCol(); i > 0; --i)
        SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    for (int i = visible.GetMinCol() - col; i > 0; --i)
        SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
    for (int i = row - visible.GetMaxRow(); i > 0; --i)
        SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    for (int i = visible.GetMinRow() - row; i > 0; --i)
        SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    CRect rect, client;
    if (GetCellRect(row, col, &rect)) {
        GetClientRect(&client);
        // Cell rectangles include their last pixel, the client's end lies one past it.
        if (rect.right >= client.right)
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
        if (rect.bottom >= client.bottom)
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    }
}

BOOL CGridCtrl::GetTextRect(int row, int col, LPRECT rect) {
    if (!GetCell(row, col) || !GetCellRect(row, col, rect))
        return FALSE;
    return TRUE;
}

// --- scrolling ----------------------------------------------------------------------------------

void CGridCtrl::ScrollArea(int dx, int dy) {
    // The moved part is repainted from the model: as fast here as moving pixels, and exact.
    CRect area;
    GetClientRect(&area);
    if (dx)
        area.left = GetFixedColumnWidth();
    if (dy)
        area.top = GetFixedRowHeight();
    InvalidateRect(&area, FALSE);
}

void CGridCtrl::OnHScroll(UINT code, UINT, CWnd*) {
    OnScroll(SB_HORZ, code);
}

void CGridCtrl::OnVScroll(UINT code, UINT, CWnd*) {
    OnScroll(SB_VERT, code);
}

// One handler for both bars: the codes of a horizontal bar equal those of a vertical one (left =
// up, right = down), and only the axis differs.
static_assert(SB_LINELEFT == SB_LINEUP && SB_LINERIGHT == SB_LINEDOWN && SB_PAGELEFT == SB_PAGEUP &&
              SB_PAGERIGHT == SB_PAGEDOWN && SB_LEFT == SB_TOP && SB_RIGHT == SB_BOTTOM);
void CGridCtrl::OnScroll(int bar, UINT code) {
    if (GetFocus() != this)
        SetFocus();
    HideTitleTip();
    const bool horz = bar == SB_HORZ;
    const int pos = GetScrollPos32(bar);
    const int max = horz ? m_nHScrollMax : m_nVScrollMax;
    const GridCellId topLeft = GetTopLeftNonFixedCell();
    const int first = horz ? topLeft.col : topLeft.row;
    const int fixedCount = horz ? GetFixedColumnCount() : GetFixedRowCount();
    auto lineSize = [&](int index) { return horz ? GetColumnWidth(index) : GetRowHeight(index); };
    // A scroll by d along the bar's axis.
    auto scrollArea = [&](int d) { horz ? ScrollArea(d, 0) : ScrollArea(0, d); };
    CRect client;
    GetClientRect(&client);
    const int area = horz ? client.Width() - GetFixedColumnWidth() : client.Height() - GetFixedRowHeight();
    switch (code) {
    case SB_LINEDOWN:
        if (pos < max) {
            const int step = lineSize(first);
            SetScrollPos32(bar, pos + step);
            if (GetScrollPos32(bar) != pos)
                scrollArea(-step);
        }
        break;
    case SB_LINEUP:
        if (pos > 0 && first > fixedCount) {
            const int step = lineSize(first - 1);
            SetScrollPos32(bar, std::max(0, pos - step));
            scrollArea(step);
        }
        break;
    case SB_PAGEDOWN:
        if (pos < max) {
            SetScrollPos32(bar, std::min(max, pos + area));
            scrollArea(1);
        }
        break;
    case SB_PAGEUP:
        if (pos > 0) {
            SetScrollPos32(bar, std::max(0, pos - area));
            scrollArea(1);
        }
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        SetScrollPos32(bar, GetScrollPos32(bar, TRUE));
        if (!(GetTopLeftNonFixedCell() == topLeft))
            scrollArea(1);
        break;
    case SB_TOP:
        if (pos > 0) {
            SetScrollPos32(bar, 0);
            Invalidate();
        }
        break;
    case SB_BOTTOM:
        if (pos < max) {
            SetScrollPos32(bar, max);
            Invalidate();
        }
        break;
    default:
        break;
    }
}

BOOL CGridCtrl::OnMouseWheel(UINT flags, short delta, CPoint point) {
    UINT code = SB_LINEDOWN;
    const int n = WheelScrollCount(delta, m_nRowsPerWheelNotch, m_wheelRemainder, code);
    for (int i = 0; i < n; ++i)
        PostMessage(WM_VSCROLL, code, 0);
    (void)flags;
    (void)point;
    return TRUE;
}

void CGridCtrl::OnSize(UINT type, int cx, int cy) {
    if (m_bInSize)
        return;
    m_bInSize = TRUE;
    if (m_hWnd) {
        if (GetFocus() != this)
            SetFocus();
        CWnd::OnSize(type, cx, cy);
        PlaceScrollBars(m_bHorzShown, m_bVertShown);
        ResetScrollBars();
    }
    m_bInSize = FALSE;
}

// --- painting -----------------------------------------------------------------------------------

BOOL CGridCtrl::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CGridCtrl::OnPaint() {
    CPaintDC dc(this);
    // A window's paint already draws into the toolkit's off-screen backing store, which reaches
    // the screen in one copy: a second buffer would only copy the pixels twice more.
    OnDraw(&dc);
}

void CGridCtrl::EraseBkgnd(CDC* dc) {
    CRect visRect, clipRect, rect;
    if (dc->GetClipBox(&clipRect) == ERROR)
        return;
    GetVisibleNonFixedCellRange(&visRect);
    const int fixedWidth = GetFixedColumnWidth();
    const int fixedHeight = GetFixedRowHeight();
    // Fixed columns, fixed rows, the cell area, then what lies right of and below the cells.
    if (clipRect.left < fixedWidth && clipRect.top < visRect.bottom)
        dc->FillSolidRect(clipRect.left, clipRect.top, fixedWidth - clipRect.left + 1,
                          visRect.bottom - clipRect.top, m_crFixedBkColour);
    if (clipRect.top < fixedHeight && clipRect.right > fixedWidth - 1)
        dc->FillSolidRect(fixedWidth - 1, clipRect.top, visRect.right - fixedWidth + 1,
                          fixedHeight - clipRect.top, m_crFixedBkColour);
    rect.IntersectRect(clipRect, visRect);
    rect.left = std::max<LONG>(rect.left, fixedWidth);
    rect.top = std::max<LONG>(rect.top, fixedHeight);
    if (rect.left < rect.right && rect.top < rect.bottom)
        dc->FillSolidRect(&rect, m_crTextBkColour);
    if (clipRect.right > visRect.right)
        dc->FillSolidRect(visRect.right, clipRect.top, clipRect.right - visRect.right, clipRect.Height(),
                          m_crBkColour);
    if (clipRect.bottom > visRect.bottom && clipRect.left < visRect.right)
        dc->FillSolidRect(clipRect.left, visRect.bottom, visRect.right - clipRect.left,
                          clipRect.bottom - visRect.bottom, m_crBkColour);
}

void CGridCtrl::OnDraw(CDC* dc) {
    CRect clipRect;
    if (dc->GetClipBox(&clipRect) == ERROR)
        return;
    EraseBkgnd(dc);
    const int fixedRowHeight = GetFixedRowHeight();
    const int fixedColWidth = GetFixedColumnWidth();
    const GridCellId topLeft = GetTopLeftNonFixedCell();
    CRect visRect;
    const GridCellRange visible = GetVisibleNonFixedCellRange(&visRect);
    const int maxRow = visible.GetMaxRow();
    const int maxCol = visible.GetMaxCol();
    CRect rect;

    // Fixed corner.
    rect.bottom = -1;
    for (int row = 0; row < m_nFixedRows; ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        rect.right = -1;
        for (int col = 0; col < m_nFixedCols; ++col) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            DrawHeaderCell(dc, row, col, rect, FALSE);
        }
    }
    // Fixed columns of the visible rows.
    rect.bottom = fixedRowHeight - 1;
    for (int row = topLeft.row; row <= maxRow; ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.top > clipRect.bottom)
            break;
        if (rect.bottom < clipRect.top)
            continue;
        rect.right = -1;
        for (int col = 0; col < m_nFixedCols; ++col) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (rect.left > clipRect.right)
                break;
            if (rect.right < clipRect.left)
                continue;
            DrawHeaderCell(dc, row, col, rect, FALSE);
        }
    }
    // Fixed rows of the visible columns.
    rect.bottom = -1;
    for (int row = 0; row < m_nFixedRows; ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.top > clipRect.bottom)
            break;
        if (rect.bottom < clipRect.top)
            continue;
        rect.right = fixedColWidth - 1;
        for (int col = topLeft.col; col <= maxCol; ++col) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (rect.left > clipRect.right)
                break;
            if (rect.right < clipRect.left)
                continue;
            DrawHeaderCell(dc, row, col, rect, FALSE);
        }
    }
    // Normal cells.
    rect.bottom = fixedRowHeight - 1;
    for (int row = topLeft.row; row <= maxRow; ++row) {
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + GetRowHeight(row) - 1;
        if (rect.top > clipRect.bottom)
            break;
        if (rect.bottom < clipRect.top)
            continue;
        rect.right = fixedColWidth - 1;
        for (int col = topLeft.col; col <= maxCol; ++col) {
            rect.left = rect.right + 1;
            rect.right = rect.left + GetColumnWidth(col) - 1;
            if (rect.left > clipRect.right)
                break;
            if (rect.right < clipRect.left)
                continue;
            DrawCell(dc, row, col, rect, FALSE);
        }
    }
    // Grid lines of the normal cells.
    CPen pen;
    if (pen.CreatePen(PS_SOLID, 0, m_crGridColour)) {
        CPen* oldPen = dc->SelectObject(&pen);
        if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT) {
            int x = fixedColWidth;
            for (int col = topLeft.col; col <= maxCol; ++col) {
                x += GetColumnWidth(col);
                dc->MoveTo(x - 1, fixedRowHeight);
                dc->LineTo(x - 1, visRect.bottom);
            }
        }
        if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ) {
            int y = fixedRowHeight;
            for (int row = topLeft.row; row <= maxRow; ++row) {
                y += GetRowHeight(row);
                dc->MoveTo(fixedColWidth, y - 1);
                dc->LineTo(visRect.right, y - 1);
            }
        }
        dc->SelectObject(oldPen);
    }
    dc->SelectStockObject(NULL_PEN);
    if (!m_dividerLine.IsRectEmpty())
        dc->InvertRect(&m_dividerLine);
    if (m_bHorzShown && m_bVertShown) {
        // The square between the two bars.
        CRect whole, client;
        CWnd::GetClientRect(&whole);
        GetClientRect(&client);
        dc->FillSolidRect(client.right, client.bottom, whole.right - client.right,
                          whole.bottom - client.bottom, GetSysColor(COLOR_BTNFACE));
    }
}

BOOL CGridCtrl::DrawCell(CDC* dc, int row, int col, CRect rect, BOOL) {
    if (!m_bAllowDraw)
        return FALSE;
    const CGridCellItem* cell = GetCell(row, col);
    if (!cell)
        return FALSE;
    const COLORREF textBk = cell->crBkClr == CLR_DEFAULT ? m_crTextBkColour : cell->crBkClr;
    const COLORREF textColour = cell->crFgClr == CLR_DEFAULT ? m_crTextColour : cell->crFgClr;
    const int saved = dc->SaveDC();
    dc->SetBkMode(TRANSPARENT);
    CRect grown(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    if ((cell->state & GRIDSTATE_FOCUSED) && !m_bPrinting) {
        dc->FillSolidRect(&grown, textBk);
        dc->SelectStockObject(BLACK_PEN);
        dc->SelectStockObject(NULL_BRUSH);
        dc->Rectangle(&grown);
        dc->SetTextColor(textColour);
        rect.DeflateRect(1, 1);
    } else if ((cell->state & GRIDSTATE_SELECTED) && !m_bPrinting) {
        dc->FillSolidRect(&grown, GetSysColor(COLOR_HIGHLIGHT));
        dc->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        dc->FillSolidRect(&grown, textBk);
        dc->SetTextColor(textColour);
    }
    if ((cell->state & GRIDSTATE_DROPHILITED) && !m_bPrinting) {
        dc->SelectStockObject(BLACK_PEN);
        dc->SelectStockObject(NULL_BRUSH);
        dc->Rectangle(&grown);
    }
    dc->SelectObject(CellFont(cell->lfFont));
    rect.DeflateRect(m_nMargin, 0);
    CString text = cell->szText;
    dc->DrawText(text, &rect, cell->nFormat);
    dc->RestoreDC(saved);
    return TRUE;
}

BOOL CGridCtrl::DrawHeaderCell(CDC* dc, int row, int col, CRect rect, BOOL) {
    if (!m_bAllowDraw)
        return FALSE;
    const CGridCellItem* cell = GetCell(row, col);
    if (!cell)
        return FALSE;
    const COLORREF bk = cell->crBkClr == CLR_DEFAULT ? m_crFixedBkColour : cell->crBkClr;
    const COLORREF textColour = cell->crFgClr == CLR_DEFAULT ? m_crFixedTextColour : cell->crFgClr;
    if (!m_bPrinting)
        dc->FillSolidRect(rect.left, rect.top, rect.Width() + 1, rect.Height() + 1, bk);
    dc->SetTextColor(textColour);
    const int saved = dc->SaveDC();
    dc->SelectObject(CellFont(cell->lfFont));
    const GridCellId focus = m_idCurrentCell;
    if (!IsValid(focus) || (focus.row != row && focus.col != col)) {
        // Raised: light top and left edges, dark right and bottom edges.
        CPen light(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
        CPen dark(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
        dc->SelectObject(&light);
        dc->MoveTo(rect.right, rect.top);
        dc->LineTo(rect.left, rect.top);
        dc->LineTo(rect.left, rect.bottom);
        dc->SelectObject(&dark);
        dc->MoveTo(rect.right, rect.top);
        dc->LineTo(rect.right, rect.bottom);
        dc->LineTo(rect.left, rect.bottom);
        dc->SelectStockObject(NULL_PEN);
        rect.DeflateRect(1, 1);
    } else {
        // The heading of the focus row or column looks pressed.
        CRect edge(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        dc->DrawEdge(&edge, BDR_SUNKENINNER, BF_RECT);
        rect.DeflateRect(1, 1);
    }
    dc->SetBkMode(TRANSPARENT);
    rect.DeflateRect(m_nMargin, 0);
    CString text = cell->szText;
    dc->DrawText(text, &rect, cell->nFormat);
    dc->RestoreDC(saved);
    return TRUE;
}

BOOL CGridCtrl::RedrawCell(int row, int col, CDC* dc) {
    if (!m_bAllowDraw || !m_hWnd || !IsCellVisible(row, col))
        return FALSE;
    CRect rect;
    if (!GetCellRect(row, col, &rect))
        return FALSE;
    // Outside a paint, drawing goes through the window's next paint: the cell is invalidated.
    if (!dc || !ActivePaintDC()) {
        InvalidateRect(CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1), FALSE);
        return TRUE;
    }
    BOOL result;
    if (row < m_nFixedRows || col < m_nFixedCols) {
        result = DrawHeaderCell(dc, row, col, rect, TRUE);
    } else {
        result = DrawCell(dc, row, col, rect, TRUE);
        CPen pen;
        if (pen.CreatePen(PS_SOLID, 0, m_crGridColour)) {
            CPen* oldPen = dc->SelectObject(&pen);
            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ) {
                dc->MoveTo(rect.left, rect.bottom);
                dc->LineTo(rect.right + 1, rect.bottom);
            }
            if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT) {
                dc->MoveTo(rect.right, rect.top);
                dc->LineTo(rect.right, rect.bottom + 1);
            }
            dc->SelectObject(oldPen);
        }
    }
    return result;
}

BOOL CGridCtrl::RedrawRow(int row) {
    BOOL all = TRUE;
    for (int col = 0; col < m_nCols; ++col)
        all = RedrawCell(row, col) && all;
    return all;
}

BOOL CGridCtrl::RedrawColumn(int col) {
    BOOL all = TRUE;
    for (int row = 0; row < m_nRows; ++row)
        all = RedrawCell(row, col) && all;
    return all;
}

BOOL CGridCtrl::InvalidateCellRect(const GridCellId& cell) {
    if (!m_hWnd || !m_bAllowDraw || !IsCellVisible(cell))
        return FALSE;
    CRect rect;
    if (!GetCellRect(cell, &rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(&rect, TRUE);
    return TRUE;
}

BOOL CGridCtrl::InvalidateCellRange(const GridCellRange& range) {
    if (!m_hWnd || !m_bAllowDraw || !IsValid(range))
        return FALSE;
    const GridCellRange visible = GetVisibleNonFixedCellRange().Intersect(range);
    CRect rect;
    if (!GetCellRangeRect(visible, &rect))
        return FALSE;
    rect.right++;
    rect.bottom++;
    InvalidateRect(&rect, TRUE);
    return TRUE;
}

void CGridCtrl::SetRedraw(BOOL allowDraw, BOOL resetScrollBars) {
    if (allowDraw && !m_bAllowDraw && m_hWnd)
        Invalidate();
    m_bAllowDraw = allowDraw;
    if (resetScrollBars)
        ResetScrollBars();
}

CDC* CGridCtrl::MeasureDC() {
    // One DC for every measurement: making one per call cost more than the measuring when a
    // loaded file sizes thousands of cells.
    if (!m_pMeasureDC) {
        auto dc = std::make_unique<CDC>();
        if (!dc->CreateCompatibleDC(nullptr))
            return nullptr;
        m_pMeasureDC = std::move(dc);
    }
    return m_pMeasureDC.get();
}

CSize CGridCtrl::GetTextExtent(LPCTSTR text, BOOL useSelectedFont) {
    CDC* dc = MeasureDC();
    if (!dc)
        return CSize(0, 0);
    LOGFONT lf = m_Logfont;
    if (useSelectedFont)
        lf.lfWeight = 600;
    CFont* old = dc->SelectObject(CellFont(lf));
    CSize size = dc->GetTextExtent(CString(text ? text : ""));
    dc->SelectObject(old);
    size.cx += 2 * m_nMargin;
    size.cy += 2 * m_nMargin;
    return size;
}

CSize CGridCtrl::GetCellTextExtent(int row, int col, CDC*) {
    const CGridCellItem* cell = GetCell(row, col);
    if (!cell)
        return CSize(0, 0);
    CDC* dc = MeasureDC();
    if (!dc)
        return CSize(0, 0);
    LOGFONT lf = cell->lfFont;
    if (IsCellFixed(row, col))
        lf.lfWeight = 600;
    CFont* old = dc->SelectObject(CellFont(lf));
    CSize size = dc->GetTextExtent(cell->szText);
    dc->SelectObject(old);
    size.cx += 4 * m_nMargin;
    size.cy += 2 * m_nMargin;
    return size;
}

// --- focus, selection, keys ---------------------------------------------------------------------

UINT CGridCtrl::OnGetDlgCode() {
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (m_bHandleTabKey && !KeyDown(VK_CONTROL))
        code |= DLGC_WANTTAB;
    return code;
}

void CGridCtrl::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
    if (!IsValid(m_idCurrentCell)) {
        CWnd::OnKeyDown(ch, repeat, flags);
        return;
    }
    GridCellId next = m_idCurrentCell;
    BOOL wrapped = FALSE;
    const bool shift = KeyDown(VK_SHIFT);
    if (KeyDown(VK_CONTROL)) {
        switch (ch) {
        case 'A':
            OnEditSelectAll();
            break;
        case 'C':
            OnEditCopy();
            break;
        case 'V':
            OnEditPaste();
            break;
        case 'X':
            OnEditCut();
            break;
        default:
            break;
        }
    }
    switch (ch) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        next = NextCellForKey(ch, shift, &wrapped);
        break;
    case VK_PRIOR:
    case VK_NEXT: {
        const int oldTop = GetTopLeftNonFixedCell().row;
        SendMessage(WM_VSCROLL, ch == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0);
        const int moved = GetTopLeftNonFixedCell().row - oldTop;
        if (ch == VK_PRIOR)
            next.row = moved ? std::max(m_nFixedRows, next.row + moved) : m_nFixedRows;
        else
            next.row = moved ? std::min(m_nRows - 1, next.row + moved) : m_nRows - 1;
        break;
    }
    case VK_HOME:
        SendMessage(WM_VSCROLL, SB_TOP, 0);
        next.row = m_nFixedRows;
        break;
    case VK_END:
        SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
        next.row = m_nRows - 1;
        break;
    case VK_DELETE: {
        const GridCellId cell = m_idCurrentCell;
        if (!(GetItemState(cell.row, cell.col) & GRIDSTATE_READONLY)) {
            // A grid that cannot be edited keeps the text and only reports the key.
            bool cleared = true;
            if (m_bEditable) {
                cleared = SetItemText(cell.row, cell.col, "");
                if (cleared)
                    SetModified(TRUE, cell.row, cell.col);
            }
            if (cleared)
                SendMessageToParent(cell.row, cell.col, GRIDN_CELL_CLEARED);
            RedrawCell(cell);
        }
        break;
    }
    default:
        if (!KeyDown(VK_CONTROL))
            CWnd::OnKeyDown(ch, repeat, flags);
        break;
    }

    if (next == m_idCurrentCell)
        return;
    if (m_MouseMode == GRIDMODE_IDLE) {
        m_PrevSelectedCellMap.clear();
        m_MouseMode = m_bListMode ? GRIDMODE_SELECT_ROWS : GRIDMODE_SELECT_CELLS;
        m_SelectionStartCell = next;
        SetFocusCellAt(-1, -1);
        m_idCurrentCell = next;
        MarkFocusCell(next);
        RedrawCell(next);
        OnSelecting(next);
        m_MouseMode = GRIDMODE_IDLE;
    }
    if (!IsCellVisible(next)) {
        EnsureVisible(next);
        switch (ch) {
        case VK_TAB:
            if (!shift) {
                if (wrapped) {
                    SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
                    SetScrollPos32(SB_HORZ, 0);
                } else {
                    SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
                }
            } else if (wrapped) {
                SendMessage(WM_VSCROLL, SB_LINEUP, 0);
                SetScrollPos32(SB_HORZ, m_nHScrollMax);
            } else {
                SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
            }
            break;
        case VK_LEFT:
            SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
            break;
        case VK_RIGHT:
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
            break;
        case VK_UP:
            SendMessage(WM_VSCROLL, SB_LINEUP, 0);
            break;
        case VK_DOWN:
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
            break;
        default:
            break;
        }
        Invalidate();
    }
}

void CGridCtrl::OnChar(UINT ch, UINT repeat, UINT flags) {
    if (!KeyDown(VK_CONTROL) && m_MouseMode == GRIDMODE_IDLE && (!m_bHandleTabKey || ch != VK_TAB))
        EditCell(m_idCurrentCell.row, m_idCurrentCell.col, 0, ch);
    CWnd::OnChar(ch, repeat, flags);
}

// --- mouse --------------------------------------------------------------------------------------

void CGridCtrl::OnLButtonDown(UINT flags, CPoint point) {
    m_pFocusBeforePress = GetFocus();
    m_MouseMode = GRIDMODE_SELECT_ROWS;
    m_LeftClickDownPoint = point;
    m_LastMousePoint = point;
    m_LeftClickDownCell = GetCellFromPt(point, TRUE);
    if (m_LeftClickDownCell.row == 0)
        return;
    if (m_LeftClickDownCell.col == 0)
        m_LeftClickDownCell.col = 1;
    if (!IsValid(m_LeftClickDownCell))
        return;
    const GridCellId pressed = m_LeftClickDownCell;
    m_SelectionStartCell = (flags & MK_SHIFT) ? m_idCurrentCell : pressed;
    SetFocus();
    const bool wasSelected = GetItemState(pressed.row, pressed.col) & GRIDSTATE_SELECTED;
    SetFocusCellAt(-1, -1);
    SetFocusCell(pressed);
    SetItemState(pressed.row, pressed.col, ShownSelected(GetItemState(pressed.row, pressed.col)));
    Invalidate();
    if (m_bEnableDragAndDrop && m_pFocusBeforePress == this && wasSelected) {
        m_MouseMode = GRIDMODE_DRAG_PENDING;
        return;
    }
    SetCapture();
    KeepSelection((flags & MK_CONTROL) != 0);
    if (pressed.row < m_nFixedRows) {
        OnColumnHeaderClick(pressed);
        return;
    }
    if (pressed.col < m_nFixedCols)
        return;
    m_MouseMode = m_bListMode ? GRIDMODE_SELECT_ROWS : GRIDMODE_SELECT_CELLS;
    OnSelecting(pressed);
}

void CGridCtrl::OnLButtonUp(UINT flags, CPoint point) {
    CWnd::OnLButtonUp(flags, point);
    // No press of this grid is under way (none came, or its capture was taken): nothing to end.
    if (GetCapture() != this && m_MouseMode == GRIDMODE_IDLE)
        return;
    if (GetCapture() == this) {
        m_bEndingPress = TRUE;
        ReleaseCapture();
        m_bEndingPress = FALSE;
        if (m_nTimerID) {
            KillTimer(m_nTimerID);
            m_nTimerID = 0;
        }
    }
    switch (m_MouseMode) {
    case GRIDMODE_EDIT_PENDING:
        EditCell(m_idCurrentCell.row, m_idCurrentCell.col, VK_LBUTTON);
        break;
    case GRIDMODE_DRAG_PENDING:
        ResetSelectedRange();
        break;
    case GRIDMODE_COLUMN_SIZING:
    case GRIDMODE_ROW_SIZING:
        EndDividerDrag(point);
        break;
    default:
        break;
    }
    m_MouseMode = GRIDMODE_IDLE;
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    CWnd* owner = GetOwner();
    if (IsValid(m_LeftClickDownCell) && owner && owner->GetSafeHwnd())
        owner->PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID()), 0),
                           reinterpret_cast<LPARAM>(m_hWnd));
}

void CGridCtrl::OnLButtonDblClk(UINT flags, CPoint point) {
    const GridCellId cell = GetCellFromPt(point, TRUE);
    if (!IsValid(cell) || m_MouseMode != GRIDMODE_IDLE) {
        CWnd::OnLButtonDblClk(flags, point);
        return;
    }
    if (!m_bEditable) {
        if (cell.row >= m_nFixedRows && cell.col <= m_nFixedCols) {
            EditCell(cell.row, cell.col, VK_LBUTTON);
            m_idCurrentCell = m_LeftClickDownCell;
            SendMessageToParent(cell.row, cell.col, static_cast<int>(NM_DBLCLK));
        }
    } else if (IsValid(m_LeftClickDownCell) && m_LeftClickDownCell.row >= m_nFixedRows &&
               m_LeftClickDownCell.col >= m_nFixedCols) {
        SetFocus();
        SetCapture();
        SetFocusCellAt(std::max(cell.row, m_nFixedRows), std::max(cell.col, m_nFixedCols));
        m_MouseMode = GRIDMODE_EDIT_PENDING;
    }
    CWnd::OnLButtonDblClk(flags, point);
}

void CGridCtrl::OnRButtonDown(UINT flags, CPoint point) {
    m_MouseMode = GRIDMODE_SELECT_ROWS;
    m_LeftClickDownPoint = point;
    m_LeftClickDownCell = GetCellFromPt(point, TRUE);
    const GridCellId pressed = m_LeftClickDownCell;
    if (pressed.row == 0 || !IsValid(pressed))
        return;
    m_SelectionStartCell = (flags & MK_SHIFT) ? m_idCurrentCell : pressed;
    SetFocus();
    if (pressed == m_idCurrentCell) {
        m_MouseMode = GRIDMODE_EDIT_PENDING;
    } else {
        SetFocusCellAt(-1, -1);
        OnSelecting(pressed);
    }
    RefreshMenuTexts();
    m_RightClickCell = pressed;
    CPoint screen;
    GetCursorPos(&screen);
    m_popupMenu.TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, GetParent());
}

void CGridCtrl::OnMouseMove(UINT, CPoint) {}

void CGridCtrl::OnColumnHeaderClick(GridCellId cell) {
    if (!IsValid(cell))
        return;
    if (m_bListMode) {
        if (!m_bSortOnClick)
            return;
        HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        if (cell.col == m_nSortColumn) {
            m_bAscending = !m_bAscending;
        } else {
            m_bAscending = TRUE;
            m_nSortColumn = cell.col;
        }
        SortTextItems(m_nSortColumn, m_bAscending);
        Invalidate();
        SetCursor(old);
    } else {
        m_MouseMode = cell.col < m_nFixedCols ? GRIDMODE_SELECT_ALL : GRIDMODE_SELECT_COLUMNS;
        OnSelecting(cell);
    }
}

void CGridCtrl::OnRowHeaderClick(GridCellId cell) {
    if (!IsValid(cell))
        return;
    m_MouseMode = cell.row < m_nFixedRows ? GRIDMODE_SELECT_ALL : GRIDMODE_SELECT_ROWS;
    OnSelecting(cell);
}

BOOL CGridCtrl::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    if (hitTest != HTCLIENT)
        return CWnd::OnSetCursor(wnd, hitTest, message);
    switch (m_MouseMode) {
    case GRIDMODE_ROW_EDGE:
        SetCursor(LoadCursor(nullptr, IDC_SIZENS));
        break;
    case GRIDMODE_COLUMN_EDGE:
        SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
        break;
    case GRIDMODE_ROW_SIZING:
    case GRIDMODE_COLUMN_SIZING:
    case GRIDMODE_DRAGGING:
        break;
    default:
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        break;
    }
    return TRUE;
}

void CGridCtrl::OnCaptureChanged(CWnd* wnd) {
    // Our own release at the end of a press is no loss of the capture. A lost one ends the press
    // where it is: no resize, edit or click follows.
    if (!m_bEndingPress) {
        if (m_nTimerID) {
            KillTimer(m_nTimerID);
            m_nTimerID = 0;
        }
        if (!m_dividerLine.IsRectEmpty())
            InvalidateRect(&m_dividerLine, FALSE);
        m_dividerLine.SetRectEmpty();
        m_MouseMode = GRIDMODE_IDLE;
    }
    CWnd::OnCaptureChanged(wnd);
}

// --- divider dragging and auto-scroll -----------------------------------------------------------

BOOL CGridCtrl::MouseOverColumnResizeArea(CPoint point) const {
    if (point.y >= GetFixedRowHeight())
        return FALSE;
    const GridCellId cell = GetCellFromPt(point, TRUE);
    CPoint origin;
    if (!GetCellOrigin(cell, &origin))
        return FALSE;
    const int endX = origin.x + GetColumnWidth(cell.col);
    return (point.x - origin.x < m_nResizeCaptureRange && cell.col != 0) ||
           endX - point.x < m_nResizeCaptureRange;
}

BOOL CGridCtrl::MouseOverRowResizeArea(CPoint point) const {
    if (point.x >= GetFixedColumnWidth())
        return FALSE;
    const GridCellId cell = GetCellFromPt(point, TRUE);
    CPoint origin;
    if (!GetCellOrigin(cell, &origin))
        return FALSE;
    const int endY = origin.y + GetRowHeight(cell.row);
    return (point.y - origin.y < m_nResizeCaptureRange && cell.row != 0) ||
           endY - point.y < m_nResizeCaptureRange;
}

void CGridCtrl::InvertDividerLine(CPoint point) {
    CRect client;
    GetClientRect(&client);
    if (m_MouseMode == GRIDMODE_COLUMN_SIZING)
        m_dividerLine.SetRect(point.x, client.top, point.x + 2, client.bottom);
    else
        m_dividerLine.SetRect(client.left, point.y, client.right, point.y + 2);
    // The line is drawn inverted by the next paint (a window DC outside the paint draws nothing).
    InvalidateRect(&m_dividerLine, FALSE);
}

BOOL CGridCtrl::BeginDividerDrag(CPoint point) {
    m_LeftClickDownPoint = point;
    m_LastMousePoint = point;
    m_LeftClickDownCell = GetCellFromPt(point, TRUE);
    if (!IsValid(m_LeftClickDownCell))
        return FALSE;
    CPoint origin;
    if (m_bAllowColumnResize && MouseOverColumnResizeArea(point)) {
        SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
        m_MouseMode = GRIDMODE_COLUMN_SIZING;
        GetCellOrigin(m_LeftClickDownCell, &origin);
        if (point.x - origin.x < m_nResizeCaptureRange)
            --m_LeftClickDownCell.col;
    } else if (m_bAllowRowResize && MouseOverRowResizeArea(point)) {
        SetCursor(LoadCursor(nullptr, IDC_SIZENS));
        m_MouseMode = GRIDMODE_ROW_SIZING;
        GetCellOrigin(m_LeftClickDownCell, &origin);
        if (point.y - origin.y < m_nResizeCaptureRange)
            --m_LeftClickDownCell.row;
    } else {
        return FALSE;
    }
    SetCapture();
    InvertDividerLine(point);
    return TRUE;
}

void CGridCtrl::EndDividerDrag(CPoint point) {
    if (!m_dividerLine.IsRectEmpty())
        InvalidateRect(&m_dividerLine, FALSE);
    m_dividerLine.SetRectEmpty();
    CPoint origin;
    if (point == m_LeftClickDownPoint || !GetCellOrigin(m_LeftClickDownCell, &origin))
        return;
    // The pointer is kept right of (below) the cell's start, as the confined cursor would be.
    if (m_MouseMode == GRIDMODE_COLUMN_SIZING)
        SetColumnWidth(m_LeftClickDownCell.col, std::max<int>(0, point.x - origin.x));
    else
        SetRowHeight(m_LeftClickDownCell.row, std::max<int>(0, point.y - origin.y));
    ResetScrollBars();
    Invalidate();
}

void CGridCtrl::AutoScrollTo(CPoint point) {
    CRect client;
    GetClientRect(&client);
    const int fixedHeight = GetFixedRowHeight();
    const int fixedWidth = GetFixedColumnWidth();
    CPoint edge(std::clamp<LONG>(point.x, client.left, client.right - 1),
                std::clamp<LONG>(point.y, client.top, client.bottom - 1));
    if (point.y > client.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN, 0);
        edge.y = client.bottom - 1;
    } else if (point.y < fixedHeight) {
        SendMessage(WM_KEYDOWN, VK_UP, 0);
        edge.y = fixedHeight + 1;
    } else if (point.x > client.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
        edge.x = client.right - 1;
    } else if (point.x < fixedWidth) {
        SendMessage(WM_KEYDOWN, VK_LEFT, 0);
        edge.x = fixedWidth + 1;
    } else {
        return;
    }
    const GridCellId cell = GetCellFromPt(edge, TRUE);
    if (IsValid(cell))
        OnSelecting(cell);
}

void CGridCtrl::OnTimer(UINT_PTR id) {
    if (id != GRID_AUTOSCROLL_TIMER) {
        CWnd::OnTimer(id);
        return;
    }
    CPoint point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    AutoScrollTo(point);
}

// ---- Editing, clipboard, drag and drop, sorting, printing, CSV files, insertion, sizes, search

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
    CCsvTable lines;
    CString error;
    if (!CGridCsv::Read(fileName ? fileName : "", lines, &error)) {
        CGridCsv::Report(error);
        return FALSE;
    }
    DeleteAllItems();
    BOOL whole = TRUE;
    if (!lines.empty()) {
        const CCsvRow headings = lines.front();
        for (size_t k = 0; k < headings.size(); ++k)
            whole =
                InsertColumn(CString(headings[k]), DT_CENTER | DT_VCENTER | DT_SINGLELINE, -1) >= 0 && whole;
        for (size_t i = 1; i < lines.size() && whole; ++i) {
            const CCsvRow fields = lines[i];
            const int row = InsertRow(fields.empty() ? CString() : CString(fields.front()), -1);
            whole = row >= 0;
            for (size_t k = 1; k < fields.size() && row >= 0; ++k)
                SetItemText(row, static_cast<int>(k), CString(fields[k]));
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
