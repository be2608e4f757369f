// Events with manual or automatic reset, as objects and as bare handles.
#pragma once

#include "platform/core/SyncObject.h"

class CEvent : public CSyncObject {
public:
    explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE);

    BOOL SetEvent();
    BOOL ResetEvent();
};

HANDLE CreateEvent(LPVOID lpEventAttributes, BOOL bManualReset, BOOL bInitialState, LPCSTR lpName);
BOOL SetEvent(HANDLE hEvent);
BOOL ResetEvent(HANDLE hEvent);
