// Threads: a worker function thread or a thread class with its own message loop.
#pragma once

#include "platform/core/Messages.h"
#include "platform/core/Object.h"
#include "platform/core/Wait.h"
#include "platform/core/WinTypes.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace r9::msg {
class ThreadQueue;
}

using AFX_THREADPROC = UINT (*)(LPVOID);

constexpr DWORD CREATE_SUSPENDED = 0x00000004;
constexpr int THREAD_PRIORITY_LOWEST = -2;
constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
constexpr int THREAD_PRIORITY_NORMAL = 0;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
constexpr int THREAD_PRIORITY_HIGHEST = 2;

class CWinThread : public CObject {
    DECLARE_DYNAMIC(CWinThread)
public:
    // A thread class: InitInstance, then Run (the message loop) when it returns TRUE.
    CWinThread();
    // A worker function thread.
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPVOID lpSecurityAttrs = nullptr);
    // Returns the previous suspend count. A resume that finds the thread running is kept for its next
    // SuspendThread, so a thread about to suspend itself cannot miss the resume meant for it.
    DWORD ResumeThread();
    // Only the thread itself can suspend: it blocks here until resumed. From another thread: fails
    // with (DWORD)-1.
    DWORD SuspendThread();
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The one way to stop a thread that does not delete itself: signal runs the thread's own quit
    // request (an event, WM_QUIT, a flag), a thread never resumed is let run so it can see it, and
    // Join waits. FALSE when it has not ended within ms, or from the thread itself.
    BOOL Stop(const std::function<void()>& signal, DWORD ms = INFINITE);
    // Waits until the thread has ended, serving messages sent to the calling thread meanwhile (the
    // thread may be blocked in a SendMessage to it), and joins it.
    BOOL Join(DWORD ms = INFINITE);

    virtual BOOL InitInstance();
    virtual int Run();
    // Result of Run: the WM_QUIT exit code.
    virtual int ExitInstance();
    // Called for every message the loop takes; TRUE means handled (not dispatched).
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // A message posted to the thread itself (no window), timer callbacks excepted; TRUE when handled.
    virtual BOOL OnThreadMessage(MSG* pMsg);

    operator HANDLE() const { return m_hThread; }

    // Signalled when the thread has ended.
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    // The object deletes itself when its thread ends; the thread is then joined by the next thread
    // start or at process exit.
    BOOL m_bAutoDelete = TRUE;

protected:
    int m_nQuitCode = 0;

private:
    void Entry();

    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;
    std::shared_ptr<r9::msg::ThreadQueue> m_queue;
    std::thread m_thread;
    std::mutex m_suspendMutex;
    std::condition_variable m_resumed;
    DWORD m_nSuspendCount = 0;
    bool m_bResumePending = false;
    // Deleted before it ever ran: the thread leaves without running anything.
    bool m_bCancelled = false;
};

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0, LPVOID lpSecurityAttrs = nullptr);
// pThreadClass must name a dynamically creatable class derived from CWinThread.
CWinThread* AfxBeginThread(const CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0, LPVOID lpSecurityAttrs = nullptr);
// Ends the calling thread started by AfxBeginThread, unwinding its stack.
[[noreturn]] void AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
// The thread object of the calling thread, or NULL for a thread not started here.
CWinThread* AfxGetThread();
