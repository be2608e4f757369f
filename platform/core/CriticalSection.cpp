#include "platform/core/CriticalSection.h"

#include <chrono>

BOOL CCriticalSection::Lock(DWORD dwTimeout) {
    if (dwTimeout == INFINITE) {
        m_mutex.lock();
        return TRUE;
    }
    // A deadline on the system clock takes pthread_mutex_timedlock; a steady one takes
    // pthread_mutex_clocklock, which ThreadSanitizer does not see, so it would miss the acquisition.
    const auto deadline = std::chrono::system_clock::now() + std::chrono::milliseconds(dwTimeout);
    return m_mutex.try_lock_until(deadline) ? TRUE : FALSE;
}

BOOL CCriticalSection::Unlock() {
    m_mutex.unlock();
    return TRUE;
}
