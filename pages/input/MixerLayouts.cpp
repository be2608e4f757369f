#include "pages/input/MixerLayouts.h"

#include "pages/input/PopuMixInput.h"
#include "pages/input/RouteMixCom.h"
#include "platform/ui/WinUser.h"
#include "res/MixerArt.h"
#include "res/ResourceTable.h"

#include <array>

namespace {

using Item = res::DialogItemSpec;
using namespace res::mixer;

constexpr DWORD kStyleButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kStyleEdit = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_CENTER;
constexpr DWORD kStyleSpin = WS_VISIBLE | UDS_ARROWKEYS;
constexpr DWORD kStyleFader = WS_VISIBLE | SS_NOTIFY;
constexpr DWORD kStyleLabel = WS_VISIBLE | SS_LEFT;

constexpr int kPaneItems = CRouteMixCom::kKnobs * 5;

// Knob k's row starts KnobRowTop(k) down the pane; the phase buttons stay hidden.
constexpr std::array<Item, kPaneItems> MakePaneItems() {
    std::array<Item, kPaneItems> a{};
    int i = 0;
    for (int k = 0; k < CRouteMixCom::kKnobs; ++k) {
        const CRouteMixCom::KnobIds& ids = CRouteMixCom::kKnobIds[k];
        const int y = KnobRowTop(k);
        a[i++] = {ids.onOff,     "Button",     kOnOff.x, y + kOnOff.y, kOnOff.width,
                  kOnOff.height, kStyleButton, 0,        "",           ""};
        a[i++] = {ids.fader,     "Static",    kFader.x, y + kFader.y, kFader.width,
                  kFader.height, kStyleFader, 0,        "",           ""};
        a[i++] = {ids.edit, "Edit", kEdit.x, y + kEdit.y, kEdit.width, kEdit.height, kStyleEdit, 0, "", ""};
        a[i++] = {ids.spin, "UpDown", kSpin.x, y + kSpin.y, kSpin.width, kSpin.height, kStyleSpin, 0, "", ""};
        a[i++] = {ids.phase,
                  "Button",
                  kPhase.x,
                  y + kPhase.y,
                  kPhase.width,
                  kPhase.height,
                  BS_PUSHBUTTON | WS_TABSTOP,
                  0,
                  "",
                  ""};
    }
    return a;
}
constexpr std::array<Item, kPaneItems> kPaneItemTable = MakePaneItems();

// The caption label over the picture's title place and the six row labels left of the panes.
constexpr std::array<Item, CPopuMixInput::kLabels> MakePopupItems() {
    std::array<Item, CPopuMixInput::kLabels> a{};
    a[0] = {
        CPopuMixInput::IDC_CAPTION_LABEL, "Static", 12, 4, 200, 22, kStyleLabel, 0, "输入信号", "输入信号"};
    for (int r = 0; r < 6; ++r)
        a[static_cast<size_t>(r + 1)] = {CPopuMixInput::IDC_ROW_LABEL + r,
                                         "Static",
                                         20,
                                         kTopWide + KnobRowTop(r) + kEdit.y - 2,
                                         kPaneLeft - 34,
                                         24,
                                         kStyleLabel,
                                         0,
                                         "",
                                         ""};
    return a;
}
constexpr std::array<Item, CPopuMixInput::kLabels> kPopupItems = MakePopupItems();

constexpr DWORD kPopupStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

const res::DialogSpec kDialogs[] = {
    {IDD_ROUTE_MIX, kPaneWidth, kPaneHeightMax, WS_CHILD, 0, "", "", "Arial", -14, kPaneItemTable},
    {IDD_POPU_MIX_INPUT, kPopupWidth, 331, kPopupStyle, 0, "Input Signal", "输入信号", "Arial", -14,
     kPopupItems},
};

} // namespace

void RegisterMixerLayouts() {
    static const bool registered = [] {
        res::RegisterDialogs(kDialogs);
        return true;
    }();
    (void)registered;
}
