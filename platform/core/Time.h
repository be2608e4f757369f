// Monotonic time: millisecond ticks, sleeps and the performance counter, all over steady_clock.
#pragma once

#include "platform/core/WinTypes.h"

union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
};

// Milliseconds since an arbitrary start; a DWORD, so it wraps after about 49.7 days.
DWORD GetTickCount();
ULONGLONG GetTickCount64();
void Sleep(DWORD dwMilliseconds);
// Counts nanoseconds; the frequency is therefore 1e9 per second.
BOOL QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency);
