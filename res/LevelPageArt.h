// The art of the level and delay page (dialog 522) and the places its background was drawn for
// (page client pixels on the 1280 x 656 tab area). The ids are the ones the page loads; the page's
// dialog layout takes its places from here, so the controls sit where the background expects them.
#pragma once

#include "res/OutputPageArt.h"

namespace res::levelpage {

using Box = res::outpage::Box;
using Spot = res::outpage::Spot;

constexpr int kPageWidth = 1280;
constexpr int kPageHeight = 656;

// --- backgrounds (English, Chinese) -------------------------------------------------------------

constexpr unsigned kBackgroundEn = 523;
constexpr unsigned kBackgroundZh = 7030;

// --- panels -------------------------------------------------------------------------------------

constexpr Box kMasterPanel{6, 6, 86, 294};
constexpr Box kInputPanel{98, 6, 444, 294};
constexpr Box kOutputPanel{548, 6, 726, 294};
constexpr Box kDelayPanel{6, 306, 1268, 344};

// Rows shared by the level columns.
constexpr int kButtonY = 28;
constexpr int kMeterY = 54;
constexpr int kFaderY = 64;
constexpr int kFaderHeight = 150;
constexpr int kEditY = 220;
constexpr int kEditHeight = 20;
constexpr int kSwitchY = 248;
constexpr int kChannelNameY = 276;

// Master column.
constexpr Box kMasterButton{12, kButtonY, 74, 22};
constexpr Box kMasterFader{36, kFaderY, 26, kFaderHeight};
constexpr Box kMasterEdit{12, kEditY, 60, kEditHeight};
constexpr Box kMasterSpin{72, kEditY, 14, kEditHeight};

// Input column n at x = kInputX + n * kInputPitch.
constexpr int kInputX = 104;
constexpr int kInputPitch = 73;
constexpr Box kInputButton{0, kButtonY, 68, 22};
constexpr Box kInputFader{11, kFaderY, 46, kFaderHeight};
constexpr Box kInputEdit{4, kEditY, 50, kEditHeight};
constexpr Box kInputSpin{54, kEditY, 12, kEditHeight};

// Output column n at x = kOutputX + n * kOutputPitch.
constexpr int kOutputX = 554;
constexpr int kOutputPitch = 90;
constexpr Box kOutputLabel{0, kButtonY, 86, 22};
constexpr Box kOutputMeter{4, kMeterY, 79, 7}; // twelve lamps across
constexpr Box kOutputFader{30, kFaderY, 26, kFaderHeight};
constexpr Box kOutputEdit{8, kEditY, 56, kEditHeight};
constexpr Box kOutputSpin{64, kEditY, 14, kEditHeight};
constexpr Box kOutputOn{0, kSwitchY, 54, 22};
constexpr Box kOutputPhase{56, kSwitchY, 30, 22};

constexpr Box At(const Box& b, int x) {
    return {b.x + x, b.y, b.width, b.height};
}

// --- time alignment -----------------------------------------------------------------------------

// The car (the output page's drawing scaled by kCarScale around kCarCentre).
constexpr Spot kCarCentre{640, 480};
constexpr double kCarScale = 1.5;
// The output page's car box and its centre, in that page's pixels.
constexpr Spot kSourceCarCentre{outpage::kCar.x + outpage::kCar.width / 2,
                                outpage::kCar.y + outpage::kCar.height / 2};
constexpr Spot FromOutputPage(Spot s) {
    return {kCarCentre.x + static_cast<int>((s.x - kSourceCarCentre.x) * kCarScale),
            kCarCentre.y + static_cast<int>((s.y - kSourceCarCentre.y) * kCarScale)};
}
constexpr int kPositionSize = 24;
// Centres of position buttons 6040..6063, on the spots of the output page's icons of the same
// speakers; the centre pair stands side by side, C-Full under it.
constexpr int kPositionButtons = 24;
constexpr Spot kPositionSpots[kPositionButtons] = {
    FromOutputPage(outpage::kIconSpots[5]),   FromOutputPage(outpage::kIconSpots[4]),
    FromOutputPage(outpage::kIconSpots[3]),   FromOutputPage(outpage::kIconSpots[6]),
    FromOutputPage(outpage::kIconSpots[7]),   FromOutputPage(outpage::kIconSpots[8]),
    FromOutputPage(outpage::kIconSpots[11]),  FromOutputPage(outpage::kIconSpots[10]),
    FromOutputPage(outpage::kIconSpots[9]),   FromOutputPage(outpage::kIconSpots[12]),
    FromOutputPage(outpage::kIconSpots[13]),  FromOutputPage(outpage::kIconSpots[14]),
    FromOutputPage(outpage::kCentrePairLeft), FromOutputPage(outpage::kCentrePairRight),
    FromOutputPage(outpage::kIconSpots[2]),   FromOutputPage(outpage::kIconSpots[16]),
    FromOutputPage(outpage::kIconSpots[15]),  FromOutputPage(outpage::kIconSpots[19]),
    FromOutputPage(outpage::kIconSpots[18]),  FromOutputPage(outpage::kIconSpots[17]),
    FromOutputPage(outpage::kIconSpots[20]),  FromOutputPage(outpage::kIconSpots[21]),
    FromOutputPage(outpage::kIconSpots[22]),  FromOutputPage(outpage::kIconSpots[23]),
};
constexpr int kFieldWidth = 70;
constexpr int kFieldHeight = 20;
// Delay fields k = 0..14 (6000 + k), top left.
constexpr Spot kFields[15] = {
    {400, 379}, {400, 415}, {400, 451}, // front left tweeter, mid, woofer
    {810, 379}, {810, 415}, {810, 451}, // front right
    {552, 326}, {658, 326},             // centre tweeter, woofer
    {400, 514}, {400, 550},             // rear left tweeter, woofer
    {810, 514}, {810, 550},             // rear right
    {531, 624}, {605, 624}, {679, 624}, // subwoofers: rear left, rear right, the one
};
// Link toggles 6800..6811 (24 x 16), top left; the four of a front group share one place.
constexpr Spot kToggles[12] = {
    {474, 433}, {474, 433}, {474, 433}, {474, 433}, // front left
    {782, 433}, {782, 433}, {782, 433}, {782, 433}, // front right
    {474, 542}, {782, 542},                         // rear left, rear right
    {628, 328}, {503, 626},                         // centre, subwoofers
};
constexpr Box kUnitMsButton{1100, 334, 48, 22};
constexpr Box kUnitCmButton{1152, 334, 48, 22};
constexpr Box kUnitInchButton{1204, 334, 48, 22};
constexpr Box kLRLinkPicture{1100, 372, 26, 13};
// The way back to the output page, at the head of the time alignment panel (the delay unit
// buttons face it on the right).
constexpr Box kOutputPageButton{20, 334, 114, 22};

// --- art ids ------------------------------------------------------------------------------------

// Faders: input channel and thumb (the master takes 357/358 and the outputs 539/538 of the
// output page's art).
constexpr unsigned kInputChannel = 388;
constexpr unsigned kInputThumb = 387;
// Master on/off 2755: English 4890..4895, Chinese 4900..4905 (six looks).
constexpr unsigned kMasterEn = 4890;
constexpr unsigned kMasterZh = 4900;
// Input buttons 4460 + n: base 4810 + n (English) / 4850 + n (Chinese); base + 10 hover, + 20
// pressed and selected, + 30 selected while the input is held.
constexpr unsigned kInputEn = 4810;
constexpr unsigned kInputZh = 4850;
// Phase 3070 + n: six looks, then disabled up and down (English 4370.., 4378/4379; Chinese 4380..).
constexpr unsigned kPhaseEn = 4370;
constexpr unsigned kPhaseZh = 4380;
// Output on/off 3060 + n disabled looks, English and Chinese.
constexpr unsigned kOnDisabled = 4376;
constexpr unsigned kOnDisabledZh = 4390;
// Output labels 2696 + n: 4200 + code (English) / 4230 + code (Chinese); code 0 is the blank.
constexpr unsigned kLabelEn = 4200;
constexpr unsigned kLabelZh = 4230;
// Unit buttons: ms, cm, inch three looks each, English 4320.., Chinese 4330..
constexpr unsigned kUnitEn = 4320;
constexpr unsigned kUnitZh = 4330;
// The L/R link picture 2771.
constexpr unsigned kLRLinkPictureId = 710;
// The output page button: normal, hover, pressed; English 7040.., Chinese 7043..
constexpr unsigned kOutputPageEn = 7040;
constexpr unsigned kOutputPageZh = 7043;

} // namespace res::levelpage
