#include "model/Conversions.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"

#include "pages/output/COM_EXT_LIMStatic.h"

#include "controls/MemDC.h"
#include "controls/NumEdit.h"
#include "controls/NumSpin.h"
#include "pages/output/LimiterDialogLayouts.h"
#include "platform/ui/Brush.h"
#include "platform/ui/Gdiplus.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/Pen.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr UINT kSizeNeswCursor = 32643;
constexpr COLORREF kLabelColour = RGB(200, 200, 200);
constexpr COLORREF kFrameColour = RGB(0, 180, 0);
constexpr COLORREF kGridColour = RGB(21, 100, 21);

int Trunc(double v) {
    if (!(v == v))
        return 0;
    return static_cast<int>(std::clamp(v, -2147483648.0, 2147483647.0));
}

int Round(double v) {
    return Trunc(std::floor(v + 0.5));
}

Gdiplus::Color ToColor(const ArgbColor& c) {
    return Gdiplus::Color(c.a, c.r, c.g, c.b);
}

// A dashed line as separate antialiased segments (6 on, 4 off).
void DashedLine(Gdiplus::Graphics& g, const Gdiplus::Pen& pen, const LimPointF& a, const LimPointF& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len = std::sqrt(dx * dx + dy * dy);
    if (len < 1)
        return;
    const double ux = dx / len, uy = dy / len;
    for (double s = 0; s < len; s += 10) {
        const double e = std::min(s + 6, len);
        g.DrawLine(&pen, Round(a.x + ux * s), Round(a.y + uy * s), Round(a.x + ux * e), Round(a.y + uy * e));
    }
}

} // namespace

CCOM_EXT_LIMStatic::CCOM_EXT_LIMStatic() {
    m_font.CreateFont(14, 0, 0, 0, 400, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, FONT_PITCH_AND_FAMILY,
                      "Arial");
    m_nScaleMode = 0;
    m_hKneeCursor = LoadKneeCursor();
}

CCOM_EXT_LIMStatic::~CCOM_EXT_LIMStatic() = default;

HCURSOR CCOM_EXT_LIMStatic::LoadKneeCursor() {
    if (HCURSOR c = ::LoadCursor(nullptr, kSizeNeswCursor))
        return c;
    // The toolkit has no diagonal size cursor of that number: our own drawing of it.
    RegisterLimiterDialogLayouts();
    return ::LoadCursor(AfxGetResourceHandle(), kKneeCursorId);
}

void CCOM_EXT_LIMStatic::CalcPlotRect() {
    GetClientRect(&m_rcClient);
    m_rcPlot = m_rcClient;
    m_rcPlot.left += 20;
    m_rcPlot.top += 5;
    m_rcPlot.right -= 10;
    m_rcPlot.bottom -= 15;
}

void CCOM_EXT_LIMStatic::SetScaleMode(int m) {
    m_nScaleMode = m;
    if (m == kDrawMode) {
        m_dVScale = m_rcPlot.Height() / static_cast<double>(kMaxCode);
        m_dHScale = m_rcPlot.Width() / static_cast<double>(kMaxCode);
        LayoutCurve();
    }
}

void CCOM_EXT_LIMStatic::BindLimitCtrls(CNumSpin* spin, CNumEdit* edit) {
    m_pLimitSpin = spin;
    m_pLimitEdit = edit;
}

void CCOM_EXT_LIMStatic::BindMirrorCtrls(CNumSpin* spin, CNumEdit* edit) {
    m_pMirrorSpin = spin;
    m_pMirrorEdit = edit;
}

void CCOM_EXT_LIMStatic::SetChannelArray(CKTV_Data* document) {
    m_pDoc = document;
}

void CCOM_EXT_LIMStatic::CopyCodes() {
    if (!m_pOut)
        return;
    m_pOut->GetMix2(m_mix2);
    m_pOut->GetLimiter(m_limiter);
}

void CCOM_EXT_LIMStatic::SelectOutput(int n) {
    m_pOut = (m_pDoc && n >= 0 && n < NUM_OUTPUTS) ? m_pDoc->GetOut(n) : nullptr;
    CopyCodes();
    m_ptStart = {static_cast<double>(m_rcPlot.left), m_rcPlot.bottom - 2.0};
    if (n >= 0 && n < NUM_OUTPUTS)
        m_clrCurve = g_clrOutCurve[n];
    Redraw();
}

void CCOM_EXT_LIMStatic::RefreshCurve() {
    CopyCodes();
    Redraw();
}

void CCOM_EXT_LIMStatic::LayoutCurve() {
    // Codes from a device or a file may lie outside the axes: the knee stays on the plot.
    const int L = std::clamp<int>(m_limiter[0], 0, kMaxCode);
    m_ptKnee = {m_rcPlot.left + L * m_dHScale, m_rcPlot.bottom - L * m_dVScale};
    m_ptEnd = {static_cast<double>(m_rcPlot.right), m_ptKnee.y};
    const int x = Trunc(m_ptKnee.x - 3), y = Trunc(m_ptKnee.y - 3);
    m_rcKnee.SetRect(x, y, x + 6, y + 6);
}

void CCOM_EXT_LIMStatic::Redraw() {
    LayoutCurve();
    if (m_nScaleMode == kDrawMode && GetSafeHwnd()) {
        Invalidate(FALSE);
        UpdateWindow();
    }
}

BOOL CCOM_EXT_LIMStatic::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CCOM_EXT_LIMStatic::OnPaint() {
    CPaintDC dc(this);
    if (m_nScaleMode != kDrawMode)
        return;
    CRect rc;
    GetClientRect(&rc);
    CMemDC mem(&dc, &rc);
    DrawGraph(&mem);
}

void CCOM_EXT_LIMStatic::DrawGraph(CDC* dc) {
    LayoutCurve();
    CBrush black(RGB(0, 0, 0));
    CPen blackPen(PS_SOLID, 1, RGB(0, 0, 0));
    CBrush* oldBrush = dc->SelectObject(&black);
    CPen* oldPen = dc->SelectObject(&blackPen);
    CFont* oldFont = dc->SelectObject(&m_font);
    dc->FillRect(&m_rcClient, &black);
    dc->SetBkColor(RGB(0, 0, 0));
    dc->SetTextColor(kLabelColour);

    const CRect& p = m_rcPlot;
    const double vs = m_dVScale, hs = m_dHScale;
    // Output level down the left side, input level along the bottom.
    dc->TextOut(2, p.top - 5, CString(" 12"));
    const char* outLabels[] = {"  0", "-10", "-20", "-30"};
    const int outCodes[] = {120, 220, 320, 420};
    for (int i = 0; i < 4; ++i)
        dc->TextOut(2, p.top + Trunc(outCodes[i] * vs - 7), CString(outLabels[i]));
    const int yIn = p.top + Trunc(kMaxCode * vs);
    dc->TextOut(p.left + Trunc(100 * hs) - 8, yIn, CString("-20"));
    dc->TextOut(p.left + Trunc(200 * hs) - 8, yIn, CString("-10"));
    dc->TextOut(p.left + Trunc(300 * hs) - 3, yIn, CString("0"));
    dc->TextOut(p.left + Trunc(420 * hs) - 7, yIn, CString("12"));

    CBrush frame(kFrameColour);
    dc->FrameRect(&p, &frame);

    CPen grid(PS_SOLID, 1, kGridColour);
    dc->SelectObject(&grid);
    for (int k : {120, 220, 320}) {
        const int y = Trunc(k * vs) + 5;
        dc->MoveTo(p.left, y);
        dc->LineTo(p.right - 1, y);
    }
    for (int k : {100, 200, 300}) {
        const int x = Trunc(k * hs) + 20;
        dc->MoveTo(x, p.bottom - 1);
        dc->LineTo(x, p.top);
    }

    DrawTransferCurve(dc);
    dc->SelectObject(oldFont);
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

void CCOM_EXT_LIMStatic::DrawTransferCurve(CDC* dc) {
    Gdiplus::Graphics g(dc->GetSafeHdc());
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    const LimPointF start{static_cast<double>(m_rcPlot.left), m_rcPlot.bottom - 2.0};
    Gdiplus::Pen dash(Gdiplus::Color(255, 195, 195, 195), 2.0f);
    DashedLine(g, dash, start, m_ptKnee);
    Gdiplus::Pen curve(ToColor(m_clrCurve), 2.0f);
    g.DrawLine(&curve, Round(m_ptStart.x), Round(m_ptStart.y), Round(m_ptKnee.x), Round(m_ptKnee.y));
    g.DrawLine(&curve, Round(m_ptKnee.x), Round(m_ptKnee.y), Round(m_ptEnd.x), Round(m_ptEnd.y));
    const Gdiplus::Color yellow(255, 255, 255, 0);
    Gdiplus::SolidBrush fill(yellow);
    Gdiplus::Pen ring(yellow, 2.0f);
    g.FillEllipse(&fill, m_rcKnee.left, m_rcKnee.top, m_rcKnee.Width(), m_rcKnee.Height());
    g.DrawEllipse(&ring, m_rcKnee.left, m_rcKnee.top, m_rcKnee.Width(), m_rcKnee.Height());
}

void CCOM_EXT_LIMStatic::OnMouseMove(UINT flags, CPoint point) {
    if (m_nScaleMode != kDrawMode)
        return;
    if (!m_bDrag)
        m_bHover = m_rcKnee.PtInRect(point);
    else if (m_bHover)
        DragKnee(point);
    CStatic::OnMouseMove(flags, point);
}

void CCOM_EXT_LIMStatic::OnLButtonDown(UINT flags, CPoint point) {
    if (m_nScaleMode != kDrawMode)
        return;
    SetFocus();
    SetCapture();
    if (m_bHover)
        m_bDrag = TRUE;
    CStatic::OnLButtonDown(flags, point);
}

void CCOM_EXT_LIMStatic::OnLButtonUp(UINT flags, CPoint point) {
    if (m_nScaleMode != kDrawMode)
        return;
    if (m_bHover)
        m_bDrag = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
    CStatic::OnLButtonUp(flags, point);
}

void CCOM_EXT_LIMStatic::OnCaptureChanged(CWnd* wnd) {
    // A knee drag cut short ends where it is.
    m_bDrag = FALSE;
    CStatic::OnCaptureChanged(wnd);
}

BOOL CCOM_EXT_LIMStatic::OnSetCursor(CWnd*, UINT, UINT) {
    ::SetCursor(m_bHover && m_hKneeCursor ? m_hKneeCursor : ::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

void CCOM_EXT_LIMStatic::DragKnee(CPoint point) {
    // A plot too small for the scale has no level per pixel: nothing to drag.
    if (!(m_dVScale > 0))
        return;
    const int level = std::clamp(Trunc((m_rcPlot.bottom - point.y) / m_dVScale), 0, kMaxCode);
    if (level == m_limiter[0])
        return;
    m_limiter[0] = static_cast<SHORT>(level);
    if (!m_pLimitSpin || !m_pLimitEdit)
        return;
    for (CNumSpin* spin : {m_pLimitSpin, m_pMirrorSpin})
        if (spin)
            spin->SetPos(level);
    for (CNumEdit* edit : {m_pLimitEdit, m_pMirrorEdit})
        if (edit)
            edit->SetHighlight(TRUE);
    if (m_pOut)
        m_pOut->SetLimThreshold(level);
    Redraw();
}

void CCOM_EXT_LIMStatic::DragCompThreshold(CPoint point) {
    if (!(m_dVScale > 0))
        return;
    int level = std::clamp(Trunc((m_rcPlot.bottom - point.y) / m_dVScale), 0, kMaxCompCode);
    level = std::min<int>(level, m_limiter[0]);
    if (level == m_nCompThreshold)
        return;
    m_nCompThreshold = level;
    if (m_pOut)
        m_pOut->SetCompThreshold(level);
    Redraw();
}

void CCOM_EXT_LIMStatic::DragRatio(CPoint point) {
    if (!(m_dVScale > 0) || !(m_dHScale > 0))
        return;
    // Input rise over output rise above the knee; the field shows code v as (v + 9) / 10 : 1.
    const double in = (point.x - m_ptKnee.x) / m_dHScale;
    const double out = (m_ptKnee.y - point.y) / m_dVScale;
    if (!(in > 0) || !(out > 0))
        return;
    const int code = std::clamp(SnapRatioCode2(Trunc(in / out * 10 - 9)), 1, 191);
    if (code == m_mix2[6])
        return;
    m_mix2[6] = static_cast<BYTE>(code);
    if (m_pOut)
        m_pOut->SetMix2In7(static_cast<BYTE>(code));
    Redraw();
}
