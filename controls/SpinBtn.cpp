#include "controls/SpinBtn.h"

#include "controls/NumSpin.h"
#include "controls/SkinControl.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Font.h"

CSpinBtn::CSpinBtn() = default;

CSpinBtn::~CSpinBtn() {
    if (m_hHand)
        DestroyCursor(m_hHand);
}

void CSpinBtn::Setup() {
    if (m_bSetUp)
        return;
    m_bSetUp = true;
    const DWORD style = GetStyle();
    const DWORD align = style & BS_CENTER;
    m_nAlign = align == BS_LEFT ? 0 : align == BS_RIGHT ? 2 : 1;
    const DWORD type = style & BS_TYPEMASK;
    if (type == BS_AUTOCHECKBOX) {
        m_nKind = 2;
    } else if (type == BS_AUTORADIOBUTTON) {
        m_nKind = 4;
    } else {
        m_nKind = 0;
        ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    }
    // The hand is always available here; the switch that would show it is never turned on.
    if (!m_hHand)
        if (HCURSOR hand = LoadCursor(AfxGetResourceHandle(), 213))
            m_hHand = CopyIcon(hand);
}

void CSpinBtn::PreSubclassWindow() {
    Setup();
    CButton::PreSubclassWindow();
}

int CSpinBtn::OnCreate(LPCREATESTRUCT cs) {
    if (CButton::OnCreate(cs) == -1)
        return -1;
    Setup();
    return 0;
}

void CSpinBtn::FitToBitmap(UINT id) {
    if (m_hWnd)
        skin::FitToBitmap(this, id);
}

void CSpinBtn::SetBitmaps(UINT normal, UINT left, UINT middle, UINT right) {
    m_nBmpNormal = normal;
    m_nBmpLeft = left;
    m_nBmpMiddle = middle;
    m_nBmpRight = right;
    FitToBitmap(normal);
    CRect rc;
    GetClientRect(&rc);
    const double z = (rc.right - rc.left) / 5.5;
    const int a = static_cast<int>(rc.left + z);
    const int b = static_cast<int>(rc.right - z);
    m_rcLeft = CRect(rc.left, rc.top, a, rc.bottom);
    m_rcMiddle = CRect(a, rc.top, b, rc.bottom);
    m_rcRight = CRect(b, rc.top, rc.right, rc.bottom);
}

void CSpinBtn::SetDisabledBitmap(UINT id) {
    m_nBmpDisabled = id;
}

CRect CSpinBtn::GetZone(int zone) const {
    switch (zone) {
    case 1:
        return m_rcLeft;
    case 2:
        return m_rcMiddle;
    case 3:
        return m_rcRight;
    default:
        return CRect();
    }
}

UINT CSpinBtn::CurrentBitmap() const {
    if (m_hWnd && !IsWindowEnabled())
        return m_nBmpDisabled;
    switch (m_nHotZone) {
    case 1:
        return m_nBmpLeft;
    case 2:
        return m_nBmpMiddle;
    case 3:
        return m_nBmpRight;
    default:
        return m_nBmpNormal;
    }
}

void CSpinBtn::Repaint() {
    FitToBitmap(CurrentBitmap());
    Invalidate(FALSE);
}

void CSpinBtn::SetActive(int flag) {
    m_bTracking = flag;
    m_nHotZone = flag ? 2 : 0;
    Repaint();
}

void CSpinBtn::BindSpin(int spinId, CNumSpin* spin) {
    m_nSpinId = spinId;
    m_pSpin = spin;
    m_bBound = 1;
}

void CSpinBtn::StepByZone() {
    if (!m_bTracking || !m_bBound || !m_pSpin)
        return;
    if (m_nHotZone == 1)
        m_pSpin->Step(-1);
    else if (m_nHotZone == 3)
        m_pSpin->Step(1);
}

void CSpinBtn::DrawItem(LPDRAWITEMSTRUCT dis) {
    if (m_nKind != 0)
        return;
    CDC* dc = CDC::FromHandle(dis->hDC);
    if (!dc)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    dc->SetBkMode(TRANSPARENT);
    const bool disabled = (dis->itemState & ODS_DISABLED) != 0;
    const UINT id = disabled ? m_nBmpDisabled : CurrentBitmap();
    skin::PaintFace(dc, id, rcClient);
    CString text;
    GetWindowText(text);
    if (!disabled && text.IsEmpty())
        return;
    CFont* font = m_pFont ? m_pFont : GetFont();
    CFont* oldFont = font ? dc->SelectObject(font) : nullptr;
    dc->SetTextColor(disabled ? m_crDisabledText : m_crText);
    CRect rcText = rcClient;
    dc->DrawText(text, &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (oldFont)
        dc->SelectObject(oldFont);
}

void CSpinBtn::Track(DWORD hoverTime) {
    TrackMouse(TME_HOVER | TME_LEAVE, hoverTime);
}

void CSpinBtn::OnMouseMove(UINT flags, CPoint point) {
    if (m_bTracking) {
        int zone = 0;
        if (m_rcMiddle.PtInRect(point))
            zone = 2;
        else if (m_rcLeft.PtInRect(point))
            zone = 1;
        else if (m_rcRight.PtInRect(point))
            zone = 3;
        if (zone != m_nHotZone) {
            m_nHotZone = zone;
            Repaint();
        }
        Track(1);
    } else {
        m_nHotZone = 0;
        Repaint();
    }
    CButton::OnMouseMove(flags, point);
}

void CSpinBtn::OnMouseLeave() {
    m_bPressed = 0;
    m_nHotZone = m_bTracking ? 2 : 0;
    Repaint();
}

void CSpinBtn::OnMouseHover(UINT, CPoint) {
    if (m_bPressed)
        SetTimer(m_nTimerId, m_nRepeat);
}

void CSpinBtn::OnTimer(UINT_PTR id) {
    if (id == m_nTimerId)
        StepByZone();
    CButton::OnTimer(id);
}

void CSpinBtn::OnLButtonDown(UINT flags, CPoint point) {
    // The field loses the focus here and switches the tracking off before this continues.
    SetFocus();
    m_bFocus = 1;
    m_bPressed = 1;
    if (m_bTracking)
        Track(1000);
    CButton::OnLButtonDown(flags, point);
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_LBUTTONDOWN, 0, 0);
}

void CSpinBtn::OnLButtonUp(UINT flags, CPoint point) {
    m_bPressed = 0;
    KillTimer(m_nTimerId);
    CButton::OnLButtonUp(flags, point);
}

void CSpinBtn::OnCaptureChanged(CWnd* wnd) {
    // A press cut short stops repeating.
    m_bPressed = 0;
    KillTimer(m_nTimerId);
    CButton::OnCaptureChanged(wnd);
}

void CSpinBtn::OnLButtonDblClk(UINT, CPoint) {
    StepByZone();
}

void CSpinBtn::OnKillFocus(CWnd* newWnd) {
    m_bFocus = 0;
    m_nHotZone = 0;
    CButton::OnKillFocus(newWnd);
}

void CSpinBtn::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
    if (ch == VK_UP || ch == VK_RIGHT)
        if (CWnd* parent = GetParent())
            parent->SetFocus();
    CButton::OnKeyDown(ch, repeat, flags);
}

BOOL CSpinBtn::OnMouseWheel(UINT flags, short delta, CPoint point) {
    if (m_bFocus) {
        int sum = m_nWheel + delta;
        if (sum > 120)
            sum = 120;
        if (sum < -120)
            sum = -120;
        m_nWheel = static_cast<short>(sum);
        if (m_nWheel == 120 || m_nWheel == -120) {
            WheelStep(m_nWheel > 0 ? 1 : -1);
            m_nWheel = 0;
        }
    }
    return CButton::OnMouseWheel(flags, delta, point);
}

BOOL CSpinBtn::OnSetCursor(CWnd*, UINT, UINT) {
    if (m_bHandCursor && m_hHand)
        ::SetCursor(m_hHand);
    else
        ::SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}
