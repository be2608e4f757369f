#include "shell/LockDialogLayouts.h"

#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"

namespace {

constexpr DWORD kPromptStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kPush = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kPasswordEdit =
    WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_PASSWORD | ES_CENTER | ES_AUTOHSCROLL;

// Both prompts: the label over the centred password field, the two buttons side by side below.
// The button texts of the unlock prompt follow its mode (set when it opens).
const res::DialogItemSpec kUnlockItems[] = {
    {2834, "Static", 36, 12, 228, 22, WS_VISIBLE | SS_LEFT, 0,
     "Enter password(6-digit):", "请输入6位数密码:"},
    {2831, "Edit", 36, 40, 228, 30, kPasswordEdit, 0, "", ""},
    {IDOK, "Button", 36, 94, 96, 30, kPush | BS_DEFPUSHBUTTON, 0, "OK", "确定"},
    {2832, "Button", 168, 94, 96, 30, kPush, 0, "Cancel", "取消"},
};

const res::DialogItemSpec kPasswordItems[] = {
    {IDOK, "Button", 36, 94, 96, 30, kPush | BS_DEFPUSHBUTTON, 0, "OK", "确定"},
    {IDCANCEL, "Button", 168, 94, 96, 30, kPush, 0, "Cancel", "取消"},
    {2856, "Static", 36, 12, 228, 22, WS_VISIBLE | SS_LEFT, 0,
     "Enter password(6-digit):", "请输入6位数密码:"},
    {2855, "Edit", 36, 40, 228, 30, kPasswordEdit, 0, "", ""},
};

const res::DialogSpec kDialogs[] = {
    {777, 300, 140, kPromptStyle, 0, "Prompted", "提示", "Arial", -14, kUnlockItems},
    {876, 300, 140, kPromptStyle, 0, "Prompted", "提示", "Arial", -16, kPasswordItems},
    // The lock cover: a page of the tab area with no controls, the size the view gives it.
    {760, 1196, 411, WS_CHILD, 0, "", "", "Arial", -12, {}},
};

} // namespace

void RegisterLockDialogLayouts() {
    static const bool registered = [] {
        res::RegisterDialogs(kDialogs);
        return true;
    }();
    (void)registered;
}
