#include "shell/ViewLayouts.h"

#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"

namespace {

constexpr DWORD kShown = WS_VISIBLE;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
// The two-state bitmap buttons draw themselves only when the layout makes them owner-drawn.
constexpr DWORD kXPButton = BS_OWNERDRAW | WS_TABSTOP;

// Form 101 in pixels over the 1280 x 720 skin: the header band (y 0..63) with the lists, the link
// indicator and the title-bar buttons, the tab area with the pages below it, and the hidden
// controls the form declares but nothing shows.
const res::DialogItemSpec kMainViewItems[] = {
    {1368, "Tab", 0, 64, 1280, 656, kShown, 0, "", ""},
    {2830, "Button", 70, 34, 110, 26, kShown | kButton, 0, "", ""},
    {2862, "Button", 290, 34, 80, 26, kShown | kButton, 0, "", ""},
    {2776, "Button", 520, 36, 200, 22, kShown | BS_PUSHBUTTON, 0, "", ""},
    {2854, "Button", 760, 33, 80, 28, kShown | kButton, 0, "", ""},
    {2829, "Button", 850, 33, 80, 28, kShown | kButton, 0, "", ""},
    {8801, "Button", 940, 33, 80, 28, kShown | kXPButton, 0, "", ""},
    {8802, "Button", 1030, 33, 80, 28, kShown | kXPButton, 0, "", ""},
    {1413, "Button", 1140, 34, 120, 26, kShown | kXPButton, 0, "", ""},
    {2772, "Button", 1218, 4, 24, 20, kShown | BS_PUSHBUTTON, 0, "", ""},
    {2773, "Button", 1248, 4, 24, 20, kShown | BS_PUSHBUTTON, 0, "", ""},
    {2770, "Button", 149, 7, 75, 19, BS_PUSHBUTTON | WS_DISABLED, 0, "", ""},
    {2828, "Static", 314, 2, 101, 25, SS_BITMAP, 0, "", ""},
    {2840, "Edit", 450, 5, 38, 14, ES_CENTER, 0, "", ""},
    {2842, "UpDown", 488, 0, 17, 25, 0, 0, "", ""},
    {2841, "Static", 507, 0, 23, 21, SS_NOTIFY, 0, "", ""},
    {2562, "Button", 492, 32, 51, 25, kButton, 0, "", ""},
    {2563, "Button", 492, 32, 51, 25, kButton, 0, "", ""},
    {2561, "Button", 558, 0, 51, 25, kButton, 0, "", ""},
    {2826, "Button", 498, 62, 75, 25, kButton, 0, "", ""},
    {2818, "Button", 597, 62, 75, 25, kButton, 0, "", ""},
    {2827, "Button", 696, 62, 75, 25, kButton, 0, "", ""},
    {8804, "Button", 887, 127, 72, 30, kXPButton, 0, "", ""},
    {8803, "Button", 997, 125, 57, 21, kXPButton, 0, "", ""},
    {2066, "Button", 1154, 99, 12, 14, kXPButton, 0, "", ""},
    {2067, "Button", 1175, 99, 12, 14, kXPButton, 0, "", ""},
    {2068, "Button", 1193, 99, 12, 14, kXPButton, 0, "", ""},
    {2069, "Button", 1211, 97, 12, 14, kXPButton, 0, "", ""},
    {1414, "Progress", 1173, 25, 14, 23, 0, 0, "", ""},
    {1002, "Edit", 1190, 28, 9, 21, ES_AUTOHSCROLL, 0, "", ""},
};

const res::DialogSpec kViewForms[] = {
    {101, 1280, 720, WS_CHILD, 0, "", "", "Arial", -12, kMainViewItems},
};

} // namespace

void RegisterViewLayouts() {
    static const bool registered = [] {
        res::RegisterDialogs(kViewForms);
        return true;
    }();
    (void)registered;
}
