// The message queue of one thread (internal to platform/core): posted and sent messages and the
// thread's timers. Messages.cpp and WinThread.cpp are its only users.
#pragma once

#include "platform/core/Messages.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <unordered_set>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace r9::msg {

struct SyncCall {
    HANDLE done = nullptr; // manual event, set once the handler ran or the target is gone
    LRESULT result = 0;
};

class ThreadQueue : public std::enable_shared_from_this<ThreadQueue> {
public:
    // A queue not yet bound to a thread (a thread object creates its queue before it runs).
    static std::shared_ptr<ThreadQueue> Create();
    // The calling thread's queue, created on first use.
    static std::shared_ptr<ThreadQueue> Current();
    // Makes q the calling thread's queue; the first call in a new thread.
    static void BindCurrent(const std::shared_ptr<ThreadQueue>& q);
    static std::shared_ptr<ThreadQueue> FromId(DWORD id);
    static std::shared_ptr<ThreadQueue> FromTimer(UINT_PTR id);

    ThreadQueue();
    ~ThreadQueue();
    ThreadQueue(const ThreadQueue&) = delete;
    ThreadQueue& operator=(const ThreadQueue&) = delete;

    DWORD Id() const { return m_id; }

    bool Post(const MSG& msg);
    bool PostSent(const MSG& msg, const std::shared_ptr<SyncCall>& call);
    // Owner thread only; both run pending sent messages first.
    bool Peek(MSG* out, HWND hWnd, UINT min, UINT max, bool remove);
    BOOL Get(MSG* out, HWND hWnd, UINT min, UINT max);
    int DeliverSent();
    int DeliverPending();

    int RemovePosted(HWND hWnd, UINT message);
    void DropTarget(HWND hWnd);
    void InstallWake(std::function<void()> wake);
    HANDLE SentEvent() const { return m_sentEvent; }

    UINT_PTR SetTimer(UINT_PTR id, UINT ms, TIMERPROC proc);
    bool KillTimer(UINT_PTR id);
    bool IsTimerCallback(const MSG& msg);

    // The thread has ended: posts fail from now on, blocked senders are released.
    void End();

private:
    using Clock = std::chrono::steady_clock;
    struct Entry {
        MSG msg;
        std::shared_ptr<SyncCall> call;
    };
    struct Timer {
        UINT_PTR id;
        UINT ms;
        TIMERPROC proc;
        Clock::time_point due;
    };

    void wakeLocked(std::unique_lock<std::mutex>& lk);
    bool findLocked(MSG* out, HWND hWnd, UINT min, UINT max, bool remove);

    DWORD m_id;
    HANDLE m_sentEvent;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Entry> m_posted;
    std::deque<Entry> m_sent;
    std::vector<Timer> m_timers;
    std::function<void()> m_wake;
    bool m_wakePending = false;
    bool m_ended = false;
    // Handles are never reused: a post racing the target's destruction must not strand a sender.
    std::unordered_set<HWND> m_dropped;
};

void CompleteCall(const std::shared_ptr<SyncCall>& call, LRESULT result);
// Runs the target's procedure on the calling thread; 0 when the handle is gone.
LRESULT CallTarget(const MSG& msg);

} // namespace r9::msg
