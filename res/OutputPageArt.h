// The art of the output page and its strips: the ids the page and the strips load, and the places
// the backgrounds were drawn for (page client pixels, the tab area of 1280 x 656 below the view's
// header; strip client pixels). Ids the page's controls already name (backgrounds, faders, list
// buttons, the level group's buttons) are the resources' own; the rest are ours and listed here.
#pragma once

namespace res::outpage {

struct Box {
    int x;
    int y;
    int width;
    int height;
};

// --- sizes ------------------------------------------------------------------------------------

constexpr int kPageWidth = 1280;
constexpr int kPageHeight = 656;
constexpr int kStripWidth = 120;
constexpr int kStripHeight = 210;

// --- backgrounds ------------------------------------------------------------------------------

constexpr unsigned kBackgroundZh = 287;
constexpr unsigned kBackgroundEn = 286;
constexpr unsigned kBackgroundLockedZh = 784;
constexpr unsigned kBackgroundLockedEn = 785;
constexpr unsigned kStripBackgroundEn = 9870;
constexpr unsigned kStripBackgroundZh = 9871;

// --- page pictures without a given id -----------------------------------------------------------

constexpr unsigned kPolarityNormal = 9801;   // static 5084, 40 x 20
constexpr unsigned kPolarityInverted = 9802; // static 5085, 40 x 20
constexpr unsigned kLinkIndicator = 9803;    // statics 5080..5082, 26 x 13
constexpr unsigned kGroupPicture = 9804;     // static 5083, 16 x 16

// Page buttons drawn per language: six looks (normal, hover, pressed, then down normal, down hover,
// down pressed) for the toggles, three (normal, hover, pressed) for the others. First id of the
// English set; the Chinese set follows it.
constexpr unsigned kMapLockEn = 9810;   // 4700, 92 x 22, six looks; Chinese 9816
constexpr unsigned kMapLinkEn = 9822;   // 4701, 92 x 22, six looks; Chinese 9828
constexpr unsigned kMapResetEn = 9834;  // 4702, 60 x 22; Chinese 9837
constexpr unsigned kMapReadEn = 9840;   // 4703, 60 x 22; Chinese 9843
constexpr unsigned kMapSaveEn = 9846;   // 4704, 60 x 22; Chinese 9849
constexpr unsigned kLevelPageEn = 9852; // 5689, 114 x 22; Chinese 9855
constexpr int kSixLooks = 6;
constexpr int kThreeLooks = 3;
constexpr unsigned Chinese(unsigned englishFirst, int looks) {
    return englishFirst + static_cast<unsigned>(looks);
}

// Delay unit buttons 2683..2685 (ms, cm, inch), 36 x 20: normal, hover, down. English, then the
// Chinese set in the same order.
constexpr unsigned kDelayUnitMs = 9860;
constexpr unsigned kDelayUnitCm = 9863;
constexpr unsigned kDelayUnitInch = 9866;
constexpr unsigned kDelayUnitMsZh = 9980;
constexpr unsigned kDelayUnitCmZh = 9983;
constexpr unsigned kDelayUnitInchZh = 9986;

// Master on/off 2574 (also the level page's output on/off): the English looks are 526..531, the
// Chinese ones these six.
constexpr unsigned kMasterOnZh = 9960;

// Position icons (PNG, 20 x 20) of controls 4600..4624: six looks each (normal, hover, pressed,
// checked normal, checked hover, checked pressed).
constexpr unsigned kPositionIconFirst = 9300;
constexpr int kPositionIcons = 25;
constexpr unsigned PositionIconLook(int control, int look) {
    return kPositionIconFirst + static_cast<unsigned>((control - 4600) * 6 + look);
}
// Group-link toggles 6800..6811 (PNG, 24 x 16), one design: the same six looks.
constexpr unsigned kGroupLinkToggle = 9450;

// --- strip (dialog 110) -----------------------------------------------------------------------

// Select button 2815, 100 x 22, one set per output: normal, hover, down; then one disabled look
// per output.
constexpr unsigned kStripSelectFirst = 9880;
constexpr unsigned StripSelectLook(int output, int look) {
    return kStripSelectFirst + static_cast<unsigned>(output * 3 + look);
}
constexpr unsigned kStripSelectDisabled = 9904; // + output
// Position button 2636, 108 x 22 (the control writes the name): normal, hover, pressed, down,
// disabled.
constexpr unsigned kStripPosition = 9912;
// On button 1001, 50 x 20, down = sounding: muted normal, hover, pressed; sounding normal, hover,
// pressed; disabled muted, disabled sounding.
constexpr unsigned kStripOn = 9920;
constexpr unsigned kStripOnZh = 9970; // the same eight looks in Chinese
// Polarity button 4001, 50 x 20, down = inverted: the same eight looks, per language.
constexpr unsigned kStripPolarityEn = 9930;
constexpr unsigned kStripPolarityZh = 9940;
// Level fader 4005: channel 46 x 118 (the scale in the 25 px left margin), thumb 20 x 12 (normal,
// active, disabled).
constexpr unsigned kStripFaderChannel = 9950;
constexpr unsigned kStripFaderThumb = 9951;
constexpr unsigned kStripFaderThumbActive = 9952;
constexpr unsigned kStripFaderThumbDisabled = 9953;

// --- where the page background expects the controls --------------------------------------------

constexpr Box kMapPanel{6, 6, 200, 260};
constexpr Box kCrossoverPanel{6, 270, 200, 152};
constexpr Box kGraphPanel{214, 6, 1012, 212};
constexpr Box kGraph{216, 8, 1008, 208};
constexpr Box kTogglePanel{1228, 6, 46, 212};
constexpr Box kEqPanel{214, 224, 1060, 198};
constexpr Box kLevelPanel{6, 429, 200, 210};

// EQ columns: band n at x = kEqColumnX + n * kEqColumnPitch (31-band places); the rows' tops.
constexpr int kEqColumnX = 242;
constexpr int kEqColumnPitch = 31;
constexpr int kEqColumnWidth = 30;
constexpr int kEqLabelY = 228;
constexpr int kEqFreqY = 244;
constexpr int kEqQY = 264;
constexpr int kEqGainY = 284;
constexpr int kEqFaderY = 304;
constexpr int kEqBypassY = 406;
// The EQ commands in the column right of the bands.
constexpr Box kPeqGeqButton{1229, 244, 42, 20};
constexpr Box kAllBypassButton{1229, 268, 42, 20};
constexpr Box kResetEqButton{1229, 292, 42, 20};
constexpr Box kGeqPicture{1229, 316, 42, 20};

// Crossover panel: the rows of the high-pass and the low-pass (label, then the controls right of it).
constexpr Box kHpfLabel{10, 298, 34, 20};
constexpr Box kLpfLabel{10, 362, 34, 20};

// Map panel: the car and the command buttons under it.
constexpr Box kCar{58, 32, 96, 178};
constexpr Box kMapLockButton{12, 216, 92, 22};
constexpr Box kMapLinkButton{108, 216, 92, 22};
constexpr Box kMapResetButton{12, 242, 60, 22};
constexpr Box kMapReadButton{76, 242, 60, 22};
constexpr Box kMapSaveButton{140, 242, 60, 22};

// Centre of each position icon (index = control - 4600); the centre icons 4600/4601 use the lone
// spot alone and the pair spots together.
struct Spot {
    int x;
    int y;
};
constexpr Spot kIconSpots[kPositionIcons] = {
    {106, 56},  {106, 56},  {106, 80},                                     // 4600..4602 centre
    {46, 108},  {46, 84},   {46, 60},   {22, 60},   {22, 84},  {22, 108},  // 4603..4608 front left
    {166, 108}, {166, 84},  {166, 60},  {190, 60},  {190, 84}, {190, 108}, // 4609..4614 front right
    {46, 174},  {46, 150},  {166, 174}, {166, 150},                        // 4615..4618 rear woofer, tweeter
    {22, 162},  {190, 162},                                                // 4619, 4620 rear full
    {95, 196},  {117, 196}, {139, 196}, {73, 196},                         // 4621..4624 subwoofers
};
constexpr Spot kCentreLone{106, 56};
constexpr Spot kCentrePairLeft{94, 56};
constexpr Spot kCentrePairRight{118, 56};
constexpr int kIconSize = 20;

// Level panel.
constexpr Box kSourceFader{14, 452, 26, 150}; // 2571 and 2835 share the place
constexpr Box kLevelEdit{8, 608, 46, 20};     // 2572 and 2837
constexpr Box kLevelSpin{54, 608, 16, 20};    // 2573 and 2838
constexpr Box kInputPicture{84, 452, 114, 20};
constexpr Box kMasterButton{84, 478, 54, 22};
constexpr Box kSubModeButton{144, 478, 54, 22};
constexpr Box kPolarityButton{84, 506, 54, 22};
constexpr Box kPolarityPicture{150, 507, 40, 20};
constexpr Box kLevelPageButton{84, 534, 114, 22};
constexpr Box kDelayUnitMsButton{84, 582, 36, 20};
constexpr Box kDelayUnitCmButton{122, 582, 36, 20};
constexpr Box kDelayUnitInchButton{160, 582, 36, 20};

// Strips: strip i at x = kStripX + i * (kStripWidth + 11), y = kStripY.
constexpr int kStripX = 213;
constexpr int kStripY = 429;

// Inside a strip.
constexpr Box kStripSelectButton{10, 6, 100, 22};
constexpr Box kStripPositionButton{6, 32, 108, 22};
constexpr Box kStripOnButton{8, 60, 50, 20};
constexpr Box kStripPolarityButton{62, 60, 50, 20};
constexpr Box kStripFader{4, 86, 46, 118};
constexpr Box kStripLevelEdit{52, 112, 52, 20};
constexpr Box kStripLevelSpin{104, 112, 12, 20};
constexpr Box kStripDelayEdit{52, 166, 52, 20};
constexpr Box kStripDelaySpin{104, 166, 12, 20};

} // namespace res::outpage
