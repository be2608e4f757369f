// The document model: construction, loading without marks, mark clearing and the send
// scheduler's order, exclusions, name steps and exact frames.
#include "model/KTV_Data.h"

#include "ChannelFixture.h"
#include "model/PresetServices.h"
#include "model/RecordFrames.h"
#include "model/ViewServices.h"

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

Bytes FrameOf(const std::unique_ptr<CSendData>& p) {
    return p ? Bytes(p->GetData(), p->GetData() + p->GetSize()) : Bytes{};
}

// What a frame says in its header.
struct Head {
    int type, group, index, chunk, length;
    bool operator==(const Head&) const = default;
};

Head HeadOf(const std::unique_ptr<CSendData>& p) {
    if (!p)
        return {-1, -1, -1, -1, -1};
    const BYTE* f = p->GetData();
    return {f[LinkFrame::OFS_TYPE], f[LinkFrame::OFS_GROUP], f[LinkFrame::OFS_INDEX], f[LinkFrame::OFS_CHUNK],
            LinkFrame::PayloadLength(f)};
}

std::ostream& operator<<(std::ostream& os, const Head& h) {
    return os << "{type " << h.type << ", group " << h.group << ", index " << h.index << ", chunk " << h.chunk
              << ", length " << h.length << "}";
}

Head Chunk(int group, int index, int chunk) {
    return {FRAME_WRITE, group, index, chunk, LinkFrame::CHUNK_SIZE};
}
Head System(int cmd, int length) {
    return {FRAME_WRITE, GROUP_SYSTEM, cmd, 0, length};
}
const Head kPoll{FRAME_READ, GROUP_SYSTEM, CMD_DEVICE_STATE, 0, LinkFrame::CHUNK_SIZE};

// The view's preset handler as the scheduler sees it: counts posts; RunHandler does what the
// posted WM_PRESET_NAME_CHANGED does later on the UI thread.
class FakePresetServices : public CPresetServices {
public:
    void PostPresetNameChanged() override { ++posted; }
    void RunHandler() {
        if (posted > handled) {
            handled = posted;
            g_bPresetNameDirty = 1;
        }
    }
    int posted = 0;
    int handled = 0;
};

class FakeViewServices : public CViewServices {
public:
    void HoldMasterVolume(BOOL restore) override {
        if (restore)
            ++restores;
        if (duringCall)
            duringCall();
    }
    int restores = 0;
    std::function<void()> duringCall; // a change made while the scheduler runs
};

class KTV_DataTest : public ChannelTest {
protected:
    void SetUp() override {
        ChannelTest::SetUp();
        g_strEmpty = g_strCustom;
        SetPresetServices(&m_presets);
        SetViewServices(&m_view);
        m_doc = std::make_unique<CKTV_Data>();
        g_bOnline = 1;
    }
    void TearDown() override {
        m_doc.reset();
        SetPresetServices(nullptr);
        SetViewServices(nullptr);
        ChannelTest::TearDown();
    }

    // The heads of the next n scheduler calls.
    std::vector<Head> Next(int n) {
        std::vector<Head> heads;
        for (int i = 0; i < n; ++i)
            heads.push_back(HeadOf(m_doc->BuildNextChangeFrame()));
        return heads;
    }

    // Runs the scheduler until it polls; the number of frames before the poll.
    int Drain(int limit = 2000) {
        for (int i = 0; i < limit; ++i)
            if (HeadOf(m_doc->BuildNextChangeFrame()) == kPoll)
                return i;
        return -1;
    }

    FakePresetServices m_presets;
    FakeViewServices m_view;
    std::unique_ptr<CKTV_Data> m_doc;
};

// ---- Construction ----------------------------------------------------------------------------

TEST_F(KTV_DataTest, BuildsTheChannelsOfTheDocument) {
    ASSERT_NE(m_doc->GetMic(0), nullptr);
    EXPECT_EQ(m_doc->GetMic(1), nullptr);
    EXPECT_EQ(m_doc->GetMusic(6), nullptr);
    EXPECT_EQ(m_doc->GetOut(8), nullptr);
    EXPECT_EQ(m_doc->GetOut(-1), nullptr);
    EXPECT_STREQ(m_doc->GetMic(0)->GetName(), "Mic 1");
    EXPECT_EQ(m_doc->GetMic(0)->GetHandleColor(), RGB(255, 128, 51));
    EXPECT_EQ(m_doc->GetMic(0)->GetFilterCount(), 11);

    const COLORREF inColours[6] = {RGB(0, 255, 255), RGB(223, 18, 123),  RGB(2, 123, 192),
                                   RGB(255, 255, 0), RGB(255, 102, 102), RGB(153, 0, 153)};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        CMusic_InData* in = m_doc->GetMusic(i);
        ASSERT_NE(in, nullptr);
        EXPECT_EQ(in->GetIndex(), i);
        EXPECT_EQ(std::string(in->GetName()), "Music " + std::to_string(i + 1));
        EXPECT_EQ(in->GetHandleColor(), inColours[i]);
        EXPECT_EQ(in->GetCurveColor(), g_clrMusicCurve[i]);
        EXPECT_EQ(in->GetFirst(), i == 0 ? 1 : 0);
        EXPECT_EQ(in->GetLevel(), i == 0 ? 450 : LEVEL_CODE_0DB);
        EXPECT_EQ(in->GetFilterCount(), 33);
    }

    struct OutRow {
        const char* name;
        COLORREF handle;
        int position;
    };
    const OutRow outs[8] = {
        {"FL", RGB(255, 0, 0), 6},     {"FR", RGB(0, 192, 0), 12},      {"SL", RGB(128, 128, 192), 15},
        {"SR", RGB(255, 64, 255), 18}, {"Center", RGB(0, 192, 192), 0}, {"ULF", RGB(192, 168, 0), 0},
        {"", RGB(125, 128, 0), 22},    {"", RGB(0, 0, 255), 23},
    };
    for (int j = 0; j < 8; ++j) {
        SCOPED_TRACE(j);
        CKTV_OutData* out = m_doc->GetOut(j);
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(out->GetIndex(), j);
        EXPECT_STREQ(out->GetName(), outs[j].name);
        EXPECT_EQ(out->GetHandleColor(), outs[j].handle);
        EXPECT_EQ(out->GetPositionCode(), outs[j].position);
        EXPECT_EQ(out->GetFilterCount(), 33);
        EXPECT_EQ(g_pOutData[j], out);
        EXPECT_EQ(g_nOutLinkGroup[j], j);
    }
    EXPECT_EQ(g_bLRLinked, 0);
}

TEST_F(KTV_DataTest, ConstructionOfflineMarksNothing) {
    m_doc.reset();
    g_bOnline = 0;
    m_doc = std::make_unique<CKTV_Data>();
    g_bOnline = 1;
    EXPECT_EQ(Next(2), (std::vector<Head>{kPoll, kPoll}));
}

TEST_F(KTV_DataTest, LinkTableFollowsTheModelThatRanItLastAndNeverDangles) {
    g_nOutLinkGroup[3] = 2;
    g_bLRLinked = 1;
    auto other = std::make_unique<CKTV_Data>();
    EXPECT_EQ(g_pOutData[3], other->GetOut(3));
    EXPECT_EQ(g_nOutLinkGroup[3], 3);
    EXPECT_EQ(g_bLRLinked, 0);
    m_doc->InitLinkTable();
    EXPECT_EQ(g_pOutData[3], m_doc->GetOut(3));
    other.reset(); // not in the table: the table stays
    EXPECT_EQ(g_pOutData[3], m_doc->GetOut(3));
    m_doc->InitLinkTable();
    SetLinkDocument(m_doc.get());
    EXPECT_EQ(&LinkDocument(), static_cast<CLinkDocument*>(m_doc.get()));
    m_doc.reset();
    for (int j = 0; j < 8; ++j)
        EXPECT_EQ(g_pOutData[j], nullptr);
    EXPECT_EQ(HeadOf(LinkDocument().BuildNextChangeFrame()), kPoll) << "the default stands in again";
}

// ---- Loading, storing, mark clearing -----------------------------------------------------------

TEST_F(KTV_DataTest, LoadFromImageMarksNothingAndTakesTheEffectOnlyFromPresets0And6) {
    PresetImage image = g_curImage;
    image.outputs[2].levelCode = 321;
    image.outputs[2].bands[4].freq = 4321;
    image.outputs[2].xover.hpFreq = 345;
    image.inputs[1].levelCode = 222;
    image.inputs[1].bands[7].freq = 777;
    image.system.effect.balance = 77;
    const int effectBefore = m_doc->GetEffect()->GetBalance();
    ASSERT_NE(effectBefore, 77);

    struct Case {
        int preset;
        bool effect;
    };
    for (const Case c : {Case{-1, false}, Case{3, false}, Case{0, true}, Case{6, true}}) {
        SCOPED_TRACE(c.preset);
        m_doc->GetEffect()->SetBalance(effectBefore);
        m_doc->SetAllChanged(FALSE);
        m_doc->LoadFromImage(&image, c.preset);
        EXPECT_EQ(m_doc->GetOut(2)->GetLevel(), 321);
        EXPECT_EQ(m_doc->GetOut(2)->GetBand(4)->GetFreq(), 4321);
        EXPECT_EQ(m_doc->GetOut(2)->GetHPF()->GetFreq(), 345);
        EXPECT_EQ(m_doc->GetMusic(1)->GetLevel(), 222);
        EXPECT_EQ(m_doc->GetMusic(1)->GetBand(7)->GetFreq(), 777);
        EXPECT_EQ(m_doc->GetEffect()->GetBalance(), c.effect ? 77 : effectBefore);
        EXPECT_EQ(Next(1), std::vector<Head>{kPoll}) << "a load while online marked a change";
        EXPECT_EQ(g_bSystemDataDirty, 0);
        EXPECT_EQ(g_bLiveDataSent, 0);
    }
}

TEST_F(KTV_DataTest, LinkFormsLoadFromTheLiveImage) {
    g_curImage.outputs[5].levelCode = 432;
    g_curImage.system.effect.balance = 66;
    m_doc->LoadFromImage(6);
    EXPECT_EQ(m_doc->GetOut(5)->GetLevel(), 432);
    EXPECT_EQ(m_doc->GetEffect()->GetBalance(), 66);
    g_curImage.system.effect.balance = 55;
    m_doc->LoadEffect();
    EXPECT_EQ(m_doc->GetEffect()->GetBalance(), 55);
    m_doc->SetOutCurveRect(CRect(0, 0, 600, 240));
    m_doc->SetOutCurveRect();
    EXPECT_EQ(m_doc->GetOutCurveRect(), CRect(0, 0, 600, 240));
    EXPECT_EQ(m_doc->GetOut(7)->GetZeroLineY(), m_doc->GetOut(0)->GetZeroLineY());
}

TEST_F(KTV_DataTest, StoreToImageRoundTripsTheModel) {
    g_bOnline = 0;
    m_doc->GetOut(4)->SetLevel(512);
    m_doc->GetOut(4)->GetBand(9)->SetFreq(1500, TRUE);
    m_doc->GetMusic(5)->SetNoiseGate(17);
    m_doc->StoreToImage();
    EXPECT_EQ(g_curImage.outputs[4].levelCode, 512);
    EXPECT_EQ(g_curImage.outputs[4].bands[9].freq, 1500);
    CKTV_Data copy;
    copy.LoadFromImage(&g_curImage, -1);
    EXPECT_EQ(copy.GetOut(4)->GetLevel(), 512);
    EXPECT_EQ(copy.GetMusic(5)->GetNoiseGate(), 17);
    const PresetImage stored = g_curImage;
    copy.StoreToImage();
    EXPECT_TRUE(g_curImage == stored) << "a load and store changed the image";
}

TEST_F(KTV_DataTest, StoreCrossoversTakesTheSentFrequencies) {
    m_doc->GetOut(1)->GetHPF()->SetFreq(100, TRUE); // 2 steps from the default: half-way sent
    const int sent = m_doc->GetOut(1)->GetHPF()->GetSentFreq();
    m_doc->StoreCrossovers();
    EXPECT_EQ(g_xoverTable[1].hpFreq, sent);
    EXPECT_EQ(g_xoverTable[0].lpFreq, m_doc->GetOut(0)->GetLPF()->GetSentFreq());
}

TEST_F(KTV_DataTest, SetAllChangedClearsEveryMarkAndSetsOnlyTheSystemDataMark) {
    CKTV_OutData* out = m_doc->GetOut(3);
    out->SetLevel(500);
    out->SetMix1In2(7);
    out->GetBand(2)->SetFreq(8000, TRUE); // many steps away: stays marked while stepping
    ASSERT_NE(out->GetBand(2)->GetSentFreq(), 8000);
    m_doc->GetMusic(0)->SetNoiseGate(5);
    m_doc->GetMusic(0)->GetBand(1)->SetGainPos(230);
    m_doc->GetMic(0)->SetLevel(300);
    g_bSourceSetDirty = 1;

    for (const BOOL flag : {FALSE, TRUE}) {
        SCOPED_TRACE(flag);
        out->GetBand(2)->SetFreq(flag ? 100 : 8000, TRUE);
        g_bSourceSetDirty = 1;
        m_doc->SetAllChanged(flag);
        EXPECT_EQ(g_bSystemDataDirty, flag);
        EXPECT_EQ(g_bSourceSetDirty, 0);
        EXPECT_FALSE(out->GetBand(2)->IsChanged());
        EXPECT_EQ(out->GetBand(2)->GetSentFreq(), out->GetBand(2)->GetFreq());
        EXPECT_FALSE(m_doc->GetMic(0)->GetLevelChanged());
        const std::vector<Head> expect =
            flag ? std::vector<Head>{System(CMD_SYSTEM_DATA, 8), kPoll} : std::vector<Head>{kPoll, kPoll};
        EXPECT_EQ(Next(2), expect);
    }
}

// ---- Scheduler -------------------------------------------------------------------------------

TEST_F(KTV_DataTest, NothingPendingGivesTheIdlePoll) {
    const Bytes poll = FrameOf(BuildChunkFrame(GROUP_POLL, 0, 0));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(FrameOf(m_doc->BuildNextChangeFrame()), poll);
}

TEST_F(KTV_DataTest, OneChangePerCallInTheFixedOrder) {
    g_bLiveDataSent = 1; // name steps find "Custom" everywhere
    StringToField(g_curImage.system.name, 16, CString("Custom"));
    g_curPresetNo[0] = 0;

    CKTV_OutData* o3 = m_doc->GetOut(3);
    CKTV_OutData* o1 = m_doc->GetOut(1);
    CMusic_InData* in0 = m_doc->GetMusic(0);
    o3->GetBand(5)->SetGainPos(230);
    o3->GetBand(2)->SetGainPos(150);
    o3->SetLevel(555);
    o1->SetLimThreshold(400);
    o1->SetMix1In3(9);
    o1->SetMix2In1(8);
    o1->GetLPF()->SetSlope(3, TRUE);
    o1->SetName(CString("Woof"));
    in0->GetBand(4)->SetGainPos(210);
    in0->SetLevel(500);
    in0->SetNoiseGate(3);
    m_doc->GetMusic(4)->SetLevel(10);
    g_bSourceSetDirty = 1;
    g_bSystemDataDirty = 1;

    const std::vector<Head> expect = {
        System(CMD_SYSTEM_DATA, 8), System(CMD_SOURCE_SET, 8),  Chunk(GROUP_INPUT, 0, 31),
        Chunk(GROUP_INPUT, 0, 33),  Chunk(GROUP_INPUT, 0, 4),   Chunk(GROUP_INPUT, 4, 31),
        Chunk(GROUP_OUTPUT, 1, 36), Chunk(GROUP_OUTPUT, 1, 32), Chunk(GROUP_OUTPUT, 1, 34),
        Chunk(GROUP_OUTPUT, 1, 35), Chunk(GROUP_OUTPUT, 1, 33), Chunk(GROUP_OUTPUT, 3, 31),
        Chunk(GROUP_OUTPUT, 3, 2),  Chunk(GROUP_OUTPUT, 3, 5),  kPoll,
    };
    EXPECT_EQ(Next(static_cast<int>(expect.size())), expect);
    EXPECT_EQ(m_presets.posted, 0);
}

TEST_F(KTV_DataTest, PacksTheValueIntoTheImageAndSendsItsExactBytes) {
    g_bLiveDataSent = 1;
    StringToField(g_curImage.system.name, 16, CString("Custom"));
    g_curPresetNo[0] = 0;
    m_doc->GetOut(3)->SetLevel(555);
    auto frame = m_doc->BuildNextChangeFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(g_curImage.outputs[3].levelCode, 555);
    const BYTE* chunk = RecordBytes(g_curImage.outputs[3]) + 31 * 8;
    Bytes expect = {0x6B, 0x6B, 0x6B, 0xEE, FRAME_WRITE, 0x01, 0x00, GROUP_OUTPUT, 3, 31, 0, 0, 8, 0};
    expect.insert(expect.end(), chunk, chunk + 8);
    expect.push_back(LinkFrame::Checksum(expect.data(), static_cast<int>(expect.size()) + 2));
    expect.push_back(FRAME_END);
    EXPECT_EQ(FrameOf(frame), expect);
    EXPECT_EQ(chunk[2] | chunk[3] << 8, 555);
    EXPECT_TRUE(LinkFrame::IsValid(frame->GetData(), frame->GetSize()));
}

TEST_F(KTV_DataTest, ExcludedChangesAreNeverSent) {
    struct Case {
        const char* what;
        std::function<void(CKTV_Data&)> mark;
        Head first; // kPoll: never sent
    };
    const std::vector<Case> cases = {
        {"output 8 band 12", [](CKTV_Data& d) { d.GetOut(7)->GetBand(12)->SetGainPos(230); }, kPoll},
        {"output 8 band 9", [](CKTV_Data& d) { d.GetOut(7)->GetBand(9)->SetGainPos(230); },
         Chunk(GROUP_OUTPUT, 7, 9)},
        {"output 7 band 10", [](CKTV_Data& d) { d.GetOut(6)->GetBand(10)->SetGainPos(230); }, kPoll},
        {"output 6 band 30", [](CKTV_Data& d) { d.GetOut(5)->GetBand(30)->SetGainPos(230); },
         Chunk(GROUP_OUTPUT, 5, 30)},
        {"input 3 high-pass", [](CKTV_Data& d) { d.GetMusic(2)->GetHPF()->SetSlope(3, TRUE); }, kPoll},
        {"output 3 high-pass", [](CKTV_Data& d) { d.GetOut(2)->GetHPF()->SetSlope(3, TRUE); },
         Chunk(GROUP_OUTPUT, 2, 32)},
        {"input name and ext",
         [](CKTV_Data& d) { d.GetMusic(1)->SetName(CString("x")), d.GetMusic(1)->SetExtA(3); }, kPoll},
        {"mic", [](CKTV_Data& d) { d.GetMic(0)->SetLevel(123), d.GetMic(0)->GetBand(2)->SetGainPos(230); },
         kPoll},
        {"effect",
         [](CKTV_Data& d) { d.GetEffect()->SetBalance(3), d.GetEffect()->GetBand(0)->SetGainPos(230); },
         kPoll},
        {"device type 3 keeps ten bands",
         [](CKTV_Data& d) {
             g_nDeviceType = 3;
             d.GetOut(6)->GetBand(20)->SetGainPos(230);
         },
         kPoll},
    };
    StringToField(g_curImage.system.name, 16, CString("Custom")); // the name steps stay quiet
    g_curPresetNo[0] = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_doc->SetAllChanged(FALSE);
        c.mark(*m_doc);
        EXPECT_EQ(HeadOf(m_doc->BuildNextChangeFrame()), c.first);
        EXPECT_EQ(HeadOf(m_doc->BuildNextChangeFrame()), kPoll);
        g_nDeviceType = 2;
    }
}

TEST_F(KTV_DataTest, LargeFrequencyMoveGoesOutInSteps) {
    g_bLiveDataSent = 1;
    StringToField(g_curImage.system.name, 16, CString("Custom"));
    g_curPresetNo[0] = 0;
    CFilter* band = m_doc->GetOut(0)->GetBand(0);
    g_bOnline = 0;
    band->SetFreq(100, TRUE);
    g_bOnline = 1;
    band->SetFreq(1000, TRUE);
    std::vector<int> sent;
    for (auto f = m_doc->BuildNextChangeFrame(); HeadOf(f) == Chunk(GROUP_OUTPUT, 0, 0);
         f = m_doc->BuildNextChangeFrame()) {
        const BYTE* p = f->GetData() + LinkFrame::OFS_PAYLOAD;
        sent.push_back(static_cast<SHORT>(p[0] | p[1] << 8));
        ASSERT_LT(sent.size(), 20u);
    }
    EXPECT_EQ(sent, (std::vector<int>{200, 400, 800, 1000, 1000}));
    EXPECT_FALSE(band->IsChanged());
}

TEST_F(KTV_DataTest, VolumeRestoreCallsTheViewOnceAndGoesOn) {
    g_bLiveDataSent = 1;
    StringToField(g_curImage.system.name, 16, CString("Custom"));
    g_curPresetNo[0] = 0;
    m_doc->GetOut(2)->RequestVolumeRestore();
    EXPECT_EQ(HeadOf(m_doc->BuildNextChangeFrame()), kPoll);
    EXPECT_EQ(m_view.restores, 1);
    m_doc->GetOut(2)->RequestVolumeRestore();
    m_doc->GetOut(2)->GetBand(6)->SetGainPos(240);
    m_doc->GetOut(5)->SetLevel(1);
    EXPECT_EQ(Next(3), (std::vector<Head>{Chunk(GROUP_OUTPUT, 2, 6), Chunk(GROUP_OUTPUT, 5, 31), kPoll}));
    EXPECT_EQ(m_view.restores, 2);
}

TEST_F(KTV_DataTest, ChangeMadeDuringACallIsSentByALaterCall) {
    g_bLiveDataSent = 1;
    StringToField(g_curImage.system.name, 16, CString("Custom"));
    g_curPresetNo[0] = 0;
    CKTV_OutData* o0 = m_doc->GetOut(0);
    CKTV_OutData* o2 = m_doc->GetOut(2);
    o2->RequestVolumeRestore();
    o2->GetBand(1)->SetGainPos(230);
    // While output 3 is looked at, output 1 (already passed) and output 3's own level change.
    m_view.duringCall = [&] {
        o0->SetLevel(432);
        o2->SetLevel(321);
        m_view.duringCall = nullptr;
    };
    EXPECT_EQ(Next(4), (std::vector<Head>{Chunk(GROUP_OUTPUT, 2, 1), Chunk(GROUP_OUTPUT, 0, 31),
                                          Chunk(GROUP_OUTPUT, 2, 31), kPoll}));
    EXPECT_EQ(g_curImage.outputs[0].levelCode, 432);
    EXPECT_EQ(g_curImage.outputs[2].levelCode, 321);
}

TEST_F(KTV_DataTest, RequestsWithoutAFrameReturnNoneAndAreConsumed) {
    g_bLiveDataSent = 1;
    StringToField(g_curImage.system.name, 16, CString("Custom"));
    g_curPresetNo[0] = 0;
    CKTV_OutData* out = m_doc->GetOut(4);
    out->SetSpareRequest(1);
    out->SetRecordRequest(1);
    g_strLockPassword = "";
    EXPECT_EQ(m_doc->BuildNextChangeFrame(), nullptr); // record request, no password
    EXPECT_EQ(m_doc->BuildNextChangeFrame(), nullptr); // spare request
    EXPECT_EQ(HeadOf(m_doc->BuildNextChangeFrame()), kPoll);
}

TEST_F(KTV_DataTest, LockedDataGoOutScrambled) {
    g_bLiveDataSent = 1;
    StringToField(g_curImage.system.name, 16, CString("Custom"));
    g_curPresetNo[0] = 0;
    g_bDataLocked = 1;
    g_strLockPassword = "123456";
    CKTV_OutData* out = m_doc->GetOut(0);
    out->SetLevel(500);
    auto level = m_doc->BuildNextChangeFrame();
    ASSERT_EQ(HeadOf(level), Chunk(GROUP_OUTPUT, 0, 31));
    const BYTE* plain = RecordBytes(g_curImage.outputs[0]) + 31 * 8;
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(level->GetData()[LinkFrame::OFS_PAYLOAD + i], plain[i] ^ LOCK_MASK) << i;

    out->SetRecordRequest(1);
    auto record = m_doc->BuildNextChangeFrame();
    ASSERT_EQ(HeadOf(record), (Head{FRAME_WRITE, GROUP_OUTPUT, 0, 0, 296}));
    const BYTE* payload = record->GetData() + LinkFrame::OFS_PAYLOAD;
    EXPECT_EQ(payload[288], '!');
    EXPECT_EQ(payload[290] ^ LOCK_MASK, '1');
    EXPECT_EQ(payload[248 + 2] ^ LOCK_MASK, plain[2]);
    EXPECT_EQ(g_curImage.outputs[0].levelCode, 500) << "the image itself stays plain";
}

TEST_F(KTV_DataTest, NameStepsRenameTheLivePresetToCustom) {
    StringToField(g_curImage.system.name, 16, CString("Party"));
    g_curPresetNo[0] = 3;
    g_strEmpty = "Party";
    m_doc->GetOut(0)->SetLevel(500);
    ASSERT_EQ(HeadOf(m_doc->BuildNextChangeFrame()), Chunk(GROUP_OUTPUT, 0, 31));
    ASSERT_EQ(g_bLiveDataSent, 1);

    // Each call, then the view's handler of the posted message.
    std::vector<Head> heads;
    std::vector<Bytes> names;
    for (int i = 0; i < 6; ++i) {
        auto f = m_doc->BuildNextChangeFrame();
        heads.push_back(HeadOf(f));
        if (HeadOf(f) == System(CMD_PRESET_NAME, 16))
            names.emplace_back(f->GetData() + LinkFrame::OFS_PAYLOAD,
                               f->GetData() + LinkFrame::OFS_PAYLOAD + 16);
        m_presets.RunHandler();
    }
    const Head name = System(CMD_PRESET_NAME, 16);
    EXPECT_EQ(heads, (std::vector<Head>{name, name, name, name, kPoll, kPoll}));
    Bytes custom(16, 0);
    std::memcpy(custom.data(), "Custom", 6);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(names[i], custom) << i;
    EXPECT_EQ(m_presets.posted, 2);
    EXPECT_EQ(g_curPresetNo[0], 0);
    EXPECT_STREQ(g_strEmpty, "Custom");
    EXPECT_STREQ(m_doc->GetPresetName(), "Custom");
}

TEST_F(KTV_DataTest, PresetNumberStillSetRepeatsTheNameUntilTheHandlerRan) {
    g_bLiveDataSent = 1;
    StringToField(g_curImage.system.name, 16, CString("Custom"));
    g_curPresetNo[0] = 2;
    const Head name = System(CMD_PRESET_NAME, 16);
    EXPECT_EQ(Next(2), (std::vector<Head>{name, name}));
    EXPECT_EQ(m_presets.posted, 2);
    m_presets.RunHandler();
    EXPECT_EQ(Next(2), (std::vector<Head>{name, kPoll}));
    EXPECT_EQ(g_curPresetNo[0], 0);
}

TEST_F(KTV_DataTest, NameOf16BytesReadsAsItsFirst15) {
    g_bLiveDataSent = 1;
    std::memcpy(g_curImage.system.name, "ABCDEFGHIJKLMNOP", 16);
    g_curPresetNo[0] = 0;
    EXPECT_EQ(HeadOf(m_doc->BuildNextChangeFrame()), System(CMD_PRESET_NAME, 16));
    EXPECT_STREQ(m_doc->GetPresetName(), "ABCDEFGHIJKLMNO");
    EXPECT_STREQ(FieldToString(g_curImage.system.name, 16), "Custom");
    EXPECT_EQ(g_curImage.system.name[15], 0);
}

// A UI thread that changes values (the setters take g_linkLock themselves) while the worker drains
// the scheduler: no change is lost and the image ends equal to the model.
TEST_F(KTV_DataTest, ChangesRacingTheWorkerAreNeverLost) {
    g_bLiveDataSent = 1;
    StringToField(g_curImage.system.name, 16, CString("Custom"));
    g_curPresetNo[0] = 0;
    m_doc->StoreToImage(); // image and model agree before the race
    std::atomic<bool> done{false};
    std::thread worker([&] {
        while (!done.load()) {
            std::lock_guard lock(g_linkLock);
            m_doc->BuildNextChangeFrame();
        }
    });
    for (int k = 0; k < 400; ++k) {
        m_doc->GetOut(k % 8)->SetLevel(100 + k);
        m_doc->GetOut((k + 3) % 6)->GetBand(k % 31)->SetGainPos(100 + k % 200);
        m_doc->GetMusic(k % 6)->GetBand((k * 7) % 31)->SetFreq(20 + 37 * k, TRUE);
        m_doc->GetMusic(k % 6)->SetNoiseGate(k % 100);
    }
    done = true;
    worker.join();
    ASSERT_GE(Drain(), 0);
    for (int j = 0; j < 8; ++j) {
        EXPECT_EQ(g_curImage.outputs[j].levelCode, m_doc->GetOut(j)->GetLevel()) << j;
        const int bands = j < 6 ? 31 : 10;
        for (int b = 0; b < bands; ++b)
            EXPECT_EQ(g_curImage.outputs[j].bands[b], m_doc->GetOut(j)->GetEQ().PackBand(b)) << j << "/" << b;
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(g_curImage.inputs[i].noiseGate, m_doc->GetMusic(i)->GetNoiseGate()) << i;
        for (int b = 0; b < 31; ++b) {
            EXPECT_EQ(g_curImage.inputs[i].bands[b].freq, m_doc->GetMusic(i)->GetBand(b)->GetFreq())
                << i << "/" << b;
            EXPECT_FALSE(m_doc->GetMusic(i)->GetBand(b)->IsChanged());
        }
    }
}

// The link worker stores whole records into the live image under g_linkLock; a channel loading from
// the live image meanwhile sees one record or the other, never a mix.
TEST_F(KTV_DataTest, LoadingTheLiveImageNeverSeesATornRecord) {
    g_bOnline = 0;
    OutputRecord a = g_curImage.outputs[2];
    OutputRecord b = a;
    a.levelCode = 111;
    a.bands[30].freq = 1111;
    b.levelCode = 222;
    b.bands[30].freq = 2222;
    g_curImage.outputs[2] = a;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int k = 0; !done.load(); ++k) {
            std::lock_guard lock(g_linkLock);
            std::memcpy(&g_curImage.outputs[2], k % 2 ? &a : &b, sizeof(OutputRecord));
        }
    });
    CKTV_OutData* out = m_doc->GetOut(2);
    int mixed = 0;
    for (int k = 0; k < 300; ++k) {
        out->LoadFromRecord(&g_curImage.outputs[2]);
        const int level = out->GetLevel();
        const int freq = out->GetBand(30)->GetFreq();
        mixed += !((level == 111 && freq == 1111) || (level == 222 && freq == 2222));
    }
    done = true;
    worker.join();
    EXPECT_EQ(mixed, 0);
}

TEST_F(KTV_DataTest, ArchiveHoldsEveryChannelInOrderWithoutCounts) {
    g_bOnline = 0;
    m_doc->GetOut(6)->SetLevel(345);
    m_doc->GetMusic(2)->SetNoiseGate(12);
    const std::vector<BYTE> bytes = ArchiveBytes(*m_doc);
    size_t expected = ArchiveBytes(*m_doc->GetEffect()).size() + ArchiveBytes(*m_doc->GetMic(0)).size();
    for (int i = 0; i < 6; ++i)
        expected += ArchiveBytes(*m_doc->GetMusic(i)).size();
    for (int j = 0; j < 8; ++j)
        expected += ArchiveBytes(*m_doc->GetOut(j)).size();
    EXPECT_EQ(bytes.size(), expected);
    CKTV_Data copy;
    LoadArchive(copy, bytes);
    EXPECT_EQ(copy.GetOut(6)->GetLevel(), 345);
    EXPECT_EQ(copy.GetMusic(2)->GetNoiseGate(), 12);
    EXPECT_EQ(ArchiveBytes(copy), bytes);
}

} // namespace
