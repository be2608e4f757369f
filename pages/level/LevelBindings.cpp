#include "pages/level/LevelBindings.h"

#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/Music_InData.h"
#include "pages/level/LevelPageHost.h"
#include "pages/level/LevelPageLayout.h"
#include "wire/LinkFrame.h"

#include <algorithm>
#include <mutex>

int CLevelBindings::MasterVolume() {
    std::lock_guard lock(g_linkLock);
    return g_systemData.masterVolume.Get();
}

int CLevelBindings::MasterOn() {
    std::lock_guard lock(g_linkLock);
    return g_systemData.masterOn;
}

CLevelBindings::MasterChange CLevelBindings::SetMasterVolume(int v) {
    v = std::clamp(v, 0, kMaxMaster);
    MasterChange change;
    {
        std::lock_guard lock(g_linkLock);
        if (g_systemData.masterVolume.Get() == v)
            return change;
        g_systemData.masterVolume.Set(v);
        change.stored = TRUE;
        if (g_systemData.masterOn == 0) {
            g_systemData.masterOn = 1;
            change.switchedOn = TRUE;
        }
    }
    if (m_pHost)
        m_pHost->SetSystemDataDirty(TRUE);
    return change;
}

void CLevelBindings::SetMasterOn(int on) {
    {
        std::lock_guard lock(g_linkLock);
        g_systemData.masterOn = static_cast<BYTE>(on ? 1 : 0);
    }
    if (m_pHost)
        m_pHost->SetSystemDataDirty(TRUE);
}

CMusic_InData* CLevelBindings::Input(int n) const {
    return m_pData && n >= 0 && n < kInputs ? m_pData->GetMusic(n) : nullptr;
}

CKTV_OutData* CLevelBindings::Output(int n) const {
    return m_pData && n >= 0 && n < kOutputs ? m_pData->GetOut(n) : nullptr;
}

int CLevelBindings::InputLevel(int n) const {
    const CMusic_InData* in = Input(n);
    return in ? in->GetEffectiveLevel() : -1;
}

BOOL CLevelBindings::SetInputLevel(int n, int v) {
    CMusic_InData* in = Input(n);
    v = std::clamp(v, 0, kMaxLevel);
    if (!in || in->GetEffectiveLevel() == v)
        return FALSE;
    in->SetLevel(v);
    return TRUE;
}

int CLevelBindings::OutputLevel(int n) const {
    const CKTV_OutData* out = Output(n);
    return out ? out->GetEffectiveLevel() : -1;
}

CLevelBindings::OutputChange CLevelBindings::SetOutputLevel(int n, int v) {
    OutputChange change;
    CKTV_OutData* out = Output(n);
    v = std::clamp(v, 0, kMaxLevel);
    if (!out || out->GetEffectiveLevel() == v)
        return change;
    out->SetLevel(v);
    change.stored = TRUE;
    if (!out->GetEnabled()) {
        out->SetEnabled(1);
        change.switchedOn = TRUE;
    }
    return change;
}

void CLevelBindings::SetOutputEnabled(int n, int on) {
    if (CKTV_OutData* out = Output(n))
        out->SetEnabled(on ? 1 : 0);
}

void CLevelBindings::SetOutputPolarity(int n, int polarity) {
    if (CKTV_OutData* out = Output(n))
        out->SetPolarity(polarity ? 1 : 0);
}

int CLevelBindings::LinkedOutputs(int n, int (&out)[kOutputs]) {
    if (n < 0 || n >= kOutputs)
        return 0;
    const int group = g_nOutLinkGroup[n].load();
    int count = 0;
    for (int i = 0; i < kOutputs; ++i)
        if (i != n && g_nOutLinkGroup[i].load() == group)
            out[count++] = i;
    return count;
}

CLevelBindings::InputChoice CLevelBindings::SelectInput(int n) {
    InputChoice choice;
    if (n < 0 || n >= kInputs)
        return choice;
    // The input page learns the state before this choice.
    int hold = 0;
    {
        std::lock_guard lock(g_linkLock);
        hold = g_systemData.pageSwitch;
    }
    if (m_pHost)
        m_pHost->PostToInputPage(WM_CUR_INPUT_CHANGED, static_cast<WPARAM>(hold),
                                 static_cast<LPARAM>(g_nCurInput.load()));
    choice.holdReleased = ReleaseInputHold();
    if (n == g_nCurInput.load())
        return choice;
    g_nCurInput = n;
    {
        std::lock_guard lock(g_linkLock);
        g_pcSourceSet.inputType = static_cast<BYTE>(n);
    }
    if (m_pHost) {
        m_pHost->ValidateSource(n, g_nInputGroup);
        m_pHost->SendCommand(CMD_SOURCE_SET, 0);
    }
    choice.changed = TRUE;
    return choice;
}

BOOL CLevelBindings::ReleaseInputHold() {
    {
        std::lock_guard lock(g_linkLock);
        if (g_systemData.pageSwitch == 0)
            return FALSE;
        g_systemData.pageSwitch = 0;
    }
    if (m_pHost)
        m_pHost->SendCommand(CMD_SYSTEM_DATA, 0);
    return TRUE;
}
