#include "shell/DataLock.h"

#include "link/LinkGlobals.h"
#include "model/Filter.h"
#include "model/KTV_OutData.h"
#include "model/LinkDocument.h"
#include "model/SpeakerPos.h"
#include "platform/core/Encoding.h"
#include "platform/ui/WinUser.h"
#include "shell/DataLockHost.h"
#include "wire/LinkFrame.h"

#include <mutex>

namespace {

// Speaker codes of the unlock reset on a device of type 3.
constexpr BYTE kType3Codes[NUM_OUTPUTS] = {6, 12, 15, 18, 22, 23, 0, 0};

// Each output's record takes the code of the map, so the reloaded model and the sent records
// agree with the speaker map sent in the same batch (the default records carry other codes).
void WriteMapCodesIntoRecords() {
    for (int i = 0; i < NUM_OUTPUTS; ++i)
        g_curImage.outputs[i].position = g_posState[POS_STATE_OUTPUTS + i];
}

CString ReadLockCode() {
    const LockMarkBlock mark = g_curImage.outputs[0].GetLockMark();
    CString code = ReadGbkField(mark.code, static_cast<int>(sizeof mark.code));
    code.Trim();
    return code;
}

} // namespace

BOOL CDataLock::IsPasswordLength(const CString& text) {
    return GbkByteLength(text) == LOCK_PASSWORD_BYTES;
}

BOOL CDataLock::MatchesPassword(const CString& entry, const CString& password) {
    if (entry == password)
        return TRUE;
    // A code read back from the device is trimmed; its typed twin with blanks must still open.
    CString trimmed = entry;
    trimmed.Trim();
    return trimmed == password;
}

void CDataLock::OnLockButton() {
    g_bLockPromptFromButton = 1;
    LockOrUnlock(m_host.IsLockButtonPressed() ? FALSE : TRUE);
}

void CDataLock::LockOrUnlock(BOOL bLock) {
    CString entry;
    if (bLock) {
        if (m_host.RunUnlockPrompt(UNLOCK_PROMPT_NEW, &entry) != UnlockPromptResult::Ok)
            return;
        {
            std::lock_guard lock(g_linkLock);
            g_strLockPassword = entry;
            g_bDataLocked = 1;
            g_bDataUnlocked = 0;
            m_host.SendPreset(0, TRUE);
        }
        m_host.SetLockedLayout(TRUE);
        m_host.RefreshPages();
        m_host.Repaint();
        m_host.SetLockButton(TRUE);
        return;
    }
    switch (m_host.RunUnlockPrompt(UNLOCK_PROMPT_UNLOCK, &entry)) {
    case UnlockPromptResult::Ok: {
        g_strUnlockEntry = entry;
        CString password;
        {
            std::lock_guard lock(g_linkLock);
            password = g_strLockPassword;
        }
        if (!MatchesPassword(entry, password)) {
            m_host.ShowMessage(LangText(g_strUnlockMismatch, g_strUnlockMismatchCn));
            return;
        }
        {
            std::lock_guard lock(g_linkLock);
            g_bDataLocked = 0;
            g_bDataUnlocked = 1;
            m_host.SendPreset(0, TRUE);
        }
        m_host.SetLockedLayout(FALSE);
        m_host.RefreshPages();
        m_host.SetLockButton(FALSE);
        m_host.Repaint();
        return;
    }
    case UnlockPromptResult::Reset:
        ResetLockedData();
        return;
    case UnlockPromptResult::Cancel:
        return;
    }
}

void CDataLock::ResetLockedData() {
    {
        std::lock_guard lock(g_linkLock);
        g_bDataLocked = 0;
        g_bDataUnlocked = 0;
        const int type = g_nDeviceType.load();
        const bool longOutputs = type == 3 || type == 4;
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            g_curImage.outputs[i] = g_defOutRecords[longOutputs && i >= 6 ? i + 2 : i];
        ResetSpeakerStates();
        for (int i = 0; i < NUM_OUTPUTS; ++i) {
            const BYTE code = type == 3 ? kType3Codes[i] : g_posStateInit[POS_STATE_OUTPUTS + i];
            g_posState[POS_STATE_OUTPUTS + i] = code;
            g_speakerMap[static_cast<size_t>(i)] = code;
        }
        RecalcSpeakerStates();
        WriteMapCodesIntoRecords();
        FixTweeterCrossover();
        LinkDocument().LoadFromImage(-1);
        m_host.ClearOutputLinks();
        m_host.SendPreset(0, TRUE);
        m_host.SetLockedLayout(FALSE);
        m_host.RestoreDefaultMap();
        for (int i = 0; i < NUM_OUTPUTS; ++i) {
            const int code = g_posState[POS_STATE_OUTPUTS + i];
            if (CKTV_OutData* out = g_pOutData[i])
                out->SetPosition(code);
            ApplyResetXover(i, code);
        }
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            m_host.SetOutputMixDefaults(i, g_posState[POS_STATE_OUTPUTS + i], FALSE);
    }
    m_host.RefreshPages();
    m_host.SetLockButton(FALSE);
    m_host.Repaint();
}

void CDataLock::ApplyResetXover(int output, int code) {
    CKTV_OutData* out = output >= 0 && output < NUM_OUTPUTS ? g_pOutData[output] : nullptr;
    CFilter* hp = out ? out->GetHPF() : nullptr;
    CFilter* lp = out ? out->GetLPF() : nullptr;
    if (!hp || !lp)
        return;
    // hpFamily / lpFamily -1: the family stays as the position left it.
    struct Row {
        int hpFreq, hpFamily, hpSlope, lpFreq, lpFamily, lpSlope;
    };
    Row row{};
    switch (code) {
    case 1:
    case 7:
    case 13:
    case 16:
    case 19: // tweeters
        row = {3400, -1, 1, 20000, -1, 1};
        break;
    case 2:
    case 8: // midrange
        row = {600, -1, 1, 1900, -1, 1};
        break;
    case 3:
    case 9:
    case 14:
    case 17:
    case 20: // woofers
        row = {70, -1, 1, 320, -1, 1};
        break;
    case 4:
    case 10: // midrange-tweeter
        row = {600, -1, 1, 20000, -1, 1};
        break;
    case 5:
    case 11: // midrange-woofer
        row = {70, -1, 1, 1900, -1, 1};
        break;
    case 6:
    case 12: // front full range
        row = {70, 1, 1, 20000, 1, 1};
        break;
    case 15:
    case 18: // rear full range
        row = {80, 1, 1, 20000, 1, 1};
        break;
    case 22:
    case 23:
    case 24: // subwoofers: the steeper high-pass on outputs 5 and 6
        row = {27, 2, output == 4 || output == 5 ? 3 : 1, 55, 2, 1};
        break;
    default: // 0, 21, 25, 26 keep theirs
        return;
    }
    std::lock_guard lock(g_linkLock);
    hp->SetFreq(row.hpFreq, TRUE);
    if (row.hpFamily >= 0)
        hp->SetFamily(row.hpFamily, TRUE);
    hp->SetSlope(row.hpSlope, TRUE);
    lp->SetFreq(row.lpFreq, TRUE);
    if (row.lpFamily >= 0)
        lp->SetFamily(row.lpFamily, TRUE);
    lp->SetSlope(row.lpSlope, TRUE);
}

void CDataLock::LoadLockState(int) {
    std::lock_guard lock(g_linkLock);
    OutputRecord& first = g_curImage.outputs[0];
    // Only '!' means locked: a zero or damaged marker must never unscramble good data. An
    // all-presets file of the old format carries no lock; its mark serves this one read only, so
    // a locked preset read later is still unscrambled.
    if (g_bOldAllPresetsFile.exchange(0) || !IsLockedMarker(first.GetLockMark().marker)) {
        g_bDataLocked = 0;
        return;
    }
    for (OutputRecord& out : g_curImage.outputs) {
        BYTE* bytes = reinterpret_cast<BYTE*>(&out);
        for (int k = 0; k < 288; ++k)
            bytes[k] ^= LOCK_MASK;
    }
    LockMarkBlock mark = first.GetLockMark();
    for (char& c : mark.code)
        c = static_cast<char>(c ^ LOCK_MASK);
    first.SetLockMark(mark);
    g_strLockPassword = ReadLockCode();
    g_bDataLocked = 1;
}

void CDataLock::OnPresetFileLoaded() {
    BOOL locked = FALSE;
    {
        std::lock_guard lock(g_linkLock);
        locked = g_bDataLocked.load() == 1;
        if (locked)
            g_strLockPassword = ReadLockCode();
        LockMarkBlock mark = g_curImage.outputs[0].GetLockMark();
        if (mark.lockOption > 1) {
            mark.lockOption = 0;
            g_curImage.outputs[0].SetLockMark(mark);
        }
    }
    m_host.SetLockedLayout(locked);
    LinkDocument().SetOutCurveRect();
    m_host.RefreshPages();
    m_host.Repaint();
    m_host.SetLockButton(locked);
}

void CDataLock::OnDataRangeError() {
    if (AskDataRangeError())
        ResetOutputsToDefault();
}

BOOL CDataLock::AskDataRangeError() {
    if (m_host.AskYesNo(LangText(g_strDataRangeError, g_strDataRangeErrorCn)) == IDYES)
        return TRUE;
    m_host.CloseProgram();
    return FALSE;
}

void CDataLock::ResetOutputsToDefault() {
    {
        std::lock_guard lock(g_linkLock);
        g_bDataLocked = 0;
        g_bDataUnlocked = 0;
        g_bLockLook = 0;
        for (int i = 0; i < NUM_OUTPUTS; ++i)
            g_curImage.outputs[i] = g_defOutRecords[i];
        WriteMapCodesIntoRecords();
        FixTweeterCrossover();
        LinkDocument().LoadFromImage(-1);
        m_host.ClearOutputLinks();
        m_host.RefreshPages();
        if (m_host.IsLinkOpen())
            m_host.SendPreset(0, TRUE);
    }
    m_host.SetLockedLayout(FALSE);
    m_host.SetLockButton(FALSE);
    m_host.Repaint();
}

void CDataLock::OnSettingsPopupButton() {
    if (g_bSettingsPopupUnlocked.load()) {
        m_host.TrackSettingsPopup();
        return;
    }
    CString entry;
    if (!m_host.RunPasswordPrompt(&entry))
        return;
    if (entry == g_strAdvCode) {
        g_bSettingsPopupUnlocked = 1;
        m_host.TrackSettingsPopup();
        return;
    }
    m_host.ShowMessage(LangText(g_strAccessCodeError, g_strAccessCodeErrorCn));
}
