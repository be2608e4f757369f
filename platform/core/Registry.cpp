#include "platform/core/Registry.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/RegularFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

struct HKEY__ {
    std::string path;
};

namespace r9::reg {
namespace {

struct Value {
    std::string name;
    DWORD type = REG_SZ;
    std::string data; // REG_SZ without its NUL; raw bytes otherwise
};

// A line of the file the store does not understand, written back where it stood: before the
// value at index `before` of its key.
struct KeptLine {
    size_t before = 0;
    std::string text;
};

struct Key {
    std::string path;
    std::vector<Value> values;
    std::vector<KeptLine> kept;
};

struct Store {
    bool bom = false;                  // the file started with a UTF-8 byte-order mark
    std::vector<std::string> preamble; // lines before the first section
    std::vector<Key> keys;
};

constexpr char kBom[] = "\xEF\xBB\xBF";
// A settings file is a few kilobytes; a larger one is not ours and is not parsed on every call.
constexpr size_t kMaxFileSize = 1u << 20;

std::mutex g_mutex; // guards g_storePath and serialises this process's own file work
std::string g_storePath;

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsBelow(const std::string& path, const std::string& parent) {
    return path.size() > parent.size() && path[parent.size()] == '\\' &&
           SameText(path.substr(0, parent.size()), parent);
}

std::string Escape(const std::string& s, bool name) {
    std::string out;
    if (name && !s.empty() && (s[0] == '[' || s[0] == ';'))
        out += '\\'; // a name must not read as a section or a comment
    for (char c : s) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '=':
            out += name ? "\\e" : "=";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const char c = s[++i];
        out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 'e' ? '=' : c;
    }
    return out;
}

std::string Hex(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::string Unhex(const std::string& s) {
    std::string out;
    for (size_t i = 0; i + 1 < s.size(); i += 2)
        out += static_cast<char>(std::strtoul(s.substr(i, 2).c_str(), nullptr, 16));
    return out;
}

// The name '=' split: the first '=' not escaped (names escape theirs as \e).
Store Parse(const std::string& text) {
    Store store;
    std::istringstream in(text);
    std::string line;
    if (text.rfind(kBom, 0) == 0) {
        store.bom = true;
        in.seekg(3);
    }
    const auto keep = [&store](const std::string& l) {
        if (store.keys.empty())
            store.preamble.push_back(l);
        else
            store.keys.back().kept.push_back({store.keys.back().values.size(), l});
    };
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (line[0] == ';') {
            keep(line);
            continue;
        }
        if (line[0] == '[') {
            const auto end = line.rfind(']');
            if (end == std::string::npos) {
                keep(line);
                continue;
            }
            store.keys.push_back({Unescape(line.substr(1, end - 1)), {}, {}});
            continue;
        }
        const auto eq = line.find('=');
        if (store.keys.empty() || eq == std::string::npos) {
            keep(line);
            continue;
        }
        Value v;
        v.name = Unescape(line.substr(0, eq));
        const std::string rest = line.substr(eq + 1);
        if (rest.rfind("sz:", 0) == 0) {
            v.type = REG_SZ;
            v.data = Unescape(rest.substr(3));
        } else if (rest.rfind("dw:", 0) == 0) {
            v.type = REG_DWORD;
            const DWORD d = static_cast<DWORD>(std::strtoul(rest.c_str() + 3, nullptr, 10));
            v.data.assign(reinterpret_cast<const char*>(&d), 4);
        } else if (rest.rfind("hex(", 0) == 0 && rest.find("):") != std::string::npos) {
            v.type = static_cast<DWORD>(std::strtoul(rest.c_str() + 4, nullptr, 10));
            v.data = Unhex(rest.substr(rest.find("):") + 2));
        } else {
            keep(line);
            continue;
        }
        store.keys.back().values.push_back(std::move(v));
    }
    return store;
}

void RenderValue(std::ostringstream& out, const Value& v) {
    out << Escape(v.name, true) << '=';
    if (v.type == REG_SZ) {
        out << "sz:" << Escape(v.data, false);
    } else if (v.type == REG_DWORD && v.data.size() == 4) {
        DWORD d;
        std::memcpy(&d, v.data.data(), 4);
        out << "dw:" << d;
    } else {
        out << "hex(" << v.type << "):" << Hex(v.data);
    }
    out << '\n';
}

std::string Render(const Store& store) {
    std::ostringstream out;
    if (store.bom)
        out << kBom;
    for (const auto& line : store.preamble)
        out << line << '\n';
    if (!store.preamble.empty())
        out << '\n';
    for (const auto& k : store.keys) {
        out << '[' << Escape(k.path, false) << "]\n";
        size_t kept = 0;
        for (size_t i = 0; i <= k.values.size(); ++i) {
            for (; kept < k.kept.size() && k.kept[kept].before <= i; ++kept)
                out << k.kept[kept].text << '\n';
            if (i < k.values.size())
                RenderValue(out, k.values[i]);
        }
        out << '\n';
    }
    return out.str();
}

std::string PathLocked() {
    return g_storePath.empty() ? DefaultStorePath() : g_storePath;
}

bool MakeDirs(const std::string& file) {
    const auto slash = file.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return true;
    const std::string dir = file.substr(0, slash);
    struct stat st {};
    if (stat(dir.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    if (!MakeDirs(dir))
        return false;
    return mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

// Holds the process mutex and the file lock of the store for one read or read-modify-write. A
// store file that exists but cannot be read whole (no read permission, not a regular file, too
// large) reads as holding no value, and nothing is written over it.
class Session {
public:
    explicit Session(bool write) : m_lock(g_mutex), m_path(PathLocked()) {
        if (write)
            MakeDirs(m_path);
        m_fd = ::open((m_path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd >= 0)
            while (flock(m_fd, write ? LOCK_EX : LOCK_SH) != 0 && errno == EINTR) {
            }
        std::string text;
        int error = 0;
        if (CRegularFile::Read(m_path, text, kMaxFileSize, &error))
            store = Parse(text);
        else if (error != ENOENT)
            m_unreadable = error == EACCES || error == EPERM ? ERROR_ACCESS_DENIED : ERROR_CANTWRITE;
    }
    ~Session() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // ERROR_SUCCESS when the store was read (or does not exist yet): the error a write gets otherwise.
    LSTATUS Readable() const { return m_unreadable; }

    LSTATUS Save() {
        if (m_unreadable != ERROR_SUCCESS)
            return m_unreadable;
        const std::string text = Render(store);
        if (text.size() > kMaxFileSize)
            return ERROR_CANTWRITE; // it would not be read back
        int error = 0;
        if (CAtomicFile::WriteWhole(m_path, text, &error))
            return ERROR_SUCCESS;
        return error == EACCES || error == EPERM ? ERROR_ACCESS_DENIED : ERROR_CANTWRITE;
    }

    Key* Find(const std::string& path) {
        for (auto& k : store.keys)
            if (SameText(k.path, path))
                return &k;
        return nullptr;
    }

    Store store;

private:
    std::lock_guard<std::mutex> m_lock;
    std::string m_path;
    int m_fd = -1;
    LSTATUS m_unreadable = ERROR_SUCCESS;
};

const char* RootName(HKEY h) {
    if (h == HKEY_CURRENT_USER)
        return "HKEY_CURRENT_USER";
    if (h == HKEY_LOCAL_MACHINE)
        return "HKEY_LOCAL_MACHINE";
    if (h == HKEY_CLASSES_ROOT)
        return "HKEY_CLASSES_ROOT";
    return nullptr;
}

bool BasePath(HKEY h, std::string& out) {
    if (!h)
        return false;
    if (const char* root = RootName(h)) {
        out = root;
        return true;
    }
    out = h->path;
    return true;
}

// Joins a sub-key onto a base, dropping empty parts ("a\\\\b\\" is "a\\b").
std::string Join(const std::string& base, LPCTSTR sub) {
    std::string out = base;
    std::string part;
    for (const char* p = sub ? sub : "";; ++p) {
        if (*p == '\\' || *p == '\0') {
            if (!part.empty())
                out += '\\' + part;
            part.clear();
            if (*p == '\0')
                break;
        } else {
            part += *p;
        }
    }
    return out;
}

bool IsRoot(const std::string& path) {
    return path.find('\\') == std::string::npos;
}

Value* FindValue(Key& k, LPCTSTR name) {
    const std::string n = name ? name : "";
    for (auto& v : k.values)
        if (SameText(v.name, n))
            return &v;
    return nullptr;
}

LSTATUS CopyOut(const Value& v, DWORD* type, LPBYTE data, DWORD* cbData) {
    const DWORD need = static_cast<DWORD>(v.data.size() + (v.type == REG_SZ ? 1 : 0));
    if (type)
        *type = v.type;
    if (!cbData)
        return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    if (!data) {
        *cbData = need;
        return ERROR_SUCCESS;
    }
    if (*cbData < need) {
        *cbData = need;
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, v.data.data(), v.data.size());
    if (v.type == REG_SZ)
        data[v.data.size()] = 0;
    *cbData = need;
    return ERROR_SUCCESS;
}

} // namespace

std::string DefaultStorePath() {
    if (const char* f = std::getenv("R9_REGISTRY_FILE"); f && *f)
        return f;
    std::string base;
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
        base = x;
    else if (const char* h = std::getenv("HOME"); h && *h)
        base = std::string(h) + "/.config";
    else
        base = "/tmp";
    return base + "/r9vq-tn/registry.ini";
}

void SetStorePath(const std::string& path) {
    std::lock_guard lk(g_mutex);
    g_storePath = path;
}

std::string StorePath() {
    std::lock_guard lk(g_mutex);
    return PathLocked();
}

} // namespace r9::reg

using namespace r9::reg;

LSTATUS RegOpenKeyEx(HKEY hKey, LPCTSTR lpSubKey, DWORD, REGSAM, PHKEY phkResult) {
    std::string base;
    if (!phkResult || !BasePath(hKey, base))
        return ERROR_INVALID_HANDLE;
    const std::string path = Join(base, lpSubKey);
    if (!IsRoot(path)) {
        Session s(false);
        if (!s.Find(path))
            return ERROR_FILE_NOT_FOUND;
    }
    *phkResult = new HKEY__{path};
    return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyEx(HKEY hKey, LPCTSTR lpSubKey, DWORD, LPTSTR, DWORD, REGSAM, void*, PHKEY phkResult,
                       DWORD* lpdwDisposition) {
    std::string base;
    if (!phkResult || !BasePath(hKey, base))
        return ERROR_INVALID_HANDLE;
    const std::string path = Join(base, lpSubKey);
    DWORD disposition = REG_OPENED_EXISTING_KEY;
    if (!IsRoot(path)) {
        Session s(true);
        if (s.Readable() != ERROR_SUCCESS)
            return s.Readable();
        if (!s.Find(path)) {
            s.store.keys.push_back({path, {}, {}});
            if (const LSTATUS saved = s.Save(); saved != ERROR_SUCCESS)
                return saved;
            disposition = REG_CREATED_NEW_KEY;
        }
    }
    if (lpdwDisposition)
        *lpdwDisposition = disposition;
    *phkResult = new HKEY__{path};
    return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY hKey) {
    if (!hKey)
        return ERROR_INVALID_HANDLE;
    if (!RootName(hKey))
        delete hKey;
    return ERROR_SUCCESS;
}

LSTATUS RegSetValueEx(HKEY hKey, LPCTSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
    std::string path;
    if (!BasePath(hKey, path) || IsRoot(path))
        return ERROR_INVALID_HANDLE;
    if (!lpData && cbData)
        return ERROR_INVALID_PARAMETER;
    std::string data(reinterpret_cast<const char*>(lpData), lpData ? cbData : 0);
    if (dwType == REG_SZ)
        data = data.substr(0, data.find('\0'));
    else if (dwType == REG_DWORD && data.size() != 4)
        return ERROR_INVALID_PARAMETER;
    Session s(true);
    if (s.Readable() != ERROR_SUCCESS)
        return s.Readable();
    Key* k = s.Find(path);
    if (!k)
        return ERROR_FILE_NOT_FOUND; // the key was deleted meanwhile
    if (Value* v = FindValue(*k, lpValueName)) {
        v->type = dwType;
        v->data = std::move(data);
    } else {
        k->values.push_back({lpValueName ? lpValueName : "", dwType, std::move(data)});
    }
    return s.Save();
}

LSTATUS RegQueryValueEx(HKEY hKey, LPCTSTR lpValueName, DWORD*, DWORD* lpType, LPBYTE lpData,
                        DWORD* lpcbData) {
    std::string path;
    if (!BasePath(hKey, path))
        return ERROR_INVALID_HANDLE;
    Session s(false);
    Key* k = s.Find(path);
    Value* v = k ? FindValue(*k, lpValueName) : nullptr;
    if (!v)
        return ERROR_FILE_NOT_FOUND;
    return CopyOut(*v, lpType, lpData, lpcbData);
}

LSTATUS RegDeleteValue(HKEY hKey, LPCTSTR lpValueName) {
    std::string path;
    if (!BasePath(hKey, path))
        return ERROR_INVALID_HANDLE;
    Session s(true);
    if (s.Readable() != ERROR_SUCCESS)
        return s.Readable();
    Key* k = s.Find(path);
    Value* v = k ? FindValue(*k, lpValueName) : nullptr;
    if (!v)
        return ERROR_FILE_NOT_FOUND;
    const size_t index = static_cast<size_t>(v - k->values.data());
    k->values.erase(k->values.begin() + static_cast<std::ptrdiff_t>(index));
    for (auto& line : k->kept)
        if (line.before > index)
            --line.before;
    return s.Save();
}

LSTATUS RegDeleteKey(HKEY hKey, LPCTSTR lpSubKey) {
    std::string base;
    if (!BasePath(hKey, base))
        return ERROR_INVALID_HANDLE;
    const std::string path = Join(base, lpSubKey);
    if (IsRoot(path))
        return ERROR_ACCESS_DENIED;
    Session s(true);
    if (s.Readable() != ERROR_SUCCESS)
        return s.Readable();
    const auto before = s.store.keys.size();
    std::erase_if(s.store.keys,
                  [&](const Key& k) { return SameText(k.path, path) || IsBelow(k.path, path); });
    if (s.store.keys.size() == before)
        return ERROR_FILE_NOT_FOUND;
    return s.Save();
}

LSTATUS RegEnumValue(HKEY hKey, DWORD dwIndex, LPTSTR lpValueName, DWORD* lpcchValueName, DWORD*,
                     DWORD* lpType, LPBYTE lpData, DWORD* lpcbData) {
    std::string path;
    if (!BasePath(hKey, path))
        return ERROR_INVALID_HANDLE;
    if (!lpValueName || !lpcchValueName)
        return ERROR_INVALID_PARAMETER;
    Session s(false);
    Key* k = s.Find(path);
    if (!k)
        return ERROR_FILE_NOT_FOUND;
    if (dwIndex >= k->values.size())
        return ERROR_NO_MORE_ITEMS;
    const Value& v = k->values[dwIndex];
    if (*lpcchValueName < v.name.size() + 1)
        return ERROR_MORE_DATA;
    std::memcpy(lpValueName, v.name.c_str(), v.name.size() + 1);
    *lpcchValueName = static_cast<DWORD>(v.name.size());
    return CopyOut(v, lpType, lpData, lpcbData);
}
