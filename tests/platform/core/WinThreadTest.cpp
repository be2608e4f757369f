#include "platform/core/Event.h"
#include "platform/core/MessageTarget.h"
#include "platform/core/Messages.h"
#include "platform/core/Wait.h"
#include "platform/core/WinThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <vector>

namespace {

constexpr UINT WM_TEST = WM_USER + 10;
constexpr DWORD kGenerous = 10000;

// A thread with a message loop and a thread timer, in the shape the ping and poll threads use: the
// timer callback posts WM_TIMER to the thread, whose handler counts ticks and quits after three.
class CTickThread : public CWinThread {
    DECLARE_DYNCREATE(CTickThread)
public:
    static std::atomic<CTickThread*> s_instance;
    std::vector<UINT> seen;
    UINT_PTR timerId = 0;
    int ticks = 0;
    int timerCallbacks = 0;
    DWORD timerThread = 0;

    BOOL InitInstance() override {
        s_instance = this;
        return TRUE;
    }
    int ExitInstance() override { return CWinThread::ExitInstance() + 1000; }
    BOOL OnThreadMessage(MSG* pMsg) override {
        seen.push_back(pMsg->message);
        if (pMsg->message == WM_TEST && pMsg->wParam == 1)
            timerId = ::SetTimer(nullptr, 0, 5, &CTickThread::TimerProc);
        if (pMsg->message == WM_TIMER && ++ticks == 3) {
            EXPECT_TRUE(::KillTimer(nullptr, timerId));
            PostQuitMessage(7);
        }
        return TRUE;
    }
    static void TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
        CTickThread* self = s_instance;
        ++self->timerCallbacks;
        self->timerThread = GetCurrentThreadId();
        ::PostThreadMessage(GetCurrentThreadId(), WM_TIMER, id, 0);
    }
};
std::atomic<CTickThread*> CTickThread::s_instance{nullptr};
IMPLEMENT_DYNCREATE(CTickThread, CWinThread)

TEST(WinThread, ThreadTimerTicksReachTheThreadThatMadeThemUntilWmQuit) {
    CWinThread* t = AfxBeginThread(RUNTIME_CLASS(CTickThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(t, nullptr);
    auto* tick = dynamic_cast<CTickThread*>(t);
    ASSERT_NE(tick, nullptr);
    t->m_bAutoDelete = FALSE;
    // Messages posted before the thread runs wait in its queue.
    EXPECT_TRUE(t->PostThreadMessage(WM_TEST, 0, 0));
    EXPECT_TRUE(t->PostThreadMessage(WM_TEST, 1, 0));
    EXPECT_EQ(t->ResumeThread(), 1u);
    ASSERT_EQ(WaitForSingleObject(t->m_hThread, kGenerous), WAIT_OBJECT_0);
    EXPECT_EQ(tick->ticks, 3);
    EXPECT_EQ(tick->timerCallbacks, 3);
    EXPECT_EQ(tick->timerThread, t->m_nThreadID);
    ASSERT_GE(tick->seen.size(), 2u);
    EXPECT_EQ(tick->seen[0], WM_TEST);
    EXPECT_EQ(tick->seen[1], WM_TEST);
    // A finished thread takes no more messages and its timer is gone.
    EXPECT_FALSE(t->PostThreadMessage(WM_TEST, 0, 0));
    EXPECT_FALSE(::KillTimer(nullptr, tick->timerId));
    delete t;
}

class CQuitThread : public CWinThread {
    DECLARE_DYNCREATE(CQuitThread)
public:
    BOOL InitInstance() override { return TRUE; }
};
IMPLEMENT_DYNCREATE(CQuitThread, CWinThread)

TEST(WinThread, WmQuitFromOutsideEndsTheLoopAndAutoDeleteFreesTheObject) {
    CWinThread* t = AfxBeginThread(RUNTIME_CLASS(CQuitThread));
    ASSERT_NE(t, nullptr);
    // Keep our own handle: the object deletes itself when the thread ends.
    const DWORD id = t->m_nThreadID;
    CEvent ended(FALSE, TRUE);
    HANDLE h = t->m_hThread;
    EXPECT_TRUE(PostThreadMessage(id, WM_QUIT, 0, 0));
    EXPECT_NE(WaitForSingleObject(h, kGenerous), WAIT_TIMEOUT);
}

UINT SelfSuspending(LPVOID p) {
    auto* state = static_cast<std::atomic<int>*>(p);
    state->store(1);
    AfxGetThread()->SuspendThread();
    state->store(2);
    return 0;
}

TEST(WinThread, SuspendedStartAndSelfSuspendWaitForResume) {
    std::atomic<int> state{0};
    CWinThread* t = AfxBeginThread(SelfSuspending, &state, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(t, nullptr);
    t->m_bAutoDelete = FALSE;
    EXPECT_EQ(WaitForSingleObject(t->m_hThread, 30), WAIT_TIMEOUT);
    EXPECT_EQ(state.load(), 0);
    EXPECT_EQ(t->SuspendThread(), static_cast<DWORD>(-1)); // not from another thread
    t->ResumeThread();
    while (state.load() == 0)
        std::this_thread::yield();
    // Whether the resume lands before or after the thread suspends itself, it is not lost.
    t->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(t->m_hThread, kGenerous), WAIT_OBJECT_0);
    EXPECT_EQ(state.load(), 2);
    delete t;
}

UINT EndsEarly(LPVOID p) {
    *static_cast<int*>(p) = 1;
    AfxEndThread(5, FALSE);
}

TEST(WinThread, AfxEndThreadLeavesTheThread) {
    int reached = 0;
    CWinThread* t = AfxBeginThread(EndsEarly, &reached, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(t, nullptr);
    t->m_bAutoDelete = FALSE;
    t->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(*t, kGenerous), WAIT_OBJECT_0);
    EXPECT_EQ(reached, 1);
    delete t;
}

// Answers sent messages on the thread that made it.
struct Answerer : CMessageTarget {
    std::atomic<int> calls{0};
    Answerer() { RegisterTarget(); }
    ~Answerer() override { UnregisterTarget(); }
    LRESULT WindowProc(UINT, WPARAM, LPARAM) override { return ++calls; }
};

struct StopArgs {
    HWND target = nullptr; // sent to before the thread waits for its quit event
    HANDLE quit = nullptr;
    std::atomic<int> ran{0};
    LRESULT sent = 0;
};

UINT WaitsForQuit(LPVOID p) {
    auto* a = static_cast<StopArgs*>(p);
    a->ran = 1;
    if (a->target)
        a->sent = SendMessage(a->target, WM_TEST, 0, 0);
    WaitForSingleObject(a->quit, INFINITE);
    return 0;
}

TEST(WinThread, StopSignalsAndJoinsServingWhatTheThreadSendsMeanwhile) {
    struct Case {
        const char* name;
        bool sends;   // the thread sends to the stopping thread first (a plain join would deadlock)
        bool resumed; // a thread never resumed is let run so it can see the signal
    } cases[] = {{"sends first", true, true}, {"never resumed", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Answerer answerer;
        CEvent quit(FALSE, TRUE);
        StopArgs args;
        args.target = c.sends ? answerer.GetTargetHandle() : nullptr;
        args.quit = quit;
        CWinThread* t = AfxBeginThread(WaitsForQuit, &args, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(t, nullptr);
        t->m_bAutoDelete = FALSE;
        if (c.resumed)
            t->ResumeThread();
        EXPECT_TRUE(t->Stop([&] { quit.SetEvent(); }));
        EXPECT_EQ(args.ran.load(), 1);
        EXPECT_EQ(args.sent, c.sends ? 1 : 0);
        EXPECT_FALSE(t->Join()) << "joined once";
        delete t;
    }
}

TEST(WinThread, AThreadDeletedBeforeItRanNeverRuns) {
    StopArgs args;
    CWinThread* t = AfxBeginThread(WaitsForQuit, &args, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(t, nullptr);
    t->m_bAutoDelete = FALSE;
    delete t; // joins the thread, which leaves without running the procedure
    EXPECT_EQ(args.ran.load(), 0);
}

TEST(WinThread, RejectsClassesThatAreNoThreads) {
    EXPECT_EQ(AfxBeginThread(RUNTIME_CLASS(CObject)), nullptr);
    EXPECT_EQ(AfxBeginThread(static_cast<AFX_THREADPROC>(nullptr), nullptr), nullptr);
}

TEST(ThreadMessages, QueueOfAPlainThreadWithPeekAndTimers) {
    MSG msg{};
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(PostThreadMessage(GetCurrentThreadId(), WM_TEST, 1, 2));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_TEST);
    EXPECT_EQ(msg.hwnd, nullptr);
    const UINT_PTR id = SetTimer(nullptr, 0, 1, nullptr);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(msg.wParam, id);
    EXPECT_TRUE(KillTimer(nullptr, id));
    EXPECT_FALSE(KillTimer(nullptr, id));
    PostQuitMessage(3);
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PostThreadMessage(0xFFFFFF, WM_TEST, 0, 0));
}

} // namespace
