#include "platform/ui/ListCtrl.h"

#include "platform/ui/Font.h"
#include "platform/ui/OwnerDraw.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/Pen.h"

#include <QPointer>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

namespace {
constexpr int kLabelIndent = 2;
}

struct CListCtrl::Scroll {
    QPointer<QScrollBar> bar;
};

CListCtrl::CListCtrl() : m_scroll(new Scroll) {}

CListCtrl::~CListCtrl() {
    delete m_scroll;
}

QWidget* CListCtrl::CreateWidget(QWidget* parent) {
    QWidget* w = CWnd::CreateWidget(parent);
    auto* bar = new QScrollBar(Qt::Vertical, w);
    bar->hide();
    bar->setFocusPolicy(Qt::NoFocus);
    QObject::connect(bar, &QScrollBar::valueChanged, w, [this](int v) {
        if (v != m_top) {
            m_top = v;
            Invalidate();
        }
    });
    m_scroll->bar = bar;
    return w;
}

int CListCtrl::GetCountPerPage() const {
    CRect rc;
    GetClientRect(&rc);
    return std::max(1, (rc.Height() - HeaderHeight()) / std::max(1, RowHeight()));
}

void CListCtrl::UpdateScrollBar() {
    const int count = static_cast<int>(m_rows.size());
    const int visible = GetCountPerPage();
    const int maxTop = std::max(0, count - visible);
    m_top = std::clamp(m_top, 0, maxTop);
    QScrollBar* bar = m_scroll->bar;
    if (!bar || !m_widget)
        return;
    const bool need = (GetStyle() & WS_VSCROLL) && count > visible;
    bar->setVisible(need);
    if (need) {
        const int w = GetSystemMetrics(SM_CXVSCROLL);
        const int top = HeaderHeight();
        bar->setGeometry(m_widget->width() - w, top, w, std::max(0, m_widget->height() - top));
        const QSignalBlocker block(bar);
        bar->setRange(0, maxTop);
        bar->setPageStep(visible);
        bar->setValue(m_top);
    }
}

BOOL CListCtrl::EnsureVisible(int item, BOOL) {
    if (item < 0 || item >= static_cast<int>(m_rows.size()))
        return FALSE;
    const int visible = GetCountPerPage();
    if (item < m_top)
        m_top = item;
    else if (item >= m_top + visible)
        m_top = item - visible + 1;
    UpdateScrollBar();
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("SysListView32", "", style, rect, parent, id);
}

int CListCtrl::HeaderHeight() const {
    if (GetStyle() & LVS_NOCOLUMNHEADER)
        return 0;
    if (m_pHeader->m_hWnd) {
        CRect client;
        GetClientRect(&client);
        WINDOWPOS pos{};
        HDLAYOUT layout{&client, &pos};
        m_pHeader->SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
        return pos.cy;
    }
    TEXTMETRIC tm{};
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(GetFont());
    dc.GetTextMetrics(&tm);
    return tm.tmHeight + 8;
}

int CListCtrl::RowHeight() const {
    if ((GetStyle() & LVS_OWNERDRAWFIXED) && m_ownerItemHeight > 0)
        return m_ownerItemHeight;
    TEXTMETRIC tm{};
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(GetFont());
    dc.GetTextMetrics(&tm);
    const int height = tm.tmHeight + 3;
    if (!(GetStyle() & LVS_OWNERDRAWFIXED))
        return height;
    MEASUREITEMSTRUCT mis{
        ODT_LISTVIEW, static_cast<UINT>(GetDlgCtrlID()), 0, 0, static_cast<UINT>(height), 0};
    auto* self = const_cast<CListCtrl*>(this);
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
    else
        self->MeasureItem(&mis);
    m_ownerItemHeight = mis.itemHeight > 0 ? static_cast<int>(mis.itemHeight) : height;
    return m_ownerItemHeight;
}

void CListCtrl::LayoutHeader() {
    if (!m_pHeader->m_hWnd)
        return;
    CRect rc;
    GetClientRect(&rc);
    m_pHeader->MoveWindow(0, 0, rc.Width(), HeaderHeight());
    UpdateScrollBar();
    Invalidate();
}

BOOL CListCtrl::ReplaceHeader(CHeaderCtrl& header) {
    if (&header == m_pHeader || header.m_hWnd || !m_pHeader->m_hWnd)
        return FALSE;
    CHeaderCtrl& old = *m_pHeader;
    CRect rc;
    old.GetClientRect(&rc);
    if (!header.Create(old.GetStyle(), rc, this, static_cast<UINT>(old.GetDlgCtrlID())))
        return FALSE;
    if (m_hFont)
        header.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
    for (int i = 0; i < old.GetItemCount(); ++i)
        header.InsertColumn(i, old.GetColumnText(i), old.GetColumnFormat(i), old.GetColumnWidth(i));
    old.DestroyWindow();
    m_pHeader = &header;
    LayoutHeader();
    return TRUE;
}

BOOL CListCtrl::SetBkColor(COLORREF colour) {
    return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour)));
}

COLORREF CListCtrl::GetBkColor() const {
    return static_cast<COLORREF>(const_cast<CListCtrl*>(this)->SendMessage(LVM_GETBKCOLOR));
}

BOOL CListCtrl::SetTextColor(COLORREF colour) {
    return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colour)));
}

COLORREF CListCtrl::GetTextColor() const {
    return static_cast<COLORREF>(const_cast<CListCtrl*>(this)->SendMessage(LVM_GETTEXTCOLOR));
}

BOOL CListCtrl::SetTextBkColor(COLORREF colour) {
    return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colour)));
}

COLORREF CListCtrl::GetTextBkColor() const {
    return static_cast<COLORREF>(const_cast<CListCtrl*>(this)->SendMessage(LVM_GETTEXTBKCOLOR));
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

void CListCtrl::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return ReflectOwnerDraw(*this, message, lParam, result) ||
           CWnd::OnChildNotify(message, wParam, lParam, result);
}

int CListCtrl::InsertColumn(int column, LPCTSTR heading, int format, int width, int) {
    if (!m_pHeader->m_hWnd)
        return -1;
    const int at = m_pHeader->InsertColumn(column, heading, format, width < 0 ? 60 : width);
    for (Row& r : m_rows)
        if (at > 0 && static_cast<size_t>(at) <= r.cells.size())
            r.cells.insert(r.cells.begin() + at, CString());
    Invalidate();
    return at;
}

BOOL CListCtrl::DeleteColumn(int column) {
    if (!m_pHeader->DeleteColumn(column))
        return FALSE;
    for (Row& r : m_rows)
        if (column >= 0 && static_cast<size_t>(column) < r.cells.size())
            r.cells.erase(r.cells.begin() + column);
    Invalidate();
    return TRUE;
}

int CListCtrl::GetColumnWidth(int column) const {
    return m_pHeader->GetColumnWidth(column);
}

BOOL CListCtrl::SetColumnWidth(int column, int width) {
    return m_pHeader->SetColumnWidth(column, width);
}

int CListCtrl::InsertItem(int item, LPCTSTR text) {
    if (item < 0)
        return -1;
    const int at = std::min(item, static_cast<int>(m_rows.size()));
    Row row;
    row.cells.assign(static_cast<size_t>(std::max(1, m_pHeader->GetItemCount())), CString());
    row.cells[0] = text ? text : "";
    m_rows.insert(m_rows.begin() + at, row);
    UpdateScrollBar();
    Invalidate();
    return at;
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCTSTR text) {
    if (item < 0 || item >= static_cast<int>(m_rows.size()) || subItem < 0)
        return FALSE;
    Row& row = m_rows[static_cast<size_t>(item)];
    if (static_cast<size_t>(subItem) >= row.cells.size())
        row.cells.resize(static_cast<size_t>(subItem) + 1);
    row.cells[static_cast<size_t>(subItem)] = text ? text : "";
    Invalidate();
    return TRUE;
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    if (item < 0 || item >= static_cast<int>(m_rows.size()) || subItem < 0)
        return CString();
    const Row& row = m_rows[static_cast<size_t>(item)];
    return static_cast<size_t>(subItem) < row.cells.size() ? row.cells[static_cast<size_t>(subItem)]
                                                           : CString();
}

BOOL CListCtrl::DeleteItem(int item) {
    return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item)));
}

BOOL CListCtrl::DeleteAllItems() {
    return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
}

int CListCtrl::GetItemCount() const {
    return static_cast<int>(const_cast<CListCtrl*>(this)->SendMessage(LVM_GETITEMCOUNT));
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data) {
    if (item < 0 || item >= static_cast<int>(m_rows.size()))
        return FALSE;
    m_rows[static_cast<size_t>(item)].data = data;
    return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
    return item >= 0 && item < static_cast<int>(m_rows.size()) ? m_rows[static_cast<size_t>(item)].data : 0;
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
    return reinterpret_cast<CHeaderCtrl*>(const_cast<CListCtrl*>(this)->SendMessage(LVM_GETHEADER));
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle) {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(exStyle)));
}

DWORD CListCtrl::GetExtendedStyle() const {
    return static_cast<DWORD>(const_cast<CListCtrl*>(this)->SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

int CListCtrl::GetNextItem(int start, int flags) const {
    for (int i = start + 1; i < static_cast<int>(m_rows.size()); ++i)
        if (!(flags & LVNI_SELECTED) || (m_rows[static_cast<size_t>(i)].state & LVIS_SELECTED))
            return i;
    return -1;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    if (item < -1 || item >= static_cast<int>(m_rows.size()))
        return FALSE;
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i)
        if (item == -1 || i == item) {
            UINT& s = m_rows[static_cast<size_t>(i)].state;
            s = (s & ~mask) | (state & mask);
        }
    Invalidate();
    return TRUE;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const {
    return item >= 0 && item < static_cast<int>(m_rows.size())
               ? m_rows[static_cast<size_t>(item)].state & mask
               : 0;
}

BOOL CListCtrl::GetItemRect(int item, LPRECT rect, UINT) const {
    if (!rect || item < 0 || item >= static_cast<int>(m_rows.size()))
        return FALSE;
    const int y = HeaderHeight() + (item - m_top) * RowHeight();
    *rect = RECT{0, y, m_pHeader->TotalWidth(), y + RowHeight()};
    return TRUE;
}

BOOL CListCtrl::GetSubItemRect(int item, int subItem, int code, CRect& rect) const {
    RECT row{};
    if (!GetItemRect(item, &row, 0) || subItem < 0 || subItem >= m_pHeader->GetItemCount())
        return FALSE;
    RECT cell{};
    m_pHeader->GetItemRect(subItem, &cell);
    rect = CRect(cell.left, row.top, cell.right, row.bottom);
    // The first column's label starts after the item's small indent.
    if (code == static_cast<int>(LVIR_LABEL) && subItem == 0)
        rect.left += kLabelIndent;
    return TRUE;
}

BOOL CListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (CWnd::OnNotify(wParam, lParam, result))
        return TRUE;
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    CWnd* parent = GetParent();
    if (!hdr || !parent || hdr->hwndFrom != m_pHeader->m_hWnd)
        return FALSE;
    const LRESULT answer = parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), lParam);
    if (result)
        *result = answer;
    return answer != 0;
}

LRESULT CListCtrl::CustomDraw(NMLVCUSTOMDRAW& cd) {
    cd.nmcd.hdr = NMHDR{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), NM_CUSTOMDRAW};
    CWnd* parent = GetParent();
    return parent ? parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                                        reinterpret_cast<LPARAM>(&cd))
                  : CDRF_DODEFAULT;
}

LRESULT CListCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
        CRect rc;
        GetClientRect(&rc);
        m_header.Create(WS_CHILD | ((GetStyle() & LVS_NOCOLUMNHEADER) ? 0 : WS_VISIBLE),
                        CRect(0, 0, std::max<int>(rc.Width(), 1), HeaderHeight()), this, 0);
        if (m_hFont)
            m_header.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
        LayoutHeader();
        return r;
    }
    case WM_SIZE:
    case WM_SETFONT: {
        const LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
        if (message == WM_SETFONT && m_pHeader->m_hWnd)
            m_pHeader->SendMessage(WM_SETFONT, wParam, lParam);
        if (message == WM_SETFONT)
            m_ownerItemHeight = 0;
        LayoutHeader();
        return r;
    }
    case WM_WINDOWPOSCHANGED:
        // An owner-drawn list measures its rows again.
        m_ownerItemHeight = 0;
        UpdateScrollBar();
        Invalidate();
        break;
    case LVM_SETBKCOLOR:
    case LVM_SETTEXTCOLOR:
    case LVM_SETTEXTBKCOLOR: {
        COLORREF& slot = message == LVM_SETBKCOLOR     ? m_bkColour
                         : message == LVM_SETTEXTCOLOR ? m_textColour
                                                       : m_textBkColour;
        slot = static_cast<COLORREF>(lParam);
        Invalidate();
        return TRUE;
    }
    case LVM_GETBKCOLOR:
        return m_bkColour == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : m_bkColour;
    case LVM_GETTEXTCOLOR:
        return m_textColour == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : m_textColour;
    case LVM_GETTEXTBKCOLOR:
        return m_textBkColour == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : m_textBkColour;
    case WM_KEYDOWN: {
        // Up, Down, Home and End move the selected row.
        const int count = static_cast<int>(m_rows.size());
        if (count == 0)
            break;
        const int cur = GetNextItem(-1, LVNI_SELECTED);
        int next = cur;
        switch (wParam) {
        case VK_UP:
            next = cur < 0 ? 0 : std::max(0, cur - 1);
            break;
        case VK_DOWN:
            next = cur < 0 ? 0 : std::min(count - 1, cur + 1);
            break;
        case VK_HOME:
            next = 0;
            break;
        case VK_END:
            next = count - 1;
            break;
        default:
            break;
        }
        if (next != cur) {
            SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
            SetItemState(next, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            EnsureVisible(next, FALSE);
        }
        break;
    }
    case LVM_GETITEMCOUNT:
        return static_cast<LRESULT>(m_rows.size());
    case LVM_DELETEITEM:
        if (static_cast<int>(wParam) < 0 || static_cast<int>(wParam) >= static_cast<int>(m_rows.size()))
            return FALSE;
        m_rows.erase(m_rows.begin() + static_cast<int>(wParam));
        UpdateScrollBar();
        Invalidate();
        return TRUE;
    case LVM_DELETEALLITEMS:
        m_rows.clear();
        m_top = 0;
        UpdateScrollBar();
        Invalidate();
        return TRUE;
    case LVM_GETHEADER:
        return reinterpret_cast<LRESULT>(m_pHeader->m_hWnd ? m_pHeader : nullptr);
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        const DWORD old = m_exStyleList;
        const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFF;
        m_exStyleList = (m_exStyleList & ~mask) | (static_cast<DWORD>(lParam) & mask);
        Invalidate();
        return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return m_exStyleList;
    case WM_LBUTTONDOWN: {
        SetFocus();
        const int y = GET_Y_LPARAM(lParam) - HeaderHeight();
        const int item = y < 0 ? -1 : m_top + y / std::max(1, RowHeight());
        if (item >= 0 && item < static_cast<int>(m_rows.size())) {
            SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
            SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        }
        NMHDR hdr{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), NM_CLICK};
        if (CWnd* parent = GetParent())
            parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                                reinterpret_cast<LPARAM>(&hdr));
        break;
    }
    case WM_MOUSEWHEEL: {
        const int lines = -GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3;
        // A list with a scroll bar stops with its last row at the bottom.
        const int last = (GetStyle() & WS_VSCROLL) ? static_cast<int>(m_rows.size()) - GetCountPerPage()
                                                   : static_cast<int>(m_rows.size()) - 1;
        m_top = std::clamp(m_top + lines, 0, std::max(0, last));
        UpdateScrollBar();
        Invalidate();
        return 1;
    }
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL CListCtrl::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CListCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    const COLORREF window = GetTextBkColor(), text = GetTextColor();
    dc.FillSolidRect(&rc, GetBkColor());
    const int rowH = RowHeight(), top = HeaderHeight();
    if (GetStyle() & LVS_OWNERDRAWFIXED) {
        const bool focus = GetFocus() == this;
        for (int i = m_top; i < static_cast<int>(m_rows.size()); ++i) {
            const int y = top + (i - m_top) * rowH;
            if (y >= rc.bottom)
                break;
            const Row& row = m_rows[static_cast<size_t>(i)];
            UINT state = 0;
            if (row.state & LVIS_SELECTED)
                state |= ODS_SELECTED;
            if ((row.state & LVIS_FOCUSED) && focus)
                state |= ODS_FOCUS;
            DRAWITEMSTRUCT dis{ODT_LISTVIEW,
                               static_cast<UINT>(GetDlgCtrlID()),
                               static_cast<UINT>(i),
                               ODA_DRAWENTIRE,
                               state,
                               m_hWnd,
                               dc.GetSafeHdc(),
                               CRect(0, y, m_pHeader->TotalWidth(), y + rowH),
                               row.data};
            const int saved = dc.SaveDC();
            if (CWnd* parent = GetParent())
                parent->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
            else
                DrawItem(&dis);
            dc.RestoreDC(saved);
        }
        return;
    }
    NMLVCUSTOMDRAW cd{};
    cd.nmcd.hdc = dc.GetSafeHdc();
    cd.nmcd.rc = rc;
    cd.nmcd.dwDrawStage = CDDS_PREPAINT;
    const LRESULT pre = CustomDraw(cd);
    const int columns = m_pHeader->GetItemCount();
    for (int i = m_top; i < static_cast<int>(m_rows.size()); ++i) {
        const int y = top + (i - m_top) * rowH;
        if (y >= rc.bottom)
            break;
        const Row& row = m_rows[static_cast<size_t>(i)];
        const bool selected = row.state & LVIS_SELECTED;
        LRESULT itemAnswer = CDRF_DODEFAULT;
        COLORREF itemText = selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text;
        COLORREF itemBk = selected ? GetSysColor(COLOR_HIGHLIGHT) : window;
        if (pre & CDRF_NOTIFYITEMDRAW) {
            NMLVCUSTOMDRAW item{};
            item.nmcd.hdc = dc.GetSafeHdc();
            item.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
            item.nmcd.dwItemSpec = static_cast<DWORD_PTR>(i);
            item.nmcd.lItemlParam = static_cast<LPARAM>(row.data);
            item.nmcd.rc = CRect(0, y, m_pHeader->TotalWidth(), y + rowH);
            item.clrText = itemText;
            item.clrTextBk = itemBk;
            itemAnswer = CustomDraw(item);
            itemText = item.clrText;
            itemBk = item.clrTextBk;
        }
        int left = 0;
        for (int c = 0; c < columns; ++c) {
            const int w = m_pHeader->GetColumnWidth(c);
            CRect cell(left, y, left + w, y + rowH);
            left += w;
            COLORREF cellText = itemText, cellBk = itemBk;
            if (itemAnswer & CDRF_NOTIFYSUBITEMDRAW) {
                NMLVCUSTOMDRAW sub{};
                sub.nmcd.hdc = dc.GetSafeHdc();
                sub.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
                sub.nmcd.dwItemSpec = static_cast<DWORD_PTR>(i);
                sub.nmcd.lItemlParam = static_cast<LPARAM>(row.data);
                sub.nmcd.rc = cell;
                sub.iSubItem = c;
                sub.clrText = itemText;
                sub.clrTextBk = itemBk;
                if (CustomDraw(sub) & CDRF_SKIPDEFAULT)
                    continue;
                cellText = sub.clrText;
                cellBk = sub.clrTextBk;
            }
            dc.FillSolidRect(&cell, cellBk);
            dc.SetBkMode(TRANSPARENT);
            dc.SetTextColor(cellText);
            CRect tr = cell;
            tr.DeflateRect(6, 0);
            const int fmt = m_pHeader->GetColumnFormat(c) & 3;
            const UINT align = fmt == LVCFMT_RIGHT ? DT_RIGHT : fmt == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
            const CString value =
                static_cast<size_t>(c) < row.cells.size() ? row.cells[static_cast<size_t>(c)] : CString();
            dc.DrawText(value, &tr, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
            if (m_exStyleList & LVS_EX_GRIDLINES) {
                CPen grid(PS_SOLID, 1, GetSysColor(COLOR_3DLIGHT));
                CPen* old = dc.SelectObject(&grid);
                dc.MoveTo(cell.left, cell.bottom - 1);
                dc.LineTo(cell.right, cell.bottom - 1);
                dc.MoveTo(cell.right - 1, cell.top);
                dc.LineTo(cell.right - 1, cell.bottom);
                dc.SelectObject(old);
            }
        }
    }
}
