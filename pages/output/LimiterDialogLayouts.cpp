#include "pages/output/LimiterDialogLayouts.h"

#include "platform/ui/WinUser.h"
#include "res/ResourceTable.h"

#include <array>

namespace {

using Item = res::DialogItemSpec;
using namespace limlayout;

constexpr DWORD kDlgStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT;
constexpr DWORD kEdit = WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_CENTER;
constexpr DWORD kSpin = WS_VISIBLE | UDS_ARROWKEYS;
constexpr DWORD kCurve = WS_VISIBLE;
constexpr DWORD kHiddenList = WS_TABSTOP | CBS_DROPDOWNLIST;

constexpr const char* kGroupCaptions[8] = {
    "CH1  Limiter &&Compression",  "CH2  Limiter && Compression", "CH3  Limiter && Compression",
    "CH4  Limiter && Compression", "CH5  Limiter && Compression", "CH6  Limiter && Compression",
    "CH7  Limiter && Compression", "CH8  Limiter && Compression",
};

constexpr int GroupX(int n) {
    return kGroupLeft + (n % 4) * kGroupPitchX;
}
constexpr int GroupY(int n) {
    return kGroupTop + (n / 4) * kGroupPitchY;
}

// Field rows of a group: level, ratio, attack, release; the limiter in the left column, the
// compressor in the right (the limiter has no ratio).
constexpr int RowY(int n, int row) {
    return GroupY(n) + kFieldTop + row * kRowPitch;
}
constexpr int kColEdit[2] = {14, 134};
constexpr int kEditWidth = 84;
constexpr int kSpinWidth = 16;
constexpr int kFieldHeight = 20;

constexpr int kItemsPerGroup = 2 + 2 * 7;
constexpr int kCount = 8 * kItemsPerGroup + 8 + 5 + 12;

constexpr std::array<Item, kCount> MakeItems() {
    std::array<Item, kCount> a{};
    int i = 0;
    // The top line: the source and the noise gate of the first music input.
    a[i++] = {2061, "Static", 20, 14, 60, 18, kLabel, 0, "Source", "Source"};
    a[i++] = {2063, "ComboBox", 84, 11, 130, 22, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 0, "", ""};
    a[i++] = {2062, "Static", 244, 14, 80, 18, kLabel, 0, "NoiseGate", "NoiseGate"};
    a[i++] = {2059, "Edit", 326, 12, kEditWidth, kFieldHeight, kEdit, 0, "", ""};
    a[i++] = {2060, "UpDown", 326 + kEditWidth, 12, kSpinWidth, kFieldHeight, kSpin, 0, "", ""};
    // Row titles at the left of each row of groups.
    const int titleIds[2][4] = {{5600, 9136, 5601, 5602}, {5603, 9137, 5604, 5605}};
    const char* titles[4] = {"Level", "Ratio", "At.Time", "Re.Time"};
    for (int r = 0; r < 2; ++r)
        for (int k = 0; k < 4; ++k)
            a[i++] = {titleIds[r][k], "Static", 10,        RowY(r * 4, k) + 2, 70, 18,
                      kLabel,         0,        titles[k], titles[k]};
    for (int n = 0; n < 8; ++n) {
        const int x = GroupX(n), y = GroupY(n);
        a[i++] = {5610 + n,
                  "Button",
                  x,
                  y,
                  kGroupWidth,
                  kCaptionHeight,
                  WS_VISIBLE | BS_GROUPBOX,
                  0,
                  kGroupCaptions[n],
                  kGroupCaptions[n]};
        a[i++] = {2513 + n, "Static", x + 6, y + 30, kGroupWidth - 12, 150, kCurve, 0, "", ""};
        // (edit, spin, column, row) of the seven fields.
        const int fields[7][4] = {{5620, 5650, 0, 0}, {5630, 5660, 0, 2}, {5700, 5710, 0, 3},
                                  {9500, 9540, 1, 0}, {9510, 9550, 1, 1}, {9520, 9560, 1, 2},
                                  {9530, 9570, 1, 3}};
        for (const auto& f : fields) {
            const int ex = x + kColEdit[f[2]], ey = RowY(n, f[3]);
            a[i++] = {f[0] + n, "Edit", ex, ey, kEditWidth, kFieldHeight, kEdit, 0, "", ""};
            a[i++] = {f[1] + n, "UpDown", ex + kEditWidth, ey, kSpinWidth, kFieldHeight, kSpin, 0, "", ""};
        }
    }
    // Lists that stay hidden: the input switches of outputs 1..6 and their release choices.
    for (int n = 0; n < 6; ++n) {
        a[i++] = {9130 + n, "ComboBox", GroupX(n) + 14, GroupY(n) + 30, 100, 22, kHiddenList, 0, "", ""};
        a[i++] = {5640 + n, "ComboBox", GroupX(n) + 134, GroupY(n) + 30, 100, 22, kHiddenList, 0, "", ""};
    }
    return a;
}

constexpr std::array<Item, kCount> kItems = MakeItems();

const res::DialogSpec kDialogs[] = {
    {108, 1120, 650, kDlgStyle, 0, "System", "系统", "Arial", -12, kItems},
};

// The diagonal size cursor of the knee: a double arrow from the lower left to the upper right.
const res::CursorSpec kCursors[] = {
    {106, 16, 16,
     "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">"
     "<path d=\"M21 5 L27 5 L27 11 L24.6 8.6 L8.6 24.6 L11 27 L5 27 L5 21 L7.4 23.4 L23.4 7.4 Z\" "
     "fill=\"#ffffff\" stroke=\"#000000\" stroke-width=\"1.2\" stroke-linejoin=\"round\"/></svg>"},
};

} // namespace

namespace limlayout {
CRect GroupRect(int n) {
    return CRect(GroupX(n), GroupY(n), GroupX(n) + kGroupWidth, GroupY(n) + kGroupHeight);
}
} // namespace limlayout

void RegisterLimiterDialogLayouts() {
    static const bool registered = [] {
        res::RegisterDialogs(kDialogs);
        res::RegisterCursors(kCursors);
        return true;
    }();
    (void)registered;
}
