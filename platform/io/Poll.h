// The one poll() of platform/io. A signal never ends a wait early: the wait resumes with the time
// that is left, so it never runs longer than asked either. INFINITE waits without a limit.
#pragma once

#include "platform/core/Wait.h" // INFINITE
#include "platform/core/WinTypes.h"

#include <poll.h>

// > 0: the number of descriptors with events; 0: time-out; -1: failure with errno (never EINTR).
int PollFds(pollfd* fds, nfds_t count, DWORD timeoutMs);
// One descriptor: its revents (> 0), 0 on time-out, -1 on failure.
int PollFd(int fd, short events, DWORD timeoutMs);
