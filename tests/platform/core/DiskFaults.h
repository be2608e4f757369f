// Disk faults for the file writer tests: a full disk (a small tmpfs mounted in a child process
// where the system lets the test mount one, and a write failure injected through CAtomicFile
// everywhere), and the folder listing that shows a temporary left behind.
#pragma once

#include "platform/core/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace disktest {

// Every name in the folder, sorted.
inline std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> out;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        out.push_back(it->path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

// While it lives, every write of a file's bytes and every sync of a written file fail with ENOSPC.
class InjectedFullDisk {
public:
    InjectedFullDisk() {
        CAtomicFile::SetFaultHook([](CAtomicFile::Step step) {
            return step == CAtomicFile::Step::Write || step == CAtomicFile::Step::SyncFile ? ENOSPC : 0;
        });
    }
    ~InjectedFullDisk() { CAtomicFile::SetFaultHook(nullptr); }
    InjectedFullDisk(const InjectedFullDisk&) = delete;
    InjectedFullDisk& operator=(const InjectedFullDisk&) = delete;
};

// Runs body in a child process that mounted a tmpfs of kib KiB on folder (private to the child).
// 1 when body returned true, 0 when it returned false, -1 when no tmpfs could be mounted.
inline int OnSmallTmpfs(const std::string& folder, int kib, const std::function<bool()>& body) {
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            ::_exit(77);
        const std::string size = "size=" + std::to_string(kib) + "k,mode=0755";
        if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, size.c_str()) != 0)
            ::_exit(77);
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status))
        return 0;
    return WEXITSTATUS(status) == 77 ? -1 : WEXITSTATUS(status) == 0 ? 1 : 0;
}

// Fills the file system of folder until a write fails.
inline void FillUp(const std::string& folder) {
    const std::string filler = folder + "/filler";
    FILE* f = std::fopen(filler.c_str(), "wb");
    if (!f)
        return;
    std::setvbuf(f, nullptr, _IONBF, 0);
    const std::string block(4096, 'f');
    while (std::fwrite(block.data(), 1, block.size(), f) == block.size()) {
    }
    const char one = 'f';
    while (std::fwrite(&one, 1, 1, f) == 1) {
    }
    std::fclose(f);
}

} // namespace disktest
