// Helpers of the link tests: a window-less receiver of the link's messages on the test thread, and
// answer frames in the device's shape.
#pragma once

#include "devsim/DeviceProtocol.h"

#include "platform/core/MessageTarget.h"
#include "platform/core/Messages.h"
#include "wire/LinkFrame.h"
#include "support/TimeScale.h"

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

struct LinkMsg {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Records every message delivered to it; its handle belongs to the creating thread, so the test
// thread delivers (Pump) and serves the worker's sent messages while it waits.
class MessageSink : public CMessageTarget {
public:
    MessageSink() { m_hWnd = RegisterTarget(); }
    ~MessageSink() override { UnregisterTarget(); }
    HWND Handle() const { return m_hWnd; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        m_log.push_back({message, wParam, lParam});
        if (m_onMessage)
            m_onMessage(message, wParam, lParam);
        return 0;
    }

    // Delivers what is pending; the number delivered.
    int Pump() { return r9::msg::DeliverPending(); }
    // Pumps until pred holds or timeoutMs (scaled) passed; the final pred.
    bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 5000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(r9test::Ms(timeoutMs));
        for (;;) {
            Pump();
            if (pred())
                return true;
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    int Count(UINT message) const {
        int n = 0;
        for (const LinkMsg& m : m_log)
            n += m.message == message;
        return n;
    }
    const LinkMsg* Last(UINT message) const {
        for (auto it = m_log.rbegin(); it != m_log.rend(); ++it)
            if (it->message == message)
                return &*it;
        return nullptr;
    }
    void Clear() { m_log.clear(); }

    std::vector<LinkMsg> m_log;
    std::function<void(UINT, WPARAM, LPARAM)> m_onMessage;

private:
    HWND m_hWnd = nullptr;
};

// A device answer frame.
inline std::vector<BYTE> Answer(BYTE type, int preset, int group, int index, int bank,
                                std::vector<BYTE> payload) {
    return CDeviceProtocol::MakeFrame(type, static_cast<BYTE>(preset), static_cast<BYTE>(group),
                                      static_cast<BYTE>(index), static_cast<BYTE>(bank), payload.data(),
                                      static_cast<int>(payload.size()));
}
inline std::vector<BYTE> Ack() {
    return Answer(FRAME_ACK, 0, GROUP_SYSTEM, 0, 0, {});
}
inline std::vector<BYTE> SysData(int cmd, std::vector<BYTE> payload, int preset = 0) {
    return Answer(FRAME_DATA, preset, GROUP_SYSTEM, cmd, 0, std::move(payload));
}
