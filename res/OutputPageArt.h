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
constexpr unsigned kStripBackgroundZh = 9870;
constexpr unsigned kStripBackgroundEn = 9871;

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

// Delay unit buttons 2683..2685 (ms, cm, inch), 36 x 20: normal, hover, down; both languages.
constexpr unsigned kDelayUnitMs = 9860;
constexpr unsigned kDelayUnitCm = 9863;
constexpr unsigned kDelayUnitInch = 9866;

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

// Select button 2815, 54 x 20, one set per output: normal, hover, down.
constexpr unsigned kStripSelectFirst = 9880;
constexpr unsigned StripSelectLook(int output, int look) {
    return kStripSelectFirst + static_cast<unsigned>(output * 3 + look);
}
// Position button 2636, 112 x 20 (the control writes the name): normal, hover, pressed, down,
// disabled.
constexpr unsigned kStripPosition = 9904;
// On button 1001, 54 x 20: six looks, down = sounding.
constexpr unsigned kStripOn = 9910;
// Polarity button 4001, 54 x 20: six looks per language, down = inverted.
constexpr unsigned kStripPolarityEn = 9920;
constexpr unsigned kStripPolarityZh = 9926;
// Level fader 4005: channel 50 x 124 (scale in the 25 px left margin), thumb 24 x 12 (normal,
// active, disabled).
constexpr unsigned kStripFaderChannel = 9932;
constexpr unsigned kStripFaderThumb = 9933;
constexpr unsigned kStripFaderThumbActive = 9934;
constexpr unsigned kStripFaderThumbDisabled = 9935;
// Copy and paste, 26 x 20: normal, hover, pressed each.
constexpr unsigned kStripCopy = 9936;
constexpr unsigned kStripPaste = 9939;

// --- where the page background expects the controls --------------------------------------------

constexpr Box kMapPanel{6, 6, 200, 262};
constexpr Box kCrossoverPanel{6, 274, 200, 148};
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
constexpr Box kHpfLabel{12, 298, 36, 20};
constexpr Box kLpfLabel{12, 362, 36, 20};

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
constexpr Box kStripSelectButton{4, 4, 54, 20};
constexpr Box kStripOnButton{62, 4, 54, 20};
constexpr Box kStripPositionButton{4, 28, 112, 20};
constexpr Box kStripFader{4, 54, 50, 124};
constexpr Box kStripPolarityButton{62, 54, 54, 20};
constexpr Box kStripCopyButton{62, 80, 26, 20};
constexpr Box kStripPasteButton{90, 80, 26, 20};
constexpr Box kStripLevelEdit{62, 124, 38, 20};
constexpr Box kStripLevelSpin{100, 124, 16, 20};
constexpr Box kStripDelayEdit{44, 184, 56, 20};
constexpr Box kStripDelaySpin{100, 184, 16, 20};

} // namespace res::outpage
