#include "platform/ui/PngResource.h"

#include "platform/ui/GdiplusBitmap.h"
#include "platform/ui/IStream.h"
#include "platform/ui/WinBase.h"

#include <cstring>
#include <memory>

int LoadPngResource(UINT id, LPCTSTR type, Gdiplus::Image** image) {
    if (!image)
        return 0;
    HRSRC res = FindResource(nullptr, MAKEINTRESOURCE(id), type);
    const DWORD size = SizeofResource(nullptr, res);
    const void* data = res ? LockResource(LoadResource(nullptr, res)) : nullptr;
    if (!res || size == 0 || !data)
        return 0;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    void* dest = GlobalLock(block);
    if (!dest) {
        GlobalFree(block);
        return 0;
    }
    std::memcpy(dest, data, size);
    GlobalUnlock(block);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
        GlobalFree(block);
        return 0;
    }
    std::unique_ptr<Gdiplus::Bitmap> bmp(Gdiplus::Bitmap::FromStream(stream, FALSE));
    stream->Release(); // frees the block: the bitmap holds decoded pixels
    if (!bmp || bmp->GetLastStatus() != Gdiplus::Ok)
        return 0;
    *image = bmp.release();
    return 1;
}
