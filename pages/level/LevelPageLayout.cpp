#include "pages/level/LevelPageLayout.h"

#include "platform/ui/WinUser.h"
#include "res/LevelPageArt.h"
#include "res/ResourceTable.h"

#include <array>

namespace {

using namespace levelpage;
using Item = res::DialogItemSpec;
using Box = res::levelpage::Box;
namespace art = res::levelpage;

constexpr Item At(int id, const char* cls, const Box& b, DWORD style) {
    return {id, cls, b.x, b.y, b.width, b.height, style, 0, "", ""};
}

constexpr DWORD kShown = WS_VISIBLE;
constexpr DWORD kEdit = ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;

constexpr int kItemCount = 6 + kInputCount * 4 + kOutputCount * 8 + 3 + kDelayFieldCount * 2 +
                           kPositionButtonCount + kLinkToggleCount;

constexpr std::array<Item, kItemCount> MakeItems() {
    std::array<Item, kItemCount> a{};
    int i = 0;
    a[i++] = At(kMasterOn, "Button", art::kMasterButton, kShown | kPush);
    a[i++] = At(kMasterFader, "Static", art::kMasterFader, kShown | SS_NOTIFY);
    a[i++] = At(kMasterEdit, "Edit", art::kMasterEdit, kShown | kEdit);
    a[i++] = At(kMasterSpin, "UpDown", art::kMasterSpin, kShown);
    a[i++] = At(kLRLinkPicture, "Static", art::kLRLinkPicture, SS_BITMAP);
    for (int n = 0; n < kInputCount; ++n) {
        const int x = art::kInputX + n * art::kInputPitch;
        a[i++] = At(kInputButton + n, "Button", art::At(art::kInputButton, x), kShown | kPush);
        a[i++] = At(kInputFader + n, "Static", art::At(art::kInputFader, x), kShown | SS_NOTIFY);
        a[i++] = At(kInputEdit + n, "Edit", art::At(art::kInputEdit, x), kShown | kEdit);
        a[i++] = At(kInputSpin + n, "UpDown", art::At(art::kInputSpin, x), kShown);
    }
    for (int n = 0; n < kOutputCount; ++n) {
        const int x = art::kOutputX + n * art::kOutputPitch;
        a[i++] = At(kOutputLabel + n, "Button", art::At(art::kOutputLabel, x), kShown | WS_DISABLED | kPush);
        a[i++] = At(kBlankLabel + n, "Button", art::At(art::kOutputLabel, x), WS_DISABLED | kPush);
        a[i++] = At(kMeter + n, "Static", art::At(art::kOutputMeter, x), kShown);
        a[i++] = At(kOutputFader + n, "Static", art::At(art::kOutputFader, x), kShown | SS_NOTIFY);
        a[i++] = At(kOutputEdit + n, "Edit", art::At(art::kOutputEdit, x), kShown | kEdit);
        a[i++] = At(kOutputSpin + n, "UpDown", art::At(art::kOutputSpin, x), kShown);
        a[i++] = At(kOutputOn + n, "Button", art::At(art::kOutputOn, x), kShown | kPush);
        a[i++] = At(kOutputPhase + n, "Button", art::At(art::kOutputPhase, x), kShown | kPush);
    }
    a[i++] = At(kUnitMs, "Button", art::kUnitMsButton, kShown | kPush);
    a[i++] = At(kUnitCm, "Button", art::kUnitCmButton, kShown | kPush);
    a[i++] = At(kUnitInch, "Button", art::kUnitInchButton, kShown | kPush);
    a[i++] = At(kOutputPageButton, "Button", art::kOutputPageButton, kShown | kPush);
    for (int k = 0; k < kDelayFieldCount; ++k) {
        const res::levelpage::Spot f = art::kFields[k];
        a[i++] = {kDelayField + k, "Edit", f.x, f.y, art::kFieldWidth, art::kFieldHeight, kEdit, 0, "", ""};
        // The spin carries the value; the field steps with its arrows, keys and the wheel.
        a[i++] = {kDelaySpin + k, "UpDown", f.x + art::kFieldWidth, f.y, 0, art::kFieldHeight, 0, 0, "", ""};
    }
    for (int b = 0; b < kPositionButtonCount; ++b) {
        const res::levelpage::Spot c = art::kPositionSpots[b];
        const int h = art::kPositionSize / 2;
        a[i++] = {kPositionButton + b, "Button", c.x - h, c.y - h, art::kPositionSize,
                  art::kPositionSize,  kPush,    0,       "",      ""};
    }
    for (int t = 0; t < kLinkToggleCount; ++t) {
        const res::levelpage::Spot c = art::kToggles[t];
        a[i++] = {kLinkToggle + t, "Button", c.x, c.y, 24, 16, kShown | kPush, 0, "", ""};
    }
    return a;
}

constexpr std::array<Item, kItemCount> kItems = MakeItems();
static_assert(kItems[kItemCount - 1].id == kLinkToggle + kLinkToggleCount - 1,
              "every item of the page is in the table");
const res::DialogSpec kPageDialog[] = {
    {kDialogId, kPageWidth, kPageHeight, WS_CHILD, 0, "", "", "Arial", -12, kItems},
};

} // namespace

namespace levelpage {

void RegisterLevelPageLayout() {
    static const res::TableRegistrar registrar{kPageDialog};
}

} // namespace levelpage
