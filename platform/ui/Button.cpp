#include "platform/ui/Button.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/Brush.h"
#include "platform/ui/GdiHandle.h"
#include "platform/ui/PaintDC.h"
#include "platform/ui/Pen.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

namespace {
bool IsCheckKind(UINT type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}
bool IsRadioKind(UINT type) {
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}
int MaxCheck(UINT type) {
    if (type == BS_3STATE || type == BS_AUTO3STATE)
        return BST_INDETERMINATE;
    if (IsCheckKind(type) || IsRadioKind(type))
        return BST_CHECKED;
    return BST_UNCHECKED;
}
} // namespace

BOOL CButton::Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("Button", caption, style, rect, parent, id);
}

int CButton::GetCheck() const {
    return static_cast<int>(const_cast<CButton*>(this)->SendMessage(BM_GETCHECK));
}

void CButton::SetCheck(int check) {
    SendMessage(BM_SETCHECK, static_cast<WPARAM>(check));
}

UINT CButton::GetState() const {
    return static_cast<UINT>(const_cast<CButton*>(this)->SendMessage(BM_GETSTATE));
}

void CButton::SetState(BOOL pushed) {
    SendMessage(BM_SETSTATE, pushed ? TRUE : FALSE);
}

UINT CButton::GetButtonStyle() const {
    return GetStyle() & 0xFFFF;
}

void CButton::SetButtonStyle(UINT style, BOOL redraw) {
    SendMessage(BM_SETSTYLE, style, redraw);
}

HBITMAP CButton::SetBitmap(HBITMAP bitmap) {
    HBITMAP old = m_bitmap;
    m_bitmap = bitmap;
    Invalidate();
    return old;
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (result)
            *result = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}

void CButton::Press(bool pushed) {
    if (m_pushed == pushed)
        return;
    m_pushed = pushed;
    Invalidate(FALSE);
}

void CButton::Click() {
    const UINT type = ButtonType();
    if (type == BS_AUTOCHECKBOX)
        SetCheck(GetCheck() ? BST_UNCHECKED : BST_CHECKED);
    else if (type == BS_AUTO3STATE)
        SetCheck((GetCheck() + 1) % 3);
    else if (type == BS_AUTORADIOBUTTON) {
        // Checks itself and clears the other automatic radio buttons of its group.
        if (CWnd* parent = GetParent()) {
            for (CWnd* w = parent->GetNextDlgGroupItem(this); w && w != this;
                 w = parent->GetNextDlgGroupItem(w)) {
                auto* b = dynamic_cast<CButton*>(w);
                if (b && b->ButtonType() == BS_AUTORADIOBUTTON)
                    b->SetCheck(BST_UNCHECKED);
            }
        }
        SetCheck(BST_CHECKED);
    }
    NotifyParent(BN_CLICKED);
}

LRESULT CButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const UINT type = ButtonType();
    switch (message) {
    case BM_GETCHECK:
        return m_check;
    case BM_SETCHECK: {
        const int check = std::min(static_cast<int>(wParam), MaxCheck(type));
        if (check != m_check) {
            m_check = check;
            Invalidate(FALSE);
        }
        return 0;
    }
    case BM_GETSTATE:
        return static_cast<LRESULT>(m_check | (m_pushed ? BST_PUSHED : 0) |
                                    (GetFocus() == this ? BST_FOCUS : 0));
    case BM_SETSTATE:
        Press(wParam != 0);
        return 0;
    case BM_SETSTYLE:
        m_style = (m_style & ~0xFFFFu) | (static_cast<DWORD>(wParam) & 0xFFFF);
        if (lParam)
            Invalidate();
        return 0;
    case BM_CLICK:
        Click();
        return 0;
    case WM_LBUTTONDBLCLK:
        // Owner-drawn and radio buttons report the double click instead of a second press.
        if (type == BS_OWNERDRAW || IsRadioKind(type) || (GetStyle() & BS_NOTIFY)) {
            NotifyParent(BN_DOUBLECLICKED);
            return CWnd::DefWindowProc(message, wParam, lParam);
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN: {
        if (type == BS_GROUPBOX)
            break;
        // A press sent by code (no release will follow) only takes the focus.
        const bool real = HasToolkitDefault(message);
        SetFocus();
        if (!real || !m_hWnd)
            break;
        SetCapture();
        m_tracking = true;
        Press(true);
        break;
    }
    case WM_MOUSEMOVE:
        if (m_tracking && GetCapture() == this) {
            CRect rc;
            GetClientRect(&rc);
            Press(rc.PtInRect(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) != FALSE);
        }
        break;
    case WM_LBUTTONUP:
        if (m_tracking) {
            m_tracking = false;
            const bool click = m_pushed;
            if (GetCapture() == this)
                ::ReleaseCapture();
            Press(false);
            if (click)
                Click();
        }
        break;
    case WM_CAPTURECHANGED:
        if (m_tracking && !m_spaceDown) {
            m_tracking = false;
            Press(false);
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && type != BS_GROUPBOX && !m_spaceDown) {
            m_spaceDown = true;
            Press(true);
        }
        break;
    case WM_KEYUP:
        if (wParam == VK_SPACE && m_spaceDown) {
            m_spaceDown = false;
            const bool click = m_pushed;
            Press(false);
            if (click)
                Click();
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (message == WM_KILLFOCUS && (m_tracking || m_spaceDown)) {
            m_tracking = m_spaceDown = false;
            if (GetCapture() == this)
                ::ReleaseCapture();
            Press(false);
        }
        Invalidate(FALSE);
        if (GetStyle() & BS_NOTIFY)
            NotifyParent(message == WM_SETFOCUS ? BN_SETFOCUS : BN_KILLFOCUS);
        break;
    case WM_ENABLE:
        Invalidate(FALSE);
        break;
    case WM_GETDLGCODE:
        if (IsRadioKind(type))
            return DLGC_BUTTON | 0x40; // DLGC_RADIOBUTTON
        return DLGC_BUTTON;
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL CButton::OnEraseBkgnd(CDC* dc) {
    // Owner-drawn buttons erase with the brush of WM_CTLCOLORBTN (the hollow brush leaves the
    // parent visible); the other kinds paint their whole face.
    if (ButtonType() == BS_OWNERDRAW && dc) {
        HBRUSH brush = SendCtlColor(dc, WM_CTLCOLORBTN);
        CRect rc;
        GetClientRect(&rc);
        dc->FillRect(&rc, CBrush::FromHandle(brush));
    }
    return TRUE;
}

void CButton::OnPaint() {
    CPaintDC dc(this);
    if (ButtonType() != BS_OWNERDRAW) {
        DrawSystemLook(dc);
        return;
    }
    SendCtlColor(&dc, WM_CTLCOLORBTN);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
    dis.itemID = 0;
    dis.itemAction = ODA_DRAWENTIRE;
    if (m_pushed)
        dis.itemState |= ODS_SELECTED;
    if (GetFocus() == this)
        dis.itemState |= ODS_FOCUS;
    if (!IsWindowEnabled())
        dis.itemState |= ODS_DISABLED;
    dis.hwndItem = m_hWnd;
    dis.hDC = dc.GetSafeHdc();
    GetClientRect(&dis.rcItem);
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    else
        DrawItem(&dis);
}

void CButton::DrawSystemLook(CDC& dc) {
    const UINT type = ButtonType();
    const DWORD style = GetStyle();
    const bool enabled = IsWindowEnabled() != FALSE;
    CRect rc;
    GetClientRect(&rc);
    CString text;
    GetWindowText(text);
    const bool check = IsCheckKind(type), radio = IsRadioKind(type);
    const UINT ctl = (check || radio || type == BS_GROUPBOX) ? WM_CTLCOLORSTATIC : WM_CTLCOLORBTN;
    dc.SetBkMode(TRANSPARENT);
    HBRUSH brush = SendCtlColor(&dc, ctl);
    const COLORREF textColour = enabled ? dc.GetTextColor() : GetSysColor(COLOR_GRAYTEXT);
    UINT align = DT_LEFT;
    switch (style & BS_CENTER) {
    case BS_RIGHT:
        align = DT_RIGHT;
        break;
    case BS_CENTER:
        align = DT_CENTER;
        break;
    case BS_LEFT:
        align = DT_LEFT;
        break;
    default:
        align = (check || radio || type == BS_GROUPBOX) ? DT_LEFT : DT_CENTER;
        break;
    }
    const UINT lines = (style & BS_MULTILINE) ? DT_WORDBREAK : (DT_SINGLELINE | DT_VCENTER);

    if (type == BS_GROUPBOX) {
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        const int top = tm.tmHeight / 2;
        CRect frame(rc.left, rc.top + top, rc.right, rc.bottom);
        dc.Draw3dRect(&frame, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        frame.DeflateRect(1, 1);
        dc.Draw3dRect(&frame, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        if (!text.IsEmpty()) {
            CRect tr(rc.left + 8, rc.top, rc.right - 8, rc.top + tm.tmHeight);
            CRect calc = tr;
            dc.DrawText(text, &calc, DT_SINGLELINE | DT_CALCRECT | align);
            calc.right = std::min(calc.right + 2, tr.right);
            calc.left -= 2;
            dc.FillRect(&calc, CBrush::FromHandle(brush));
            dc.SetTextColor(textColour);
            dc.DrawText(text, &tr, DT_SINGLELINE | DT_TOP | align);
        }
        return;
    }

    if (check || radio) {
        if (brush && brush->brushStyle != BS_NULL)
            dc.FillRect(&rc, CBrush::FromHandle(brush));
        constexpr int kBox = 13;
        const bool leftText = style & BS_LEFTTEXT;
        const int y = rc.top + (rc.Height() - kBox) / 2;
        const int x = leftText ? rc.right - kBox : rc.left;
        CRect box(x, y, x + kBox, y + kBox);
        const COLORREF face = enabled && !m_pushed ? GetSysColor(COLOR_WINDOW) : GetSysColor(COLOR_BTNFACE);
        const COLORREF mark = enabled ? GetSysColor(COLOR_WINDOWTEXT) : GetSysColor(COLOR_GRAYTEXT);
        if (check) {
            dc.FillSolidRect(&box, GetSysColor(COLOR_BTNSHADOW));
            CRect inner = box;
            inner.DeflateRect(1, 1);
            dc.FillSolidRect(&inner, face);
            if (m_check) {
                CPen pen(PS_SOLID, 1, m_check == BST_INDETERMINATE ? GetSysColor(COLOR_BTNSHADOW) : mark);
                CPen* old = dc.SelectObject(&pen);
                for (int i = 0; i < 3; ++i) {
                    dc.MoveTo(box.left + 3, box.top + 5 + i);
                    dc.LineTo(box.left + 5, box.top + 7 + i);
                    dc.LineTo(box.left + 10, box.top + 2 + i);
                }
                dc.SelectObject(old);
            }
        } else {
            CBrush shadow(GetSysColor(COLOR_BTNSHADOW)), fill(face);
            CPen pen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
            CPen* oldPen = dc.SelectObject(&pen);
            CBrush* oldBrush = dc.SelectObject(&fill);
            dc.Ellipse(box.left, box.top, box.right - 1, box.bottom - 1);
            if (m_check) {
                CBrush dot(mark);
                CPen none(PS_NULL, 0, RGB(0, 0, 0));
                dc.SelectObject(&dot);
                dc.SelectObject(&none);
                dc.Ellipse(box.left + 3, box.top + 3, box.right - 3, box.bottom - 3);
                dc.SelectObject(&fill);
                dc.SelectObject(&pen);
            }
            dc.SelectObject(oldBrush);
            dc.SelectObject(oldPen);
        }
        CRect tr = rc;
        if (leftText)
            tr.right = box.left - 4;
        else
            tr.left = box.right + 4;
        dc.SetTextColor(textColour);
        dc.DrawText(text, &tr, align | lines);
        if (GetFocus() == this && !text.IsEmpty()) {
            CRect fr = tr;
            dc.DrawText(text, &fr, align | lines | DT_CALCRECT);
            fr.InflateRect(1, 1);
            dc.DrawFocusRect(&fr);
        }
        return;
    }

    // Push buttons.
    dc.FillSolidRect(&rc, GetSysColor(COLOR_BTNFACE));
    CRect edge = rc;
    dc.DrawEdge(&edge, m_pushed || m_check ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    CRect tr = rc;
    tr.DeflateRect(4, 2);
    if (m_pushed)
        tr.OffsetRect(1, 1);
    if (m_bitmap) {
        CBitmap* bmp = CBitmap::FromHandle(m_bitmap);
        const CSize size = bmp->GetBitmapDimension();
        DrawBitmap(&dc, bmp, tr.left + (tr.Width() - size.cx) / 2, tr.top + (tr.Height() - size.cy) / 2);
    } else {
        dc.SetTextColor(enabled ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
        dc.DrawText(text, &tr, align | lines);
    }
    if (GetFocus() == this) {
        CRect fr = rc;
        fr.DeflateRect(3, 3);
        dc.DrawFocusRect(&fr);
    }
}
