// The program's side of a TCP link to the emulator on a loopback port, in the shape the link worker
// uses (blocking socket, 1 s time-outs, errors as Windows numbers). Tests use it where the network
// link's own socket is not needed.
#pragma once

#include "link/NetTransport.h"

#include <atomic>
#include <cstdint>
#include <mutex>

class CDevsimNetTransport : public CNetTransport {
public:
    explicit CDevsimNetTransport(uint16_t port) : m_port(port) {}
    ~CDevsimNetTransport() override;

    BOOL Connect() override;
    BOOL Close() override;
    BOOL Send(const BYTE* data, int length, int flags) override;
    int Receive(int* count) override;
    BOOL HasLocalAdapter() override { return m_hasAdapter.load(); }
    int WaitReadable(DWORD timeoutMs) override;

    int GetConnectCount() const { return m_connects.load(); }

    std::atomic<bool> m_hasAdapter{true};

private:
    uint16_t m_port;
    std::mutex m_lock;
    std::atomic<int> m_socket{-1};
    std::atomic<int> m_connects{0};
};
