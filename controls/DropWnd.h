// CDropWnd: the borderless top-most popup of a combo button, holding its drop list. It tells its
// owner button about a pick with WM_COMBO_SELECT.
#pragma once

#include "platform/ui/Wnd.h"

#include <memory>

class CDropListBox;

class CDropWnd : public CWnd {
public:
    CDropWnd();
    ~CDropWnd() override;

    using CWnd::Create;
    // Makes the popup (hidden, owned by the button's window) and its list; the UINT is unused.
    BOOL Create(CWnd* owner, UINT unused);
    CDropListBox* GetListBox() const { return m_pListBox.get(); }
    CWnd* GetOwnerButton() const { return m_pOwner; }
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
    std::unique_ptr<CDropListBox> m_pListBox;
};
