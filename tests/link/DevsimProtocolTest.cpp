// The emulator's side of the protocol, without a transport.
#include "devsim/DeviceProtocol.h"

#include "wire/LinkFrame.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::vector<BYTE> Req(BYTE type, int preset, int group, int index, int chunk, std::vector<BYTE> payload,
                      int flag = 0) {
    auto f = CDeviceProtocol::MakeFrame(type, static_cast<BYTE>(preset), static_cast<BYTE>(group),
                                        static_cast<BYTE>(index), static_cast<BYTE>(chunk), payload.data(),
                                        static_cast<int>(payload.size()));
    f[LinkFrame::OFS_LINKFLAG] = static_cast<BYTE>(flag);
    f[f.size() - 2] = LinkFrame::Checksum(f.data(), static_cast<int>(f.size()));
    return f;
}

std::vector<BYTE> Read(int preset, int group, int index, int bank = 0) {
    return Req(FRAME_READ, preset, group, index, bank, std::vector<BYTE>(8, 0));
}

class DevsimProtocol : public ::testing::Test {
protected:
    CDeviceProtocol::Result Send(const std::vector<BYTE>& f, DevsimTransport t = DevsimTransport::Tcp,
                                 bool block = false, uint64_t conn = 1) {
        return m_dev.Handle(f.data(), static_cast<int>(f.size()), t, block, conn);
    }
    // The payload of a DATA answer.
    std::vector<BYTE> Data(const std::vector<BYTE>& request) {
        auto r = Send(request);
        EXPECT_TRUE(r.error.empty()) << r.error;
        EXPECT_TRUE(r.answer);
        if (!r.answer)
            return {};
        EXPECT_TRUE(LinkFrame::IsValid(r.frame.data(), static_cast<int>(r.frame.size())));
        EXPECT_EQ(r.frame[LinkFrame::OFS_TYPE], FRAME_DATA);
        for (int i :
             {LinkFrame::OFS_PRESET, LinkFrame::OFS_GROUP, LinkFrame::OFS_INDEX, LinkFrame::OFS_CHUNK})
            EXPECT_EQ(r.frame[i], request[i]) << "header byte " << i << " not echoed";
        return std::vector<BYTE>(r.frame.begin() + LinkFrame::OFS_PAYLOAD, r.frame.end() - 2);
    }
    void ExpectAck(const std::vector<BYTE>& request) {
        auto r = Send(request);
        ASSERT_TRUE(r.error.empty()) << r.error;
        ASSERT_TRUE(r.answer);
        EXPECT_EQ(r.frame.size(), 16u);
        EXPECT_EQ(r.frame[LinkFrame::OFS_TYPE], FRAME_ACK);
    }
    CDeviceProtocol m_dev;
};

} // namespace

TEST_F(DevsimProtocol, LinkCheckAndVersionAnswersAreByteExact) {
    auto r = Send(Read(0, GROUP_SYSTEM, CMD_LINK_CHECK));
    const std::vector<BYTE> link = {0x6B, 0x6B, 0x6B, 0xEE, 0x53, 0x01, 0x00, 0x09, 0xCC,
                                    0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x96, 0xAA};
    EXPECT_EQ(r.frame, link);
    r = Send(Read(0, GROUP_SYSTEM, CMD_VERSION));
    const std::vector<BYTE> version = {0x6B, 0x6B, 0x6B, 0xEE, 0x53, 0x01, 0x00, 0x09, 0x04,
                                       0x00, 0x00, 0x00, 0x0B, 0x00, 'M',  'Q',  'V',  'T',
                                       '-',  'K',  'V',  '1',  '.',  '0',  '0',  0x65, 0xAA};
    EXPECT_EQ(r.frame, version);
    m_dev.State().versionTag = "MQVT-KV2.00";
    auto tag = Data(Read(0, GROUP_SYSTEM, CMD_VERSION));
    EXPECT_EQ(std::string(tag.begin(), tag.end()), "MQVT-KV2.00");
}

TEST_F(DevsimProtocol, DefaultsAreSaneForTheProgram) {
    const DeviceState& s = m_dev.State();
    EXPECT_EQ(static_cast<BYTE>(s.live.outputs[0].name[0]), LOCK_MARKER_UNLOCKED);
    EXPECT_LE(s.live.outputs[0].name[1], 1);
    for (int j = 0; j < NUM_OUTPUTS; ++j) {
        EXPECT_EQ(s.live.outputs[j].position, s.speakerMap[static_cast<size_t>(j)]);
        int bands = j < FIRST_SHORT_OUTPUT ? OUTPUT_BANDS : OUTPUT_BANDS_SHORT;
        for (int b = 0; b < bands; ++b) {
            int f = s.live.outputs[j].bands[b].freq;
            EXPECT_TRUE(f >= MIN_FREQ && f <= MAX_FREQ) << "output " << j << " band " << b << " freq " << f;
        }
    }
    for (int i = 0; i < NUM_INPUTS; ++i)
        EXPECT_GE(static_cast<int>(s.live.inputs[i].bands[0].freq), MIN_FREQ);
    EXPECT_EQ(s.stored[5].outputs[3], s.live.outputs[3]);
}

TEST_F(DevsimProtocol, SystemRecordAnswers) {
    auto lock = Data(Read(0, GROUP_SYSTEM, CMD_LOCK_RECORD));
    ASSERT_EQ(lock.size(), 10u);
    for (size_t i = 0; i < lock.size(); ++i)
        EXPECT_EQ(lock[i] ^ LOCK_MASK, RecordBytes(m_dev.State().lockRecord)[i]);

    ExpectAck(Req(FRAME_WRITE, 0, GROUP_SYSTEM, CMD_SOURCE_SET, 0, {3, 0, 41, 42, 43, 44, 45, 46}));
    ExpectAck(Req(FRAME_WRITE, 0, GROUP_SYSTEM, CMD_SYSTEM_DATA, 0, {0, 0, 0, 0, 0, 0, 1, 0}));
    auto state = Data(Read(0, GROUP_SYSTEM, CMD_DEVICE_STATE));
    ASSERT_EQ(state.size(), 30u);
    EXPECT_EQ(state[0], 3);
    EXPECT_EQ(std::vector<BYTE>(state.begin() + 2, state.begin() + 8),
              (std::vector<BYTE>{41, 42, 43, 44, 45, 46}));
    EXPECT_EQ(state[14], 1);

    std::vector<BYTE> name(16, 0);
    std::memcpy(name.data(), "Club", 4);
    ExpectAck(Req(FRAME_WRITE, 3, GROUP_SYSTEM, CMD_PRESET_NAME, 0, name));
    EXPECT_EQ(Data(Read(3, GROUP_SYSTEM, CMD_PRESET_NAME)), name);
    EXPECT_NE(Data(Read(0, GROUP_SYSTEM, CMD_PRESET_NAME)), name);

    ExpectAck(Req(FRAME_WRITE, 0, GROUP_SYSTEM, CMD_PRESET_NUMBER, 0, {4}));
    EXPECT_EQ(Data(Read(0, GROUP_SYSTEM, CMD_PRESET_NUMBER)), std::vector<BYTE>{4});

    // A factory reset brings the defaults back.
    ExpectAck(Req(FRAME_WRITE, 0, GROUP_SYSTEM, CMD_FACTORY_RESET, 0, std::vector<BYTE>(8, 0)));
    EXPECT_EQ(m_dev.State().sourceSet, DeviceState::Defaults().sourceSet);
    EXPECT_EQ(m_dev.State().stored[2], DeviceState::Defaults().stored[2]);
}

TEST_F(DevsimProtocol, WifiResetIsAnsweredOnlyOverUsb) {
    auto req = Req(FRAME_WRITE, 0, GROUP_SYSTEM, CMD_WIFI_RESET, 0, std::vector<BYTE>(8, 0));
    auto r = Send(req, DevsimTransport::Tcp);
    EXPECT_TRUE(r.error.empty());
    EXPECT_FALSE(r.answer);
    r = Send(req, DevsimTransport::Hid);
    EXPECT_TRUE(r.answer);
}

TEST_F(DevsimProtocol, ChunksAndRecordsAreStoredRawAndReadBack) {
    // Chunk 2 of output 5, scrambled as a locked program sends it.
    std::vector<BYTE> chunk = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
    ExpectAck(Req(FRAME_WRITE, 0, GROUP_OUTPUT, 5, 2, chunk, 1));
    auto rec = Data(Read(0, GROUP_OUTPUT, 5, FRAME_BANK));
    ASSERT_EQ(rec.size(), 296u);
    EXPECT_EQ(std::vector<BYTE>(rec.begin() + 16, rec.begin() + 24), chunk);

    // A whole input record into stored preset 4, read back from that bank only.
    std::vector<BYTE> input(288);
    for (size_t i = 0; i < input.size(); ++i)
        input[i] = static_cast<BYTE>(i * 7);
    ExpectAck(Req(FRAME_WRITE, 4, GROUP_INPUT, 2, 0, input));
    EXPECT_EQ(Data(Read(4, GROUP_INPUT, 2, FRAME_BANK)), input);
    EXPECT_NE(Data(Read(0, GROUP_INPUT, 2, FRAME_BANK)), input);

    // Bank byte 0: the stored preset is recalled into the live set as it is read.
    EXPECT_EQ(Data(Read(4, GROUP_INPUT, 2, 0)), input);
    EXPECT_EQ(Data(Read(0, GROUP_INPUT, 2, FRAME_BANK)), input);

    // Machine presets of the effect record.
    std::vector<BYTE> effect(96, 0xAB);
    ExpectAck(Req(FRAME_WRITE, 25, GROUP_EFFECT, 0, 0, effect));
    EXPECT_EQ(RecordBytes(m_dev.State().machine[4].effect)[95], 0xAB);
}

TEST_F(DevsimProtocol, RequestsTheProgramCannotSendAreErrors) {
    auto bad = Read(0, GROUP_SYSTEM, CMD_LINK_CHECK);
    bad[bad.size() - 2] ^= 1;
    auto nonzero = Req(FRAME_READ, 0, GROUP_SYSTEM, CMD_VERSION, 0, {0, 0, 0, 1, 0, 0, 0, 0});
    auto addr = Read(0, GROUP_SYSTEM, CMD_VERSION);
    addr[LinkFrame::OFS_ADDR] = 2;
    addr[addr.size() - 2] = LinkFrame::Checksum(addr.data(), static_cast<int>(addr.size()));
    std::vector<BYTE> name(16, 'A');
    struct Row {
        const char* what;
        std::vector<BYTE> frame;
    } rows[] = {
        {"bad checksum", bad},
        {"read with a payload", nonzero},
        {"address 2", addr},
        {"read of the slot table", Read(0, GROUP_SYSTEM, CMD_SLOT_TABLE)},
        {"read of an unknown record", Read(0, GROUP_SYSTEM, 7)},
        {"write of the device state",
         Req(FRAME_WRITE, 0, GROUP_SYSTEM, CMD_DEVICE_STATE, 0, std::vector<BYTE>(8))},
        {"system write of the wrong size",
         Req(FRAME_WRITE, 0, GROUP_SYSTEM, CMD_SPEAKER_MAP, 0, std::vector<BYTE>(9))},
        {"name without its 0", Req(FRAME_WRITE, 0, GROUP_SYSTEM, CMD_PRESET_NAME, 0, name)},
        {"preset number 7", Req(FRAME_WRITE, 0, GROUP_SYSTEM, CMD_PRESET_NUMBER, 0, {7})},
        {"output 8", Read(0, GROUP_OUTPUT, 8, FRAME_BANK)},
        {"input of preset 7", Read(7, GROUP_INPUT, 0, FRAME_BANK)},
        {"live read with bank 0", Read(0, GROUP_INPUT, 0, 0)},
        {"output chunk 37", Req(FRAME_WRITE, 0, GROUP_OUTPUT, 0, 37, std::vector<BYTE>(8))},
        {"link flag on the level chunk", Req(FRAME_WRITE, 0, GROUP_OUTPUT, 0, 31, std::vector<BYTE>(8), 1)},
        {"link flag on an input", Req(FRAME_WRITE, 0, GROUP_INPUT, 0, 0, std::vector<BYTE>(8), 1)},
        {"chunk write to a stored preset", Req(FRAME_WRITE, 2, GROUP_OUTPUT, 0, 0, std::vector<BYTE>(8))},
        {"record of the wrong size", Req(FRAME_WRITE, 0, GROUP_OUTPUT, 0, 0, std::vector<BYTE>(288))},
        {"unknown group", Read(0, 5, 0, FRAME_BANK)},
        {"unknown type", Req(0x55, 0, GROUP_SYSTEM, CMD_VERSION, 0, std::vector<BYTE>(8))},
        {"update frame sent raw over TCP",
         Req(FRAME_WRITE, 0, GROUP_SYSTEM, FW_HEX_APPLY, 0, std::vector<BYTE>(16))},
    };
    for (const auto& row : rows) {
        auto r = Send(row.frame);
        EXPECT_FALSE(r.error.empty()) << row.what;
        EXPECT_FALSE(r.answer) << row.what;
    }
    // A normal request wrapped like an update frame.
    auto r = Send(Read(0, GROUP_SYSTEM, CMD_VERSION), DevsimTransport::Tcp, true);
    EXPECT_FALSE(r.error.empty());
}

namespace {

std::vector<BYTE> Fw(int step, std::vector<BYTE> payload) {
    return Req(FRAME_WRITE, 0, GROUP_SYSTEM, step, 0, std::move(payload));
}

} // namespace

TEST_F(DevsimProtocol, DspUpdateIsReassembled) {
    std::vector<BYTE> image(4 + 100);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<BYTE>(i * 13 + 1);
    BYTE check = 0x12;
    for (size_t i = 4; i < image.size(); ++i)
        check ^= image[i];

    auto send = [&](const std::vector<BYTE>& f, uint64_t conn = 1) {
        auto r = Send(f, DevsimTransport::Tcp, true, conn);
        EXPECT_TRUE(r.error.empty()) << r.error;
        ASSERT_TRUE(r.answer);
        EXPECT_EQ(r.frame[LinkFrame::OFS_TYPE], FRAME_ACK);
        EXPECT_EQ(r.frame[LinkFrame::OFS_INDEX], f[LinkFrame::OFS_INDEX]);
    };
    m_dev.Handshake();
    send(Fw(FW_HEX_APPLY, std::vector<BYTE>(16)));
    send(Fw(FW_HEX_START, std::vector<BYTE>(image.begin(), image.begin() + 4)));
    std::vector<BYTE> d1(image.begin() + 4, image.begin() + 52);
    send(Fw(FW_HEX_DATA, d1));
    send(Fw(FW_HEX_DATA, d1), 2); // resent after a reconnect: taken once
    send(Fw(FW_HEX_DATA, std::vector<BYTE>(image.begin() + 52, image.begin() + 100)), 2);
    std::vector<BYTE> last(image.begin() + 100, image.end());
    last.resize(48, 0xFF);
    send(Fw(FW_HEX_DATA, last), 2);
    send(Fw(FW_HEX_END, {check}), 2);

    const DevsimFirmware& fw = m_dev.Firmware();
    EXPECT_TRUE(fw.ended);
    EXPECT_EQ(fw.endChecksum, check);
    ASSERT_GE(fw.dsp.size(), image.size());
    EXPECT_EQ(std::vector<BYTE>(fw.dsp.begin(), fw.dsp.begin() + static_cast<long>(image.size())), image);
    EXPECT_EQ(fw.dsp.size(), 4u + 3 * 48);
}

TEST_F(DevsimProtocol, McuUpdateIsReassembledAndOrderIsChecked) {
    m_dev.Handshake();
    auto ok = [&](const std::vector<BYTE>& f) {
        auto r = Send(f, DevsimTransport::Hid);
        EXPECT_TRUE(r.error.empty()) << r.error;
    };
    ok(Fw(FW_HEX_APPLY, std::vector<BYTE>(16)));
    ok(Fw(FW_REQUEST_INFO, std::vector<BYTE>(16)));
    for (uint32_t addr = 0; addr < 132; addr += 44) {
        std::vector<BYTE> p = {static_cast<BYTE>(addr), 0, 0, 0};
        p.resize(48, static_cast<BYTE>(addr + 1));
        ok(Fw(FW_MCU_DATA, p));
    }
    // An address that skips a frame is refused.
    std::vector<BYTE> gap = {220, 0, 0, 0};
    gap.resize(48);
    EXPECT_FALSE(Send(Fw(FW_MCU_DATA, gap), DevsimTransport::Hid).error.empty());
    ok(Fw(FW_HEX_END, {0}));
    auto mcu = m_dev.Firmware().McuImage();
    ASSERT_EQ(mcu.size(), 132u);
    EXPECT_EQ(mcu[0], 1);
    EXPECT_EQ(mcu[44], 45);
    EXPECT_EQ(mcu[131], 89);
    EXPECT_TRUE(m_dev.Firmware().ended);

    // Data before HEXApply of a new update is out of order.
    m_dev.Handshake();
    EXPECT_FALSE(Send(Fw(FW_HEX_DATA, std::vector<BYTE>(48)), DevsimTransport::Hid).error.empty());
    EXPECT_TRUE(m_dev.Firmware().dsp.empty());
}
