// What the data lock uses of the main view: the senders, the page refresh, the lock button, the
// output page's locked layout and default map, the prompts and the message boxes. The view
// implements it; tests use a fake, so no modal window opens in them.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// How the unlock prompt ended.
enum class UnlockPromptResult {
    Ok,     // an entry of the right length
    Cancel, // closed, or the second button without a reset
    Reset,  // the second button while the data are locked: clear them
};

// Modes of the unlock prompt.
constexpr int UNLOCK_PROMPT_NEW = 0;    // a new password: OK and Cancel
constexpr int UNLOCK_PROMPT_UNLOCK = 1; // the password of the data: Unlock and reset

class CDataLockHost {
public:
    virtual ~CDataLockHost() = default;

    // ---- The view's routines
    virtual BOOL IsLinkOpen() = 0;
    // The caller holds g_linkLock.
    virtual void SendPreset(int preset, BOOL store) = 0;
    virtual void SetOutputMixDefaults(int output, int code, BOOL requestRestore) = 0;
    virtual void ClearOutputLinks() = 0;
    virtual void RefreshPages() = 0;
    virtual void SetLockButton(BOOL pressed) = 0;
    virtual BOOL IsLockButtonPressed() = 0;
    virtual void Repaint() {}
    // Shows the hidden settings popup (menu 875) under its button.
    virtual void TrackSettingsPopup() {}
    // Closes the program as a close of the main window does, without the save question.
    virtual void CloseProgram() {}

    // ---- The output page (it installs itself later)
    virtual void SetLockedLayout(BOOL /*locked*/) {}
    virtual void RestoreDefaultMap() {}

    // ---- Prompts and messages
    // The unlock prompt in a mode; the entry on Ok.
    virtual UnlockPromptResult RunUnlockPrompt(int mode, CString* entry) = 0;
    // The access-code prompt; FALSE when cancelled.
    virtual BOOL RunPasswordPrompt(CString* entry) = 0;
    // A two-second message (caption g_strProduct, code 2000).
    virtual void ShowMessage(const char* text) = 0;
    // A Yes/No question (code 0): IDYES or IDNO.
    virtual int AskYesNo(const char* text) = 0;
};
