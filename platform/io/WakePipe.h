// A wait on one descriptor that another thread can end: the stop of a thread that sleeps in
// poll() (the hot-plug watcher on the udev monitor). Wake() is level-triggered: once called, the
// current wait and every later one end until the pipe is closed.
#pragma once

#include "platform/core/WinTypes.h"

class CWakePipe {
public:
    CWakePipe() = default;
    ~CWakePipe();
    CWakePipe(const CWakePipe&) = delete;
    CWakePipe& operator=(const CWakePipe&) = delete;

    // FALSE when no pipe could be made.
    BOOL Open();
    void Close();
    BOOL IsOpen() const { return m_fds[0] >= 0; }

    // Any thread; nothing when not open.
    void Wake();
    // Waits until fd is readable or hung up (1), timeoutMs passed (0), or Wake() was called, fd
    // failed or the pipe is not open (-1). A wake wins over a ready fd.
    int Wait(int fd, DWORD timeoutMs);

private:
    int m_fds[2] = {-1, -1};
};
