// Resources, movable memory blocks, the version query, double-byte tests and sounds, in the
// shapes the system code calls. Resource bytes come from the resource registry: type "PNG" gives
// the PNG file of a PNG resource, RT_BITMAP a BMP file of a bitmap resource.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/ui/Handles.h"

using HMODULE = HINSTANCE;
struct HRSRC__;
using HRSRC = HRSRC__*;
struct GlobalBlock;
using HGLOBAL = GlobalBlock*;

// Integer resource ids travel in name pointers below 0x10000.
inline LPCTSTR MAKEINTRESOURCE(UINT id) {
    return reinterpret_cast<LPCTSTR>(static_cast<UINT_PTR>(static_cast<WORD>(id)));
}
inline bool IS_INTRESOURCE(LPCTSTR name) {
    return (reinterpret_cast<UINT_PTR>(name) >> 16) == 0;
}
inline LPCTSTR const RT_BITMAP = MAKEINTRESOURCE(2);

// module null = the program. name: MAKEINTRESOURCE(id) or "#123"; type: "PNG" or RT_BITMAP.
HRSRC FindResource(HMODULE module, LPCTSTR name, LPCTSTR type);
DWORD SizeofResource(HMODULE module, HRSRC resource);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
// The bytes stay valid for the program's lifetime.
LPVOID LockResource(HGLOBAL resource);
BOOL FreeResource(HGLOBAL resource);
HMODULE GetModuleHandle(LPCTSTR name);

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
LPVOID GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
// Returns null on success, the block on failure (as the system does).
HGLOBAL GlobalFree(HGLOBAL block);
size_t GlobalSize(HGLOBAL block);

// Major version in the low byte, minor in the next (a 6.2 system).
DWORD GetVersion();

// Characters arrive whole (Unicode code points): every non-ASCII character counts as the lead of
// a double-byte character of the system's code page.
inline BOOL IsDBCSLeadByte(UINT ch) {
    return ch >= 0x80 ? TRUE : FALSE;
}

// Sounds: there is no sound resource; these play nothing and report failure.
constexpr UINT SND_SYNC = 0x0000;
constexpr UINT SND_ASYNC = 0x0001;
constexpr UINT SND_NODEFAULT = 0x0002;
constexpr UINT SND_MEMORY = 0x0004;
constexpr UINT SND_RESOURCE = 0x00040004;
BOOL sndPlaySound(LPCSTR sound, UINT flags);
BOOL PlaySound(LPCSTR sound, HMODULE module, DWORD flags);
