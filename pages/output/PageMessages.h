// Messages between the input page and the level and delay page, which keep the current input in
// step. The values are fixed; other receivers use the same numbers for other messages.
#pragma once

#include "platform/core/WinTypes.h"

constexpr UINT WM_SET_CUR_INPUT = 0x658;     // (0, input): the input made current without a send
constexpr UINT WM_CUR_INPUT_CHANGED = 0x659; // (hold byte before the change, input before it)
