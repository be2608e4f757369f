// The generated art of the mixer popup and its panes, the mixer source buttons and the advanced
// settings dialog (ids and places in MixerArt.h). Roles of SkinPainter: mixer-background,
// mixer-pane, mix-track, adv-background, thumb-v, power, panel-button.
#include "res/MixerArt.h"
#include "res/ResourceTable.h"
#include "res/ResourceTables.h"

#include <array>
#include <cstddef>

namespace res {

namespace {

using namespace mixer;

constexpr DWORD kGreen = 0x0084DC3D; // a knob that sounds
constexpr DWORD kAmber = 0x0000A5FF; // inverted phase
constexpr DWORD kRed = 0x004D48E5;   // the WIFI factory reset

constexpr int kSix = 775, kFour = 550, kTwo = 331;

const ArtSpec kFixedArt[] = {
    // id, png, width, height, role, state, caption, accent
    // Popup backgrounds: the six-row picture leaves title and rows to the popup's labels.
    {885, false, kPopupWidth, kSix, "mixer-background", 0, "||||||", 0},
    {851, false, kPopupWidth, kFour, "mixer-background", 0, "输入信号|高电平 1|高电平 2|高电平 3|高电平 4",
     0},
    {852, false, kPopupWidth, kFour, "mixer-background", 0,
     "Input signal|Hi.Level 1|Hi.Level 2|Hi.Level 3|Hi.Level 4", 0},
    {877, false, kPopupWidth, kTwo, "mixer-background", 0, "输入信号|蓝牙左|蓝牙右", 0},
    {880, false, kPopupWidth, kTwo, "mixer-background", 0, "Input signal|Bluetooth-L|Bluetooth-R", 0},
    {878, false, kPopupWidth, kTwo, "mixer-background", 0, "输入信号|低电平 1|低电平 2", 0},
    {879, false, kPopupWidth, kTwo, "mixer-background", 0, "Input signal|AUX 1|AUX 2", 0},
    {891, false, kPopupWidth, kTwo, "mixer-background", 0, "输入信号|光纤左|光纤右", 0},
    {892, false, kPopupWidth, kTwo, "mixer-background", 0, "Input signal|Optical-L|Optical-R", 0},
    {897, false, kPopupWidth, kTwo, "mixer-background", 0, "输入信号|播放器左|播放器右", 0},
    {898, false, kPopupWidth, kTwo, "mixer-background", 0, "Input signal|Player-L|Player-R", 0},
    // Pane backgrounds (853 drawn, 881 loaded only), the knob fader and its thumbs.
    {kPane, false, kPaneWidth, kPaneHeightMax, "mixer-pane", 0, nullptr, 0},
    {kPaneSpare, false, kPaneWidth, kPaneHeightMax, "mixer-pane", 0, nullptr, 0},
    {kFaderChannel, false, kFader.width, kFader.height, "mix-track", 0, nullptr, 0},
    {kFaderThumb, false, 20, 12, "thumb-v", 0, nullptr, 0},
    {kFaderThumbActive, false, 20, 12, "thumb-v", 0, nullptr, kGreen},
    // Knob on/off: 865 off, 864 off hover, 866 on.
    {865, false, kOnOff.width, kOnOff.height, "power", 0, nullptr, kGreen},
    {864, false, kOnOff.width, kOnOff.height, "power", 1, nullptr, kGreen},
    {866, false, kOnOff.width, kOnOff.height, "power", 3, nullptr, kGreen},
    // Phase (never shown): Chinese 855 normal, 854 hover, 857 inverted, 856 inverted hover; English
    // 859, 858, 862, 860.
    {855, false, kPhase.width, kPhase.height, "panel-button", 0, "同相", kAmber},
    {854, false, kPhase.width, kPhase.height, "panel-button", 1, "同相", kAmber},
    {857, false, kPhase.width, kPhase.height, "panel-button", 3, "反相", kAmber},
    {856, false, kPhase.width, kPhase.height, "panel-button", 4, "反相", kAmber},
    {859, false, kPhase.width, kPhase.height, "panel-button", 0, "0°", kAmber},
    {858, false, kPhase.width, kPhase.height, "panel-button", 1, "0°", kAmber},
    {862, false, kPhase.width, kPhase.height, "panel-button", 3, "180°", kAmber},
    {860, false, kPhase.width, kPhase.height, "panel-button", 4, "180°", kAmber},
    // The input page's source button before its first update.
    {kSourceBlank, false, kSourceWidth, kSourceHeight, "panel-button", 0, "MIX", 0},
    {kSourceBlank + 1, false, kSourceWidth, kSourceHeight, "panel-button", 1, "MIX", 0},

    // Advanced settings: backgrounds, the show-all-curves toggle (704/705 English, 706/707
    // Chinese: off, on), Apply, WIFI reset and close.
    {788, false, kAdvWidth, kAdvHeight, "adv-background", 0,
     "Advanced Setting|MIXER SOURCE|SYSTEM|WIFI MODULE|LIMITER|CURVES", 0},
    {789, false, kAdvWidth, kAdvHeight, "adv-background", 0, "高级|混音音源|系统|WIFI模块|限幅器|曲线", 0},
    {704, false, 150, 24, "panel-button", 0, "Show all curves", 0},
    {705, false, 150, 24, "panel-button", 3, "Show all curves", 0},
    {706, false, 150, 24, "panel-button", 0, "显示全部曲线", 0},
    {707, false, 150, 24, "panel-button", 3, "显示全部曲线", 0},
    {7200, false, 80, 24, "panel-button", 0, "Apply", 0},
    {7201, false, 80, 24, "panel-button", 1, "Apply", 0},
    {7202, false, 80, 24, "panel-button", 2, "Apply", 0},
    {7203, false, 80, 24, "panel-button", 6, "Apply", 0},
    {7204, false, 80, 24, "panel-button", 0, "应用", 0},
    {7205, false, 80, 24, "panel-button", 1, "应用", 0},
    {7206, false, 80, 24, "panel-button", 2, "应用", 0},
    {7207, false, 80, 24, "panel-button", 6, "应用", 0},
    {7210, false, 120, 24, "panel-button", 0, "WIFI Reset", kRed},
    {7211, false, 120, 24, "panel-button", 1, "WIFI Reset", kRed},
    {7212, false, 120, 24, "panel-button", 2, "WIFI Reset", kRed},
    {7213, false, 120, 24, "panel-button", 6, "WIFI Reset", kRed},
    {7214, false, 120, 24, "panel-button", 0, "WIFI复位", kRed},
    {7215, false, 120, 24, "panel-button", 1, "WIFI复位", kRed},
    {7216, false, 120, 24, "panel-button", 2, "WIFI复位", kRed},
    {7217, false, 120, 24, "panel-button", 6, "WIFI复位", kRed},
    {790, false, 90, 26, "panel-button", 0, "Close", 0},
    {792, false, 90, 26, "panel-button", 1, "Close", 0},
    {791, false, 90, 26, "panel-button", 2, "Close", 0},
    {793, false, 90, 26, "panel-button", 0, "关闭", 0},
    {795, false, 90, 26, "panel-button", 1, "关闭", 0},
    {794, false, 90, 26, "panel-button", 2, "关闭", 0},
};

// Mixer source buttons: the input page's (3100 + s Chinese, 3120 + s English, hover 10 above)
// and the advanced dialog's (3200 + s, 3220 + s).
constexpr const char* kSourceZh[7] = {"数字", "高电平", "蓝牙", "AUX1", "AUX2", "AUX3", "关闭"};
constexpr const char* kSourceEn[7] = {"S/PDIF", "Hi.Level", "Phone", "AUX1", "AUX2", "AUX3", "OFF"};

constexpr std::array<ArtSpec, 56> MakeSourceArt() {
    std::array<ArtSpec, 56> rows{};
    std::size_t i = 0;
    for (unsigned base : {3100u, 3200u})
        for (int lang = 0; lang < 2; ++lang)
            for (int look = 0; look < 2; ++look)
                for (unsigned s = 0; s < 7; ++s)
                    rows[i++] = {base + 20u * static_cast<unsigned>(lang) +
                                     10u * static_cast<unsigned>(look) + s,
                                 false,
                                 kSourceWidth,
                                 kSourceHeight,
                                 "panel-button",
                                 look,
                                 lang == 0 ? kSourceZh[s] : kSourceEn[s],
                                 s == 6 ? 0u : kGreen};
    return rows;
}
constexpr auto kSourceArt = MakeSourceArt();

} // namespace

const std::span<const ArtSpec> kMixerArt{kFixedArt};
const std::span<const ArtSpec> kMixerSourceArt{kSourceArt};

} // namespace res
