#include "pages/output/OutStripLayout.h"

#include "pages/output/OutRoute_Dlg.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"

namespace {

using Item = res::DialogItemSpec;
using S = COutRoute_Dlg;

// The bitmap buttons make themselves owner-drawn from a push button.
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kEdit = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_CENTER;
constexpr DWORD kSpin = WS_VISIBLE | UDS_ARROWKEYS;

// Top to bottom: output select, speaker position, on and polarity side by side, then the level
// fader at the left with the level and delay fields beside it.
constexpr Item kItems[] = {
    {S::IDC_SELECT, "Button", 10, 6, 100, 22, kButton, 0, "", ""},
    {S::IDC_POSITION, "Button", 6, 32, 108, 22, kButton, 0, "", ""},
    {S::IDC_ON, "Button", 8, 60, 50, 20, kButton, 0, "", ""},
    {S::IDC_POLARITY, "Button", 62, 60, 50, 20, kButton, 0, "", ""},
    {S::IDC_LEVEL_FADER, "Static", 4, 86, 46, 118, WS_VISIBLE | SS_NOTIFY, 0, "", ""},
    {S::IDC_LEVEL, "Edit", 52, 112, 52, 20, kEdit, 0, "", ""},
    {S::IDC_LEVEL_SPIN, "UpDown", 104, 112, 12, 20, kSpin, 0, "", ""},
    {S::IDC_DELAY, "Edit", 52, 166, 52, 20, kEdit, 0, "", ""},
    {S::IDC_DELAY_SPIN, "UpDown", 104, 166, 12, 20, kSpin, 0, "", ""},
};

const res::DialogSpec kDialogs[] = {
    {IDD_OUT_ROUTE, striplayout::kWidth, striplayout::kHeight, WS_CHILD, 0, "", "", "Arial", -14, kItems},
};

// The strip's right-click popup; the strip sets the texts of the UI language when it opens.
const res::MenuItemSpec kMenus[] = {
    {S::kCopyMenu, 0, 0, MF_POPUP, "Copy", "复制"},
    {S::kCopyMenu, 1, S::IDM_COPY, 0, "Copy", "复制"},
    {S::kCopyMenu, 1, S::IDM_PASTE, 0, "Paste", "粘贴"},
};

// The strip's own art, in the dark look of the page; res/ rows with the same ids take precedence.
#define STRIP_BACKGROUND(level, delay)                                                                       \
    "<svg xmlns='http://www.w3.org/2000/svg' width='120' height='210'>"                                      \
    "<defs><linearGradient id='g' x1='0' y1='0' x2='0' y2='1'>"                                              \
    "<stop offset='0' stop-color='#242831'/><stop offset='1' stop-color='#181b20'/></linearGradient></defs>" \
    "<rect width='120' height='210' fill='url(#g)'/>"                                                        \
    "<rect x='0.5' y='0.5' width='119' height='209' rx='4' fill='none' stroke='#3a414d'/>"                   \
    "<line x1='6' y1='83.5' x2='114' y2='83.5' stroke='#2e343e'/>"                                           \
    "<text x='84' y='106' font-family='DejaVu Sans' font-size='10' fill='#8a93a3' "                          \
    "text-anchor='middle'>" level "</text>"                                                                  \
    "<text x='84' y='160' font-family='DejaVu Sans' font-size='10' fill='#8a93a3' "                          \
    "text-anchor='middle'>" delay "</text>"                                                                  \
    "</svg>"

// Fader channel: a scale at the left, the groove under the thumb (which sits 25 px from the left).
constexpr const char kFaderChannelSvg[] =
    "<svg xmlns='http://www.w3.org/2000/svg' width='46' height='118'>"
    "<rect width='46' height='118' fill='#1c1f25'/>"
    "<g stroke='#5a6270'>"
    "<line x1='6' y1='6.5' x2='20' y2='6.5'/><line x1='12' y1='27.5' x2='20' y2='27.5'/>"
    "<line x1='12' y1='48.5' x2='20' y2='48.5'/><line x1='6' y1='59.5' x2='20' y2='59.5'/>"
    "<line x1='12' y1='70.5' x2='20' y2='70.5'/><line x1='12' y1='91.5' x2='20' y2='91.5'/>"
    "<line x1='6' y1='112.5' x2='20' y2='112.5'/></g>"
    "<rect x='32.5' y='4.5' width='5' height='109' rx='2.5' fill='#0c0e11' stroke='#333944'/>"
    "</svg>";

const res::SvgSpec kStripSvg[] = {
    {striplayout::kSkinEn, false, striplayout::kWidth, striplayout::kHeight,
     STRIP_BACKGROUND("Level", "Delay")},
    {striplayout::kSkinCn, false, striplayout::kWidth, striplayout::kHeight,
     STRIP_BACKGROUND("电平", "延时")},
    {striplayout::kFaderChannel, false, 46, 118, kFaderChannelSvg},
};
#undef STRIP_BACKGROUND

constexpr DWORD kGreen = 0x0084DC3D; // the lamp green of the skin, as COLORREF
constexpr DWORD kOrange = 0x0000A5FF;

const res::ArtSpec kStripArt[] = {
    // Select buttons CH1..CH8: normal, hover, pressed (also the marked look).
    {3110, false, 100, 22, "button", 0, "CH1", 0},
    {3111, false, 100, 22, "button", 1, "CH1", 0},
    {3112, false, 100, 22, "button", 3, "CH1", 0},
    {3113, false, 100, 22, "button", 0, "CH2", 0},
    {3114, false, 100, 22, "button", 1, "CH2", 0},
    {3115, false, 100, 22, "button", 3, "CH2", 0},
    {3116, false, 100, 22, "button", 0, "CH3", 0},
    {3117, false, 100, 22, "button", 1, "CH3", 0},
    {3118, false, 100, 22, "button", 3, "CH3", 0},
    {3119, false, 100, 22, "button", 0, "CH4", 0},
    {3120, false, 100, 22, "button", 1, "CH4", 0},
    {3121, false, 100, 22, "button", 3, "CH4", 0},
    {3122, false, 100, 22, "button", 0, "CH5", 0},
    {3123, false, 100, 22, "button", 1, "CH5", 0},
    {3124, false, 100, 22, "button", 3, "CH5", 0},
    {3125, false, 100, 22, "button", 0, "CH6", 0},
    {3126, false, 100, 22, "button", 1, "CH6", 0},
    {3127, false, 100, 22, "button", 3, "CH6", 0},
    {3128, false, 100, 22, "button", 0, "CH7", 0},
    {3129, false, 100, 22, "button", 1, "CH7", 0},
    {3130, false, 100, 22, "button", 3, "CH7", 0},
    {3131, false, 100, 22, "button", 0, "CH8", 0},
    {3132, false, 100, 22, "button", 1, "CH8", 0},
    {3133, false, 100, 22, "button", 3, "CH8", 0},
    // Select buttons of a disabled strip.
    {3190, false, 100, 22, "button", 6, "CH1", 0},
    {3191, false, 100, 22, "button", 6, "CH2", 0},
    {3192, false, 100, 22, "button", 6, "CH3", 0},
    {3193, false, 100, 22, "button", 6, "CH4", 0},
    {3194, false, 100, 22, "button", 6, "CH5", 0},
    {3195, false, 100, 22, "button", 6, "CH6", 0},
    {3196, false, 100, 22, "button", 6, "CH7", 0},
    {3197, false, 100, 22, "button", 6, "CH8", 0},
    // Position button (the control draws the name): normal, hover, pressed, down, disabled.
    {3140, false, 108, 22, "button", 0, nullptr, kOrange},
    {3141, false, 108, 22, "button", 1, nullptr, kOrange},
    {3142, false, 108, 22, "button", 2, nullptr, kOrange},
    {3143, false, 108, 22, "button", 4, nullptr, kOrange},
    {3144, false, 108, 22, "button", 6, nullptr, kOrange},
    // On button: muted normal, hover, pressed; sounding normal, hover, pressed; disabled.
    {3150, false, 50, 20, "button", 0, "MUTE", kGreen},
    {3151, false, 50, 20, "button", 1, "MUTE", kGreen},
    {3152, false, 50, 20, "button", 2, "MUTE", kGreen},
    {3153, false, 50, 20, "button", 3, "ON", kGreen},
    {3154, false, 50, 20, "button", 4, "ON", kGreen},
    {3155, false, 50, 20, "button", 5, "ON", kGreen},
    {3156, false, 50, 20, "button", 6, "MUTE", kGreen},
    {3157, false, 50, 20, "button", 7, "ON", kGreen},
    // Polarity, English and Chinese: "Pol+" up, "Pol-" down.
    {3160, false, 50, 20, "button", 0, "Pol+", kOrange},
    {3161, false, 50, 20, "button", 1, "Pol+", kOrange},
    {3162, false, 50, 20, "button", 2, "Pol+", kOrange},
    {3163, false, 50, 20, "button", 3, "Pol-", kOrange},
    {3164, false, 50, 20, "button", 4, "Pol-", kOrange},
    {3165, false, 50, 20, "button", 5, "Pol-", kOrange},
    {3166, false, 50, 20, "button", 6, "Pol+", kOrange},
    {3167, false, 50, 20, "button", 7, "Pol-", kOrange},
    {3170, false, 50, 20, "button", 0, "正相", kOrange},
    {3171, false, 50, 20, "button", 1, "正相", kOrange},
    {3172, false, 50, 20, "button", 2, "正相", kOrange},
    {3173, false, 50, 20, "button", 3, "反相", kOrange},
    {3174, false, 50, 20, "button", 4, "反相", kOrange},
    {3175, false, 50, 20, "button", 5, "反相", kOrange},
    {3176, false, 50, 20, "button", 6, "正相", kOrange},
    {3177, false, 50, 20, "button", 7, "反相", kOrange},
    // Fader thumbs: normal, active, disabled.
    {3181, false, 20, 12, "thumb-v", 0, nullptr, 0},
    {3182, false, 20, 12, "thumb-v", 1, nullptr, 0},
    {3183, false, 20, 12, "thumb-v", 6, nullptr, 0},
};

} // namespace

void RegisterOutStripLayout() {
    static const bool registered = [] {
        res::RegisterDialogs(kDialogs);
        res::RegisterMenus(kMenus);
        res::RegisterArt(kStripArt);
        res::RegisterSvg(kStripSvg);
        return true;
    }();
    (void)registered;
}
