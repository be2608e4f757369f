// CInputSelection: the choice of the current input and of the AUX mode, without windows. It owns
// the rules (which inputs a mode offers, the folding of the input on a mode change, the input-hold
// byte cleared by every choice) and what goes out: byte 0 of the source settings, CMD_SYSTEM_DATA
// when the hold is cleared, then CMD_SOURCE_SET, the level page's notice, and the stale device
// states dropped. The input page shows the result.
#pragma once

class CInputSelection {
public:
    static constexpr int kInputs = 6;
    static constexpr int kNoInput = 6; // g_nCurInput of "none"
    static constexpr int kModes = 3;

    // Where a choice goes: the view's send entry, the level page, the view's queue.
    class Outlet {
    public:
        virtual ~Outlet() = default;
        virtual void SendCommand(int cmd) = 0;
        // Posts WM_CUR_INPUT_CHANGED (hold byte before the change, input before it).
        virtual void NotifyLevelPage(int hold, int input) = 0;
        // Removes the device states waiting for the view; nothing else runs meanwhile.
        virtual void DropPendingDeviceStates() = 0;
    };

    // What one choice did, for the page to show.
    struct Result {
        bool holdCleared = false; // the input-hold byte went to 0 (CMD_SYSTEM_DATA sent)
        bool sent = false;        // CMD_SOURCE_SET went out
        bool changed = false;     // the current input changed
        bool modeChanged = false;
        bool sourceOff = false; // the mixer source fell back to OFF
        int previous = kNoInput;
        int previousMode = 0;
    };

    explicit CInputSelection(Outlet& outlet) : m_outlet(outlet) {}

    // Inputs the AUX mode offers: 0-5, 0-4 or 0-3.
    static int OfferedInputs(int mode);
    // The input of a mode change: mode 1 turns 5 and 6 into 3, mode 2 turns 4, 5 and 6 into 3.
    static int FoldInput(int input, int mode);

    // The level page's notice, then the hold cleared (CMD_SYSTEM_DATA) when it was set; TRUE then.
    bool NotifyInputChange();
    // A page button (again FALSE: the current input sends nothing) or the selector bar (again TRUE:
    // the current input is sent once more).
    Result ChooseInput(int input, bool again);
    Result SetAuxMode(int mode);
    // Mode and input at once, sent; nothing calls it in the program.
    Result SetModeAndInput(int mode, int input);
    // WM_SET_CUR_INPUT: the input made current without any send; TRUE when it changed.
    bool SetCurInputQuiet(int input);
    // The mixer source checked against the input and mode; FALSE when it fell back to OFF.
    static bool ValidateSource(int input, int mode);

private:
    void SetCurrent(int input);

    Outlet& m_outlet;
};
