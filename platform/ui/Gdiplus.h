// The GDI+ subset the system draws with: PNG bitmaps from streams, rotate-flip, and an
// antialiased graphics object over a DC (images drawn with alpha over what is there).
#pragma once

#include "platform/ui/GdiplusTypes.h"
#include "platform/ui/GdiplusBitmap.h"
#include "platform/ui/GdiplusGraphics.h"
#include "platform/ui/GdiplusImage.h"
#include "platform/ui/GdiplusPen.h"
#include "platform/ui/GdiplusSolidBrush.h"
