#include "platform/core/CriticalSection.h"

#include <chrono>

BOOL CCriticalSection::Lock(DWORD dwTimeout) {
    if (dwTimeout == INFINITE) {
        m_mutex.lock();
        return TRUE;
    }
    return m_mutex.try_lock_for(std::chrono::milliseconds(dwTimeout)) ? TRUE : FALSE;
}

BOOL CCriticalSection::Unlock() {
    m_mutex.unlock();
    return TRUE;
}
