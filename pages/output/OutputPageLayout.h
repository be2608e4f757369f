// The output page's control ids and its pixel layout (dialog 136 on the 1280 x 656 tab area), on
// the places the page background was drawn for: the car picture with the map commands and the
// crossover block down the left, the graph and the curve toggles on top, the 31 band columns under
// the graph with the EQ commands at their right, the level group and the eight strips below.
#pragma once

#include "platform/core/Rect.h"

namespace outpage {

constexpr unsigned kDialogId = 136;
constexpr int kPageWidth = 1280;
constexpr int kPageHeight = 656;
constexpr int kBandCount = 31;
constexpr int kTenBandCount = 10;
constexpr int kDelayFieldCount = 15;

// Band row families (band n = 0..30).
constexpr int kFreqEdit = 5200;
constexpr int kFreqSpin = 5240;
constexpr int kQEdit = 4500;
constexpr int kQSpin = 4540;
constexpr int kGainEdit = 5000;
constexpr int kGainSpin = 5040;
constexpr int kFader = 5100;
constexpr int kLabel = 5280;
constexpr int kBypass = 5320;

// Crossover block.
constexpr int kHpfFamily = 1010;
constexpr int kLpfFamily = 1011;
constexpr int kHpfSlope = 1012;
constexpr int kLpfSlope = 1013;
constexpr int kHpfFamilyNotify = 1014;
constexpr int kHpfSlopeNotify = 1015;
constexpr int kLpfFamilyNotify = 1016;
constexpr int kLpfSlopeNotify = 1017;
constexpr int kHpfFreq = 1004;
constexpr int kLpfFreq = 1005;
constexpr int kHpfSpin = 1351;
constexpr int kLpfSpin = 1352;

// EQ commands, shapes and shelf lists.
constexpr int kFirstLowShelf = 2818;
constexpr int kFirstPeak = 2820;
constexpr int kLastPeak = 2821;
constexpr int kLastHighShelf = 2822;
constexpr int kFirstShelfList = 2823;
constexpr int kLastShelfList = 2824;
constexpr int kBand8ShelfList = 9578;
constexpr int kFirstShelfNotify = 2825;
constexpr int kLastShelfNotify = 2826;
constexpr int kBand8ShelfNotify = 9579;
constexpr int kAllBypass = 1976;
constexpr int kPeqGeq = 5686;
constexpr int kResetEq = 5687;
constexpr int kGeqPicture = 5311;
constexpr int kGraph = 4000;

// Level group.
constexpr int kSourceFader = 2571;
constexpr int kSourceEdit = 2572;
constexpr int kSourceSpin = 2573;
constexpr int kMasterOn = 2574;
constexpr int kSubFader = 2835;
constexpr int kSubMode = 2836;
constexpr int kSubEdit = 2837;
constexpr int kSubSpin = 2838;
constexpr int kPolarity = 4001;
constexpr int kPolarityNormal = 5084;
constexpr int kPolarityInverted = 5085;
constexpr int kGroupPicture = 5083;
constexpr int kInputType = 5688;
constexpr int kLevelPage = 5689;

// Speaker map, delays and group links.
constexpr int kDelayField = 6000;
constexpr int kDelaySpin = 6020;
constexpr int kDelaySpinButton = 5980;
constexpr int kGroupLink = 6800; // 6800..6811
constexpr int kGroupLinkCount = 12;
constexpr int kPositionIcon = 4600; // 4600..4624
constexpr int kPositionIconCount = 25;
constexpr int kMapLock = 4700;
constexpr int kMapLink = 4701;
constexpr int kMapReset = 4702;
constexpr int kMapRead = 4703;
constexpr int kMapSave = 4704;
constexpr int kLinkPicture = 5080; // 5080..5082
constexpr int kDelayUnitMs = 2683;
constexpr int kDelayUnitCm = 2684;
constexpr int kDelayUnitInch = 2685;

// Strips: x = kStripLeft + i x (strip width + kStripGap), y = kStripTop.
constexpr int kStripLeft = 213;
constexpr int kStripTop = 429;
constexpr int kStripGap = 11;

// The places of a band row's controls (31-band PEQ layout) and its moves.
constexpr int kBandLeft = 242;
constexpr int kBandPitch = 31;
constexpr int kTenBandShift = 75; // row n moves right by 75 x n on the 10-band outputs
constexpr int kFieldWidth = 31;   // the whole pitch: five digits need it
constexpr int kFieldHeight = 18;
constexpr int kLabelTop = 228;
constexpr int kFreqTop = 244;
constexpr int kQTop = 264;
constexpr int kGainTop = 284;
constexpr int kFaderTop = 304;
constexpr int kFaderWidth = 20;
constexpr int kFaderHeight = 100;
constexpr int kBypassTop = 406;
constexpr int kBypassWidth = 26;
constexpr int kBypassHeight = 14;

enum class RowPart { Label, Freq, Q, Gain, Fader, Bypass };
// PEQ place of a band's control in the 31-band layout.
CRect BandPlace(int n, RowPart part);
// GEQ places: the gain edit stands where the frequency edit was, its fader right under it.
CRect GeqGainPlace(int n);
CRect GeqFaderPlace(int n);

} // namespace outpage
