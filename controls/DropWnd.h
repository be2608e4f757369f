// CDropWnd: the drop-down popup of a combo button, holding its drop list. It tells its owner
// button about a pick with WM_COMBO_SELECT; closed without a pick, the list gets back the selection
// it had when it opened.
#pragma once

#include "platform/ui/DropDownWnd.h"

#include <memory>

class CDropListBox;
class CFont;

class CDropWnd : public CDropDownWnd {
public:
    CDropWnd();
    ~CDropWnd() override;

    using CWnd::Create;
    // Makes the popup (hidden, owned by the button) and its list; the UINT is unused.
    BOOL Create(CWnd* owner, UINT unused);
    // The popup of a drop button: made for owner, its list taking font; null when it failed.
    static std::unique_ptr<CDropWnd> Make(CWnd* owner, CFont* font);
    // Places the popup under button (width wide, at most maxHeight high, lower when fewer items
    // fit; above the button when allowed and the work area ends first), shows it and returns
    // where it went, in screen coordinates.
    CRect ShowUnder(CWnd* button, int width, int maxHeight, BOOL mayOpenAbove);
    // A press on the owner button at point (its client coordinates): TRUE when the popup is to
    // be shown; with a non-zero show status a press outside lastRect only hides it.
    BOOL PressOnOwner(CWnd* button, CPoint point, const CRect& lastRect);
    CDropListBox* GetListBox() const { return m_pListBox.get(); }
    CWnd* GetOwnerButton() const { return m_pOwner; }
    // While shown: the selection a close without a pick leaves (the owner's caption changed
    // under the open list).
    void SetCloseSel(int index) { m_nOpenSel = index; }
    UINT GetShowStatus() const { return m_nShowStatus; }
    void SetShowStatus(UINT status) { m_nShowStatus = status; }

protected:
    void OnSize(UINT type, int cx, int cy) override;
    void OnShowWindow(BOOL show, UINT status) override;
    void OnSelChange();

    DECLARE_MESSAGE_MAP()

private:
    CWnd* m_pOwner = nullptr;
    UINT m_nShowStatus = 0;
    int m_nOpenSel = -1; // the selection a close without a pick puts back
    std::unique_ptr<CDropListBox> m_pListBox;
};
