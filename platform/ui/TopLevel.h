// What a top-level frame needs of the desktop beyond CWnd: the display-change notice, the window
// icon from a resource, minimising.
#pragma once

#include "platform/core/WinTypes.h"

class CWnd;

constexpr UINT WM_DISPLAYCHANGE = 0x007E;
constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_CLOSE = 0xF060;

// Posts WM_DISPLAYCHANGE to the window whenever a screen's geometry or the primary screen changes;
// the watch ends with the window.
void WatchDisplayChanges(CWnd* wnd);
// The window's icon from a PNG (or else bitmap) resource; FALSE when the id has no image.
BOOL SetWindowIconResource(CWnd* wnd, UINT id);
void MinimizeWindow(CWnd* wnd);
BOOL IsWindowMinimized(const CWnd* wnd);
