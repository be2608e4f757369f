// Base of the lockable and waitable synchronisation objects, so CSingleLock takes any of them.
#pragma once

#include "platform/core/Wait.h"
#include "platform/core/WinTypes.h"

class CSyncObject {
public:
    virtual ~CSyncObject();
    CSyncObject(const CSyncObject&) = delete;
    CSyncObject& operator=(const CSyncObject&) = delete;

    // Waits for a waitable object; TRUE when it was signalled within the time.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock();

    operator HANDLE() const { return m_hObject; }

    // NULL for objects that are locks rather than waitable objects.
    HANDLE m_hObject = nullptr;

protected:
    CSyncObject() = default;
};
