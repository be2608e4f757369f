// The level and delay page's control ids, its messages and its pixel layout (dialog 522 on the
// 1280 x 656 tab area, on the places its background was drawn for: res/LevelPageArt.h).
#pragma once

#include "pages/output/PageMessages.h"
#include "platform/core/WinTypes.h"

namespace levelpage {

constexpr unsigned kDialogId = 522;
constexpr int kPageWidth = 1280;
constexpr int kPageHeight = 656;
constexpr int kInputCount = 6;
constexpr int kOutputCount = 8;
constexpr int kDelayFieldCount = 15;
constexpr int kPositionButtonCount = 24;
constexpr int kLinkToggleCount = 12;

// Levels.
constexpr int kMasterEdit = 2568;
constexpr int kMasterSpin = 2569;
constexpr int kMasterFader = 2570;
constexpr int kMasterOn = 2755;
constexpr int kInputEdit = 3000;   // + n
constexpr int kInputSpin = 3010;   // + n
constexpr int kInputFader = 3020;  // + n
constexpr int kInputButton = 4460; // + n
constexpr int kOutputEdit = 3030;  // + n
constexpr int kOutputSpin = 3040;  // + n
constexpr int kOutputFader = 3050; // + n
constexpr int kOutputOn = 3060;    // + n
constexpr int kOutputPhase = 3070; // + n
constexpr int kMeter = 4800;       // + n
constexpr int kOutputLabel = 2696; // + n
constexpr int kBlankLabel = 2791;  // + n

// Time alignment.
constexpr int kUnitMs = 2683;
constexpr int kUnitCm = 2684;
constexpr int kUnitInch = 2685;
constexpr int kDelayField = 6000;      // + k
constexpr int kDelaySpin = 6020;       // + k
constexpr int kDelaySpinButton = 5980; // + k, the arrows over a linked field
constexpr int kPositionButton = 6040;  // 6040..6063
constexpr int kLinkToggle = 6800;      // 6800..6811
constexpr int kLRLinkPicture = 2771;
// The way back to the output page (Tab from outside the fields, then Enter or Space).
constexpr int kOutputPageButton = 2686;

// Registers dialog 522 (once).
void RegisterLevelPageLayout();

} // namespace levelpage
