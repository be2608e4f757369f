#include "platform/io/Poll.h"
#include "platform/io/WakePipe.h"
#include "platform/io/Winsock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <pthread.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kNeverOpen = 1 << 29; // a descriptor number no process gets

// A pipe whose ends close with the test.
struct Pipe {
    int fds[2] = {-1, -1};
    Pipe() { EXPECT_EQ(::pipe(fds), 0); }
    ~Pipe() {
        for (int fd : fds)
            if (fd >= 0)
                ::close(fd);
    }
    int Read() const { return fds[0]; }
    void Put() const { ASSERT_EQ(::write(fds[1], "x", 1), 1); }
};

// Signals a thread again and again with a handler installed without SA_RESTART, so every signal
// that lands inside poll() makes it fail with EINTR.
class SignalStorm {
public:
    explicit SignalStorm(pthread_t target) : m_target(target) {
        // The no-op handler stays for the rest of the process: a signal sent just before the storm
        // stopped may still be delivered afterwards, and the default action would end the process.
        static const bool installed = [] {
            struct sigaction sa {};
            sa.sa_handler = [](int) {};
            sigemptyset(&sa.sa_mask);
            sa.sa_flags = 0;
            return ::sigaction(SIGUSR1, &sa, nullptr) == 0;
        }();
        EXPECT_TRUE(installed);
        m_thread = std::thread([this] {
            while (!m_stop) {
                ::pthread_kill(m_target, SIGUSR1);
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    }
    ~SignalStorm() {
        m_stop = true;
        m_thread.join();
    }

private:
    pthread_t m_target;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

TEST(Poll, ReadyTimedOutAndFailed) {
    Pipe p;
    EXPECT_EQ(PollFd(p.Read(), POLLIN, 0), 0);
    p.Put();
    EXPECT_EQ(PollFd(p.Read(), POLLIN, INFINITE) & POLLIN, POLLIN);
    pollfd two[2] = {{p.Read(), POLLIN, 0}, {p.fds[1], POLLOUT, 0}};
    EXPECT_EQ(PollFds(two, 2, 0), 2);
    // A descriptor that is not open is reported at once, never waited on.
    EXPECT_EQ(PollFd(kNeverOpen, POLLIN, INFINITE), POLLNVAL);
}

TEST(Poll, SignalsNeitherEndNorFailAWait) {
    Pipe p;
    {
        // A time-out under a storm of signals ends as a time-out, not as a failure.
        SignalStorm storm(::pthread_self());
        EXPECT_EQ(PollFd(p.Read(), POLLIN, 100), 0);
    }
    // An endless wait under signals ends only when the descriptor is ready.
    std::atomic<int> result{-2};
    std::atomic<bool> entered{false};
    std::thread waiter([&] {
        entered = true;
        result = PollFd(p.Read(), POLLIN, INFINITE);
    });
    while (!entered)
        std::this_thread::yield();
    {
        // Stopped before the waiter ends, so no signal goes to a finished thread.
        SignalStorm storm(waiter.native_handle());
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(result.load(), -2) << "ended by a signal";
    p.Put();
    waiter.join();
    EXPECT_EQ(result.load() & POLLIN, POLLIN);
}

TEST(Poll, SocketReadableForDataCloseAndBadSocket) {
    int sv[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, sv), 0);
    EXPECT_EQ(ws::WaitReadable(sv[0], 0), 0);
    ASSERT_EQ(::write(sv[1], "a", 1), 1);
    EXPECT_EQ(ws::WaitReadable(sv[0], 0), 1);
    char c;
    ASSERT_EQ(::read(sv[0], &c, 1), 1);
    ::close(sv[1]);
    EXPECT_EQ(ws::WaitReadable(sv[0], INFINITE), 1) << "a close reads as readable";
    ::close(sv[0]);
    EXPECT_EQ(ws::WaitReadable(kNeverOpen, INFINITE), 1) << "a bad socket fails its receive at once";
}

TEST(WakePipe, WaitEndsOnDataTimeOutOrWake) {
    Pipe p;
    CWakePipe wake;
    EXPECT_EQ(wake.Wait(p.Read(), 0), -1) << "not open";
    ASSERT_TRUE(wake.Open());
    EXPECT_EQ(wake.Wait(p.Read(), 0), 0);
    p.Put();
    EXPECT_EQ(wake.Wait(p.Read(), INFINITE), 1);

    // A wake from another thread ends an endless wait on a quiet descriptor.
    Pipe quiet;
    std::atomic<int> result{-2};
    std::thread waiter([&] { result = wake.Wait(quiet.Read(), INFINITE); });
    wake.Wake();
    waiter.join();
    EXPECT_EQ(result.load(), -1);
    // Level-triggered, and it wins over a ready descriptor.
    EXPECT_EQ(wake.Wait(p.Read(), INFINITE), -1);
    wake.Close();
    EXPECT_FALSE(wake.IsOpen());
    wake.Wake(); // closed: nothing
    ASSERT_TRUE(wake.Open());
    EXPECT_EQ(wake.Wait(p.Read(), INFINITE), 1) << "a new pipe starts unwoken";
}

TEST(WakePipe, FailedDescriptorEndsTheWait) {
    CWakePipe wake;
    ASSERT_TRUE(wake.Open());
    EXPECT_EQ(wake.Wait(kNeverOpen, INFINITE), -1);
}

} // namespace
