#include "platform/core/SyncObject.h"

CSyncObject::~CSyncObject() {
    if (m_hObject)
        CloseHandle(m_hObject);
}

BOOL CSyncObject::Lock(DWORD dwTimeout) {
    return m_hObject && WaitForSingleObject(m_hObject, dwTimeout) == WAIT_OBJECT_0;
}

BOOL CSyncObject::Unlock() {
    return TRUE;
}
