// Delivers HID arrival and removal to the main view: a small thread waits on the udev monitor of
// "hidraw" and, for each change, queues it and posts the device-change message; the view's handler
// takes the changes from the queue on the UI thread.
#pragma once

#include "platform/core/WinTypes.h"
#include "platform/io/HidMonitor.h"
#include "platform/io/WakePipe.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

constexpr UINT WM_DEVICECHANGE = 0x0219;

class CHidChangeWatcher {
public:
    struct Change {
        UINT event = 0; // DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE
        std::string path;
    };

    CHidChangeWatcher() = default;
    ~CHidChangeWatcher();
    CHidChangeWatcher(const CHidChangeWatcher&) = delete;
    CHidChangeWatcher& operator=(const CHidChangeWatcher&) = delete;

    // Starts watching for the owner window; FALSE when udev is unavailable (no hot-plug then).
    BOOL Start(HWND owner);
    void Stop();
    BOOL IsRunning() const { return m_thread.joinable(); }

    // Queues a change and posts WM_DEVICECHANGE (wParam = event) to the owner; also used by tests.
    void Deliver(UINT event, const std::string& path);
    // The oldest waiting change; FALSE when none waits.
    BOOL Take(Change* change);

private:
    void Run();

    CHidMonitor m_monitor;
    std::atomic<HWND> m_hOwner{nullptr};
    CWakePipe m_stop;
    std::thread m_thread;
    std::mutex m_lock;
    std::deque<Change> m_changes;
};
