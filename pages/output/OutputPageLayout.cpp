#include "pages/output/OutputPageLayout.h"

#include "platform/ui/WinUser.h"
#include "res/OutputPageArt.h"
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
using Box = res::outpage::Box;
namespace art = res::outpage;

constexpr Item At(int id, const char* cls, const Box& b, DWORD style) {
    return {id, cls, b.x, b.y, b.width, b.height, style, 0, "", ""};
}

constexpr DWORD kShown = WS_VISIBLE;
constexpr DWORD kEdit = ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kOwnerDraw = BS_OWNERDRAW | WS_TABSTOP;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;

// The spins of the page have no place of their own: the fields step with keys and the wheel,
// and the spins carry the values the handlers read.
constexpr int kSpinWidth = 0;

constexpr int kItemCount =
    kBandCount * 9 + 8 + 7 + 5 + 14 + kDelayFieldCount * 2 + kGroupLinkCount + kPositionIconCount + 5 + 3 + 3;

constexpr std::array<Item, kItemCount> MakeItems() {
    std::array<Item, kItemCount> a{};
    int i = 0;
    // The graph over the band columns.
    a[i++] = At(kGraph, "Static", art::kGraph, kShown | SS_NOTIFY);
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
    // Crossover block down the left: the high-pass rows, then the low-pass rows. The lists keep
    // clear of the panel's right border.
    a[i++] = {kHpfFamily, "Button", 46, 288, 76, 20, kShown | kPush, 0, "", ""};
    a[i++] = {kHpfSlope, "Button", 124, 288, 76, 20, kShown | kPush, 0, "", ""};
    a[i++] = {kHpfFreq, "Edit", 48, 312, 62, 20, kShown | kEdit, 0, "", ""};
    a[i++] = {kHpfSpin, "UpDown", 110, 312, 16, 20, kShown, 0, "", ""};
    a[i++] = {kLpfFamily, "Button", 46, 352, 76, 20, kShown | kPush, 0, "", ""};
    a[i++] = {kLpfSlope, "Button", 124, 352, 76, 20, kShown | kPush, 0, "", ""};
    a[i++] = {kLpfFreq, "Edit", 48, 376, 62, 20, kShown | kEdit, 0, "", ""};
    a[i++] = {kLpfSpin, "UpDown", 110, 376, 16, 20, kShown, 0, "", ""};
    // Shape buttons: never shown. Shelf lists in the Q places of bands 1, 10 and 8.
    a[i++] = {kFirstPeak, "Button", 1229, 344, 16, 14, WS_DISABLED | kPush, 0, "", ""};
    a[i++] = {kFirstLowShelf, "Button", 1247, 344, 16, 14, WS_DISABLED | kPush, 0, "", ""};
    a[i++] = {kLastPeak, "Button", 1229, 360, 16, 14, WS_DISABLED | kPush, 0, "", ""};
    a[i++] = {kLastHighShelf, "Button", 1247, 360, 16, 14, WS_DISABLED | kPush, 0, "", ""};
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
    // EQ commands right of the band columns.
    a[i++] = At(kAllBypass, "Button", art::kAllBypassButton, kShown | kOwnerDraw);
    a[i++] = At(kResetEq, "Button", art::kResetEqButton, kShown | kOwnerDraw);
    a[i++] = At(kPeqGeq, "Button", art::kPeqGeqButton, kShown | kOwnerDraw);
    a[i++] = At(kGeqPicture, "Button", art::kGeqPicture, WS_DISABLED | kPush);
    // Level group left of the strips; the subwoofer level shares the source level's places.
    constexpr Box spin{art::kLevelEdit.x + art::kLevelEdit.width, art::kLevelEdit.y, 16,
                       art::kLevelEdit.height};
    a[i++] = At(kInputType, "Button", art::kInputPicture, kShown | WS_DISABLED | kPush);
    a[i++] = At(kLevelPage, "Button", art::kLevelPageButton, kShown | kPush);
    a[i++] = At(kSourceFader, "Static", art::kSourceFader, kShown | SS_NOTIFY);
    a[i++] = At(kSourceEdit, "Edit", art::kLevelEdit, kShown | kEdit);
    a[i++] = At(kSourceSpin, "UpDown", spin, kShown);
    a[i++] = At(kSubFader, "Static", art::kSourceFader, SS_NOTIFY);
    a[i++] = At(kSubEdit, "Edit", art::kLevelEdit, kEdit);
    a[i++] = At(kSubSpin, "UpDown", spin, kShown);
    a[i++] = At(kMasterOn, "Button", art::kMasterButton, kShown | kPush);
    a[i++] = At(kSubMode, "Button", art::kSubModeButton, kShown | kPush);
    a[i++] = At(kPolarity, "Button", art::kPolarityButton, kShown | kPush);
    a[i++] = At(kPolarityNormal, "Static", art::kPolarityPicture, kShown | SS_BITMAP);
    a[i++] = At(kPolarityInverted, "Static", art::kPolarityPicture, SS_BITMAP);
    a[i++] = {kGroupPicture, "Static", 180, 560, 16, 16, SS_BITMAP, 0, "", ""};
    // Delay fields of the positions with their spins: hidden on this page.
    for (int k = 0; k < kDelayFieldCount; ++k) {
        const int x = 84 + (k % 3) * 40;
        const int y = 560 + (k / 3) * 4;
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
    for (int k = 0; k < kPositionIconCount; ++k) {
        const art::Spot c = art::kIconSpots[k];
        const int h = art::kIconSize / 2;
        a[i++] = {kPositionIcon + k, "Button", c.x - h, c.y - h, art::kIconSize,
                  art::kIconSize,    kPush,    0,       "",      ""};
    }
    // Map commands under the car picture.
    a[i++] = At(kMapLock, "Button", art::kMapLockButton, kShown | kPush);
    a[i++] = At(kMapLink, "Button", art::kMapLinkButton, kShown | kPush);
    a[i++] = At(kMapReset, "Button", art::kMapResetButton, kShown | kPush);
    a[i++] = At(kMapRead, "Button", art::kMapReadButton, kShown | kPush);
    a[i++] = At(kMapSave, "Button", art::kMapSaveButton, kShown | kPush);
    for (int k = 0; k < 3; ++k)
        a[i++] = {kLinkPicture + k, "Static", 120 + k * 28, 9, 26, 13, SS_BITMAP, 0, "", ""};
    a[i++] = At(kDelayUnitMs, "Button", art::kDelayUnitMsButton, kShown | kPush);
    a[i++] = At(kDelayUnitCm, "Button", art::kDelayUnitCmButton, kShown | kPush);
    a[i++] = At(kDelayUnitInch, "Button", art::kDelayUnitInchButton, kShown | kPush);
    return a;
}

constexpr std::array<Item, kItemCount> kItems = MakeItems();
const res::DialogSpec kPageDialog[] = {
    {kDialogId, kPageWidth, kPageHeight, WS_CHILD, 0, "", "", "Arial", -12, kItems},
};
const res::TableRegistrar kPageDialogRegistrar{kPageDialog};

static_assert(kItems[kItemCount - 1].id == kDelayUnitInch, "every item of the page is in the table");

} // namespace
