#include "platform/ui/PngResource.h"

#include "platform/ui/GdiplusBitmap.h"

int LoadPngResource(UINT id, LPCTSTR type, Gdiplus::Image** image) {
    if (!image)
        return 0;
    Gdiplus::Bitmap* bitmap = CreateResourceBitmap(FindResource(nullptr, MAKEINTRESOURCE(id), type));
    if (!bitmap)
        return 0;
    *image = bitmap;
    return 1;
}
