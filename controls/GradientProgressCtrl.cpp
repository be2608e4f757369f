#include "controls/GradientProgressCtrl.h"

#include "controls/MyMemDC.h"
#include "platform/ui/PaintDC.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

BEGIN_MESSAGE_MAP(CGradientProgressCtrl, CProgressCtrl)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_MESSAGE(PBM_SETPOS, &CGradientProgressCtrl::OnSetPosMessage)
END_MESSAGE_MAP()

BOOL CGradientProgressCtrl::Remote::SetPos(int pos) const {
    if (!m_shared)
        return FALSE;
    const int stored = std::min(pos, m_shared->upper.load());
    m_shared->pos.store(stored);
    HWND hWnd = m_shared->hwnd.load();
    return hWnd ? ::PostMessage(hWnd, PBM_SETPOS, static_cast<WPARAM>(stored), 0) : FALSE;
}

int CGradientProgressCtrl::Remote::GetPos() const {
    return m_shared ? m_shared->pos.load() : 0;
}

int CGradientProgressCtrl::Remote::GetRangeMax() const {
    return m_shared ? m_shared->upper.load() : 0;
}

CGradientProgressCtrl::CGradientProgressCtrl()
    : m_shared(std::make_shared<Shared>()), m_clrBk(GetSysColor(COLOR_BTNFACE)) {}

CGradientProgressCtrl::~CGradientProgressCtrl() {
    m_shared->hwnd.store(nullptr);
}

void CGradientProgressCtrl::PreSubclassWindow() {
    CProgressCtrl::PreSubclassWindow();
    m_shared->hwnd.store(m_hWnd);
}

int CGradientProgressCtrl::OnCreate(LPCREATESTRUCT cs) {
    const int r = CProgressCtrl::OnCreate(cs);
    m_shared->hwnd.store(m_hWnd);
    return r;
}

void CGradientProgressCtrl::OnDestroy() {
    m_shared->hwnd.store(nullptr);
    CProgressCtrl::OnDestroy();
}

void CGradientProgressCtrl::SetRange(int lower, int upper) {
    m_shared->lower.store(lower);
    m_shared->upper.store(upper);
    m_shared->pos.store(lower);
    if (m_hWnd)
        SendMessage(PBM_SETRANGE, 0,
                    MAKELPARAM(static_cast<WORD>(lower & 0xFFFF), static_cast<WORD>(upper & 0xFFFF)));
}

void CGradientProgressCtrl::SetRange32(int lower, int upper) {
    SetRange(lower, upper);
}

int CGradientProgressCtrl::GetRangeMax() const {
    return m_shared->upper.load();
}

int CGradientProgressCtrl::GetRangeMin() const {
    return m_shared->lower.load();
}

BOOL CGradientProgressCtrl::SetPos(int pos) {
    return GetRemote().SetPos(pos);
}

int CGradientProgressCtrl::GetPos() const {
    return m_shared->pos.load();
}

void CGradientProgressCtrl::SetBkColor(COLORREF colour) {
    m_clrBk = colour;
}

void CGradientProgressCtrl::ShowPercent(BOOL show) {
    m_bShowPercent = show;
}

void CGradientProgressCtrl::SetStep(int step) {
    m_nStep = step;
    if (m_hWnd)
        SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

void CGradientProgressCtrl::StepIt() {
    m_shared->pos.fetch_add(m_nStep);
    if (m_hWnd) {
        SendMessage(PBM_STEPIT, 0, 0);
        Invalidate(FALSE);
    }
}

LRESULT CGradientProgressCtrl::OnSetPosMessage(WPARAM, LPARAM) {
    // The bar paints from its own fields; the message only asks for a repaint here.
    const LRESULT r = Default();
    Invalidate(FALSE);
    return r;
}

BOOL CGradientProgressCtrl::OnEraseBkgnd(CDC*) {
    return TRUE;
}

int CGradientProgressCtrl::BarLength(int pos, int upper, int extent) {
    if (upper == 0)
        return 0; // an empty range never divides by zero
    double len = static_cast<double>(pos) / static_cast<double>(upper) * static_cast<double>(extent);
    len = std::clamp(len, -static_cast<double>(INT_MAX), static_cast<double>(INT_MAX));
    return static_cast<int>(len);
}

CString CGradientProgressCtrl::PercentText(int lower, int upper, int pos) {
    const float span = static_cast<float>(upper) - static_cast<float>(lower);
    const float percent =
        span == 0.0f ? 0.0f : (static_cast<float>(pos) - static_cast<float>(lower)) * 100.0f / span;
    CString text;
    if (pos == upper)
        text.Format("%3.0f %%", static_cast<double>(percent));
    else
        text.Format("%3.2f %%", static_cast<double>(percent));
    return text;
}

std::vector<CGradientProgressCtrl::Fill> CGradientProgressCtrl::GradientFills(COLORREF start, COLORREF end,
                                                                              COLORREF bk,
                                                                              const CRect& client,
                                                                              int barLength, bool vertical) {
    std::vector<Fill> fills;
    int dR = GetRValue(end) - GetRValue(start);
    int dG = GetGValue(end) - GetGValue(start);
    int dB = GetBValue(end) - GetBValue(start);
    const bool same = dR == 0 && dG == 0 && dB == 0;
    if (same) {
        dR = GetRValue(start);
        dG = GetGValue(start);
        dB = GetBValue(start);
    }
    const int n = (same && start == 0) ? 255 : std::max({std::abs(dR), std::abs(dG), std::abs(dB)});
    const float extent = static_cast<float>(vertical ? client.Height() : client.Width());
    const float bandSize = extent / static_cast<float>(n);
    const float rStep = static_cast<float>(dR) / static_cast<float>(n);
    const float gStep = static_cast<float>(dG) / static_cast<float>(n);
    const float bStep = static_cast<float>(dB) / static_cast<float>(n);
    for (int i = 0; i < n; ++i) {
        const int a = static_cast<int>(static_cast<float>(i) * bandSize);
        const int b = static_cast<int>(static_cast<float>(i + 1) * bandSize);
        const CRect band = vertical ? CRect(0, a, client.right + 1, b) : CRect(a, 0, b, client.bottom + 1);
        const auto channel = [i](BYTE from, float step) {
            return static_cast<BYTE>(
                static_cast<int>(static_cast<float>(from) + static_cast<float>(i) * step) & 0xFF);
        };
        fills.push_back({band, RGB(channel(GetRValue(start), rStep), channel(GetGValue(start), gStep),
                                   channel(GetBValue(start), bStep))});
        if (b > barLength) {
            fills.push_back({vertical ? CRect(client.left, b, client.right, client.bottom)
                                      : CRect(b, client.top, client.right, client.bottom),
                             bk});
            break;
        }
    }
    return fills;
}

void CGradientProgressCtrl::DrawGradient(CDC* dc, const CRect& client, int barLength, bool vertical) {
    CMyMemDC mem(dc);
    for (const Fill& f : GradientFills(m_clrStart, m_clrEnd, m_clrBk, client, barLength, vertical))
        mem.FillSolidRect(&f.rect, f.colour);
}

void CGradientProgressCtrl::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const int lower = m_shared->lower.load(), upper = m_shared->upper.load(), pos = m_shared->pos.load();
    if (pos <= lower || pos > upper) {
        CRect all = client;
        all.InflateRect(2, 2);
        dc.FillSolidRect(&all, m_clrBk);
        return;
    }
    const bool vertical = (GetStyle() & PBS_VERTICAL) != 0;
    DrawGradient(&dc, client, BarLength(pos, upper, vertical ? client.Height() : client.Width()), vertical);
    if (m_bShowPercent) {
        dc.SetTextColor(m_clrText);
        dc.SetBkMode(TRANSPARENT);
        CRect text = client;
        dc.DrawText(PercentText(lower, upper, pos), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
