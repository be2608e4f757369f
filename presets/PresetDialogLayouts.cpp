#include "presets/PresetDialogLayouts.h"

#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"

namespace {

constexpr DWORD kDlgStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kPush = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kDefPush = WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;

// 245 x 120 dialog units: the grid of 7 rows (name column 262 wide) above the two buttons at
// the right. The texts follow the mode and are set when the dialog opens.
const res::DialogItemSpec kProgramItems[] = {
    {2727, "Button", 172, 160, 84, 28, kDefPush, 0, "Load", "加载"},
    {IDCANCEL, "Button", 266, 160, 84, 28, kPush, 0, "Quit", "退出"},
    {2724, "", 16, 8, 336, 146, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 0, "", ""},
};

const res::DialogItemSpec kSaveItems[] = {
    {2725, "Static", 20, 14, 260, 22, WS_VISIBLE | SS_LEFT, 0, "No.", "序号:"},
    {2726, "Edit", 20, 40, 260, 28, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0, "", ""},
    {IDOK, "Button", 44, 84, 96, 30, kDefPush, 0, "OK", "确定"},
    {IDCANCEL, "Button", 160, 84, 96, 30, kPush, 0, "Cancel", "取消"},
};

const res::DialogSpec kDialogs[] = {
    {IDD_PROGRAM_DLG, 368, 196, kDlgStyle, 0, "Load Machine Preset", "加载 机器预置场景", "Arial", -14,
     kProgramItems},
    {IDD_SAVE_DLG, 300, 128, kDlgStyle, 0, "Please enter the preset name", "请输入场景名", "Arial", -14,
     kSaveItems},
};

} // namespace

void RegisterPresetDialogLayouts() {
    static const bool registered = [] {
        res::RegisterDialogs(kDialogs);
        return true;
    }();
    (void)registered;
}
