#include "grid/ComboEdit.h"

#include "grid/InPlaceList.h"

CInPlaceList* CComboEdit::List() const {
    return dynamic_cast<CInPlaceList*>(GetParent());
}

void CComboEdit::OnChar(UINT ch, UINT repeat, UINT flags) {
    // The ending keys act on their release; a character outside ASCII is refused whole.
    if (ch == VK_TAB || ch == VK_RETURN || ch == VK_ESCAPE || ch >= 0x80)
        return;
    CEdit::OnChar(ch, repeat, flags);
}

void CComboEdit::OnKeyDown(UINT ch, UINT repeat, UINT flags) {
    const bool navigation =
        ch == VK_PRIOR || ch == VK_NEXT || ch == VK_LEFT || ch == VK_UP || ch == VK_RIGHT || ch == VK_DOWN;
    CInPlaceList* list = List();
    if (list && navigation && GetKeyState(VK_CONTROL) < 0 && GetDlgCtrlID() == static_cast<int>(kEditId)) {
        list->SendMessage(WM_KEYDOWN, ch, 0);
        return;
    }
    CEdit::OnKeyDown(ch, repeat, flags);
}

void CComboEdit::OnKeyUp(UINT ch, UINT repeat, UINT flags) {
    CInPlaceList* list = List();
    if (list && (ch == VK_TAB || ch == VK_RETURN || ch == VK_ESCAPE)) {
        list->SendMessage(WM_KEYUP, ch, 0);
        return;
    }
    CEdit::OnKeyUp(ch, repeat, flags);
}

void CComboEdit::OnKillFocus(CWnd* newWnd) {
    CEdit::OnKillFocus(newWnd);
    CInPlaceList* list = List();
    // The open drop list takes the focus for a while; the edit goes on.
    if (list && newWnd != list && !list->Owns(newWnd) && !list->GetDroppedState())
        list->EndEdit();
}

UINT CComboEdit::OnGetDlgCode() {
    return DLGC_WANTALLKEYS;
}
