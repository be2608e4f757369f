#include "grid/InPlaceList.h"

#include "grid/GridTypes.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/Font.h"
#include "platform/ui/ListBox.h"

CInPlaceList::CInPlaceList(CWnd* parent, const CRect& rect, DWORD style, UINT id, int row, int col,
                           const std::vector<CString>& items, const CString& text, UINT key, UINT ch)
    : m_listStyle(style), m_nRow(row), m_nColumn(col), m_sInitText(text) {
    // Wide enough for the widest option next to the drop button.
    int width = 0;
    {
        CClientDC dc(parent);
        CFont* old = dc.SelectObject(parent->GetFont());
        for (const CString& item : items)
            width = std::max<int>(width, dc.GetTextExtent(item).cx);
        width += GetSystemMetrics(SM_CXVSCROLL) + 2 * dc.GetTextExtent(CString(" ")).cx;
        dc.SelectObject(old);
    }
    CRect place = rect;
    if (place.Width() < width)
        place.right = place.left + width;
    // The drop list opens as its own popup, so the box keeps the cell's height.
    if (!Create(style | WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, place, parent, id))
        return;
    SetFont(parent->GetFont());
    for (const CString& item : items)
        AddString(item);

    const bool known = SelectString(-1, text) != CB_ERR;
    if (IsDropDownList()) {
        if (!known)
            SetWindowText(text);
        SetFocus();
        return;
    }
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(2, 2);
    client.right -= GetSystemMetrics(SM_CXVSCROLL);
    m_edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, client, this, CComboEdit::kEditId);
    m_edit.SetFont(parent->GetFont());
    CString shown = text;
    if (known)
        GetLBText(GetCurSel(), shown);
    m_edit.SetWindowText(shown);
    m_edit.SetFocus();
    if (key == VK_LBUTTON || key == VK_RETURN) {
        m_edit.SetSel(shown.GetLength(), -1);
    } else if (key == VK_BACK || ch == VK_BACK) {
        m_edit.SetSel(shown.GetLength(), -1);
        m_edit.SendMessage(WM_CHAR, VK_BACK);
    } else {
        m_edit.SetSel(0, -1);
        if (ch >= 0x20 && ch < 0x80)
            m_edit.SendMessage(WM_CHAR, ch);
    }
}

CInPlaceList::~CInPlaceList() = default;

bool CInPlaceList::Owns(const CWnd* wnd) const {
    if (!wnd)
        return false;
    if (wnd == &m_edit)
        return true;
    const CListBox* drop = DropList();
    return drop && (wnd == drop || wnd == drop->GetParent());
}

CString CInPlaceList::GetEditText() const {
    CString text;
    if (m_edit.GetSafeHwnd()) {
        m_edit.GetWindowText(text);
        return text;
    }
    const int cur = GetCurSel();
    if (cur != CB_ERR)
        GetLBText(cur, text);
    else
        GetWindowText(text);
    return text;
}

void CInPlaceList::PostNcDestroy() {
    CComboBox::PostNcDestroy();
    delete this;
}

void CInPlaceList::EndWithKey(UINT key) {
    m_nLastChar = key;
    if (CWnd* grid = GetParent())
        grid->SetFocus();
}

void CInPlaceList::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
    const bool navigation =
        ch == VK_PRIOR || ch == VK_NEXT || ch == VK_LEFT || ch == VK_UP || ch == VK_RIGHT || ch == VK_DOWN;
    if (navigation && (m_bExitOnArrows || GetKeyState(VK_CONTROL) < 0)) {
        EndWithKey(ch);
        return;
    }
    CComboBox::OnKeyDown(ch, repeat, flags);
}

void CInPlaceList::OnKeyUp(UINT ch, UINT repeat, UINT flags) {
    if (ch == VK_ESCAPE) {
        if (m_edit.GetSafeHwnd())
            m_edit.SetWindowText(m_sInitText);
        else if (SelectString(-1, m_sInitText) == CB_ERR)
            SetCurSel(-1);
    }
    if (ch == VK_TAB || ch == VK_RETURN || ch == VK_ESCAPE) {
        EndWithKey(ch);
        return;
    }
    CComboBox::OnKeyUp(ch, repeat, flags);
}

void CInPlaceList::OnSetFocus(CWnd* oldWnd) {
    CComboBox::OnSetFocus(oldWnd);
    // The edit part holds the focus of an editable list.
    if (m_edit.GetSafeHwnd() && !Owns(oldWnd))
        m_edit.SetFocus();
}

void CInPlaceList::OnKillFocus(CWnd* newWnd) {
    CComboBox::OnKillFocus(newWnd);
    if (IsDropDownList() && !Owns(newWnd) && !GetDroppedState())
        EndEdit();
}

UINT CInPlaceList::OnGetDlgCode() {
    return DLGC_WANTALLKEYS;
}

BOOL CInPlaceList::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == m_hWnd) {
        const UINT code = HIWORD(wParam);
        if (code == CBN_SELCHANGE && m_edit.GetSafeHwnd()) {
            CString text;
            GetLBText(GetCurSel(), text);
            m_edit.SetWindowText(text);
            m_edit.SetSel(0, -1);
        }
        if (code == CBN_CLOSEUP && !m_ending) {
            // Back from the drop list the edit goes on, unless the focus went elsewhere.
            CWnd* focus = GetFocus();
            if (focus && focus != this && !Owns(focus))
                EndEdit();
            else if (m_edit.GetSafeHwnd())
                m_edit.SetFocus();
            else
                SetFocus();
        }
    }
    return CComboBox::OnChildNotify(message, wParam, lParam, result);
}

void CInPlaceList::EndEdit() {
    if (m_ending || !m_hWnd)
        return;
    m_ending = true;
    GridEditNotify notify{};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = static_cast<UINT>(GRIDN_END_EDIT);
    notify.item.row = m_nRow;
    notify.item.col = m_nColumn;
    notify.item.mask = GRIDMASK_TEXT | GRIDMASK_DATA;
    notify.item.szText = GetEditText();
    notify.item.lParam = static_cast<LPARAM>(m_nLastChar);
    if (CWnd* owner = GetOwner(); owner && owner->GetSafeHwnd())
        owner->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(&notify));
    PostMessage(WM_CLOSE);
}
