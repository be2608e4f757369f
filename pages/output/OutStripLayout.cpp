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

} // namespace

void RegisterOutStripLayout() {
    static const bool registered = [] {
        res::RegisterDialogs(kDialogs);
        res::RegisterMenus(kMenus);
        return true;
    }();
    (void)registered;
}
