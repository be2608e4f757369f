#include "platform/io/Poll.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>

namespace {

int ClampMs(long long ms) {
    return static_cast<int>(std::clamp<long long>(ms, 0, INT_MAX));
}

} // namespace

int PollFds(pollfd* fds, nfds_t count, DWORD timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const bool forever = timeoutMs == INFINITE;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    int wait = forever ? -1 : ClampMs(timeoutMs);
    for (;;) {
        const int n = ::poll(fds, count, wait);
        if (n >= 0 || errno != EINTR)
            return n;
        if (!forever)
            wait = ClampMs(std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count());
    }
}

int PollFd(int fd, short events, DWORD timeoutMs) {
    pollfd p{fd, events, 0};
    const int n = PollFds(&p, 1, timeoutMs);
    return n > 0 ? p.revents : n;
}
