#include "platform/core/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::mutex g_hookMutex;
CAtomicFile::FaultHook g_hook;

int Injected(CAtomicFile::Step step) {
    std::lock_guard lk(g_hookMutex);
    return g_hook ? g_hook(step) : 0;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file the path names once every symbolic link on its last part is followed (it may not
// exist yet); empty with errno set on a loop or an unreadable link.
std::string FollowLinks(const std::string& path) {
    std::string p = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return p;
        std::string link(4096, '\0');
        const ssize_t n = ::readlink(p.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<size_t>(n) >= link.size())
            return errno = n < 0 ? errno : ENAMETOOLONG, std::string();
        link.resize(static_cast<size_t>(n));
        p = link[0] == '/' ? link : FolderOf(p) + "/" + link;
    }
    errno = ELOOP;
    return std::string();
}

// The process's umask, read without changing it (umask() would race with other threads).
unsigned CurrentUmask() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<unsigned>(std::strtoul(line.c_str() + 6, nullptr, 8)) & 0777;
    return 022;
}

// Temporaries are ".r9-<hash of the target's name>-<6 random>.tmp": short enough beside any name,
// and recognisable as a given target's.
std::string TempPrefix(const std::string& base) {
    std::uint32_t h = 2166136261u;
    for (unsigned char c : base)
        h = (h ^ c) * 16777619u;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08x", h);
    return ".r9-" + std::string(buf) + "-";
}

constexpr std::size_t kRandomLength = 6;
constexpr const char* kTempEnd = ".tmp";

std::string RandomPart() {
    static std::mutex m;
    static std::mt19937_64 rng{std::random_device{}() ^ (static_cast<std::uint64_t>(::getpid()) << 32) ^
                               static_cast<std::uint64_t>(std::time(nullptr))};
    static const char digits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::lock_guard lk(m);
    std::string out;
    for (std::size_t i = 0; i < kRandomLength; ++i)
        out += digits[rng() % (sizeof digits - 1)];
    return out;
}

bool AllDigits(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

// "<name>.tmpNNNNNN" and "<name>.tmp.<pid>", the temporaries of earlier versions.
bool IsOldTemp(const std::string& name, const std::string& base) {
    if (name.size() <= base.size() + 4 || name.compare(0, base.size() + 4, base + ".tmp") != 0)
        return false;
    const std::string rest = name.substr(base.size() + 4);
    return (rest.size() <= 6 && AllDigits(rest)) || (rest[0] == '.' && AllDigits(rest.substr(1)));
}

// A writer holds its temporary's lock until the rename, so a temporary nobody locks is left over
// from a save that was killed.
void RemoveIfUnlocked(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        ::unlink(path.c_str());
    ::close(fd);
}

// Earlier versions took no lock: their temporaries count as left over once nothing wrote them
// for ten minutes.
void RemoveIfOld(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_mtime + 600 < std::time(nullptr))
        ::unlink(path.c_str());
}

void RemoveStale(const std::string& folder, const std::string& base, const std::string& givenBase) {
    const std::string prefix = TempPrefix(base);
    const std::size_t ours = prefix.size() + kRandomLength + std::char_traits<char>::length(kTempEnd);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() == ours && name.rfind(prefix, 0) == 0 && name.ends_with(kTempEnd))
            RemoveIfUnlocked(folder + "/" + name);
        else if (IsOldTemp(name, base) || IsOldTemp(name, givenBase))
            RemoveIfOld(folder + "/" + name);
    }
}

} // namespace

void CAtomicFile::SetFaultHook(FaultHook hook) {
    std::lock_guard lk(g_hookMutex);
    g_hook = std::move(hook);
}

CAtomicFile::CAtomicFile(std::string path) : m_path(std::move(path)) {}

CAtomicFile::~CAtomicFile() {
    Abort();
}

bool CAtomicFile::Fail(int error) {
    if (m_error == 0)
        m_error = error ? error : EIO;
    return false;
}

bool CAtomicFile::Open() {
    if (m_path.empty())
        return Fail(ENOENT);
    if (m_path.back() == '/')
        return Fail(EISDIR);
    m_target = FollowLinks(m_path);
    if (m_target.empty())
        return Fail(errno);
    struct stat st {};
    if (::stat(m_target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return Fail(EISDIR);
        if (!S_ISREG(st.st_mode))
            return Fail(EINVAL); // a FIFO or a device is never replaced by a file
        m_mode = st.st_mode & 07777;
    } else if (errno == ENOENT) {
        m_mode = 0666 & ~CurrentUmask();
    } else {
        return Fail(errno);
    }
    const std::string folder = FolderOf(m_target);
    const std::string base = BaseOf(m_target);
    RemoveStale(folder, base, BaseOf(m_path));
    if (FolderOf(m_path) != folder) // earlier versions wrote beside the link
        RemoveStale(FolderOf(m_path), BaseOf(m_path), BaseOf(m_path));
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (const int e = Injected(Step::Create))
            return Fail(e);
        const std::string temp = folder + "/" + TempPrefix(base) + RandomPart() + kTempEnd;
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return Fail(errno);
        }
        while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        // Another save may have taken it for left over before the lock was held.
        struct stat own {};
        if (::fstat(fd, &own) != 0 || own.st_nlink == 0) {
            ::close(fd);
            continue;
        }
        m_fd = fd;
        m_temp = temp;
        return true;
    }
    return Fail(EEXIST);
}

bool CAtomicFile::Write(const void* data, std::size_t size) {
    if (m_fd < 0 || m_error)
        return Fail(EBADF);
    if (const int e = Injected(Step::Write))
        return Fail(e);
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(m_fd, p, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Fail(errno);
        }
        if (n == 0)
            return Fail(ENOSPC);
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool CAtomicFile::Commit() {
    if (m_fd < 0 || m_error) {
        Abort();
        return Fail(EBADF);
    }
    int e = Injected(Step::SyncFile);
    if (e == 0 && ::fchmod(m_fd, static_cast<mode_t>(m_mode)) != 0)
        e = errno;
    if (e == 0 && ::fsync(m_fd) != 0)
        e = errno;
    if (e == 0)
        e = Injected(Step::Rename);
    // Renamed while still locked, so no other save takes the temporary for left over.
    if (e == 0 && std::rename(m_temp.c_str(), m_target.c_str()) != 0)
        e = errno;
    if (e) {
        Abort();
        return Fail(e);
    }
    m_temp.clear();
    e = ::close(m_fd) == 0 ? 0 : errno;
    m_fd = -1;
    // The rename itself reaches the disk only with its folder.
    if (e == 0)
        e = Injected(Step::SyncFolder);
    if (e == 0) {
        const int dir = ::open(FolderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir < 0 || (::fsync(dir) != 0 && errno != EINVAL))
            e = errno;
        if (dir >= 0)
            ::close(dir);
    }
    return e == 0 || Fail(e);
}

void CAtomicFile::Abort() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
    m_temp.clear();
}

bool CAtomicFile::WriteWhole(const std::string& path, std::string_view bytes, int* error) {
    CAtomicFile file(path);
    const bool ok = file.Open() && file.Write(bytes) && file.Commit();
    if (error)
        *error = ok ? 0 : file.Error();
    return ok;
}
