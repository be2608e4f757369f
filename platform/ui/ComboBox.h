// CComboBox: the drop-down list combo (CBS_DROPDOWNLIST): shows the selected item's text; a click
// or Alt+Down opens the list in a popup below it (above when the screen has no room). Choosing an
// item sends CBN_SELCHANGE (when it changed) and CBN_CLOSEUP; Up/Down on the closed combo change
// the selection with CBN_SELCHANGE. SetCurSel from code sends nothing.
#pragma once

#include "platform/ui/Wnd.h"

#include <memory>
#include <vector>

class CListBox;

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    CComboBox();
    ~CComboBox() override;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetLBText(int index, LPTSTR buffer) const;
    void GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const;
    int FindString(int startAfter, LPCTSTR text) const;
    int FindStringExact(int startAfter, LPCTSTR text) const;
    int SelectString(int startAfter, LPCTSTR text);
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    void ShowDropDown(BOOL show = TRUE);
    BOOL GetDroppedState() const;
    // The open list (null while closed).
    CListBox* DropList() const;

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

protected:
    void Choose(int index, bool notify);
    // The drop-down closed, choosing pick (CB_ERR: nothing).
    void DropClosed(int pick);
    struct Popup;
    std::unique_ptr<Popup> m_popup;
    std::vector<std::pair<CString, DWORD_PTR>> m_items;
    int m_cur = CB_ERR;
    int m_dropHeight = 0;
};
