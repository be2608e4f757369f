// The view's link limits and pauses shortened for tests (scaled by R9_TEST_TIME_SCALE).
#pragma once

#include "shell/TRV410View.h"
#include "support/TimeScale.h"

namespace r9test {

inline void ShortenViewTimings(CTRV410View& view) {
    LinkTimings& t = view.m_worker.Timings();
    t.usbReadWait = Ms(800);
    t.usbAnswer = Ms(500);
    t.netReceive = Ms(300);
    t.netAnswer = Ms(800);
    t.reconnectPause = 50;
    view.m_nConnectPauseMs = 0;
    view.m_nReconnectPauseMs = 0;
    view.m_net.m_nSettleMs = 20;
}

} // namespace r9test
