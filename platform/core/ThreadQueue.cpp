#include "platform/core/ThreadQueue.h"

#include "platform/core/Event.h"
#include "platform/core/Time.h"
#include "platform/core/Wait.h"

#include <algorithm>
#include <unordered_map>

namespace r9::msg {

namespace {

struct Directory {
    std::mutex mutex;
    std::unordered_map<DWORD, std::weak_ptr<ThreadQueue>> threads;
    std::unordered_map<UINT_PTR, std::weak_ptr<ThreadQueue>> timers;
    DWORD nextThread = 0;
    UINT_PTR nextTimer = 0;
};

Directory& directory() {
    static Directory* d = new Directory; // outlives every thread's exit
    return *d;
}

// Ends the queue when its thread exits, so later posts to it fail.
struct CurrentHolder {
    std::shared_ptr<ThreadQueue> queue;
    ~CurrentHolder() {
        if (queue)
            queue->End();
    }
};

thread_local CurrentHolder t_current;

bool matches(const MSG& m, HWND hWnd, UINT min, UINT max) {
    if (hWnd && m.hwnd != hWnd)
        return false;
    return (min == 0 && max == 0) || (m.message >= min && m.message <= max);
}

} // namespace

void CompleteCall(const std::shared_ptr<SyncCall>& call, LRESULT result) {
    call->result = result;
    SetEvent(call->done);
}

std::shared_ptr<ThreadQueue> ThreadQueue::Create() {
    auto q = std::make_shared<ThreadQueue>();
    auto& d = directory();
    std::lock_guard lk(d.mutex);
    d.threads[q->m_id] = q;
    return q;
}

std::shared_ptr<ThreadQueue> ThreadQueue::Current() {
    if (!t_current.queue)
        t_current.queue = Create();
    return t_current.queue;
}

void ThreadQueue::BindCurrent(const std::shared_ptr<ThreadQueue>& q) {
    t_current.queue = q;
}

std::shared_ptr<ThreadQueue> ThreadQueue::FromId(DWORD id) {
    auto& d = directory();
    std::lock_guard lk(d.mutex);
    auto it = d.threads.find(id);
    return it == d.threads.end() ? nullptr : it->second.lock();
}

std::shared_ptr<ThreadQueue> ThreadQueue::FromTimer(UINT_PTR id) {
    auto& d = directory();
    std::lock_guard lk(d.mutex);
    auto it = d.timers.find(id);
    return it == d.timers.end() ? nullptr : it->second.lock();
}

ThreadQueue::ThreadQueue() : m_sentEvent(CreateEvent(nullptr, FALSE, FALSE, nullptr)) {
    auto& d = directory();
    std::lock_guard lk(d.mutex);
    m_id = ++d.nextThread;
}

ThreadQueue::~ThreadQueue() {
    End();
    CloseHandle(m_sentEvent);
}

void ThreadQueue::wakeLocked(std::unique_lock<std::mutex>& lk) {
    m_changed.notify_all();
    if (!m_wake || m_wakePending)
        return;
    m_wakePending = true;
    auto wake = m_wake;
    lk.unlock();
    wake();
    lk.lock();
}

bool ThreadQueue::Post(const MSG& msg) {
    std::unique_lock lk(m_mutex);
    if (m_ended || (msg.hwnd && m_dropped.contains(msg.hwnd)))
        return false;
    m_posted.push_back({msg, nullptr});
    wakeLocked(lk);
    return true;
}

bool ThreadQueue::PostSent(const MSG& msg, const std::shared_ptr<SyncCall>& call) {
    {
        std::unique_lock lk(m_mutex);
        if (m_ended || (msg.hwnd && m_dropped.contains(msg.hwnd)))
            return false;
        m_sent.push_back({msg, call});
        wakeLocked(lk);
    }
    SetEvent(m_sentEvent);
    return true;
}

int ThreadQueue::DeliverSent() {
    int n = 0;
    for (;;) {
        Entry e;
        {
            std::lock_guard lk(m_mutex);
            if (m_sent.empty())
                return n;
            e = std::move(m_sent.front());
            m_sent.pop_front();
        }
        CompleteCall(e.call, CallTarget(e.msg));
        ++n;
    }
}

bool ThreadQueue::findLocked(MSG* out, HWND hWnd, UINT min, UINT max, bool remove) {
    auto it = std::find_if(m_posted.begin(), m_posted.end(),
                           [&](const Entry& e) { return matches(e.msg, hWnd, min, max); });
    if (it != m_posted.end()) {
        *out = it->msg;
        if (remove)
            m_posted.erase(it);
        return true;
    }
    if (hWnd || !((min == 0 && max == 0) || (WM_TIMER >= min && WM_TIMER <= max)))
        return false;
    const auto now = Clock::now();
    Timer* due = nullptr;
    for (auto& t : m_timers)
        if (t.due <= now && (!due || t.due < due->due))
            due = &t;
    if (!due)
        return false;
    *out = MSG{nullptr, WM_TIMER, due->id, reinterpret_cast<LPARAM>(due->proc), GetTickCount()};
    // Ticks never pile up: the next one is due a full interval after this one is taken.
    if (remove)
        due->due = now + std::chrono::milliseconds(due->ms);
    return true;
}

bool ThreadQueue::Peek(MSG* out, HWND hWnd, UINT min, UINT max, bool remove) {
    DeliverSent();
    std::lock_guard lk(m_mutex);
    return findLocked(out, hWnd, min, max, remove);
}

BOOL ThreadQueue::Get(MSG* out, HWND hWnd, UINT min, UINT max) {
    for (;;) {
        DeliverSent();
        std::unique_lock lk(m_mutex);
        if (!m_sent.empty())
            continue;
        if (findLocked(out, hWnd, min, max, true))
            return out->message == WM_QUIT ? FALSE : TRUE;
        auto next = Clock::time_point::max();
        for (auto& t : m_timers)
            next = std::min(next, t.due);
        if (next == Clock::time_point::max())
            m_changed.wait(lk);
        else
            m_changed.wait_until(lk, next);
    }
}

int ThreadQueue::DeliverPending() {
    size_t snapshot;
    {
        std::lock_guard lk(m_mutex);
        m_wakePending = false;
        snapshot = m_posted.size();
    }
    int n = DeliverSent();
    // Only what was queued at the start: a handler that keeps posting to itself cannot starve the
    // loop that called us; the rest gets a new wake.
    for (size_t i = 0; i < snapshot; ++i) {
        Entry e;
        {
            std::lock_guard lk(m_mutex);
            if (m_posted.empty())
                break;
            e = std::move(m_posted.front());
            m_posted.pop_front();
        }
        if (e.msg.hwnd)
            CallTarget(e.msg);
        ++n;
    }
    std::unique_lock lk(m_mutex);
    if (!m_posted.empty() || !m_sent.empty())
        wakeLocked(lk);
    return n;
}

int ThreadQueue::RemovePosted(HWND hWnd, UINT message) {
    std::lock_guard lk(m_mutex);
    const auto before = m_posted.size();
    std::erase_if(m_posted, [&](const Entry& e) { return e.msg.hwnd == hWnd && e.msg.message == message; });
    return static_cast<int>(before - m_posted.size());
}

void ThreadQueue::DropTarget(HWND hWnd) {
    std::vector<std::shared_ptr<SyncCall>> released;
    {
        std::lock_guard lk(m_mutex);
        m_dropped.insert(hWnd);
        std::erase_if(m_posted, [&](const Entry& e) { return e.msg.hwnd == hWnd; });
        std::erase_if(m_sent, [&](const Entry& e) {
            if (e.msg.hwnd != hWnd)
                return false;
            released.push_back(e.call);
            return true;
        });
    }
    for (auto& c : released)
        CompleteCall(c, 0);
}

void ThreadQueue::InstallWake(std::function<void()> wake) {
    std::unique_lock lk(m_mutex);
    m_wake = std::move(wake);
    m_wakePending = false;
    if (!m_posted.empty() || !m_sent.empty())
        wakeLocked(lk);
}

UINT_PTR ThreadQueue::SetTimer(UINT_PTR id, UINT ms, TIMERPROC proc) {
    const auto due = Clock::now() + std::chrono::milliseconds(ms);
    std::lock_guard lk(m_mutex);
    if (m_ended)
        return 0;
    for (auto& t : m_timers) {
        if (id != 0 && t.id == id) {
            t.ms = ms;
            t.proc = proc;
            t.due = due;
            m_changed.notify_all();
            return id;
        }
    }
    UINT_PTR newId;
    {
        auto& d = directory();
        std::lock_guard dl(d.mutex);
        newId = ++d.nextTimer;
        d.timers[newId] = weak_from_this();
    }
    m_timers.push_back({newId, ms, proc, due});
    m_changed.notify_all();
    return newId;
}

bool ThreadQueue::KillTimer(UINT_PTR id) {
    {
        std::lock_guard lk(m_mutex);
        if (std::erase_if(m_timers, [&](const Timer& t) { return t.id == id; }) == 0)
            return false;
    }
    auto& d = directory();
    std::lock_guard dl(d.mutex);
    d.timers.erase(id);
    return true;
}

bool ThreadQueue::IsTimerCallback(const MSG& msg) {
    if (msg.hwnd || msg.message != WM_TIMER || msg.lParam == 0)
        return false;
    std::lock_guard lk(m_mutex);
    return std::any_of(m_timers.begin(), m_timers.end(), [&](const Timer& t) {
        return t.id == msg.wParam && reinterpret_cast<LPARAM>(t.proc) == msg.lParam;
    });
}

void ThreadQueue::End() {
    std::vector<std::shared_ptr<SyncCall>> released;
    std::vector<UINT_PTR> timers;
    {
        std::lock_guard lk(m_mutex);
        if (m_ended)
            return;
        m_ended = true;
        for (auto& e : m_sent)
            released.push_back(e.call);
        m_sent.clear();
        m_posted.clear();
        for (auto& t : m_timers)
            timers.push_back(t.id);
        m_timers.clear();
        m_wake = nullptr;
    }
    {
        auto& d = directory();
        std::lock_guard dl(d.mutex);
        d.threads.erase(m_id);
        for (auto id : timers)
            d.timers.erase(id);
    }
    for (auto& c : released)
        CompleteCall(c, 0);
}

} // namespace r9::msg
