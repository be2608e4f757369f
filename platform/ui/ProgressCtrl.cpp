#include "platform/ui/ProgressCtrl.h"

#include "platform/ui/PaintDC.h"

#include <algorithm>
#include <utility>

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("msctls_progress32", "", style, rect, parent, id);
}

void CProgressCtrl::SetRange(short lower, short upper) {
    SendMessage(PBM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(lower), static_cast<WORD>(upper)));
}
void CProgressCtrl::SetRange32(int lower, int upper) {
    SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
}
void CProgressCtrl::GetRange(int& lower, int& upper) const {
    PBRANGE r{};
    const_cast<CProgressCtrl*>(this)->SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&r));
    lower = r.iLow;
    upper = r.iHigh;
}
int CProgressCtrl::SetPos(int pos) {
    return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos)));
}
int CProgressCtrl::GetPos() const {
    return static_cast<int>(const_cast<CProgressCtrl*>(this)->SendMessage(PBM_GETPOS));
}
int CProgressCtrl::OffsetPos(int delta) {
    return static_cast<int>(SendMessage(PBM_DELTAPOS, static_cast<WPARAM>(delta)));
}
int CProgressCtrl::SetStep(int step) {
    return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step)));
}
int CProgressCtrl::StepIt() {
    return static_cast<int>(SendMessage(PBM_STEPIT));
}
COLORREF CProgressCtrl::SetBarColor(COLORREF colour) {
    return static_cast<COLORREF>(SendMessage(PBM_SETBARCOLOR, 0, static_cast<LPARAM>(colour)));
}
COLORREF CProgressCtrl::SetBkColor(COLORREF colour) {
    return static_cast<COLORREF>(SendMessage(PBM_SETBKCOLOR, 0, static_cast<LPARAM>(colour)));
}

LRESULT CProgressCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    auto clampPos = [this](long long p) {
        const int lo = std::min(m_lower, m_upper), hi = std::max(m_lower, m_upper);
        return static_cast<int>(std::clamp<long long>(p, lo, hi));
    };
    auto setPos = [&](long long p) -> LRESULT {
        const int old = m_pos;
        m_pos = clampPos(p);
        if (m_pos != old)
            Invalidate();
        return old;
    };
    switch (message) {
    case PBM_SETRANGE: {
        const LRESULT old = MAKELONG(static_cast<WORD>(m_lower), static_cast<WORD>(m_upper));
        m_lower = static_cast<short>(LOWORD(lParam));
        m_upper = static_cast<short>(HIWORD(lParam));
        m_pos = clampPos(m_pos);
        Invalidate();
        return old;
    }
    case PBM_SETRANGE32: {
        const LRESULT old = MAKELONG(static_cast<WORD>(m_lower), static_cast<WORD>(m_upper));
        m_lower = static_cast<int>(wParam);
        m_upper = static_cast<int>(lParam);
        m_pos = clampPos(m_pos);
        Invalidate();
        return old;
    }
    case PBM_GETRANGE:
        if (auto* r = reinterpret_cast<PBRANGE*>(lParam))
            *r = PBRANGE{m_lower, m_upper};
        return wParam ? m_lower : m_upper;
    case PBM_SETPOS:
        return setPos(static_cast<int>(wParam));
    case PBM_GETPOS:
        return m_pos;
    case PBM_DELTAPOS:
        return setPos(static_cast<long long>(m_pos) + static_cast<int>(wParam));
    case PBM_SETSTEP:
        return std::exchange(m_step, static_cast<int>(wParam));
    case PBM_GETSTEP:
        return m_step;
    case PBM_STEPIT: {
        // Stepping past the end starts again from the beginning, as the system's bar does.
        long long next = static_cast<long long>(m_pos) + m_step;
        const int lo = std::min(m_lower, m_upper), hi = std::max(m_lower, m_upper);
        if (next > hi)
            next = lo + (next - hi);
        else if (next < lo)
            next = hi - (lo - next);
        return setPos(next);
    }
    case PBM_SETBARCOLOR: {
        const COLORREF old = m_bar;
        m_bar = static_cast<COLORREF>(lParam);
        Invalidate();
        return static_cast<LRESULT>(old);
    }
    case PBM_SETBKCOLOR: {
        const COLORREF old = m_bk;
        m_bk = static_cast<COLORREF>(lParam);
        Invalidate();
        return static_cast<LRESULT>(old);
    }
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

void CProgressCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, m_bk == CLR_DEFAULT ? GetSysColor(COLOR_BTNFACE) : m_bk);
    const long long span = static_cast<long long>(m_upper) - m_lower;
    if (span <= 0)
        return;
    const bool vertical = GetStyle() & PBS_VERTICAL;
    const long long len = vertical ? rc.Height() : rc.Width();
    const int filled = static_cast<int>(len * (m_pos - m_lower) / span);
    CRect bar = rc;
    if (vertical)
        bar.top = bar.bottom - filled;
    else
        bar.right = bar.left + filled;
    dc.FillSolidRect(&bar, m_bar == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : m_bar);
}
