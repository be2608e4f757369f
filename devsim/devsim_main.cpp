// Runs the device emulator by hand: devsim [--port N] [--tag TEXT] [--verbose]
// The program then connects to 127.0.0.1 on that port (8899 unless told otherwise; 0 picks a free one).
#include "DeviceEmulator.h"

#include "wire/LinkFrame.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

bool IsIdlePoll(const std::vector<BYTE>& f) {
    return f.size() == 24 && f[LinkFrame::OFS_TYPE] == FRAME_READ &&
           f[LinkFrame::OFS_GROUP] == GROUP_SYSTEM && f[LinkFrame::OFS_INDEX] == CMD_DEVICE_STATE;
}

} // namespace

int main(int argc, char** argv) {
    long port = 8899;
    bool verbose = false;
    std::string tag;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--port" && i + 1 < argc) {
            port = std::strtol(argv[++i], nullptr, 10);
        } else if (a == "--tag" && i + 1 < argc) {
            tag = argv[++i];
        } else if (a == "--verbose") {
            verbose = true;
        } else {
            std::fprintf(stderr, "usage: devsim [--port N] [--tag VERSION] [--verbose]\n");
            return 2;
        }
    }
    if (port < 0 || port > 65535) {
        std::fprintf(stderr, "devsim: bad port\n");
        return 2;
    }

    // Signals are taken by sigwait below, not by handlers.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);

    CDeviceEmulator emulator;
    if (!tag.empty())
        emulator.SetVersionTag(tag);
    if (!emulator.StartTcp(static_cast<uint16_t>(port))) {
        std::fprintf(stderr, "devsim: cannot listen on 127.0.0.1:%ld\n", port);
        return 1;
    }
    std::printf("devsim listening on 127.0.0.1:%u\n", emulator.GetTcpPort());
    std::fflush(stdout);

    std::thread logger;
    std::atomic<bool> done{false};
    if (verbose) {
        logger = std::thread([&] {
            size_t next = 0;
            while (!done) {
                long at = emulator.WaitForRequest([](const DevsimRequest& r) { return !IsIdlePoll(r.frame); },
                                                  200, next);
                if (at < 0)
                    continue;
                auto all = emulator.GetRequests();
                size_t base = emulator.GetRequestCount() - all.size();
                if (static_cast<size_t>(at) >= base) {
                    const auto& f = all[static_cast<size_t>(at) - base].frame;
                    std::printf("#%ld", at);
                    for (size_t i = 0; i < f.size() && i < 40; ++i)
                        std::printf(" %02X", f[i]);
                    std::printf(f.size() > 40 ? " ...\n" : "\n");
                    std::fflush(stdout);
                }
                next = static_cast<size_t>(at) + 1;
            }
        });
    }
    int sig = 0;
    sigwait(&stop, &sig);
    done = true;
    if (logger.joinable())
        logger.join();
    emulator.Stop();
    auto errors = emulator.GetErrors();
    std::printf("devsim: %zu requests, %zu protocol errors\n", emulator.GetRequestCount(), errors.size());
    return errors.empty() ? 0 : 1;
}
