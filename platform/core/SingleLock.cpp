#include "platform/core/SingleLock.h"

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock) : m_pObject(pObject) {
    if (bInitialLock)
        Lock();
}

CSingleLock::~CSingleLock() {
    Unlock();
}

BOOL CSingleLock::Lock(DWORD dwTimeout) {
    if (!m_pObject || m_bLocked)
        return m_bLocked;
    m_bLocked = m_pObject->Lock(dwTimeout);
    return m_bLocked;
}

BOOL CSingleLock::Unlock() {
    if (m_bLocked) {
        m_pObject->Unlock();
        m_bLocked = FALSE;
    }
    return TRUE;
}
