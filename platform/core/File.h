// CFile: a binary file over a POSIX descriptor. Failures never throw: Open returns FALSE with the
// cause, Read returns the bytes it got, Write returns FALSE, Seek returns kSeekFailed; the last
// failure stays readable through LastError().
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// Why a file operation failed (the cause codes of the Windows file exception).
struct CFileException {
    enum Cause {
        none = 0,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };
    int m_cause = none;
    LONG m_lOsError = 0; // errno
    CString m_strFileName;

    static int CauseFromErrno(int err);
};

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010, // sharing flags are accepted and ignored
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,     // create, or truncate an existing file ...
        modeNoTruncate = 0x2000, // ... unless this is given too
        typeText = 0x4000,       // no line-end translation on this system
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };
    static constexpr ULONGLONG kSeekFailed = ~ULONGLONG{0};

    CFile() = default;
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    virtual BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr);
    virtual UINT Read(void* buf, UINT count);
    virtual BOOL Write(const void* buf, UINT count);
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    ULONGLONG SeekToBegin() { return Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual BOOL Flush();
    // Closes the file; FALSE when the system reported a failure while closing.
    virtual BOOL Close();
    // Closes without reporting anything.
    virtual void Abort();

    bool IsOpen() const { return m_fd >= 0; }
    CString GetFilePath() const { return m_path; }
    CString GetFileName() const;
    const CFileException& LastError() const { return m_error; }

protected:
    void SetError(int cause, int osError);

private:
    int m_fd = -1;
    CString m_path;
    CFileException m_error;
};
