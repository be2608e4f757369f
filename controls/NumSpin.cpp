#include "model/Conversions.h"

#include "controls/NumSpin.h"

#include "controls/NumEdit.h"
#include "platform/ui/Brush.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/Pen.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr UINT_PTR kNotifyTimer = 550;

// Colours of the skin (the same palette the generated art uses).
constexpr COLORREF kFace = RGB(0x30, 0x35, 0x3e);
constexpr COLORREF kFacePressed = RGB(0x1d, 0x21, 0x27);
constexpr COLORREF kBorder = RGB(0x4a, 0x52, 0x60);
constexpr COLORREF kAccent = RGB(0x19, 0xb5, 0xfe);
constexpr COLORREF kDim = RGB(0x6b, 0x72, 0x80);
} // namespace

BEGIN_MESSAGE_MAP(CNumSpin, CSpinButtonCtrl)
ON_NOTIFY_REFLECT(UDN_DELTAPOS, &CNumSpin::OnDeltaPos)
END_MESSAGE_MAP()

CWnd* CNumSpin::SetBuddy(CWnd* buddy) {
    return CSpinButtonCtrl::SetBuddy(buddy);
}

CWnd* CNumSpin::GetBuddy() const {
    return CSpinButtonCtrl::GetBuddy();
}

CNumEdit* CNumSpin::Buddy() const {
    return dynamic_cast<CNumEdit*>(GetBuddy());
}

void CNumSpin::GetRange32(int& lower, int& upper) const {
    CSpinButtonCtrl::GetRange32(lower, upper);
}

void CNumSpin::SetRange32(int lower, int upper) {
    m_nMin = lower;
    m_nMax = upper;
    if (CNumEdit* buddy = Buddy()) {
        buddy->SetRange(lower, upper);
        m_nStepMode = buddy->GetType();
    }
    CSpinButtonCtrl::SetRange32(lower, upper);
}

int CNumSpin::RefreshFromBuddy() {
    if (CNumEdit* buddy = Buddy())
        m_nPos = buddy->GetValue();
    return m_nPos;
}

int CNumSpin::IsBuddyModified() {
    CNumEdit* buddy = Buddy();
    return buddy ? buddy->IsModified() : 0;
}

int CNumSpin::GetBuddyType() {
    CNumEdit* buddy = Buddy();
    return buddy ? buddy->GetType() : 0;
}

int CNumSpin::CommitBuddyDelay() {
    if (CNumEdit* buddy = Buddy())
        m_nPos = buddy->CommitDelayText();
    return m_nPos;
}

int CNumSpin::SetPos(int value) {
    CNumEdit* buddy = Buddy();
    if (value >= m_nMin && value <= m_nMax) {
        m_nPos = value;
    } else {
        int v = value;
        if (v > m_nMax)
            v = m_nMax;
        if (v < m_nMin)
            v = m_nMin;
        if (CWnd* parent = GetParent())
            parent->SendMessage(WM_SPIN_CLAMPED, 0, 0);
        m_nPos = v;
    }
    if (buddy)
        buddy->SetValue(m_nPos);
    return m_nPos;
}

void CNumSpin::SendCommand() {
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID()), 0),
                            reinterpret_cast<LPARAM>(m_hWnd));
}

void CNumSpin::ApplyDelayStep(CNumEdit* buddy, int base, int step) {
    switch (buddy->GetType()) {
    case NUMTYPE_DELAY_MS:
        buddy->SetValue(m_nPos);
        break;
    case NUMTYPE_DELAY_CM:
        m_nPos = StepDelayCm(base, step);
        buddy->SetValue(m_nPos);
        break;
    case NUMTYPE_DELAY_INCH:
        m_nPos = StepDelayInch(base, step);
        buddy->SetValue(m_nPos);
        break;
    default:
        break;
    }
}

void CNumSpin::OnDeltaPos(NMHDR* header, LRESULT* result) {
    *result = 0;
    const int d = reinterpret_cast<NMUPDOWN*>(header)->iDelta;
    CNumEdit* buddy = Buddy();
    if (!buddy || !buddy->IsEditable())
        return;
    const int b = buddy->IsModified() ? RefreshFromBuddy() : m_nPos;
    long long n;
    if (m_nStepMode == NUMTYPE_RATIO) {
        if (d >= 1)
            n = b <= 10 ? b + 1LL : b + 5LL;
        else if (d < 0)
            n = (b >= 1 && b <= 10) ? b - 1LL : b - 5LL;
        else
            n = b;
    } else {
        n = static_cast<long long>(b) + d;
    }
    if (n > m_nMax)
        n = m_nMax;
    if (n < m_nMin)
        n = m_nMin;
    if (n != m_nPos) {
        m_nPos = static_cast<int>(n);
        m_bChanged = 1;
    }
    const bool grid =
        m_nStepMode == NUMTYPE_INT || m_nStepMode == NUMTYPE_FREQ || m_nStepMode == NUMTYPE_FREQ_20K;
    if (m_bPressed) {
        // Mouse steps update the field silently; the timer and the release tell the parent.
        if (grid)
            SnapToFreqGrid();
        buddy->SetValue(m_nPos);
        return;
    }
    if (m_nStepMode == NUMTYPE_DELAY_INCH) {
        ApplyDelayStep(buddy, b, d);
        SendCommand();
        if (CWnd* parent = GetParent())
            parent->PostMessage(WM_SPIN_STEP, static_cast<WPARAM>(GetDlgCtrlID()), static_cast<LPARAM>(d));
        return;
    }
    if (grid)
        SnapToFreqGrid();
    buddy->SetValue(m_nPos);
    SendCommand();
}

void CNumSpin::SnapToFreqGrid() {
    CNumEdit* buddy = Buddy();
    if (!buddy)
        return;
    const int e = buddy->GetValue();
    if (m_nPos == e)
        return;
    // A frequency shows the whole hertz of its grid point. One step from the shown value moves to
    // the neighbouring grid point: up to the first point shown at or above the stepped position,
    // down to the last one at or below it (never below point 1). Starting from the point nearest
    // the stepped position instead skipped one point downwards (76 went to 72).
    auto shown = [](int k) { return static_cast<int>(std::trunc(g_eqFreqGrid[k])); };
    if (m_nPos > e) {
        int k = 1;
        while (k < kGridSize - 1 && shown(k) < m_nPos)
            ++k;
        m_nPos = std::max(shown(k), m_nPos);
        if (m_nPos > m_nMax)
            m_nPos = m_nMax;
    } else {
        int k = kGridSize - 1;
        while (k > 1 && shown(k) > m_nPos)
            --k;
        m_nPos = shown(k);
        if (m_nPos < m_nMin)
            m_nPos = m_nMin;
    }
    SetPos(m_nPos);
}

void CNumSpin::Step(int step) {
    const int b = RefreshFromBuddy();
    long long n = static_cast<long long>(b) + step;
    if (n > m_nMax)
        n = m_nMax;
    if (n < m_nMin)
        n = m_nMin;
    if (n != b) {
        m_nPos = static_cast<int>(n);
        m_bChanged = 1;
    }
    if (m_bPressed)
        return;
    CNumEdit* buddy = Buddy();
    if (m_nStepMode == NUMTYPE_DELAY_INCH) {
        if (buddy)
            ApplyDelayStep(buddy, b, step);
        SendCommand();
        if (CWnd* parent = GetParent())
            parent->PostMessage(WM_SPIN_STEP, static_cast<WPARAM>(GetDlgCtrlID()), static_cast<LPARAM>(step));
        return;
    }
    if (buddy)
        buddy->SetValue(m_nPos);
    SendCommand();
}

void CNumSpin::OnLButtonDown(UINT flags, CPoint point) {
    SetTimer(kNotifyTimer, static_cast<UINT>(m_nRepeat));
    m_bPressed = 1;
    CSpinButtonCtrl::OnLButtonDown(flags, point);
}

void CNumSpin::OnTimer(UINT_PTR id) {
    if (id == kNotifyTimer && m_bChanged && GetParent()) {
        m_bChanged = 0;
        SendCommand();
    }
    CSpinButtonCtrl::OnTimer(id);
}

void CNumSpin::OnLButtonUp(UINT flags, CPoint point) {
    m_bPressed = 0;
    KillTimer(kNotifyTimer);
    if (m_bChanged) {
        m_bChanged = 0;
        SendCommand();
    }
    CSpinButtonCtrl::OnLButtonUp(flags, point);
}

void CNumSpin::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    const bool horz = (GetStyle() & UDS_HORZ) != 0;
    const bool enabled = IsWindowEnabled() != FALSE;
    for (int arrow : {1, -1}) {
        const CRect half = ArrowHalf(rc, arrow, horz);
        const bool down = m_pressed == arrow && m_over;
        dc.FillSolidRect(&half, down ? kFacePressed : kFace);
        CBrush frame(down ? kAccent : kBorder);
        dc.FrameRect(&half, &frame);
        DrawArrowGlyph(dc, half, arrow, horz, enabled ? kAccent : kDim);
    }
}
