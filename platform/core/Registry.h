// The registry of the current user, kept in an INI file under the user's configuration folder.
// Every call reads the file and every change rewrites it (temporary file and rename) under an
// advisory lock, so two running instances never lose each other's values and a crash mid-write
// never leaves a half file (CAtomicFile). A store file that cannot be read whole (no permission,
// not a regular file, over 1 MB) reads as empty and refuses every change, so it is never replaced
// by a file of one value. Lines the store does not understand are written back as they were.
// Key paths and value names compare case-insensitively, as on Windows.
#pragma once

#include "platform/core/WinTypes.h"

#include <string>

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;
using LSTATUS = LONG;

inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(static_cast<UINT_PTR>(0x80000000u));
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<UINT_PTR>(0x80000001u));
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<UINT_PTR>(0x80000002u));

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_NO_MORE_ITEMS = 259;
constexpr LONG ERROR_CANTWRITE = 1013;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Opens an existing key; ERROR_FILE_NOT_FOUND when it does not exist.
LSTATUS RegOpenKeyEx(HKEY hKey, LPCTSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
LSTATUS RegCreateKeyEx(HKEY hKey, LPCTSTR lpSubKey, DWORD Reserved, LPTSTR lpClass, DWORD dwOptions,
                       REGSAM samDesired, void* lpSecurityAttributes, PHKEY phkResult,
                       DWORD* lpdwDisposition);
LSTATUS RegCloseKey(HKEY hKey);
// REG_SZ data is stored up to its first NUL; REG_DWORD needs 4 bytes.
LSTATUS RegSetValueEx(HKEY hKey, LPCTSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                      DWORD cbData);
// lpData may be null to ask the size; a buffer too small gives ERROR_MORE_DATA and the size needed.
// REG_SZ comes back with its terminating NUL counted.
LSTATUS RegQueryValueEx(HKEY hKey, LPCTSTR lpValueName, DWORD* lpReserved, DWORD* lpType, LPBYTE lpData,
                        DWORD* lpcbData);
LSTATUS RegDeleteValue(HKEY hKey, LPCTSTR lpValueName);
// Deletes the sub-key with its values and every key below it.
LSTATUS RegDeleteKey(HKEY hKey, LPCTSTR lpSubKey);
// Values in the order they were first written. lpcchValueName: in characters, NUL excluded on return.
LSTATUS RegEnumValue(HKEY hKey, DWORD dwIndex, LPTSTR lpValueName, DWORD* lpcchValueName, DWORD* lpReserved,
                     DWORD* lpType, LPBYTE lpData, DWORD* lpcbData);

namespace r9::reg {
// $XDG_CONFIG_HOME/r9vq-tn/registry.ini (or ~/.config/...), unless R9_REGISTRY_FILE names a file.
std::string DefaultStorePath();
// Points the registry at another file (tests); empty restores the default.
void SetStorePath(const std::string& path);
std::string StorePath();
} // namespace r9::reg
