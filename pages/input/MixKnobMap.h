// CMixKnobMap: what the mixer popup's knobs mean, without any window. For an input type (byte 0 of
// g_pcSourceSet) and a device type it gives the mix byte each knob edits, how many knob rows the
// panes show, the panes' and the popup's geometry, the popup's background, the tooltips and the
// row-by-row focus walk across the eight panes.
#pragma once

#include "platform/core/Rect.h"
#include "model/RecordRanges.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "res/MixerArt.h"

class CKTV_OutData;

class CMixKnobMap {
public:
    static constexpr int kKnobs = 6;
    static constexpr int kPanes = 8;
    static constexpr int kMaxValue = range::kMix.hi;
    static constexpr int kTypeHiLevel = 1;
    static constexpr int kTypeAux = 3;
    static constexpr int kTypeNone = 4;
    static constexpr int kWideDevice = 3; // the device type whose panes show six rows

    // Pane places: x = kPaneLeft + kPanePitch * pane, kPaneWidth wide (the art was drawn for them).
    static constexpr int kPaneLeft = res::mixer::kPaneLeft;
    static constexpr int kPanePitch = res::mixer::kPanePitch;
    static constexpr int kPaneWidth = res::mixer::kPaneWidth;
    static constexpr int kPopupWidth = res::mixer::kPopupWidth;
    static constexpr int kRowPitch = res::mixer::kRowPitch;
    static constexpr int kFirstRowHeight = res::mixer::kFirstRowHeight;

    // Offset in the OutputRecord (264..277) of the byte knob k (1..6) edits, or -1 for none.
    static int KnobByte(int knob, int inputType, int deviceType);
    // The knob's byte through its setter of the output (which marks it); FALSE when the knob
    // has no byte for the type.
    static BOOL StoreKnob(CKTV_OutData& out, int knob, int inputType, int deviceType, int value);
    // What the output's setters hold in a mix byte (264..279), -1 outside.
    static int ReadMixByte(const CKTV_OutData& out, int offset);

    // Knob rows shown: 2, 4 or 6.
    static int KnobRows(int inputType, int deviceType);
    static int PaneHeight(int inputType, int deviceType); // 211, 436 or 661
    static int PaneTop(int inputType, int deviceType);    // 30 or 36
    static CRect PaneRect(int pane, int inputType, int deviceType);
    static int PopupHeight(int inputType, int deviceType); // 331, 550 or 775
    // The popup's background bitmap; 0 draws nothing.
    static UINT Background(int inputType, int deviceType, bool chinese);

    // Tooltip of knob k's controls; empty for the types without one.
    static CString Tooltip(int knob, int inputType, bool chinese);
    // The popup's row label i (1..6) on device type 3, or null where the template's text stays.
    static const char* RowLabelFormat(int inputType, bool chinese);

    // Focus walk over the edits of knobs 1..4: next (right) and previous (left). FALSE when the
    // knob does not move the focus.
    struct Place {
        int pane;
        int knob;
    };
    static BOOL NextKnob(Place from, int inputType, Place* to);
    static BOOL PrevKnob(Place from, int inputType, Place* to);

    // The on/off memory: what switching knob on brings back.
    static int RestoreValue(int remembered) { return remembered == 0 ? kMaxValue : remembered; }
};
