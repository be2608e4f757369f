// CInPlaceEdit: the grid's editor over one cell. Tab, Enter and Escape end it (Escape with the
// first text back), as do Page Up/Down and the arrows when it was opened by typing or with Ctrl;
// losing the focus ends it too. It reports the text and the ending key to the grid with
// GRIDN_END_EDIT (GridEditNotify) and deletes itself once its window is gone.
#pragma once

#include "platform/ui/Edit.h"

class CInPlaceEdit : public CEdit {
public:
    // key: the virtual key that opened the editor (VK_LBUTTON for the mouse); ch: the typed
    // character that opened it (0 for none), typed into the editor over the selected text.
    CInPlaceEdit(CWnd* parent, const CRect& rect, DWORD style, UINT id, int row, int col, const CString& text,
                 UINT key, UINT ch);
    ~CInPlaceEdit() override;

    void EndEdit();
    int GetRow() const { return m_nRow; }
    int GetColumn() const { return m_nColumn; }
    BOOL GetExitOnArrows() const { return m_bExitOnArrows; }

    // Text limit in characters (bytes of the system's code page).
    static constexpr int kTextLimit = 8;

    void PostNcDestroy() override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;
    void OnKillFocus(CWnd* newWnd) override;
    UINT OnGetDlgCode() override;

private:
    void EndWithKey(UINT key);
    void WidenToText();

    int m_nRow;
    int m_nColumn;
    CString m_sInitText;
    UINT m_nLastChar = 0;
    BOOL m_bExitOnArrows;
    CRect m_Rect;
    bool m_ending = false;
};
