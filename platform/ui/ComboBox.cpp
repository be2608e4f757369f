#include "platform/ui/ComboBox.h"

#include "platform/ui/Brush.h"
#include "platform/ui/DropDownWnd.h"
#include "platform/ui/GdiHandle.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/Pen.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cstring>
#include <strings.h>

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

// The drop-down: a CDropDownWnd holding the list. The keys move the list's highlight only; a
// release on an item or Return picks it. Every way the popup closes comes back to the combo once,
// after the popup is gone, with the pick or none.
struct CComboBox::Popup {
    // F4 or Alt+Up/Down: the keys that open and close the list.
    static bool IsDropKey(UINT message, WPARAM key) {
        return (message == WM_KEYDOWN && key == VK_F4) ||
               (message == WM_SYSKEYDOWN && (key == VK_UP || key == VK_DOWN));
    }
    class Frame;
    class List : public CListBox {
    public:
        explicit List(Frame& owner) : frame(owner) {}
        Frame& frame;
        bool releasing = false; // inside a button release: the list's change is a pick
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            // Return, F4 and Alt+Up/Down close the list on its highlighted item.
            if (IsDropKey(message, wParam) || (message == WM_KEYDOWN && wParam == VK_RETURN)) {
                frame.Pick(GetCurSel());
                return 0;
            }
            if (message == WM_GETDLGCODE)
                return DLGC_WANTALLKEYS;
            if (message == WM_LBUTTONUP) {
                releasing = true;
                const LRESULT r = CListBox::WindowProc(message, wParam, lParam);
                releasing = false;
                return r;
            }
            return CListBox::WindowProc(message, wParam, lParam);
        }
    };
    class Frame : public CDropDownWnd {
    public:
        explicit Frame(CComboBox* owner) : combo(owner), list(*this) {}
        CComboBox* combo;
        List list;
        int pick = CB_ERR;
        bool telling = false; // inside the combo's close notice, which may end the combo
        // Closes the popup choosing index (CB_ERR: nothing).
        void Pick(int index) {
            pick = index;
            ShowWindow(SW_HIDE);
        }
        BOOL ShowWindow(int command) override {
            const bool closing = command == SW_HIDE && GetOpen() == this;
            const BOOL r = CDropDownWnd::ShowWindow(command);
            if (closing) {
                const int chosen = pick;
                pick = CB_ERR;
                if (combo) {
                    telling = true;
                    combo->DropClosed(chosen);
                    telling = false;
                }
            }
            return r;
        }
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_COMMAND && HIWORD(wParam) == LBN_SELCHANGE && list.releasing) {
                Pick(list.GetCurSel());
                return 0;
            }
            return CDropDownWnd::WindowProc(message, wParam, lParam);
        }
    };
    std::unique_ptr<Frame> frame;
};

CComboBox::CComboBox() = default;

CComboBox::~CComboBox() {
    if (!m_popup || !m_popup->frame)
        return;
    Popup::Frame* f = m_popup->frame.release();
    f->combo = nullptr;
    f->ShowWindow(SW_HIDE);
    if (!f->telling) {
        delete f;
        return;
    }
    // The popup is running the call that ends this combo: let it die after the message.
    QMetaObject::invokeMethod(
        qApp, [f] { delete f; }, Qt::QueuedConnection);
}

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("ComboBox", "", style, rect, parent, id);
}

int CComboBox::AddString(LPCTSTR text) {
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}
int CComboBox::InsertString(int index, LPCTSTR text) {
    return static_cast<int>(
        SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}
int CComboBox::DeleteString(UINT index) {
    return static_cast<int>(SendMessage(CB_DELETESTRING, index));
}
void CComboBox::ResetContent() {
    SendMessage(CB_RESETCONTENT);
}
int CComboBox::GetCount() const {
    return static_cast<int>(const_cast<CComboBox*>(this)->SendMessage(CB_GETCOUNT));
}
int CComboBox::GetCurSel() const {
    return static_cast<int>(const_cast<CComboBox*>(this)->SendMessage(CB_GETCURSEL));
}
int CComboBox::SetCurSel(int index) {
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
}
int CComboBox::GetLBText(int index, LPTSTR buffer) const {
    return static_cast<int>(const_cast<CComboBox*>(this)->SendMessage(
        CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
}
void CComboBox::GetLBText(int index, CString& text) const {
    const int n = GetLBTextLen(index);
    if (n < 0) {
        text.Empty();
        return;
    }
    std::string buf(static_cast<size_t>(n) + 1, '\0');
    GetLBText(index, buf.data());
    buf.resize(static_cast<size_t>(n));
    text = CString(buf);
}
int CComboBox::GetLBTextLen(int index) const {
    return static_cast<int>(
        const_cast<CComboBox*>(this)->SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)));
}
int CComboBox::FindString(int startAfter, LPCTSTR text) const {
    return static_cast<int>(const_cast<CComboBox*>(this)->SendMessage(
        CB_FINDSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
}
int CComboBox::FindStringExact(int startAfter, LPCTSTR text) const {
    return static_cast<int>(const_cast<CComboBox*>(this)->SendMessage(
        CB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
}
int CComboBox::SelectString(int startAfter, LPCTSTR text) {
    return static_cast<int>(
        SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
}
DWORD_PTR CComboBox::GetItemData(int index) const {
    return static_cast<DWORD_PTR>(
        const_cast<CComboBox*>(this)->SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index)));
}
int CComboBox::SetItemData(int index, DWORD_PTR data) {
    return static_cast<int>(
        SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
}
void CComboBox::ShowDropDown(BOOL show) {
    SendMessage(CB_SHOWDROPDOWN, show);
}
BOOL CComboBox::GetDroppedState() const {
    return static_cast<BOOL>(const_cast<CComboBox*>(this)->SendMessage(CB_GETDROPPEDSTATE));
}
CListBox* CComboBox::DropList() const {
    if (!m_popup || !m_popup->frame || !m_popup->frame->m_hWnd)
        return nullptr;
    return CDropDownWnd::GetOpen() == m_popup->frame.get() ? &m_popup->frame->list : nullptr;
}

void CComboBox::DropClosed(int pick) {
    // The popup is gone (the keys are back in the window): now tell the parent.
    if (pick >= 0 && pick < static_cast<int>(m_items.size())) {
        Choose(pick, true);
        if (m_hWnd)
            NotifyParent(CBN_SELENDOK);
    } else {
        NotifyParent(CBN_SELENDCANCEL);
    }
    if (m_hWnd) {
        Invalidate();
        NotifyParent(CBN_CLOSEUP);
    }
}

void CComboBox::Choose(int index, bool notify) {
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return;
    const bool changed = index != m_cur;
    m_cur = index;
    Invalidate();
    if (notify && changed)
        NotifyParent(CBN_SELCHANGE);
}

LRESULT CComboBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const int count = static_cast<int>(m_items.size());
    auto valid = [count](WPARAM i) { return static_cast<int>(i) >= 0 && static_cast<int>(i) < count; };
    switch (message) {
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
        const CString text(lParam ? reinterpret_cast<const char*>(lParam) : "");
        int at = count;
        if (message == CB_INSERTSTRING && static_cast<int>(wParam) >= 0) {
            if (static_cast<int>(wParam) > count)
                return CB_ERR;
            at = static_cast<int>(wParam);
        } else if (message == CB_ADDSTRING && (GetStyle() & CBS_SORT)) {
            at = 0;
            while (at < count && std::strcmp(m_items[static_cast<size_t>(at)].first, text) <= 0)
                ++at;
        }
        m_items.insert(m_items.begin() + at, {text, 0});
        if (m_cur >= at)
            ++m_cur;
        return at;
    }
    case CB_DELETESTRING:
        if (!valid(wParam))
            return CB_ERR;
        m_items.erase(m_items.begin() + static_cast<int>(wParam));
        if (m_cur == static_cast<int>(wParam))
            m_cur = CB_ERR;
        else if (m_cur > static_cast<int>(wParam))
            --m_cur;
        Invalidate();
        return static_cast<LRESULT>(m_items.size());
    case CB_RESETCONTENT:
        m_items.clear();
        m_cur = CB_ERR;
        Invalidate();
        return 0;
    case CB_GETCOUNT:
        return count;
    case CB_GETCURSEL:
        return m_cur;
    case CB_SETCURSEL:
        if (!valid(wParam)) {
            m_cur = CB_ERR;
            Invalidate();
            return CB_ERR;
        }
        m_cur = static_cast<int>(wParam);
        Invalidate();
        return m_cur;
    case CB_GETLBTEXT: {
        if (!valid(wParam))
            return CB_ERR;
        const CString& t = m_items[wParam].first;
        if (lParam)
            std::memcpy(reinterpret_cast<char*>(lParam), t.GetString(),
                        static_cast<size_t>(t.GetLength()) + 1);
        return t.GetLength();
    }
    case CB_GETLBTEXTLEN:
        return valid(wParam) ? m_items[wParam].first.GetLength() : CB_ERR;
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
    case CB_SELECTSTRING: {
        const char* text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        const size_t n = std::strlen(text);
        for (int k = 1; k <= count; ++k) {
            const int i = (static_cast<int>(wParam) + k + count) % count;
            const char* item = m_items[static_cast<size_t>(i)].first;
            if (message == CB_FINDSTRINGEXACT ? strcasecmp(item, text) == 0
                                              : strncasecmp(item, text, n) == 0) {
                if (message == CB_SELECTSTRING) {
                    m_cur = i;
                    Invalidate();
                }
                return i;
            }
        }
        return CB_ERR;
    }
    case CB_GETITEMDATA:
        return valid(wParam) ? static_cast<LRESULT>(m_items[wParam].second) : CB_ERR;
    case CB_SETITEMDATA:
        if (!valid(wParam))
            return CB_ERR;
        m_items[wParam].second = static_cast<DWORD_PTR>(lParam);
        return 0;
    case CB_GETDROPPEDSTATE:
        return DropList() ? TRUE : FALSE;
    case CB_SHOWDROPDOWN: {
        if ((wParam != 0) == (DropList() != nullptr))
            return TRUE;
        if (!wParam) {
            m_popup->frame->Pick(CB_ERR);
            return TRUE;
        }
        NotifyParent(CBN_DROPDOWN);
        if (!m_hWnd)
            return FALSE;
        if (!m_popup)
            m_popup = std::make_unique<Popup>();
        if (m_popup->frame && !m_popup->frame->m_hWnd)
            m_popup->frame.reset(); // went with an earlier window of the combo
        if (!m_popup->frame) {
            auto frame = std::make_unique<Popup::Frame>(this);
            if (!frame->CreateDropDown(this, "ComboLBox"))
                return FALSE;
            if (!frame->list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY | WS_VSCROLL,
                                    CRect(0, 0, 0, 0), frame.get(), 1000))
                return FALSE;
            frame->SetKeyChild(&frame->list);
            m_popup->frame = std::move(frame);
        }
        CRect rc;
        GetWindowRect(&rc);
        const int itemHeight = 16;
        const int height = std::clamp(count, 1, 10) * itemHeight + 2;
        CRect pop(rc.left, rc.bottom, rc.right, rc.bottom + height);
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            if (pop.bottom > area.bottom() + 1 && rc.top - height >= area.top())
                pop = CRect(rc.left, rc.top - height, rc.right, rc.top);
        }
        Popup::Frame& frame = *m_popup->frame;
        frame.MoveWindow(&pop, FALSE);
        CListBox& list = frame.list;
        list.MoveWindow(0, 0, pop.Width(), pop.Height(), FALSE);
        list.SetFont(GetFont(), FALSE);
        list.ResetContent();
        list.SetItemHeight(0, itemHeight);
        for (const auto& item : m_items)
            list.AddString(item.first);
        list.SetCurSel(m_cur);
        frame.ShowWindow(SW_SHOWNA);
        Invalidate();
        return TRUE;
    }
    case WM_LBUTTONDOWN:
        if (GetFocus() != this)
            SetFocus();
        ShowDropDown(!GetDroppedState());
        break;
    case WM_SYSKEYDOWN:
    case WM_KEYDOWN:
        if (Popup::IsDropKey(message, wParam)) {
            ShowDropDown(TRUE);
            return 0;
        }
        if (message == WM_SYSKEYDOWN)
            break;
        if (count > 0 && (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_HOME || wParam == VK_END)) {
            int next = m_cur;
            if (wParam == VK_UP)
                next = m_cur < 0 ? 0 : m_cur - 1;
            else if (wParam == VK_DOWN)
                next = m_cur + 1;
            else if (wParam == VK_HOME)
                next = 0;
            else
                next = count - 1;
            Choose(std::clamp(next, 0, count - 1), true);
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
        Invalidate();
        NotifyParent(message == WM_SETFOCUS ? CBN_SETFOCUS : CBN_KILLFOCUS);
        return r;
    }
    case WM_ENABLE:
        if (!wParam)
            ShowDropDown(FALSE);
        Invalidate();
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

void CComboBox::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    const bool enabled = IsWindowEnabled() != FALSE;
    HBRUSH brush = SendCtlColor(&dc, WM_CTLCOLOREDIT);
    if (brush && brush->brushStyle != BS_NULL)
        dc.FillRect(&rc, CBrush::FromHandle(brush));
    dc.Draw3dRect(&rc, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    const int arrowW = GetSystemMetrics(SM_CXVSCROLL);
    CRect button(rc.right - arrowW - 1, rc.top + 1, rc.right - 1, rc.bottom - 1);
    dc.FillSolidRect(&button, GetSysColor(COLOR_BTNFACE));
    CRect edge = button;
    dc.DrawEdge(&edge, GetDroppedState() ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const CPoint m = button.CenterPoint();
    POINT tri[3] = {{m.x - 4, m.y - 2}, {m.x + 4, m.y - 2}, {m.x, m.y + 2}};
    const COLORREF glyph = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    CBrush gb(glyph);
    CPen gp(PS_SOLID, 1, glyph);
    CBrush* ob = dc.SelectObject(&gb);
    CPen* op = dc.SelectObject(&gp);
    dc.Polygon(tri, 3);
    dc.SelectObject(ob);
    dc.SelectObject(op);
    if (m_cur < 0 || m_cur >= static_cast<int>(m_items.size()))
        return;
    CRect tr(rc.left + 3, rc.top + 2, button.left - 1, rc.bottom - 2);
    const bool focus = GetFocus() == this && !GetDroppedState();
    if (focus)
        dc.FillSolidRect(&tr, GetSysColor(COLOR_HIGHLIGHT));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(!enabled ? GetSysColor(COLOR_GRAYTEXT)
                    : focus  ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                             : dc.GetTextColor());
    CRect text = tr;
    text.left += 1;
    dc.DrawText(m_items[static_cast<size_t>(m_cur)].first, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}
