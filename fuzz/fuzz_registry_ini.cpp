// The settings store's INI reader fed arbitrary files. The input's first line names the key to
// open below HKEY_CURRENT_USER; the rest is the file. Every value the key lists must be found by
// its name, and rewriting the file for one more value must keep every value as it was read.
#include "platform/core/Registry.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Entry {
    std::string name;
    DWORD type;
    std::string data;
    bool operator==(const Entry&) const = default;
};

// Names may hold characters the file escapes ('=', '\\', line ends, a leading '[').
const char kProbeName[] = "[probe=\\\r\n";

std::string StoreFile() {
    static const std::string path = [] {
        const char* shm = "/dev/shm";
        std::string dir = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
        if (FILE* f = std::fopen("/dev/shm/.r9probe", "w")) {
            std::fclose(f);
            std::remove("/dev/shm/.r9probe");
            dir = shm;
        }
        static std::string folder = dir + "/r9-fuzz-reg-XXXXXX";
        if (!mkdtemp(folder.data()))
            std::abort();
        std::atexit([] {
            for (const char* f : {"/registry.ini", "/registry.ini.lock"})
                std::remove((folder + f).c_str());
            std::remove(folder.c_str());
        });
        return folder + "/registry.ini";
    }();
    return path;
}

std::vector<Entry> Enumerate(HKEY key) {
    std::vector<Entry> out;
    for (DWORD i = 0; i < 1024; ++i) {
        char name[512];
        DWORD nameLen = sizeof name;
        DWORD type = 0, size = 0;
        LSTATUS r = RegEnumValue(key, i, name, &nameLen, nullptr, &type, nullptr, &size);
        // A root key holds no values of its own.
        if (r == ERROR_NO_MORE_ITEMS || (r == ERROR_FILE_NOT_FOUND && i == 0))
            break;
        if (r == ERROR_MORE_DATA) { // a name longer than the buffer
            out.push_back({"", ~0u, ""});
            continue;
        }
        if (r != ERROR_SUCCESS)
            std::abort();
        std::string data(size, '\0');
        DWORD got = size;
        if (RegEnumValue(key, i, name, &(nameLen = sizeof name), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &got) != ERROR_SUCCESS ||
            got != size)
            std::abort();
        if (type == REG_SZ && (data.empty() || data.back() != '\0'))
            std::abort();
        out.push_back({std::string(name, nameLen), type, data});
    }
    return out;
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t eol = input.find('\n');
    if (eol == std::string::npos)
        return 0;
    const std::string subKey = input.substr(0, eol);
    const std::string path = StoreFile();
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(input.data() + eol + 1, 1, size - eol - 1, f);
        std::fclose(f);
    }
    r9::reg::SetStorePath(path);

    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return 0;
    const std::vector<Entry> before = Enumerate(key);
    for (const Entry& e : before) {
        if (e.type == ~0u || e.name.find('\0') != std::string::npos)
            continue;
        DWORD type = 0, cb = 0;
        if (RegQueryValueEx(key, e.name.c_str(), nullptr, &type, nullptr, &cb) != ERROR_SUCCESS)
            std::abort();
    }

    const DWORD probe = 0x12345678;
    if (RegSetValueEx(key, kProbeName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&probe), 4) ==
        ERROR_SUCCESS) {
        std::vector<Entry> expected = before;
        bool replaced = false;
        for (Entry& e : expected)
            if (!replaced && e.type != ~0u && SameName(e.name, kProbeName)) {
                e = {e.name, REG_DWORD, std::string(reinterpret_cast<const char*>(&probe), 4)};
                replaced = true;
            }
        if (!replaced)
            expected.push_back(
                {kProbeName, REG_DWORD, std::string(reinterpret_cast<const char*>(&probe), 4)});
        if (Enumerate(key) != expected)
            std::abort();
    }
    RegCloseKey(key);
    return 0;
}
