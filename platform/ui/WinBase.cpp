#include "platform/ui/WinBase.h"

#include "platform/ui/IStream.h"
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

// A resource's bytes, made once and kept for the program's lifetime (as a module's would be).
struct HRSRC__ {
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
    const QImage img = png ? ResourceLoader::LoadPngImage(id) : ResourceLoader::LoadBitmapImage(id);
    if (img.isNull())
        return nullptr;
    auto* res = new HRSRC__;
    QBuffer buffer(&res->bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, png ? "PNG" : "BMP");
    made.insert(key, res);
    return res;
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
    return resource ? static_cast<DWORD>(resource->bytes.size()) : 0;
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
    return resource->source->bytes.data();
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
        return block->source ? static_cast<size_t>(block->source->bytes.size()) : 0;
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
