#include "platform/ui/ListBox.h"

#include "platform/ui/Brush.h"
#include "platform/ui/Font.h"
#include "platform/ui/GdiHandle.h"
#include "platform/ui/OwnerDraw.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/WndBridge.h"

#include <QPointer>
#include <algorithm>
#include <strings.h>
#include <QScrollBar>
#include <cstring>

IMPLEMENT_DYNAMIC(CListBox, CWnd)

struct CListBox::Scroll {
    QPointer<QScrollBar> bar;
};

CListBox::CListBox() : m_scroll(new Scroll) {}

CListBox::~CListBox() {
    delete m_scroll;
}

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("ListBox", "", style, rect, parent, id);
}

QWidget* CListBox::CreateWidget(QWidget* parent) {
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

int CListBox::AddString(LPCTSTR text) {
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}
int CListBox::InsertString(int index, LPCTSTR text) {
    return static_cast<int>(
        SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}
int CListBox::DeleteString(UINT index) {
    return static_cast<int>(SendMessage(LB_DELETESTRING, index));
}
void CListBox::ResetContent() {
    SendMessage(LB_RESETCONTENT);
}
int CListBox::GetCount() const {
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_GETCOUNT));
}
int CListBox::GetCurSel() const {
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_GETCURSEL));
}
int CListBox::SetCurSel(int index) {
    return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index)));
}
int CListBox::GetText(int index, LPTSTR buffer) const {
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_GETTEXT, static_cast<WPARAM>(index),
                                                                     reinterpret_cast<LPARAM>(buffer)));
}
void CListBox::GetText(int index, CString& text) const {
    const int n = GetTextLen(index);
    if (n < 0) {
        text.Empty();
        return;
    }
    std::string buf(static_cast<size_t>(n) + 1, '\0');
    GetText(index, buf.data());
    buf.resize(static_cast<size_t>(n));
    text = CString(buf);
}
int CListBox::GetTextLen(int index) const {
    return static_cast<int>(
        const_cast<CListBox*>(this)->SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index)));
}
int CListBox::FindString(int startAfter, LPCTSTR text) const {
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(
        LB_FINDSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
}
int CListBox::FindStringExact(int startAfter, LPCTSTR text) const {
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(
        LB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
}
int CListBox::SelectString(int startAfter, LPCTSTR text) {
    return static_cast<int>(
        SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
}
int CListBox::GetItemRect(int index, LPRECT rect) const {
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(
        LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}
int CListBox::SetItemHeight(int index, UINT height) {
    return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), height));
}
int CListBox::GetItemHeight(int index) const {
    return static_cast<int>(
        const_cast<CListBox*>(this)->SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(index)));
}
int CListBox::GetTopIndex() const {
    return static_cast<int>(const_cast<CListBox*>(this)->SendMessage(LB_GETTOPINDEX));
}
int CListBox::SetTopIndex(int index) {
    return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index)));
}
DWORD_PTR CListBox::GetItemData(int index) const {
    return static_cast<DWORD_PTR>(
        const_cast<CListBox*>(this)->SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index)));
}
int CListBox::SetItemData(int index, DWORD_PTR data) {
    return static_cast<int>(
        SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
}
UINT CListBox::ItemFromPoint(CPoint point, BOOL& outside) const {
    const auto r = static_cast<DWORD>(
        const_cast<CListBox*>(this)->SendMessage(LB_ITEMFROMPOINT, 0, MakePointLParam(point.x, point.y)));
    outside = HIWORD(r) ? TRUE : FALSE;
    return LOWORD(r);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}

void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return ReflectOwnerDraw(*this, message, lParam, result) ||
           CWnd::OnChildNotify(message, wParam, lParam, result);
}

int CListBox::ItemWidth() const {
    CRect rc;
    GetClientRect(&rc);
    if (m_scroll->bar && !m_scroll->bar->isHidden())
        rc.right -= m_scroll->bar->width();
    return rc.Width();
}

int CListBox::VisibleCount() const {
    CRect rc;
    GetClientRect(&rc);
    const int h = std::max(1, m_itemHeight);
    return std::max(1, rc.Height() / h);
}

int CListBox::ItemAt(CPoint p) const {
    const int h = std::max(1, m_itemHeight);
    if (p.y < 0)
        return LB_ERR;
    const int i = m_top + p.y / h;
    return i < static_cast<int>(m_items.size()) ? i : LB_ERR;
}

void CListBox::UpdateScrollBar() {
    if (m_itemHeight <= 0) {
        // The first measure: the font's height (or the owner's answer for owner-drawn lists).
        TEXTMETRIC tm{};
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(GetFont());
        dc.GetTextMetrics(&tm);
        m_itemHeight = std::max<int>(1, tm.tmHeight);
        if (GetStyle() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) {
            MEASUREITEMSTRUCT mis{ODT_LISTBOX, static_cast<UINT>(GetDlgCtrlID()), 0,
                                  0,           static_cast<UINT>(m_itemHeight),   0};
            if (CWnd* parent = GetParent())
                parent->SendMessage(WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
            if (mis.itemHeight > 0)
                m_itemHeight = static_cast<int>(mis.itemHeight);
        }
    }
    QScrollBar* bar = m_scroll->bar;
    if (!bar || !m_widget)
        return;
    const int count = static_cast<int>(m_items.size());
    const int visible = VisibleCount();
    const bool need = (GetStyle() & WS_VSCROLL) && (count > visible || (GetStyle() & LBS_DISABLENOSCROLL));
    const int maxTop = std::max(0, count - visible);
    m_top = std::clamp(m_top, 0, maxTop);
    bar->setVisible(need);
    if (need) {
        const int w = GetSystemMetrics(SM_CXVSCROLL);
        bar->setGeometry(m_widget->width() - w, 0, w, m_widget->height());
        const QSignalBlocker block(bar);
        bar->setRange(0, maxTop);
        bar->setPageStep(visible);
        bar->setValue(m_top);
        bar->setEnabled(count > visible);
    }
}

void CListBox::EnsureVisible(int index) {
    if (index < 0)
        return;
    const int visible = VisibleCount();
    if (index < m_top)
        m_top = index;
    else if (index >= m_top + visible)
        m_top = index - visible + 1;
    UpdateScrollBar();
}

void CListBox::Select(int index, bool notify) {
    const int count = static_cast<int>(m_items.size());
    if (count == 0)
        return;
    index = std::clamp(index, 0, count - 1);
    const bool changed = index != m_cur;
    m_cur = index;
    EnsureVisible(index);
    Invalidate();
    if (notify && changed && (GetStyle() & LBS_NOTIFY))
        NotifyParent(LBN_SELCHANGE);
}

LRESULT CListBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const int count = static_cast<int>(m_items.size());
    auto valid = [count](WPARAM i) { return static_cast<int>(i) >= 0 && static_cast<int>(i) < count; };
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        Item item{CString(lParam ? reinterpret_cast<const char*>(lParam) : ""), 0};
        int at = count;
        if (message == LB_INSERTSTRING && static_cast<int>(wParam) >= 0) {
            if (static_cast<int>(wParam) > count)
                return LB_ERR;
            at = static_cast<int>(wParam);
        } else if (message == LB_ADDSTRING && (GetStyle() & LBS_SORT)) {
            at = 0;
            while (at < count && std::strcmp(m_items[static_cast<size_t>(at)].text, item.text) <= 0)
                ++at;
        }
        m_items.insert(m_items.begin() + at, item);
        if (m_cur >= at)
            ++m_cur;
        UpdateScrollBar();
        Invalidate();
        return at;
    }
    case LB_DELETESTRING:
        if (!valid(wParam))
            return LB_ERR;
        m_items.erase(m_items.begin() + static_cast<int>(wParam));
        if (m_cur == static_cast<int>(wParam))
            m_cur = LB_ERR;
        else if (m_cur > static_cast<int>(wParam))
            --m_cur;
        UpdateScrollBar();
        Invalidate();
        return static_cast<LRESULT>(m_items.size());
    case LB_RESETCONTENT:
        m_items.clear();
        m_cur = LB_ERR;
        m_top = 0;
        UpdateScrollBar();
        Invalidate();
        return 0;
    case LB_GETCOUNT:
        return count;
    case LB_GETCURSEL:
        return m_cur;
    case LB_SETCURSEL:
        if (static_cast<int>(wParam) == -1) {
            m_cur = LB_ERR;
            Invalidate();
            return LB_ERR;
        }
        if (!valid(wParam))
            return LB_ERR;
        Select(static_cast<int>(wParam), false);
        return m_cur;
    case LB_GETTEXT: {
        if (!valid(wParam))
            return LB_ERR;
        const CString& t = m_items[wParam].text;
        if (lParam)
            std::memcpy(reinterpret_cast<char*>(lParam), t.GetString(),
                        static_cast<size_t>(t.GetLength()) + 1);
        return t.GetLength();
    }
    case LB_GETTEXTLEN:
        return valid(wParam) ? m_items[wParam].text.GetLength() : LB_ERR;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING: {
        const char* text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        const size_t n = std::strlen(text);
        for (int k = 1; k <= count; ++k) {
            const int i = (static_cast<int>(wParam) + k + count) % count;
            const char* item = m_items[static_cast<size_t>(i)].text;
            const bool match =
                message == LB_FINDSTRINGEXACT ? strcasecmp(item, text) == 0 : strncasecmp(item, text, n) == 0;
            if (match) {
                if (message == LB_SELECTSTRING)
                    Select(i, false);
                return i;
            }
        }
        return LB_ERR;
    }
    case LB_GETITEMRECT: {
        auto* rc = reinterpret_cast<RECT*>(lParam);
        if (!rc || (!valid(wParam) && !(count == 0 && wParam == 0)))
            return LB_ERR;
        UpdateScrollBar();
        const int y = (static_cast<int>(wParam) - m_top) * m_itemHeight;
        *rc = RECT{0, y, ItemWidth(), y + m_itemHeight};
        return 0;
    }
    case LB_SETITEMHEIGHT:
        if (LOWORD(lParam) == 0 || LOWORD(lParam) > 255)
            return LB_ERR;
        m_itemHeight = LOWORD(lParam);
        UpdateScrollBar();
        Invalidate();
        return 0;
    case LB_GETITEMHEIGHT:
        UpdateScrollBar();
        return m_itemHeight;
    case LB_GETTOPINDEX:
        return m_top;
    case LB_SETTOPINDEX:
        if (!valid(wParam))
            return LB_ERR;
        m_top = static_cast<int>(wParam);
        UpdateScrollBar();
        Invalidate();
        return 0;
    case LB_GETITEMDATA:
        return valid(wParam) ? static_cast<LRESULT>(m_items[wParam].data) : LB_ERR;
    case LB_SETITEMDATA:
        if (!valid(wParam))
            return LB_ERR;
        m_items[wParam].data = static_cast<DWORD_PTR>(lParam);
        return 0;
    case LB_ITEMFROMPOINT: {
        UpdateScrollBar();
        const int y = GET_Y_LPARAM(lParam);
        const int i = m_top + std::max(0, y) / std::max(1, m_itemHeight);
        const bool outside =
            y < 0 || i >= count || GET_X_LPARAM(lParam) < 0 || GET_X_LPARAM(lParam) >= ItemWidth();
        return static_cast<LRESULT>(
            MAKELONG(static_cast<WORD>(std::min(i, std::max(0, count - 1))), outside ? 1 : 0));
    }
    case WM_SIZE:
    case WM_SETFONT: {
        const LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
        UpdateScrollBar();
        return r;
    }
    case WM_LBUTTONDOWN: {
        if (GetFocus() != this)
            SetFocus();
        if (!m_hWnd)
            return 0;
        UpdateScrollBar();
        const int i = ItemAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        if (i == LB_ERR)
            break;
        m_tracking = true;
        SetCapture();
        Select(i, false);
        break;
    }
    case WM_MOUSEMOVE:
        if (m_tracking) {
            const int i = ItemAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            if (i != LB_ERR && i != m_cur)
                Select(i, false);
        }
        break;
    case WM_LBUTTONUP:
        if (m_tracking) {
            m_tracking = false;
            if (GetCapture() == this)
                ::ReleaseCapture();
            if (GetStyle() & LBS_NOTIFY)
                NotifyParent(LBN_SELCHANGE);
        }
        break;
    case WM_CAPTURECHANGED:
        m_tracking = false;
        break;
    case WM_LBUTTONDBLCLK:
        if ((GetStyle() & LBS_NOTIFY) && ItemAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) != LB_ERR)
            NotifyParent(LBN_DBLCLK);
        break;
    case WM_MOUSEWHEEL: {
        const int lines = -GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3;
        if (lines) {
            m_top += lines;
            UpdateScrollBar();
            Invalidate();
        }
        return 1;
    }
    case WM_KEYDOWN: {
        if (count == 0)
            break;
        int next = m_cur;
        const int page = VisibleCount();
        switch (wParam) {
        case VK_UP:
            next = m_cur < 0 ? 0 : m_cur - 1;
            break;
        case VK_DOWN:
            next = m_cur < 0 ? 0 : m_cur + 1;
            break;
        case VK_PRIOR:
            next = m_cur - page + 1;
            break;
        case VK_NEXT:
            next = m_cur + page - 1;
            break;
        case VK_HOME:
            next = 0;
            break;
        case VK_END:
            next = count - 1;
            break;
        default:
            return CWnd::DefWindowProc(message, wParam, lParam);
        }
        Select(std::clamp(next, 0, count - 1), true);
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
        Invalidate();
        if (GetStyle() & LBS_NOTIFY)
            NotifyParent(message == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
        return r;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL CListBox::OnEraseBkgnd(CDC*) {
    return TRUE; // the paint covers everything
}

void CListBox::OnPaint() {
    CPaintDC dc(this);
    UpdateScrollBar();
    CRect rc;
    GetClientRect(&rc);
    rc.right = rc.left + ItemWidth();
    HBRUSH brush = SendCtlColor(&dc, WM_CTLCOLORLISTBOX);
    const COLORREF text = dc.GetTextColor();
    if (brush && brush->brushStyle != BS_NULL)
        dc.FillRect(&rc, CBrush::FromHandle(brush));
    const bool owner = GetStyle() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE);
    const bool focus = GetFocus() == this;
    const int count = static_cast<int>(m_items.size());
    for (int i = m_top; i < count; ++i) {
        const int y = (i - m_top) * m_itemHeight;
        if (y >= rc.bottom)
            break;
        CRect item(0, y, rc.right, y + m_itemHeight);
        UINT state = 0;
        if (i == m_cur)
            state |= ODS_SELECTED | (focus ? ODS_FOCUS : 0);
        if (!IsWindowEnabled())
            state |= ODS_DISABLED;
        if (owner) {
            DRAWITEMSTRUCT dis{ODT_LISTBOX,
                               static_cast<UINT>(GetDlgCtrlID()),
                               static_cast<UINT>(i),
                               ODA_DRAWENTIRE,
                               state,
                               m_hWnd,
                               dc.GetSafeHdc(),
                               item,
                               m_items[static_cast<size_t>(i)].data};
            if (CWnd* parent = GetParent())
                parent->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
            else
                DrawItem(&dis);
            continue;
        }
        const bool selected = i == m_cur;
        if (selected)
            dc.FillSolidRect(&item, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(!IsWindowEnabled() ? GetSysColor(COLOR_GRAYTEXT)
                        : selected         ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                           : text);
        CRect tr = item;
        tr.left += 2;
        dc.DrawText(m_items[static_cast<size_t>(i)].text, &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (selected && focus)
            dc.DrawFocusRect(&item);
    }
}
