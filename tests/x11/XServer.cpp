#include "XServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace r9test {

namespace {

constexpr int kReadyFd = 3; // where the server writes its display number once it takes connections
constexpr int kStartGuardMs = 30000;

} // namespace

XServer::XServer() {
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0)
        return;
    const int quiet = open("/dev/null", O_RDWR | O_CLOEXEC);
    const pid_t parent = getpid();
    const std::string fd = std::to_string(kReadyFd);
    const char* argv[] = {"Xvfb",    "-displayfd", fd.c_str(),     "-nolisten", "tcp",
                          "-screen", "0",          "1280x1024x24", nullptr};
    const pid_t pid = fork();
    if (pid == 0) {
        // The server goes with this process, whichever way it ends.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(1);
        dup2(ready[1], kReadyFd);
        if (quiet >= 0) {
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
        }
        execvp(argv[0], const_cast<char* const*>(argv));
        _exit(127);
    }
    close(ready[1]);
    if (quiet >= 0)
        close(quiet);
    if (pid < 0) {
        close(ready[0]);
        return;
    }
    m_pid = pid;
    std::string display;
    for (;;) {
        pollfd p{ready[0], POLLIN, 0};
        char c = 0;
        if (poll(&p, 1, kStartGuardMs) != 1 || read(ready[0], &c, 1) != 1 || c == '\n')
            break;
        display += c;
    }
    close(ready[0]);
    if (display.empty()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        Stop();
        return;
    }
    setenv("DISPLAY", (":" + display).c_str(), 1);
}

XServer::~XServer() {
    Stop();
}

void XServer::Stop() {
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    int status = 0;
    while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
}

} // namespace r9test
