#include "presets/PresetFileIo.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/RegularFile.h"

#include <string>
#include <string_view>

BOOL CPresetFileIo::ReadWholeFile(const CString& path, std::vector<BYTE>& bytes, std::size_t limit) {
    bytes.clear();
    std::string text;
    if (!CRegularFile::Read(path.GetString(), text, limit))
        return FALSE;
    bytes.assign(text.begin(), text.end());
    return TRUE;
}

BOOL CPresetFileIo::WriteFileAtomic(const CString& path, const std::vector<BYTE>& bytes) {
    if (path.IsEmpty())
        return FALSE;
    const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return CAtomicFile::WriteWhole(path.GetString(), view) ? TRUE : FALSE;
}

CString CPresetFileIo::Extension(const CString& path) {
    const std::string p = path.GetString();
    const std::size_t slash = p.rfind('/');
    const std::size_t dot = p.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return CString();
    return CString(p.substr(dot + 1));
}

CString CPresetFileIo::Folder(const CString& path) {
    const std::string p = path.GetString();
    const std::size_t slash = p.rfind('/');
    return slash == std::string::npos ? CString() : CString(p.substr(0, slash));
}

CString CPresetFileIo::WithExtension(const CString& path, const char* ext) {
    if (Extension(path) == CString(ext))
        return path;
    CString out = path;
    out += ".";
    out += ext;
    return out;
}
