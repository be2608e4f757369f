// CHandCursor: the program's hand cursor (resource 213, hot spot 5,0), copied once for the control
// that owns it. It is always loaded here: there is no help-viewer test on this system.
#pragma once

#include "platform/ui/Wnd.h"

class CHandCursor {
public:
    CHandCursor();
    ~CHandCursor();
    CHandCursor(const CHandCursor&) = delete;
    CHandCursor& operator=(const CHandCursor&) = delete;

    HCURSOR Handle() const { return m_hCursor; }
    // WM_SETCURSOR of the skinned controls: the hand when loaded and wanted, else the arrow;
    // the cursor counts as set (TRUE).
    BOOL Show(BOOL wanted = TRUE) const;

private:
    HCURSOR m_hCursor = nullptr;
};
