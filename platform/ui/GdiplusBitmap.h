// Gdiplus::Bitmap: an image decoded from a stream (PNG, BMP) or made blank.
#pragma once

#include "platform/ui/GdiplusImage.h"

class IStream;

namespace Gdiplus {

class Bitmap : public Image {
public:
    // Decodes the whole stream; GetLastStatus() tells whether it worked. Colour management of
    // the file is never applied.
    explicit Bitmap(IStream* stream, BOOL useEmbeddedColorManagement = FALSE);
    // A transparent bitmap of the given size.
    Bitmap(int width, int height);
    static Bitmap* FromStream(IStream* stream, BOOL useEmbeddedColorManagement = FALSE);

    Status GetPixel(int x, int y, Color* colour) const;
    Status SetPixel(int x, int y, const Color& colour);
};

} // namespace Gdiplus
