#include "controls/FontStatic.h"

#include "controls/SkinControl.h"

#include "platform/ui/Font.h"
#include "platform/ui/PaintDC.h"

BEGIN_MESSAGE_MAP(CFontStatic, CStatic)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

namespace {
constexpr UINT_PTR kBlinkTimer = 1001;
constexpr UINT kBlinkPeriod = 1000;
} // namespace

CFontStatic::CFontStatic() = default;
CFontStatic::~CFontStatic() = default;

void CFontStatic::PreSubclassWindow() {
    CStatic::PreSubclassWindow();
    m_dwSavedStyle = GetStyle();
    ModifyStyle(0, SS_NOTIFY);
}

void CFontStatic::RepaintNow() {
    if (!m_hWnd)
        return;
    Invalidate(TRUE);
    UpdateWindow();
}

void CFontStatic::RepaintParentArea() {
    skin::InvalidateParentArea(this);
}

void CFontStatic::SetBkColor(COLORREF colour) {
    m_clrBk = colour;
    m_bFill = 1;
    RepaintNow();
}

void CFontStatic::SetFontStyle(const CString& face, int height, COLORREF colour, UINT flags) {
    m_strFace = face;
    m_nFontHeight = height;
    if (colour == m_clrText)
        return;
    m_clrText = colour;
    if (flags & 1)
        m_styleMarkers[0] = 0;
    if (flags & 2)
        m_styleMarkers[1] = 1;
    if (flags & 4)
        m_styleMarkers[2] = 1;
    if (flags & 8)
        m_styleMarkers[3] = 1;
    if (flags & 16)
        m_styleMarkers[4] = 1;
    m_bCenter = m_bLeft = m_bRight = FALSE;
    if (flags & 32)
        m_bCenter = TRUE;
    else if (flags & 128)
        m_bRight = TRUE;
    else if (flags & 64)
        m_bLeft = TRUE;
    RepaintParentArea();
}

void CFontStatic::SetTextColor(COLORREF colour) {
    m_clrText = colour;
    RepaintNow();
    RepaintParentArea();
}

void CFontStatic::SetText(const CString& text) {
    CStatic::SetWindowText(text);
    RepaintParentArea();
}

void CFontStatic::SetLeftAlign(BOOL left) {
    m_bLeft = left;
}

void CFontStatic::SetRightAlign(BOOL right) {
    m_bRight = right;
}

void CFontStatic::SetFontSize(int height) {
    m_nFontHeight = height;
    RepaintParentArea();
}

void CFontStatic::StartBlink() {
    m_bBlink = TRUE;
    m_bBlinkPhase = FALSE;
    if (m_hWnd)
        SetTimer(kBlinkTimer, kBlinkPeriod);
}

void CFontStatic::StopBlink() {
    m_bBlink = FALSE;
    m_bBlinkPhase = FALSE;
    if (m_hWnd) {
        KillTimer(kBlinkTimer);
        RepaintNow();
    }
}

void CFontStatic::OnTimer(UINT_PTR id) {
    if (id != kBlinkTimer) {
        CStatic::OnTimer(id);
        return;
    }
    m_bBlinkPhase = !m_bBlinkPhase;
    RepaintNow();
}

void CFontStatic::SetValueFormat(int a, int b, int offset, const CString& suffix) {
    m_nValueA = a;
    m_nValueB = b;
    m_nValueOffset = offset;
    m_strValueSuffix = suffix;
}

void CFontStatic::ShowValue(int value) {
    CString text;
    text.Format("%d", value - m_nValueOffset);
    SetText(text + m_strValueSuffix);
}

UINT CFontStatic::TextFormat() const {
    const UINT base = DT_NOCLIP | DT_SINGLELINE | DT_VCENTER;
    if (m_bLeft)
        return base;
    if (m_bRight)
        return base | DT_RIGHT;
    return base | DT_CENTER;
}

COLORREF CFontStatic::PaintTextColor() const {
    if (!m_bBlink)
        return m_clrText;
    return m_bBlinkPhase ? RGB(250, 250, 250) : RGB(255, 0, 0);
}

void CFontStatic::Draw(CDC* dc) {
    CString text;
    GetWindowText(text);
    CRect rc;
    GetClientRect(&rc);
    dc->SetTextColor(PaintTextColor());
    dc->SetBkMode(TRANSPARENT);
    if (m_bFill)
        dc->FillSolidRect(&rc, m_clrBk);
    // The painting face is always Arial; a font that cannot be made leaves the DC's own font.
    CFont font;
    CFont* old = nullptr;
    if (font.CreateFont(m_nFontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Arial"))
        old = dc->SelectObject(&font);
    dc->DrawText(text, &rc, TextFormat());
    if (old)
        dc->SelectObject(old);
}

void CFontStatic::OnPaint() {
    CPaintDC dc(this);
    Draw(&dc);
}

HBRUSH CFontStatic::CtlColor(CDC* dc, UINT) {
    if (dc)
        dc->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}
