// Waiting on kernel-style objects (events and threads) by handle.
// A handle names an entry of one process-wide table; a handle whose object is gone makes a wait
// fail instead of touching freed memory.
#pragma once

#include "platform/core/WinTypes.h"

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_ABANDONED_0 = 0x80;
constexpr DWORD WAIT_TIMEOUT = 0x102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;

DWORD WaitForSingleObject(HANDLE hObject, DWORD dwMilliseconds);
// Wait-any returns WAIT_OBJECT_0 + the lowest signalled index; an automatic-reset event is
// consumed only by the wait it wakes. Wait-all returns WAIT_OBJECT_0 once every object is set.
DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds);
// Removes the handle from the table. Waits already running on it still see a signal set before the
// close; otherwise they fail at once instead of waiting for a signal that can never come.
BOOL CloseHandle(HANDLE hObject);

namespace r9::wait {
enum class Kind { ManualEvent, AutoEvent, Thread };
HANDLE Create(Kind kind, bool signalled);
// FALSE for an unknown handle, and for a thread handle unless bThreadToo.
BOOL SetSignalled(HANDLE h, bool signalled, bool bThreadToo = false);
} // namespace r9::wait
