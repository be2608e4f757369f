// A top-level test window that records every message it receives (after running it normally),
// for asserting the notifications controls send or post to their parent.
#pragma once

#include "platform/ui/Wnd.h"

#include <QApplication>

#include <QWidget>
#include <vector>

namespace r9test {

struct LoggedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class LogWnd : public CWnd {
public:
    // A visible, active popup of the given client size at (100, 100).
    BOOL CreateTop(int width = 400, int height = 300) {
        if (!CreateEx(0, "", "test", WS_POPUP | WS_VISIBLE, CRect(100, 100, 100 + width, 100 + height),
                      nullptr, 0))
            return FALSE;
        Widget()->activateWindow();
        QApplication::setActiveWindow(Widget());
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (m_recording)
            log.push_back({message, wParam, lParam});
        if (answer && message == answerMessage)
            return answerValue;
        return CWnd::WindowProc(message, wParam, lParam);
    }
    // Messages of one kind, in order.
    std::vector<LoggedMessage> Of(UINT message) const {
        std::vector<LoggedMessage> out;
        for (const auto& m : log)
            if (m.message == message)
                out.push_back(m);
        return out;
    }
    // WM_COMMAND notification codes from control id, in order.
    std::vector<UINT> Codes(int id) const {
        std::vector<UINT> out;
        for (const auto& m : log)
            if (m.message == WM_COMMAND && LOWORD(m.wParam) == id)
                out.push_back(HIWORD(m.wParam));
        return out;
    }
    void Clear() { log.clear(); }
    void Record(bool on) { m_recording = on; }

    std::vector<LoggedMessage> log;
    // Optional fixed answer to one message (e.g. a WM_CTLCOLOR brush).
    bool answer = false;
    UINT answerMessage = 0;
    LRESULT answerValue = 0;

private:
    bool m_recording = true;
};

} // namespace r9test
