// The bitmaps of the main view's buttons per language: which skin each control wears in Chinese
// and in English, in the order its SetBitmaps takes them. The connect button has a set per link
// state as well.
#pragma once

#include "platform/core/WinTypes.h"

// Slots of a set: CBitButton normal, hover, pressed, checked normal, checked hover, checked
// pressed; CXPButton on normal, on hover, on down, off normal, off hover, off down; a picture
// uses the first slot only. 0 = no bitmap given for the slot.
constexpr int VIEW_SKIN_SLOTS = 6;

struct ViewSkinSet {
    int control;
    int online; // connect button: 1 online, 0 offline; -1 for every other control
    UINT zh[VIEW_SKIN_SLOTS];
    UINT en[VIEW_SKIN_SLOTS];
};

// The set of a control (online only matters for the connect button); null when it has none.
const ViewSkinSet* FindViewSkin(int control, BOOL online = FALSE);
// One bitmap id of a control, language and slot; 0 when there is none.
UINT ViewSkinBitmap(int control, BOOL chinese, int slot, BOOL online = FALSE);
// The six ids of a control in a language; null when the control has no set.
const UINT* ViewSkinBitmaps(int control, BOOL chinese, BOOL online = FALSE);
