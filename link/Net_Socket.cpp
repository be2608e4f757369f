#include "link/Net_Socket.h"

#include "link/LinkGlobals.h"
#include "link/Ping_Net_Thread.h"
#include "model/Globals.h"
#include "platform/core/Event.h"
#include "platform/core/Messages.h"
#include "platform/core/Wait.h"
#include "platform/io/IpAdapters.h"
#include "platform/io/PingProbe.h"

#include <chrono>
#include <cstring>

std::atomic<int> g_nNetRetry{0};

namespace {

constexpr int kMaxPingTarget = 79; // the command line held 80 characters with its NUL

bool ParseIPv4(const char* text, BYTE octets[4]) {
    if (!ws::IsIPv4Address(text))
        return false;
    const ULONG a = ws::inet_addr(text); // 255.255.255.255 too: the text was checked above
    std::memcpy(octets, &a, 4);          // network order: first octet first
    return true;
}

} // namespace

CNet_Socket::CNet_Socket() : m_hAbort(CreateEvent(nullptr, TRUE, FALSE, nullptr)) {
    m_pPingThread = new CPing_Net_Thread;
    m_pPingThread->m_bAutoDelete = FALSE;
    m_pPingThread->SetOwner(this);
    if (!m_pPingThread->CreateThread(0)) {
        delete m_pPingThread;
        m_pPingThread = nullptr;
    }
}

CNet_Socket::~CNet_Socket() {
    AbortWaits();
    StopPing(FALSE);
    if (m_pPingThread) {
        // Serving sent messages: a step of the ping thread may wait for this thread.
        m_pPingThread->Join();
        delete m_pPingThread;
        m_pPingThread = nullptr;
    }
    Close();
    std::lock_guard<std::mutex> guard(m_probeLock);
    m_probes.clear(); // waits for probes still running
    CloseHandle(m_hAbort);
}

void CNet_Socket::StartPing() {
    if (m_pPingThread)
        m_pPingThread->StartTimer(500);
}

void CNet_Socket::StopPing(BOOL bKeepThread) {
    if (!m_pPingThread)
        return;
    {
        std::lock_guard<std::mutex> guard(m_postLock);
        m_pPingThread->StopTimer();
    }
    WakeSleepers();
    if (!bKeepThread)
        m_pPingThread->Quit();
}

int CNet_Socket::GetPingTicks() const {
    return m_pPingThread ? m_pPingThread->GetTicks() : 0;
}

BOOL CNet_Socket::IsPingRunning() const {
    return m_pPingThread && m_pPingThread->IsTimerOn();
}

std::string CNet_Socket::DeviceAddress() {
    std::lock_guard lock(g_linkLock);
    return std::string(static_cast<const char*>(g_strDevIP));
}

BOOL CNet_Socket::IsSameSubnet(const char* mask, const char* localIp, const char* deviceIp) {
    BYTE m[4], l[4], d[4];
    if (!ParseIPv4(mask, m) || !ParseIPv4(localIp, l) || !ParseIPv4(deviceIp, d))
        return FALSE;
    int masked = 0;
    int matching = 0;
    for (int i = 0; i < 4; ++i) {
        if (m[i] != 255)
            continue;
        ++masked;
        if (l[i] == d[i])
            ++matching;
    }
    return masked > 0 && masked == matching ? TRUE : FALSE;
}

BOOL CNet_Socket::FindLocalAdapter() {
    const std::string device = DeviceAddress();
    for (const IpAdapterInfo& a : GetIpAdapters()) {
        {
            std::lock_guard<std::mutex> guard(m_adapterLock);
            m_strLocalIP = a.ipAddress;
            m_strLocalMask = a.ipMask;
        }
        if (IsSameSubnet(a.ipMask.c_str(), a.ipAddress.c_str(), device.c_str()))
            return TRUE;
    }
    return FALSE;
}

BOOL CNet_Socket::HasLocalAdapter() {
    return FindLocalAdapter();
}

BOOL CNet_Socket::PingDevice() {
    const std::string target = DeviceAddress();
    {
        std::lock_guard<std::mutex> guard(m_adapterLock);
        m_szPingOut[0] = 0;
    }
    if (target.empty() || target.size() > kMaxPingTarget || !ws::IsIPv4Address(target.c_str()))
        return FALSE;
    if (m_bAbort)
        return FALSE;
    struct Result {
        std::mutex lock;
        HANDLE done = CreateEvent(nullptr, TRUE, FALSE, nullptr);
        BOOL ok = FALSE;
        std::string out;
        ~Result() { CloseHandle(done); }
    };
    auto result = std::make_shared<Result>();
    {
        std::lock_guard<std::mutex> guard(m_probeLock);
        std::erase_if(m_probes, [](std::future<void>& f) {
            return f.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        });
        m_probes.push_back(std::async(std::launch::async, [result, target] {
            std::string out;
            BOOL ok = PingHost(target.c_str(), &out);
            std::lock_guard<std::mutex> g(result->lock);
            result->ok = ok;
            result->out = std::move(out);
            SetEvent(result->done);
        }));
    }
    // The probe may take seconds; a stop of the link worker must not wait for it, and a UI thread
    // waiting here keeps serving what is sent to it.
    const HANDLE wait[2] = {result->done, m_hAbort};
    if (r9::msg::WaitServingSent(2, wait, INFINITE) != WAIT_OBJECT_0)
        return FALSE;
    std::lock_guard<std::mutex> lock(result->lock);
    std::lock_guard<std::mutex> guard(m_adapterLock);
    const std::string& out = result->out;
    size_t n = out.size() < sizeof m_szPingOut - 1 ? out.size() : sizeof m_szPingOut - 1;
    std::memcpy(m_szPingOut, out.data(), n);
    m_szPingOut[n] = 0;
    return result->ok ? TRUE : FALSE;
}

void CNet_Socket::AbortWaits() {
    m_bAbort = 1;
    SetEvent(m_hAbort);
}

void CNet_Socket::ResumeWaits() {
    ResetEvent(m_hAbort);
    m_bAbort = 0;
}

BOOL CNet_Socket::Connect() {
    if (!m_bReachable || !PingDevice())
        return FALSE;
    WSADATA data;
    if (ws::WSAStartup(MAKEWORD(2, 0), &data) != 0)
        return FALSE;
    if (data.wVersion != MAKEWORD(2, 0)) {
        ws::WSACleanup();
        return FALSE;
    }
    std::lock_guard<std::mutex> guard(m_socketLock);
    // A socket left open by an earlier connect is closed first, never leaked.
    if (SOCKET old = m_hSocket.exchange(INVALID_SOCKET); old != INVALID_SOCKET)
        ws::closesocket(old);
    SOCKET s = ws::socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET)
        return FALSE;
    int zero = 0;
    ws::setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&zero), sizeof zero);
    ws::setsockopt(s, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&zero), sizeof zero);
    DWORD sendMs = static_cast<DWORD>(m_nSendTimeout);
    DWORD recvMs = static_cast<DWORD>(m_nRecvTimeout.load());
    ws::setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&sendMs), sizeof sendMs);
    if (ws::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&recvMs), sizeof recvMs) !=
        0) {
        ws::closesocket(s);
        ws::WSACleanup();
        return FALSE;
    }
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(g_nNetPort));
    addr.sin_addr.s_addr = static_cast<in_addr_t>(ws::inet_addr(DeviceAddress().c_str()));
    if (addr.sin_addr.s_addr == INADDR_NONE ||
        ws::connect(s, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
        ws::closesocket(s);
        ws::WSACleanup();
        return FALSE;
    }
    m_hSocket = s;
    return TRUE;
}

BOOL CNet_Socket::Close() {
    std::lock_guard<std::mutex> guard(m_socketLock);
    if (SOCKET s = m_hSocket.exchange(INVALID_SOCKET); s != INVALID_SOCKET)
        ws::closesocket(s);
    ws::WSACleanup();
    return TRUE;
}

BOOL CNet_Socket::Send(const BYTE* data, int length, int flags) {
    SOCKET s = m_hSocket.load();
    if (s == INVALID_SOCKET || !data || length < 0)
        return FALSE;
    // ws::send loops until every byte left; a shorter count means the rest failed.
    int n = ws::send(s, reinterpret_cast<const char*>(data), length, flags);
    return n == length ? TRUE : FALSE;
}

int CNet_Socket::ReceiveInto(int maxBytes, int* count) {
    SOCKET s = m_hSocket.load();
    int n = ws::recv(s, g_netRecvBuf, maxBytes, 0);
    if (count)
        *count = n;
    if (n != SOCKET_ERROR)
        return n;
    switch (int err = ws::WSAGetLastError()) {
    case WSAEWOULDBLOCK:
    case WSAECONNABORTED:
    case WSAECONNRESET:
    case WSAETIMEDOUT:
        return err;
    default:
        return 0;
    }
}

int CNet_Socket::Receive(int* count) {
    return ReceiveInto(NET_RECV_SIZE, count);
}

int CNet_Socket::WaitReadable(DWORD timeoutMs) {
    SOCKET s = m_hSocket.load();
    if (s == INVALID_SOCKET)
        return 1; // the receive fails at once and says why
    return ws::WaitReadable(s, timeoutMs);
}

int CNet_Socket::ReceiveShort(int* count) {
    return ReceiveInto(16, count);
}

BOOL CNet_Socket::SetReceiveTimeout(int ms) {
    m_nRecvTimeout = ms;
    SOCKET s = m_hSocket.load();
    DWORD v = static_cast<DWORD>(ms);
    if (ws::setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&v), sizeof v) == 0)
        return TRUE;
    Close();
    return FALSE;
}

BOOL CNet_Socket::SleepWhileRunning(const std::atomic<int>* runFlag, DWORD ms) {
    std::unique_lock<std::mutex> lock(m_sleepLock);
    bool cut = m_sleepWake.wait_for(lock, std::chrono::milliseconds(ms),
                                    [runFlag] { return runFlag && !runFlag->load(); });
    return cut ? FALSE : TRUE;
}

void CNet_Socket::WakeSleepers() {
    std::lock_guard<std::mutex> guard(m_sleepLock);
    m_sleepWake.notify_all();
}

void CNet_Socket::MarkUnreachable() {
    std::lock_guard<std::mutex> guard(m_postLock);
    ++m_nUnreachableMarks;
    m_bReachable = 0;
    m_bPingOk = 0;
}

int CNet_Socket::CheckReachable(const std::atomic<int>* runFlag) {
    auto running = [runFlag] { return !runFlag || runFlag->load() != 0; };
    const unsigned marks = m_nUnreachableMarks.load();
    if (!HasLocalAdapter()) {
        if (!running())
            return 0;
        m_bReachable = 0;
        SleepWhileRunning(runFlag, m_nSettleMs);
        return m_bReachable;
    }
    if (!running())
        return 0;
    int ok = m_bReachable;
    bool post = false;
    if (!ok) {
        ok = PingDevice();
        if (ok) {
            if (g_bFirmwareFinished) {
                // The module restarts after an update: give it time before the connect.
                SleepWhileRunning(runFlag, m_nRestartWaitMs);
                g_bFirmwareFinished = 0;
            }
            post = true;
        }
    }
    m_bPingOk = ok;
    {
        // The flag is set before the post, so the handler's connect sees the device reachable.
        std::lock_guard<std::mutex> guard(m_postLock);
        if (!running())
            return 0;
        // Marked unreachable meanwhile: what this step saw is out of date.
        if (marks != m_nUnreachableMarks.load())
            return 0;
        m_bReachable = m_bPingOk.load();
        if (post)
            ::PostMessage(m_hOwner.load(), WM_NET_REACHABLE, 0, 0);
    }
    SleepWhileRunning(runFlag, m_nSettleMs);
    return m_bReachable;
}
