// The link's program-wide globals and the model's (support/ResetGlobals.h) back to their values at
// program start.
#pragma once

#include "link/FirmwareTransfer.h"
#include "link/LinkGlobals.h"
#include "link/Net_Socket.h"
#include "support/ResetGlobals.h"

namespace r9test {

inline void ResetLinkGlobals() {
    ResetModelGlobals();
    g_bUsbEnabled = 0;
    g_bTransfersStopped = 0;
    g_bFirmwareFinished = 0;
    g_bUpdateAborting = 0;
    g_bPresetEdited = 0;
    g_nUpdateBarPos = 0;
    g_nUpdateBarMax = 100;
    g_nCurFwStep = 0;
    g_nNetRetry = 0;
}

} // namespace r9test
