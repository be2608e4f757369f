#include "res/ResourceTable.h"
#include "res/ResourceTables.h"

#include <QtGlobal>
#include <algorithm>
#include <deque>
#include <mutex>
#include <vector>

// The compiled-in SVG files live in a static library: name their initialiser so it is linked.
static void InitSkinResources() {
    Q_INIT_RESOURCE(skin);
}

namespace res {
namespace {
std::mutex g_lock;

// Rows added one by one (tests) and tables registered by other folders. Deques keep the
// addresses handed out by the Find functions valid while more rows arrive.
template <class T> struct Store {
    std::deque<T> extra;
    std::vector<std::span<const T>> tables;
};
template <class T> Store<T>& Rows() {
    static Store<T> s;
    return s;
}

template <class T> void Register(std::span<const T> table) {
    if (table.empty())
        return;
    std::lock_guard<std::mutex> lock(g_lock);
    auto& tables = Rows<T>().tables;
    for (const auto& t : tables)
        if (t.data() == table.data() && t.size() == table.size())
            return;
    tables.push_back(table);
}

template <class T, class Match>
const T* Find(std::span<const T> builtIn, Match match, std::span<const std::span<const T>> moreBuiltIn = {}) {
    std::lock_guard<std::mutex> lock(g_lock);
    auto& store = Rows<T>();
    for (auto it = store.extra.rbegin(); it != store.extra.rend(); ++it)
        if (match(*it))
            return &*it;
    for (const T& row : builtIn)
        if (match(row))
            return &row;
    for (const auto& table : moreBuiltIn)
        for (const T& row : table)
            if (match(row))
                return &row;
    for (const auto& table : store.tables)
        for (const T& row : table)
            if (match(row))
                return &row;
    return nullptr;
}

template <class T> const T* FindById(UINT id, std::span<const T> builtIn) {
    if (id == 0)
        return nullptr;
    return Find<T>(builtIn, [id](const T& row) { return row.id == id; });
}

// The rows of one menu kept together in a table, or empty.
std::span<const MenuItemSpec> MenuIn(std::span<const MenuItemSpec> table, UINT menuId) {
    std::size_t first = table.size(), last = 0;
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].menuId == menuId) {
            first = std::min(first, i);
            last = i + 1;
        }
    if (first >= last)
        return {};
    return table.subspan(first, last - first);
}
} // namespace

const ArtSpec* FindArt(UINT id) {
    if (id == 0)
        return nullptr;
    return Find<ArtSpec>({kArt, kArtCount}, [id](const ArtSpec& row) { return row.id == id; },
                         {kPageArtTables, kPageArtTableCount});
}

void EnsureCompiledResources() {
    static std::once_flag once;
    std::call_once(once, [] { InitSkinResources(); });
}

const SvgSpec* FindSvg(UINT id, bool png) {
    EnsureCompiledResources();
    if (id == 0)
        return nullptr;
    return Find<SvgSpec>({kSvg, kSvgCount},
                         [id, png](const SvgSpec& s) { return s.id == id && s.png == png; });
}

const CursorSpec* FindCursor(UINT id) {
    EnsureCompiledResources();
    return FindById<CursorSpec>(id, {kCursors, kCursorCount});
}

const StringSpec* FindString(UINT id) {
    return FindById<StringSpec>(id, {kStrings, kStringCount});
}

const DialogSpec* FindDialog(UINT id) {
    return FindById<DialogSpec>(id, {kDialogs, kDialogCount});
}

std::span<const MenuItemSpec> FindMenu(UINT menuId) {
    if (menuId == 0)
        return {};
    if (auto m = MenuIn({kMenuItems, kMenuItemCount}, menuId); !m.empty())
        return m;
    std::lock_guard<std::mutex> lock(g_lock);
    for (const auto& table : Rows<MenuItemSpec>().tables)
        if (auto m = MenuIn(table, menuId); !m.empty())
            return m;
    return {};
}

void AddArt(const ArtSpec& spec) {
    std::lock_guard<std::mutex> lock(g_lock);
    Rows<ArtSpec>().extra.push_back(spec);
}

void AddDialog(const DialogSpec& spec) {
    std::lock_guard<std::mutex> lock(g_lock);
    Rows<DialogSpec>().extra.push_back(spec);
}

void AddString(const StringSpec& spec) {
    std::lock_guard<std::mutex> lock(g_lock);
    Rows<StringSpec>().extra.push_back(spec);
}

void RegisterArt(std::span<const ArtSpec> table) {
    Register(table);
}
void RegisterSvg(std::span<const SvgSpec> table) {
    Register(table);
}
void RegisterCursors(std::span<const CursorSpec> table) {
    Register(table);
}
void RegisterStrings(std::span<const StringSpec> table) {
    Register(table);
}
void RegisterMenus(std::span<const MenuItemSpec> table) {
    Register(table);
}
void RegisterDialogs(std::span<const DialogSpec> table) {
    Register(table);
}

} // namespace res
