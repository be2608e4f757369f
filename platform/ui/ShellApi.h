// Shell calls: opening a document or URL with the desktop's handler, and the folder picker in
// the shape the system calls it (BROWSEINFO with its callback) over the toolkit's dialog.
#pragma once

#include "platform/ui/Handles.h"
#include "platform/ui/IMalloc.h"
#include "platform/ui/IStream.h"
#include "platform/ui/WinUser.h"

#include <functional>
#include <string>

// Success is a value above 32 (as the system's instance handle); failures are small numbers.
constexpr int SE_ERR_FNF = 2;
constexpr int SE_ERR_NOASSOC = 31;
HINSTANCE ShellExecute(HWND owner, LPCTSTR operation, LPCTSTR file, LPCTSTR parameters, LPCTSTR directory,
                       int show);

// Tests: receives what would be opened; its answer is ShellExecute's success.
void SetShellExecuteHook(std::function<bool(const std::string& target)> hook);

// An item list of the folder picker: here simply the chosen path.
struct ITEMIDLIST {
    char path[260];
};
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using PIDLIST_ABSOLUTE = ITEMIDLIST*;

using BFFCALLBACK = int (*)(HWND hwnd, UINT message, LPARAM lParam, LPARAM data);
struct BROWSEINFO {
    HWND hwndOwner;
    LPCITEMIDLIST pidlRoot;
    LPTSTR pszDisplayName; // 260 characters: the chosen folder's name
    LPCTSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;
};
using LPBROWSEINFO = BROWSEINFO*;
using BROWSEINFOA = BROWSEINFO;

constexpr UINT BIF_RETURNONLYFSDIRS = 0x1;
constexpr UINT BIF_NEWDIALOGSTYLE = 0x40;
constexpr UINT BFFM_INITIALIZED = 1;
constexpr UINT BFFM_SELCHANGED = 2;
constexpr UINT BFFM_SETSELECTIONA = WM_USER + 102;
constexpr UINT BFFM_SETSELECTION = BFFM_SETSELECTIONA;

// Runs the picker: the callback gets BFFM_INITIALIZED with a window that takes
// BFFM_SETSELECTIONA (wParam TRUE, lParam the path text) to choose the starting folder.
// Returns a list to free with the shell allocator (or CoTaskMemFree), null when cancelled.
LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFO info);
BOOL SHGetPathFromIDList(LPCITEMIDLIST list, LPTSTR path);
HRESULT SHGetMalloc(LPMALLOC* malloc);
void CoTaskMemFree(void* block);

// Tests: answers the picker with a folder (empty = cancel); it gets the starting folder.
void SetFolderPickerHook(std::function<std::string(const std::string& start)> hook);
