#include "pages/input/InputPageLayout.h"

#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"

#include <array>

namespace {

using namespace inpage;
using Item = res::DialogItemSpec;

constexpr DWORD kShown = WS_VISIBLE;
constexpr DWORD kEdit = ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kOwnerDraw = BS_OWNERDRAW | WS_TABSTOP;

constexpr Item At(int id, const char* cls, const CRect& rc, DWORD style) {
    return {id, cls, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, style, 0, "", ""};
}

constexpr int kPageItems = 1 + kBandCount * 9 + 4 + 1 + 3 + 6 + 1 + 2;

constexpr std::array<Item, kPageItems> MakePageItems() {
    std::array<Item, kPageItems> a{};
    int i = 0;
    a[i++] = {kGraph, "Static", 236, 10, 1026, 208, kShown | SS_NOTIFY, 0, "", ""};
    for (int n = 0; n < kBandCount; ++n) {
        // Columns 15..30 exist for the handlers but never show.
        const DWORD shown = n < kShownBands ? kShown : 0;
        const CRect label = BandPlace(n, Part::Label), freq = BandPlace(n, Part::Freq);
        const CRect q = BandPlace(n, Part::Q), gain = BandPlace(n, Part::Gain);
        a[i++] = At(kLabel + n, "Static", label, shown | SS_CENTER);
        a[i++] = At(kFreqEdit + n, "Edit", freq, shown | kEdit);
        a[i++] = {kFreqSpin + n, "UpDown", freq.right, freq.top, 0, kEditHeight, shown, 0, "", ""};
        a[i++] = At(kQEdit + n, "Edit", q, shown | kEdit);
        a[i++] = {kQSpin + n, "UpDown", q.right, q.top, 0, kEditHeight, shown, 0, "", ""};
        a[i++] = At(kGainEdit + n, "Edit", gain, shown | kEdit);
        a[i++] = {kGainSpin + n, "UpDown", gain.right, gain.top, 0, kEditHeight, shown, 0, "", ""};
        a[i++] = At(kSlider + n, "Static", BandPlace(n, Part::Slider), shown | SS_NOTIFY);
        a[i++] = At(kLamp + n, "Button", BandPlace(n, Part::Lamp), shown | kOwnerDraw);
    }
    // EQ commands right of the columns; the GEQ picture under them.
    a[i++] = {kBypassAll, "Button", 1206, 244, 42, 20, kShown | kPush, 0, "", ""};
    a[i++] = {kResetAll, "Button", 1206, 270, 42, 20, kShown | kPush, 0, "", ""};
    a[i++] = {kPeqGeq, "Button", 1206, 296, 42, 20, kShown | kPush, 0, "", ""};
    a[i++] = {kGeqPicture, "Button", 1206, 330, 42, 20, WS_DISABLED | kPush, 0, "", ""};
    // The input choice down the left.
    a[i++] = {kSelectedInput, "Button", 46, 36, 114, 20, kShown | WS_DISABLED | kPush, 0, "", ""};
    for (int m = 0; m < 3; ++m)
        a[i++] = {kAuxMode + m, "Button", 24 + m * 54, 166, 52, 24, kShown | kPush, 0, "", ""};
    for (int n = 0; n < 6; ++n)
        a[i++] = {kInputButton + n,
                  "Button",
                  24 + (n % 2) * 83,
                  66 + (n / 2) * 31,
                  75,
                  25,
                  kShown | kPush,
                  0,
                  "",
                  ""};
    a[i++] = {kSourceButton, "Button", 51, 279, 104, 24, kShown | kPush, 0, "", ""};
    a[i++] = {kHiLevel1Way, "Button", 24, 222, 77, 24, kShown | kPush, 0, "", ""};
    a[i++] = {kHiLevel2Way, "Button", 105, 222, 77, 24, kShown | kPush, 0, "", ""};
    return a;
}

constexpr auto kPageItemsTable = MakePageItems();
static_assert(kPageItemsTable[kPageItems - 1].id == kHiLevel2Way, "every item of the page is in the table");

// The selector bar: the connectors of the three AUX layouts share the right half of the plate.
constexpr Item kBarItems[] = {
    {kBarSpdif, "Button", 40, 60, 96, 96, kShown | kPush, 0, "", ""},
    {kBarHiLevel, "Button", 156, 60, 96, 96, kShown | kPush, 0, "", ""},
    {kBarPhone, "Button", 272, 60, 96, 96, kShown | kPush, 0, "", ""},
    {kBarAux1, "Button", 420, 60, 96, 96, kShown | kPush, 0, "", ""},
    {kBarAux2, "Button", 536, 60, 96, 96, kShown | kPush, 0, "", ""},
    {kBarAux3, "Button", 652, 60, 96, 96, kShown | kPush, 0, "", ""},
    {kBarAux1Four, "Button", 420, 60, 212, 96, kPush, 0, "", ""},
    {kBarAux2Two, "Button", 652, 60, 96, 96, kPush, 0, "", ""},
    {kBarAux3Spare, "Button", 652, 60, 96, 96, kPush, 0, "", ""},
    {kBarAux1Six, "Button", 420, 60, 328, 96, kPush, 0, "", ""},
    {kBarAux2Spare, "Button", 536, 60, 96, 96, kPush, 0, "", ""},
};

constexpr Item kNoiseItems[] = {
    {kNoiseSwitch, "Button", 110, 96, 100, 40, kShown | kPush, 0, "", ""},
};

const res::DialogSpec kDialogs[] = {
    {kDialogId, kPageWidth, kPageHeight, WS_CHILD, 0, "", "", "Arial", -12, kPageItemsTable},
    {kBarId, kBarWidth, kBarHeight, WS_CHILD, 0, "", "", "Arial", -12, kBarItems},
    {kNoiseDialogId, kNoiseWidth, kNoiseHeight, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0,
     "Advanced", "高级", "Arial", -12, kNoiseItems},
};
} // namespace

void inpage::RegisterInputPageLayouts() {
    res::RegisterDialogs(kDialogs);
}
