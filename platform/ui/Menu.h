// CMenu: menus and popup menus, loaded from the resource registry's menu tables (texts in the
// current language) or built item by item. TrackPopupMenu shows a popup at screen coordinates
// and posts WM_COMMAND(id) to the owner (with TPM_RETURNCMD it returns the id instead).
#pragma once

#include "platform/core/String.h"
#include "platform/ui/Handles.h"
#include "platform/ui/WinUser.h"

#include <functional>

class CWnd;

class CMenu {
public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    virtual ~CMenu();

    HMENU m_hMenu = nullptr;
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    // The wrapper of a handle (kept with the menu; null for null).
    static CMenu* FromHandle(HMENU menu);

    BOOL LoadMenu(UINT resourceId);
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();
    BOOL Attach(HMENU menu);
    HMENU Detach();

    BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR text = nullptr);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR text = nullptr);
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR text = nullptr);
    BOOL DeleteMenu(UINT position, UINT flags);
    BOOL RemoveMenu(UINT position, UINT flags);
    CMenu* GetSubMenu(int position) const;
    int GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const;
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    UINT GetMenuState(UINT item, UINT flags) const;
    // Both return the previous state, or 0xFFFFFFFF when the item does not exist.
    UINT CheckMenuItem(UINT item, UINT check);
    UINT EnableMenuItem(UINT item, UINT enable);
    BOOL CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags);

    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);

    // Tests: answers TrackPopupMenu with the id to choose (0 = dismissed) instead of showing it.
    static void SetTrackHook(std::function<UINT(CMenu&, int x, int y)> hook);
};
