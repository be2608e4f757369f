#include "pages/input/AdvSetingLayouts.h"

#include "pages/input/Adv_Seting.h"
#include "platform/ui/WinUser.h"
#include "res/MixerArt.h"
#include "res/ResourceTable.h"

namespace {

using Item = res::DialogItemSpec;
using A = CAdv_Seting;

constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kEdit = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_CENTER;
constexpr DWORD kSpin = WS_VISIBLE | UDS_ARROWKEYS;
constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT;
constexpr DWORD kList = WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SINGLESEL;

// Rows of the system section: label, edit and spin.
constexpr int kSysTop = 154, kSysPitch = 32;
constexpr int SysY(int row) {
    return kSysTop + row * kSysPitch;
}
// The limiter's fields below its list and curve: two columns of two rows.
constexpr int kLimRow0 = 318, kLimRow1 = 352;

constexpr Item kItems[] = {
    // Mixer source.
    {-1, "Static", 24, 72, 80, 20, kLabel, 0, "Source", "音源"},
    {A::IDC_SOURCE, "Button", 92, 70, 104, 24, kButton, 0, "", ""},
    {A::IDC_SOURCE_COMBO, "ComboBox", 204, 70, 60, 24, WS_VISIBLE | CBS_DROPDOWNLIST, 0, "", ""},
    // System values.
    {-1, "Static", 24, SysY(0) + 2, 110, 20, kLabel, 0, "Time", "时间"},
    {A::IDC_TIME, "Edit", 140, SysY(0), 100, 22, kEdit, 0, "", ""},
    {A::IDC_TIME_SPIN, "UpDown", 240, SysY(0), 14, 22, kSpin, 0, "", ""},
    {-1, "Static", 24, SysY(1) + 2, 110, 20, kLabel, 0, "Threshold", "门限"},
    {A::IDC_THRESHOLD, "Edit", 140, SysY(1), 100, 22, kEdit, 0, "", ""},
    {A::IDC_THRESHOLD_SPIN, "UpDown", 240, SysY(1), 14, 22, kSpin, 0, "", ""},
    {-1, "Static", 24, SysY(2) + 2, 110, 20, kLabel, 0, "Level", "电平"},
    {A::IDC_LEVEL, "Edit", 140, SysY(2), 100, 22, kEdit, 0, "", ""},
    {A::IDC_LEVEL_SPIN, "UpDown", 240, SysY(2), 14, 22, kSpin, 0, "", ""},
    {-1, "Static", 24, SysY(3) + 2, 110, 20, kLabel, 0, "Gain", "增益"},
    {A::IDC_GAIN, "Edit", 140, SysY(3), 100, 22, kEdit, 0, "", ""},
    {A::IDC_GAIN_SPIN, "UpDown", 240, SysY(3), 14, 22, kSpin, 0, "", ""},
    {-1, "Static", 24, SysY(4) + 2, 110, 20, kLabel, 0, "Interval", "间隔"},
    {A::IDC_INTERVAL, "Edit", 140, SysY(4), 100, 22, kEdit, 0, "", ""},
    {A::IDC_INTERVAL_SPIN, "UpDown", 240, SysY(4), 14, 22, kSpin, 0, "", ""},
    // WIFI module.
    {-1, "Static", 24, 366, 70, 20, kLabel, 0, "Address", "地址"},
    {A::IDC_ADDRESS, "Edit", 96, 364, 164, 22, kEdit | WS_BORDER, 0, "", ""},
    {-1, "Static", 24, 400, 70, 20, kLabel, 0, "Port", "端口"},
    {A::IDC_PORT, "Edit", 96, 398, 76, 22, kEdit | WS_BORDER | ES_NUMBER, 0, "", ""},
    {A::IDC_APPLY, "Button", 180, 397, 80, 24, kButton, 0, "", ""},
    {A::IDC_WIFI_RESET, "Button", 24, 454, 120, 24, kButton, 0, "", ""},
    // Limiter: the outputs, the transfer curve, the fields.
    {A::IDC_OUTPUTS, "ListView", 298, 66, 200, 172, kList, 0, "", ""},
    {A::IDC_CURVE, "Static", 510, 66, 286, 236, WS_VISIBLE, 0, "", ""},
    {-1, "Static", 298, kLimRow0 + 2, 90, 20, kLabel, 0, "Threshold", "门限"},
    {A::IDC_LIM_THRESHOLD, "Edit", 390, kLimRow0, 92, 22, kEdit, 0, "", ""},
    {A::IDC_LIM_THRESHOLD_SPIN, "UpDown", 482, kLimRow0, 14, 22, kSpin, 0, "", ""},
    {-1, "Static", 298, kLimRow1 + 2, 90, 20, kLabel, 0, "Voltage", "电压"},
    {A::IDC_LIM_VOLTAGE, "Edit", 390, kLimRow1, 92, 22, kEdit, 0, "", ""},
    {A::IDC_LIM_VOLTAGE_SPIN, "UpDown", 482, kLimRow1, 14, 22, kSpin, 0, "", ""},
    {-1, "Static", 560, kLimRow0 + 2, 80, 20, kLabel, 0, "Attack", "启动时间"},
    {A::IDC_LIM_ATTACK, "Edit", 650, kLimRow0, 92, 22, kEdit, 0, "", ""},
    {A::IDC_LIM_ATTACK_SPIN, "UpDown", 742, kLimRow0, 14, 22, kSpin, 0, "", ""},
    {-1, "Static", 560, kLimRow1 + 2, 80, 20, kLabel, 0, "Release", "释放时间"},
    {A::IDC_LIM_RELEASE, "Edit", 650, kLimRow1, 92, 22, kEdit, 0, "", ""},
    {A::IDC_LIM_RELEASE_SPIN, "UpDown", 742, kLimRow1, 14, 22, kSpin, 0, "", ""},
    // Curves option and its description.
    {A::IDC_ALL_CURVES, "Button", 298, 438, 150, 24, kButton, 0, "", ""},
    {A::IDC_DESCRIPTION, "Static", 460, 432, 340, 62, kLabel, 0, "", ""},
    {A::IDC_CLOSE, "Button", 718, 522, 90, 26, kButton, 0, "", ""},
};

const res::DialogSpec kDialogs[] = {
    {IDD_ADV_SETING, res::mixer::kAdvWidth, res::mixer::kAdvHeight,
     WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, "Advanced Setting", "高级", "Arial", -13, kItems},
};

} // namespace

void RegisterAdvSetingLayout() {
    static const bool registered = [] {
        res::RegisterDialogs(kDialogs);
        return true;
    }();
    (void)registered;
}
