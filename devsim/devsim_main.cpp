// Runs the device emulator by hand: devsim [--port N] [--tag TEXT] [--verbose]
// --verbose prints each request it handled, the idle polls too, in order, once.
// The program then connects to 127.0.0.1 on that port (8899 unless told otherwise; 0 picks a free one).
#include "DeviceEmulator.h"
#include "DevsimRequestLog.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

    CDevsimRequestLog log(emulator, [](const std::string& line) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    });
    if (verbose)
        log.Start();
    int sig = 0;
    sigwait(&stop, &sig);
    // Served to the end first, so the log lists every request the count below counts.
    emulator.Stop();
    log.Stop();
    auto errors = emulator.GetErrors();
    std::printf("devsim: %zu requests, %zu protocol errors\n", emulator.GetRequestCount(), errors.size());
    return errors.empty() ? 0 : 1;
}
