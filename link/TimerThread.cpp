#include "link/TimerThread.h"

#include "platform/core/Messages.h"

IMPLEMENT_DYNAMIC(CTimerThread, CWinThread)

CTimerThread::CTimerThread() = default;

CTimerThread::~CTimerThread() = default;

BOOL CTimerThread::InitInstance() {
    return TRUE; // run the message loop
}

int CTimerThread::ExitInstance() {
    m_bTimerOn = 0;
    if (UINT_PTR id = m_nTimerId.exchange(0))
        ::KillTimer(nullptr, id);
    return CWinThread::ExitInstance();
}

void CTimerThread::StartTimer(UINT ms) {
    m_bTimerOn = 1;
    PostThreadMessage(kStartTimer, ms, 0);
}

BOOL CTimerThread::StopTimer() {
    if (!m_bTimerOn.exchange(0))
        return FALSE;
    PostThreadMessage(kStopTimer, 0, 0);
    return TRUE;
}

void CTimerThread::Quit() {
    m_bTimerOn = 0;
    PostThreadMessage(WM_QUIT, 0, 0);
}

BOOL CTimerThread::OnThreadMessage(MSG* pMsg) {
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
        if (pMsg->wParam != 0 && pMsg->wParam == m_nTimerId.load() && m_bTimerOn.load())
            OnTimer(pMsg->wParam);
        return TRUE;
    default:
        return FALSE;
    }
}

void CTimerThread::OnTimer(UINT_PTR) {}
