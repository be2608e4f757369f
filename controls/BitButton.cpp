#include "controls/BitButton.h"

#include "controls/SkinControl.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Font.h"

namespace {
constexpr int kRightInset = 19;
} // namespace

void CBitButton::PreSubclassWindow() {
    switch (GetStyle() & 0x0F00) {
    case BS_LEFT:
        m_nStyleAlign = DT_LEFT;
        break;
    case BS_RIGHT:
        m_nStyleAlign = DT_RIGHT;
        break;
    default:
        m_nStyleAlign = DT_CENTER;
        break;
    }
    m_nKind = skin::ButtonKind(GetStyle());
    if (m_nKind == 0)
        ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

// --- set-up ------------------------------------------------------------------------------------

void CBitButton::SetBitmaps(UINT normal, UINT hover, UINT pressed, UINT checkedNormal, UINT checkedHover,
                            UINT checkedPressed) {
    m_nNormal = normal;
    m_nHover = hover;
    m_nPressed = pressed;
    m_nCheckedNormal = checkedNormal ? checkedNormal : normal;
    m_nCheckedHover = checkedHover ? checkedHover : hover;
    m_nCheckedPressed = checkedPressed ? checkedPressed : pressed;
    Repaint();
}

void CBitButton::SetDisabledBitmaps(UINT unchecked, UINT checked) {
    m_nDisabled = unchecked;
    m_nDisabledChecked = checked;
    Repaint();
}

void CBitButton::SetHotBitmaps(UINT unchecked, UINT checked) {
    m_nHot = unchecked;
    m_nCheckedHot = checked;
}

void CBitButton::SetTextColors(COLORREF normal, COLORREF hover, COLORREF pressed, COLORREF checkedNormal,
                               COLORREF checkedHover, COLORREF checkedPressed) {
    m_crNormal = normal;
    m_crHover = hover;
    m_crPressed = pressed;
    m_crCheckedNormal = checkedNormal;
    m_crCheckedHover = checkedHover;
    m_crCheckedPressed = checkedPressed;
}

void CBitButton::SetFonts(CFont* normal, CFont* hover, CFont* pressed, CFont* checkedNormal,
                          CFont* checkedHover, CFont* checkedPressed) {
    m_pNormalFont = normal;
    m_pHoverFont = hover;
    m_pPressedFont = pressed;
    m_pCheckedNormalFont = checkedNormal ? checkedNormal : normal;
    m_pCheckedHoverFont = checkedHover ? checkedHover : hover;
    m_pCheckedPressedFont = checkedPressed ? checkedPressed : pressed;
}

void CBitButton::SetTextTopOffset(BOOL enable, int pixels) {
    m_bTopOffset = enable;
    m_nTopOffset = pixels;
}

void CBitButton::SetCheck(int check) {
    m_nChecked = check;
    if (!m_nChecked) {
        if (m_pPartner1)
            m_pPartner1->SetHoverLook(FALSE);
        if (m_pPartner2)
            m_pPartner2->SetHoverLook(FALSE);
    }
    Repaint();
}

void CBitButton::SetHot(BOOL hot) {
    if (hot == m_bHot)
        return;
    m_bHot = hot;
    Repaint();
}

void CBitButton::SetHoverPartners(CBitButton* first, CBitButton* second) {
    m_pPartner1 = first;
    m_pPartner2 = second;
}

void CBitButton::SetHoverLook(BOOL hover) {
    m_bHover = hover;
    Repaint();
}

void CBitButton::SetPartnersHover(BOOL hover) {
    // Partners mirror this button only while it is unchecked.
    if (m_nChecked)
        return;
    if (m_pPartner1)
        m_pPartner1->SetHoverLook(hover);
    if (m_pPartner2)
        m_pPartner2->SetHoverLook(hover);
}

void CBitButton::RedrawParentArea() {
    skin::InvalidateParentArea(this);
}

BOOL CBitButton::ShowWindow(int command) {
    if (command == SW_HIDE) {
        m_pPartner1 = nullptr;
        m_pPartner2 = nullptr;
    }
    return CButton::ShowWindow(command);
}

// --- look --------------------------------------------------------------------------------------

UINT CBitButton::LookBitmap(BOOL disabled) const {
    if (disabled)
        return m_nChecked ? m_nDisabledChecked : m_nDisabled;
    if (!m_nChecked) {
        if (m_bHover)
            return m_bPressed ? m_nPressed : m_nHover;
        return m_bHot ? m_nHot : m_nNormal;
    }
    if (m_bHover)
        return m_bPressed ? m_nCheckedPressed : m_nCheckedHover;
    return m_bHot ? m_nCheckedHot : m_nCheckedNormal;
}

void CBitButton::FitToLook() {
    if (!m_hWnd)
        return;
    // A bitmap that does not load keeps the current size (the paint falls back to the face colour).
    skin::FitToBitmap(this, LookBitmap(!IsWindowEnabled()));
}

void CBitButton::Repaint() {
    FitToLook();
    if (m_hWnd)
        InvalidateRect(nullptr, FALSE);
}

void CBitButton::DrawItem(LPDRAWITEMSTRUCT dis) {
    m_pDrawItem = dis;
    if (m_nKind == 2) {
        CButton::DrawItem(dis);
        return;
    }
    if (m_nKind != 0)
        return;
    CDC* dc = CDC::FromHandle(dis->hDC);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    CString text;
    GetWindowText(text);
    CRect rcClient;
    GetClientRect(&rcClient);

    const BOOL disabled = (dis->itemState & ODS_DISABLED) != 0;
    const UINT id = LookBitmap(disabled);
    COLORREF colour;
    CFont* font;
    if (!m_nChecked) {
        colour = m_bHover ? (m_bPressed ? m_crPressed : m_crHover) : m_crNormal;
        font = m_bHover ? (m_bPressed ? m_pPressedFont : m_pHoverFont) : m_pNormalFont;
    } else {
        colour = m_bHover ? (m_bPressed ? m_crCheckedPressed : m_crCheckedHover) : m_crCheckedNormal;
        font = m_bHover ? (m_bPressed ? m_pCheckedPressedFont : m_pCheckedHoverFont) : m_pCheckedNormalFont;
    }

    // Stretched to the window (which FitToLook gave the bitmap's size).
    skin::PaintFace(dc, id, rcClient);

    CFont* oldFont = nullptr;
    if (disabled) {
        // Drawn whatever the text is: a disabled button is also a label.
        if (m_pDisabledFont)
            oldFont = dc->SelectObject(m_pDisabledFont);
        const COLORREF oldColour = dc->SetTextColor(m_crDisabledText);
        CRect rc = rcClient;
        if (m_bRightInset) {
            rc.right -= kRightInset;
            dc->DrawText(text, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        } else {
            rc.left += m_nDisabledLeft;
            rc.top += m_nDisabledTop;
            dc->DrawText(text, &rc, m_nDisabledFormat | DT_VCENTER | DT_SINGLELINE);
        }
        dc->SetTextColor(oldColour);
    } else if (!text.IsEmpty()) {
        if (font)
            oldFont = dc->SelectObject(font);
        const COLORREF oldColour = dc->SetTextColor(colour);
        CRect rc = rcClient;
        if (m_bTopOffset) {
            rc.top += m_nTopOffset;
            dc->DrawText(text, &rc, m_nStyleAlign | DT_CENTER | DT_VCENTER);
        } else if (m_bRightInset) {
            rc.right -= kRightInset;
            dc->DrawText(text, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        } else {
            dc->DrawText(text, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        dc->SetTextColor(oldColour);
    }
    if (oldFont)
        dc->SelectObject(oldFont);
    if (dis->itemState & ODS_FOCUS)
        skin::PaintFocusMark(dc, rcClient);
    dc->SetBkMode(oldMode);
    m_pDrawItem = nullptr;
}

// --- mouse -------------------------------------------------------------------------------------

void CBitButton::OnMouseMove(UINT flags, CPoint point) {
    if (!m_bHover) {
        m_bHover = TRUE;
        SetPartnersHover(TRUE);
        Repaint();
    }
    TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, m_hWnd, 1};
    ::TrackMouseEvent(&tme);
    if (m_bMoveNotify)
        m_moveNotifier.Notify(this, flags, point);
    CButton::OnMouseMove(flags, point);
}

void CBitButton::OnMouseLeave() {
    m_bHover = FALSE;
    Repaint();
    SetPartnersHover(FALSE);
}

void CBitButton::OnMouseHover(UINT, CPoint) {}

void CBitButton::OnLButtonDown(UINT flags, CPoint point) {
    m_bPressed = TRUE;
    FitToLook();
    Invalidate(TRUE);
    CButton::OnLButtonDown(flags, point);
}

void CBitButton::OnLButtonUp(UINT flags, CPoint point) {
    m_bPressed = FALSE;
    FitToLook();
    CButton::OnLButtonUp(flags, point);
}

void CBitButton::OnEnable(BOOL enable) {
    FitToLook();
    CButton::OnEnable(enable);
}

BOOL CBitButton::OnSetCursor(CWnd*, UINT, UINT) {
    return m_hand.Show(m_bHandCursor);
}
