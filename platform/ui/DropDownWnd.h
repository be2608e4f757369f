// CDropDownWnd: the popup of a drop-down list, owned by the control that opens it. It has no frame
// and stays outside the window manager; while shown it takes the pointer and the keyboard (keys go
// to its key child). It hides itself, choosing nothing, at a press outside it (the press then goes
// on to our window the user sees under the pointer; one on the owner or on another program's window
// lying over ours only closes), at Escape,
// when the application or the owner's window loses the activation, and when the owner is hidden,
// disabled or destroyed. At most one is shown: showing one hides the one shown before.
#pragma once

#include "platform/ui/Wnd.h"

#include <memory>

class CDropDownWnd : public CWnd {
public:
    CDropDownWnd();
    ~CDropDownWnd() override;

    // Makes the hidden popup, owned by owner.
    BOOL CreateDropDown(CWnd* owner, LPCTSTR className);
    // The child that gets the keys while the popup is shown (null: the popup itself).
    void SetKeyChild(CWnd* child) { m_pKeyChild = child; }
    // Any show command shows it without activating it; SW_HIDE hides it.
    BOOL ShowWindow(int command) override;

    // The drop-down shown now, or null.
    static CDropDownWnd* GetOpen();
    // Hides the drop-down shown now, if any, choosing nothing.
    static void CloseOpen();

protected:
    void OnDestroy() override;

private:
    class Watch;
    // No longer the one shown: its watch stops.
    void ForgetOpen();
    CWnd* m_pKeyChild = nullptr;
    std::unique_ptr<Watch> m_watch;
};
