// What the advanced settings dialog asks of the main view: the senders, the system marks, the
// input page's source button and the stored show-all-curves option. Tests use a recording
// stand-in (nothing in the program opens the dialog).
#pragma once

#include "platform/core/WinTypes.h"

class CAdvSetingHost {
public:
    virtual ~CAdvSetingHost() = default;
    // Queues one system record (CMD_...) while a link is open.
    virtual void SendCommand(int cmd) = 0;
    virtual void SetSystemDataDirty(BOOL set) = 0;
    virtual void SetSourceSetDirty(BOOL set) = 0;
    virtual void RefreshInputSourceButton() = 0;
    // Stores g_bShowAllCurves as "Line_Set".
    virtual void SaveLineSet() = 0;
};
