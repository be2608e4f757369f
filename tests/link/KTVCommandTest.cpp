// The reply parser and dispatcher: framing over arbitrary feeds, the checks, matching answers to
// the head packet, the stores into the image and the system records, and the progress messages.
#include "LinkTestSupport.h"

#include "link/KTVCommand.h"
#include "link/LinkGlobals.h"
#include "link/LinkMessages.h"
#include "link/LinkViewServices.h"
#include "model/DataDefine.h"
#include "model/DeviceStateSerials.h"
#include "model/Globals.h"
#include "model/RecordFrames.h"
#include "support/ResetLinkGlobals.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class ReplyTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetLinkGlobals();
        g_nLinkState = LINK_USB;
        m_cmd.SetOwner(m_sink.Handle());
    }
    void TearDown() override {
        m_cmd.ClearQueue();
        r9test::ResetLinkGlobals();
        m_sink.Pump();
    }
    // A read request at the head, as every answer needs one.
    CSendData* QueueRead(int progress = 0) {
        auto p = BuildSystemReadFrame(CMD_DEVICE_STATE, 0);
        p->SetProgress(progress);
        CSendData* raw = p.get();
        m_cmd.AddPacket(std::move(p));
        return raw;
    }
    int Feed(const std::vector<BYTE>& bytes) {
        return m_cmd.FeedBytes(bytes.data(), static_cast<int>(bytes.size()));
    }
    // Feeds a frame in 65-byte reports, as the USB read does; the result of the last report.
    int FeedReports(const std::vector<BYTE>& frame) {
        m_cmd.SetUsbOpen(TRUE);
        int r = 0;
        for (size_t at = 0; at < frame.size(); at += 64) {
            std::memset(g_hidInReport, 0, sizeof g_hidInReport);
            std::memcpy(g_hidInReport + 1, frame.data() + at, std::min<size_t>(64, frame.size() - at));
            r = m_cmd.FeedHidReport(HID_IN_REPORT_SIZE);
        }
        return r;
    }

    MessageSink m_sink;
    CKTVCommand m_cmd;
};

std::vector<BYTE> Cat(std::vector<BYTE> a, const std::vector<BYTE>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// ---- Framing ---------------------------------------------------------------------------------

TEST_F(ReplyTest, StreamsAreFramedOnlyAtExactlyThreeSyncBytesAndPassingChecks) {
    const std::vector<BYTE> ack = Ack();
    std::vector<BYTE> badXor = ack;
    badXor[badXor.size() - 2] ^= 1;
    std::vector<BYTE> badEnd = ack;
    badEnd.back() = 0xAB;
    struct Case {
        const char* name;
        std::vector<std::vector<BYTE>> feeds;
        bool answered;
    } cases[] = {
        {"plain", {ack}, true},
        {"leading garbage", {Cat({0x00, 0x6B, 0xEE, 0x6B, 0x12}, ack)}, true},
        {"four sync bytes", {Cat({0x6B}, ack)}, false},
        {"zero before three", {Cat({0x00}, ack)}, true},
        {"header split 6B 6B | 6B EE", {{0x6B, 0x6B}, {ack.begin() + 2, ack.end()}}, true},
        {"split in the length field", {{ack.begin(), ack.begin() + 13}, {ack.begin() + 13, ack.end()}}, true},
        {"one byte per feed", {}, true},
        {"checksum off by one", {badXor}, false},
        {"wrong end byte", {badEnd}, false},
        {"trailing padding", {Cat(ack, std::vector<BYTE>(48, 0))}, true},
    };
    for (const BYTE b : ack)
        cases[6].feeds.push_back({b});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_cmd.ClearQueue();
        QueueRead();
        int last = 0;
        for (const auto& f : c.feeds)
            last = Feed(f);
        EXPECT_EQ(m_cmd.GetQueueCount(), c.answered ? 0 : 1);
        EXPECT_EQ(last, c.answered ? 1 : 0);
    }
}

TEST_F(ReplyTest, OversizeLengthFieldIsRejectedAndHuntingResumes) {
    QueueRead();
    // A header claiming 0xFFFF payload bytes, then a long run of bytes: nothing may be stored
    // past the frame buffer, and the next real answer must still be found.
    std::vector<BYTE> hostile = {0x6B, 0x6B, 0x6B, 0xEE, FRAME_DATA, 1,    0,    GROUP_OUTPUT,
                                 0,    0,    0,    0,    0xFF,       0xFF, 0x55, 0x55};
    EXPECT_EQ(Feed(hostile), 0);
    EXPECT_FALSE(m_cmd.IsSynced());
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(Feed(std::vector<BYTE>(400, 0x55)), 0);
    EXPECT_EQ(Feed(Ack()), 1);
    EXPECT_EQ(m_cmd.GetQueueCount(), 0);
}

TEST_F(ReplyTest, WholeOutputRecordOverFiveHidReportsIsStored) {
    std::vector<BYTE> rec(sizeof(OutputRecord));
    for (size_t i = 0; i < rec.size(); ++i)
        rec[i] = static_cast<BYTE>(i * 7 + 3);
    QueueRead();
    const auto frame = Answer(FRAME_DATA, 0, GROUP_OUTPUT, 2, FRAME_BANK, rec);
    ASSERT_EQ(frame.size(), 312u);
    EXPECT_EQ(FeedReports(frame), 1);
    EXPECT_EQ(std::memcmp(&g_curImage.outputs[2], rec.data(), rec.size()), 0);
    EXPECT_EQ(m_cmd.GetQueueCount(), 0);
}

TEST_F(ReplyTest, FrameOfAnotherTypeSplitAfterTwoSyncBytesIsFoundAndLeavesTheQueue) {
    // 6B 6B | 6B EE A2 ...: a request type coming back is still one whole frame.
    CSendData* head = QueueRead();
    const auto other = Answer(0xA2, 0, GROUP_SYSTEM, CMD_DEVICE_STATE, 0, {1, 2, 3});
    EXPECT_EQ(Feed({other.begin(), other.begin() + 2}), 0);
    EXPECT_FALSE(m_cmd.IsSynced());
    EXPECT_EQ(Feed({other.begin() + 2, other.end()}), 1);
    EXPECT_FALSE(m_cmd.IsSynced());
    EXPECT_EQ(m_cmd.GetCollected(), 0);
    EXPECT_EQ(m_cmd.GetQueueCount(), 1);
    EXPECT_EQ(m_cmd.GetHeadPacket(), head);
    m_sink.Pump();
    EXPECT_EQ(m_sink.Count(WM_DEVICE_STATE), 0) << "nothing is stored from it";
    // Hunting goes on: the real answer still ends the head.
    EXPECT_EQ(Feed(Ack()), 1);
    EXPECT_EQ(m_cmd.GetQueueCount(), 0);
}

TEST_F(ReplyTest, HidReportWithoutOpenDeviceOrCountIsTakenAsDone) {
    m_cmd.SetUsbOpen(FALSE);
    EXPECT_EQ(m_cmd.FeedHidReport(HID_IN_REPORT_SIZE), 1);
    m_cmd.SetUsbOpen(TRUE);
    EXPECT_EQ(m_cmd.FeedHidReport(0), 1);
}

// ---- The serial exchange -------------------------------------------------------------------

// The serial thread takes the head as its current packet while the mark is set; once the
// answer removed the head, neither the mark nor the status of that exchange may remain.
TEST_F(ReplyTest, RemovingTheHeadEndsTheSerialExchange) {
    std::vector<BYTE> badXor = Ack();
    badXor[badXor.size() - 2] ^= 1;
    struct Case {
        const char* name;
        std::vector<BYTE> answer;
        bool removed;
    } cases[] = {
        {"ack", Ack(), true},
        {"record answer", Answer(FRAME_DATA, 0, GROUP_OUTPUT, 1, 0, std::vector<BYTE>(296, 0)), true},
        {"resend", Answer(FRAME_RESEND, 0, GROUP_SYSTEM, 0, 0, {}), false},
        {"other type", Answer(0xA2, 0, GROUP_SYSTEM, 0, 0, {}), false},
        {"bad checksum", badXor, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_cmd.ClearQueue();
        QueueRead();
        QueueRead();
        m_cmd.ClearSerialStatus();
        g_bSerialPacketCurrent = 1;
        std::memset(g_serialFlags, 0x11, sizeof g_serialFlags);
        Feed(c.answer);
        EXPECT_EQ(m_cmd.GetQueueCount(), c.removed ? 1 : 2);
        EXPECT_EQ(g_bSerialPacketCurrent.load(), c.removed ? 0 : 1);
        EXPECT_EQ(m_cmd.IsFrameComplete(), c.removed ? 0 : 1);
        EXPECT_EQ(g_serialFlags[0], c.removed ? 0 : 0x11);
        EXPECT_EQ(g_serialFlags[13], c.removed ? 0 : 0x11);
    }
    // Nothing to remove: nothing changes.
    m_cmd.ClearQueue();
    m_cmd.RemoveHead();
    EXPECT_EQ(g_bSerialPacketCurrent.load(), 1);
    EXPECT_EQ(m_cmd.IsFrameComplete(), 1);
    EXPECT_EQ(g_serialFlags[5], 0x11);
}

TEST_F(ReplyTest, EndingALongWaitTellsTheOwnerAndDropsThePacketOnlyForResultZero) {
    const struct {
        int result;
        int left;
    } cases[] = {{0, 1}, {1, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        m_cmd.ClearQueue();
        auto reset = BuildSystemFrame(CMD_WIFI_RESET, 0);
        reset->SetLongWait(1);
        m_cmd.AddPacket(std::move(reset));
        QueueRead();
        const int before = m_sink.Count(WM_WIFI_RESET_DONE);
        EXPECT_EQ(m_cmd.EndLongWait(c.result), 1);
        m_sink.Pump();
        EXPECT_EQ(m_cmd.GetQueueCount(), c.left);
        ASSERT_EQ(m_sink.Count(WM_WIFI_RESET_DONE), before + 1);
        EXPECT_EQ(m_sink.Last(WM_WIFI_RESET_DONE)->lParam, c.result);
    }
    // Any other head, or none: nothing is removed and nothing is told.
    m_cmd.ClearQueue();
    const int told = m_sink.Count(WM_WIFI_RESET_DONE);
    EXPECT_EQ(m_cmd.EndLongWait(0), 0);
    QueueRead();
    EXPECT_EQ(m_cmd.EndLongWait(0), 0);
    m_sink.Pump();
    EXPECT_EQ(m_cmd.GetQueueCount(), 1);
    EXPECT_EQ(m_sink.Count(WM_WIFI_RESET_DONE), told);
}

// ---- Link check and empty answers -------------------------------------------------------------

TEST_F(ReplyTest, LinkCheckAcceptsOnlyItsOwnAnswer) {
    struct Case {
        const char* name;
        std::vector<BYTE> answer;
        bool accepted;
    } cases[] = {
        {"the answer", SysData(CMD_LINK_CHECK, {0}), true},
        {"payload 1", SysData(CMD_LINK_CHECK, {1}), false},
        {"two bytes", SysData(CMD_LINK_CHECK, {0, 0}), false},
        {"other record", SysData(CMD_VERSION, {0}), false},
        {"other group", Answer(FRAME_DATA, 0, GROUP_OUTPUT, CMD_LINK_CHECK, 0, {0}), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_cmd.ClearQueue();
        g_bLinkCheckPending = 1;
        QueueRead();
        EXPECT_EQ(Feed(c.answer), c.accepted ? 1 : 0);
        EXPECT_EQ(m_cmd.GetQueueCount(), c.accepted ? 0 : 1);
        EXPECT_EQ(g_bLinkCheckPending.load(), c.accepted ? 0 : 1);
    }
    // While pending, a version answer is ignored too.
    g_bLinkCheckPending = 1;
    m_cmd.ClearQueue();
    QueueRead();
    Feed(SysData(CMD_VERSION, std::vector<BYTE>(11, 'X')));
    m_sink.Pump();
    EXPECT_EQ(m_sink.Count(WM_VERSION_RECEIVED), 0);
}

TEST_F(ReplyTest, EmptyDataAnswerStopsTransfersAndKeepsTheHead) {
    QueueRead();
    EXPECT_EQ(Feed(SysData(CMD_DEVICE_STATE, {})), 1);
    EXPECT_EQ(g_bTransfersStopped.load(), 1);
    EXPECT_EQ(m_cmd.GetQueueCount(), 1);
    m_sink.Pump();
    EXPECT_EQ(m_sink.Count(WM_EMPTY_REPLY), 1);
}

// ---- Record stores -------------------------------------------------------------------------------

TEST_F(ReplyTest, RecordAnswersLandByBankAndPresetAndEndTheirReads) {
    struct Case {
        int bank;
        int preset;
        PresetImage* target;
        UINT message; // 0: none
        WPARAM wParam;
    } cases[] = {
        {FRAME_BANK, 0, &g_curImage, WM_LIVE_DATA_RECEIVED, 0},
        {FRAME_BANK, 3, &g_storedPresets[2], 0, 0},
        {FRAME_BANK, 6, &g_storedPresets[5], WM_PRESETS_RECEIVED, 6},
        {0, 3, &g_curImage, WM_LIVE_DATA_RECEIVED, 3},
        {FRAME_BANK, 7, &g_curImage, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "bank " << c.bank << " preset " << c.preset);
        InitData();
        m_sink.Clear();
        std::vector<BYTE> out(sizeof(OutputRecord), static_cast<BYTE>(0x40 + c.preset));
        std::vector<BYTE> in(sizeof(InputRecord), static_cast<BYTE>(0x60 + c.preset));
        QueueRead();
        QueueRead();
        Feed(Answer(FRAME_DATA, c.preset, GROUP_INPUT, 5, c.bank, in));
        Feed(Answer(FRAME_DATA, c.preset, GROUP_OUTPUT, 7, c.bank, out));
        EXPECT_EQ(std::memcmp(&c.target->inputs[5], in.data(), in.size()), 0);
        EXPECT_EQ(std::memcmp(&c.target->outputs[7], out.data(), out.size()), 0);
        m_sink.Pump();
        const int live = m_sink.Count(WM_LIVE_DATA_RECEIVED);
        const int presets = m_sink.Count(WM_PRESETS_RECEIVED);
        EXPECT_EQ(live + presets, c.message ? 1 : 0);
        if (c.message) {
            ASSERT_NE(m_sink.Last(c.message), nullptr);
            EXPECT_EQ(m_sink.Last(c.message)->wParam, c.wParam);
        }
    }
}

TEST_F(ReplyTest, RecordIndexOutsideTheImageIsConsumedWithoutStoring) {
    const PresetImage before = g_curImage;
    const PresetImage stored6 = g_storedPresets[5];
    for (const auto& [group, index] :
         std::vector<std::pair<int, int>>{{GROUP_INPUT, 6}, {GROUP_OUTPUT, 8}, {GROUP_OUTPUT, 255}}) {
        QueueRead();
        const int size = group == GROUP_INPUT ? 288 : 296;
        EXPECT_EQ(Feed(Answer(FRAME_DATA, 0, group, index, FRAME_BANK, std::vector<BYTE>(size, 0xE7))), 1);
        EXPECT_EQ(m_cmd.GetQueueCount(), 0);
    }
    EXPECT_TRUE(g_curImage == before);
    EXPECT_TRUE(g_storedPresets[5] == stored6);
    m_sink.Pump();
    EXPECT_EQ(m_sink.Count(WM_LIVE_DATA_RECEIVED), 0);
}

// ---- System records ------------------------------------------------------------------------------

TEST_F(ReplyTest, PresetNamesAreCutAndCleaned) {
    std::vector<BYTE> name = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 0};
    name[4] = 0x80;
    name[6] = 0x1F;
    g_storedPresets[1].system.name[15] = 0x5A;
    QueueRead();
    Feed(SysData(CMD_PRESET_NAME, name, 2));
    const char* got = g_storedPresets[1].system.name;
    EXPECT_EQ(std::string(got, 4), "ABCD");
    EXPECT_EQ(got[4], 0);
    EXPECT_EQ(got[5], 'F');
    EXPECT_EQ(got[6], 0);
    EXPECT_EQ(std::string(got + 7, 6), "HIJKLM");
    EXPECT_EQ(got[13], 0);
    EXPECT_EQ(got[14], 0);
    EXPECT_EQ(got[15], 0x5A); // left alone
}

TEST_F(ReplyTest, ShortPayloadsNeverCopyStaleBytes) {
    // A long answer first leaves its bytes in the parser's buffer; short answers after it must
    // only change what they carry.
    QueueRead();
    Feed(Answer(FRAME_DATA, 0, GROUP_OUTPUT, 0, FRAME_BANK, std::vector<BYTE>(296, 0xEE)));
    std::memset(&g_pcSourceSet, 0x11, sizeof g_pcSourceSet);
    std::memset(&g_speakerMap, 0x22, sizeof g_speakerMap);
    std::memset(g_strDevVersion, 'v', 11);
    std::memset(&g_lockRecord, 0x33, sizeof g_lockRecord);
    const struct {
        int cmd;
        BYTE* field;
        int size;
        BYTE keep;
    } cases[] = {
        {CMD_SOURCE_SET, reinterpret_cast<BYTE*>(&g_pcSourceSet), 8, 0x11},
        {CMD_SPEAKER_MAP, reinterpret_cast<BYTE*>(&g_speakerMap), 8, 0x22},
        {CMD_VERSION, reinterpret_cast<BYTE*>(g_strDevVersion), 11, 'v'},
        {CMD_LOCK_RECORD, reinterpret_cast<BYTE*>(&g_lockRecord), 10, 0x33},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cmd);
        QueueRead();
        Feed(SysData(c.cmd, {0x01, 0x02}));
        m_cmd.TakeViewWait();
        const BYTE x = c.cmd == CMD_LOCK_RECORD ? LOCK_MASK : 0;
        EXPECT_EQ(c.field[0], 0x01 ^ x);
        EXPECT_EQ(c.field[1], 0x02 ^ x);
        for (int i = 2; i < c.size; ++i)
            EXPECT_EQ(c.field[i], c.keep) << i;
    }
}

TEST_F(ReplyTest, LockRecordIsUnscrambledAndReportedOnlyWhenItsRangeHolds) {
    struct Case {
        int a, b;
        bool posted;
    } cases[] = {{0, 0, false}, {0, 5, false}, {3, 2, false}, {3, 3, true}, {1, 0x1234, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " " << c.b);
        m_sink.Clear();
        std::vector<BYTE> plain = {
            BYTE(c.a), BYTE(c.a >> 8), BYTE(c.b), BYTE(c.b >> 8), 'c', 'o', 'd', 'e', ' ', ' '};
        std::vector<BYTE> scrambled = plain;
        for (BYTE& v : scrambled)
            v ^= LOCK_MASK;
        QueueRead();
        Feed(SysData(CMD_LOCK_RECORD, scrambled));
        EXPECT_EQ(std::memcmp(&g_lockRecord, plain.data(), plain.size()), 0);
        m_sink.Pump();
        EXPECT_EQ(m_sink.Count(WM_LOCK_RECORD_RECEIVED), c.posted ? 1 : 0);
    }
}

TEST_F(ReplyTest, PresetNumberCopiesTheStoredNameIntoTheLiveOne) {
    std::strcpy(g_storedPresets[3].system.name, "Stage four");
    std::strcpy(g_curImage.system.name, "live");
    QueueRead();
    Feed(SysData(CMD_PRESET_NUMBER, {4}));
    EXPECT_STREQ(g_curImage.system.name, "Stage four");
    EXPECT_EQ(g_curPresetNo[0], 4);
    QueueRead();
    Feed(SysData(CMD_PRESET_NUMBER, {0}));
    EXPECT_STREQ(g_curImage.system.name, "Stage four");
    EXPECT_EQ(g_curPresetNo[0], 0);
}

TEST_F(ReplyTest, DeviceStateNoticesCoalesceToTheNewest) {
    std::vector<BYTE> first(30, 1);
    std::vector<BYTE> second(12, 2);
    QueueRead();
    Feed(SysData(CMD_DEVICE_STATE, first));
    QueueRead();
    Feed(SysData(CMD_DEVICE_STATE, second));
    m_sink.Pump();
    ASSERT_EQ(m_sink.Count(WM_DEVICE_STATE), 1);
    EXPECT_EQ(m_sink.Last(WM_DEVICE_STATE)->lParam, 12);
    EXPECT_EQ(g_devStateBytes[11].load(), 2);
    EXPECT_EQ(g_devStateBytes[12].load(), 1);
}

// The idle poll answers many times a second: only an answer whose shown bytes (input type 0,
// source levels 2..7, master switch 14) differ from the image tells the view.
TEST_F(ReplyTest, DeviceStateTellsTheViewOnlyWhatDiffersFromTheImage) {
    g_pcSourceSet.inputType = 3;
    for (int t = 0; t < NUM_INPUT_TYPES; ++t)
        g_pcSourceSet.sourceLevel[t] = static_cast<BYTE>(20 + t);
    g_systemData.masterOn = 1;
    std::vector<BYTE> same(15, 0);
    same[0] = 3;
    for (int t = 0; t < NUM_INPUT_TYPES; ++t)
        same[2 + static_cast<size_t>(t)] = static_cast<BYTE>(20 + t);
    same[14] = 1;
    struct Case {
        size_t byte;
        bool posted;
    };
    for (const Case& c : {Case{0, true}, Case{1, false}, Case{2, true}, Case{7, true}, Case{8, false},
                          Case{13, false}, Case{14, true}}) {
        std::vector<BYTE> state = same;
        state[c.byte] = static_cast<BYTE>(state[c.byte] + 1);
        QueueRead();
        Feed(SysData(CMD_DEVICE_STATE, state));
        EXPECT_EQ(g_devStateBytes[c.byte].load(), state[c.byte]) << "stored either way";
        m_sink.Pump();
        EXPECT_EQ(m_sink.Count(WM_DEVICE_STATE), c.posted ? 1 : 0) << "byte " << c.byte;
        m_sink.Clear();
    }
    QueueRead();
    Feed(SysData(CMD_DEVICE_STATE, same));
    m_sink.Pump();
    EXPECT_EQ(m_sink.Count(WM_DEVICE_STATE), 0);
}

TEST_F(ReplyTest, DeviceStateNoticeNamesThePollItAnswers) {
    const std::vector<BYTE> state(30, 3);
    const CSendData* poll = QueueRead();
    const std::uint64_t serial = poll->GetSerial();
    // The user's source settings queued behind the poll: its answer cannot show them yet.
    m_cmd.AddPacket(BuildSystemFrame(CMD_SOURCE_SET, 0));
    Feed(SysData(CMD_DEVICE_STATE, state));
    m_sink.Pump();
    ASSERT_EQ(m_sink.Count(WM_DEVICE_STATE), 1);
    EXPECT_EQ(m_sink.Last(WM_DEVICE_STATE)->wParam, serial);
    EXPECT_FALSE(g_devStateSerials.Shows(0, serial)) << "the input type";
    EXPECT_FALSE(g_devStateSerials.Shows(3, serial)) << "a source level";
    EXPECT_TRUE(g_devStateSerials.Shows(14, serial)) << "the master byte went out in no write";
    // An answer that finds another request at the head is of unknown age.
    m_cmd.ClearQueue();
    m_cmd.AddPacket(BuildSystemReadFrame(CMD_SOURCE_SET, 0));
    Feed(SysData(CMD_DEVICE_STATE, state));
    m_sink.Pump();
    ASSERT_EQ(m_sink.Count(WM_DEVICE_STATE), 2);
    EXPECT_EQ(m_sink.Last(WM_DEVICE_STATE)->wParam, 0u);
}

TEST_F(ReplyTest, SpeakerMapAndBootSourceAskForTheSentNotice) {
    for (int cmd : {CMD_SPEAKER_MAP, CMD_BOOT_SOURCE}) {
        QueueRead();
        Feed(SysData(cmd, std::vector<BYTE>(8, 1)));
        EXPECT_TRUE(m_cmd.TakeViewWait());
        EXPECT_FALSE(m_cmd.TakeViewWait());
    }
    QueueRead();
    Feed(SysData(CMD_SLOT_TABLE, std::vector<BYTE>(66, 1)));
    EXPECT_FALSE(m_cmd.TakeViewWait());
    m_sink.Pump();
    EXPECT_EQ(m_sink.Count(WM_SYSTEM_RECORD_RECEIVED), 1);
}

// ---- Progress ------------------------------------------------------------------------------------

TEST_F(ReplyTest, BatchEndsPostTransferDoneOnlyWhenAnswered) {
    CSendData* send = QueueRead(7);
    send->SetSendEnd(1);
    // A RESEND asks for the packet again: the batch has not ended.
    EXPECT_EQ(Feed(Answer(FRAME_RESEND, 0, 9, 0, 0, {})), 0);
    m_sink.Pump();
    EXPECT_EQ(m_sink.Count(WM_TRANSFER_DONE), 0);
    ASSERT_EQ(m_cmd.GetHeadPacket(), send);
    EXPECT_TRUE(send->IsResend());
    EXPECT_EQ(Feed(Ack()), 1);
    m_sink.Pump();
    ASSERT_EQ(m_sink.Count(WM_TRANSFER_DONE), 1);
    EXPECT_EQ(m_sink.Last(WM_TRANSFER_DONE)->lParam, 1);
    EXPECT_EQ(LinkViewServices().m_nTransferPos.load(), 7);

    CSendData* read = QueueRead(26);
    read->SetReadEnd(1);
    Feed(Answer(FRAME_DATA, 0, GROUP_OUTPUT, 7, FRAME_BANK, std::vector<BYTE>(296, 0)));
    m_sink.Pump();
    EXPECT_EQ(m_sink.Last(WM_TRANSFER_DONE)->lParam, 0);
    EXPECT_EQ(LinkViewServices().m_nTransferPos.load(), 26);
}

TEST_F(ReplyTest, FirmwareEndCountsOnlyWhenAcknowledged) {
    auto end = std::make_unique<CSendData>();
    auto frame = std::make_unique<BYTE[]>(17);
    std::memset(frame.get(), 0, 17);
    end->SetData(std::move(frame));
    end->SetSize(17);
    end->SetStepCode(HEXEnd);
    end->SetProgress(40);
    m_cmd.AddPacket(std::move(end));
    g_nUpdateBarPos = 39;
    g_nUpdateBarMax = 41;
    Feed(Answer(FRAME_RESEND, 0, 9, HEXEnd, 0, {}));
    m_sink.Pump();
    EXPECT_EQ(g_bFirmwareFinished.load(), 0);
    EXPECT_EQ(m_sink.Count(WM_FIRMWARE_DONE), 0);
    EXPECT_EQ(g_nUpdateBarPos.load(), 39);
    Feed(Answer(FRAME_ACK, 0, 9, HEXEnd, 0, {}));
    m_sink.Pump();
    EXPECT_EQ(g_bFirmwareFinished.load(), 1);
    ASSERT_EQ(m_sink.Count(WM_FIRMWARE_DONE), 1);
    EXPECT_EQ(m_sink.Last(WM_FIRMWARE_DONE)->lParam, HEXEnd);
    EXPECT_EQ(g_nUpdateBarPos.load(), 41);
    EXPECT_STREQ(LinkViewServices().m_pUpdateText.load(), g_strFwSuccess);
}

TEST_F(ReplyTest, FirmwareDataStepsStopOneBelowTheMaximum) {
    g_nUpdateBarMax = 3;
    g_nUpdateBarPos = 0;
    for (int i = 0; i < 4; ++i) {
        auto p = std::make_unique<CSendData>();
        p->SetData(std::make_unique<BYTE[]>(17));
        p->SetSize(17);
        p->SetStepCode(IAP_DSP_DATA);
        p->SetProgress(i + 1);
        m_cmd.AddPacket(std::move(p));
        Feed(Answer(FRAME_ACK, 0, 9, IAP_DSP_DATA, 0, {}));
    }
    EXPECT_EQ(g_nUpdateBarPos.load(), 2);
    EXPECT_STREQ(LinkViewServices().m_pUpdateText.load(), g_strFwProgramming);
}

} // namespace
