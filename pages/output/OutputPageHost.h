// What the output page asks of the main view: the senders, the system-record marks, the input-type
// pause and the questions. The view implements it; tests use a recording stand-in. UI thread.
#pragma once

#include "platform/core/WinTypes.h"

// Messages the output page posts to the view (no parameters).
constexpr UINT WM_SHOW_LEVEL_PAGE = 0x52D;  // show the level and delay page
constexpr UINT WM_DATA_RANGE_ERROR = 0x84E; // loaded data were out of range: ask, then reset or close

class COutputPageHost {
public:
    virtual ~COutputPageHost() = default;
    // Queues one system record (CMD_...) of preset 0 when a link is open.
    virtual void SendCommand(int cmd, int preset) = 0;
    virtual void SetSystemDataDirty(BOOL set) = 0;
    // Device-state reports are ignored for the next second.
    virtual void StartInputTypeTimer() = 0;
    // The current output's link group back to flat EQ, queued, and the page's bands reloaded.
    virtual void ResetLinkedOutputEq() = 0;
    // Queues output n's whole record.
    virtual void SendOutputChannel(int output) = 0;
    // A question or notice of the program's message box; returns IDYES, IDNO, IDOK ...
    virtual int AskPage(LPCTSTR text, LPCTSTR caption, UINT type, int code) = 0;
    // Queues message (0, 0) to the view; it runs after whatever the page is doing returned.
    virtual void PostViewMessage(UINT) {}
};
