// What the machine-preset dialog needs of the main view: the device senders, the name display and
// the program's message box. The view implements it; dialog tests use a fake.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CProgramDlgHost {
public:
    virtual ~CProgramDlgHost() = default;
    // The current settings to the device, as stored preset n when store is set.
    virtual void SendPreset(int preset, BOOL store) = 0;
    // Asks the device for stored preset n as the live settings. The caller holds g_linkLock.
    virtual void ReadDevicePreset(int preset) = 0;
    virtual void SendCommand(int cmd, int preset) = 0;
    // The emptied name of preset n, then current preset 0.
    virtual void SendPresetCleared(int preset) = 0;
    // The live name on the name edit and button; g_bPresetNameShown = shown.
    virtual void ShowPresetNameBoth(int shown) = 0;
    // The program's message box with the text of the UI language (caption code -3 English,
    // -2 Chinese); IDOK, IDYES or IDNO.
    virtual int ShowPresetMessage(const CString& textEn, const CString& textCn, UINT type) = 0;
};
