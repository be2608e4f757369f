// The bulk transfers as packet lists, the channel operations on a document, and the default mix.
#include "link/BulkTransfer.h"
#include "model/Filter.h"
#include "model/Globals.h"
#include "model/KTV_Data.h"
#include "model/KTV_OutData.h"
#include "model/Music_InData.h"
#include "model/RecordFrames.h"
#include "wire/LinkFrame.h"
#include "support/ResetLinkGlobals.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The view's part, as far as the batches see it: the queue is a list, the master hold queues the
// system data as the view does.
struct FakeHost : CBulkHost {
    BOOL linkOpen = TRUE;
    int batch = 0;
    BYTE savedMaster = 0;
    BOOL chooseFile = TRUE;
    int failures = 0;
    int range = -1;
    int progressMode = -1;
    int lockButton = -1;
    int stores = 0;
    std::vector<std::unique_ptr<CSendData>> packets;
    CKTV_Data doc;

    BOOL IsLinkOpen() override { return linkOpen; }
    int& BatchCount() override { return batch; }
    void HoldMasterVolume(BOOL restore) override {
        if (!restore) {
            savedMaster = g_systemData.masterOn;
            g_systemData.masterOn = 0;
        } else {
            g_systemData.masterOn = savedMaster;
        }
        AddPacket(BuildSystemFrame(CMD_SYSTEM_DATA, 0));
    }
    void AddPacket(std::unique_ptr<CSendData> p) override { packets.push_back(std::move(p)); }
    void ShowConnectFailure() override { ++failures; }
    BOOL ChooseAllPresetsFile() override { return chooseFile; }
    CMusic_InData* GetInput(int i) override { return doc.GetMusic(i); }
    CKTV_OutData* GetOutput(int i) override { return doc.GetOut(i); }
    void StoreDocumentToImage() override {
        ++stores;
        doc.StoreToImage();
    }
    void SetTransferRange(int max) override { range = max; }
    void ShowProgress(int mode) override { progressMode = mode; }
    void SetLockButton(BOOL locked) override { lockButton = locked; }
};

// One packet as the device sees it.
struct Pkt {
    int type, preset, group, index, bank, len, progress;
    bool sendEnd, readEnd;
};

std::vector<Pkt> Decode(const FakeHost& h) {
    std::vector<Pkt> out;
    for (const auto& p : h.packets) {
        const BYTE* f = p->GetData();
        Pkt k{f[LinkFrame::OFS_TYPE],
              f[LinkFrame::OFS_PRESET],
              f[LinkFrame::OFS_GROUP],
              f[LinkFrame::OFS_INDEX],
              f[LinkFrame::OFS_CHUNK],
              LinkFrame::PayloadLength(f),
              p->GetProgress(),
              false,
              false};
        // The marks as a closed link reports them: at the frame's end.
        p->NextHidReport();
        while (p->NextHidReport()) {
        }
        k.sendEnd = p->IsSendEnd(false) != 0;
        k.readEnd = p->IsReadEnd(false) != 0;
        p->Rewind();
        out.push_back(k);
    }
    return out;
}

bool IsSystem(const Pkt& p, int cmd) {
    return p.group == GROUP_SYSTEM && p.index == cmd && p.type == FRAME_WRITE;
}

class BulkTransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        r9test::ResetLinkGlobals();
        g_systemData.masterOn = 1;
        host = std::make_unique<FakeHost>();
        host->doc.InitLinkTable();
        bulk = std::make_unique<CBulkTransfer>(*host);
    }
    void TearDown() override {
        bulk.reset();
        host.reset();
        for (auto& p : g_pOutData)
            p = nullptr;
        r9test::ResetLinkGlobals();
    }
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<CBulkTransfer> bulk;
};

} // namespace

TEST_F(BulkTransferTest, SendAllPresetsWritesEveryPresetWithTheMasterOff) {
    bulk->SendAllPresets();
    auto v = Decode(*host);
    ASSERT_EQ(v.size(), 2u + 14u + 6u * 15u + 2u);
    EXPECT_TRUE(IsSystem(v[0], CMD_SYSTEM_DATA));
    EXPECT_EQ(host->packets[0]->GetData()[LinkFrame::OFS_PAYLOAD + 6], 0) << "master off first";
    EXPECT_TRUE(IsSystem(v[1], CMD_SPEAKER_MAP));
    EXPECT_EQ(v[1].progress, 0);
    int expect = 0;
    for (int k = 0; k < 14; ++k) {
        const Pkt& p = v[2 + k];
        EXPECT_EQ(p.group, k < 6 ? GROUP_INPUT : GROUP_OUTPUT);
        EXPECT_EQ(p.preset, 0);
        EXPECT_EQ(p.progress, expect++);
    }
    for (int pr = 1; pr <= 6; ++pr) {
        const size_t base = 16 + static_cast<size_t>(pr - 1) * 15;
        EXPECT_TRUE(IsSystem(v[base], CMD_PRESET_NAME));
        EXPECT_EQ(v[base].preset, pr);
        EXPECT_EQ(v[base].progress, expect++);
        for (int k = 1; k < 15; ++k) {
            EXPECT_EQ(v[base + k].preset, pr);
            EXPECT_EQ(v[base + k].progress, expect++);
            EXPECT_EQ(v[base + k].sendEnd, pr == 6 && k == 14);
        }
    }
    EXPECT_EQ(expect, 104);
    EXPECT_TRUE(IsSystem(v[v.size() - 2], CMD_SOURCE_SET));
    EXPECT_TRUE(IsSystem(v.back(), CMD_SYSTEM_DATA));
    EXPECT_EQ(v.back().progress, 0);
    EXPECT_EQ(host->packets.back()->GetData()[LinkFrame::OFS_PAYLOAD + 6], 1) << "master back on";
    EXPECT_EQ(g_systemData.masterOn, 1);
    EXPECT_EQ(host->range, 104);
    EXPECT_EQ(g_bTransferBusy.load(), 1);
}

TEST_F(BulkTransferTest, SendPresetWithAndWithoutStore) {
    struct Case {
        BOOL store;
        std::vector<int> head; // system records before the 14 channel records
        bool masterHeld;
    } cases[] = {
        {FALSE, {CMD_PRESET_NAME, CMD_SOURCE_SET, CMD_SPEAKER_MAP}, true},
        {TRUE, {CMD_PRESET_NAME, CMD_SOURCE_SET, CMD_SPEAKER_MAP, CMD_PRESET_NAME, CMD_PRESET_NUMBER}, false},
    };
    for (const Case& c : cases) {
        host->packets.clear();
        host->stores = 0;
        bulk->SendPreset(4, c.store);
        auto v = Decode(*host);
        size_t i = 0;
        if (c.masterHeld) {
            EXPECT_TRUE(IsSystem(v[i++], CMD_SYSTEM_DATA));
        }
        for (size_t k = 0; k < c.head.size(); ++k, ++i) {
            EXPECT_TRUE(IsSystem(v[i], c.head[k])) << "store " << c.store << " at " << i;
            EXPECT_EQ(v[i].progress, static_cast<int>(k));
        }
        EXPECT_EQ(v[c.masterHeld ? 1 : 0].preset, 4) << "the preset's own name";
        for (int k = 0; k < 14; ++k, ++i) {
            EXPECT_EQ(v[i].group, k < 6 ? GROUP_INPUT : GROUP_OUTPUT);
            EXPECT_EQ(v[i].preset, 4) << "live data written as preset 4";
            EXPECT_EQ(v[i].sendEnd, k == 13);
        }
        EXPECT_EQ(v[i - 1].progress, host->range) << "the last record carries the range maximum";
        if (c.masterHeld) {
            EXPECT_TRUE(IsSystem(v[i++], CMD_SYSTEM_DATA));
        }
        EXPECT_EQ(i, v.size());
        EXPECT_EQ(host->stores, c.store ? 1 : 0);
        EXPECT_EQ(g_curPresetNo[0], 4);
    }
}

TEST_F(BulkTransferTest, ReadsOfDevicePresets) {
    bulk->ReadAllDevicePresets();
    auto v = Decode(*host);
    ASSERT_EQ(v.size(), 84u);
    for (size_t k = 0; k < v.size(); ++k) {
        EXPECT_EQ(v[k].type, FRAME_READ);
        EXPECT_EQ(v[k].bank, FRAME_BANK);
        EXPECT_EQ(v[k].preset, 1 + static_cast<int>(k) / 14);
        EXPECT_EQ(v[k].group, k % 14 < 6 ? GROUP_INPUT : GROUP_OUTPUT);
        EXPECT_EQ(v[k].readEnd, k == 83);
    }

    // A preset of the device read into the live set.
    host->packets.clear();
    bulk->ReadDevicePreset(3);
    v = Decode(*host);
    ASSERT_EQ(v.size(), 1u + 14u + 1u + 1u);
    EXPECT_TRUE(IsSystem(v[0], CMD_SYSTEM_DATA));
    for (int k = 0; k < 14; ++k) {
        EXPECT_EQ(v[1 + k].bank, 0);
        EXPECT_EQ(v[1 + k].preset, 3);
        EXPECT_EQ(v[1 + k].readEnd, k == 13);
    }
    EXPECT_TRUE(IsSystem(v[15], CMD_PRESET_NAME));
    EXPECT_EQ(v[15].preset, 0);
    EXPECT_TRUE(IsSystem(v[16], CMD_SYSTEM_DATA));
    EXPECT_EQ(g_curPresetNo[0], 3);
    EXPECT_EQ(host->progressMode, 1);

    // The live read continues the start-up count.
    host->packets.clear();
    host->batch = 13;
    bulk->ReadDevicePreset(0);
    v = Decode(*host);
    ASSERT_EQ(v.size(), 14u);
    EXPECT_EQ(v.front().progress, 13);
    EXPECT_EQ(v.back().progress, 26);
    EXPECT_TRUE(v.back().readEnd);
    EXPECT_EQ(v.back().bank, FRAME_BANK);
    EXPECT_EQ(host->range, 26);
    EXPECT_EQ(host->progressMode, 0);
}

TEST_F(BulkTransferTest, NothingIsQueuedWithoutALink) {
    host->linkOpen = FALSE;
    bulk->SendAllPresets();
    bulk->SendPreset(0, FALSE);
    bulk->SendPreset(2, FALSE);
    bulk->SendInputChannel(1);
    bulk->SendOutputChannel(1);
    EXPECT_FALSE(bulk->ReadAllDevicePresets());
    bulk->ReadDevicePreset(2);
    EXPECT_TRUE(host->packets.empty());
    EXPECT_EQ(host->failures, 3) << "stored preset send, presets read, device preset read";

    host->linkOpen = TRUE;
    host->chooseFile = FALSE;
    EXPECT_FALSE(bulk->ReadAllDevicePresets());
    EXPECT_TRUE(host->packets.empty());
}

TEST_F(BulkTransferTest, ChannelSendsBracketTheRecordWithTheLevelChunk) {
    bulk->SendOutputChannel(2);
    auto v = Decode(*host);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].group, GROUP_OUTPUT);
    EXPECT_EQ(v[0].len, 8);
    EXPECT_EQ(v[1].len, 296);
    EXPECT_EQ(v[2].len, 8);
    EXPECT_EQ(host->packets[0]->GetData()[LinkFrame::OFS_PAYLOAD], 0) << "switched off first";
    EXPECT_EQ(host->packets[2]->GetData()[LinkFrame::OFS_PAYLOAD], host->doc.GetOut(2)->GetEnabled());

    host->packets.clear();
    bulk->SendInputChannel(1);
    v = Decode(*host);
    ASSERT_EQ(v.size(), 5u);
    EXPECT_TRUE(IsSystem(v[0], CMD_SYSTEM_DATA));
    EXPECT_EQ(v[2].group, GROUP_INPUT);
    EXPECT_EQ(v[2].len, 288);
    EXPECT_TRUE(IsSystem(v[4], CMD_SYSTEM_DATA));
}

TEST_F(BulkTransferTest, EqResetsUseTheDefaultCentres) {
    CKTV_OutData* out7 = host->doc.GetOut(6);
    out7->GetBand(1)->SetFreq(900, TRUE);
    bulk->ResetOutputEq(6);
    const int oct[10] = {31, 65, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};
    for (int b = 0; b < 10; ++b) {
        EXPECT_EQ(out7->GetBand(b)->GetFreq(), oct[b]);
        EXPECT_TRUE(out7->GetBand(b)->IsBypassed());
    }
    ASSERT_EQ(host->packets.size(), 1u);
    EXPECT_EQ(g_curImage.outputs[6].bands[1].freq.Get(), 65);

    // A linked pair is reset together, with the master held around it.
    host->packets.clear();
    g_nOutLinkGroup[0] = 9;
    g_nOutLinkGroup[1] = 9;
    g_nCurOut = 0;
    host->doc.GetOut(1)->GetBand(4)->SetFreq(70, TRUE);
    bulk->ResetLinkedOutputEq();
    EXPECT_EQ(host->doc.GetOut(1)->GetBand(4)->GetFreq(), 50);
    auto v = Decode(*host);
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[1].index, 0);
    EXPECT_EQ(v[2].index, 1);

    host->packets.clear();
    bulk->ResetInputEq(2);
    CMusic_InData* in = host->doc.GetMusic(2);
    EXPECT_EQ(in->GetBand(2)->GetFreq(), 53);
    EXPECT_EQ(in->GetBand(14)->GetFreq(), 20000);
    EXPECT_EQ(in->GetBand(15)->GetFreq(), 630);
    EXPECT_EQ(in->GetBand(30)->GetFreq(), 20000);
}

TEST_F(BulkTransferTest, PastingOntoATweeterRaisesItsCrossover) {
    CKTV_OutData* src = host->doc.GetOut(1);
    CKTV_OutData* dst = host->doc.GetOut(3);
    dst->SetPositionCode(7);
    // The copy brings the source's crossover; the rules then apply to it.
    src->GetHPF()->SetFreq(80, TRUE);
    src->GetLPF()->SetFreq(500, TRUE);
    src->GetHPF()->SetSlope(8, TRUE);
    src->GetBand(0)->SetFreq(123, TRUE);
    bulk->PasteOutput(1, 3);
    EXPECT_EQ(dst->GetBand(0)->GetFreq(), 123);
    EXPECT_EQ(dst->GetHPF()->GetFreq(), 1000);
    EXPECT_EQ(dst->GetLPF()->GetFreq(), 20000);
    EXPECT_EQ(dst->GetHPF()->GetSlope(), 1);
    auto v = Decode(*host);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[1].index, 3);
    EXPECT_EQ(v[1].len, 296);

    // Not a tweeter: the source's crossover stays as it is.
    dst->SetPositionCode(6);
    bulk->PasteOutput(1, 3);
    EXPECT_EQ(dst->GetHPF()->GetFreq(), 80);
    EXPECT_EQ(dst->GetLPF()->GetFreq(), 500);
    EXPECT_EQ(dst->GetHPF()->GetSlope(), 8);
}

TEST(BulkMixDefaults, LevelsByCodeAndDeviceType) {
    struct Case {
        int code, type;
        std::vector<int> levels; // empty: refused
    } cases[] = {
        {0, 2, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {20, 2, {50, 50, 0, 0, 50, 50, 50, 50, 50, 50, 0, 0, 50, 50}},
        {25, 2, {100, 0, 0, 0, 100, 0, 100, 0, 100, 0, 0, 0, 100, 0}},
        {24, 2, {100, 100, 0, 0, 100, 100, 100, 100, 100, 100, 0, 0, 100, 100}},
        {14, 4, {0, 0, 100, 0, 0, 0, 100, 0, 100, 0, 0, 0, 0, 0}},
        {14, 3, {0, 0, 100, 0, 0, 0, 100, 0, 0, 0, 100, 0, 0, 0}},
        {17, 3, {0, 0, 0, 100, 0, 0, 0, 100, 0, 0, 0, 100, 0, 0}},
        {26, 4, {0, 100, 0, 0, 0, 0, 0, 100, 0, 100, 0, 0, 0, 0}},
        {27, 2, {}},
    };
    for (const Case& c : cases) {
        BYTE got[14] = {};
        BOOL ok = CBulkTransfer::DefaultMixLevels(c.code, c.type, got);
        ASSERT_EQ(ok, c.levels.empty() ? FALSE : TRUE) << c.code;
        for (size_t i = 0; i < c.levels.size(); ++i)
            EXPECT_EQ(got[i], c.levels[i]) << "code " << c.code << " type " << c.type << " level " << i;
    }
}

TEST_F(BulkTransferTest, MixDefaultsReachTheRecordAndTheOutput) {
    OutputRecord before = g_curImage.outputs[5];
    bulk->SetOutputMixDefaults(5, 27, TRUE);
    EXPECT_TRUE(before == g_curImage.outputs[5]) << "code 27 leaves the record alone";
    bulk->SetOutputMixDefaults(5, 20, TRUE);
    const BYTE want[14] = {50, 50, 0, 0, 50, 50, 50, 50, 50, 50, 0, 0, 50, 50};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(g_curImage.outputs[5].mix1[i], want[i]);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(g_curImage.outputs[5].mix2[i], want[8 + i]);
    EXPECT_EQ(host->doc.GetOut(5)->GetMix2In(5), 50);
}
