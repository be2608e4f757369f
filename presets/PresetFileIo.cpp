#include "presets/PresetFileIo.h"

#include <cstdio>
#include <random>
#include <string>

BOOL CPresetFileIo::ReadWholeFile(const CString& path, std::vector<BYTE>& bytes, std::size_t limit) {
    bytes.clear();
    std::FILE* f = std::fopen(path.GetString(), "rb");
    if (!f)
        return FALSE;
    BYTE buf[65536];
    bool ok = true;
    for (;;) {
        const std::size_t n = std::fread(buf, 1, sizeof buf, f);
        bytes.insert(bytes.end(), buf, buf + n);
        if (bytes.size() > limit) {
            ok = false;
            break;
        }
        if (n < sizeof buf) {
            ok = std::ferror(f) == 0;
            break;
        }
    }
    std::fclose(f);
    if (!ok)
        bytes.clear();
    return ok ? TRUE : FALSE;
}

BOOL CPresetFileIo::WriteFileAtomic(const CString& path, const std::vector<BYTE>& bytes) {
    if (path.IsEmpty())
        return FALSE;
    std::random_device rd;
    const std::string tmp = std::string(path.GetString()) + ".tmp" + std::to_string(rd() % 1000000u);
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f)
        return FALSE;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (!ok || std::rename(tmp.c_str(), path.GetString()) != 0) {
        std::remove(tmp.c_str());
        return FALSE;
    }
    return TRUE;
}
