#include "link/UpData_Thread.h"

#include "platform/core/Messages.h"

IMPLEMENT_DYNCREATE(CUpData_Thread, CTimerThread)

CUpData_Thread::CUpData_Thread() = default;

CUpData_Thread::~CUpData_Thread() = default;

void CUpData_Thread::StartTimer(UINT ms) {
    m_nTicks = 0;
    CTimerThread::StartTimer(ms);
}

void CUpData_Thread::OnTimer(UINT_PTR) {
    const int tick = m_nTicks.load();
    BOOL result = FALSE;
    if (tick >= QUIET_TICKS) {
        StopTimer();
        result = m_reconnect ? m_reconnect(FALSE) : FALSE;
    } else {
        result = m_reconnect ? m_reconnect(TRUE) : FALSE;
        if (!result) {
            m_nTicks = tick + 1;
            return;
        }
        StopTimer();
    }
    m_nResult = result ? 1 : 0;
    if (HWND owner = m_hOwner.load())
        ::PostMessage(owner, WM_UPDATE_POLL_RESULT, 0, result ? 1 : 0);
    m_nTicks = tick + 1;
}
