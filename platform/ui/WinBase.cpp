#include "platform/ui/WinBase.h"

#include "platform/ui/GdiplusBitmap.h"
#include "platform/ui/IStream.h"
#include "platform/ui/PngResource.h"
#include "platform/ui/ResourceLoader.h"
#include "platform/ui/Wnd.h"

#include <QBuffer>
#include <QByteArray>
#include <QHash>
#include <QImage>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

// A found resource: its id and type. The program draws its pixels straight from the registry's
// image (CreateResourceBitmap); file bytes are encoded only for a caller that asks for them.
struct HRSRC__ {
    UINT id = 0;
    bool png = false;
    bool encoded = false;
    QByteArray bytes;
};

struct GlobalBlock {
    std::vector<BYTE> bytes;
    int locks = 0;
    bool resource = false; // LoadResource handles point at resource bytes
    HRSRC__* source = nullptr;
};

namespace {
std::mutex g_lock;

UINT ResourceId(LPCTSTR name) {
    if (!name)
        return 0;
    if (IS_INTRESOURCE(name))
        return static_cast<UINT>(reinterpret_cast<UINT_PTR>(name));
    if (name[0] == '#')
        return static_cast<UINT>(std::strtoul(name + 1, nullptr, 10));
    return 0;
}
} // namespace

HRSRC FindResource(HMODULE, LPCTSTR name, LPCTSTR type) {
    const UINT id = ResourceId(name);
    if (id == 0 || !type)
        return nullptr;
    const bool bitmap = IS_INTRESOURCE(type) && type == RT_BITMAP;
    const bool png = !IS_INTRESOURCE(type) && std::strcmp(type, "PNG") == 0;
    if (!bitmap && !png)
        return nullptr;
    std::lock_guard<std::mutex> lock(g_lock);
    static auto& made = *new QHash<quint64, HRSRC__*>; // resources live as long as the program
    const quint64 key = (static_cast<quint64>(png) << 32) | id;
    if (auto it = made.constFind(key); it != made.constEnd())
        return *it;
    const QSize size = png ? ResourceLoader::PngSize(id) : ResourceLoader::BitmapSize(id);
    if (size.isEmpty())
        return nullptr;
    auto* res = new HRSRC__;
    res->id = id;
    res->png = png;
    made.insert(key, res);
    return res;
}

namespace {
QImage ResourceImage(HRSRC resource) {
    return resource->png ? ResourceLoader::LoadPngImage(resource->id)
                         : ResourceLoader::LoadBitmapImage(resource->id);
}

// The file form (PNG or BMP), made once at the first caller that reads the bytes.
const QByteArray& ResourceBytes(HRSRC resource) {
    std::lock_guard<std::mutex> lock(g_lock);
    if (!resource->encoded) {
        resource->encoded = true;
        QBuffer buffer(&resource->bytes);
        buffer.open(QIODevice::WriteOnly);
        ResourceImage(resource).save(&buffer, resource->png ? "PNG" : "BMP");
    }
    return resource->bytes;
}
} // namespace

Gdiplus::Bitmap* CreateResourceBitmap(HRSRC resource) {
    if (!resource)
        return nullptr;
    const QSize size =
        resource->png ? ResourceLoader::PngSize(resource->id) : ResourceLoader::BitmapSize(resource->id);
    auto* bitmap = new Gdiplus::Bitmap(1, 1);
    // Painted when first drawn: a control on a page never shown never pays for its pictures.
    bitmap->SetPendingResource(resource->id, resource->png, size.width(), size.height());
    return bitmap;
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
    return resource ? static_cast<DWORD>(ResourceBytes(resource).size()) : 0;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
    if (!resource)
        return nullptr;
    std::lock_guard<std::mutex> lock(g_lock);
    static auto& loaded = *new QHash<HRSRC__*, GlobalBlock*>;
    if (auto it = loaded.constFind(resource); it != loaded.constEnd())
        return *it;
    auto* block = new GlobalBlock;
    block->resource = true;
    block->source = resource;
    loaded.insert(resource, block);
    return block;
}

LPVOID LockResource(HGLOBAL resource) {
    if (!resource || !resource->resource || !resource->source)
        return nullptr;
    return const_cast<char*>(ResourceBytes(resource->source).constData());
}

BOOL FreeResource(HGLOBAL) {
    return FALSE;
}

HMODULE GetModuleHandle(LPCTSTR name) {
    return name ? nullptr : AfxGetInstanceHandle();
}

HGLOBAL GlobalAlloc(UINT, size_t bytes) {
    auto* block = new GlobalBlock;
    block->bytes.assign(bytes, 0);
    return block;
}

LPVOID GlobalLock(HGLOBAL block) {
    if (!block)
        return nullptr;
    if (block->resource)
        return LockResource(block);
    ++block->locks;
    return block->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL block) {
    if (!block || block->locks <= 0)
        return FALSE;
    return --block->locks > 0 ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL block) {
    if (!block || block->resource)
        return block;
    delete block;
    return nullptr;
}

size_t GlobalSize(HGLOBAL block) {
    if (!block)
        return 0;
    if (block->resource)
        return block->source ? static_cast<size_t>(ResourceBytes(block->source).size()) : 0;
    return block->bytes.size();
}

DWORD GetVersion() {
    return 0x23F00206;
}

BOOL sndPlaySound(LPCSTR, UINT) {
    return FALSE;
}

BOOL PlaySound(LPCSTR, HMODULE, DWORD) {
    return FALSE;
}
