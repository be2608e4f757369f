// Window and thread messages: posting, sending, per-thread queues and thread timers.
// Every thread has one FIFO queue; a window handle belongs to the thread that registered it, and
// its messages are delivered there (by GetMessage/DispatchMessage on a worker, or by the pump the
// window layer installs on the UI thread). Nothing here needs a UI toolkit.
#pragma once

#include "platform/core/WinTypes.h"

#include <functional>

class CMessageTarget;

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
};

using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// FALSE for a destroyed or unknown handle. Posts from one thread keep their order.
BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// On the target's thread the handler runs at once; from another thread the caller blocks (still
// serving messages sent to itself) until it ran or the target was destroyed (result 0).
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsWindow(HWND hWnd);

DWORD GetCurrentThreadId();
BOOL PostThreadMessage(DWORD idThread, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int nExitCode);
// Calling thread's queue. Filters: hWnd NULL = any; wMsgFilterMin = wMsgFilterMax = 0 = any.
// GetMessage blocks and returns FALSE for WM_QUIT; due thread timers come as WM_TIMER.
BOOL GetMessage(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
BOOL PeekMessage(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
// Runs the window procedure of msg.hwnd, or the callback of a thread timer.
LRESULT DispatchMessage(const MSG* lpMsg);

// hWnd NULL: a timer of the calling thread, delivered as WM_TIMER (wParam id, lParam proc) to it;
// ids are unique in the process. A window handle goes to the window layer's timer hook.
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
// A thread timer may be killed from any thread.
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);

namespace r9::msg {

// The handle is owned by the calling thread.
HWND Register(CMessageTarget* target);
void Unregister(HWND hWnd);
CMessageTarget* FromHandle(HWND hWnd);

// Installed on the delivering (UI) thread: wake is called from any thread when that thread has
// messages; the wake then has DeliverPending() run on that thread.
void InstallPump(std::function<void()> wake);
// Delivers the calling thread's sent messages, then the posted ones queued so far; the count.
int DeliverPending();
int DeliverSent();
// WaitForMultipleObjects (wait-any) that keeps running messages sent to the calling thread.
DWORD WaitServingSent(DWORD nCount, const HANDLE* lpHandles, DWORD dwMilliseconds);
// Removes posted, undelivered messages of this id for the target (any thread); the count removed.
int RemovePending(HWND hWnd, UINT message);
// TRUE when msg is a tick of a live thread timer with a callback (DispatchMessage runs it).
bool IsTimerCallbackMessage(const MSG& msg);

using WindowTimerSet = UINT_PTR (*)(HWND, UINT_PTR, UINT, TIMERPROC);
using WindowTimerKill = BOOL (*)(HWND, UINT_PTR);
void SetWindowTimerHook(WindowTimerSet set, WindowTimerKill kill);

} // namespace r9::msg
