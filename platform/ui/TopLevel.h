// What a top-level frame needs of the desktop beyond CWnd: the display-change notice and the
// window icon from a resource.
#pragma once

#include "platform/core/WinTypes.h"

class CWnd;

constexpr UINT WM_DISPLAYCHANGE = 0x007E;

// Posts WM_DISPLAYCHANGE to the window whenever a screen's geometry or the primary screen changes;
// the watch ends with the window.
void WatchDisplayChanges(CWnd* wnd);
// The window's icon from a PNG (or else bitmap) resource; FALSE when the id has no image.
BOOL SetWindowIconResource(CWnd* wnd, UINT id);
BOOL IsWindowMinimized(const CWnd* wnd);
