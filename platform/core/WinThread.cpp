#include "platform/core/WinThread.h"

#include "platform/core/ThreadQueue.h"
#include "platform/core/Wait.h"

#include <system_error>
#include <vector>

IMPLEMENT_DYNAMIC(CWinThread, CObject)

namespace {

thread_local CWinThread* t_thread = nullptr;

struct EndThreadRequest {
    UINT code;
    BOOL bDelete;
};

// Threads whose objects deleted themselves: nobody else can join them, so the next start and the
// process exit do. Never destroyed: a thread may end during static destruction.
struct Reaper {
    std::mutex mutex;
    std::vector<std::thread> ended;

    void Adopt(std::thread t) {
        std::lock_guard lk(mutex);
        ended.push_back(std::move(t));
    }
    void JoinEnded() {
        std::vector<std::thread> done;
        {
            std::lock_guard lk(mutex);
            done.swap(ended);
        }
        for (auto& t : done)
            t.join();
    }
};

Reaper& reaper() {
    static Reaper* r = new Reaper;
    return *r;
}

struct JoinAtExit {
    ~JoinAtExit() { reaper().JoinEnded(); }
} g_joinAtExit;

} // namespace

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
    if (m_thread.joinable()) {
        if (m_thread.get_id() == std::this_thread::get_id()) {
            reaper().Adopt(std::move(m_thread));
        } else {
            {
                std::lock_guard lk(m_suspendMutex);
                if (m_nSuspendCount > 0) {
                    m_bCancelled = true;
                    m_nSuspendCount = 0;
                    m_resumed.notify_all();
                }
            }
            m_thread.join();
        }
    }
    if (m_hThread)
        CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT, LPVOID) {
    if (m_hThread)
        return FALSE;
    m_queue = r9::msg::ThreadQueue::Create();
    m_nThreadID = m_queue->Id();
    m_hThread = r9::wait::Create(r9::wait::Kind::Thread, false);
    reaper().JoinEnded();
    try {
        // Entry starts by taking this lock, so it never runs before m_thread is assigned.
        std::lock_guard lk(m_suspendMutex);
        m_nSuspendCount = (dwCreateFlags & CREATE_SUSPENDED) ? 1 : 0;
        m_thread = std::thread(&CWinThread::Entry, this);
    } catch (const std::system_error&) {
        m_queue->End();
        m_queue.reset();
        CloseHandle(m_hThread);
        m_hThread = nullptr;
        m_nThreadID = 0;
        return FALSE;
    }
    return TRUE;
}

DWORD CWinThread::ResumeThread() {
    std::lock_guard lk(m_suspendMutex);
    const DWORD prev = m_nSuspendCount;
    if (m_nSuspendCount > 0) {
        if (--m_nSuspendCount == 0)
            m_resumed.notify_all();
    } else {
        m_bResumePending = true;
    }
    return prev;
}

DWORD CWinThread::SuspendThread() {
    if (t_thread != this)
        return static_cast<DWORD>(-1);
    std::unique_lock lk(m_suspendMutex);
    if (m_bResumePending) {
        m_bResumePending = false;
        return 0;
    }
    const DWORD prev = m_nSuspendCount++;
    m_resumed.wait(lk, [this] { return m_nSuspendCount == 0; });
    return prev;
}

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostThreadMessage(m_nThreadID, message, wParam, lParam);
}

BOOL CWinThread::Stop(const std::function<void()>& signal, DWORD ms) {
    if (signal)
        signal();
    {
        std::lock_guard lk(m_suspendMutex);
        if (m_nSuspendCount > 0 && t_thread != this) {
            m_nSuspendCount = 0;
            m_resumed.notify_all();
        }
    }
    return Join(ms);
}

BOOL CWinThread::Join(DWORD ms) {
    if (!m_thread.joinable() || m_thread.get_id() == std::this_thread::get_id())
        return FALSE;
    if (r9::msg::WaitServingSent(1, &m_hThread, ms) != WAIT_OBJECT_0)
        return FALSE;
    m_thread.join();
    return TRUE;
}

BOOL CWinThread::InitInstance() {
    return FALSE;
}

int CWinThread::Run() {
    MSG msg{};
    for (;;) {
        const BOOL r = ::GetMessage(&msg, nullptr, 0, 0);
        if (r == FALSE)
            break;
        if (r == -1)
            continue;
        if (!PreTranslateMessage(&msg))
            ::DispatchMessage(&msg);
    }
    m_nQuitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

int CWinThread::ExitInstance() {
    return m_nQuitCode;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->hwnd == nullptr && !r9::msg::IsTimerCallbackMessage(*pMsg))
        return OnThreadMessage(pMsg);
    return FALSE;
}

BOOL CWinThread::OnThreadMessage(MSG*) {
    return FALSE;
}

void CWinThread::Entry() {
    r9::msg::ThreadQueue::BindCurrent(m_queue);
    t_thread = this;
    {
        std::unique_lock lk(m_suspendMutex);
        m_resumed.wait(lk, [this] { return m_nSuspendCount == 0; });
        if (m_bCancelled)
            return; // the object is being destroyed and waits for this thread to end
    }
    BOOL bDelete = m_bAutoDelete;
    try {
        if (m_pfnThreadProc)
            m_pfnThreadProc(m_pThreadParams);
        else if (!InitInstance())
            ExitInstance();
        else
            Run();
        bDelete = m_bAutoDelete;
    } catch (const EndThreadRequest& req) {
        bDelete = m_bAutoDelete && req.bDelete;
    }
    t_thread = nullptr;
    // Posts after this point fail; senders still waiting on this thread are released.
    m_queue->End();
    const HANDLE h = m_hThread;
    if (bDelete) {
        r9::wait::SetSignalled(h, true, true);
        delete this;
    } else {
        // The owner may delete this object as soon as the handle is signalled: touch nothing after.
        r9::wait::SetSignalled(h, true, true);
    }
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int, UINT nStackSize,
                           DWORD dwCreateFlags, LPVOID lpSecurityAttrs) {
    if (!pfnThreadProc)
        return nullptr;
    auto* t = new CWinThread(pfnThreadProc, pParam);
    if (!t->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete t;
        return nullptr;
    }
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        t->ResumeThread();
    return t;
}

CWinThread* AfxBeginThread(const CRuntimeClass* pThreadClass, int, UINT nStackSize, DWORD dwCreateFlags,
                           LPVOID lpSecurityAttrs) {
    if (!pThreadClass || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)))
        return nullptr;
    CObject* obj = pThreadClass->CreateObject();
    auto* t = dynamic_cast<CWinThread*>(obj);
    if (!t) {
        delete obj;
        return nullptr;
    }
    if (!t->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete t;
        return nullptr;
    }
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        t->ResumeThread();
    return t;
}

void AfxEndThread(UINT nExitCode, BOOL bDelete) {
    throw EndThreadRequest{nExitCode, bDelete};
}

CWinThread* AfxGetThread() {
    return t_thread;
}
