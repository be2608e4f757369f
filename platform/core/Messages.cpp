#include "platform/core/Messages.h"

#include "platform/core/Event.h"
#include "platform/core/MessageTarget.h"
#include "platform/core/ThreadQueue.h"
#include "platform/core/Time.h"
#include "platform/core/Wait.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace r9::msg {

namespace {

struct Target {
    CMessageTarget* object;
    std::shared_ptr<ThreadQueue> owner;
};

struct Registry {
    std::mutex mutex;
    std::unordered_map<std::uintptr_t, Target> targets;
    std::uintptr_t next = 0x10000;
    WindowTimerSet timerSet = nullptr;
    WindowTimerKill timerKill = nullptr;
};

Registry& registry() {
    static Registry* r = new Registry; // windows may be destroyed during static destruction
    return *r;
}

std::uintptr_t key(HWND h) {
    return reinterpret_cast<std::uintptr_t>(h);
}

bool lookup(HWND h, Target& out) {
    auto& r = registry();
    std::lock_guard lk(r.mutex);
    auto it = r.targets.find(key(h));
    if (it == r.targets.end())
        return false;
    out = it->second;
    return true;
}

} // namespace

HWND Register(CMessageTarget* target) {
    auto owner = ThreadQueue::Current();
    auto& r = registry();
    std::lock_guard lk(r.mutex);
    // Handles are never reused, so a late post to a destroyed window cannot reach a new one.
    r.next += 4;
    r.targets.emplace(r.next, Target{target, owner});
    return reinterpret_cast<HWND>(r.next);
}

void Unregister(HWND hWnd) {
    Target t;
    {
        auto& r = registry();
        std::lock_guard lk(r.mutex);
        auto it = r.targets.find(key(hWnd));
        if (it == r.targets.end())
            return;
        t = it->second;
        r.targets.erase(it);
    }
    t.owner->DropTarget(hWnd);
}

CMessageTarget* FromHandle(HWND hWnd) {
    Target t;
    return lookup(hWnd, t) ? t.object : nullptr;
}

LRESULT CallTarget(const MSG& msg) {
    Target t;
    if (!lookup(msg.hwnd, t))
        return 0;
    return t.object->WindowProc(msg.message, msg.wParam, msg.lParam);
}

void InstallPump(std::function<void()> wake) {
    ThreadQueue::Current()->InstallWake(std::move(wake));
}

int DeliverPending() {
    return ThreadQueue::Current()->DeliverPending();
}

int DeliverSent() {
    return ThreadQueue::Current()->DeliverSent();
}

DWORD WaitServingSent(DWORD nCount, const HANDLE* lpHandles, DWORD dwMilliseconds) {
    if (nCount == 0 || nCount >= MAXIMUM_WAIT_OBJECTS || !lpHandles)
        return WAIT_FAILED;
    auto q = ThreadQueue::Current();
    std::vector<HANDLE> handles(lpHandles, lpHandles + nCount);
    handles.push_back(q->SentEvent());
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(dwMilliseconds);
    for (;;) {
        DWORD left = dwMilliseconds;
        if (dwMilliseconds != INFINITE) {
            const auto rest =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            left = rest > 0 ? static_cast<DWORD>(rest) : 0;
        }
        const DWORD r = WaitForMultipleObjects(nCount + 1, handles.data(), FALSE, left);
        if (r != WAIT_OBJECT_0 + nCount)
            return r;
        q->DeliverSent();
    }
}

int RemovePending(HWND hWnd, UINT message) {
    Target t;
    return lookup(hWnd, t) ? t.owner->RemovePosted(hWnd, message) : 0;
}

bool IsTimerCallbackMessage(const MSG& msg) {
    return ThreadQueue::Current()->IsTimerCallback(msg);
}

void SetWindowTimerHook(WindowTimerSet set, WindowTimerKill kill) {
    auto& r = registry();
    std::lock_guard lk(r.mutex);
    r.timerSet = set;
    r.timerKill = kill;
}

} // namespace r9::msg

using r9::msg::ThreadQueue;

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    r9::msg::Target t;
    if (!r9::msg::lookup(hWnd, t))
        return FALSE;
    return t.owner->Post(MSG{hWnd, message, wParam, lParam, GetTickCount()}) ? TRUE : FALSE;
}

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    r9::msg::Target t;
    if (!r9::msg::lookup(hWnd, t))
        return 0;
    const MSG msg{hWnd, message, wParam, lParam, GetTickCount()};
    if (t.owner == ThreadQueue::Current())
        return t.object->WindowProc(message, wParam, lParam);
    auto call = std::make_shared<r9::msg::SyncCall>();
    call->done = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    LRESULT result = 0;
    if (t.owner->PostSent(msg, call)) {
        r9::msg::WaitServingSent(1, &call->done, INFINITE);
        result = call->result;
    }
    CloseHandle(call->done);
    return result;
}

BOOL IsWindow(HWND hWnd) {
    r9::msg::Target t;
    return r9::msg::lookup(hWnd, t) ? TRUE : FALSE;
}

DWORD GetCurrentThreadId() {
    return ThreadQueue::Current()->Id();
}

BOOL PostThreadMessage(DWORD idThread, UINT message, WPARAM wParam, LPARAM lParam) {
    auto q = ThreadQueue::FromId(idThread);
    return q && q->Post(MSG{nullptr, message, wParam, lParam, GetTickCount()}) ? TRUE : FALSE;
}

void PostQuitMessage(int nExitCode) {
    ThreadQueue::Current()->Post(MSG{nullptr, WM_QUIT, static_cast<WPARAM>(nExitCode), 0, GetTickCount()});
}

BOOL GetMessage(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    if (!lpMsg)
        return -1;
    return ThreadQueue::Current()->Get(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax);
}

BOOL PeekMessage(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    if (!lpMsg)
        return FALSE;
    return ThreadQueue::Current()->Peek(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax,
                                        (wRemoveMsg & PM_REMOVE) != 0)
               ? TRUE
               : FALSE;
}

LRESULT DispatchMessage(const MSG* lpMsg) {
    if (!lpMsg)
        return 0;
    if (lpMsg->hwnd)
        return r9::msg::CallTarget(*lpMsg);
    if (r9::msg::IsTimerCallbackMessage(*lpMsg))
        reinterpret_cast<TIMERPROC>(lpMsg->lParam)(nullptr, WM_TIMER, lpMsg->wParam, GetTickCount());
    return 0;
}

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
    if (hWnd) {
        r9::msg::WindowTimerSet set;
        {
            auto& r = r9::msg::registry();
            std::lock_guard lk(r.mutex);
            set = r.timerSet;
        }
        return set ? set(hWnd, nIDEvent, uElapse, lpTimerFunc) : 0;
    }
    return ThreadQueue::Current()->SetTimer(nIDEvent, uElapse, lpTimerFunc);
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    if (hWnd) {
        r9::msg::WindowTimerKill kill;
        {
            auto& r = r9::msg::registry();
            std::lock_guard lk(r.mutex);
            kill = r.timerKill;
        }
        return kill ? kill(hWnd, uIDEvent) : FALSE;
    }
    auto q = ThreadQueue::FromTimer(uIDEvent);
    return q && q->KillTimer(uIDEvent) ? TRUE : FALSE;
}
