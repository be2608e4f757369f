// The input page's control ids and its pixel layout (dialog 382 on the 1280 x 656 tab area): the
// input choice down the left, the graph on top, the 31 band columns under it (0..14 shown) with
// the EQ commands at their right, and the input selector bar (dialog 653) below the columns.
// Also the layouts of the selector bar and of the bass-boost panel (dialog 886).
#pragma once

#include "platform/core/Rect.h"

namespace inpage {

constexpr unsigned kDialogId = 382;
constexpr int kPageWidth = 1280;
constexpr int kPageHeight = 656;
constexpr int kBandCount = 31;
constexpr int kShownBands = 15; // columns 0..14 are shown and loaded

// Band column families (band n = 0..30).
constexpr int kLabel = 3500;
constexpr int kFreqEdit = 3550;
constexpr int kQEdit = 3600;
constexpr int kGainEdit = 3650;
constexpr int kFreqSpin = 3700;
constexpr int kQSpin = 3750;
constexpr int kGainSpin = 3800;
constexpr int kSlider = 3850;
constexpr int kLamp = 3900;

// Whole-channel commands and the pictures.
constexpr int kGeqPicture = 3881;
constexpr int kPeqGeq = 3940;
constexpr int kBypassAll = 3950;
constexpr int kResetAll = 3951;
constexpr int kGraph = 3952;
constexpr int kSelectedInput = 3953;
constexpr int kAuxMode = 3956;     // 3956..3958: modes 0..2
constexpr int kInputButton = 3960; // 3960..3965: inputs 0..5
constexpr int kSourceButton = 3967;
constexpr int kHiLevel1Way = 3980;
constexpr int kHiLevel2Way = 3981;

// Places of the band columns: column n centred at kColumnX + n x kColumnPitch (n = 0..14; the
// hidden columns 15..30 share the places of n - 15).
constexpr int kColumnX = 267;
constexpr int kColumnPitch = 62;
constexpr int kLabelTop = 228;
constexpr int kFreqTop = 244;
constexpr int kQTop = 264;
constexpr int kGainTop = 284;
constexpr int kSliderTop = 304;
constexpr int kLampTop = 420;
constexpr int kEditWidth = 52;
constexpr int kEditHeight = 18;
constexpr int kSliderHeight = 112;
constexpr int kThumbWidth = 30; // the left margin of 15 and the lamp's 17 meet at its centre
constexpr int kThumbHeight = 12;
constexpr int kSliderMargin = 15;
constexpr int kLampWidth = 26;
constexpr int kLampHeight = 14;

// The selector bar on the page, and its size (the size of its background PNG 654).
constexpr int kBarId = 653;
constexpr int kBarX = 221;
constexpr int kBarY = 462;
constexpr int kBarWidth = 840;
constexpr int kBarHeight = 176;
constexpr unsigned kBarBackground = 654;

// The bar's connector buttons.
constexpr int kBarSpdif = 2705;
constexpr int kBarHiLevel = 2704;
constexpr int kBarPhone = 2715;
constexpr int kBarAux1 = 2706;
constexpr int kBarAux2 = 2707;
constexpr int kBarAux3 = 2708;
constexpr int kBarAux1Four = 2710;
constexpr int kBarAux2Two = 2711;
constexpr int kBarAux3Spare = 2712;
constexpr int kBarAux1Six = 2713;
constexpr int kBarAux2Spare = 2714;

// The bass-boost and noise-threshold panel.
constexpr int kNoiseDialogId = 886;
constexpr int kNoiseWidth = 320;
constexpr int kNoiseHeight = 170;
constexpr int kNoiseSwitch = 2861;

// The place of a band column's control in the PEQ layout, as the page resource gives it.
enum class Part { Label, Freq, Q, Gain, Slider, Lamp };
constexpr CRect BandPlace(int n, Part part) {
    const int c = kColumnX + (n % kShownBands) * kColumnPitch;
    switch (part) {
    case Part::Label:
        return CRect(c - kEditWidth / 2, kLabelTop, c + kEditWidth / 2, kLabelTop + 14);
    case Part::Freq:
        return CRect(c - kEditWidth / 2, kFreqTop, c + kEditWidth / 2, kFreqTop + kEditHeight);
    case Part::Q:
        return CRect(c - kEditWidth / 2, kQTop, c + kEditWidth / 2, kQTop + kEditHeight);
    case Part::Gain:
        return CRect(c - kEditWidth / 2, kGainTop, c + kEditWidth / 2, kGainTop + kEditHeight);
    case Part::Slider: {
        // Column 0 has no left margin: its thumb is the whole width.
        const int half = n == 0 ? kThumbWidth / 2 : kThumbWidth / 2 + kSliderMargin;
        return CRect(c - half, kSliderTop, c + half, kSliderTop + kSliderHeight);
    }
    case Part::Lamp:
        return CRect(c - kLampWidth / 2, kLampTop, c + kLampWidth / 2, kLampTop + kLampHeight);
    }
    return CRect();
}

// Registers the layouts of dialogs 382, 653 and 886 (again is a no-op); the page, the bar and the
// panel call it before they create their windows.
void RegisterInputPageLayouts();

} // namespace inpage
