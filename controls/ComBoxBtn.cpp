#include "controls/ComBoxBtn.h"

#include "controls/DropListBox.h"
#include "controls/DropWnd.h"
#include "controls/SkinControl.h"
#include "model/Globals.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/DC.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CComBoxBtn, CButton)
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_MOUSEHOVER()
ON_WM_KILLFOCUS()
ON_WM_SETFOCUS()
ON_WM_SETCURSOR()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEWHEEL()
ON_MESSAGE(WM_COMBO_SELECT, &CComBoxBtn::OnComboSelect)
END_MESSAGE_MAP()

namespace {
// The main view's input-type combo shows its caption in the highlight colour on a source match.
constexpr int kSourceTypeComboId = 2862;

CFont* MakeCaptionFont() {
    auto* font = new CFont;
    font->CreateFont(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
    return font;
}
} // namespace

CComBoxBtn::CComBoxBtn() : m_pNormalFont(MakeCaptionFont()), m_pHoverFont(MakeCaptionFont()) {}

CComBoxBtn::~CComBoxBtn() {
    m_pDropWnd.reset();
    if (m_bOwnFonts) {
        delete m_pNormalFont;
        delete m_pHoverFont;
    }
}

CDropListBox* CComBoxBtn::GetListBox() const {
    return m_pDropWnd ? m_pDropWnd->GetListBox() : nullptr;
}

void CComBoxBtn::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    m_nDrawKind = skin::ButtonKind(GetStyle() & 0xF);
    if (m_nDrawKind == 0)
        ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    GetClientRect(&m_rcClient);
}

UINT CComBoxBtn::StateBitmap(BOOL disabled) const {
    if (disabled)
        return m_nDisabledBitmap;
    if (m_bHovered)
        return m_nHoverBitmap;
    return m_nNormalBitmap;
}

COLORREF CComBoxBtn::StateTextColor(BOOL disabled) const {
    if (disabled)
        return m_clrDisabledText;
    if (m_bHovered)
        return m_clrHoverText;
    if (m_bPressed)
        return m_clrHighlightText;
    if (GetDlgCtrlID() == kSourceTypeComboId && g_bSourceTypeMatch.load())
        return m_clrHighlightText;
    return m_clrNormalText;
}

void CComBoxBtn::SizeToLook() {
    if (!m_hWnd)
        return;
    if (!skin::FitToBitmap(this, StateBitmap(!IsWindowEnabled())))
        return; // no bitmap (or one that does not load) keeps the size
    GetClientRect(&m_rcClient);
}

void CComBoxBtn::RepaintNow() {
    if (!m_hWnd)
        return;
    SizeToLook();
    Invalidate(TRUE);
    UpdateWindow();
}

void CComBoxBtn::SetHovered(BOOL hovered) {
    if (m_bHovered == hovered)
        return;
    m_bHovered = hovered;
    SizeToLook();
}

void CComBoxBtn::DrawItem(LPDRAWITEMSTRUCT dis) {
    if (!dis)
        return;
    if (m_nDrawKind == 4)
        return;
    if (m_nDrawKind == 2) {
        Default();
        return;
    }
    m_pDrawItem = dis;
    CDC* dc = CDC::FromHandle(dis->hDC);
    CString caption;
    GetWindowText(caption);
    dc->SetBkMode(TRANSPARENT);
    const BOOL disabled = (dis->itemState & ODS_DISABLED) != 0;
    const UINT id = StateBitmap(disabled);
    CFont* font = (!disabled && m_bHovered) ? m_pHoverFont : m_pNormalFont;
    const COLORREF colour = StateTextColor(disabled);

    CRect client;
    GetClientRect(&client);
    skin::PaintFace(dc, id, client);

    if (!caption.IsEmpty()) {
        if (disabled && m_bNullWhenDisabled)
            caption = "NULL";
        CFont* oldFont = font ? dc->SelectObject(font) : nullptr;
        dc->SetTextColor(colour);
        CRect text = client;
        if (!disabled) {
            text.left += m_nTextLeft;
            text.right -= m_nTextRight;
        }
        dc->DrawText(caption, &text, m_nTextFormat | DT_SINGLELINE | DT_VCENTER);
        if (oldFont)
            dc->SelectObject(oldFont);
    }
    if (dis->itemState & ODS_FOCUS)
        skin::PaintFocusMark(dc, client);
    m_pDrawItem = nullptr;
}

void CComBoxBtn::SetBitmaps(UINT normalId, UINT hoverId) {
    m_nNormalBitmap = normalId;
    m_nHoverBitmap = hoverId;
    CBitmap bitmap;
    if (m_hWnd && normalId && bitmap.LoadBitmap(normalId)) {
        BITMAP info{};
        bitmap.GetBitmap(&info);
        SetWindowPos(nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER);
        GetClientRect(&m_rcClient);
    }
}

void CComBoxBtn::SetDisabledBitmap(UINT id) {
    m_nDisabledBitmap = id;
}

void CComBoxBtn::SetNullWhenDisabled(BOOL nullWhenDisabled) {
    m_bNullWhenDisabled = nullWhenDisabled;
}

void CComBoxBtn::SetTextLayout(const ComboTextLayout& layout) {
    m_nTextLeft = layout.left;
    m_nTextRight = layout.right;
    m_nTextFormat = layout.format;
}

BOOL CComBoxBtn::CreateDropList(CWnd* owner, UINT listId) {
    GetClientRect(&m_rcClient);
    m_nListWidth = m_rcClient.Width();
    m_pDropWnd = CDropWnd::Make(this, m_pNormalFont);
    if (!m_pDropWnd)
        return FALSE;
    m_pOwner = owner;
    m_nListId = listId;
    return TRUE;
}

void CComBoxBtn::ResetContent() {
    m_nShownSel = -1;
    if (CDropListBox* list = GetListBox())
        list->ResetContent();
}

int CComBoxBtn::AddString(LPCTSTR text) {
    CDropListBox* list = GetListBox();
    return list ? list->AddString(text) : LB_ERR;
}

int CComBoxBtn::InsertString(int index, LPCTSTR text) {
    CDropListBox* list = GetListBox();
    return list ? list->InsertString(index, text) : LB_ERR;
}

void CComBoxBtn::SetCurSel(int index) {
    CDropListBox* list = GetListBox();
    if (!list)
        return;
    list->SetCurSel(index);
    m_nShownSel = index >= 0 && index < list->GetCount() ? index : -1;
    // A page's choice under the open list stays when the list closes without a pick.
    if (m_pDropWnd->IsWindowVisible())
        m_pDropWnd->SetCloseSel(list->GetCurSel());
    CString text;
    if (!IsWindowEnabled())
        text = "NULL";
    else if (index >= 0 && index < list->GetCount())
        list->GetText(index, text);
    SetWindowText(text);
    RepaintNow();
}

int CComBoxBtn::GetCurSel() const {
    CDropListBox* list = GetListBox();
    return list ? list->GetCurSel() : LB_ERR;
}

void CComBoxBtn::EnableMoveNotify(BOOL enable) {
    m_bMoveNotify = enable;
}

void CComBoxBtn::ShowDropList() {
    CDropListBox* list = GetListBox();
    if (!list)
        return;
    // The list opens on the item the caption shows, whatever it highlighted before.
    if (!m_pDropWnd->IsWindowVisible() && list->GetCurSel() != m_nShownSel)
        list->SetCurSel(m_nShownSel);
    m_rcDrop = m_pDropWnd->ShowUnder(this, m_nListWidth, m_nListMaxHeight, TRUE);
}

void CComBoxBtn::HideDropList() {
    m_bHovered = TRUE;
    if (m_pDropWnd) {
        m_pDropWnd->SetShowStatus(1);
        m_pDropWnd->ShowWindow(SW_HIDE);
        // A hidden popup always ends with status 0, so the next press opens it again.
        m_pDropWnd->SetShowStatus(0);
    }
    m_bHovered = FALSE;
    RepaintNow();
}

BOOL CComBoxBtn::EnableWindow(BOOL enable) {
    if (m_bNullWhenDisabled && enable) {
        CString text;
        if (CDropListBox* list = GetListBox(); list && list->GetCurSel() >= 0)
            list->GetText(list->GetCurSel(), text);
        SetWindowText(text);
    }
    const BOOL r = CButton::EnableWindow(enable);
    SizeToLook();
    return r;
}

void CComBoxBtn::SetTextColors(COLORREF normal, COLORREF hover) {
    m_clrNormalText = normal;
    m_clrHoverText = hover;
}

void CComBoxBtn::SetFonts(CFont* normal, CFont* hover) {
    if (m_bOwnFonts) {
        delete m_pNormalFont;
        delete m_pHoverFont;
    }
    m_pNormalFont = normal;
    m_pHoverFont = hover;
    m_bOwnFonts = FALSE;
}

void CComBoxBtn::SetPressed(BOOL pressed) {
    if (m_bPressed == pressed)
        return;
    m_bPressed = pressed;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CComBoxBtn::SetPressedLook(UINT bitmapId, COLORREF highlight) {
    m_nPressedBitmap = bitmapId;
    m_clrHighlightText = highlight;
}

void CComBoxBtn::Step(int direction) {
    CDropListBox* list = GetListBox();
    if (!list)
        return;
    const int count = list->GetCount();
    if (count <= 0)
        return; // an empty list has nothing to select
    int sel = list->GetCurSel();
    sel = direction > 0 ? std::min(sel + 1, count - 1) : std::max(sel - 1, 0);
    SetCurSel(sel);
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_COMBO_SELECT, m_nListId, static_cast<LPARAM>(sel));
}

void CComBoxBtn::StepByKey(UINT virtualKey) {
    if (virtualKey == VK_UP)
        Step(-1);
    else if (virtualKey == VK_DOWN)
        Step(+1);
}

BOOL CComBoxBtn::OnMouseWheel(UINT flags, short delta, CPoint point) {
    m_nWheelAcc = std::clamp(m_nWheelAcc + delta, -WHEEL_DELTA, WHEEL_DELTA);
    CDropListBox* list = GetListBox();
    if (list && list->GetCount() == 0) {
        m_nWheelAcc = 0; // nothing to step to
    } else if (m_nWheelAcc == -WHEEL_DELTA) {
        Step(+1);
        m_nWheelAcc = 0;
    } else if (m_nWheelAcc == WHEEL_DELTA) {
        Step(-1);
        m_nWheelAcc = 0;
    }
    return CButton::OnMouseWheel(flags, delta, point);
}

void CComBoxBtn::OnMouseMove(UINT flags, CPoint point) {
    if (!m_bHovered) {
        SetHovered(TRUE);
        Invalidate(FALSE);
    }
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, m_hWnd, 1};
    ::TrackMouseEvent(&track);
    if (m_bMoveNotify && point != m_ptLastMove) {
        m_ptLastMove = point;
        CWnd* parent = GetParent();
        const bool popupShown = m_pDropWnd && m_pDropWnd->IsWindowVisible();
        if (popupShown) {
            if (CWnd::GetFocus() != m_pDropWnd.get()) {
                if (parent)
                    parent->SendMessage(WM_CONTROL_MOUSEMOVE, 0xFFFFFFFF,
                                        static_cast<LPARAM>(GetDlgCtrlID()));
                if (CDropListBox* list = GetListBox())
                    list->SetFocus();
            }
        } else if (CWnd::GetFocus() != this && parent) {
            parent->SendMessage(WM_CONTROL_MOUSEMOVE, flags, static_cast<LPARAM>(GetDlgCtrlID()));
        }
    }
    CButton::OnMouseMove(flags, point);
}

void CComBoxBtn::OnMouseLeave() {
    SetHovered(FALSE);
    Invalidate(FALSE);
}

void CComBoxBtn::OnMouseHover(UINT, CPoint) {}

void CComBoxBtn::OnKillFocus(CWnd* newWnd) {
    SetHovered(FALSE);
    CButton::OnKillFocus(newWnd);
}

void CComBoxBtn::OnSetFocus(CWnd* oldWnd) {
    CButton::OnSetFocus(oldWnd);
}

BOOL CComBoxBtn::OnSetCursor(CWnd*, UINT, UINT) {
    return m_hand.Show(m_bCursorOn);
}

void CComBoxBtn::OnSize(UINT type, int cx, int cy) {
    CButton::OnSize(type, cx, cy);
    GetClientRect(&m_rcClient);
}

void CComBoxBtn::OnLButtonDown(UINT flags, CPoint point) {
    SetHovered(FALSE);
    const BOOL open = m_pDropWnd && m_pDropWnd->PressOnOwner(this, point, m_rcDrop);
    Invalidate(TRUE);
    // The button takes the focus with the press; the list opened after it takes it over.
    CButton::OnLButtonDown(flags, point);
    if (open && m_hWnd)
        ShowDropList();
}

LRESULT CComBoxBtn::OnComboSelect(WPARAM wParam, LPARAM) {
    CDropListBox* list = GetListBox();
    const int index = static_cast<int>(wParam);
    CString text;
    if (!list || !list->CommitPick(index, text))
        return 0; // a pick without an item changes nothing
    SetWindowText(text);
    m_nShownSel = index;
    m_bHovered = TRUE;
    RepaintNow();
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_COMBO_SELECT, m_nListId, static_cast<LPARAM>(index));
    return 1;
}
