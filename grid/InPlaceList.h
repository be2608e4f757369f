// CInPlaceList: the grid's in-place drop-down list of a column's options. With CBS_DROPDOWN any
// text can be typed in its edit part (CComboEdit); with CBS_DROPDOWNLIST only an option can be
// picked. Tab, Enter and Escape end it (Escape with the first text back), as do Page Up/Down and
// the arrows with Ctrl. It reports to the grid like CInPlaceEdit and deletes itself when closed.
#pragma once

#include "grid/ComboEdit.h"
#include "platform/ui/ComboBox.h"

#include <vector>

class CInPlaceList : public CComboBox {
public:
    CInPlaceList(CWnd* parent, const CRect& rect, DWORD style, UINT id, int row, int col,
                 const std::vector<CString>& items, const CString& text, UINT key, UINT ch);
    ~CInPlaceList() override;

    void EndEdit();
    // The text the edit ends with: the edit part's, or the picked option's.
    CString GetEditText() const;
    CComboEdit* GetEdit() { return m_edit.GetSafeHwnd() ? &m_edit : nullptr; }
    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nColumn; }
    // True for a window that belongs to this list (its edit part or its open drop list).
    bool Owns(const CWnd* wnd) const;
    void EndWithKey(UINT key);

    // Rows the drop list is meant to show.
    static constexpr int kDropRows = 4;

    void PostNcDestroy() override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;
    void OnKeyUp(UINT ch, UINT repeat, UINT flags) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnSetFocus(CWnd* oldWnd) override;
    UINT OnGetDlgCode() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    bool IsDropDownList() const { return (m_listStyle & 3) == CBS_DROPDOWNLIST; }

    CComboEdit m_edit;
    DWORD m_listStyle;
    int m_nRow;
    int m_nColumn;
    CString m_sInitText;
    UINT m_nLastChar = 0;
    BOOL m_bExitOnArrows = FALSE;
    bool m_ending = false;
};
