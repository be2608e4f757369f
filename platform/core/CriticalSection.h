// A recursive lock: the owning thread may take it again (readers that hold it call helpers that
// take it too). Also usable with std::lock_guard and std::scoped_lock.
#pragma once

#include "platform/core/SyncObject.h"

#include <mutex>

class CCriticalSection : public CSyncObject {
public:
    CCriticalSection() = default;

    BOOL Lock() { return Lock(INFINITE); }
    // A finite time-out gives up after that many milliseconds and returns FALSE.
    BOOL Lock(DWORD dwTimeout) override;
    BOOL Unlock() override;

    void lock() { m_mutex.lock(); }
    bool try_lock() { return m_mutex.try_lock(); }
    void unlock() { m_mutex.unlock(); }

private:
    std::recursive_timed_mutex m_mutex;
};
