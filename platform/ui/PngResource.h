// Loading a PNG resource of the program into a GDI+ image (the resource bytes are copied into a
// movable block behind a stream, as the system code does it).
#pragma once

#include "platform/core/WinTypes.h"

namespace Gdiplus {
class Image;
}

// 1 with *image set to a new image the caller owns; 0 (and *image untouched) when the resource
// does not exist or does not decode. type: "PNG".
int LoadPngResource(UINT id, LPCTSTR type, Gdiplus::Image** image);
