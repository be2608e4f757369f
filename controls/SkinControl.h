// Small rules shared by the skinned controls.
#pragma once

#include "platform/ui/Wnd.h"

namespace skin {

// Button kind from the layout's button type (low byte of the style): (type & 3) == 3 check-box
// kind 2, else (type & 9) == 9 radio kind 4, else push kind 0.
int ButtonKind(DWORD style);
// Invalidates, with erase, the part of the parent under the control.
void InvalidateParentArea(CWnd* control);

} // namespace skin
