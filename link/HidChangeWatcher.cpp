#include "link/HidChangeWatcher.h"

#include "platform/core/Messages.h"
#include "platform/core/Wait.h"

CHidChangeWatcher::~CHidChangeWatcher() {
    Stop();
}

BOOL CHidChangeWatcher::Start(HWND owner) {
    Stop();
    m_hOwner = owner;
    if (!m_monitor.Open())
        return FALSE;
    if (!m_stop.Open()) {
        m_monitor.Close();
        return FALSE;
    }
    m_thread = std::thread(&CHidChangeWatcher::Run, this);
    return TRUE;
}

void CHidChangeWatcher::Stop() {
    if (m_thread.joinable()) {
        m_stop.Wake();
        m_thread.join();
    }
    m_stop.Close();
    m_monitor.Close();
}

void CHidChangeWatcher::Run() {
    while (m_stop.Wait(m_monitor.GetFd(), INFINITE) > 0) {
        UINT event = 0;
        std::string path;
        while (m_monitor.Poll(&event, &path))
            Deliver(event, path);
    }
}

void CHidChangeWatcher::Deliver(UINT event, const std::string& path) {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_changes.push_back({event, path});
    }
    ::PostMessage(m_hOwner.load(), WM_DEVICECHANGE, event, 0);
}

BOOL CHidChangeWatcher::Take(Change* change) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_changes.empty())
        return FALSE;
    if (change)
        *change = std::move(m_changes.front());
    m_changes.pop_front();
    return TRUE;
}
