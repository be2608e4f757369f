#include "platform/core/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Refuse(std::string& bytes, int* error, int why) {
    bytes.clear();
    if (error)
        *error = why;
    return false;
}

} // namespace

bool CRegularFile::Read(const std::string& path, std::string& bytes, std::size_t limit, int* error) {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Refuse(bytes, error, errno);
    struct stat st {};
    int why = 0;
    if (::fstat(fd, &st) != 0)
        why = errno;
    else if (S_ISDIR(st.st_mode))
        why = EISDIR;
    else if (!S_ISREG(st.st_mode))
        why = EINVAL;
    else if (static_cast<unsigned long long>(st.st_size) > limit)
        why = EFBIG;
    if (why == 0) {
        bytes.resize(static_cast<std::size_t>(st.st_size));
        std::size_t got = 0;
        // The file may grow or shrink while it is read: read to its end, never past the limit.
        for (;;) {
            if (got == bytes.size()) {
                if (got > limit) {
                    why = EFBIG;
                    break;
                }
                bytes.resize(got + 65536);
            }
            const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                why = errno;
                break;
            }
            if (n == 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);
        if (why == 0 && got > limit)
            why = EFBIG;
    }
    ::close(fd);
    if (why)
        return Refuse(bytes, error, why);
    if (error)
        *error = 0;
    return true;
}
