// What the level and delay page asks of the main view: the system-record sends and marks, the
// input page's side of an input choice and its display on the rest of the window, the way back to
// the output page. The view implements it; tests use a recording stand-in. UI thread.
#pragma once

#include "platform/core/WinTypes.h"

class CLevelPageHost {
public:
    virtual ~CLevelPageHost() = default;
    // Queues one system record (CMD_...) of preset 0 when a link is open.
    virtual void SendCommand(int cmd, int preset) = 0;
    virtual void SetSystemDataDirty(BOOL set) = 0;
    // Posts a message to the input page (nothing without one).
    virtual void PostToInputPage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The input page's check of the mixer source for a newly chosen input in the AUX mode.
    virtual void ValidateSource(int input, int auxMode) = 0;
    // The output page becomes current (posted: the level page is hidden after its handler).
    virtual void ShowOutputPage() = 0;
    // An input chosen on the page (already stored and sent): the rest of the window shows it.
    virtual void ShowCurrentInput(int input) = 0;
};
