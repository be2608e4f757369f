#include "platform/core/Wait.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

namespace {

struct Object {
    r9::wait::Kind kind;
    bool signalled;
    // Closed while waits ran on it: nothing can set it any more, so those waits fail.
    bool closed = false;
};

// One lock and one condition for every object keeps wait-any and the consumption of automatic
// events atomic across objects; the program has only a handful of waiters.
struct Table {
    std::mutex mutex;
    std::condition_variable changed;
    std::unordered_map<std::uintptr_t, std::shared_ptr<Object>> objects;
    std::uintptr_t next = 0x1000;
};

Table& table() {
    // Never destroyed: static events and threads may outlive other statics at exit.
    static Table* t = new Table;
    return *t;
}

std::uintptr_t key(HANDLE h) {
    return reinterpret_cast<std::uintptr_t>(h);
}

std::optional<DWORD> ready(std::vector<std::shared_ptr<Object>>& objs, bool all) {
    if (all) {
        bool waiting = false;
        for (auto& o : objs) {
            if (!o->signalled && o->closed)
                return WAIT_FAILED;
            waiting = waiting || !o->signalled;
        }
        if (waiting)
            return std::nullopt;
        for (auto& o : objs)
            if (o->kind == r9::wait::Kind::AutoEvent)
                o->signalled = false;
        return WAIT_OBJECT_0;
    }
    for (size_t i = 0; i < objs.size(); ++i) {
        if (objs[i]->signalled) {
            if (objs[i]->kind == r9::wait::Kind::AutoEvent)
                objs[i]->signalled = false;
            return WAIT_OBJECT_0 + static_cast<DWORD>(i);
        }
    }
    for (auto& o : objs)
        if (o->closed)
            return WAIT_FAILED;
    return std::nullopt;
}

} // namespace

namespace r9::wait {

HANDLE Create(Kind kind, bool signalled) {
    auto& t = table();
    std::lock_guard lk(t.mutex);
    // Values are never reused, so a stale handle cannot reach a newer object.
    t.next += 4;
    t.objects.emplace(t.next, std::make_shared<Object>(Object{kind, signalled}));
    return reinterpret_cast<HANDLE>(t.next);
}

BOOL SetSignalled(HANDLE h, bool signalled, bool bThreadToo) {
    auto& t = table();
    std::lock_guard lk(t.mutex);
    auto it = t.objects.find(key(h));
    if (it == t.objects.end() || (it->second->kind == Kind::Thread && !bThreadToo))
        return FALSE;
    it->second->signalled = signalled;
    if (signalled)
        t.changed.notify_all();
    return TRUE;
}

} // namespace r9::wait

BOOL CloseHandle(HANDLE hObject) {
    auto& t = table();
    std::lock_guard lk(t.mutex);
    auto it = t.objects.find(key(hObject));
    if (it == t.objects.end())
        return FALSE;
    it->second->closed = true;
    t.objects.erase(it);
    t.changed.notify_all();
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE hObject, DWORD dwMilliseconds) {
    return WaitForMultipleObjects(1, &hObject, FALSE, dwMilliseconds);
}

DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds) {
    if (nCount == 0 || nCount > MAXIMUM_WAIT_OBJECTS || !lpHandles)
        return WAIT_FAILED;
    auto& t = table();
    std::unique_lock lk(t.mutex);
    std::vector<std::shared_ptr<Object>> objs;
    objs.reserve(nCount);
    for (DWORD i = 0; i < nCount; ++i) {
        auto it = t.objects.find(key(lpHandles[i]));
        if (it == t.objects.end())
            return WAIT_FAILED;
        objs.push_back(it->second);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(dwMilliseconds);
    for (;;) {
        if (auto r = ready(objs, bWaitAll != FALSE))
            return *r;
        if (dwMilliseconds == 0)
            return WAIT_TIMEOUT;
        if (dwMilliseconds == INFINITE) {
            t.changed.wait(lk);
        } else if (t.changed.wait_until(lk, deadline) == std::cv_status::timeout) {
            if (auto r = ready(objs, bWaitAll != FALSE))
                return *r;
            return WAIT_TIMEOUT;
        }
    }
}
