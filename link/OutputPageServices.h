// What the device link uses of the output page. The page installs its
// implementation; until then (and in tests without a page) a no-op stands in.
#pragma once

#include "platform/core/WinTypes.h"

class COutputPageServices {
public:
    virtual ~COutputPageServices() = default;
    // Hides (TRUE) or shows (FALSE) the EQ band rows for locked or unlocked data.
    virtual void SetLockedLayout(BOOL /*locked*/) {}
    // Applies g_bOutMapLocked to the eight output strips.
    virtual void ApplyMapLock() {}
    // Shows the stored source level of the active input type.
    virtual void ShowSourceLevel() {}
    // Reloads every band of the current output into its controls.
    virtual void LoadBands() {}
};

// The installed output page, or the no-op.
COutputPageServices& OutputPageServices();
// nullptr restores the no-op. The object must outlive its installation.
void SetOutputPageServices(COutputPageServices* services);
