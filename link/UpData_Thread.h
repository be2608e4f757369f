// The firmware update's poll thread: while the device cannot be reached, a 500 ms thread timer
// tries to reconnect, quietly 50 times and then once more with messages, and reports the result
// to the update dialog.
#pragma once

#include "link/TimerThread.h"

#include <atomic>
#include <functional>

// To the update dialog: wParam 0, lParam 1 reconnected, 0 not.
constexpr UINT WM_UPDATE_POLL_RESULT = 0x4C8;

class CUpData_Thread : public CTimerThread {
    DECLARE_DYNCREATE(CUpData_Thread)
public:
    static constexpr int QUIET_TICKS = 50; // the 51st tick is the last, with messages
    static constexpr UINT POLL_MS = 500;

    CUpData_Thread();
    ~CUpData_Thread() override;

    // The dialog that receives WM_UPDATE_POLL_RESULT.
    void SetOwner(HWND owner) { m_hOwner = owner; }
    // The reconnect of the update (the main view's ReconnectForUpdate), called on this thread; the
    // view sends the work to the UI thread, which owns the link worker's control calls.
    void SetReconnect(std::function<BOOL(BOOL quiet)> reconnect) { m_reconnect = std::move(reconnect); }

    // Any thread: ticks from 0 every ms from now on.
    void StartTimer(UINT ms);

    int GetTicks() const { return m_nTicks.load(); }
    int GetLastResult() const { return m_nResult.load(); }

protected:
    void OnTimer(UINT_PTR nIDEvent) override;

private:
    std::atomic<HWND> m_hOwner{nullptr};
    std::atomic<int> m_nTicks{0};
    std::atomic<int> m_nResult{0};
    std::function<BOOL(BOOL)> m_reconnect;
};
