// The emulator over its two transports, with the faults it can inject.
#include "devsim/DeviceEmulator.h"
#include "devsim/DevsimHidBackend.h"
#include "devsim/DevsimRequestLog.h"

#include "platform/io/Winsock.h"
#include "wire/LinkFrame.h"
#include "support/TimeScale.h"

#include <gtest/gtest.h>

#include <cstring>
#include <mutex>
#include <string>

namespace {

std::vector<BYTE> Req(BYTE type, int preset, int group, int index, int chunk, std::vector<BYTE> payload) {
    return CDeviceProtocol::MakeFrame(type, static_cast<BYTE>(preset), static_cast<BYTE>(group),
                                      static_cast<BYTE>(index), static_cast<BYTE>(chunk), payload.data(),
                                      static_cast<int>(payload.size()));
}

std::vector<BYTE> Read(int preset, int group, int index, int bank = 0) {
    return Req(FRAME_READ, preset, group, index, bank, std::vector<BYTE>(8, 0));
}

const std::vector<BYTE> kLinkCheckAnswer = {0x6B, 0x6B, 0x6B, 0xEE, 0x53, 0x01, 0x00, 0x09, 0xCC,
                                            0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x96, 0xAA};

// A client in the program's shape: blocking socket, receive time-out (scaled).
class Client {
public:
    Client(uint16_t port, DWORD timeoutMs = 2000) {
        m_s = ws::socket(AF_INET, SOCK_STREAM, 0);
        SetTimeout(timeoutMs);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = ws::inet_addr("127.0.0.1");
        a.sin_port = htons(port);
        m_ok = ws::connect(m_s, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
    }
    ~Client() { ws::closesocket(m_s); }
    bool ok() const { return m_ok; }
    void SetTimeout(DWORD ms) {
        ms = static_cast<DWORD>(r9test::Ms(static_cast<int>(ms)));
        ws::setsockopt(m_s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&ms), sizeof ms);
    }
    void Send(const std::vector<BYTE>& f) {
        ASSERT_EQ(ws::send(m_s, reinterpret_cast<const char*>(f.data()), static_cast<int>(f.size()), 0),
                  static_cast<int>(f.size()));
    }
    // One whole frame (answers never share a segment, but a long one may arrive in pieces); empty on
    // time-out or close, with *error the socket error.
    std::vector<BYTE> Receive(int* error = nullptr) {
        std::vector<BYTE> got;
        for (;;) {
            char buf[400];
            int n = ws::recv(m_s, buf, sizeof buf, 0);
            if (n <= 0) {
                if (error)
                    *error = n == 0 ? 0 : ws::WSAGetLastError();
                return {};
            }
            got.insert(got.end(), buf, buf + n);
            if (got.size() >= 14 &&
                got.size() >= static_cast<size_t>(LinkFrame::PayloadLength(got.data())) + 16)
                return got;
        }
    }
    std::vector<BYTE> Ask(const std::vector<BYTE>& f) {
        Send(f);
        return Receive();
    }

private:
    SOCKET m_s = INVALID_SOCKET;
    bool m_ok = false;
};

class DevsimTcp : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dev.StartTcp(0));
        ASSERT_NE(m_dev.GetTcpPort(), 0);
    }
    void TearDown() override { EXPECT_TRUE(m_dev.GetErrors().empty()) << m_dev.GetErrors().front(); }
    CDeviceEmulator m_dev;
};

} // namespace

TEST_F(DevsimTcp, AnswersRequestsAndLogsThem) {
    Client c(m_dev.GetTcpPort());
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(c.Ask(Read(0, GROUP_SYSTEM, CMD_LINK_CHECK)), kLinkCheckAnswer);
    auto out = c.Ask(Read(0, GROUP_OUTPUT, 7, FRAME_BANK));
    ASSERT_EQ(out.size(), 312u);
    EXPECT_EQ(out[LinkFrame::OFS_CHUNK], FRAME_BANK);

    // A request split over two segments is one request.
    auto poll = Read(0, GROUP_SYSTEM, CMD_DEVICE_STATE);
    c.Send(std::vector<BYTE>(poll.begin(), poll.begin() + 5));
    c.Send(std::vector<BYTE>(poll.begin() + 5, poll.end()));
    EXPECT_EQ(c.Receive().size(), 46u);

    auto log = m_dev.GetRequests();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[2].frame, poll);
    EXPECT_EQ(log[2].transport, DevsimTransport::Tcp);
}

TEST_F(DevsimTcp, NewConnectionReplacesTheOldOne) {
    Client first(m_dev.GetTcpPort());
    EXPECT_EQ(first.Ask(Read(0, GROUP_SYSTEM, CMD_LINK_CHECK)), kLinkCheckAnswer);
    Client second(m_dev.GetTcpPort());
    EXPECT_EQ(second.Ask(Read(0, GROUP_SYSTEM, CMD_LINK_CHECK)), kLinkCheckAnswer);
    int err = -1;
    EXPECT_TRUE(first.Receive(&err).empty()); // dropped by the device
    EXPECT_EQ(m_dev.GetConnectionCount(), 2);
}

TEST_F(DevsimTcp, FirmwareBlocksAndHandshake) {
    Client c(m_dev.GetTcpPort(), 100);
    std::vector<BYTE> hs(65, 0);
    for (int i = 1; i < 65; i += 2) {
        hs[static_cast<size_t>(i)] = 0x43;
        hs[static_cast<size_t>(i) + 1] = 0x11;
    }
    c.Send(hs);
    c.Send(hs);
    int err = 0;
    EXPECT_TRUE(c.Receive(&err).empty()); // the handshake is never answered
    EXPECT_EQ(err, WSAETIMEDOUT);

    auto apply = Req(FRAME_WRITE, 0, GROUP_SYSTEM, 0x36, 0, std::vector<BYTE>(16));
    std::vector<BYTE> block(65, 0);
    std::memcpy(block.data() + 1, apply.data(), apply.size());
    c.SetTimeout(2000);
    auto ack = c.Ask(block);
    const std::vector<BYTE> expected = {0x6B, 0x6B, 0x6B, 0xEE, 0x51, 0x01, 0x00, 0x09,
                                        0x36, 0x00, 0x00, 0x00, 0x00, 0x00, 0x6F, 0xAA};
    EXPECT_EQ(ack, expected);
    auto fw = m_dev.GetFirmware();
    EXPECT_EQ(fw.handshakes, 2);
    EXPECT_EQ(fw.steps, std::vector<int>{0x36});
}

namespace {

struct FaultRow {
    const char* what;
    DevsimFaultKind kind;
};

} // namespace

TEST_F(DevsimTcp, InjectedFaults) {
    Client c(m_dev.GetTcpPort(), 1000);
    auto check = Read(0, GROUP_SYSTEM, CMD_LINK_CHECK);

    m_dev.InjectFault({DevsimFaultKind::BadChecksum, FRAME_READ, GROUP_SYSTEM, CMD_LINK_CHECK});
    auto bad = c.Ask(check);
    ASSERT_EQ(bad.size(), kLinkCheckAnswer.size());
    EXPECT_FALSE(LinkFrame::IsValid(bad.data(), static_cast<int>(bad.size())));

    m_dev.InjectFault({DevsimFaultKind::EmptyPayload});
    auto empty = c.Ask(Read(0, GROUP_SYSTEM, CMD_DEVICE_STATE));
    ASSERT_EQ(empty.size(), 16u);
    EXPECT_EQ(empty[LinkFrame::OFS_TYPE], FRAME_DATA);
    EXPECT_EQ(LinkFrame::PayloadLength(empty.data()), 0);
    EXPECT_TRUE(LinkFrame::IsValid(empty.data(), 16));

    // RESEND: the write is not carried out.
    m_dev.InjectFault({DevsimFaultKind::Resend, FRAME_WRITE});
    auto write = Req(FRAME_WRITE, 0, GROUP_SYSTEM, CMD_PRESET_NUMBER, 0, {5});
    const std::vector<BYTE> resend = {0x6B, 0x6B, 0x6B, 0xEE, 0x52, 0x01, 0x00, 0x09,
                                      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x5A, 0xAA};
    EXPECT_EQ(c.Ask(write), resend);
    EXPECT_NE(m_dev.GetState().presetNumber, 5);
    EXPECT_EQ(c.Ask(write)[LinkFrame::OFS_TYPE], FRAME_ACK);
    EXPECT_EQ(m_dev.GetState().presetNumber, 5);

    // No answer: carried out, answer lost; the faults apply only as often as asked.
    m_dev.InjectFault({DevsimFaultKind::NoAnswer, -1, -1, -1, 1});
    c.SetTimeout(100);
    int err = 0;
    c.Send(check);
    EXPECT_TRUE(c.Receive(&err).empty());
    EXPECT_EQ(err, WSAETIMEDOUT);
    c.SetTimeout(2000);
    EXPECT_EQ(c.Ask(check), kLinkCheckAnswer);
}

TEST_F(DevsimTcp, LateAnswerAndCutConnection) {
    Client c(m_dev.GetTcpPort(), 30);
    auto check = Read(0, GROUP_SYSTEM, CMD_LINK_CHECK);
    m_dev.InjectFault({DevsimFaultKind::LateAnswer, -1, -1, -1, 1, r9test::Ms(400)});
    c.Send(check);
    int err = 0;
    EXPECT_TRUE(c.Receive(&err).empty());
    EXPECT_EQ(err, WSAETIMEDOUT);
    c.SetTimeout(5000);
    EXPECT_EQ(c.Receive(), kLinkCheckAnswer); // it does come, late

    m_dev.InjectFault({DevsimFaultKind::CutConnection});
    c.Send(check);
    err = -1;
    EXPECT_TRUE(c.Receive(&err).empty());
    EXPECT_TRUE(err == 0 || err == WSAECONNRESET) << err;
    Client again(m_dev.GetTcpPort());
    EXPECT_EQ(again.Ask(check), kLinkCheckAnswer);
}

TEST_F(DevsimTcp, WrongVersionTag) {
    m_dev.SetVersionTag("MQVT-KV2.00");
    Client c(m_dev.GetTcpPort());
    auto v = c.Ask(Read(0, GROUP_SYSTEM, CMD_VERSION));
    ASSERT_EQ(v.size(), 27u);
    EXPECT_EQ(std::string(v.begin() + 14, v.begin() + 25), "MQVT-KV2.00");
}

// devsim --verbose: fast traffic is listed whole, each request once, in order, the
// idle polls too.
TEST_F(DevsimTcp, VerboseLogListsEveryRequestOnceInOrder) {
    std::mutex linesLock;
    std::vector<std::string> lines;
    CDevsimRequestLog log(m_dev, [&](const std::string& line) {
        std::lock_guard lock(linesLock);
        lines.push_back(line);
    });
    log.Start();
    Client c(m_dev.GetTcpPort());
    ASSERT_TRUE(c.ok());
    std::vector<std::string> expected;
    const auto poll = Read(0, GROUP_SYSTEM, CMD_DEVICE_STATE);
    for (int k = 0; k < 6000; ++k) {
        // Every frame differs from its neighbours, so a doubled or shifted line shows.
        const auto f = k % 3 == 2 ? poll
                                  : Req(FRAME_WRITE, 0, GROUP_OUTPUT, k % NUM_OUTPUTS, k % 30,
                                        {static_cast<BYTE>(k), static_cast<BYTE>(k >> 8), 0, 0, 0, 0, 0, 0});
        ASSERT_FALSE(c.Ask(f).empty()) << k;
        expected.push_back(CDevsimRequestLog::FormatLine(static_cast<size_t>(k), f));
    }
    log.Stop();
    std::lock_guard lock(linesLock);
    EXPECT_EQ(lines, expected);
}

TEST_F(DevsimTcp, VerboseLogNamesRequestsDroppedBeforeItPrintedThem) {
    std::vector<std::string> lines;
    CDevsimRequestLog log(m_dev, [&](const std::string& line) { lines.push_back(line); });
    Client c(m_dev.GetTcpPort());
    const auto check = Read(0, GROUP_SYSTEM, CMD_LINK_CHECK);
    c.Ask(check);
    EXPECT_EQ(log.Drain(0), 1u);
    c.Ask(check);
    c.Ask(check);
    m_dev.ClearRequests();
    const auto version = Read(0, GROUP_SYSTEM, CMD_VERSION);
    c.Ask(version);
    EXPECT_EQ(log.Drain(0), 1u);
    EXPECT_EQ(log.Drain(0), 0u);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], CDevsimRequestLog::FormatLine(0, check));
    EXPECT_EQ(lines[1], "... 2 requests dropped from the log before they were printed");
    EXPECT_EQ(lines[2], CDevsimRequestLog::FormatLine(3, version));
    // A long frame shows its first 40 bytes.
    const std::vector<BYTE> longFrame(60, 0xAB);
    const std::string line = CDevsimRequestLog::FormatLine(7, longFrame);
    EXPECT_EQ(line.rfind("#7 AB", 0), 0u);
    EXPECT_EQ(line.size(), 2 + 40 * 3 + 4u);
}

TEST(DevsimStrict, MalformedBytesAndEagerRequestsAreRecorded) {
    CDeviceEmulator dev;
    ASSERT_TRUE(dev.StartTcp(0));
    {
        Client c(dev.GetTcpPort(), 200);
        c.Send({0x12, 0x34});
        auto bad = Read(0, GROUP_SYSTEM, CMD_VERSION);
        bad[bad.size() - 2] ^= 0x40;
        c.Send(bad);
        c.Receive();
    }
    EXPECT_GE(dev.WaitForRequest([](const DevsimRequest&) { return true; }, r9test::Ms(2000)), 0);
    auto errors = dev.GetErrors();
    EXPECT_EQ(errors.size(), 2u);
    dev.ClearErrors();

    // Two requests back to back while the first answer is still due.
    dev.InjectFault({DevsimFaultKind::LateAnswer, -1, -1, -1, 1, r9test::Ms(300)});
    Client c(dev.GetTcpPort(), 2000);
    auto check = Read(0, GROUP_SYSTEM, CMD_LINK_CHECK);
    c.Send(check);
    c.Send(check);
    c.Receive();
    c.Receive();
    ASSERT_EQ(dev.GetErrors().size(), 1u);
    EXPECT_NE(dev.GetErrors()[0].find("before the answer"), std::string::npos);
}

namespace {

class DevsimHid : public ::testing::Test {
protected:
    void SetUp() override {
        m_prog = m_dev.ConnectHid();
        ASSERT_TRUE(m_prog);
    }
    void TearDown() override { EXPECT_TRUE(m_dev.GetErrors().empty()) << m_dev.GetErrors().front(); }
    // Writes a frame as the program does: 65-byte reports, id 0, zero fill.
    void Write(const std::vector<BYTE>& f) {
        for (size_t at = 0; at < f.size(); at += 64) {
            BYTE r[HID_REPORT_SIZE] = {};
            std::memcpy(r + 1, f.data() + at, std::min<size_t>(64, f.size() - at));
            ASSERT_EQ(m_prog->WriteReport(r, 1000), HID_IO_OK);
        }
    }
    // Reads reports until the frame is complete.
    std::vector<BYTE> Answer(DWORD timeoutMs = 2000) {
        std::vector<BYTE> got;
        for (;;) {
            BYTE r[HID_REPORT_SIZE];
            if (m_prog->ReadReport(r, timeoutMs) != HID_IO_OK)
                return got;
            EXPECT_EQ(r[0], 0);
            got.insert(got.end(), r + 1, r + HID_REPORT_SIZE);
            size_t len = static_cast<size_t>(LinkFrame::PayloadLength(got.data())) + 16;
            if (got.size() >= len) {
                got.resize(len);
                return got;
            }
        }
    }
    CDeviceEmulator m_dev;
    std::unique_ptr<CHidDevice> m_prog;
};

} // namespace

TEST_F(DevsimHid, ReportsCarryFramesBothWays) {
    Write(Read(0, GROUP_SYSTEM, CMD_LINK_CHECK));
    EXPECT_EQ(Answer(), kLinkCheckAnswer);

    // A whole output record spans five reports each way.
    std::vector<BYTE> rec(296);
    for (size_t i = 0; i < rec.size(); ++i)
        rec[i] = static_cast<BYTE>(i);
    Write(Req(FRAME_WRITE, 2, GROUP_OUTPUT, 6, 0, rec));
    EXPECT_EQ(Answer()[LinkFrame::OFS_TYPE], FRAME_ACK);
    auto back = Answer(100);
    EXPECT_TRUE(back.empty()); // exactly one answer per request
    Write(Read(2, GROUP_OUTPUT, 6, FRAME_BANK));
    auto data = Answer();
    ASSERT_EQ(data.size(), 312u);
    EXPECT_EQ(std::vector<BYTE>(data.begin() + 14, data.end() - 2), rec);
}

TEST_F(DevsimHid, CutUnplugsAndWifiResetIsAcknowledged) {
    auto wifi = Req(FRAME_WRITE, 0, GROUP_SYSTEM, CMD_WIFI_RESET, 0, std::vector<BYTE>(8));
    Write(wifi);
    EXPECT_EQ(Answer()[LinkFrame::OFS_TYPE], FRAME_ACK);
    m_dev.InjectFault({DevsimFaultKind::CutConnection});
    Write(Read(0, GROUP_SYSTEM, CMD_DEVICE_STATE));
    BYTE r[HID_REPORT_SIZE];
    EXPECT_EQ(m_prog->ReadReport(r, 2000), HID_IO_ERROR);
}

TEST(DevsimHidBackendTest, ListsTheDeviceAndOpensIt) {
    CDeviceEmulator dev;
    CDevsimHidBackend backend(dev);
    backend.SetOtherInterfaces({{"/dev/hidraw9", {sizeof(HIDD_ATTRIBUTES), 0x046D, 0xC077, 0x0111}}});
    CHidBackend::Install(&backend);
    auto list = HidEnumerate(0x0483, 0x5750);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].attributes.VersionNumber, 0x0200);
    EXPECT_FALSE(CHidBackend::Current().Open("/dev/hidraw9"));
    auto prog = CHidBackend::Current().Open(list[0].path);
    ASSERT_TRUE(prog);
    BYTE r[HID_REPORT_SIZE] = {};
    auto check = Read(0, GROUP_SYSTEM, CMD_LINK_CHECK);
    std::memcpy(r + 1, check.data(), check.size());
    ASSERT_EQ(prog->WriteReport(r, 1000), HID_IO_OK);
    ASSERT_EQ(prog->ReadReport(r, 2000), HID_IO_OK);
    EXPECT_EQ(std::vector<BYTE>(r + 1, r + 18), kLinkCheckAnswer);

    backend.SetPresent(false);
    EXPECT_TRUE(HidEnumerate(0x0483, 0x5750).empty());
    EXPECT_EQ(prog->ReadReport(r, 2000), HID_IO_ERROR); // unplugged
    CHidBackend::Install(nullptr);
    EXPECT_EQ(backend.GetOpenCount(), 1);
    EXPECT_TRUE(dev.GetErrors().empty());
}
