// What the input page asks of the main view: the send entry, the system-record mark, the input
// channel senders and the questions. The view implements it; tests use a recording stand-in. UI
// thread.
#pragma once

#include "pages/output/PageMessages.h"
#include "platform/core/WinTypes.h"

// Messages of the input page.
constexpr UINT WM_INPUT_CHANNEL_SELECT = 0x591; // (0, input) from the selector bar

class CInputPageHost {
public:
    virtual ~CInputPageHost() = default;
    // Queues one system record (CMD_...) of preset 0 when a link is open.
    virtual void SendCommand(int cmd, int preset) = 0;
    virtual void SetSystemDataDirty(BOOL set) = 0;
    // Queues input n's whole record.
    virtual void SendInputChannel(int input) = 0;
    // Input n's bands back to their default frequencies, flat, queued, and the page reloaded.
    virtual void ResetInputEq(int input) = 0;
    // A question of the program's message box; returns IDYES, IDNO ...
    virtual int AskPage(LPCTSTR text, LPCTSTR caption, UINT type, int code) = 0;
};
