// What the send scheduler uses of the main view beyond the preset services. The
// view installs its implementation; until then (and in tests) a no-op stands
// in.
#pragma once

#include "platform/core/WinTypes.h"

class CViewServices {
public:
    virtual ~CViewServices() = default;
    // TRUE puts the saved master volume back and queues CMD_SYSTEM_DATA. Called
    // by the scheduler on the link worker while it holds g_linkLock: it may only
    // append to the queue, never wait.
    virtual void HoldMasterVolume(BOOL /*restore*/) {}
};

// The installed view services, or the no-op.
CViewServices& ViewServices();
// nullptr restores the no-op. The object must outlive its installation.
void SetViewServices(CViewServices* services);
