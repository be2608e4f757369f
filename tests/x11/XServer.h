// A private X server (Xvfb) for the test process, on a display number the server picks itself, so
// test programs running at once never share one. DISPLAY names it while it runs; it ends with the
// object, or with the process should that die first.
#pragma once

#include <sys/types.h>

namespace r9test {

class XServer {
public:
    // Starts the server and waits until it takes connections.
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool Running() const { return m_pid > 0; }

private:
    void Stop();
    pid_t m_pid = -1;
};

} // namespace r9test
