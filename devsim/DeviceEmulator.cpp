#include "DeviceEmulator.h"

#include "platform/io/SocketHidDevice.h"
#include "wire/LinkFrame.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr size_t kLogLimit = 100000;
constexpr size_t kErrorLimit = 1000;

// 32 pairs of 43 11: the update's handshake.
bool IsHandshake(const BYTE* p64) {
    for (int i = 0; i < 64; i += 2) {
        if (p64[i] != 0x43 || p64[i + 1] != 0x11)
            return false;
    }
    return true;
}

bool StartsLikeFrame(const BYTE* p, size_t n) {
    static const BYTE head[4] = {FRAME_SYNC, FRAME_SYNC, FRAME_SYNC, FRAME_START};
    return std::memcmp(p, head, n < 4 ? n : 4) == 0;
}

// Drops the bad byte and whatever follows up to the next sync byte.
void SkipToNextSync(std::vector<BYTE>& in) {
    size_t next = 1;
    while (next < in.size() && in[next] != FRAME_SYNC)
        ++next;
    in.erase(in.begin(), in.begin() + static_cast<long>(next));
}

bool AllZero(const BYTE* p, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        if (p[i])
            return false;
    }
    return true;
}

} // namespace

CDeviceEmulator::CDeviceEmulator() {
    m_wake = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    m_thread = std::thread([this] { Run(); });
}

CDeviceEmulator::~CDeviceEmulator() {
    Stop();
    if (m_wake >= 0)
        ::close(m_wake);
}

void CDeviceEmulator::Stop() {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_stop && !m_thread.joinable())
            return;
        m_stop = true;
    }
    Wake();
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard<std::mutex> guard(m_lock);
    CloseChannel(m_tcp);
    CloseChannel(m_hid);
    if (m_listen >= 0) {
        ::close(m_listen);
        m_listen = -1;
    }
}

void CDeviceEmulator::Wake() {
    uint64_t one = 1;
    (void)!::write(m_wake, &one, sizeof one);
}

bool CDeviceEmulator::StartTcp(uint16_t port) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_listen >= 0)
        return true;
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(port);
    socklen_t len = sizeof a;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, 8) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        ::close(fd);
        return false;
    }
    m_listen = fd;
    m_port = ntohs(a.sin_port);
    Wake();
    return true;
}

uint16_t CDeviceEmulator::GetTcpPort() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_port;
}

std::unique_ptr<CHidDevice> CDeviceEmulator::ConnectHid() {
    std::unique_ptr<CSocketHidDevice> program;
    int deviceFd = -1;
    if (!CSocketHidDevice::CreatePair(&program, &deviceFd))
        return nullptr;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        CloseChannel(m_hid);
        m_hid = std::make_unique<Channel>();
        m_hid->fd = deviceFd;
        m_hid->transport = DevsimTransport::Hid;
        m_hid->id = m_nextId++;
    }
    Wake();
    return program;
}

void CDeviceEmulator::DisconnectHid() {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        CloseChannel(m_hid);
    }
    Wake();
}

void CDeviceEmulator::InjectFault(const DevsimFault& fault) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_faults.push_back(fault);
}

void CDeviceEmulator::ClearFaults() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_faults.clear();
}

void CDeviceEmulator::SetVersionTag(const std::string& tag) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_protocol.State().versionTag = tag;
}

std::vector<std::string> CDeviceEmulator::GetErrors() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_errors;
}

void CDeviceEmulator::ClearErrors() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_errors.clear();
}

std::vector<DevsimRequest> CDeviceEmulator::GetRequests() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return std::vector<DevsimRequest>(m_requests.begin(), m_requests.end());
}

size_t CDeviceEmulator::GetRequestCount() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_dropped + m_requests.size();
}

void CDeviceEmulator::ClearRequests() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_dropped += m_requests.size();
    m_requests.clear();
}

long CDeviceEmulator::WaitForRequest(const std::function<bool(const DevsimRequest&)>& match, int timeoutMs,
                                     size_t from) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock<std::mutex> lock(m_lock);
    size_t next = from;
    for (;;) {
        if (next < m_dropped)
            next = m_dropped;
        for (; next < m_dropped + m_requests.size(); ++next) {
            if (match(m_requests[next - m_dropped]))
                return static_cast<long>(next);
        }
        if (m_changed.wait_until(lock, deadline) == std::cv_status::timeout) {
            for (; next < m_dropped + m_requests.size(); ++next) {
                if (match(m_requests[next - m_dropped]))
                    return static_cast<long>(next);
            }
            return -1;
        }
    }
}

std::vector<DevsimRequest> CDeviceEmulator::WaitForRequestsFrom(size_t from, int timeoutMs, size_t* first) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock<std::mutex> lock(m_lock);
    auto logged = [&] { return m_dropped + m_requests.size() > from; };
    if (!m_changed.wait_until(lock, deadline, logged)) {
        *first = from;
        return {};
    }
    const size_t start = from < m_dropped ? m_dropped : from;
    *first = start;
    return std::vector<DevsimRequest>(m_requests.begin() + static_cast<long>(start - m_dropped),
                                      m_requests.end());
}

int CDeviceEmulator::GetConnectionCount() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_connections;
}

DeviceState CDeviceEmulator::GetState() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_protocol.State();
}

void CDeviceEmulator::ModifyState(const std::function<void(DeviceState&)>& change) {
    std::lock_guard<std::mutex> guard(m_lock);
    change(m_protocol.State());
}

DevsimFirmware CDeviceEmulator::GetFirmware() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_protocol.Firmware();
}

void CDeviceEmulator::Error(const std::string& text) {
    if (m_errors.size() < kErrorLimit)
        m_errors.push_back(text);
    std::fprintf(stderr, "devsim: %s\n", text.c_str());
}

void CDeviceEmulator::CloseChannel(std::unique_ptr<Channel>& ch) {
    if (ch) {
        ::close(ch->fd);
        ch.reset();
    }
}

void CDeviceEmulator::Run() {
    for (;;) {
        std::vector<pollfd> fds;
        int timeout = -1;
        int tcpFd = -1, hidFd = -1, listenFd = -1;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (m_stop)
                return;
            fds.push_back({m_wake, POLLIN, 0});
            listenFd = m_listen;
            if (listenFd >= 0)
                fds.push_back({listenFd, POLLIN, 0});
            if (m_tcp) {
                tcpFd = m_tcp->fd;
                fds.push_back({tcpFd, POLLIN, 0});
            }
            if (m_hid) {
                hidFd = m_hid->fd;
                fds.push_back({hidFd, POLLIN, 0});
            }
            auto now = std::chrono::steady_clock::now();
            for (Channel* ch : {m_tcp.get(), m_hid.get()}) {
                if (!ch || ch->pending.empty())
                    continue;
                auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(ch->pending.front().due - now)
                              .count();
                int t = ms < 0 ? 0 : static_cast<int>(ms) + 1;
                timeout = timeout < 0 || t < timeout ? t : timeout;
            }
        }
        int n = ::poll(fds.data(), fds.size(), timeout);
        if (n < 0 && errno != EINTR)
            return;
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_stop)
            return;
        for (const pollfd& p : fds) {
            if (!p.revents)
                continue;
            if (p.fd == m_wake) {
                uint64_t v;
                (void)!::read(m_wake, &v, sizeof v);
            } else if (p.fd == listenFd && p.fd == m_listen) {
                int c = ::accept4(m_listen, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
                if (c >= 0) {
                    // One connection at a time: a new one replaces the old. What the program sent
                    // before it connected again is still served (a loaded machine may see the old
                    // request and the new connection in one poll).
                    if (m_tcp)
                        ReadTcp(m_tcp);
                    CloseChannel(m_tcp);
                    m_tcp = std::make_unique<Channel>();
                    m_tcp->fd = c;
                    m_tcp->id = m_nextId++;
                    ++m_connections;
                }
            } else if (m_tcp && p.fd == tcpFd && m_tcp->fd == tcpFd) {
                ReadTcp(m_tcp);
            } else if (m_hid && p.fd == hidFd && m_hid->fd == hidFd) {
                ReadHid(m_hid);
            }
        }
        FlushDue(m_tcp);
        FlushDue(m_hid);
        m_changed.notify_all();
    }
}

void CDeviceEmulator::ReadTcp(std::unique_ptr<Channel>& ch) {
    bool closed = false;
    for (;;) {
        BYTE buf[4096];
        ssize_t n = ::recv(ch->fd, buf, sizeof buf, MSG_DONTWAIT);
        if (n > 0) {
            ch->in.insert(ch->in.end(), buf, buf + n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        closed = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
        break;
    }
    TakeTcpRequests(ch);
    if (closed && ch) {
        if (!ch->in.empty())
            Error("connection closed in the middle of a request");
        CloseChannel(ch);
    }
}

void CDeviceEmulator::TakeTcpRequests(std::unique_ptr<Channel>& ch) {
    while (ch && !ch->in.empty()) {
        std::vector<BYTE>& in = ch->in;
        if (in[0] == FRAME_SYNC) {
            if (!StartsLikeFrame(in.data(), in.size())) {
                Error("bytes that start no frame");
                SkipToNextSync(in);
                continue;
            }
            if (in.size() < static_cast<size_t>(LinkFrame::HEADER_SIZE))
                return;
            int payload = LinkFrame::PayloadLength(in.data());
            if (payload > LinkFrame::MAX_PAYLOAD) {
                Error("frame length " + std::to_string(payload) + " beyond any record");
                in.clear();
                return;
            }
            size_t len = static_cast<size_t>(payload) + LinkFrame::OVERHEAD;
            if (in.size() < len)
                return;
            std::vector<BYTE> frame(in.begin(), in.begin() + static_cast<long>(len));
            in.erase(in.begin(), in.begin() + static_cast<long>(len));
            Serve(ch, frame.data(), static_cast<int>(len), false);
        } else if (in[0] == 0) {
            if (in.size() < static_cast<size_t>(HID_REPORT_SIZE))
                return;
            // The handshake flood is taken in one go, not block by block from the front.
            size_t handshakes = 0;
            while ((handshakes + 1) * HID_REPORT_SIZE <= in.size() && in[handshakes * HID_REPORT_SIZE] == 0 &&
                   IsHandshake(in.data() + handshakes * HID_REPORT_SIZE + 1))
                ++handshakes;
            if (handshakes > 0) {
                for (size_t k = 0; k < handshakes; ++k)
                    m_protocol.Handshake();
                in.erase(in.begin(), in.begin() + static_cast<long>(handshakes * HID_REPORT_SIZE));
                continue;
            }
            std::vector<BYTE> block(in.begin(), in.begin() + HID_REPORT_SIZE);
            in.erase(in.begin(), in.begin() + HID_REPORT_SIZE);
            if (IsHandshake(block.data() + 1)) {
                m_protocol.Handshake();
                continue;
            }
            if (!StartsLikeFrame(block.data() + 1, 4)) {
                Error("65-byte block without a frame");
                continue;
            }
            size_t len =
                static_cast<size_t>(LinkFrame::PayloadLength(block.data() + 1)) + LinkFrame::OVERHEAD;
            if (len > static_cast<size_t>(HID_REPORT_DATA) ||
                !AllZero(block.data() + 1 + len, static_cast<size_t>(HID_REPORT_DATA) - len)) {
                Error("65-byte block with a frame that does not fit or no zero fill");
                continue;
            }
            Serve(ch, block.data() + 1, static_cast<int>(len), true);
        } else {
            Error("unexpected byte between requests");
            SkipToNextSync(in);
        }
    }
}

void CDeviceEmulator::ReadHid(std::unique_ptr<Channel>& ch) {
    while (ch) {
        BYTE r[HID_REPORT_DATA];
        int rc = CSocketHidDevice::DeviceReadReport(ch->fd, r, 0);
        if (rc == HID_IO_TIMEOUT)
            return;
        if (rc != HID_IO_OK) {
            CloseChannel(ch); // the program closed its end
            return;
        }
        if (ch->hidFrame.empty()) {
            if (IsHandshake(r)) {
                m_protocol.Handshake();
                continue;
            }
            if (!StartsLikeFrame(r, 4)) {
                Error("output report without a frame start");
                continue;
            }
            int payload = LinkFrame::PayloadLength(r);
            if (payload > LinkFrame::MAX_PAYLOAD) {
                Error("frame length " + std::to_string(payload) + " beyond any record");
                continue;
            }
            size_t len = static_cast<size_t>(payload) + LinkFrame::OVERHEAD;
            if (len <= static_cast<size_t>(HID_REPORT_DATA)) {
                if (!AllZero(r + len, HID_REPORT_DATA - len))
                    Error("output report without zero fill after the frame");
                Serve(ch, r, static_cast<int>(len), false);
                continue;
            }
            ch->hidFrame.assign(r, r + HID_REPORT_DATA);
            ch->hidExpected = len;
            continue;
        }
        size_t left = ch->hidExpected - ch->hidFrame.size();
        size_t take = left < static_cast<size_t>(HID_REPORT_DATA) ? left : HID_REPORT_DATA;
        ch->hidFrame.insert(ch->hidFrame.end(), r, r + take);
        if (!AllZero(r + take, HID_REPORT_DATA - take))
            Error("output report without zero fill after the frame");
        if (ch->hidFrame.size() == ch->hidExpected) {
            std::vector<BYTE> frame;
            frame.swap(ch->hidFrame);
            ch->hidExpected = 0;
            Serve(ch, frame.data(), static_cast<int>(frame.size()), false);
        }
    }
}

bool CDeviceEmulator::Serve(std::unique_ptr<Channel>& ch, const BYTE* frame, int len, bool fwBlock) {
    DevsimRequest req;
    req.frame.assign(frame, frame + len);
    req.transport = ch->transport;
    req.connection = ch->id;
    req.firmwareBlock = fwBlock;
    m_requests.push_back(std::move(req));
    if (m_requests.size() > kLogLimit) {
        m_requests.pop_front();
        ++m_dropped;
    }
    if (!LinkFrame::IsValid(frame, len)) {
        Error(m_protocol.Handle(frame, len, ch->transport, fwBlock, ch->id).error);
        return true;
    }
    if (!ch->pending.empty())
        Error("a request arrived before the answer to the previous one");

    DevsimFault fault;
    bool faulty = false;
    for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
        if ((it->type < 0 || it->type == frame[LinkFrame::OFS_TYPE]) &&
            (it->group < 0 || it->group == frame[LinkFrame::OFS_GROUP]) &&
            (it->index < 0 || it->index == frame[LinkFrame::OFS_INDEX])) {
            fault = *it;
            faulty = true;
            m_requests.back().faulted = true;
            if (--it->count <= 0)
                m_faults.erase(it);
            break;
        }
    }
    if (faulty && fault.kind == DevsimFaultKind::Resend) {
        SendAnswer(ch, CDeviceProtocol::ResendFrame());
        return true;
    }
    if (faulty && fault.kind == DevsimFaultKind::CutConnection) {
        CloseChannel(ch);
        return false;
    }
    CDeviceProtocol::Result r = m_protocol.Handle(frame, len, ch->transport, fwBlock, ch->id);
    if (!r.error.empty()) {
        Error(r.error);
        return true;
    }
    if (!r.answer || (faulty && fault.kind == DevsimFaultKind::NoAnswer))
        return true;
    if (faulty && fault.kind == DevsimFaultKind::EmptyPayload)
        r.frame =
            CDeviceProtocol::MakeFrame(FRAME_DATA, frame[LinkFrame::OFS_PRESET], frame[LinkFrame::OFS_GROUP],
                                       frame[LinkFrame::OFS_INDEX], frame[LinkFrame::OFS_CHUNK], nullptr, 0);
    if (faulty && fault.kind == DevsimFaultKind::BadChecksum)
        r.frame[r.frame.size() - 2] ^= 0xFF;
    if (faulty && fault.kind == DevsimFaultKind::LateAnswer) {
        ch->pending.push_back(
            {r.frame, std::chrono::steady_clock::now() + std::chrono::milliseconds(fault.delayMs)});
        return true;
    }
    SendAnswer(ch, r.frame);
    return true;
}

void CDeviceEmulator::SendAnswer(std::unique_ptr<Channel>& ch, const std::vector<BYTE>& frame) {
    if (!ch)
        return;
    if (ch->transport == DevsimTransport::Tcp) {
        // One frame, one send: never two answers in one segment.
        ssize_t n = ::send(ch->fd, frame.data(), frame.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && (errno == EPIPE || errno == ECONNRESET))
            CloseChannel(ch);
        return;
    }
    for (size_t at = 0; at < frame.size(); at += HID_REPORT_DATA) {
        BYTE report[HID_REPORT_DATA] = {};
        size_t n =
            frame.size() - at < static_cast<size_t>(HID_REPORT_DATA) ? frame.size() - at : HID_REPORT_DATA;
        std::memcpy(report, frame.data() + at, n);
        if (CSocketHidDevice::DeviceWriteReport(ch->fd, report, 1000) == HID_IO_ERROR) {
            CloseChannel(ch);
            return;
        }
    }
}

void CDeviceEmulator::FlushDue(std::unique_ptr<Channel>& ch) {
    auto now = std::chrono::steady_clock::now();
    while (ch && !ch->pending.empty() && ch->pending.front().due <= now) {
        std::vector<BYTE> frame = std::move(ch->pending.front().frame);
        ch->pending.pop_front();
        SendAnswer(ch, frame);
    }
}
