// Layout of the System dialog (108, the limiter and compressor of every output with their
// transfer curves) and the knee cursor of the curve control, registered once.
#pragma once

#include "platform/core/Rect.h"

void RegisterLimiterDialogLayouts();

namespace limlayout {
// Where the fields of output n (0..7) sit: the groups stand in two rows of four.
constexpr int kGroupLeft = 84;
constexpr int kGroupTop = 44;
constexpr int kGroupWidth = 250;
constexpr int kGroupHeight = 294;
constexpr int kGroupPitchX = 258;
constexpr int kGroupPitchY = 300;
constexpr int kCaptionHeight = 24;
constexpr int kFieldTop = 190; // first field row below the group's top
constexpr int kRowPitch = 26;

// The body of output n's group (caption band, curve and fields) in dialog client pixels.
CRect GroupRect(int n);
} // namespace limlayout
