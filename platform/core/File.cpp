#include "platform/core/File.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int CFileException::CauseFromErrno(int err) {
    switch (err) {
    case 0:
        return none;
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case ESPIPE:
    case EINVAL:
        return badSeek;
    case EIO:
        return hardIO;
    case ETXTBSY:
    case EBUSY:
        return sharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return diskFull;
    default:
        return genericException;
    }
}

CFile::~CFile() {
    Abort();
}

void CFile::SetError(int cause, int osError) {
    m_error.m_cause = cause;
    m_error.m_lOsError = osError;
    m_error.m_strFileName = m_path;
}

BOOL CFile::Open(LPCTSTR fileName, UINT openFlags, CFileException* error) {
    Abort();
    m_path = fileName ? fileName : "";
    int flags = O_CLOEXEC;
    const UINT access = openFlags & 0x3;
    flags |= access == modeWrite ? O_WRONLY : access == modeReadWrite ? O_RDWR : O_RDONLY;
    if (openFlags & modeCreate) {
        flags |= O_CREAT;
        if (!(openFlags & modeNoTruncate) && access != modeRead)
            flags |= O_TRUNC;
    }
    int fd = -1;
    if (!m_path.IsEmpty()) {
        do
            fd = ::open(m_path.GetString(), flags, 0666);
        while (fd < 0 && errno == EINTR);
    } else {
        errno = ENOENT;
    }
    if (fd < 0) {
        int err = errno;
        SetError(CFileException::CauseFromErrno(err), err);
        if (error)
            *error = m_error;
        return FALSE;
    }
    // A directory opens read-only on this system but is no file.
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        SetError(CFileException::accessDenied, EISDIR);
        if (error)
            *error = m_error;
        return FALSE;
    }
    m_fd = fd;
    SetError(CFileException::none, 0);
    if (error)
        *error = m_error;
    return TRUE;
}

UINT CFile::Read(void* buf, UINT count) {
    if (m_fd < 0) {
        SetError(CFileException::invalidFile, EBADF);
        return 0;
    }
    auto* p = static_cast<char*>(buf);
    UINT got = 0;
    while (got < count) {
        ssize_t n = ::read(m_fd, p + got, count - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            SetError(CFileException::CauseFromErrno(errno), errno);
            break;
        }
        if (n == 0)
            break;
        got += static_cast<UINT>(n);
    }
    return got;
}

BOOL CFile::Write(const void* buf, UINT count) {
    if (m_fd < 0) {
        SetError(CFileException::invalidFile, EBADF);
        return FALSE;
    }
    const auto* p = static_cast<const char*>(buf);
    UINT done = 0;
    while (done < count) {
        ssize_t n = ::write(m_fd, p + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            int err = n < 0 ? errno : ENOSPC;
            SetError(CFileException::CauseFromErrno(err), err);
            return FALSE;
        }
        done += static_cast<UINT>(n);
    }
    return TRUE;
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
    if (m_fd < 0) {
        SetError(CFileException::invalidFile, EBADF);
        return kSeekFailed;
    }
    int whence = from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET;
    off_t pos = ::lseek(m_fd, static_cast<off_t>(offset), whence);
    if (pos < 0) {
        SetError(CFileException::badSeek, errno);
        return kSeekFailed;
    }
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetPosition() const {
    if (m_fd < 0)
        return 0;
    off_t pos = ::lseek(m_fd, 0, SEEK_CUR);
    return pos < 0 ? 0 : static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetLength() const {
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0)
        return 0;
    return static_cast<ULONGLONG>(st.st_size);
}

BOOL CFile::Flush() {
    // Writes go straight to the system; nothing is buffered here.
    return m_fd >= 0;
}

BOOL CFile::Close() {
    if (m_fd < 0)
        return TRUE;
    int rc = ::close(m_fd);
    m_fd = -1;
    if (rc != 0 && errno != EINTR) {
        SetError(CFileException::CauseFromErrno(errno), errno);
        return FALSE;
    }
    return TRUE;
}

void CFile::Abort() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

CString CFile::GetFileName() const {
    int slash = m_path.ReverseFind('/');
    return slash < 0 ? m_path : m_path.Mid(slash + 1);
}
