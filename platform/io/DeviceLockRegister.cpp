#include "platform/io/DeviceLockRegister.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

bool MakeDirs(const std::string& dir) {
    std::string part;
    for (size_t i = 0; i <= dir.size(); ++i) {
        if (i == dir.size() || (dir[i] == '/' && i > 0)) {
            part = dir.substr(0, i);
            if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
                return false;
        }
    }
    // Only a folder of our own: another user's folder under /tmp could fake or hide the marks.
    struct stat st {};
    return ::lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

} // namespace

CDeviceLockRegister::CDeviceLockRegister(std::string dir)
    : m_dir(dir.empty() ? DefaultDir() : std::move(dir)) {}

CDeviceLockRegister::~CDeviceLockRegister() {
    ForgetAll();
}

std::string CDeviceLockRegister::DefaultDir() {
    const char* rt = std::getenv("XDG_RUNTIME_DIR");
    if (rt && *rt == '/')
        return std::string(rt) + "/r9vq-tn/usb";
    return "/tmp/r9vq-tn-" + std::to_string(::getuid()) + "/usb";
}

std::string CDeviceLockRegister::FileNameOf(const std::string& path) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
                     c == '_' || c == '-';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    if (out.empty() || out == "." || out == "..")
        out = "%" + out; // never a directory entry of its own
    return out + ".lock";
}

std::string CDeviceLockRegister::FileOf(const std::string& path) const {
    return m_dir + "/" + FileNameOf(path);
}

bool CDeviceLockRegister::EnsureDir() const {
    return MakeDirs(m_dir);
}

BOOL CDeviceLockRegister::IsPathFree(const std::string& path) const {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_held.count(path))
        return FALSE;
    if (!EnsureDir())
        return TRUE;
    int fd = ::open(FileOf(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return TRUE; // never marked
    // A shared probe conflicts only with a holder's exclusive lock.
    BOOL free = ::flock(fd, LOCK_SH | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

BOOL CDeviceLockRegister::Remember(const std::string& path) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_held.count(path) || !EnsureDir())
        return TRUE;
    int fd = ::open(FileOf(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return TRUE;
    // Another instance's probe holds a shared lock for an instant; give it a moment.
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_held[path] = fd;
            return TRUE;
        }
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::close(fd);
    return TRUE;
}

BOOL CDeviceLockRegister::Forget(const std::string& path) {
    std::lock_guard<std::mutex> guard(m_lock);
    auto it = m_held.find(path);
    if (it != m_held.end()) {
        ::close(it->second);
        m_held.erase(it);
    }
    return TRUE;
}

void CDeviceLockRegister::ForgetAll() {
    std::lock_guard<std::mutex> guard(m_lock);
    for (auto& [path, fd] : m_held)
        ::close(fd);
    m_held.clear();
}

BOOL CDeviceLockRegister::IsHeldHere(const std::string& path) const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_held.count(path) ? TRUE : FALSE;
}
