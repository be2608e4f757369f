// The idle ping thread of the network link: every 500 ms tick of its thread timer runs the owner's
// reachability step, which ends early once the timer is stopped.
#pragma once

#include "link/TimerThread.h"

#include <atomic>

class CNet_Socket;

class CPing_Net_Thread : public CTimerThread {
    DECLARE_DYNCREATE(CPing_Net_Thread)
public:
    CPing_Net_Thread();
    ~CPing_Net_Thread() override;

    void SetOwner(CNet_Socket* owner) { m_pOwner = owner; }
    // Ticks handled so far.
    int GetTicks() const { return m_nTicks; }

    // A step is running.
    std::atomic<int> m_bBusy{0};

protected:
    void OnTimer(UINT_PTR nIDEvent) override;

private:
    CNet_Socket* m_pOwner = nullptr;
    std::atomic<int> m_nTicks{0};
};
