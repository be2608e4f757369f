// CComboEdit: the edit part of the grid's in-place drop-down list. It hands the list the keys
// that end an edit (Tab, Enter, Escape; Page Up/Down and the arrows with Ctrl) and ends the edit
// when the focus leaves the list altogether.
#pragma once

#include "platform/ui/Edit.h"

class CInPlaceList;

class CComboEdit : public CEdit {
public:
    // Control id of the edit part inside its list.
    static constexpr UINT kEditId = 1001;

    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;
    void OnKeyUp(UINT ch, UINT repeat, UINT flags) override;
    void OnKillFocus(CWnd* newWnd) override;
    UINT OnGetDlgCode() override;

private:
    CInPlaceList* List() const;
};
