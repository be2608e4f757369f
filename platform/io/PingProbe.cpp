#include "platform/io/PingProbe.h"

#include "platform/io/Poll.h"
#include "platform/io/Winsock.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::mutex g_probeLock;
PingProbeFn g_probe;

} // namespace

BOOL PingHost(const char* ip, std::string* output) {
    PingProbeFn probe;
    {
        std::lock_guard<std::mutex> guard(g_probeLock);
        probe = g_probe;
    }
    return probe ? probe(ip, output) : SystemPing(ip, output);
}

void SetPingProbe(PingProbeFn probe) {
    std::lock_guard<std::mutex> guard(g_probeLock);
    g_probe = std::move(probe);
}

BOOL PingOutputHasTtl(const std::string& text) {
    return text.find("TTL=") != std::string::npos || text.find("ttl=") != std::string::npos;
}

BOOL SystemPing(const char* ip, std::string* output) {
    if (output)
        output->clear();
    if (!ws::IsIPv4Address(ip))
        return FALSE; // also keeps anything that looks like an option off the command line
    std::string out;
    int status = RunChildWithDeadline({"ping", "-c", "1", "-W", "3", ip}, 3000, &out);
    if (output)
        *output = out;
    return status >= 0 && PingOutputHasTtl(out) ? TRUE : FALSE;
}

int RunChildWithDeadline(const std::vector<std::string>& argv, DWORD timeoutMs, std::string* output,
                         size_t maxOutput) {
    if (output)
        output->clear();
    if (argv.empty())
        return -1;
    int pipefd[2];
    if (::pipe2(pipefd, O_CLOEXEC) != 0)
        return -1;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipefd[1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipefd[1], 2);

    // The child's own signal state: default handlers, nothing blocked.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    pid_t pid = -1;
    int rc = ::posix_spawnp(&pid, args[0], &actions, &attr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    ::close(pipefd[1]);
    if (rc != 0) {
        ::close(pipefd[0]);
        return -1;
    }

    // Read while the child runs, so a chatty child never blocks on a full pipe.
    std::string out;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    bool timedOut = false;
    bool eof = false;
    while (!eof) {
        auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
                .count();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        if (PollFd(pipefd[0], POLLIN, static_cast<DWORD>(left)) <= 0)
            continue; // the deadline check ends the loop
        char buf[512];
        ssize_t got = ::read(pipefd[0], buf, sizeof buf);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            eof = true;
            break;
        }
        size_t room = out.size() < maxOutput ? maxOutput - out.size() : 0;
        out.append(buf, static_cast<size_t>(got) < room ? static_cast<size_t>(got) : room);
    }
    ::close(pipefd[0]);

    int status = 0;
    if (timedOut) {
        ::kill(pid, SIGKILL);
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        if (output)
            *output = out;
        return -1;
    }
    // Output closed: the child is ending; wait for it within what is left of the deadline.
    for (;;) {
        pid_t w = ::waitpid(pid, &status, WNOHANG);
        if (w == pid)
            break;
        if (w < 0 && errno != EINTR)
            break;
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            if (output)
                *output = out;
            return -1;
        }
        ::usleep(2000);
    }
    if (output)
        *output = out;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
