#include "link/Ping_Net_Thread.h"

#include "link/Net_Socket.h"

IMPLEMENT_DYNCREATE(CPing_Net_Thread, CTimerThread)

CPing_Net_Thread::CPing_Net_Thread() = default;

CPing_Net_Thread::~CPing_Net_Thread() = default;

void CPing_Net_Thread::OnTimer(UINT_PTR) {
    if (!m_pOwner)
        return;
    m_bBusy = 1;
    m_pOwner->CheckReachable(RunFlag());
    m_bBusy = 0;
    ++m_nTicks;
}
