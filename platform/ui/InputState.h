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
    // Ends the capture mode, as a modal box, a popup menu or list taking the pointer, or the
    // application losing the activation does: the holder gets WM_CANCELMODE, the capture is
    // released and WM_CAPTURECHANGED follows. The press it belonged to is over for the windows.
    static void CancelCaptureMode();
    // The same when the capture is held by root or a window inside it (root disabled, hidden or
    // destroyed).
    static void CancelCaptureModeWithin(const CWnd& root);
    static bool CaptureWithin(const CWnd& root);
    // A press whose capture mode was cancelled and whose button is still down: the toolkit goes on
    // sending its moves and release to the pressed window, where they no longer belong.
    static bool PressCancelled();
    static void EndCancelledPress();
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
    // After a modal box or menu had the pointer: a button the toolkit knows to be up is up (its
    // release reached no window).
    static void ResyncButtons();
    // Held over a modal loop (a dialog or box, a popup menu, the toolkit's file, folder or print
    // dialog): the loop takes the pointer, so a drag held anywhere ends before it starts, and the
    // buttons are resynced when it is over.
    class ModalLoop {
    public:
        ModalLoop() { CancelCaptureMode(); }
        ~ModalLoop() { ResyncButtons(); }
        ModalLoop(const ModalLoop&) = delete;
        ModalLoop& operator=(const ModalLoop&) = delete;
    };
    // Installs, once, the watch of the application's activation.
    static void WatchApplication();
    static void NoteModifiers(Qt::KeyboardModifiers modifiers);
    static void NoteKey(UINT virtualKey, bool down);
    static bool IsDown(int virtualKey);
    // MK_ flags of buttons and modifiers; without arguments, those of the last input event.
    static UINT MkFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    static UINT MkFlags();
};
