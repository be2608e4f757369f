// The open and save file dialogs in the shape the system calls them (OPENFILENAME), over the
// toolkit's file dialog. Paths are UTF-8 with '/' separators and no drive part. A multiple
// selection with OFN_EXPLORER comes back as "folder\0name\0name\0\0" (one file: its full path).
#pragma once

#include "platform/core/WinTypes.h"

#include <functional>
#include <string>
#include <vector>

constexpr DWORD OFN_READONLY = 0x1;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x2;
constexpr DWORD OFN_HIDEREADONLY = 0x4;
constexpr DWORD OFN_NOCHANGEDIR = 0x8;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x200;
constexpr DWORD OFN_PATHMUSTEXIST = 0x800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x1000;
constexpr DWORD OFN_CREATEPROMPT = 0x2000;
constexpr DWORD OFN_NOREADONLYRETURN = 0x8000;
constexpr DWORD OFN_EXPLORER = 0x80000;
constexpr DWORD OFN_ENABLESIZING = 0x800000;
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;
constexpr int MAX_PATH = 260;

struct OPENFILENAME {
    DWORD lStructSize;
    HWND hwndOwner;
    void* hInstance;
    LPCTSTR lpstrFilter; // "Description\0*.ext;*.ext2\0...\0\0"
    LPTSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex; // 1-based
    LPTSTR lpstrFile;   // in: initial name; out: the choice
    DWORD nMaxFile;
    LPTSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCTSTR lpstrInitialDir;
    LPCTSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCTSTR lpstrDefExt;
    LPARAM lCustData;
    void* lpfnHook;
    LPCTSTR lpTemplateName;
    void* pvReserved;
    DWORD dwReserved;
    DWORD FlagsEx;
};
using LPOPENFILENAME = OPENFILENAME*;
using OPENFILENAMEA = OPENFILENAME;

// TRUE when the user chose; FALSE when cancelled or the buffer is too small (then
// CommDlgExtendedError() is FNERR_BUFFERTOOSMALL); the buffers are untouched on cancel.
BOOL GetOpenFileName(LPOPENFILENAME ofn);
BOOL GetSaveFileName(LPOPENFILENAME ofn);
DWORD CommDlgExtendedError();

// Tests and tools: answers the file dialogs instead of showing them. The hook gets whether it
// is an open dialog and the record, fills the chosen paths and returns FALSE for a cancel.
using FileDialogHook =
    std::function<BOOL(bool open, const OPENFILENAME& ofn, std::vector<std::string>& chosen)>;
void SetFileDialogHook(FileDialogHook hook);

// "Data File (*.jtsh)|*.jtsh||" or the NUL-separated form -> the toolkit's filter list.
std::vector<std::string> FileDialogFilters(LPCTSTR filter, bool nulSeparated);

// The C library's path split on '/' paths: drive is always empty; dir ends in '/'.
void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
