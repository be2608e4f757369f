// CInputState: the process-wide input state of the window layer, on the UI thread: the mouse
// capture, the focus last reported with WM_SETFOCUS, the window a WM_SETCURSOR runs for, the
// window of the last mouse message, and the modifiers, buttons and keys that GetKeyState reads.
// The free input functions (SetCapture, SetFocus, SetCursor, GetKeyState ...) declared in Wnd.h
// are defined over it.
#pragma once

#include "platform/ui/WinUser.h"

#include <Qt>

class CWnd;

class CInputState {
public:
    // The window that gets every mouse message, or null.
    static CWnd* Capture();
    static void SetCaptureWnd(CWnd* wnd);
    // The window whose WM_SETCURSOR is running (SetCursor sets its cursor), or null.
    static CWnd* CursorTarget();
    static void SetCursorTarget(CWnd* wnd);
    // The window the last mouse message went to (SetCursor's target outside WM_SETCURSOR).
    static HWND LastMouseWnd();
    static void SetLastMouseWnd(HWND hWnd);
    // The window that got the last WM_SETFOCUS and no WM_KILLFOCUS since, or null.
    static HWND LastFocus();
    static void SetLastFocus(HWND hWnd);

    // The buttons and modifiers of an input event, and the key of a key event, as GetKeyState
    // reports them from then on.
    static void NoteButtons(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    static void NoteModifiers(Qt::KeyboardModifiers modifiers);
    static void NoteKey(UINT virtualKey, bool down);
    static bool IsDown(int virtualKey);
    // MK_ flags of buttons and modifiers; without arguments, those of the last input event.
    static UINT MkFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    static UINT MkFlags();
};
