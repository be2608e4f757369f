#include "platform/core/Event.h"
#include "platform/core/MessageTarget.h"
#include "platform/core/Messages.h"
#include "platform/core/Wait.h"
#include "platform/core/WinThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace {

constexpr UINT WM_TEST = WM_USER + 1;
constexpr UINT WM_OTHER = WM_USER + 2;

struct Recorder : CMessageTarget {
    struct Got {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        DWORD thread;
    };
    std::mutex mutex;
    std::vector<Got> got;
    LRESULT reply = 0;

    Recorder() { RegisterTarget(); }
    HWND h() const { return GetTargetHandle(); }
    void Destroy() { UnregisterTarget(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        std::lock_guard lk(mutex);
        got.push_back({message, wParam, lParam, GetCurrentThreadId()});
        return reply + static_cast<LRESULT>(wParam);
    }
    size_t count() {
        std::lock_guard lk(mutex);
        return got.size();
    }
};

TEST(PostMessage, KeepsOrderPerSenderAcrossThreads) {
    Recorder target;
    constexpr int kSenders = 4;
    constexpr int kEach = 2000;
    std::vector<std::thread> senders;
    for (int s = 0; s < kSenders; ++s)
        senders.emplace_back([&, s] {
            for (int i = 0; i < kEach; ++i)
                ASSERT_TRUE(PostMessage(target.h(), WM_TEST, static_cast<WPARAM>(s), i));
        });
    while (target.count() < size_t{kSenders * kEach})
        r9::msg::DeliverPending();
    for (auto& t : senders)
        t.join();
    std::vector<LPARAM> next(kSenders, 0);
    for (auto& g : target.got) {
        ASSERT_EQ(g.lParam, next[g.wParam]) << "sender " << g.wParam;
        ++next[g.wParam];
        EXPECT_EQ(g.thread, GetCurrentThreadId());
    }
    EXPECT_EQ(r9::msg::DeliverPending(), 0);
}

TEST(PostMessage, FailsForUnknownAndDestroyedTargetsAndDropsTheirMessages) {
    EXPECT_FALSE(PostMessage(nullptr, WM_TEST, 0, 0));
    EXPECT_FALSE(PostMessage(reinterpret_cast<HWND>(0x7777), WM_TEST, 0, 0));
    EXPECT_EQ(SendMessage(reinterpret_cast<HWND>(0x7777), WM_TEST, 0, 0), 0);
    auto* target = new Recorder;
    const HWND h = target->h();
    EXPECT_TRUE(IsWindow(h));
    EXPECT_TRUE(PostMessage(h, WM_TEST, 1, 0));
    delete target;
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(PostMessage(h, WM_TEST, 2, 0));
    EXPECT_EQ(r9::msg::DeliverPending(), 0);
    // A new target never gets the old handle.
    Recorder fresh;
    EXPECT_NE(fresh.h(), h);
}

TEST(PostMessage, RemovePendingDiscardsOnlyThatMessageOfThatTarget) {
    Recorder a, b;
    PostMessage(a.h(), WM_TEST, 1, 0);
    PostMessage(a.h(), WM_OTHER, 2, 0);
    PostMessage(b.h(), WM_TEST, 3, 0);
    PostMessage(a.h(), WM_TEST, 4, 0);
    int removed = 0;
    std::thread([&] { removed = r9::msg::RemovePending(a.h(), WM_TEST); }).join();
    EXPECT_EQ(removed, 2);
    PostMessage(a.h(), WM_TEST, 5, 0);
    r9::msg::DeliverPending();
    ASSERT_EQ(a.got.size(), 2u);
    EXPECT_EQ(a.got[0].wParam, 2u);
    EXPECT_EQ(a.got[1].wParam, 5u);
    ASSERT_EQ(b.got.size(), 1u);
}

TEST(PostMessage, PeekMessageByTargetAndIdOnTheOwningThread) {
    Recorder a;
    PostMessage(a.h(), WM_OTHER, 1, 0);
    PostMessage(a.h(), WM_TEST, 2, 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessage(&msg, a.h(), WM_TEST, WM_TEST, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 2u);
    ASSERT_TRUE(PeekMessage(&msg, a.h(), WM_TEST, WM_TEST, PM_REMOVE));
    EXPECT_FALSE(PeekMessage(&msg, a.h(), WM_TEST, WM_TEST, PM_REMOVE));
    ASSERT_TRUE(PeekMessage(&msg, a.h(), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_OTHER);
    DispatchMessage(&msg);
    ASSERT_EQ(a.got.size(), 1u);
    EXPECT_EQ(a.got[0].message, WM_OTHER);
}

TEST(PostMessage, WakeHookRunsThePumpOnTheOwningThread) {
    std::atomic<int> wakes{0};
    std::thread ui([&] {
        Recorder target;
        CEvent wake(FALSE, FALSE);
        HANDLE hWake = wake;
        r9::msg::InstallPump([&wakes, hWake] {
            ++wakes;
            SetEvent(hWake);
        });
        const HWND h = target.h();
        std::thread poster([h] {
            for (int i = 0; i < 50; ++i)
                PostMessage(h, WM_TEST, 0, i);
        });
        while (target.count() < 50) {
            ASSERT_EQ(WaitForSingleObject(wake, 10000), WAIT_OBJECT_0);
            r9::msg::DeliverPending();
        }
        poster.join();
    });
    ui.join();
    EXPECT_GE(wakes.load(), 1);
}

TEST(SendMessage, RunsAtOnceOnTheOwningThread) {
    Recorder target;
    target.reply = 40;
    EXPECT_EQ(SendMessage(target.h(), WM_TEST, 2, 0), 42);
    ASSERT_EQ(target.got.size(), 1u);
}

TEST(SendMessage, FromAnotherThreadBlocksUntilTheOwnerHandledIt) {
    Recorder target;
    target.reply = 100;
    std::atomic<LRESULT> result{-1};
    std::thread worker([&] { result = SendMessage(target.h(), WM_TEST, 7, 0); });
    // The worker is blocked until this thread serves the sent message.
    EXPECT_EQ(result.load(), -1);
    while (target.count() == 0)
        if (r9::msg::DeliverSent() == 0)
            std::this_thread::yield();
    worker.join();
    EXPECT_EQ(result.load(), 107);
    EXPECT_EQ(target.got[0].thread, GetCurrentThreadId());
}

TEST(SendMessage, ReturnsZeroWhenTheTargetIsDestroyedMeanwhile) {
    auto* target = new Recorder;
    const HWND h = target->h();
    std::atomic<LRESULT> result{-1};
    std::atomic<bool> started{false};
    std::thread worker([&] {
        started = true;
        result = SendMessage(h, WM_TEST, 7, 0);
    });
    while (!started)
        std::this_thread::yield();
    delete target; // whether the send is queued yet or not, it must come back with 0
    worker.join();
    EXPECT_EQ(result.load(), 0);
}

struct WorkerArgs {
    HWND target;
    LRESULT result;
};

UINT SendingWorker(LPVOID p) {
    auto* a = static_cast<WorkerArgs*>(p);
    a->result = SendMessage(a->target, WM_TEST, 1, 0);
    return 0;
}

TEST(SendMessage, OwnerWaitingForTheSenderToEndStillServesIt) {
    Recorder target;
    target.reply = 10;
    WorkerArgs args{target.h(), -1};
    CWinThread* t = AfxBeginThread(SendingWorker, &args, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(t, nullptr);
    t->m_bAutoDelete = FALSE;
    t->ResumeThread();
    HANDLE h = t->m_hThread;
    EXPECT_EQ(r9::msg::WaitServingSent(1, &h, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(args.result, 11);
    delete t;
}

} // namespace
