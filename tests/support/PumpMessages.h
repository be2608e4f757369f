// Runs the calling thread's posted and sent messages until a condition holds, for tests that wait
// for another thread's notices.
#pragma once

#include "platform/core/Messages.h"
#include "support/TimeScale.h"

#include <chrono>
#include <thread>

namespace r9test {

// Delivers the calling thread's messages until pred() holds or timeoutMs (scaled) passed; pred's last
// value.
template <class Pred> bool PumpUntil(Pred pred, int timeoutMs = 10000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms(timeoutMs));
    while (!pred()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        r9::msg::DeliverPending();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    r9::msg::DeliverPending();
    return true;
}

} // namespace r9test
