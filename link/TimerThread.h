// A thread with its own message loop and one thread timer whose ticks it handles itself. Start and
// stop requests travel through the thread's queue, so they apply in the order they were made; the
// run flag drops at once when a stop is asked for.
#pragma once

#include "platform/core/WinThread.h"

#include <atomic>

class CTimerThread : public CWinThread {
    DECLARE_DYNAMIC(CTimerThread)
public:
    CTimerThread();
    ~CTimerThread() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL OnThreadMessage(MSG* pMsg) override;

    // Any thread: the timer ticks every ms from now on (a running one is replaced).
    void StartTimer(UINT ms);
    // Any thread: FALSE when no timer ran. The run flag is clear once this returns.
    BOOL StopTimer();
    // Any thread: stops the timer and ends the message loop.
    void Quit();

    BOOL IsTimerOn() const { return m_bTimerOn.load(); }
    // The run flag, for steps that must end early once the timer is stopped.
    const std::atomic<int>* RunFlag() const { return &m_bTimerOn; }

protected:
    // A tick of the running timer, on this thread.
    virtual void OnTimer(UINT_PTR nIDEvent);

    std::atomic<int> m_bTimerOn{0};
    std::atomic<UINT_PTR> m_nTimerId{0};

private:
    static constexpr UINT kStartTimer = 0x8101;
    static constexpr UINT kStopTimer = 0x8102;
};
