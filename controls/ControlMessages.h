// Messages the skinned controls send or post to their parents (and to one another). The values
// are fixed: the pages switch on them. 0x52C and 0x52D are shared with link messages on purpose;
// their receivers differ.
#pragma once

#include "platform/core/WinTypes.h"

constexpr UINT WM_SKIN_RADIO_CLEAR = 0x410;  // (0, 0) to the other buttons of a radio group
constexpr UINT WM_SLIDER_ACTIVATE = 0x4C9;   // (0, 0) fader: take the focus and look active
constexpr UINT WM_SKIN_BUTTON_HOLD = 0x52C;  // (id, hold value) every 200 ms while held
constexpr UINT WM_XP_BUTTON_REPEAT = 0x52D;  // (id, count) every 80 ms while held
constexpr UINT WM_CONTROL_MOUSEMOVE = 0x65A; // (mouse key flags, control id)
constexpr UINT WM_NUMEDIT_NAVIGATE = 0x6BC;  // (id, virtual key)
constexpr UINT WM_COMBO_SELECT = 0x722;      // (list id, index)
constexpr UINT WM_SPIN_STEP = 0x84C;         // (spin id, signed step)
constexpr UINT WM_SPIN_CLAMPED = 0x84D;      // (0, 0)
constexpr UINT WM_SLIDER_MOVING = 0x28D1;    // (id, top-down position)
constexpr UINT WM_SLIDER_MOVED = 0x28D2;     // (id, top-down position)
