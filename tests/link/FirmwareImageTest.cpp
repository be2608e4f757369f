#include "link/FirmwareImage.h"
#include "link/LinkGlobals.h"
#include "model/Globals.h"
#include "wire/LinkFrame.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <numeric>

namespace {

std::vector<BYTE> DspFile(size_t imageBytes) {
    std::vector<BYTE> f = {'W', 'D', 'S', 'P'};
    for (size_t i = 0; i < imageBytes; ++i)
        f.push_back(static_cast<BYTE>(i * 7 + 3));
    return f;
}

std::vector<BYTE> McuFile(size_t dspBytes, bool withDsp) {
    std::vector<BYTE> f(CFirmwareImage::MCU_FILE_SIZE, 0);
    f[0] = 'W', f[1] = 'M', f[2] = 'C', f[3] = 'U';
    for (size_t i = 4; i < 4 + CFirmwareImage::MCU_IMAGE_SIZE; ++i)
        f[i] = static_cast<BYTE>(i * 13);
    if (withDsp) {
        f.push_back('W'), f.push_back('D'), f.push_back('S'), f.push_back('P');
        for (size_t i = 0; i < dspBytes; ++i)
            f.push_back(static_cast<BYTE>(i + 1));
    }
    return f;
}

// Drains the image into frames, refilling the queue the way the worker does.
std::vector<std::vector<BYTE>> DrainFrames(CFirmwareImage& img, std::vector<int>* progress = nullptr) {
    CSendDataQueue q;
    std::vector<std::vector<BYTE>> frames;
    for (int guard = 0; guard < 20000; ++guard) {
        if (q.GetQueueCount() == 0)
            img.QueueNextFrames(q);
        CSendData* head = q.GetHeadPacket();
        if (!head)
            break;
        if (head->GetStepCode() != FW_STEP_HANDSHAKE) {
            frames.emplace_back(head->GetData(), head->GetData() + head->GetSize());
            if (progress)
                progress->push_back(head->GetProgress());
        }
        q.RemoveHead();
    }
    return frames;
}

int Step(const std::vector<BYTE>& f) {
    return f[LinkFrame::OFS_INDEX];
}
const BYTE* Payload(const std::vector<BYTE>& f) {
    return f.data() + LinkFrame::OFS_PAYLOAD;
}

} // namespace

TEST(FirmwareImage, PartFlagsAreTheirStateFlags) {
    EXPECT_EQ(&g_bDspImageLoaded, &g_nStateFlags[12]);
    EXPECT_EQ(&g_bMcuPartPresent, &g_nStateFlags[13]);
}

TEST(FirmwareImage, DspOnlyFileGivesTheExactFrameSequence) {
    std::vector<BYTE> file = DspFile(996); // a 1000-byte file
    CFirmwareImage img;
    ASSERT_EQ(img.LoadBytes(file), CFirmwareImage::LoadResult::Ok);
    EXPECT_EQ(g_bDspImageLoaded.load(), 1);
    EXPECT_EQ(g_bMcuPartPresent.load(), 0);
    EXPECT_EQ(img.GetFrameEstimate(), 1000 / 48);
    EXPECT_EQ(g_nUpdateRange.load(), 1000 / 48 + 6);

    BYTE sum = 0x12;
    for (size_t i = 8; i < file.size(); ++i)
        sum ^= file[i];
    EXPECT_EQ(img.GetDspChecksum(), sum);

    std::vector<int> progress;
    auto frames = DrainFrames(img, &progress);
    ASSERT_EQ(frames.size(), 1u + 1 + 21 + 1);
    for (const auto& f : frames) {
        ASSERT_TRUE(LinkFrame::IsValid(f.data(), static_cast<int>(f.size())));
        EXPECT_EQ(f[LinkFrame::OFS_TYPE], FRAME_WRITE);
        EXPECT_EQ(f[LinkFrame::OFS_ADDR], 1);
        EXPECT_EQ(f[LinkFrame::OFS_PRESET], 0);
        EXPECT_EQ(f[LinkFrame::OFS_GROUP], GROUP_SYSTEM);
        EXPECT_EQ(f[LinkFrame::OFS_CHUNK], 0);
        EXPECT_EQ(f[LinkFrame::OFS_LINKFLAG], 0);
    }
    EXPECT_EQ(Step(frames[0]), FW_STEP_APPLY);
    EXPECT_EQ(frames[0].size(), 32u);
    EXPECT_EQ(Step(frames[1]), FW_STEP_START);
    EXPECT_EQ(frames[1].size(), 20u);
    EXPECT_TRUE(std::equal(file.begin() + 4, file.begin() + 8, Payload(frames[1])));
    // The data frames carry the image in order; the last 32 bytes are padded with 0xFF.
    std::vector<BYTE> sent;
    for (size_t i = 2; i < 23; ++i) {
        EXPECT_EQ(Step(frames[i]), FW_STEP_DATA);
        ASSERT_EQ(frames[i].size(), 64u);
        sent.insert(sent.end(), Payload(frames[i]), Payload(frames[i]) + 48);
    }
    ASSERT_EQ(sent.size(), 21u * 48);
    EXPECT_TRUE(std::equal(file.begin() + 8, file.end(), sent.begin()));
    for (size_t i = 992; i < sent.size(); ++i)
        EXPECT_EQ(sent[i], 0xFF);
    EXPECT_EQ(Step(frames[23]), FW_STEP_END);
    EXPECT_EQ(frames[23].size(), 17u);
    EXPECT_EQ(Payload(frames[23])[0], sum);
    // Every frame is tracked, with increasing indices.
    for (size_t i = 0; i < progress.size(); ++i)
        EXPECT_EQ(progress[i], static_cast<int>(i) + 1);
}

TEST(FirmwareImage, FirstRefillQueuesHandshakeThenApplyStartAndFirstData) {
    CFirmwareImage img;
    ASSERT_EQ(img.LoadBytes(DspFile(200)), CFirmwareImage::LoadResult::Ok);
    CSendDataQueue q;
    img.QueueNextFrames(q);
    ASSERT_EQ(q.GetQueueCount(), 1);
    EXPECT_EQ(q.GetHeadPacket()->GetStepCode(), FW_STEP_HANDSHAKE);
    q.RemoveHead();
    img.QueueNextFrames(q);
    ASSERT_EQ(q.GetQueueCount(), 3);
    EXPECT_EQ(q.GetHeadPacket()->GetStepCode(), FW_STEP_APPLY);
}

TEST(FirmwareImage, McuOnlyFileSendsEveryAddressAndTheRemainder) {
    std::vector<BYTE> file = McuFile(0, false);
    CFirmwareImage img;
    ASSERT_EQ(img.LoadBytes(file), CFirmwareImage::LoadResult::Ok);
    EXPECT_EQ(g_bDspImageLoaded.load(), 0);
    EXPECT_EQ(g_bMcuPartPresent.load(), 1);
    EXPECT_EQ(img.GetFrameEstimate(), static_cast<int>((file.size() - 5 - 0x3FFFF) / 48 + 5957));

    std::vector<int> progress;
    auto frames = DrainFrames(img, &progress);
    ASSERT_EQ(frames.size(), 2u + 5957 + 1 + 1);
    EXPECT_EQ(Step(frames[0]), FW_STEP_APPLY);
    EXPECT_EQ(Step(frames[1]), FW_STEP_REQUEST_INFO);
    EXPECT_EQ(frames[1].size(), 32u);
    std::vector<BYTE> mcu;
    for (size_t i = 2; i < 2 + 5958; ++i) {
        const auto& f = frames[i];
        ASSERT_EQ(Step(f), FW_STEP_MCU_DATA);
        ASSERT_EQ(f.size(), 64u);
        uint32_t addr = Payload(f)[0] | Payload(f)[1] << 8 | Payload(f)[2] << 16 | Payload(f)[3] << 24;
        ASSERT_EQ(addr, (i - 2) * 44);
        mcu.insert(mcu.end(), Payload(f) + 4, Payload(f) + 48);
    }
    EXPECT_TRUE(std::equal(file.begin() + 4, file.begin() + 4 + 0x3FFFF, mcu.begin()));
    // The last frame holds the remaining 35 bytes, zero padded.
    for (size_t i = 0x3FFFF; i < mcu.size(); ++i)
        EXPECT_EQ(mcu[i], 0);
    EXPECT_EQ(Step(frames.back()), FW_STEP_END);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_GT(progress.front(), 0);
}

TEST(FirmwareImage, McuAndDspFileHandsOverToTheDspSequence) {
    std::vector<BYTE> file = McuFile(100, true);
    CFirmwareImage img;
    ASSERT_EQ(img.LoadBytes(file), CFirmwareImage::LoadResult::Ok);
    EXPECT_EQ(g_bDspImageLoaded.load(), 1);
    EXPECT_EQ(g_bMcuPartPresent.load(), 1);
    auto frames = DrainFrames(img);
    std::vector<int> steps;
    for (const auto& f : frames)
        if (steps.empty() || steps.back() != Step(f))
            steps.push_back(Step(f));
    // One HEXApply only: the MCU sequence sends it.
    EXPECT_EQ(steps, (std::vector<int>{FW_STEP_APPLY, FW_STEP_REQUEST_INFO, FW_STEP_MCU_DATA, FW_STEP_START,
                                       FW_STEP_DATA, FW_STEP_END}));
    const auto& start = frames[2 + 5958];
    EXPECT_EQ(Step(start), FW_STEP_START);
    EXPECT_EQ(Payload(start)[0], 1);
    EXPECT_EQ(Payload(start)[3], 4);
}

TEST(FirmwareImage, RefusesBadFiles) {
    struct Case {
        const char* name;
        std::vector<BYTE> file;
    };
    std::vector<BYTE> bigNoMagic(CFirmwareImage::MCU_FILE_SIZE + 10, 0);
    std::vector<Case> cases = {
        {"empty", {}},
        {"wrong magic", {'W', 'M', 'C', 'U', 1, 2, 3, 4, 5, 6}},
        {"magic only", {'W', 'D', 'S', 'P'}},
        {"image shorter than HEXStart", {'W', 'D', 'S', 'P', 1, 2, 3}},
        {"image of exactly HEXStart", {'W', 'D', 'S', 'P', 1, 2, 3, 4}},
        {"large file without parts", bigNoMagic},
        {"MCU with an empty DSP part", McuFile(0, true)},
        {"MCU with a 4-byte DSP part", McuFile(4, true)},
    };
    for (const auto& c : cases) {
        CFirmwareImage img;
        EXPECT_EQ(img.LoadBytes(c.file), CFirmwareImage::LoadResult::BadFile) << c.name;
        EXPECT_EQ(img.DspBytesLeft() + img.McuBytesLeft(), 0u) << c.name;
        EXPECT_EQ(g_bDspImageLoaded.load(), 0) << c.name;
        CSendDataQueue q;
        img.QueueNextFrames(q); // the handshake only; nothing else follows
        q.RemoveHead();
        img.QueueNextFrames(q);
        EXPECT_EQ(q.GetQueueCount(), 0) << c.name;
    }
    CFirmwareImage img;
    EXPECT_EQ(img.LoadBytes(DspFile(5)), CFirmwareImage::LoadResult::Ok);
}

// An endless device file, or a file past the limit, is refused without being read whole.
TEST(FirmwareImage, RefusesFilesOverTheSizeLimit) {
    CFirmwareImage img;
    EXPECT_EQ(img.Load("/dev/zero"), CFirmwareImage::LoadResult::BadFile);
    std::vector<BYTE> atLimit =
        McuFile(CFirmwareImage::MAX_FILE_SIZE - CFirmwareImage::MCU_FILE_SIZE - 4, true);
    ASSERT_EQ(atLimit.size(), CFirmwareImage::MAX_FILE_SIZE);
    EXPECT_EQ(img.LoadBytes(atLimit), CFirmwareImage::LoadResult::Ok);
    atLimit.push_back(0);
    EXPECT_EQ(img.LoadBytes(atLimit), CFirmwareImage::LoadResult::BadFile);
    EXPECT_EQ(img.DspBytesLeft() + img.McuBytesLeft(), 0u);
}

TEST(FirmwareImage, LoadsFromAFileAndReportsAMissingOne) {
    CFirmwareImage img;
    EXPECT_EQ(img.Load("/nonexistent-r9/x.bin"), CFirmwareImage::LoadResult::CannotOpen);
    EXPECT_EQ(img.Load(""), CFirmwareImage::LoadResult::CannotOpen);
    std::string path = ::testing::TempDir() + "fw-image-test.bin";
    {
        std::ofstream out(path, std::ios::binary);
        auto f = DspFile(100);
        out.write(reinterpret_cast<const char*>(f.data()), static_cast<std::streamsize>(f.size()));
    }
    EXPECT_EQ(img.Load(path), CFirmwareImage::LoadResult::Ok);
    EXPECT_EQ(img.DspBytesLeft(), 100u);
    std::remove(path.c_str());
}
