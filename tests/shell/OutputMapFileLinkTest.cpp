// The output-map file through the output page's read and save buttons, inside the real main view
// online against the emulator: a saved map read back after a change reaches the device again with
// its crossovers, each output's crossover chunk once; a refused file shows the read error in the UI
// language and changes nothing; a map with values out of range asks "File Data Error!" before
// anything is committed or sent (Yes: the position's defaults go out in their place; No: nothing
// is sent and the program closes). The speaker-map send takes a crossover change still waiting
// with it, never the image's older bytes first.
#include "OutputPageLinkFixture.h"

#include "model/KTV_OutData.h"
#include "model/RecordRanges.h"
#include "platform/ui/CommDlg.h"
#include "support/RenderToPng.h"
#include "presets/OutputMapFile.h"
#include "presets/PresetFileIo.h"
#include "shell/MessageBoxDlg.h"
#include "wire/LinkFrame.h"

#include <array>
#include <fstream>
#include <string>
#include <vector>

namespace {

class OutputMapFileLink : public OnlineOutputPageTest {
protected:
    void TearDown() override {
        SetFileDialogHook({});
        OnlineOutputPageTest::TearDown();
    }
    // The dialogs answer with path (empty: cancel) and record what they were given.
    void Answer(const std::string& path) {
        SetFileDialogHook([this, path](bool open, const OPENFILENAME& ofn, std::vector<std::string>& chosen) {
            m_open = open;
            m_filter.assign(ofn.lpstrFilter, ofn.lpstrFilter + 27);
            m_startDir = ofn.lpstrInitialDir ? ofn.lpstrInitialDir : "";
            m_overwritePrompt = (ofn.Flags & OFN_OVERWRITEPROMPT) != 0;
            ++m_dialogs;
            if (path.empty())
                return FALSE;
            chosen.push_back(path);
            return TRUE;
        });
    }
    // Lets what is queued run out, then starts a fresh record of the frames.
    bool Settle() {
        const bool idle = Idle();
        m_dev.ClearRequests();
        return idle;
    }
    bool Idle() {
        const bool done = Pump(
            [&] { return !g_bTransferBusy.load() && m_view->m_command.Queue().GetQueueCount() == 0; }, 20000);
        return done && WaitLinkIdle();
    }
    static bool IsWrite(const DevsimRequest& r, int group, int index) {
        const auto& f = r.frame;
        return f.size() > LinkFrame::OFS_PAYLOAD && f[LinkFrame::OFS_TYPE] == FRAME_WRITE &&
               f[LinkFrame::OFS_GROUP] == group && f[LinkFrame::OFS_INDEX] == index;
    }
    // The crossover chunks written to each output since the record started, in order.
    std::array<std::vector<XoverRecord>, NUM_OUTPUTS> XoverWrites() const {
        std::array<std::vector<XoverRecord>, NUM_OUTPUTS> writes;
        for (const DevsimRequest& r : m_dev.GetRequests())
            for (int o = 0; o < NUM_OUTPUTS; ++o)
                if (IsWrite(r, GROUP_OUTPUT, o) && r.frame[LinkFrame::OFS_CHUNK] == CHUNK_OUT_XOVER &&
                    r.frame.size() >= LinkFrame::OFS_PAYLOAD + sizeof(XoverRecord)) {
                    XoverRecord x{};
                    std::memcpy(&x, r.frame.data() + LinkFrame::OFS_PAYLOAD, sizeof x);
                    writes[static_cast<size_t>(o)].push_back(x);
                }
        return writes;
    }
    size_t Writes() const {
        size_t n = 0;
        for (const DevsimRequest& r : m_dev.GetRequests())
            n += r.frame.size() > LinkFrame::OFS_TYPE && r.frame[LinkFrame::OFS_TYPE] == FRAME_WRITE ? 1 : 0;
        return n;
    }
    size_t SpeakerMapWrites() const {
        size_t n = 0;
        for (const DevsimRequest& r : m_dev.GetRequests())
            n += IsWrite(r, GROUP_SYSTEM, CMD_SPEAKER_MAP) ? 1 : 0;
        return n;
    }
    // The map file of the program's map and crossovers as they are now.
    std::vector<BYTE> CurrentMapFile() {
        m_doc->StoreCrossovers();
        return COutputMapFile::Encode(PresetRecords::FromGlobals());
    }
    void Write(const std::string& path, const std::vector<BYTE>& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    // Yes/No questions take m_yesNo; each one records its text and the writes the device had then.
    void AnswerQuestions() {
        SetMessageBoxAnswer([this](const CString& text, UINT type, int) {
            m_questions.emplace_back(text.GetString());
            m_writesAtQuestion.push_back(Writes());
            return type == MB_YESNO ? m_yesNo : IDOK;
        });
    }
    size_t DataErrorQuestions() const {
        size_t n = 0;
        for (const std::string& q : m_questions)
            n += q.rfind("File Data Error!", 0) == 0 ? 1 : 0;
        return n;
    }
    std::vector<std::string> m_questions;
    std::vector<size_t> m_writesAtQuestion;
    int m_yesNo = IDYES;
    bool m_open = false;
    bool m_overwritePrompt = false;
    std::string m_filter;
    std::string m_startDir;
    int m_dialogs = 0;
};

TEST_F(OutputMapFileLink, SavedMapReadBackAfterAChangeReachesTheDeviceWithItsCrossovers) {
    m_view->ShowSubPage(PAGE_OUTPUT, TRUE);
    EXPECT_TRUE(WaitLinkIdle());
    constexpr int kOut = 4;
    const int savedHp = m_doc->GetOut(kOut)->GetHPF()->GetFreq();
    const SystemRecord savedMap = g_speakerMap;

    Answer(m_dir + "/front"); // typed without extension
    m_page->Map().OnSaveMapFile();
    EXPECT_FALSE(m_open);
    EXPECT_TRUE(m_overwritePrompt);
    EXPECT_EQ(m_filter, std::string("Data File (*.vtac)\0*.vtac\0\0", 27));
    std::vector<BYTE> file;
    ASSERT_TRUE(CPresetFileIo::ReadWholeFile(CString((m_dir + "/front.vtac").c_str()), file));
    ASSERT_EQ(file.size(), 82u);
    EXPECT_EQ(std::memcmp(file.data() + 10, g_speakerMap.bytes, 8), 0);

    m_page->SendMessage(WM_OUTPUT_SET_POSITION, kOut, 19);
    ASSERT_TRUE(Pump([&] { return m_dev.GetState().speakerMap[kOut] == 19; }));
    ASSERT_NE(m_doc->GetOut(kOut)->GetHPF()->GetFreq(), savedHp);

    // The read moves the crossover by several octaves: still one chunk per output, with the file's
    // bytes (never the image's older ones first, nor the steps of the way there).
    const std::vector<BYTE> saved(file.begin(), file.end());
    const PresetReadResult expected = COutputMapFile::Decode(saved.data(), saved.size(), PresetRecords{});
    ASSERT_TRUE(expected.ok);
    ASSERT_TRUE(Settle());
    Answer(m_dir + "/front.vtac");
    const int messages = m_view->m_nMessageCount;
    m_page->Map().OnReadMapFile();
    EXPECT_TRUE(m_open);
    EXPECT_EQ(m_startDir, m_dir) << "the kind-3 folder was remembered at the save";
    EXPECT_EQ(m_view->m_nMessageCount, messages);
    EXPECT_EQ(g_speakerMap, savedMap);
    EXPECT_EQ(m_doc->GetOut(kOut)->GetHPF()->GetFreq(), savedHp) << "the file's crossover applies";
    ASSERT_TRUE(Pump([&] { return m_dev.GetState().speakerMap == savedMap; }));
    ASSERT_TRUE(Idle());
    const auto writes = XoverWrites();
    for (int o = 0; o < NUM_OUTPUTS; ++o) {
        SCOPED_TRACE(o);
        ASSERT_EQ(writes[static_cast<size_t>(o)].size(), 1u);
        EXPECT_EQ(writes[static_cast<size_t>(o)][0], expected.records.xoverTable[o]);
        EXPECT_EQ(m_dev.GetState().live.outputs[o].xover, expected.records.xoverTable[o]);
    }
    EXPECT_EQ(SpeakerMapWrites(), 1u);
    r9test::RenderToPng(m_view->Widget(), "output_map_file_read_back");
}

TEST_F(OutputMapFileLink, OutOfRangeMapAsksBeforeAnythingIsSentAndYesSendsThePositionDefaults) {
    m_view->ShowSubPage(PAGE_OUTPUT, TRUE);
    EXPECT_TRUE(WaitLinkIdle());
    AnswerQuestions();
    std::vector<BYTE> file = CurrentMapFile();
    ASSERT_EQ(file.size(), 82u);
    // Output 1: high-pass 0 Hz with slope 9, low-pass 40000 Hz; output 4: low-pass family 3;
    // output 7: speaker code 27, so the whole map takes the default codes.
    file[0x12] = 0;
    file[0x13] = 0;
    file[0x14] = 9;
    file[0x16] = 40000 & 0xFF;
    file[0x17] = 40000 >> 8;
    file[18 + 8 * 3 + 7] = 3;
    file[10 + 6] = 27;
    const PresetReadResult read = COutputMapFile::Decode(file.data(), file.size(), PresetRecords{});
    ASSERT_TRUE(read.ok);
    SpeakerMapBlock defaults{};
    GetDefaultSystemRecords(nullptr, nullptr, &defaults, nullptr, nullptr, nullptr);
    std::array<XoverRecord, NUM_OUTPUTS> expected{};
    for (int o = 0; o < NUM_OUTPUTS; ++o)
        expected[static_cast<size_t>(o)] = read.records.xoverTable[o];
    expected[0] = CKTV_OutData::PositionDefaultXover(defaults.speakerMap[0]);
    expected[3] = CKTV_OutData::PositionDefaultXover(defaults.speakerMap[3]);
    const std::string path = m_dir + "/wild.vtac";
    Write(path, file);

    ASSERT_TRUE(Settle());
    Answer(path);
    m_page->Map().OnReadMapFile();
    ASSERT_TRUE(Idle());
    ASSERT_EQ(DataErrorQuestions(), 1u) << "asked once; the page's own check found nothing left";
    EXPECT_EQ(m_writesAtQuestion[0], 0u) << "asked before anything was sent";
    const auto writes = XoverWrites();
    for (int o = 0; o < NUM_OUTPUTS; ++o) {
        SCOPED_TRACE(o);
        ASSERT_EQ(writes[static_cast<size_t>(o)].size(), 1u) << "one crossover chunk per output";
        EXPECT_TRUE(RecordRanges::Xover(writes[static_cast<size_t>(o)][0]));
        EXPECT_EQ(writes[static_cast<size_t>(o)][0], expected[static_cast<size_t>(o)]);
        EXPECT_EQ(m_dev.GetState().live.outputs[o].xover, expected[static_cast<size_t>(o)]);
        EXPECT_EQ(g_xoverTable[o], expected[static_cast<size_t>(o)]);
    }
    EXPECT_EQ(SpeakerMapWrites(), 1u);
    EXPECT_EQ(m_dev.GetState().speakerMap, defaults.speakerMap);
    EXPECT_EQ(g_speakerMap, defaults.speakerMap);
    EXPECT_EQ(m_doc->GetOut(6)->GetPositionCode(), defaults.speakerMap[6]);
    EXPECT_EQ(m_doc->GetOut(0)->GetHPF()->GetFreq(), expected[0].hpFreq.Get())
        << "the model took the defaults";
    EXPECT_EQ(m_doc->GetOut(0)->GetLPF()->GetFreq(), expected[0].lpFreq.Get());
    EXPECT_EQ(m_doc->GetOut(3)->GetLPF()->GetFamily(), expected[3].lpFamily);
}

TEST_F(OutputMapFileLink, OutOfRangeMapAnsweredNoSendsNothingChangesNothingAndClosesTheProgram) {
    m_view->ShowSubPage(PAGE_OUTPUT, TRUE);
    EXPECT_TRUE(WaitLinkIdle());
    StandInMainWnd main;
    ASSERT_TRUE(main.created);
    AnswerQuestions();
    m_yesNo = IDNO;
    // One table of cases: a speaker code, a frequency, a family and a slope out of range.
    const struct {
        const char* name;
        size_t at;
        std::vector<BYTE> bytes;
    } cases[] = {
        {"speaker code 27", 10 + 5, {27}},
        {"high-pass 19 Hz", 18 + 8 * 2, {19, 0}},
        {"low-pass 40000 Hz", 18 + 8 * 0 + 4, {40000 & 0xFF, 40000 >> 8}},
        {"high-pass family 3", 18 + 8 * 6 + 3, {3}},
        {"low-pass slope 9", 18 + 8 * 7 + 6, {9}},
    };
    const std::string path = m_dir + "/wild.vtac";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> file = CurrentMapFile();
        std::copy(c.bytes.begin(), c.bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(c.at));
        Write(path, file);
        ASSERT_TRUE(Settle());
        const PresetRecords before = PresetRecords::FromGlobals();
        const DeviceState devBefore = m_dev.GetState();
        const PresetImage image = ProgramImage();
        std::array<int, NUM_OUTPUTS> hp{};
        for (int o = 0; o < NUM_OUTPUTS; ++o)
            hp[static_cast<size_t>(o)] = m_doc->GetOut(o)->GetHPF()->GetFreq();
        m_questions.clear();
        const int closes = main.closes;
        Answer(path);
        m_page->Map().OnReadMapFile();
        EXPECT_EQ(DataErrorQuestions(), 1u);
        ASSERT_TRUE(Pump([&] { return main.closes > closes; })) << "No closes the program";
        ASSERT_TRUE(Idle());
        EXPECT_EQ(Writes(), 0u) << "nothing was sent";
        EXPECT_TRUE(PresetRecords::FromGlobals() == before) << "no table took the file";
        const PresetImage imageAfter = ProgramImage();
        EXPECT_EQ(std::memcmp(&image, &imageAfter, sizeof image), 0);
        for (int o = 0; o < NUM_OUTPUTS; ++o)
            EXPECT_EQ(m_doc->GetOut(o)->GetHPF()->GetFreq(), hp[static_cast<size_t>(o)]) << o;
        EXPECT_TRUE(m_dev.GetState().live == devBefore.live &&
                    m_dev.GetState().speakerMap == devBefore.speakerMap);
    }
}

// A crossover change not sent yet when the speaker map goes out (one output's position, or the
// whole map) leaves in the map's chunk with the bytes set now, once: the image's older bytes never
// go out first and the scheduler has nothing left to step.
TEST_F(OutputMapFileLink, ACrossoverChangeStillWaitingAtAMapSendGoesOutOnceWithItsNewBytes) {
    constexpr int kOut = 2;
    for (const int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        ASSERT_TRUE(Settle());
        CKTV_OutData* out = m_doc->GetOut(kOut);
        const int far = out->GetHPF()->GetFreq() >= 1000 ? 25 : 10000; // several octaves away
        std::array<XoverRecord, NUM_OUTPUTS> expected{};
        {
            std::lock_guard lock(g_linkLock);
            out->GetHPF()->SetFreq(far, TRUE);
            ASSERT_TRUE(out->GetHPF()->IsChanged()) << "the change waits for the worker";
            m_view->SendSpeakerMap(mode == 0 ? kOut : 0, mode);
            for (int o = 0; o < NUM_OUTPUTS; ++o) {
                XoverRecord x{};
                m_doc->GetOut(o)->GetXover(x);
                expected[static_cast<size_t>(o)] = x;
            }
        }
        if (mode == 1) {
            EXPECT_EQ(expected[kOut].hpFreq.Get(), far);
        } else {
            EXPECT_EQ(expected[kOut],
                      CKTV_OutData::PositionDefaultXover(g_posState[POS_STATE_OUTPUTS + kOut]));
        }
        ASSERT_TRUE(Idle());
        const auto writes = XoverWrites();
        for (int o = 0; o < NUM_OUTPUTS; ++o) {
            SCOPED_TRACE(o);
            const size_t n = mode == 1 || o == kOut ? 1u : 0u;
            ASSERT_EQ(writes[static_cast<size_t>(o)].size(), n);
            if (n) {
                EXPECT_EQ(writes[static_cast<size_t>(o)][0], expected[static_cast<size_t>(o)]);
            }
        }
        EXPECT_EQ(m_dev.GetState().live.outputs[kOut].xover, expected[kOut]);
        EXPECT_EQ(SpeakerMapWrites(), 1u);
    }
}

TEST_F(OutputMapFileLink, RefusedAndCancelledReadsChangeNothing) {
    m_view->ShowSubPage(PAGE_OUTPUT, TRUE);
    EXPECT_TRUE(WaitLinkIdle());
    const SystemRecord map = g_speakerMap;
    const std::string bad = m_dir + "/preset.vtac";
    std::ofstream(bad, std::ios::binary) << '\x0e' << "ZN-R9_File_3.0" << std::string(67, '\0');
    for (int chinese : {0, 1}) {
        g_bChinese = chinese;
        Answer(bad);
        m_page->Map().OnReadMapFile();
        EXPECT_EQ(CString(m_view->m_strLastMessage),
                  CString(chinese ? "读输出配置错误!" : "Read output map error!"));
        EXPECT_EQ(m_view->m_nLastMessageCode, chinese ? -2 : -3);
        EXPECT_EQ(g_speakerMap, map);
    }
    const int messages = m_view->m_nMessageCount;
    const int dialogs = m_dialogs;
    Answer("");
    m_page->Map().OnReadMapFile();
    m_page->Map().OnSaveMapFile();
    EXPECT_EQ(m_dialogs, dialogs + 2);
    EXPECT_EQ(m_view->m_nMessageCount, messages);
    EXPECT_EQ(g_speakerMap, map);
    // A save into a folder that does not exist reports the save error.
    Answer(m_dir + "/missing/map.vtac");
    g_bChinese = 0;
    m_page->Map().OnSaveMapFile();
    EXPECT_EQ(CString(m_view->m_strLastMessage), CString("Save output map error!"));
}

} // namespace
