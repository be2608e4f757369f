// Scope guard over any CSyncObject; releases what it took when it goes out of scope.
#pragma once

#include "platform/core/SyncObject.h"

class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock(DWORD dwTimeout = INFINITE);
    BOOL Unlock();
    BOOL IsLocked() const { return m_bLocked; }

private:
    CSyncObject* m_pObject;
    BOOL m_bLocked = FALSE;
};
