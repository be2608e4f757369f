// The generated art of the level and delay page (ids and places in LevelPageArt.h). Roles of
// SkinPainter: level-background, power, panel-button, output, display, strip-track, thumb-v,
// chain, position, link-toggle.
#include "res/LevelPageArt.h"
#include "res/ResourceTable.h"
#include "res/ResourceTables.h"

#include <array>

namespace res {

namespace {

using namespace levelpage;

constexpr DWORD kAmber = 0x0000A5FF;  // held input, inverted phase
constexpr DWORD kGreen = 0x0084DC3D;  // sounding, master on
constexpr DWORD kViolet = 0x00F06CA0; // subwoofers

// Background captions, split at '|': master, input, output, time alignment, delay unit.
constexpr const char* kPageTextEn = "MASTER|INPUT LEVEL|OUTPUT LEVEL|TIME ALIGNMENT|DELAY UNIT";
constexpr const char* kPageTextZh = "总音量|输入电平|输出电平|时间校正|延时单位";

constexpr ArtSpec kLevelArt[] = {
    // id, png, width, height, role, state, caption, accent
    {kBackgroundEn, false, kPageWidth, kPageHeight, "level-background", 0, kPageTextEn, 0},
    {kBackgroundZh, false, kPageWidth, kPageHeight, "level-background", 0, kPageTextZh, 0},
    // Input faders: a scale in dB left of the thumb.
    {kInputChannel, false, 46, kFaderHeight, "strip-track", 0, nullptr, 0},
    {kInputThumb, false, 20, 12, "thumb-v", 0, nullptr, 0},
    // Master on/off: off normal, hover, pressed; on normal, hover, pressed.
    {kMasterEn + 0, false, 74, 22, "power", 0, "OFF", kGreen},
    {kMasterEn + 1, false, 74, 22, "power", 1, "OFF", kGreen},
    {kMasterEn + 2, false, 74, 22, "power", 2, "OFF", kGreen},
    {kMasterEn + 3, false, 74, 22, "power", 3, "ON", kGreen},
    {kMasterEn + 4, false, 74, 22, "power", 4, "ON", kGreen},
    {kMasterEn + 5, false, 74, 22, "power", 5, "ON", kGreen},
    {kMasterZh + 0, false, 74, 22, "power", 0, "关", kGreen},
    {kMasterZh + 1, false, 74, 22, "power", 1, "关", kGreen},
    {kMasterZh + 2, false, 74, 22, "power", 2, "关", kGreen},
    {kMasterZh + 3, false, 74, 22, "power", 3, "开", kGreen},
    {kMasterZh + 4, false, 74, 22, "power", 4, "开", kGreen},
    {kMasterZh + 5, false, 74, 22, "power", 5, "开", kGreen},
    // Output on/off, disabled muted and sounding (the enabled looks are 526..531 and their
    // Chinese set), English then Chinese.
    {kOnDisabled + 0, false, 54, 22, "power", 6, "OFF", kGreen},
    {kOnDisabled + 1, false, 54, 22, "power", 7, "ON", kGreen},
    {kOnDisabledZh + 0, false, 54, 22, "power", 6, "关", kGreen},
    {kOnDisabledZh + 1, false, 54, 22, "power", 7, "开", kGreen},
    // Phase: 0 degrees up, 180 down, then disabled up and down.
    {kPhaseEn + 0, false, 30, 22, "panel-button", 0, "0°", 0},
    {kPhaseEn + 1, false, 30, 22, "panel-button", 1, "0°", 0},
    {kPhaseEn + 2, false, 30, 22, "panel-button", 2, "0°", 0},
    {kPhaseEn + 3, false, 30, 22, "panel-button", 3, "180°", kAmber},
    {kPhaseEn + 4, false, 30, 22, "panel-button", 4, "180°", kAmber},
    {kPhaseEn + 5, false, 30, 22, "panel-button", 5, "180°", kAmber},
    {kPhaseEn + 8, false, 30, 22, "panel-button", 6, "0°", 0},
    {kPhaseEn + 9, false, 30, 22, "panel-button", 7, "180°", kAmber},
    {kPhaseZh + 0, false, 30, 22, "panel-button", 0, "正", 0},
    {kPhaseZh + 1, false, 30, 22, "panel-button", 1, "正", 0},
    {kPhaseZh + 2, false, 30, 22, "panel-button", 2, "正", 0},
    {kPhaseZh + 3, false, 30, 22, "panel-button", 3, "反", kAmber},
    {kPhaseZh + 4, false, 30, 22, "panel-button", 4, "反", kAmber},
    {kPhaseZh + 5, false, 30, 22, "panel-button", 5, "反", kAmber},
    {kPhaseZh + 8, false, 30, 22, "panel-button", 6, "正", 0},
    {kPhaseZh + 9, false, 30, 22, "panel-button", 7, "反", kAmber},
    // Delay unit buttons: normal, hover, down.
    {kUnitEn + 0, false, 48, 22, "panel-button", 0, "ms", 0},
    {kUnitEn + 1, false, 48, 22, "panel-button", 1, "ms", 0},
    {kUnitEn + 2, false, 48, 22, "panel-button", 3, "ms", 0},
    {kUnitEn + 3, false, 48, 22, "panel-button", 0, "cm", 0},
    {kUnitEn + 4, false, 48, 22, "panel-button", 1, "cm", 0},
    {kUnitEn + 5, false, 48, 22, "panel-button", 3, "cm", 0},
    {kUnitEn + 6, false, 48, 22, "panel-button", 0, "inch", 0},
    {kUnitEn + 7, false, 48, 22, "panel-button", 1, "inch", 0},
    {kUnitEn + 8, false, 48, 22, "panel-button", 3, "inch", 0},
    {kUnitZh + 0, false, 48, 22, "panel-button", 0, "毫秒", 0},
    {kUnitZh + 1, false, 48, 22, "panel-button", 1, "毫秒", 0},
    {kUnitZh + 2, false, 48, 22, "panel-button", 3, "毫秒", 0},
    {kUnitZh + 3, false, 48, 22, "panel-button", 0, "厘米", 0},
    {kUnitZh + 4, false, 48, 22, "panel-button", 1, "厘米", 0},
    {kUnitZh + 5, false, 48, 22, "panel-button", 3, "厘米", 0},
    {kUnitZh + 6, false, 48, 22, "panel-button", 0, "英寸", 0},
    {kUnitZh + 7, false, 48, 22, "panel-button", 1, "英寸", 0},
    {kUnitZh + 8, false, 48, 22, "panel-button", 3, "英寸", 0},
    // The L/R link picture.
    {kLRLinkPictureId, false, 26, 13, "chain", 3, nullptr, 0},
    // Back to the output page: normal, hover, pressed.
    {kOutputPageEn + 0, false, 114, 22, "output", 0, "Output / EQ", 0},
    {kOutputPageEn + 1, false, 114, 22, "output", 1, "Output / EQ", 0},
    {kOutputPageEn + 2, false, 114, 22, "output", 2, "Output / EQ", 0},
    {kOutputPageZh + 0, false, 114, 22, "output", 0, "输出 / 均衡", 0},
    {kOutputPageZh + 1, false, 114, 22, "output", 1, "输出 / 均衡", 0},
    {kOutputPageZh + 2, false, 114, 22, "output", 2, "输出 / 均衡", 0},
};

// Input buttons: normal, hover, selected, selected while held; English then Chinese.
constexpr const char* kInputNames[2][6] = {{"S/PDIF", "Hi.Level", "Phone", "AUX1", "AUX2", "AUX3"},
                                           {"数字", "高电平", "蓝牙", "AUX1", "AUX2", "AUX3"}};
constexpr std::array<ArtSpec, 48> MakeInputArt() {
    std::array<ArtSpec, 48> rows{};
    constexpr int kStates[4] = {0, 1, 3, 3};
    std::size_t i = 0;
    for (int lang = 0; lang < 2; ++lang)
        for (int look = 0; look < 4; ++look)
            for (int n = 0; n < 6; ++n)
                rows[i++] = {(lang ? kInputZh : kInputEn) + static_cast<unsigned>(look * 10 + n),
                             false,
                             68,
                             22,
                             "panel-button",
                             kStates[look],
                             kInputNames[lang][n],
                             look == 3 ? kAmber : 0};
    return rows;
}
constexpr auto kInputArt = MakeInputArt();

// Output labels: the position names; code 0 is the blank label of an output without a position.
constexpr const char* kPositionNames[2][27] = {
    {"—",          "FL-Tweeter",   "FL-Midrange",  "FL-Woofer", "FL-M & T",     "FL-M & WF",   "FL-Full",
     "FR-Tweeter", "FR-Midrange",  "FR-Woofer",    "FR-M & T",  "FR-M & WF",    "FR-Full",     "RL-Tweeter",
     "RL-Woofer",  "RL-Full",      "RR-Tweeter",   "RR-Woofer", "RR-Full",      "C-Tweeter",   "C-Woofer",
     "C-Full",     "RL-Subwoofer", "RR-Subwoofer", "Subwoofer", "FL-Subwoofer", "FR-Subwoofer"},
    {"—",          "前置左高频", "前置左中频", "前置左低频",   "前置左中高频", "前置左中低频", "前置左全频",
     "前置右高频", "前置右中频", "前置右低频", "前置右中高频", "前置右中低频", "前置右全频",   "后置左高频",
     "后置左低频", "后置左全频", "后置右高频", "后置右低频",   "后置右全频",   "中置高频",     "中置低频",
     "中置全频",   "后左超低频", "后右超低频", "超低频",       "前左超低频",   "前右超低频"},
};
constexpr std::array<ArtSpec, 54> MakeLabelArt() {
    std::array<ArtSpec, 54> rows{};
    for (int lang = 0; lang < 2; ++lang)
        for (int code = 0; code < 27; ++code)
            rows[static_cast<std::size_t>(lang * 27 + code)] = {(lang ? kLabelZh : kLabelEn) +
                                                                    static_cast<unsigned>(code),
                                                                false,
                                                                86,
                                                                22,
                                                                "display",
                                                                0,
                                                                kPositionNames[lang][code],
                                                                code >= 22 ? kViolet : 0};
    return rows;
}
constexpr auto kLabelArt = MakeLabelArt();

// Position buttons (PNG): normal, hover, and the pressed image that also shows the selection.
struct PositionLook {
    unsigned first;
    const char* letter;
    DWORD colour;
};
constexpr PositionLook kPositions[] = {
    {7100, "T", 0},      {7103, "M", 0},      {7106, "W", 0},      {7110, "T", 0},
    {7113, "M", 0},      {7116, "W", 0},      {7120, "T", kAmber}, {7123, "W", kAmber},
    {582, "S", kViolet}, {585, "S", kViolet}, {588, "S", kViolet},
};
constexpr std::size_t kPositionLooks = std::size(kPositions);
constexpr std::array<ArtSpec, kPositionLooks * 3> MakePositionArt() {
    std::array<ArtSpec, kPositionLooks * 3> rows{};
    constexpr int kStates[3] = {0, 1, 3};
    for (std::size_t i = 0; i < kPositionLooks; ++i)
        for (int look = 0; look < 3; ++look)
            rows[i * 3 + static_cast<std::size_t>(look)] = {kPositions[i].first + static_cast<unsigned>(look),
                                                            true,
                                                            kPositionSize,
                                                            kPositionSize,
                                                            "position",
                                                            kStates[look],
                                                            kPositions[i].letter,
                                                            kPositions[i].colour};
    return rows;
}
constexpr auto kPositionArt = MakePositionArt();

// Link toggles 6800..6811 (PNG): off normal, hover, pressed; on normal, hover, pressed, from the
// first id of each toggle.
constexpr unsigned kToggleFirst[12] = {7340, 7400, 7390, 7410, 7350, 7430,
                                       7420, 7440, 7360, 7370, 7330, 7380};
constexpr std::array<ArtSpec, 72> MakeToggleArt() {
    std::array<ArtSpec, 72> rows{};
    for (std::size_t t = 0; t < 12; ++t)
        for (int look = 0; look < 6; ++look)
            rows[t * 6 + static_cast<std::size_t>(look)] = {
                kToggleFirst[t] + static_cast<unsigned>(look), true, 24, 16, "link-toggle", look, nullptr, 0};
    return rows;
}
constexpr auto kToggleArt = MakeToggleArt();

template <std::size_t A, std::size_t B, std::size_t C, std::size_t D, std::size_t E>
constexpr std::array<ArtSpec, A + B + C + D + E>
Join(const std::array<ArtSpec, A>& a, const std::array<ArtSpec, B>& b, const std::array<ArtSpec, C>& c,
     const std::array<ArtSpec, D>& d, const std::array<ArtSpec, E>& e) {
    std::array<ArtSpec, A + B + C + D + E> out{};
    std::size_t i = 0;
    for (const ArtSpec& r : a)
        out[i++] = r;
    for (const ArtSpec& r : b)
        out[i++] = r;
    for (const ArtSpec& r : c)
        out[i++] = r;
    for (const ArtSpec& r : d)
        out[i++] = r;
    for (const ArtSpec& r : e)
        out[i++] = r;
    return out;
}
constexpr auto kAllRows = Join(std::to_array(kLevelArt), kInputArt, kLabelArt, kPositionArt, kToggleArt);

} // namespace

const std::span<const ArtSpec> kLevelPageArt{kAllRows};

} // namespace res
