// The owner-drawn lists' side of WM_DRAWITEM and WM_MEASUREITEM: the parent reflects them back to
// the control, which hands them to its DrawItem and MeasureItem.
#pragma once

#include "platform/ui/WinUser.h"

// TRUE (and TRUE in *result) when message was one of the two and went to the control.
template <class Control>
BOOL ReflectOwnerDraw(Control& control, UINT message, LPARAM lParam, LRESULT* result) {
    if (message == WM_DRAWITEM)
        control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    else if (message == WM_MEASUREITEM)
        control.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    else
        return FALSE;
    if (result)
        *result = TRUE;
    return TRUE;
}
