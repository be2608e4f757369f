// The idle ping thread of the network link: a thread with its own message loop and a 500 ms thread
// timer whose ticks run the owner's reachability step. Start and stop requests travel through the
// thread's queue, so they apply in the order they were made.
#pragma once

#include "platform/core/WinThread.h"

#include <atomic>

class CNet_Socket;

class CPing_Net_Thread : public CWinThread {
    DECLARE_DYNCREATE(CPing_Net_Thread)
public:
    CPing_Net_Thread();
    ~CPing_Net_Thread() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL OnThreadMessage(MSG* pMsg) override;

    void SetOwner(CNet_Socket* owner) { m_pOwner = owner; }
    // Any thread: the timer runs every nElapse ms from now on.
    void StartTimer(UINT nElapse);
    // Any thread: 0 when no timer ran, else TRUE. No tick posts anything once this returns.
    BOOL StopTimer();
    // Ends the message loop.
    void Quit();

    // Ticks handled so far.
    int GetTicks() const { return m_nTicks; }
    BOOL IsTimerOn() const { return m_bTimerOn; }

    // A tick: the owner's reachability step.
    void OnTimer(UINT_PTR nIDEvent);

    // The run flag of the reachability step.
    std::atomic<int> m_bTimerOn{0};
    std::atomic<int> m_bBusy{0};
    std::atomic<UINT_PTR> m_nTimerId{0};

private:
    static constexpr UINT kStartTimer = 0x0400 + 1;
    static constexpr UINT kStopTimer = 0x0400 + 2;

    CNet_Socket* m_pOwner = nullptr;
    std::atomic<int> m_nTicks{0};
};
