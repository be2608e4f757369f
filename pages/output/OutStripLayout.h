// Pixel layout of the output strip (dialog 110) and the ids of its art and menu, registered once.
#pragma once

#include "platform/core/WinTypes.h"

void RegisterOutStripLayout();

namespace striplayout {
// The strip's size; the page places strip i at x = kLeft + i * (width + kGap), y = kTop.
constexpr int kWidth = 120;
constexpr int kHeight = 210;
constexpr int kLeft = 213;
constexpr int kTop = 429;
constexpr int kGap = 11;

// Art of the strip (bitmaps drawn by res/, which keeps the same ids).
constexpr UINT kSkinEn = 9870; // background, English
constexpr UINT kSkinCn = 9871; // background, Chinese
// Select button of output n: normal, hover, pressed = kSelect + 3n + 0..2 (down = pressed).
constexpr UINT kSelect = 9880;
// Select button of output n while the strip is disabled = kSelectDisabled + n.
constexpr UINT kSelectDisabled = 9904;
// Position button: normal, hover, pressed, down (the three down states), disabled.
constexpr UINT kPosition = 9912;
// On button: muted normal, hover, pressed; sounding normal, hover, pressed; disabled muted and
// sounding = kOn + 0..7.
constexpr UINT kOn = 9920;
constexpr UINT kOnCn = 9970; // the same looks in Chinese
// Polarity ("Pol+" up, "Pol-" down): as the on button, per language.
constexpr UINT kPolarityEn = 9930;
constexpr UINT kPolarityCn = 9940;
// Level fader: channel, thumb, active thumb, disabled thumb.
constexpr UINT kFaderChannel = 9950;
constexpr UINT kFaderThumb = 9951;
constexpr UINT kFaderThumbActive = 9952;
constexpr UINT kFaderThumbDisabled = 9953;
// Thumb margins of the level fader.
constexpr int kFaderMarginLeft = 25;
constexpr int kFaderMarginTop = 0;
constexpr int kFaderMarginRight = 1;
constexpr int kFaderMarginBottom = 2;

// The position button's text colours (COLORREF): normal, hover and pressed, disabled.
constexpr COLORREF kPositionText = 0xDCDCDC;
constexpr COLORREF kPositionTextHot = 0x0066FF;
constexpr COLORREF kPositionTextDisabled = 0xD2D2D2;
} // namespace striplayout
