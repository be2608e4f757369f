#include "grid/InPlaceEdit.h"

#include "grid/GridTypes.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/Font.h"

#include <algorithm>

CInPlaceEdit::CInPlaceEdit(CWnd* parent, const CRect& rect, DWORD style, UINT id, int row, int col,
                           const CString& text, UINT key, UINT ch)
    : m_nRow(row), m_nColumn(col), m_sInitText(text), m_bExitOnArrows(key != VK_LBUTTON), m_Rect(rect) {
    if (!Create(style | WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, parent, id))
        return;
    SetFont(parent->GetFont());
    // The limit holds for typing only: a longer cell text is shown whole.
    SetWindowText(text);
    LimitText(kTextLimit);
    SetFocus();
    if (key == VK_LBUTTON || key == VK_RETURN) {
        SetSel(text.GetLength(), -1);
    } else if (key == VK_BACK || ch == VK_BACK) {
        SetSel(text.GetLength(), -1);
        SendMessage(WM_CHAR, VK_BACK);
    } else {
        SetSel(0, -1);
        // Typing replaces the text; a character outside ASCII is refused whole.
        if (ch >= 0x20 && ch < 0x80)
            SendMessage(WM_CHAR, ch);
    }
}

CInPlaceEdit::~CInPlaceEdit() = default;

void CInPlaceEdit::PostNcDestroy() {
    CEdit::PostNcDestroy();
    delete this;
}

void CInPlaceEdit::EndWithKey(UINT key) {
    m_nLastChar = key;
    if (CWnd* grid = GetParent())
        grid->SetFocus();
}

void CInPlaceEdit::OnChar(UINT ch, UINT repeat, UINT flags) {
    if (ch >= 0x80)
        return;
    if (ch == VK_TAB || ch == VK_RETURN) {
        EndWithKey(ch);
        return;
    }
    if (ch == VK_ESCAPE) {
        SetWindowText(m_sInitText);
        EndWithKey(ch);
        return;
    }
    CEdit::OnChar(ch, repeat, flags);
    WidenToText();
}

void CInPlaceEdit::WidenToText() {
    if (!m_hWnd)
        return;
    CString text;
    GetWindowText(text);
    text += "  ";
    CClientDC dc(this);
    CFont* old = dc.SelectObject(GetFont());
    const CSize size = dc.GetTextExtent(text);
    dc.SelectObject(old);
    CRect rect;
    GetWindowRect(&rect);
    CWnd* grid = GetParent();
    grid->ScreenToClient(&rect);
    if (size.cx <= rect.Width())
        return;
    CRect client;
    grid->GetClientRect(&client);
    rect.right = std::min<LONG>(rect.left + size.cx, client.right);
    MoveWindow(&rect);
}

void CInPlaceEdit::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
    const bool navigation =
        ch == VK_PRIOR || ch == VK_NEXT || ch == VK_LEFT || ch == VK_UP || ch == VK_RIGHT || ch == VK_DOWN;
    if (navigation && (m_bExitOnArrows || GetKeyState(VK_CONTROL) < 0)) {
        EndWithKey(ch);
        return;
    }
    CEdit::OnKeyDown(ch, repeat, flags);
}

void CInPlaceEdit::OnKillFocus(CWnd* newWnd) {
    CEdit::OnKillFocus(newWnd);
    EndEdit();
}

UINT CInPlaceEdit::OnGetDlgCode() {
    return DLGC_WANTALLKEYS;
}

void CInPlaceEdit::EndEdit() {
    if (m_ending || !m_hWnd)
        return;
    m_ending = true;
    CString text;
    GetWindowText(text);
    GridEditNotify notify{};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = static_cast<UINT>(GRIDN_END_EDIT);
    notify.item.row = m_nRow;
    notify.item.col = m_nColumn;
    notify.item.mask = GRIDMASK_TEXT | GRIDMASK_DATA;
    notify.item.szText = text;
    notify.item.lParam = static_cast<LPARAM>(m_nLastChar);
    CWnd* owner = GetOwner();
    if (owner && owner->GetSafeHwnd())
        owner->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(&notify));
    PostMessage(WM_CLOSE);
}
