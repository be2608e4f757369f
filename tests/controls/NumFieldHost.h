// A page stand-in for the numeric field tests: a logging top-level window with a dark page
// background under the transparent fields.
#pragma once

#include "controls/ControlMessages.h"
#include "platform/ui/PaintDC.h"
#include "support/LogWnd.h"

#include <QCoreApplication>

class NumFieldHost : public r9test::LogWnd {
public:
    static constexpr COLORREF kPage = RGB(27, 30, 36);

    BOOL OnEraseBkgnd(CDC* dc) override {
        CRect rc;
        GetClientRect(&rc);
        dc->FillSolidRect(&rc, kPage);
        return TRUE;
    }
    void OnPaint() override {
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, kPage);
    }
    // WM_COMMAND with notification code 0 from this control id (commits and steps).
    int Commands(int id) const {
        int n = 0;
        for (UINT code : Codes(id))
            n += code == 0;
        return n;
    }
    int Count(UINT message) const { return static_cast<int>(Of(message).size()); }
    // Position of the first message of this kind in the log, or -1.
    int IndexOf(UINT message) const {
        for (size_t i = 0; i < log.size(); ++i)
            if (log[i].message == message)
                return static_cast<int>(i);
        return -1;
    }
    // Delivers posted messages and queued events.
    static void Flush() {
        for (int i = 0; i < 4; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }
};
