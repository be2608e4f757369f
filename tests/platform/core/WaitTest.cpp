#include "platform/core/CriticalSection.h"
#include "platform/core/Event.h"
#include "platform/core/SingleLock.h"
#include "platform/core/Wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

struct FourEvents : ::testing::Test {
    HANDLE ev[4];
    void SetUp() override {
        for (auto& h : ev)
            h = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    }
    void TearDown() override {
        for (auto h : ev)
            CloseHandle(h);
    }
};

TEST_F(FourEvents, LowestSignalledIndexWinsAndManualEventsStaySet) {
    SetEvent(ev[3]);
    SetEvent(ev[1]);
    EXPECT_EQ(WaitForMultipleObjects(4, ev, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(4, ev, FALSE, 0), WAIT_OBJECT_0 + 1);
    SetEvent(ev[0]);
    EXPECT_EQ(WaitForMultipleObjects(4, ev, FALSE, INFINITE), WAIT_OBJECT_0);
    ResetEvent(ev[0]);
    ResetEvent(ev[1]);
    EXPECT_EQ(WaitForMultipleObjects(4, ev, FALSE, 5000), WAIT_OBJECT_0 + 3);
}

TEST_F(FourEvents, TimeOutWhenNothingIsSet) {
    EXPECT_EQ(WaitForMultipleObjects(4, ev, FALSE, 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForMultipleObjects(4, ev, FALSE, 30), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(ev[2], 10), WAIT_TIMEOUT);
}

TEST_F(FourEvents, WakesOnEventSetByAnotherThread) {
    std::thread setter([&] { SetEvent(ev[2]); });
    EXPECT_EQ(WaitForMultipleObjects(4, ev, FALSE, INFINITE), WAIT_OBJECT_0 + 2);
    setter.join();
}

TEST_F(FourEvents, WaitAllNeedsEveryObject) {
    SetEvent(ev[0]);
    SetEvent(ev[1]);
    SetEvent(ev[2]);
    EXPECT_EQ(WaitForMultipleObjects(4, ev, TRUE, 0), WAIT_TIMEOUT);
    SetEvent(ev[3]);
    EXPECT_EQ(WaitForMultipleObjects(4, ev, TRUE, 0), WAIT_OBJECT_0);
}

TEST(AutoEvent, ConsumedOnlyByTheWaitThatReturnsIt) {
    CEvent manual(FALSE, TRUE);
    CEvent autoEv(FALSE, FALSE);
    HANDLE hs[2] = {manual, autoEv};
    autoEv.SetEvent();
    manual.SetEvent();
    // The manual event wins, so the automatic one is left set.
    EXPECT_EQ(WaitForMultipleObjects(2, hs, FALSE, 0), WAIT_OBJECT_0);
    manual.ResetEvent();
    EXPECT_EQ(WaitForMultipleObjects(2, hs, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(2, hs, FALSE, 0), WAIT_TIMEOUT);
}

TEST(AutoEvent, OneSetReleasesExactlyOneWaiter) {
    CEvent ev;
    CEvent done(FALSE, TRUE);
    std::atomic<int> woken{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 3; ++i)
        waiters.emplace_back([&] {
            HANDLE hs[2] = {done, ev};
            while (WaitForMultipleObjects(2, hs, FALSE, INFINITE) == WAIT_OBJECT_0 + 1)
                ++woken;
        });
    for (int i = 0; i < 5; ++i) {
        ev.SetEvent();
        while (woken.load() < i + 1)
            std::this_thread::yield();
    }
    done.SetEvent();
    for (auto& t : waiters)
        t.join();
    EXPECT_EQ(woken.load(), 5);
}

TEST(Handles, ClosingAHandleFailsTheWaitsOnItInsteadOfHangingThem) {
    struct Case {
        const char* name;
        BOOL waitAll;
    } cases[] = {{"wait-any", FALSE}, {"wait-all", TRUE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HANDLE ev[2] = {CreateEvent(nullptr, TRUE, FALSE, nullptr),
                        CreateEvent(nullptr, TRUE, FALSE, nullptr)};
        std::atomic<DWORD> result{0};
        std::atomic<bool> started{false};
        std::thread waiter([&] {
            started = true;
            result = WaitForMultipleObjects(2, ev, c.waitAll, INFINITE);
        });
        while (!started)
            std::this_thread::yield();
        // Before or during the wait, the closed handle can never be set again: the wait fails.
        EXPECT_TRUE(CloseHandle(ev[1]));
        waiter.join();
        EXPECT_EQ(result.load(), WAIT_FAILED);
        CloseHandle(ev[0]);
    }
}

TEST(Handles, UnknownOrClosedHandlesFailWithoutCrashing) {
    HANDLE h = CreateEvent(nullptr, FALSE, TRUE, nullptr);
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_FALSE(SetEvent(h));
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForMultipleObjects(0, &h, FALSE, 0), WAIT_FAILED);
}

TEST(CriticalSection, IsRecursiveAndExcludesOtherThreads) {
    CCriticalSection cs;
    ASSERT_TRUE(cs.Lock());
    {
        CSingleLock again(&cs, TRUE);
        EXPECT_TRUE(again.IsLocked());
    }
    BOOL otherGot = TRUE;
    std::thread([&] { otherGot = cs.Lock(20); }).join();
    EXPECT_FALSE(otherGot);
    cs.Unlock();
    std::thread([&] {
        otherGot = cs.Lock(5000);
        cs.Unlock();
    }).join();
    EXPECT_TRUE(otherGot);
}

TEST(CriticalSection, GuardsAnIncrementAcrossThreads) {
    CCriticalSection cs;
    long counter = 0;
    std::vector<std::thread> ts;
    for (int t = 0; t < 4; ++t)
        ts.emplace_back([&] {
            for (int i = 0; i < 10000; ++i) {
                CSingleLock lock(&cs, TRUE);
                std::lock_guard inner(cs);
                ++counter;
            }
        });
    for (auto& t : ts)
        t.join();
    EXPECT_EQ(counter, 40000);
}

} // namespace
