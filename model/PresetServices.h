// What the parameter model and the device link use of the preset code on the
// main view. The view installs its implementation; until then (and in tests) a
// no-op stands in.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CPresetServices {
public:
    virtual ~CPresetServices() = default;
    // Shows the name, writes its ASCII characters into the live name field,
    // stores the shown text into g_strEmpty and sets g_bPresetNameDirty. UI
    // thread.
    virtual void SetPresetName(const CString& /*name*/) {}
    // Handler of WM_PRESET_NAME_CHANGED: shows the live name and sets
    // g_bPresetNameDirty.
    virtual void OnPresetNameChanged() {}
    // Shows the live preset name on the view.
    virtual void ShowPresetName() {}
    // Asks for the all-presets file to save; FALSE when the user cancels.
    virtual BOOL ChooseAllPresetsFile() { return FALSE; }
    // Writes the all-presets file from g_storedPresets to the chosen path.
    virtual void WriteAllPresetsFile() {}
    // Handler of WM_LOCK_RECORD_RECEIVED: does nothing.
    virtual void OnLockRecordReceived() {}
    // Posts WM_PRESET_NAME_CHANGED (wParam 0, lParam 0) to the main view; never
    // sends. Any thread.
    virtual void PostPresetNameChanged() {}
};

// The installed preset services, or the no-op.
CPresetServices& PresetServices();
// nullptr restores the no-op. The object must outlive its installation.
void SetPresetServices(CPresetServices* services);
