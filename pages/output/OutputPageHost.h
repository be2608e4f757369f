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
    // Output n's bands back to flat at their default centres, its record queued while online.
    virtual void ResetOutputEq(int output) = 0;
    // A question or notice of the program's message box; returns IDYES, IDNO, IDOK ...
    virtual int AskPage(LPCTSTR text, LPCTSTR caption, UINT type, int code) = 0;

    // ---- The speaker map (no-ops without a view)
    // While a link is open: FALSE saves the master volume once and sends it off, TRUE queues the
    // saved value back after the changes queued meanwhile.
    virtual void HoldMasterForChange(BOOL /*restore*/) {}
    // Output n takes its code; mode 0 queues the map and n's crossover, 1 the map and all eight.
    virtual void SendSpeakerMap(int /*output*/, int /*mode*/) {}
    virtual void SetOutputMixDefaults(int /*output*/, int /*code*/, BOOL /*requestRestore*/) {}
    virtual void ClearOutputLinks() {}
    // Copies each left/right pair in the direction (0 left to right) and joins it; TRUE when any.
    virtual BOOL ApplyChannelLinks(int /*direction*/) { return FALSE; }
    virtual void PasteOutput(int /*from*/, int /*to*/) {}
    // The map reset question: 1 emptied, 2 default, 0 cancelled.
    virtual int AskMapReset() { return 0; }
    // The left/right link question: 0 copy left to right, 1 right to left, -1 cancelled.
    virtual int AskLinkDirection() { return -1; }
    // Fills g_speakerMap and g_outXoverTable from a file the user picks; FALSE changes nothing.
    virtual BOOL ReadOutputMapFile() { return FALSE; }
    virtual void SaveOutputMapFile() {}
    // Queues message (0, 0) to the view; it runs after whatever the page is doing returned.
    virtual void PostViewMessage(UINT) {}
};
