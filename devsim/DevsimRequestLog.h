// The request log of devsim --verbose: every request the emulator handled, in the order it came,
// once, each line "#position" and the frame's first 40 bytes, the idle polls too; requests
// the emulator's log dropped before they were read are named by a line of their own.
#pragma once

#include "DeviceEmulator.h"

#include <atomic>
#include <functional>
#include <string>
#include <thread>

class CDevsimRequestLog {
public:
    using Sink = std::function<void(const std::string& line)>;

    CDevsimRequestLog(CDeviceEmulator& emulator, Sink sink);
    // Stops a running log.
    ~CDevsimRequestLog();
    CDevsimRequestLog(const CDevsimRequestLog&) = delete;
    CDevsimRequestLog& operator=(const CDevsimRequestLog&) = delete;

    // Prints from its own thread from now on.
    void Start();
    // Ends the thread, then prints what was logged until now.
    void Stop();
    // Prints every request logged since the last line, waiting up to timeoutMs for one to come;
    // the count of requests taken (each printed).
    size_t Drain(int timeoutMs);
    static std::string FormatLine(size_t position, const std::vector<BYTE>& frame);

private:
    CDeviceEmulator& m_emulator;
    Sink m_sink;
    size_t m_next = 0; // position of the next request to print
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
