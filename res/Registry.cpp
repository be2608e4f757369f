#include "res/ResourceTable.h"
#include "res/ResourceTables.h"

#include <QtGlobal>
#include <algorithm>
#include <deque>
#include <mutex>

// The compiled-in SVG files live in a static library: name their initialiser so it is linked.
static void InitSkinResources() {
    Q_INIT_RESOURCE(skin);
}

namespace res {
namespace {
std::mutex g_lock;
std::deque<ArtSpec>& ExtraArt() {
    static std::deque<ArtSpec> v;
    return v;
}
std::deque<DialogSpec>& ExtraDialogs() {
    static std::deque<DialogSpec> v;
    return v;
}
std::deque<StringSpec>& ExtraStrings() {
    static std::deque<StringSpec> v;
    return v;
}

template <class T, class Extra> const T* Find(UINT id, const T* table, std::size_t count, Extra& extra) {
    if (id == 0)
        return nullptr;
    {
        std::lock_guard<std::mutex> lock(g_lock);
        for (auto it = extra.rbegin(); it != extra.rend(); ++it)
            if (it->id == id)
                return &*it;
    }
    for (std::size_t i = 0; i < count; ++i)
        if (table[i].id == id)
            return &table[i];
    return nullptr;
}
} // namespace

const ArtSpec* FindArt(UINT id) {
    return Find(id, kArt, kArtCount, ExtraArt());
}

void EnsureCompiledResources() {
    static std::once_flag once;
    std::call_once(once, [] { InitSkinResources(); });
}

const SvgSpec* FindSvg(UINT id, bool png) {
    EnsureCompiledResources();
    if (id == 0)
        return nullptr;
    for (std::size_t i = 0; i < kSvgCount; ++i)
        if (kSvg[i].id == id && kSvg[i].png == png)
            return &kSvg[i];
    return nullptr;
}

const CursorSpec* FindCursor(UINT id) {
    EnsureCompiledResources();
    for (std::size_t i = 0; i < kCursorCount; ++i)
        if (kCursors[i].id == id)
            return &kCursors[i];
    return nullptr;
}

const StringSpec* FindString(UINT id) {
    return Find(id, kStrings, kStringCount, ExtraStrings());
}

const DialogSpec* FindDialog(UINT id) {
    return Find(id, kDialogs, kDialogCount, ExtraDialogs());
}

std::span<const MenuItemSpec> FindMenu(UINT menuId) {
    if (menuId == 0)
        return {};
    std::size_t first = kMenuItemCount, last = 0;
    for (std::size_t i = 0; i < kMenuItemCount; ++i)
        if (kMenuItems[i].menuId == menuId) {
            first = std::min(first, i);
            last = i + 1;
        }
    if (first >= last)
        return {};
    return std::span<const MenuItemSpec>(kMenuItems + first, last - first);
}

void AddArt(const ArtSpec& spec) {
    std::lock_guard<std::mutex> lock(g_lock);
    ExtraArt().push_back(spec);
}

void AddDialog(const DialogSpec& spec) {
    std::lock_guard<std::mutex> lock(g_lock);
    ExtraDialogs().push_back(spec);
}

void AddString(const StringSpec& spec) {
    std::lock_guard<std::mutex> lock(g_lock);
    ExtraStrings().push_back(spec);
}

} // namespace res
