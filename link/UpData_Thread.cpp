#include "link/UpData_Thread.h"

#include "platform/core/Messages.h"

IMPLEMENT_DYNCREATE(CUpData_Thread, CWinThread)

CUpData_Thread::CUpData_Thread() = default;

CUpData_Thread::~CUpData_Thread() = default;

BOOL CUpData_Thread::InitInstance() {
    return TRUE; // run the message loop
}

int CUpData_Thread::ExitInstance() {
    m_bTimerOn = 0;
    if (UINT_PTR id = m_nTimerId.exchange(0))
        ::KillTimer(nullptr, id);
    return CWinThread::ExitInstance();
}

void CUpData_Thread::StartTimer(UINT ms) {
    m_nTicks = 0;
    m_bTimerOn = 1;
    PostThreadMessage(kStartTimer, ms, 0);
}

void CUpData_Thread::StopTimer() {
    if (m_bTimerOn.exchange(0))
        PostThreadMessage(kStopTimer, 0, 0);
}

void CUpData_Thread::Quit() {
    m_bTimerOn = 0;
    PostThreadMessage(WM_QUIT, 0, 0);
}

BOOL CUpData_Thread::OnThreadMessage(MSG* pMsg) {
    switch (pMsg->message) {
    case kStartTimer:
        if (UINT_PTR old = m_nTimerId.exchange(0))
            ::KillTimer(nullptr, old);
        // A stop made after this start was posted wins.
        if (m_bTimerOn)
            m_nTimerId = ::SetTimer(nullptr, 0, static_cast<UINT>(pMsg->wParam), nullptr);
        return TRUE;
    case kStopTimer:
        if (UINT_PTR old = m_nTimerId.exchange(0))
            ::KillTimer(nullptr, old);
        return TRUE;
    case WM_TIMER:
        OnTimer(pMsg->wParam);
        return TRUE;
    default:
        return FALSE;
    }
}

void CUpData_Thread::OnTimer(UINT_PTR id) {
    if (id == 0 || id != m_nTimerId.load() || !m_bTimerOn.load())
        return;
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
