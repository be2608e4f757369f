// The art of the mixer popup, its panes, the mixer source buttons and the advanced settings
// dialog, and the places their backgrounds were drawn for (client pixels). The ids are the
// resources' own.
#pragma once

#include "res/OutputPageArt.h"

namespace res::mixer {

using Box = outpage::Box;

// --- mixer popup (1180 wide) and its eight panes ------------------------------------------------

constexpr int kPopupWidth = 1180;
constexpr int kPaneLeft = 164;
constexpr int kPanePitch = 126;
constexpr int kPaneWidth = 116;
constexpr int kRowPitch = 225;       // a pair of knob rows of a pane
constexpr int kFirstRowHeight = 211; // a pane of two knob rows; each pair more adds kRowPitch
constexpr int kKnobRowHeight = 99;   // two rows fill a pane of kFirstRowHeight
// Top of knob row r (0..5) in a pane.
constexpr int KnobRowTop(int r) {
    return r * kRowPitch / 2;
}
constexpr int kTopWide = 30;   // pane top with four or six rows
constexpr int kTopNarrow = 36; // pane top with two rows
constexpr int kPaneHeightMax = 661;

// Inside a knob row (pane pixels from the row's top).
constexpr Box kFader{4, 3, 44, 93};
constexpr Box kOnOff{56, 9, 52, 20};
constexpr Box kEdit{54, 40, 44, 20};
constexpr Box kSpin{98, 40, 12, 20};
constexpr Box kPhase{56, 70, 52, 20};

constexpr unsigned kPane = 853;
constexpr unsigned kPaneSpare = 881;
constexpr unsigned kFaderChannel = 863;
constexpr unsigned kFaderThumb = 868;
constexpr unsigned kFaderThumbActive = 867;

// --- mixer source buttons -----------------------------------------------------------------------

constexpr int kSourceWidth = 104;
constexpr int kSourceHeight = 24;
constexpr unsigned kSourceBlank = 722; // before the first update: normal 722, hover and pressed 723

// --- advanced settings dialog (788 English, 789 Chinese) ----------------------------------------

constexpr int kAdvWidth = 820;
constexpr int kAdvHeight = 560;
// The framed sections of the background, in the order of its captions after the title.
constexpr Box kAdvSections[] = {
    {12, 40, 262, 72},   // mixer source
    {12, 122, 262, 200}, // system values
    {12, 332, 262, 172}, // WIFI module
    {286, 40, 522, 360}, // limiter
    {286, 410, 522, 94}, // curves
};
constexpr int kAdvSectionCount = 5;
constexpr int kAdvTitleBand = 24; // a section's caption band

} // namespace res::mixer
