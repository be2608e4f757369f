#include "shell/LinkDialogLayouts.h"

#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"

namespace {

constexpr DWORD kDlgStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kPush = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

// Firmware update: the file row in its group, the bar and the status text, the interface group
// with its (hidden) COM choice, and the Update and Quit buttons.
const res::DialogItemSpec kUpgradeItems[] = {
    {1890, "Button", 6, 2, 385, 48, WS_VISIBLE | BS_GROUPBOX, 0, "Update File", "Hex文件"},
    {1878, "Static", 14, 23, 62, 18, WS_VISIBLE | SS_LEFT, 0, "Hex File", "固件文件"},
    {1882, "Edit", 78, 20, 220, 22, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0, "", ""},
    {1883, "Button", 304, 19, 80, 24, kPush, 0, "Browse file", "浏览文件"},
    {1414, "Progress", 6, 56, 385, 14, WS_VISIBLE, 0, "", ""},
    {1886, "Static", 6, 73, 385, 16, WS_VISIBLE | SS_LEFT, 0, "", ""},
    {1889, "Button", 6, 90, 200, 40, WS_VISIBLE | BS_GROUPBOX, 0, "Communication interface", "通信接口"},
    {1798, "Button", 14, 108, 50, 18, WS_TABSTOP | BS_AUTORADIOBUTTON | WS_GROUP, 0, "USB", "USB"},
    {1880, "Button", 66, 108, 56, 18, WS_TABSTOP | BS_AUTORADIOBUTTON, 0, "WIFI", "WIFI"},
    {1888, "Button", 124, 108, 50, 18, WS_TABSTOP | BS_AUTORADIOBUTTON, 0, "COM", "COM"},
    {1887, "Static", 176, 108, 26, 16, SS_LEFT, 0, "Port", "端口"},
    {1898, "ComboBox", 14, 108, 120, 22, WS_TABSTOP | CBS_DROPDOWNLIST, 0, "", ""},
    {1881, "Button", 216, 98, 80, 28, kPush, 0, "Update", "升级"},
    {1891, "Button", 306, 98, 80, 28, kPush, 0, "Quit", "退出"},
};

// Link selection: the three kinds one under the other, the port list beside COM, the Link button.
const res::DialogItemSpec kConnectItems[] = {
    {1798, "Button", 14, 12, 260, 20, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0,
     "Use the USB connect to the device", "使用USB连接到设备"},
    {1799, "Button", 14, 38, 260, 20, WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON, 0,
     "Use the WIFI connect to the device", "使用WIFI无线连接到设备"},
    {1888, "Button", 14, 64, 236, 20, WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON, 0,
     "Use the COM connect to the device", "使用COM连接到设备"},
    {1896, "ComboBox", 252, 62, 150, 22, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 0, "", ""},
    {IDOK, "Button", 165, 98, 80, 28, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, "Link", "联机"},
};

// Communication monitor: the written and the read log side by side, Clear between them below.
const res::DialogItemSpec kMonitorItems[] = {
    {-1, "Static", 10, 6, 120, 16, WS_VISIBLE | SS_LEFT, 0, "写数据", "写数据"},
    {-1, "Static", 362, 6, 120, 16, WS_VISIBLE | SS_LEFT, 0, "读数据", "读数据"},
    {1221, "Edit", 10, 24, 342, 270, WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0, "",
     ""},
    {1024, "Edit", 362, 24, 342, 270, WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0, "",
     ""},
    {1884, "Edit", 10, 302, 160, 22, WS_VISIBLE | WS_BORDER, 0, "", ""},
    {1885, "Edit", 544, 302, 160, 22, WS_VISIBLE | WS_BORDER, 0, "", ""},
    {1222, "Button", 317, 320, 80, 28, kPush, 0, "Clear", "Clear"},
};

// A Yes/No question.
const res::DialogItemSpec kQuestionItems[] = {
    {1001, "Static", 14, 14, 332, 56, WS_VISIBLE | SS_LEFT, 0, "", ""},
    {IDOK, "Button", 90, 80, 80, 28, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, "Yes", "是"},
    {IDCANCEL, "Button", 190, 80, 80, 28, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, "No", "否"},
};

// The interface menu: one popup with "USB" and "Network" (renamed to the address when offered).
const res::MenuItemSpec kInterfaceMenu[] = {
    {114, 0, 0, MF_POPUP, "Link", "连接"},
    {114, 1, 732, MF_STRING, "USB", "USB"},
    {114, 1, 733, MF_STRING, "Network", "网络"},
};

const res::DialogSpec kDialogs[] = {
    {270, 397, 160, kDlgStyle, 0, "Device Firmware Update", "设备固件升级", "Arial", -12, kUpgradeItems},
    {144, 410, 140, kDlgStyle, 0, "Link", "联机", "Arial", -12, kConnectItems},
    {271, 360, 120, kDlgStyle, 0, "Warning", "警告", "Arial", -12, kQuestionItems},
    {109, 714, 356, kDlgStyle, 0, "Lock", "Lock", "Arial", -12, kMonitorItems},
};

} // namespace

void RegisterLinkDialogLayouts() {
    static const bool registered = [] {
        res::RegisterDialogs(kDialogs);
        res::RegisterMenus(kInterfaceMenu);
        return true;
    }();
    (void)registered;
}
