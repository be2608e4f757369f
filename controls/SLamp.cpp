#include "controls/SLamp.h"

#include "platform/ui/PaintDC.h"

#include <cstring>

namespace {
constexpr COLORREF kBackground = RGB(127, 127, 127);
constexpr COLORREF kOff = RGB(102, 102, 102);
constexpr COLORREF kLevelOn = RGB(0, 200, 51);
constexpr COLORREF kStatusOn[3] = {RGB(255, 204, 74), RGB(255, 127, 39), RGB(237, 0, 0)};
} // namespace

CSLamp::CSLamp() {
    std::memset(m_lamps, 1, sizeof(m_lamps));
    std::memset(m_previous, 1, sizeof(m_previous));
}

void CSLamp::CalcLayout() {
    GetClientRect(&m_rcClient);
    m_cell = CSize(m_rcClient.Width() / 13, m_rcClient.bottom);
    m_rcLamp =
        CRect(m_rcClient.left, m_rcClient.top, m_rcClient.left + m_cell.cx, m_rcClient.top + m_cell.cy);
}

COLORREF CSLamp::LampColor(int lamp, BOOL on) {
    if (!on)
        return kOff;
    return lamp < 9 ? kLevelOn : kStatusOn[lamp - 9];
}

CRect CSLamp::LampRect(int lamp) const {
    CRect rc = m_rcLamp;
    rc.OffsetRect(lamp * (m_cell.cx + 1), 0);
    rc.top += 1;
    return rc;
}

void CSLamp::SetLevel(DWORD value) {
    m_lamps[11] = (value & 0x10) ? 1 : 0;
    m_lamps[10] = (value & 0x20) ? 1 : 0;
    m_lamps[9] = (value & 0x40) ? 1 : 0;
    const int n = static_cast<int>(value & 0x0F);
    if (n <= 9)
        for (int i = 0; i < 9; ++i)
            m_lamps[i] = i < n ? 1 : 0;
    if (std::memcmp(m_lamps, m_previous, sizeof(m_lamps)) != 0) {
        m_bPending = TRUE;
        std::memcpy(m_previous, m_lamps, sizeof(m_lamps));
    }
    if (m_bPending) {
        DrawNow();
        m_bPending = FALSE;
    }
}

void CSLamp::ClearLamps() {
    std::memset(m_lamps, 0, sizeof(m_lamps));
    std::memset(m_previous, 0, sizeof(m_previous));
    m_bPending = TRUE;
    DrawNow();
}

void CSLamp::DrawNow() {
    if (!m_hWnd)
        return;
    Invalidate(FALSE);
    UpdateWindow();
}

BOOL CSLamp::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CSLamp::OnPaint() {
    CPaintDC dc(this);
    DrawLamps(&dc);
}

void CSLamp::DrawLamps(CDC* dc) {
    ++m_nDraws;
    dc->FillSolidRect(&m_rcClient, kBackground);
    for (int i = 0; i < kLamps; ++i) {
        CRect rc = m_rcLamp;
        rc.top += 1;
        dc->FillSolidRect(&rc, LampColor(i, m_lamps[i]));
        m_rcLamp.OffsetRect(m_cell.cx + 1, 0);
    }
    m_rcLamp =
        CRect(m_rcClient.left, m_rcClient.top, m_rcClient.left + m_cell.cx, m_rcClient.top + m_cell.cy);
}
