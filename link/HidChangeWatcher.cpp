#include "link/HidChangeWatcher.h"

#include "platform/core/Messages.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

CHidChangeWatcher::~CHidChangeWatcher() {
    Stop();
}

BOOL CHidChangeWatcher::Start(HWND owner) {
    Stop();
    m_hOwner = owner;
    if (!m_monitor.Open())
        return FALSE;
    if (::pipe2(m_stopPipe, O_CLOEXEC) != 0) {
        m_monitor.Close();
        return FALSE;
    }
    m_thread = std::thread(&CHidChangeWatcher::Run, this);
    return TRUE;
}

void CHidChangeWatcher::Stop() {
    if (m_thread.joinable()) {
        const char b = 1;
        while (::write(m_stopPipe[1], &b, 1) < 0 && errno == EINTR) {
        }
        m_thread.join();
    }
    for (int& fd : m_stopPipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    m_monitor.Close();
}

void CHidChangeWatcher::Run() {
    for (;;) {
        pollfd p[2] = {{m_monitor.GetFd(), POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
        int n = ::poll(p, 2, -1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || (p[1].revents & (POLLIN | POLLHUP | POLLERR)))
            return;
        if (p[0].revents & (POLLERR | POLLNVAL))
            return;
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
