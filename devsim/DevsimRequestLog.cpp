#include "DevsimRequestLog.h"

#include "wire/LinkFrame.h"

#include <cstdio>

namespace {
constexpr size_t kBytesShown = 40;
constexpr int kWaitMs = 200;
} // namespace

CDevsimRequestLog::CDevsimRequestLog(CDeviceEmulator& emulator, Sink sink)
    : m_emulator(emulator), m_sink(std::move(sink)) {}

CDevsimRequestLog::~CDevsimRequestLog() {
    Stop();
}

void CDevsimRequestLog::Start() {
    if (m_thread.joinable())
        return;
    m_stop = false;
    m_thread = std::thread([this] {
        while (!m_stop)
            Drain(kWaitMs);
    });
}

void CDevsimRequestLog::Stop() {
    if (!m_thread.joinable())
        return;
    m_stop = true;
    m_thread.join();
    Drain(0);
}

size_t CDevsimRequestLog::Drain(int timeoutMs) {
    size_t first = 0;
    const std::vector<DevsimRequest> got = m_emulator.WaitForRequestsFrom(m_next, timeoutMs, &first);
    if (first > m_next)
        m_sink("... " + std::to_string(first - m_next) +
               " requests dropped from the log before they were printed");
    size_t at = first;
    for (const DevsimRequest& r : got) {
        m_sink(FormatLine(at, r.frame));
        ++at;
    }
    m_next = at;
    return got.size();
}

std::string CDevsimRequestLog::FormatLine(size_t position, const std::vector<BYTE>& frame) {
    std::string line(1, '#');
    line += std::to_string(position);
    char hex[4];
    for (size_t i = 0; i < frame.size() && i < kBytesShown; ++i) {
        std::snprintf(hex, sizeof hex, " %02X", frame[i]);
        line += hex;
    }
    if (frame.size() > kBytesShown)
        line += " ...";
    return line;
}
