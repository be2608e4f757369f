// Puts the program-wide globals back to their values at program start, so no test sees what an
// earlier one in the same process left behind. Fixtures call it in SetUp and TearDown and then set
// only what their case needs; the link's tests call ResetLinkGlobals (support/ResetLinkGlobals.h).
#pragma once

#include "model/DataDefine.h"
#include "model/Globals.h"

namespace r9test {

inline void ResetModelGlobals() {
    // The image, stored presets, system records, page, speaker states, link status, input options
    // and the copy buffer.
    InitData();
    // g_pOutData is left to the document that fills it (its constructor runs before SetUp).
    for (int j = 0; j < NUM_OUTPUTS; ++j)
        g_nOutLinkGroup[j] = j;
    for (auto& flag : g_nStateFlags)
        flag = 0;
    ResetSerialFlags();
    g_nLinkState = LINK_NONE;
    g_bOnline = 0;
    g_bChinese = 0;
    g_strLanguage.Empty();
    g_bTransferBusy = 0;
    g_bLiveDataSent = 0;
    g_bPresetNameDirty = 0;
    g_nDeviceAddr = 1;
    g_nDeviceType = 2;
    g_nViewMode = 1;
    g_nDelayUnit = DELAY_UNIT_MS;
    g_bShowAllCurves = 1;
    g_nNetPort = 8899;
    g_strDevIP = "10.10.100.254";
    g_strEmpty = "";
    g_strLockPassword = "";
    g_strHidPath.Empty();
    g_hidPaths.clear();
    g_updIfaces.clear();
}

} // namespace r9test
