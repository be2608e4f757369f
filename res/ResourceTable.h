// The resource registry: every bitmap, PNG, cursor, string, menu and dialog layout of the program
// by its numeric id. The art is drawn at first use from the tables (SkinPainter) or from the SVG
// files compiled in with skin.qrc; nothing binary is committed.
#pragma once

#include "platform/core/WinTypes.h"

#include <span>

namespace res {

// One generated image. role picks the painter, state its look (0 normal, 1 hover, 2 pressed,
// 3 checked, 4 checked hover, 5 checked pressed, 6 disabled, 7 disabled checked), caption the
// text drawn into it (UTF-8, already in the image's language).
struct ArtSpec {
    UINT id;
    bool png; // PNG resources keep an alpha channel; bitmaps are opaque
    int width;
    int height;
    const char* role;
    int state;
    const char* caption;
    DWORD colour; // accent 0x00BBGGRR, 0 for the skin's default
};

// One image drawn from an SVG: path is a file of skin.qrc (":/r9/svg/...") or, when it starts
// with '<', the SVG document itself (for tables kept outside res/).
struct SvgSpec {
    UINT id;
    bool png;
    int width;
    int height;
    const char* path;
};

struct CursorSpec {
    UINT id;
    int hotX;
    int hotY;
    const char* svgPath; // drawn at 32 x 32; a path or inline SVG text as in SvgSpec
};

struct StringSpec {
    UINT id;
    const char* en;
    const char* zh;
};

// Menus are flat lists: depth 0 items make the bar, deeper items belong to the nearest popup
// above them with a smaller depth.
struct MenuItemSpec {
    UINT menuId;
    int depth;
    UINT command; // 0 for popups and separators
    UINT flags;   // MF_POPUP, MF_SEPARATOR, MF_GRAYED, MF_CHECKED
    const char* en;
    const char* zh;
};

// A control of a dialog layout, in pixels relative to the dialog's client area.
struct DialogItemSpec {
    int id;
    const char* className; // "Button", "Static", "Edit", "ListBox", "UpDown", "Tab", "Progress",
                           // "ListView", or "" for a plain window
    int x;
    int y;
    int width;
    int height;
    DWORD style;
    DWORD exStyle;
    const char* en;
    const char* zh;
};

struct DialogSpec {
    UINT id;
    int width;
    int height;
    DWORD style;
    DWORD exStyle;
    const char* captionEn;
    const char* captionZh;
    const char* fontFace;
    int fontHeight; // pixels, negative = character height
    std::span<const DialogItemSpec> items;
};

const ArtSpec* FindArt(UINT id);
const SvgSpec* FindSvg(UINT id, bool png);
const CursorSpec* FindCursor(UINT id);
const StringSpec* FindString(UINT id);
const DialogSpec* FindDialog(UINT id);
// The items of one menu in table order; empty when the menu does not exist.
std::span<const MenuItemSpec> FindMenu(UINT menuId);

// Makes the files of skin.qrc readable (done by the Find functions that need them).
void EnsureCompiledResources();

// Tests and tools add entries at run time; they take precedence over the built-in tables.
void AddArt(const ArtSpec& spec);
void AddDialog(const DialogSpec& spec);
void AddString(const StringSpec& spec);

// Other folders add whole tables of their own: looked up after the built-in tables, in
// registration order, so a built-in row with the same id wins. The rows must outlive the
// program (static const arrays); registering the same table again is a no-op. Thread-safe.
void RegisterArt(std::span<const ArtSpec> table);
void RegisterSvg(std::span<const SvgSpec> table);
void RegisterCursors(std::span<const CursorSpec> table);
void RegisterStrings(std::span<const StringSpec> table);
void RegisterMenus(std::span<const MenuItemSpec> table);
void RegisterDialogs(std::span<const DialogSpec> table);

// Registers tables from a static object: `static const res::TableRegistrar reg{kMyArt};` in a
// .cpp that is linked anyway (one whose other symbols are used), or call Register* directly.
struct TableRegistrar {
    explicit TableRegistrar(std::span<const ArtSpec> t) { RegisterArt(t); }
    explicit TableRegistrar(std::span<const SvgSpec> t) { RegisterSvg(t); }
    explicit TableRegistrar(std::span<const CursorSpec> t) { RegisterCursors(t); }
    explicit TableRegistrar(std::span<const StringSpec> t) { RegisterStrings(t); }
    explicit TableRegistrar(std::span<const MenuItemSpec> t) { RegisterMenus(t); }
    explicit TableRegistrar(std::span<const DialogSpec> t) { RegisterDialogs(t); }
};

} // namespace res
