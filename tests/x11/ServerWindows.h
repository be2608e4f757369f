// The X server's own view of the windows, asked over a connection of the test's own: what the
// tests wait for before they act (a window mapped, stacked over another, inside a frame).
#pragma once

#include <cstdint>
#include <vector>

struct xcb_connection_t;

namespace r9test {

class ServerWindows {
public:
    ServerWindows();
    ~ServerWindows();
    ServerWindows(const ServerWindows&) = delete;
    ServerWindows& operator=(const ServerWindows&) = delete;

    bool Connected() const;
    // Mapped, with every ancestor mapped.
    bool Viewable(uint32_t window) const;
    uint32_t Parent(uint32_t window) const;
    // a's top-level window (the child of the root holding it) stacked above b's.
    bool Above(uint32_t a, uint32_t b) const;
    // A click on the window that a window manager answers by giving it the keyboard focus: the
    // press and release reach the window's client, then the focus moves, all at one server time.
    void ClickToFocus(uint32_t window, int x, int y);
    // The window that holds the keyboard focus.
    uint32_t InputFocus() const;

private:
    // The window's children, bottom first; *parent its parent.
    std::vector<uint32_t> Children(uint32_t window, uint32_t* parent) const;
    uint32_t TopOf(uint32_t window) const;
    // The server's time now, read off a property change on a window of the test's own.
    uint32_t Now();
    xcb_connection_t* m_c = nullptr;
    uint32_t m_root = 0;
    uint32_t m_clock = 0;
};

} // namespace r9test
