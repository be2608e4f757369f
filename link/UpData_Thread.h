// The firmware update's poll thread: while the device cannot be reached, a 500 ms thread timer
// tries to reconnect, quietly 50 times and then once more with messages, and reports the result
// to the update dialog. Start and stop requests travel through the thread's queue.
#pragma once

#include "platform/core/WinThread.h"

#include <atomic>
#include <functional>

// To the update dialog: wParam 0, lParam 1 reconnected, 0 not.
constexpr UINT WM_UPDATE_POLL_RESULT = 0x4C8;

class CUpData_Thread : public CWinThread {
    DECLARE_DYNCREATE(CUpData_Thread)
public:
    static constexpr int QUIET_TICKS = 50; // the 51st tick is the last, with messages
    static constexpr UINT POLL_MS = 500;

    CUpData_Thread();
    ~CUpData_Thread() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL OnThreadMessage(MSG* pMsg) override;

    // The dialog that receives WM_UPDATE_POLL_RESULT.
    void SetOwner(HWND owner) { m_hOwner = owner; }
    // The reconnect of the update (the main view's ReconnectForUpdate); runs on this thread.
    void SetReconnect(std::function<BOOL(BOOL quiet)> reconnect) { m_reconnect = std::move(reconnect); }

    // Any thread: ticks from 0 every ms from now on.
    void StartTimer(UINT ms);
    // Any thread: no tick runs a reconnect once this returns... except one already running.
    void StopTimer();
    void Quit();

    void OnTimer(UINT_PTR id);

    BOOL IsTimerOn() const { return m_bTimerOn.load(); }
    int GetTicks() const { return m_nTicks.load(); }
    int GetLastResult() const { return m_nResult.load(); }

private:
    static constexpr UINT kStartTimer = 0x8101;
    static constexpr UINT kStopTimer = 0x8102;

    std::atomic<HWND> m_hOwner{nullptr};
    std::atomic<UINT_PTR> m_nTimerId{0};
    std::atomic<int> m_bTimerOn{0};
    std::atomic<int> m_nTicks{0};
    std::atomic<int> m_nResult{0};
    std::function<BOOL(BOOL)> m_reconnect;
};
