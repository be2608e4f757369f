// Loading a PNG resource of the program into a GDI+ image: the registry's painted image itself,
// never encoded to a file and decoded again.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/ui/WinBase.h"

namespace Gdiplus {
class Bitmap;
class Image;
} // namespace Gdiplus

// A new bitmap (the caller owns it) over the pixels of a resource FindResource found; null when
// resource is null or has no pixels. The pixels are shared with the registry's image.
Gdiplus::Bitmap* CreateResourceBitmap(HRSRC resource);

// 1 with *image set to a new image the caller owns; 0 (and *image untouched) when the resource
// does not exist or does not decode. type: "PNG".
int LoadPngResource(UINT id, LPCTSTR type, Gdiplus::Image** image);
