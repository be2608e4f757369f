#include "link/Ping_Net_Thread.h"

#include "link/Net_Socket.h"

IMPLEMENT_DYNCREATE(CPing_Net_Thread, CWinThread)

CPing_Net_Thread::CPing_Net_Thread() = default;

CPing_Net_Thread::~CPing_Net_Thread() = default;

BOOL CPing_Net_Thread::InitInstance() {
    m_nTimerId = 0;
    m_bBusy = 0;
    return TRUE; // run the message loop
}

int CPing_Net_Thread::ExitInstance() {
    if (UINT_PTR id = m_nTimerId.exchange(0))
        ::KillTimer(nullptr, id);
    return CWinThread::ExitInstance();
}

void CPing_Net_Thread::StartTimer(UINT nElapse) {
    m_bTimerOn = 1;
    PostThreadMessage(kStartTimer, nElapse, 0);
}

BOOL CPing_Net_Thread::StopTimer() {
    if (!m_bTimerOn.exchange(0))
        return 0;
    PostThreadMessage(kStopTimer, 0, 0);
    return TRUE;
}

void CPing_Net_Thread::Quit() {
    m_bTimerOn = 0;
    PostThreadMessage(WM_QUIT, 0, 0);
}

BOOL CPing_Net_Thread::OnThreadMessage(MSG* pMsg) {
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
        if (pMsg->wParam == m_nTimerId && m_nTimerId != 0)
            OnTimer(pMsg->wParam);
        return TRUE;
    default:
        return FALSE;
    }
}

void CPing_Net_Thread::OnTimer(UINT_PTR) {
    if (!m_pOwner || !m_bTimerOn)
        return;
    m_bBusy = 1;
    m_pOwner->CheckReachable(&m_bTimerOn);
    m_bBusy = 0;
    ++m_nTicks;
}
