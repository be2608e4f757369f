// The main view's preset commands: popup menu 112 under button 8801 with the three machine-preset
// dialogs and the preset files on the PC (one preset, all presets), the name of the live preset on
// edit 1002 and button 2770, and the four hidden preset-slot buttons. Files are read whole and
// checked before anything changes; the checked records are committed under g_linkLock in one step,
// and no message is shown while the lock is held.
#pragma once

#include "model/Globals.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "presets/JsonPreset.h"
#include "presets/ProgramDlgHost.h"

#include <atomic>

struct PresetFileText;
struct PresetReadResult;

// State flag: the slot table changed (the slot routines set it; nothing reads it).
inline std::atomic<int>& g_bSlotTableChanged = g_nStateFlags[39];

class CTRV410View;

// Dialog filters of the preset files (NUL-separated, as the file dialogs take them).
extern const char kSinglePresetSaveFilter[];
extern const char kSinglePresetOpenFilter[];
extern const char kAllPresetsSaveFilter[];
extern const char kAllPresetsOpenFilter[];
extern const char kOutputMapFilter[];

class CViewPresets : public CProgramDlgHost {
public:
    explicit CViewPresets(CTRV410View& view);
    ~CViewPresets() override = default;
    CViewPresets(const CViewPresets&) = delete;
    CViewPresets& operator=(const CViewPresets&) = delete;

    // ---- Menu 112 and its commands ----
    // Button 8801: the device items only while a link is open, the menu under the button.
    void OnPresetMenuButton();
    // Commands 720, 721, 722: the machine-preset dialog in mode 0, 1 or 2.
    void RunMachinePresetDialog(int mode);

    // ---- Files (kind 1 single preset, kind 2 all presets) ----
    BOOL SavePresetFile();
    BOOL ReadPresetFile();
    BOOL ReadAllPresetsFile();
    // Before the device read of save-all: the file to write (g_strAllPresetsPath).
    BOOL ChooseAllPresetsFile();
    // After the device read of save-all: the all-presets file from the stored presets.
    BOOL WriteAllPresetsFile();
    // The flows after their dialog: a path and the file title (name without folder and extension).
    BOOL SavePresetPath(const CString& path, const CString& title);
    BOOL ReadPresetPath(const CString& path, const CString& title);
    BOOL ReadAllPresetsPath(const CString& path);
    // After a device read of the live preset (its lock undone), before the model takes it: the
    // range check of the preset files on the live image and the system records.
    enum class DeviceReadRange { InRange, Reset, Refused };
    DeviceReadRange CheckDeviceRead();
    // Nothing out of range goes further: when the read holds such a field the "File Data Error!"
    // question comes before anything changes; Yes puts those records back to their defaults, any
    // other answer closes the program and drops the read (FALSE).
    BOOL TakeInRange(PresetReadResult& read);
    // The file dialog of a kind (1, 2 or 3, the output map), starting in its remembered folder with an empty
    // default extension; TRUE with the chosen path and title.
    BOOL AskFile(int kind, BOOL open, CString* path, CString* title);

    // The extension: the text after the last '.' of the file name, "" without one.
    static CString Extension(const CString& path);
    // Save paths that the program can read back: ".jtsh" / ".jtah" appended to any other name.
    static CString SinglePresetSavePath(const CString& path);
    static CString AllPresetsSavePath(const CString& path);

    // ---- The live preset's name ----
    // From a file title: at most 13 bytes, never a split character. Only its ASCII bytes reach
    // the device (empty: "Custom"); with 13 bytes and byte 11 ASCII the last byte is not shown.
    struct NameParts {
        CString shown;
        CString device;
    };
    static NameParts SplitPresetName(const CString& title);
    void SetPresetName(const CString& title);
    // After live data arrived: the live name ("自定义" for "Custom" of preset 0 in Chinese).
    void ShowPresetName();
    // WM_PRESET_NAME_CHANGED: the live name (the scheduler's "Custom", "自定义" in Chinese).
    void OnPresetNameChanged();
    // After an all-presets read.
    void ShowLoadedPresetName();
    // After a machine preset was saved.
    void ShowPresetNameBoth(int shown) override;
    CString m_strShown; // the text last put on edit 1002 and button 2770

    // ---- Preset slots (buttons 2066..2069, hidden; nothing calls the last three) ----
    void OnSlotButton(int slot);
    void SelectPresetSlot(int slot, BOOL select);
    // Slot 0..3 made current with its button down, the change mark from the link state, and the
    // whole table sent.
    void SelectSlotAndSend(int slot);
    // Value 0..7 of the current slot's row; TRUE (and the change mark set) when it changed.
    BOOL SetSlotValue(int index, int value);
    // The eight values of the current slot's row.
    void ReadSlotValues(int (&values)[8]) const;

    // ---- CProgramDlgHost ----
    void SendPreset(int preset, BOOL store) override;
    void ReadDevicePreset(int preset) override;
    void SendCommand(int cmd, int preset) override;
    void SendPresetCleared(int preset) override;
    int ShowPresetMessage(const CString& textEn, const CString& textCn, UINT type) override;

private:
    void ShowName(const CString& text, BOOL down);
    void ShowError(const PresetFileText& text);
    void ValidateMapLock();
    void RememberFolder(int kind, const CString& path);
    // The follow-up of an all-presets read; the caller holds g_linkLock.
    void FinishAllPresetsRead(BOOL json);

    CTRV410View& m_view;
    // The JSON module keeps the header of the last file read for the next save.
    CJsonPreset m_json;
};
