#include "pages/input/InputSelection.h"

#include "model/Globals.h"
#include "wire/LinkFrame.h"

#include <mutex>

int CInputSelection::OfferedInputs(int mode) {
    switch (mode) {
    case 1:
        return 5;
    case 2:
        return 4;
    default:
        return kInputs;
    }
}

int CInputSelection::FoldInput(int input, int mode) {
    if (mode == 1 && (input == 5 || input == kNoInput))
        return 3;
    if (mode == 2 && (input == 4 || input == 5 || input == kNoInput))
        return 3;
    return input;
}

bool CInputSelection::NotifyInputChange() {
    int hold = 0;
    {
        std::lock_guard lock(g_linkLock);
        hold = g_systemData.pageSwitch;
    }
    m_outlet.NotifyLevelPage(hold, g_nCurInput.load());
    if (hold == 0)
        return false;
    {
        std::lock_guard lock(g_linkLock);
        g_systemData.pageSwitch = 0;
    }
    m_outlet.SendCommand(CMD_SYSTEM_DATA);
    return true;
}

void CInputSelection::SetCurrent(int input) {
    std::lock_guard lock(g_linkLock);
    g_nCurInput = input;
    g_pcSourceSet.inputType = static_cast<BYTE>(input);
}

bool CInputSelection::ValidateSource(int input, int mode) {
    return g_inputOptions.CheckForInput(input, mode);
}

CInputSelection::Result CInputSelection::ChooseInput(int input, bool again) {
    Result r;
    r.previous = g_nCurInput.load();
    r.previousMode = g_nInputGroup;
    // A posted input from outside the six is nobody's choice.
    if (input < 0 || input >= kInputs)
        return r;
    r.holdCleared = NotifyInputChange();
    if (input == r.previous && !again)
        return r;
    r.changed = input != r.previous;
    SetCurrent(input);
    r.sourceOff = !ValidateSource(input, g_nInputGroup);
    m_outlet.SendCommand(CMD_SOURCE_SET);
    r.sent = true;
    m_outlet.DropPendingDeviceStates();
    return r;
}

CInputSelection::Result CInputSelection::SetAuxMode(int mode) {
    Result r;
    r.previous = g_nCurInput.load();
    r.previousMode = g_nInputGroup;
    if (mode < 0 || mode >= kModes)
        return r;
    r.holdCleared = NotifyInputChange();
    if (mode == r.previousMode)
        return r;
    r.modeChanged = true;
    g_nInputGroup = mode;
    const int folded = FoldInput(r.previous, mode);
    r.changed = folded != r.previous;
    SetCurrent(folded);
    r.sourceOff = !ValidateSource(folded, mode);
    m_outlet.SendCommand(CMD_SOURCE_SET);
    r.sent = true;
    m_outlet.DropPendingDeviceStates();
    return r;
}

CInputSelection::Result CInputSelection::SetModeAndInput(int mode, int input) {
    Result r;
    r.previous = g_nCurInput.load();
    r.previousMode = g_nInputGroup;
    if (mode < 0 || mode >= kModes || input < 0 || input > kNoInput)
        return r;
    r.modeChanged = mode != r.previousMode;
    r.changed = input != r.previous;
    g_nInputGroup = mode;
    SetCurrent(input);
    m_outlet.SendCommand(CMD_SOURCE_SET);
    r.sent = true;
    return r;
}

bool CInputSelection::SetCurInputQuiet(int input) {
    const int current = g_nCurInput.load();
    if (input < 0 || input > kNoInput || input == current || current > kNoInput)
        return false;
    SetCurrent(input);
    return true;
}
