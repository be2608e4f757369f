// What an output strip asks of the page that holds it, besides the messages it posts to the page
// window. The output page implements it; tests use a fake. Every call runs on the UI thread.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class COutRoute_Dlg;

// Messages between the strips and the output page (wParam, lParam as noted).
constexpr UINT WM_OUTPUT_SELECT = 0x4C8;       // to the page: (output, 0)
constexpr UINT WM_OUTPUT_TOGGLE_MUTE = 0x4CA;  // to the page: (output, 0)
constexpr UINT WM_OUTPUT_SET_POSITION = 0x4CB; // to the page: (output, position code 0..26)
constexpr UINT WM_STRIP_COPY = 0x4CC;          // a strip to itself: (0, 0)
constexpr UINT WM_OUTPUT_PASTE = 0x4CD;        // a strip to itself: (0, 0 Ctrl+V / 1 menu);
                                               // to the page: (source, destination)
constexpr UINT WM_STRIP_SUB_SYNC = 0x4CE;      // a strip to itself: (0, 0)
constexpr UINT WM_NUMEDIT_ENTER = 0x6BD;       // (control id, 0)

class COutStripOwner {
public:
    virtual ~COutStripOwner() = default;

    // The page's master on button follows the subwoofer outputs.
    virtual void RefreshOnButton() = 0;
    // Every other strip of output n's link group reloads its level.
    virtual void RefreshLinkedLevels(int output) = 0;
    // Lowest effective level of the outputs on a subwoofer position, -1 when there is none.
    virtual int GetLowestSubLevel() = 0;
    // The page's subwoofer level (spin 2838, edit 2837, fader 2835) shows code 0..600.
    virtual void ShowSubLevel(int code) = 0;
    // A strip of an output on a subwoofer position took a new level (code 0..600).
    virtual void OnSubLevelChanged(int level) = 0;
    // Takes the value of the output's strip delay field over into the model.
    virtual void ApplyOutputDelay(int output) = 0;
    // The strip of output n (0..7), null when there is none; the strips' focus ring runs through it.
    virtual COutRoute_Dlg* GetStrip(int output) = 0;
    // The level edit the page shows (source level, or subwoofer level in sub mode) takes the focus.
    virtual void FocusShownLevelEdit() = 0;
    // The high-pass frequency edit 1004 takes the focus.
    virtual void FocusHighPassEdit() = 0;
    // The program's message box (IDOK, IDYES, IDNO ...); code as the box's caption code.
    virtual int StripMessageBox(const CString& text, UINT type, int code) = 0;
};
