#include "platform/ui/SpinButtonCtrl.h"

#include "platform/core/Time.h"
#include "platform/ui/Brush.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/Pen.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

// Catches Up and Down in the buddy before the buddy's own handling.
struct CSpinButtonCtrl::BuddyFilter : QObject {
    explicit BuddyFilter(CSpinButtonCtrl* spin) : owner(spin) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress || !owner || !(owner->GetStyle() & UDS_ARROWKEYS))
            return false;
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->key() != Qt::Key_Up && ke->key() != Qt::Key_Down)
            return false;
        owner->Step(ke->key() == Qt::Key_Up ? 1 : -1, true);
        return true;
    }
    CSpinButtonCtrl* owner;
};

CSpinButtonCtrl::CSpinButtonCtrl() = default;

CSpinButtonCtrl::~CSpinButtonCtrl() {
    if (m_filter) {
        m_filter->owner = nullptr;
        m_filter->deleteLater();
    }
}

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("msctls_updown32", "", style, rect, parent, id);
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy) {
    return FromHandle(reinterpret_cast<HWND>(
        SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy ? buddy->m_hWnd : nullptr))));
}

CWnd* CSpinButtonCtrl::GetBuddy() const {
    return FromHandle(reinterpret_cast<HWND>(const_cast<CSpinButtonCtrl*>(this)->SendMessage(UDM_GETBUDDY)));
}

void CSpinButtonCtrl::SetRange(short lower, short upper) {
    SendMessage(UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(upper), static_cast<WORD>(lower)));
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
    const auto r = static_cast<DWORD>(const_cast<CSpinButtonCtrl*>(this)->SendMessage(UDM_GETRANGE));
    lower = static_cast<short>(HIWORD(r));
    upper = static_cast<short>(LOWORD(r));
}

void CSpinButtonCtrl::SetRange32(int lower, int upper) {
    SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const {
    const_cast<CSpinButtonCtrl*>(this)->SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                                                    reinterpret_cast<LPARAM>(&upper));
}

int CSpinButtonCtrl::SetPos(int pos) {
    return static_cast<short>(SendMessage(UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(pos), 0)));
}

int CSpinButtonCtrl::GetPos() const {
    return static_cast<int>(const_cast<CSpinButtonCtrl*>(this)->SendMessage(UDM_GETPOS));
}

int CSpinButtonCtrl::SetPos32(int pos) {
    return static_cast<int>(SendMessage(UDM_SETPOS32, 0, static_cast<LPARAM>(pos)));
}

int CSpinButtonCtrl::GetPos32(BOOL* error) const {
    return static_cast<int>(
        const_cast<CSpinButtonCtrl*>(this)->SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(error)));
}

int CSpinButtonCtrl::SetBase(int base) {
    return static_cast<int>(SendMessage(UDM_SETBASE, static_cast<WPARAM>(base)));
}

int CSpinButtonCtrl::GetBase() const {
    return static_cast<int>(const_cast<CSpinButtonCtrl*>(this)->SendMessage(UDM_GETBASE));
}

BOOL CSpinButtonCtrl::SetAccel(int count, const UDACCEL* accel) {
    return static_cast<BOOL>(
        SendMessage(UDM_SETACCEL, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(accel)));
}

UINT CSpinButtonCtrl::GetAccel(int count, UDACCEL* accel) const {
    return static_cast<UINT>(const_cast<CSpinButtonCtrl*>(this)->SendMessage(
        UDM_GETACCEL, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(accel)));
}

int CSpinButtonCtrl::ArrowAt(CPoint p) const {
    CRect rc;
    GetClientRect(&rc);
    if (!rc.PtInRect(p))
        return 0;
    if (GetStyle() & UDS_HORZ)
        return p.x >= rc.Width() / 2 ? 1 : -1;
    return p.y < rc.Height() / 2 ? 1 : -1;
}

void CSpinButtonCtrl::SetBuddyInt() {
    CWnd* buddy = FromHandle(m_buddy);
    if (!buddy || !(GetStyle() & UDS_SETBUDDYINT))
        return;
    CString text;
    if (m_base == 16)
        text.Format("0x%04X", static_cast<unsigned>(m_pos));
    else
        text.Format("%d", m_pos);
    buddy->SetWindowText(text);
}

void CSpinButtonCtrl::Step(int direction, bool keyboard) {
    (void)keyboard;
    if (!IsWindowEnabled())
        return;
    int delta = direction;
    if (m_pressed && m_repeats > 0) {
        // The held arrow accelerates by the elapsed time.
        const DWORD held = (GetTickCount() - m_pressTick) / 1000;
        for (const UDACCEL& a : m_accel)
            if (held >= a.nSec)
                delta = direction * static_cast<int>(a.nInc);
    }
    if (m_lower > m_upper)
        delta = -delta;
    NMUPDOWN nm{{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), UDN_DELTAPOS}, m_pos, delta};
    LRESULT refused = 0;
    if (CWnd* parent = GetParent())
        refused = parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()),
                                      reinterpret_cast<LPARAM>(&nm));
    if (!m_hWnd)
        return;
    if (!refused) {
        const int lo = std::min(m_lower, m_upper), hi = std::max(m_lower, m_upper);
        long long next = static_cast<long long>(m_pos) + nm.iDelta;
        if (next > hi)
            next = (GetStyle() & UDS_WRAP) ? lo : hi;
        else if (next < lo)
            next = (GetStyle() & UDS_WRAP) ? hi : lo;
        if (next != m_pos) {
            m_pos = static_cast<int>(next);
            SetBuddyInt();
        }
    }
    if (CWnd* parent = GetParent())
        parent->SendMessage((GetStyle() & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL,
                            MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(m_pos)),
                            reinterpret_cast<LPARAM>(m_hWnd));
}

void CSpinButtonCtrl::StopRepeat() {
    KillTimer(kRepeatTimer);
    m_pressed = 0;
    m_over = false;
    m_repeats = 0;
    Invalidate(FALSE);
}

void CSpinButtonCtrl::Reposition() {
    CWnd* buddy = FromHandle(m_buddy);
    CWnd* parent = GetParent();
    const DWORD style = GetStyle();
    if (!buddy || !parent || !(style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)) || buddy->GetParent() != parent)
        return;
    CRect bud, me;
    buddy->GetWindowRect(&bud);
    parent->ScreenToClient(&bud);
    GetWindowRect(&me);
    const int width = me.Width();
    int x = 0;
    if (style & UDS_ALIGNLEFT) {
        x = bud.left;
        bud.left += width;
    } else {
        bud.right -= width;
        x = bud.right;
    }
    buddy->MoveWindow(&bud);
    MoveWindow(x, bud.top, width, bud.Height());
}

LRESULT CSpinButtonCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case UDM_SETBUDDY: {
        HWND old = m_buddy;
        if (CWnd* prev = FromHandle(old); prev && prev->Widget() && m_filter)
            prev->Widget()->removeEventFilter(m_filter);
        m_buddy = reinterpret_cast<HWND>(wParam);
        if (CWnd* buddy = FromHandle(m_buddy); buddy && buddy->Widget()) {
            if (!m_filter)
                m_filter = new BuddyFilter(this);
            buddy->Widget()->installEventFilter(m_filter);
            Reposition();
        }
        return reinterpret_cast<LRESULT>(old);
    }
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(FromHandle(m_buddy) ? m_buddy : nullptr);
    case UDM_SETRANGE:
        m_upper = static_cast<short>(LOWORD(lParam));
        m_lower = static_cast<short>(HIWORD(lParam));
        return 0;
    case UDM_GETRANGE:
        return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(m_upper), static_cast<WORD>(m_lower)));
    case UDM_SETRANGE32:
        m_lower = static_cast<int>(wParam);
        m_upper = static_cast<int>(lParam);
        return 0;
    case UDM_GETRANGE32:
        if (wParam)
            *reinterpret_cast<int*>(wParam) = m_lower;
        if (lParam)
            *reinterpret_cast<int*>(lParam) = m_upper;
        return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
        const int old = m_pos;
        int pos = message == UDM_SETPOS ? static_cast<short>(LOWORD(lParam)) : static_cast<int>(lParam);
        pos = std::clamp(pos, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
        m_pos = pos;
        SetBuddyInt();
        return old;
    }
    case UDM_GETPOS:
        return static_cast<LRESULT>(static_cast<DWORD>(static_cast<WORD>(m_pos)));
    case UDM_GETPOS32:
        if (lParam)
            *reinterpret_cast<BOOL*>(lParam) = FALSE;
        return m_pos;
    case UDM_SETBASE: {
        if (wParam != 10 && wParam != 16)
            return 0;
        return std::exchange(m_base, static_cast<int>(wParam));
    }
    case UDM_GETBASE:
        return m_base;
    case UDM_SETACCEL: {
        const auto* a = reinterpret_cast<const UDACCEL*>(lParam);
        if (!a || wParam == 0)
            return FALSE;
        m_accel.assign(a, a + wParam);
        return TRUE;
    }
    case UDM_GETACCEL: {
        auto* a = reinterpret_cast<UDACCEL*>(lParam);
        for (size_t i = 0; a && i < std::min<size_t>(wParam, m_accel.size()); ++i)
            a[i] = m_accel[i];
        return static_cast<LRESULT>(m_accel.size());
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int arrow = ArrowAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        if (!arrow || !IsWindowEnabled())
            break;
        SetCapture();
        m_pressed = arrow;
        m_over = true;
        m_pressTick = GetTickCount();
        m_repeats = 0;
        Invalidate(FALSE);
        Step(arrow, false);
        if (m_hWnd && m_pressed)
            SetTimer(kRepeatTimer, 500);
        break;
    }
    case WM_MOUSEMOVE:
        if (m_pressed) {
            const bool over = ArrowAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) == m_pressed;
            if (over != m_over) {
                m_over = over;
                Invalidate(FALSE);
            }
        }
        break;
    case WM_LBUTTONUP:
        if (m_pressed) {
            StopRepeat();
            if (GetCapture() == this)
                ::ReleaseCapture();
        }
        break;
    case WM_CAPTURECHANGED:
        if (m_pressed)
            StopRepeat();
        break;
    case WM_TIMER:
        if (wParam == kRepeatTimer) {
            if (!m_pressed) {
                KillTimer(kRepeatTimer);
                return 0;
            }
            if (m_repeats++ == 0)
                SetTimer(kRepeatTimer, 100);
            if (m_over)
                Step(m_pressed, false);
            return 0;
        }
        break;
    case WM_ENABLE:
        if (!wParam && m_pressed) {
            StopRepeat();
            if (GetCapture() == this)
                ::ReleaseCapture();
        }
        Invalidate(FALSE);
        break;
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

void CSpinButtonCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    const bool horz = GetStyle() & UDS_HORZ;
    const bool enabled = IsWindowEnabled() != FALSE;
    for (int arrow : {1, -1}) {
        const CRect half = ArrowHalf(rc, arrow, horz);
        const bool down = m_pressed == arrow && m_over;
        dc.FillSolidRect(&half, GetSysColor(COLOR_BTNFACE));
        CRect edge = half;
        dc.DrawEdge(&edge, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        DrawArrowGlyph(dc, half, arrow, horz,
                       enabled ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
    }
}

CRect CSpinButtonCtrl::ArrowHalf(const CRect& rc, int arrow, bool horz) {
    CRect half = rc;
    if (horz)
        (arrow > 0 ? half.left : half.right) = rc.left + rc.Width() / 2;
    else
        (arrow > 0 ? half.bottom : half.top) = rc.top + rc.Height() / 2;
    return half;
}

void CSpinButtonCtrl::DrawArrowGlyph(CDC& dc, const CRect& half, int arrow, bool horz, COLORREF colour) {
    const CPoint m = half.CenterPoint();
    const int a = std::max(2, std::min(half.Width(), half.Height()) / 4);
    POINT pts[3];
    if (horz) {
        const int dx = arrow > 0 ? 1 : -1;
        pts[0] = {m.x - dx * a / 2, m.y - a};
        pts[1] = {m.x - dx * a / 2, m.y + a};
        pts[2] = {m.x + dx * (a / 2 + 1), m.y};
    } else {
        const int dy = arrow > 0 ? -1 : 1;
        pts[0] = {m.x - a, m.y - dy * a / 2};
        pts[1] = {m.x + a, m.y - dy * a / 2};
        pts[2] = {m.x, m.y + dy * (a / 2 + 1)};
    }
    CBrush brush(colour);
    CPen pen(PS_SOLID, 1, colour);
    CBrush* oldBrush = dc.SelectObject(&brush);
    CPen* oldPen = dc.SelectObject(&pen);
    dc.Polygon(pts, 3);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}
