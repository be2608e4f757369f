// What the reply bookkeeping (on the link worker) uses of the progress displays: the transfer bar
// of the progress dialog and the update dialog's bar and status text. Implementations only post;
// the defaults (headless tests) keep the last values for inspection.
#pragma once

#include "platform/core/WinTypes.h"

#include <atomic>

class CLinkViewServices {
public:
    virtual ~CLinkViewServices() = default;
    // Transfer bar of the progress dialog to pos.
    virtual void SetTransferPos(int pos) { m_nTransferPos = pos; }
    // Update dialog: its bar to pos and, with text not null, its status text (a static string).
    virtual void SetUpdateProgress(int pos, const char* text) {
        m_nUpdatePos = pos;
        if (text)
            m_pUpdateText = text;
    }

    std::atomic<int> m_nTransferPos{0};
    std::atomic<int> m_nUpdatePos{0};
    std::atomic<const char*> m_pUpdateText{nullptr};
};

// The installed services, or the defaults.
CLinkViewServices& LinkViewServices();
// nullptr restores the defaults. The object must outlive its installation.
void SetLinkViewServices(CLinkViewServices* services);
