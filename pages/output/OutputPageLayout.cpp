#include "pages/output/OutputPageLayout.h"

#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"

#include <array>

namespace outpage {

CRect BandPlace(int n, RowPart part) {
    const int x = kBandLeft + n * kBandPitch;
    switch (part) {
    case RowPart::Label:
        return CRect(x, kLabelTop, x + kFieldWidth, kLabelTop + 14);
    case RowPart::Freq:
        return CRect(x, kFreqTop, x + kFieldWidth, kFreqTop + kFieldHeight);
    case RowPart::Q:
        return CRect(x, kQTop, x + kFieldWidth, kQTop + kFieldHeight);
    case RowPart::Gain:
        return CRect(x, kGainTop, x + kFieldWidth, kGainTop + kFieldHeight);
    case RowPart::Fader: {
        const int fx = x + (kFieldWidth - kFaderWidth) / 2;
        return CRect(fx, kFaderTop, fx + kFaderWidth, kFaderTop + kFaderHeight);
    }
    case RowPart::Bypass: {
        const int bx = x + (kFieldWidth - kBypassWidth) / 2;
        return CRect(bx, kBypassTop, bx + kBypassWidth, kBypassTop + kBypassHeight);
    }
    }
    return CRect();
}

CRect GeqGainPlace(int n) {
    return BandPlace(n, RowPart::Freq);
}

CRect GeqFaderPlace(int n) {
    CRect rc = BandPlace(n, RowPart::Fader);
    rc.OffsetRect(0, kQTop - kFaderTop);
    return rc;
}

} // namespace outpage

namespace {

using namespace outpage;
using Item = res::DialogItemSpec;

constexpr DWORD kShown = WS_VISIBLE;
constexpr DWORD kEdit = ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kOwnerDraw = BS_OWNERDRAW | WS_TABSTOP;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;

// The spins of the page have no place of their own: the fields step with keys and the wheel,
// and the spins carry the values the handlers read.
constexpr int kSpinWidth = 0;

struct IconSpot {
    int id;
    int x;
    int y;
};
// The position icons over the car picture (front at the top); the speaker map moves them.
constexpr IconSpot kIconSpots[kPositionIconCount] = {
    {4600, 104, 20},  {4601, 92, 20},  {4602, 116, 20},  {4603, 36, 70},   {4604, 60, 44},
    {4605, 36, 44},   {4606, 60, 70},  {4607, 36, 96},   {4608, 60, 96},   {4609, 172, 70},
    {4610, 148, 44},  {4611, 172, 44}, {4612, 148, 70},  {4613, 172, 96},  {4614, 148, 96},
    {4615, 60, 128},  {4616, 36, 128}, {4617, 148, 128}, {4618, 172, 128}, {4619, 48, 154},
    {4620, 160, 154}, {4621, 80, 164}, {4622, 104, 164}, {4623, 128, 164}, {4624, 104, 140},
};

constexpr int kItemCount =
    kBandCount * 9 + 8 + 7 + 5 + 14 + kDelayFieldCount * 2 + kGroupLinkCount + kPositionIconCount + 5 + 3 + 3;

constexpr std::array<Item, kItemCount> MakeItems() {
    std::array<Item, kItemCount> a{};
    int i = 0;
    // The graph over the band columns, right of the car picture.
    a[i++] = {kGraph, "Static", 236, 4, 990, 214, kShown | SS_NOTIFY, 0, "", ""};
    // Band columns.
    for (int n = 0; n < kBandCount; ++n) {
        const int x = kBandLeft + n * kBandPitch;
        const int fx = x + (kFieldWidth - kFaderWidth) / 2;
        const int bx = x + (kFieldWidth - kBypassWidth) / 2;
        a[i++] = {kLabel + n, "Static", x, kLabelTop, kFieldWidth, 14, kShown | SS_CENTER, 0, "", ""};
        a[i++] = {kFreqEdit + n, "Edit", x, kFreqTop, kFieldWidth, kFieldHeight, kShown | kEdit, 0, "", ""};
        a[i++] = {
            kFreqSpin + n, "UpDown", x + kFieldWidth, kFreqTop, kSpinWidth, kFieldHeight, kShown, 0, "", ""};
        a[i++] = {kQEdit + n, "Edit", x, kQTop, kFieldWidth, kFieldHeight, kShown | kEdit, 0, "", ""};
        a[i++] = {kQSpin + n, "UpDown", x + kFieldWidth, kQTop, kSpinWidth, kFieldHeight, kShown, 0, "", ""};
        a[i++] = {kGainEdit + n, "Edit", x, kGainTop, kFieldWidth, kFieldHeight, kShown | kEdit, 0, "", ""};
        a[i++] = {
            kGainSpin + n, "UpDown", x + kFieldWidth, kGainTop, kSpinWidth, kFieldHeight, kShown, 0, "", ""};
        a[i++] = {kFader + n,   "Static",           fx, kFaderTop, kFaderWidth,
                  kFaderHeight, kShown | SS_NOTIFY, 0,  "",        ""};
        a[i++] = {kBypass + n,         "Button", bx, kBypassTop, kBypassWidth, kBypassHeight,
                  kShown | kOwnerDraw, 0,        "", ""};
    }
    // Crossover block right of the band columns: high-pass column, low-pass column.
    a[i++] = {kHpfFamily, "Button", 1052, 246, 104, 22, kShown | kPush, 0, "", ""};
    a[i++] = {kHpfSlope, "Button", 1052, 274, 104, 22, kShown | kPush, 0, "", ""};
    a[i++] = {kHpfFreq, "Edit", 1052, 302, 84, 20, kShown | kEdit, 0, "", ""};
    a[i++] = {kHpfSpin, "UpDown", 1136, 302, 18, 20, kShown, 0, "", ""};
    a[i++] = {kLpfFamily, "Button", 1166, 246, 104, 22, kShown | kPush, 0, "", ""};
    a[i++] = {kLpfSlope, "Button", 1166, 274, 104, 22, kShown | kPush, 0, "", ""};
    a[i++] = {kLpfFreq, "Edit", 1166, 302, 84, 20, kShown | kEdit, 0, "", ""};
    a[i++] = {kLpfSpin, "UpDown", 1250, 302, 18, 20, kShown, 0, "", ""};
    // Shape buttons: never shown. Shelf lists in the Q places of bands 1, 10 and 8.
    a[i++] = {kFirstPeak, "Button", 1052, 226, 16, 14, WS_DISABLED | kPush, 0, "", ""};
    a[i++] = {kFirstLowShelf, "Button", 1070, 226, 16, 14, WS_DISABLED | kPush, 0, "", ""};
    a[i++] = {kLastPeak, "Button", 1088, 226, 16, 14, WS_DISABLED | kPush, 0, "", ""};
    a[i++] = {kLastHighShelf, "Button", 1106, 226, 16, 14, WS_DISABLED | kPush, 0, "", ""};
    a[i++] = {kFirstShelfList, "Button", kBandLeft, kQTop, kFieldWidth, kFieldHeight, kPush, 0, "", ""};
    a[i++] = {kLastShelfList,
              "Button",
              kBandLeft + 9 * kBandPitch,
              kQTop,
              kFieldWidth,
              kFieldHeight,
              kPush,
              0,
              "",
              ""};
    a[i++] = {kBand8ShelfList,
              "Button",
              kBandLeft + 7 * kBandPitch,
              kQTop,
              kFieldWidth,
              kFieldHeight,
              kPush,
              0,
              "",
              ""};
    // EQ commands under the crossover block.
    a[i++] = {kAllBypass, "Button", 1052, 336, 104, 26, kShown | kOwnerDraw, 0, "", ""};
    a[i++] = {kResetEq, "Button", 1166, 336, 104, 26, kShown | kOwnerDraw, 0, "", ""};
    a[i++] = {kPeqGeq, "Button", 1052, 370, 104, 26, kShown | kOwnerDraw, 0, "", ""};
    a[i++] = {kGeqPicture, "Button", 1166, 370, 104, 26, WS_DISABLED | kPush, 0, "", ""};
    // Level group left of the strips.
    a[i++] = {kInputType, "Button", 8, 434, 96, 24, kShown | WS_DISABLED | kPush, 0, "", ""};
    a[i++] = {kLevelPage, "Button", 110, 434, 96, 24, kShown | kPush, 0, "", ""};
    a[i++] = {kSourceFader, "Static", 14, 466, 30, 170, kShown | SS_NOTIFY, 0, "", ""};
    a[i++] = {kSourceEdit, "Edit", 56, 470, 66, 20, kShown | kEdit, 0, "", ""};
    a[i++] = {kSourceSpin, "UpDown", 122, 470, 18, 20, kShown, 0, "", ""};
    a[i++] = {kSubFader, "Static", 14, 466, 30, 170, SS_NOTIFY, 0, "", ""};
    a[i++] = {kSubEdit, "Edit", 56, 470, 66, 20, kEdit, 0, "", ""};
    a[i++] = {kSubSpin, "UpDown", 122, 470, 18, 20, kShown, 0, "", ""};
    a[i++] = {kMasterOn, "Button", 56, 502, 66, 28, kShown | kPush, 0, "", ""};
    a[i++] = {kSubMode, "Button", 130, 502, 74, 28, kShown | kPush, 0, "", ""};
    a[i++] = {kPolarity, "Button", 56, 542, 66, 28, kShown | kPush, 0, "", ""};
    a[i++] = {kPolarityNormal, "Static", 130, 542, 40, 28, kShown | SS_BITMAP, 0, "", ""};
    a[i++] = {kPolarityInverted, "Static", 130, 542, 40, 28, SS_BITMAP, 0, "", ""};
    a[i++] = {kGroupPicture, "Static", 130, 580, 40, 28, SS_BITMAP, 0, "", ""};
    // Delay fields of the positions with their spins: hidden on this page.
    for (int k = 0; k < kDelayFieldCount; ++k) {
        const int x = 8 + (k % 5) * 44;
        const int y = 100 + (k / 5) * 24;
        a[i++] = {kDelayField + k, "Edit", x, y, 40, 18, WS_DISABLED | kEdit, 0, "", ""};
        a[i++] = {kDelaySpin + k, "UpDown", x + 40, y, kSpinWidth, 18, 0, 0, "", ""};
    }
    // Group-link toggles: hidden on this page.
    for (int k = 0; k < kGroupLinkCount; ++k)
        a[i++] = {kGroupLink + k,
                  "Button",
                  8 + (k % 6) * 36,
                  8 + (k / 6) * 20,
                  32,
                  16,
                  WS_DISABLED | kPush,
                  0,
                  "",
                  ""};
    // Position icons over the car picture; the lock layout and the speaker map show them.
    for (const IconSpot& s : kIconSpots)
        a[i++] = {s.id, "Button", s.x, s.y, 24, 24, kPush, 0, "", ""};
    // Map commands under the car picture.
    for (int k = 0; k < 5; ++k)
        a[i++] = {kMapLock + k, "Button", 4 + k * 46, 192, 42, 22, kShown | kPush, 0, "", ""};
    for (int k = 0; k < 3; ++k)
        a[i++] = {kLinkPicture + k, "Static", 176 + k * 18, 8, 16, 10, SS_BITMAP, 0, "", ""};
    a[i++] = {kDelayUnitMs, "Button", 8, 172, 32, 16, kPush, 0, "", ""};
    a[i++] = {kDelayUnitCm, "Button", 42, 172, 32, 16, kPush, 0, "", ""};
    a[i++] = {kDelayUnitInch, "Button", 76, 172, 32, 16, kPush, 0, "", ""};
    return a;
}

constexpr std::array<Item, kItemCount> kItems = MakeItems();
const res::DialogSpec kPageDialog[] = {
    {kDialogId, kPageWidth, kPageHeight, WS_CHILD, 0, "", "", "Arial", -12, kItems},
};
const res::TableRegistrar kPageDialogRegistrar{kPageDialog};

static_assert(kItems[kItemCount - 1].id == kDelayUnitInch, "every item of the page is in the table");

} // namespace
