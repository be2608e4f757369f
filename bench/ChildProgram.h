// Starting the built program (or the bare Qt program) as a child process for the whole-program
// benchmarks: offscreen, with settings and runtime folders of the benchmark's own.
#pragma once

#include <chrono>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace benchchild {

// The folder of this benchmark program (build*/bench).
inline std::filesystem::path BenchDir() {
    char self[PATH_MAX] = {};
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return {};
    return std::filesystem::path(std::string(self, static_cast<size_t>(n))).parent_path();
}

inline std::string ProgramPath() {
    return (BenchDir().parent_path() / "r9vq-tn").string();
}

// A home of its own below the temporary folder: config and runtime folders.
inline std::string MakeHome(const std::string& name) {
    const std::string home = (std::filesystem::temp_directory_path() / name).string();
    std::filesystem::create_directories(home + "/config");
    std::filesystem::create_directories(home + "/runtime");
    std::filesystem::permissions(home + "/runtime", std::filesystem::perms::owner_all);
    return home;
}

// Starts program offscreen with env (name, value) added; its standard output goes to *outFd
// (read end) when outFd is given. The child's pid, or -1.
inline pid_t Start(const std::string& program, const std::string& home,
                   const std::vector<std::pair<std::string, std::string>>& env, int* outFd) {
    int out[2] = {-1, -1};
    if (outFd && ::pipe(out) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        if (outFd) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
        }
        // The toolkit's notes about the offscreen platform would fill the benchmark's output.
        if (const int null = ::open("/dev/null", O_WRONLY); null >= 0)
            ::dup2(null, STDERR_FILENO);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (home + "/runtime").c_str(), 1);
        for (const auto& [name, value] : env)
            ::setenv(name.c_str(), value.c_str(), 1);
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    if (outFd) {
        ::close(out[1]);
        *outFd = out[0];
    }
    return pid;
}

// utime + stime of a process, in seconds.
inline double CpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string f;
    long ticks = 0;
    for (int i = 3; i <= 15 && fields >> f; ++i)
        if (i >= 14)
            ticks += std::stol(f);
    return static_cast<double>(ticks) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

inline void Stop(pid_t pid) {
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
}

} // namespace benchchild
