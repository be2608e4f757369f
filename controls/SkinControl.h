// Small rules shared by the skinned controls.
#pragma once

#include "platform/ui/Wnd.h"

namespace skin {

// Button kind from the layout's button type (low byte of the style): (type & 3) == 3 check-box
// kind 2, else (type & 9) == 9 radio kind 4, else push kind 0.
int ButtonKind(DWORD style);
// Invalidates, with erase, the part of the parent under the control.
void InvalidateParentArea(CWnd* control);
// Sizes the control to bitmap resource id; false, and the size kept, when id is 0 or does not load.
bool FitToBitmap(CWnd* control, UINT id);
// Stretches bitmap resource id over (0, 0, width, height) of dc; false when id is 0 or does not load.
bool StretchBitmapResource(CDC* dc, UINT id, int width, int height);
// The face of a bitmap control: its bitmap stretched over the client rectangle, or the button face
// colour when it has none.
void PaintFace(CDC* dc, UINT id, const CRect& client);
// The keyboard focus of a skinned control: a ring in the skin's accent colour just inside the
// client rectangle, with a dark line inside it so it shows on light and lit faces alike.
void PaintFocusMark(CDC* dc, const CRect& client);

} // namespace skin
