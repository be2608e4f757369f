#include "shell/ShellDialogLayouts.h"

#include "model/Globals.h"
#include "platform/ui/Font.h"
#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"

namespace {

constexpr DWORD kDlgStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kPush = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kDefPush = WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD kText = WS_VISIBLE | SS_LEFT;
constexpr DWORD kCentred = WS_VISIBLE | SS_CENTER;

// Message box: the text across the width, the two buttons below it; a one-button box centres
// the one it keeps.
const res::DialogItemSpec kMessageBoxItems[] = {
    {1001, "Static", 12, 22, 296, 52, kCentred | SS_NOPREFIX, 0, "", ""},
    {IDOK, "Button", 66, 88, 84, 28, kDefPush, 0, "OK", "OK"},
    {IDCANCEL, "Button", 170, 88, 84, 28, kPush, 0, "Cancel", "Cancel"},
};

// Transfer progress: the blinking text over the bar. Made topmost at creation: the window layer
// raises a window for HWND_TOPMOST but keeps it on top only by this style.
const res::DialogItemSpec kDisplayItems[] = {
    {1433, "Static", 30, 14, 230, 22, kCentred, 0, "Data transmission", "数据转换中,请勿中断"},
    {2777, "Progress", 30, 46, 230, 16, WS_VISIBLE, 0, "", ""},
};

// Factory reset: the red warning word, the line below it, OK and Quit.
const res::DialogItemSpec kInitItems[] = {
    {2843, "Static", 85, 14, 130, 22, kCentred, 0, "Warning! ", "警告!"},
    {2844, "Static", 6, 44, 288, 36, kText, 0, "   This operation will restore factory Settings",
     "   该操作将引起设备重启并恢复到出厂时的状态"},
    {IDOK, "Button", 56, 86, 76, 26, kDefPush, 0, "OK", "确定"},
    {IDCANCEL, "Button", 168, 86, 76, 26, kPush, 0, "Quit", "取消"},
};

// Version: the picture on the left, the product, version and maker lines on the right, Quit below.
const res::DialogItemSpec kVersionItems[] = {
    {2065, "Static", 12, 16, 110, 106, WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE, 0, "", ""},
    {1876, "Static", 134, 10, 190, 18, kText, 0, "R9VQ-TN", "R9VQ-TN"},
    {1877, "Static", 134, 34, 190, 18, kText, 0, "Device version ", "设备版本 "},
    {1875, "Static", 134, 56, 190, 18, kText, 0, "Software version ", "软件版本 "},
    {1894, "Static", 134, 78, 190, 18, kText, 0, "Car audio DSP tuning software", "车载音频DSP调音软件"},
    {1895, "Static", 134, 98, 190, 18, SS_LEFT | SS_NOTIFY, 0, "", ""},
    {1874, "Button", 240, 116, 80, 26, kDefPush, 0, "Quit", "退出"},
    {8802, "Button", 150, 116, 80, 26, WS_TABSTOP | BS_PUSHBUTTON, 0, "Help", "帮助"},
};

// Boot source: the question across the width, the list button centred below it. The list button
// is a plain push button: its class makes it owner-drawn and paints it; an owner-draw style here
// would leave its painting to the default handling, which draws neither skin nor text.
const res::DialogItemSpec kDefSourceItems[] = {
    {2858, "Static", 0, 18, 290, 40, kCentred, 0,
     "Please select the default source \nfor powering up:", "请选择开机默认音源："},
    {2857, "Button", 97, 72, 96, 24, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, "", ""},
};

// Save before exit: the question, then Yes, No and Cancel in a row.
const res::DialogItemSpec kSaveDataItems[] = {
    {2774, "Static", 4, 30, 282, 36, kCentred, 0, "Whether to save the current Presets file?",
     "是否保存当前场景文件?"},
    {IDOK, "Button", 14, 88, 80, 28, kDefPush, 0, "YES", "是"},
    {2790, "Button", 105, 88, 80, 28, kPush, 0, "NO", "否"},
    {IDCANCEL, "Button", 196, 88, 80, 28, kPush, 0, "Cancel", "取消"},
};

// Output map reset: the question, then Emptied, Default and Cancel in a row.
const res::DialogItemSpec kReMapItems[] = {
    {2769, "Static", 4, 30, 282, 36, kCentred, 0, "The output map emptied or restore default",
     "输出配置清空或恢复默认"},
    {IDOK, "Button", 14, 88, 80, 28, kDefPush, 0, "Emptied", "清空"},
    {2768, "Button", 105, 88, 80, 28, kPush, 0, "Default", "默认"},
    {IDCANCEL, "Button", 196, 88, 80, 28, kPush, 0, "Cancel", "取消"},
};

// Left/right link: the question, the two directions, OK and Cancel.
const res::DialogItemSpec kAllLinkItems[] = {
    {2754, "Static", 12, 12, 266, 40, kText, 0,
     "Need to synchronize the data transfer, \nplease select sync mode", ""},
    {2251, "Button", 40, 58, 220, 22, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0,
     "Copy from left to right", ""},
    {2252, "Button", 40, 82, 220, 22, WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON, 0,
     "Copy from right to left", ""},
    {IDOK, "Button", 50, 114, 80, 28, kDefPush, 0, "OK", ""},
    {IDCANCEL, "Button", 160, 114, 80, 28, kPush, 0, "Cancel", ""},
};

// Channel-pair link: the question, the pair's two channels, OK and Cancel.
const res::DialogItemSpec kChLinkItems[] = {
    {-1, "Static", 12, 14, 266, 20, kText, 0, "Which channel data should be applied? ", ""},
    {2259, "Button", 40, 44, 220, 22, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0,
     "CH1 be applied?", ""},
    {2258, "Button", 40, 68, 220, 22, WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON, 0, "CH2 be applied? ",
     ""},
    {IDOK, "Button", 50, 104, 80, 28, kDefPush | WS_GROUP, 0, "OK", "确定"},
    {IDCANCEL, "Button", 160, 104, 80, 28, kPush, 0, "Cancel", "取消"},
};

// About: the icon, one line, OK at the right.
const res::DialogItemSpec kAboutItems[] = {
    {-1, "Static", 16, 22, 40, 40, WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE, 0, "", ""},
    {1867, "Static", 68, 32, 190, 18, kText, 0, "QL-800 Version 1.0", "QL-800 Version 1.0"},
    {IDOK, "Button", 266, 12, 72, 26, kDefPush, 0, "OK", "确定"},
};

// Warning: the message over the whole width, Quit centred below.
const res::DialogItemSpec kWarnItems[] = {
    {2753, "Static", 8, 8, 234, 60, kCentred, 0, "", ""},
    {IDOK, "Button", 85, 76, 80, 26, kDefPush, 0, "Quit", "退出"},
};

// Caption form: two skin buttons on its bitmap.
const res::DialogItemSpec kCaptionItems[] = {
    {1781, "Button", 519, 233, 70, 30, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, "Mode 1", "模式1"},
    {1837, "Button", 255, 233, 76, 30, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, "Mode 2", "模式2"},
};

const res::DialogSpec kDialogs[] = {
    {116, 320, 128, kDlgStyle, 0, "AfxMessageBox", "AfxMessageBox", "Arial", -13, kMessageBoxItems},
    {104, 290, 78, kDlgStyle, WS_EX_TOPMOST, "Data transmission", "数据传输", "Arial", -12, kDisplayItems},
    {834, 300, 124, kDlgStyle, 0, "Restore factory settings", "恢复出厂设置", "Arial", -12, kInitItems},
    {269, 330, 150, kDlgStyle, 0, "About", "关于", "Arial", -12, kVersionItems},
    {882, 290, 122, kDlgStyle, 0, "Boot default source", "开机默认音源", "Arial", -12, kDefSourceItems},
    {719, 290, 128, kDlgStyle, 0, "Prompting", "提示", "Arial", -13, kSaveDataItems},
    {711, 290, 128, kDlgStyle, 0, "ReSet", "ReSet", "Arial", -13, kReMapItems},
    {369, 290, 156, kDlgStyle, 0, "L/R Link", "L/R Link", "Arial", -13, kAllLinkItems},
    {370, 290, 146, kDlgStyle, 0, "Link", "Link", "Arial", -13, kChLinkItems},
    {100, 350, 84, kDlgStyle, 0, "About", "帮助", "Arial", -12, kAboutItems},
    {676, 250, 110, kDlgStyle, 0, "ZN-R9&R2 Software", "ZN-R9&R2 Software", "Arial", -12, kWarnItems},
    {227, 706, 414, WS_CHILD, 0, "", "", "Arial", -12, kCaptionItems},
};

} // namespace

void RegisterShellDialogLayouts() {
    static const bool registered = [] {
        res::RegisterDialogs(kDialogs);
        return true;
    }();
    (void)registered;
}

void CreateShellFont(CFont& font, const FontSpec& spec) {
    font.CreateFont(spec.height, 0, 0, 0, spec.weight, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0,
                    FONT_PITCH_AND_FAMILY, spec.face);
}
