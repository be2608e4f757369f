// The device emulator: the device's side of the wire protocol over TCP on a loopback port and over
// the HID socket-pair double, with its own parameter image, a log of every request, a list of
// protocol errors (a test fails when it is not empty) and fault injection.
#pragma once

#include "DeviceProtocol.h"

#include "platform/io/HidDevice.h"

#include <condition_variable>
#include <deque>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

enum class DevsimFaultKind {
    NoAnswer,      // the request is carried out, its answer is lost
    LateAnswer,    // the answer leaves delayMs late
    BadChecksum,   // the answer's checksum byte is wrong
    Resend,        // the device asks for the request again instead of carrying it out
    CutConnection, // the connection drops instead of an answer (HID: the device is unplugged)
    EmptyPayload,  // a DATA answer without payload
};

// A fault for the next `count` requests that match type, group and index (-1: any).
struct DevsimFault {
    DevsimFaultKind kind = DevsimFaultKind::NoAnswer;
    int type = -1;
    int group = -1;
    int index = -1;
    int count = 1;
    int delayMs = 0;
};

struct DevsimRequest {
    std::vector<BYTE> frame;
    DevsimTransport transport = DevsimTransport::Tcp;
    uint64_t connection = 0;
    bool firmwareBlock = false;
    bool faulted = false; // an injected fault took it
};

class CDeviceEmulator {
public:
    CDeviceEmulator();
    ~CDeviceEmulator();
    CDeviceEmulator(const CDeviceEmulator&) = delete;
    CDeviceEmulator& operator=(const CDeviceEmulator&) = delete;

    // Listens on 127.0.0.1; port 0 takes a free port. FALSE when the port cannot be had.
    bool StartTcp(uint16_t port = 0);
    uint16_t GetTcpPort() const;
    // A new HID connection (the previous one is unplugged); the returned end belongs to the program.
    std::unique_ptr<CHidDevice> ConnectHid();
    // Unplugs the HID connection.
    void DisconnectHid();
    // Stops serving; also done by the destructor.
    void Stop();

    void InjectFault(const DevsimFault& fault);
    void ClearFaults();
    void SetVersionTag(const std::string& tag);

    // Protocol errors seen so far (malformed or impossible requests).
    std::vector<std::string> GetErrors() const;
    void ClearErrors();
    // Every request frame in arrival order (at most the last 100000).
    std::vector<DevsimRequest> GetRequests() const;
    size_t GetRequestCount() const;
    void ClearRequests();
    // Waits until a request logged at position >= from matches; its position, or -1 after timeoutMs.
    long WaitForRequest(const std::function<bool(const DevsimRequest&)>& match, int timeoutMs,
                        size_t from = 0);
    // Waits up to timeoutMs for requests logged at position >= from, then copies every one there
    // is, in order, in one go. *first gets the position of the first copied: above from when the
    // log dropped older ones meanwhile. Empty after the time-out.
    std::vector<DevsimRequest> WaitForRequestsFrom(size_t from, int timeoutMs, size_t* first);
    // TCP connections accepted so far.
    int GetConnectionCount() const;

    DeviceState GetState() const;
    void ModifyState(const std::function<void(DeviceState&)>& change);
    DevsimFirmware GetFirmware() const;

private:
    struct Pending {
        std::vector<BYTE> frame;
        std::chrono::steady_clock::time_point due;
    };
    struct Channel {
        int fd = -1;
        DevsimTransport transport = DevsimTransport::Tcp;
        uint64_t id = 0;
        std::vector<BYTE> in;       // TCP bytes not yet taken
        std::vector<BYTE> hidFrame; // a frame spanning several HID reports
        size_t hidExpected = 0;
        std::deque<Pending> pending;
    };

    void Run();
    void Wake();
    void CloseChannel(std::unique_ptr<Channel>& ch);
    void ReadTcp(std::unique_ptr<Channel>& ch);
    void ReadHid(std::unique_ptr<Channel>& ch);
    void TakeTcpRequests(std::unique_ptr<Channel>& ch);
    // Runs one request; false when the channel was cut.
    bool Serve(std::unique_ptr<Channel>& ch, const BYTE* frame, int len, bool fwBlock);
    void SendAnswer(std::unique_ptr<Channel>& ch, const std::vector<BYTE>& frame);
    void FlushDue(std::unique_ptr<Channel>& ch);
    void Error(const std::string& text);

    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    CDeviceProtocol m_protocol;
    std::vector<DevsimFault> m_faults;
    std::vector<std::string> m_errors;
    std::deque<DevsimRequest> m_requests;
    size_t m_dropped = 0; // requests trimmed from the front of the log
    int m_connections = 0;
    uint64_t m_nextId = 1;

    int m_listen = -1;
    uint16_t m_port = 0;
    int m_wake = -1;
    bool m_stop = false;
    std::unique_ptr<Channel> m_tcp;
    std::unique_ptr<Channel> m_hid;
    std::thread m_thread;
};
