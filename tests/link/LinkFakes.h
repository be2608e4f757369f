// Scripted transports for the worker tests: a HID interface and a TCP connection whose device
// side is a function from request frame to answer (bytes and delay).
#pragma once

#include "link/LinkGlobals.h"
#include "link/LinkHost.h"
#include "link/NetTransport.h"
#include "platform/io/HidDevice.h"
#include "platform/io/Winsock.h"
#include "wire/LinkFrame.h"
#include "support/TimeScale.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

// What the scripted device does with one request: the answer's bytes (none: silent), sent after
// delayMs; a partial answer is a prefix of a frame. Both delays are scaled (r9test::Ms) like the
// answer windows they are measured against.
struct FakeReply {
    std::vector<BYTE> bytes;
    int delayMs = 0;
    int trickleMs = 0; // > 0: one byte every trickleMs after the delay (TCP only)
};
using FakeDevice = std::function<FakeReply(const std::vector<BYTE>& request)>;

// Collects the frames of a byte stream (requests).
class FrameCollector {
public:
    // Appends bytes; every complete frame goes to done.
    void Add(const BYTE* data, size_t n, const std::function<void(std::vector<BYTE>)>& done) {
        m_bytes.insert(m_bytes.end(), data, data + n);
        for (;;) {
            while (!m_bytes.empty() && m_bytes[0] != FRAME_SYNC)
                m_bytes.erase(m_bytes.begin());
            if (m_bytes.size() < LinkFrame::HEADER_SIZE)
                return;
            const size_t len =
                static_cast<size_t>(LinkFrame::PayloadLength(m_bytes.data())) + LinkFrame::OVERHEAD;
            if (m_bytes.size() < len)
                return;
            std::vector<BYTE> frame(m_bytes.begin(), m_bytes.begin() + static_cast<long>(len));
            m_bytes.erase(m_bytes.begin(), m_bytes.begin() + static_cast<long>(len));
            done(std::move(frame));
        }
    }
    void Clear() { m_bytes.clear(); }

private:
    std::vector<BYTE> m_bytes;
};

class FakeHid : public CHidDevice {
public:
    explicit FakeHid(FakeDevice device) : m_device(std::move(device)) {}

    int WriteReport(const BYTE* report, DWORD) override {
        std::lock_guard lk(m_lock);
        if (!m_open)
            return HID_IO_ERROR;
        m_reports.emplace_back(report, report + HID_REPORT_SIZE);
        // Zero fill after the frame is padding, not a frame start.
        m_collector.Add(report + 1, HID_REPORT_DATA, [this](std::vector<BYTE> f) {
            m_frames.push_back(f);
            FakeReply r = m_device(f);
            const auto due =
                std::chrono::steady_clock::now() + std::chrono::milliseconds(r9test::Ms(r.delayMs));
            for (size_t at = 0; at < r.bytes.size(); at += HID_REPORT_DATA) {
                std::vector<BYTE> in(HID_REPORT_SIZE, 0);
                std::memcpy(in.data() + 1, r.bytes.data() + at,
                            std::min<size_t>(HID_REPORT_DATA, r.bytes.size() - at));
                m_in.push_back({due, std::move(in)});
            }
        });
        m_cv.notify_all();
        return HID_IO_OK;
    }
    int ReadReport(BYTE* report, DWORD timeoutMs) override {
        std::unique_lock lk(m_lock);
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (!m_open)
                return HID_IO_ERROR;
            const auto now = std::chrono::steady_clock::now();
            if (!m_in.empty() && m_in.front().first <= now) {
                std::memcpy(report, m_in.front().second.data(), HID_REPORT_SIZE);
                m_in.pop_front();
                ++m_readCount;
                return HID_IO_OK;
            }
            if (now >= end)
                return HID_IO_TIMEOUT;
            auto wake = end;
            if (!m_in.empty())
                wake = std::min(wake, m_in.front().first);
            m_cv.wait_until(lk, wake);
        }
    }
    void Purge() override {
        std::lock_guard lk(m_lock);
        m_in.clear();
    }
    void Close() override {
        std::lock_guard lk(m_lock);
        m_open = false;
        m_cv.notify_all();
    }
    bool IsOpen() const override {
        std::lock_guard lk(m_lock);
        return m_open;
    }
    std::vector<std::vector<BYTE>> Frames() const {
        std::lock_guard lk(m_lock);
        return m_frames;
    }
    std::vector<std::vector<BYTE>> Reports() const {
        std::lock_guard lk(m_lock);
        return m_reports;
    }

private:
    FakeDevice m_device;
    mutable std::mutex m_lock;
    std::condition_variable m_cv;
    bool m_open = true;
    FrameCollector m_collector;
    std::vector<std::vector<BYTE>> m_frames;
    std::vector<std::vector<BYTE>> m_reports;
    std::deque<std::pair<std::chrono::steady_clock::time_point, std::vector<BYTE>>> m_in;
    int m_readCount = 0;
};

class FakeNet : public CNetTransport {
public:
    explicit FakeNet(FakeDevice device) : m_device(std::move(device)) {}

    BOOL Connect() override {
        std::lock_guard lk(m_lock);
        ++m_connects;
        m_connected = m_acceptConnect;
        m_in.clear();
        m_collector.Clear();
        return m_connected;
    }
    BOOL Close() override {
        std::lock_guard lk(m_lock);
        ++m_closes;
        m_connected = false;
        m_in.clear();
        return TRUE;
    }
    BOOL Send(const BYTE* data, int length, int) override {
        std::lock_guard lk(m_lock);
        if (!m_connected || m_failSends > 0) {
            if (m_failSends > 0)
                --m_failSends;
            return FALSE;
        }
        m_collector.Add(data, static_cast<size_t>(length), [this](std::vector<BYTE> f) {
            m_frames.push_back(f);
            FakeReply r = m_device(f);
            auto due = std::chrono::steady_clock::now() + std::chrono::milliseconds(r9test::Ms(r.delayMs));
            if (r.trickleMs > 0) {
                for (BYTE b : r.bytes) {
                    m_in.push_back({due, {b}});
                    due += std::chrono::milliseconds(r9test::Ms(r.trickleMs));
                }
            } else if (!r.bytes.empty()) {
                m_in.push_back({due, r.bytes});
            }
        });
        m_cv.notify_all();
        return TRUE;
    }
    int WaitReadable(DWORD timeoutMs) override {
        std::unique_lock lk(m_lock);
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            const auto now = std::chrono::steady_clock::now();
            if (!m_connected || m_peerClosed || (!m_in.empty() && m_in.front().first <= now))
                return 1;
            if (now >= end)
                return 0;
            auto wake = end;
            if (!m_in.empty())
                wake = std::min(wake, m_in.front().first);
            m_cv.wait_until(lk, wake);
        }
    }
    int Receive(int* count) override {
        std::lock_guard lk(m_lock);
        if (!m_connected) {
            *count = -1;
            return 0;
        }
        if (m_peerClosed) {
            *count = 0;
            return 0;
        }
        if (m_in.empty() || m_in.front().first > std::chrono::steady_clock::now()) {
            *count = -1;
            return WSAETIMEDOUT;
        }
        std::vector<BYTE>& bytes = m_in.front().second;
        const int n = static_cast<int>(std::min<size_t>(bytes.size(), NET_RECV_SIZE));
        std::memcpy(g_netRecvBuf, bytes.data(), static_cast<size_t>(n));
        bytes.erase(bytes.begin(), bytes.begin() + n);
        if (bytes.empty())
            m_in.pop_front();
        *count = n;
        return n;
    }
    BOOL HasLocalAdapter() override { return m_hasAdapter; }

    std::vector<std::vector<BYTE>> Frames() const {
        std::lock_guard lk(m_lock);
        return m_frames;
    }
    int Connects() const {
        std::lock_guard lk(m_lock);
        return m_connects;
    }

    std::atomic<bool> m_hasAdapter{true};
    std::atomic<bool> m_peerClosed{false};
    bool m_acceptConnect = true;
    int m_failSends = 0;

private:
    FakeDevice m_device;
    mutable std::mutex m_lock;
    std::condition_variable m_cv;
    bool m_connected = true;
    int m_connects = 0;
    int m_closes = 0;
    FrameCollector m_collector;
    std::vector<std::vector<BYTE>> m_frames;
    std::deque<std::pair<std::chrono::steady_clock::time_point, std::vector<BYTE>>> m_in;
};

class FakeHost : public CLinkHost {
public:
    CHidDevice* GetUsbDevice() override { return m_hid; }
    BOOL OpenUsbDevice() override { return FALSE; }
    CNetTransport* GetNetTransport() override { return m_net; }
    BOOL IsLinkOpen() override { return m_linkOpen.load(); }

    CHidDevice* m_hid = nullptr;
    CNetTransport* m_net = nullptr;
    std::atomic<int> m_linkOpen{1};
};
