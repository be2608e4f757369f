#include "shell/ViewPresets.h"

#include "controls/FileDialogST.h"
#include "model/Conversions.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "link/OutputPageServices.h"
#include "model/LinkDocument.h"
#include "pages/input/InPutDlg.h"
#include "pages/output/OutputDlg.h"
#include "platform/ui/WinUser.h"
#include "presets/PresetArchive.h"
#include "presets/PresetFileIo.h"
#include "presets/PresetFileText.h"
#include "presets/PresetRangeCheck.h"
#include "presets/PresetRecords.h"
#include "presets/ProgramDlg.h"
#include "shell/DataLock.h"
#include "shell/DisplayDlg.h"
#include "shell/MessageBoxDlg.h"
#include "shell/TRV410View.h"
#include "shell/ViewPresetServices.h"
#include "wire/LinkFrame.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>

const char kSinglePresetSaveFilter[] = "Data File (*.jtsh)\0*.jtsh\0";
const char kSinglePresetOpenFilter[] = "Data File (*.jssh,*.vtas,*.jtsh)\0*.jssh;*.vtas;*.jtsh\0";
const char kAllPresetsSaveFilter[] = "Data File (*.jtah)\0*.jtah\0";
const char kAllPresetsOpenFilter[] = "Data File (*.jsah,*.vtaa,*.jtah)\0*.jsah;*.vtaa;*.jtah\0";
const char kOutputMapFilter[] = "Data File (*.vtac)\0*.vtac\0";

namespace {

constexpr int kNameField = 16;
constexpr int kNameBudget = 13;
// Menu 112: the positions that need a device.
constexpr UINT kDevicePositions[] = {0, 1, 2, 7, 8};

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

CKTV_Data* Document() {
    return dynamic_cast<CKTV_Data*>(&LinkDocument());
}

CString LiveName() {
    std::lock_guard lock(g_linkLock);
    return FieldToString(g_curImage.system.name, kNameField).Trim();
}

} // namespace

CViewPresets::CViewPresets(CTRV410View& view) : m_view(view) {
    // Transfers started from the machine-preset dialog disable it while they run.
    CDisplayDlg::SetMachinePresetDialogLookup([] { return static_cast<CWnd*>(g_pProgramDlg); });
}

// ---- Menu ----

void CViewPresets::OnPresetMenuButton() {
    CMenu* popup = m_view.m_menuPresets.GetSubMenu(0);
    if (!popup)
        return;
    const UINT state = m_view.m_bLinkOpen.load() ? MF_ENABLED : MF_DISABLED;
    for (const UINT position : kDevicePositions)
        popup->EnableMenuItem(position, MF_BYPOSITION | state);
    m_view.TrackMenuUnder(m_view.m_menuPresets, m_view.m_btnPresets);
}

void CViewPresets::RunMachinePresetDialog(int mode) {
    CProgramDlg dlg(mode, *this, &m_view);
    dlg.DoModal();
    g_pProgramDlg = nullptr;
}

// ---- File names ----

CString CViewPresets::Extension(const CString& path) {
    return CPresetFileIo::Extension(path);
}

CString CViewPresets::SinglePresetSavePath(const CString& path) {
    const CString ext = Extension(path);
    return ext == "jssh" || ext == "jtsh" ? path : path + ".jtsh";
}

CString CViewPresets::AllPresetsSavePath(const CString& path) {
    const CString ext = Extension(path);
    return ext == "jsah" || ext == "jtah" ? path : path + ".jtah";
}

BOOL CViewPresets::AskFile(int kind, BOOL open, CString* path, CString* title) {
    m_view.LoadFileFolder(kind);
    const std::string folder = m_view.m_settings.Folder(kind).GetString();
    const char* filter = kind == FOLDER_MAP ? kOutputMapFilter
                         : kind == FOLDER_ALL_PRESETS
                             ? (open ? kAllPresetsOpenFilter : kAllPresetsSaveFilter)
                             : (open ? kSinglePresetOpenFilter : kSinglePresetSaveFilter);
    const DWORD flags = OFN_HIDEREADONLY | (open ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
    CFileDialogST dlg(open, "", nullptr, flags, filter, &m_view);
    dlg.m_ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    if (dlg.DoModal() != IDOK)
        return FALSE;
    *path = dlg.GetPathName();
    if (title)
        *title = dlg.GetFileTitle();
    return TRUE;
}

void CViewPresets::RememberFolder(int kind, const CString& path) {
    const std::string p = path.GetString();
    const size_t slash = p.rfind('/');
    m_view.m_settings.Folder(kind) = slash == std::string::npos ? "" : p.substr(0, slash).c_str();
    m_view.SaveFileFolder(kind);
}

void CViewPresets::ShowError(const PresetFileText& text) {
    ShowPresetMessage(text.en, text.cn, MB_OK);
}

void CViewPresets::ValidateMapLock() {
    if (auto* output = dynamic_cast<COutputDlg*>(m_view.m_pOutputPage.get()))
        output->ValidateMapLock();
}

BOOL CViewPresets::TakeInRange(PresetReadResult& read) {
    CPresetRangeCheck::CompleteInputs(read);
    const PresetRangeFaults faults = CPresetRangeCheck::Find(read);
    if (!faults.Any())
        return TRUE;
    if (!m_view.DataLock().AskDataRangeError())
        return FALSE;
    CPresetRangeCheck::ResetFaulty(read.records, faults);
    return TRUE;
}

CViewPresets::DeviceReadRange CViewPresets::CheckDeviceRead() {
    PresetReadResult read;
    read.ok = true;
    read.records = PresetRecords::FromGlobals();
    // The device sends the inputs and outputs of the live preset; the system records came with
    // the connect. No mic record is read.
    read.parts =
        PRESET_PART_LIVE | PRESET_PART_SOURCE_SET | PRESET_PART_SYSTEM_DATA | PRESET_PART_SPEAKER_MAP;
    read.micSet = false;
    const PresetRangeFaults faults = CPresetRangeCheck::Find(read);
    if (!faults.Any())
        return DeviceReadRange::InRange;
    if (!m_view.DataLock().AskDataRangeError())
        return DeviceReadRange::Refused;
    {
        std::lock_guard lock(g_linkLock);
        PresetRecords now = PresetRecords::FromGlobals();
        CPresetRangeCheck::ResetFaulty(now, faults);
        now.Commit(read.parts);
    }
    if (faults.speakerMap)
        m_view.ReapplyOutputMap(FALSE);
    return DeviceReadRange::Reset;
}

// ---- Single preset ----

BOOL CViewPresets::SavePresetFile() {
    CString path;
    CString title;
    if (!AskFile(FOLDER_PRESET, FALSE, &path, &title))
        return FALSE;
    return SavePresetPath(path, title);
}

BOOL CViewPresets::ReadPresetFile() {
    CString path;
    CString title;
    if (!AskFile(FOLDER_PRESET, TRUE, &path, &title))
        return FALSE;
    RememberFolder(FOLDER_PRESET, path);
    return ReadPresetPath(path, title);
}

BOOL CViewPresets::SavePresetPath(const CString& path, const CString& title) {
    const PresetRecords records = PresetRecords::TakeForSave(Document());
    if (!m_json.WriteSingleFile(SinglePresetSavePath(path), records)) {
        ShowError(kTextSavePresetError);
        return FALSE;
    }
    SetPresetName(title);
    m_view.SetLockButton(g_bDataLocked.load() == 1);
    g_bLiveDataSent = 0;
    return TRUE;
}

BOOL CViewPresets::ReadPresetPath(const CString& path, const CString& title) {
    const CString ext = Extension(path);
    const bool json = ext == "jssh" || ext == "jtsh";
    if (!json && ext != "vtas")
        return FALSE;
    // The file is read and checked outside the lock; nothing changes before the commit.
    const PresetRecords base = PresetRecords::FromGlobals();
    PresetReadResult result =
        json ? m_json.ReadSingleFile(path, base) : CPresetArchive::ReadPresetFile(path, base);
    if (!result) {
        ShowError(kTextReadPresetError);
        return FALSE;
    }
    if (!TakeInRange(result))
        return FALSE;
    {
        std::lock_guard lock(g_linkLock);
        result.Commit();
        // A single preset keeps the input type that was in use.
        if (json)
            g_pcSourceSet.inputType = base.sourceSet.inputType;
        // The file's name stays: earlier edits no longer turn it into "Custom".
        g_bLiveDataSent = 0;
        LinkDocument().LoadFromImage(-1);
        m_view.ClearOutputLinks();
        if (json)
            m_view.ReapplyOutputMap(FALSE);
        SetPresetName(title);
        m_view.SendPreset(0, FALSE);
        ValidateMapLock();
        g_outCopy.Reset();
        g_nCurInput = g_pcSourceSet.inputType;
    }
    m_view.PostMessage(WM_PRESET_FILE_LOADED, 0, 0);
    return TRUE;
}

// ---- All presets ----

BOOL CViewPresets::ChooseAllPresetsFile() {
    CString path;
    if (!AskFile(FOLDER_ALL_PRESETS, FALSE, &path, nullptr))
        return FALSE;
    RememberFolder(FOLDER_ALL_PRESETS, path);
    g_strAllPresetsPath = AllPresetsSavePath(path);
    return TRUE;
}

BOOL CViewPresets::ReadAllPresetsFile() {
    CString path;
    if (!AskFile(FOLDER_ALL_PRESETS, TRUE, &path, nullptr))
        return FALSE;
    RememberFolder(FOLDER_ALL_PRESETS, path);
    return ReadAllPresetsPath(path);
}

BOOL CViewPresets::WriteAllPresetsFile() {
    const PresetRecords records = PresetRecords::TakeForSave(Document());
    if (!m_json.WriteCompleteFile(g_strAllPresetsPath, records)) {
        ShowError(kTextSaveAllPresetsError);
        return FALSE;
    }
    return TRUE;
}

BOOL CViewPresets::ReadAllPresetsPath(const CString& path) {
    const CString ext = Extension(path);
    const bool json = ext == "jsah" || ext == "jtah";
    if (!json && ext != "vtaa")
        return FALSE;
    const PresetRecords base = PresetRecords::FromGlobals();
    PresetReadResult result =
        json ? m_json.ReadCompleteFile(path, base) : CPresetArchive::ReadAllPresetsFile(path, base);
    if (!result) {
        ShowError(kTextReadAllPresetsError);
        return FALSE;
    }
    if (!TakeInRange(result))
        return FALSE;
    std::lock_guard lock(g_linkLock);
    // A locked file's code becomes the password here, before anything is sent.
    result.Commit();
    g_bLiveDataSent = 0;
    // The current input follows the file's source settings.
    g_nCurInput = g_pcSourceSet.inputType;
    if (!json) {
        LinkDocument().LoadFromImage(-1);
        if (auto* input = dynamic_cast<CInPutDlg*>(m_view.m_pInputPage.get()))
            input->RefreshInputButtons();
    }
    FinishAllPresetsRead(json);
    return TRUE;
}

void CViewPresets::FinishAllPresetsRead(BOOL json) {
    const int type = g_pcSourceSet.inputType;
    m_view.SetInputType(type, FALSE);
    if (json)
        LinkDocument().LoadFromImage(-1);
    m_view.ClearOutputLinks();
    m_view.ReapplyOutputMap(FALSE);
    m_view.SendAllPresets();
    ValidateMapLock();
    g_outCopy.Reset();
    const BOOL locked = g_bDataLocked.load() == 1;
    OutputPageServices().SetLockedLayout(locked);
    m_view.SetLockButton(locked);
    LinkDocument().SetOutCurveRect();
    m_view.RefreshPages();
    m_view.Invalidate();
    ShowLoadedPresetName();
    // An old file's unlocked reading must not outlive it: later device reads unscramble again.
    g_bOldAllPresetsFile = 0;
}

// ---- Names ----

CViewPresets::NameParts CViewPresets::SplitPresetName(const CString& title) {
    const std::string s = title.GetString();
    size_t n = std::min<size_t>(s.size(), kNameBudget);
    // Never keep part of a character.
    if (n < s.size())
        while (n > 0 && IsContinuation(static_cast<unsigned char>(s[n])))
            --n;
    std::string device;
    for (size_t i = 0; i < n; ++i)
        if (static_cast<unsigned char>(s[i]) < 0x80)
            device += s[i];
    size_t shown = n;
    if (n == kNameBudget && static_cast<unsigned char>(s[11]) < 0x80)
        shown = n - 1;
    NameParts parts;
    parts.shown = s.substr(0, shown).c_str();
    parts.device = device.empty() ? CString(g_strCustom) : CString(device.c_str());
    return parts;
}

void CViewPresets::ShowName(const CString& text, BOOL down) {
    m_strShown = text;
    if (m_view.m_editStatus.GetSafeHwnd())
        m_view.m_editStatus.SetWindowText(text);
    if (m_view.m_btnPresetName.GetSafeHwnd()) {
        m_view.m_btnPresetName.SetWindowText(text);
        m_view.m_btnPresetName.SetCheck(down ? 1 : 0);
        m_view.m_btnPresetName.Invalidate();
    }
}

void CViewPresets::SetPresetName(const CString& title) {
    const NameParts parts = SplitPresetName(title);
    ShowName(parts.shown, !parts.shown.IsEmpty());
    std::lock_guard lock(g_linkLock);
    std::memset(g_curImage.system.name, 0, kNameField);
    StringToField(g_curImage.system.name, kNameField, parts.device);
    g_strEmpty = parts.shown;
    g_bPresetNameDirty = 1;
}

void CViewPresets::ShowPresetName() {
    const CString name = LiveName();
    if (name.IsEmpty()) {
        ShowName(name, FALSE);
        return;
    }
    int current = 0;
    {
        std::lock_guard lock(g_linkLock);
        current = g_curPresetNo[0];
    }
    ShowName(CViewPresetServices::DisplayName(name, g_bChinese.load() && current == 0), TRUE);
}

void CViewPresets::OnPresetNameChanged() {
    // The notice follows the scheduler's "Custom"; a notice that arrives after a preset file was
    // loaded must not cover the file's name, so the live name is shown. The scheduler set the name
    // mark itself when it posted the notice.
    ShowName(CViewPresetServices::DisplayName(LiveName(), g_bChinese.load()), TRUE);
}

void CViewPresets::ShowLoadedPresetName() {
    const CString name = LiveName();
    ShowName(CViewPresetServices::DisplayName(name, g_bChinese.load()), !name.IsEmpty());
    g_bPresetNameDirty = 1;
}

void CViewPresets::ShowPresetNameBoth(int shown) {
    const CString name = LiveName();
    ShowName(name, !name.IsEmpty());
    g_bPresetNameDirty = shown;
}

// ---- Slots ----

void CViewPresets::OnSlotButton(int slot) {
    if (slot < 0 || slot > 3)
        return;
    {
        std::lock_guard lock(g_linkLock);
        if (g_slotTable.curSlot == slot)
            return;
    }
    SelectPresetSlot(slot, TRUE);
    m_view.SendCommand(CMD_SLOT_TABLE, 0);
}

void CViewPresets::SelectPresetSlot(int slot, BOOL select) {
    std::lock_guard lock(g_linkLock);
    const int current = g_slotTable.curSlot;
    if (select && slot == current)
        return;
    if (current >= 0 && current < 4 && m_view.m_btnSlot[current].GetSafeHwnd())
        m_view.m_btnSlot[current].SetCheck(0);
    if (select && slot >= 0 && slot < 4)
        g_slotTable.curSlot = static_cast<BYTE>(slot);
}

void CViewPresets::SelectSlotAndSend(int slot) {
    if (slot < 0 || slot > 3)
        return;
    SelectPresetSlot(slot, TRUE);
    if (m_view.m_btnSlot[slot].GetSafeHwnd())
        m_view.m_btnSlot[slot].SetCheck(1);
    g_bSlotTableChanged = m_view.m_bLinkOpen.load() ? 1 : 0;
    m_view.SendCommand(CMD_SLOT_TABLE, 0);
}

BOOL CViewPresets::SetSlotValue(int index, int value) {
    if (index < 0 || index >= 8)
        return FALSE;
    std::lock_guard lock(g_linkLock);
    const int slot = g_slotTable.curSlot;
    if (slot < 0 || slot > 3)
        return FALSE;
    S16LE& field = g_slotTable.slots[slot][index];
    const auto v = static_cast<int16_t>(value);
    if (field.Get() == v)
        return FALSE;
    field.Set(v);
    g_bSlotTableChanged = 1;
    return TRUE;
}

void CViewPresets::ReadSlotValues(int (&values)[8]) const {
    std::lock_guard lock(g_linkLock);
    const int slot = g_slotTable.curSlot;
    for (int i = 0; i < 8; ++i)
        values[i] = slot >= 0 && slot <= 3 ? g_slotTable.slots[slot][i].Get() : 0;
}

// ---- CProgramDlgHost ----

void CViewPresets::SendPreset(int preset, BOOL store) {
    m_view.SendPreset(preset, store);
}

void CViewPresets::ReadDevicePreset(int preset) {
    m_view.ReadDevicePreset(preset);
}

void CViewPresets::SendCommand(int cmd, int preset) {
    m_view.SendCommand(cmd, preset);
}

void CViewPresets::SendPresetCleared(int preset) {
    m_view.SendPresetCleared(preset);
}

int CViewPresets::ShowPresetMessage(const CString& textEn, const CString& textCn, UINT type) {
    const BOOL chinese = g_bChinese.load();
    return ShowMessageBox(chinese ? textCn : textEn, type, chinese ? -2 : -3);
}
