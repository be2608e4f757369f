// The output-map file through the output page's read and save buttons, inside the real main view
// online against the emulator: a saved map read back after a change reaches the device again with
// its crossovers; a refused file shows the read error in the UI language and changes nothing.
#include "OutputPageLinkFixture.h"

#include "platform/ui/CommDlg.h"
#include "support/RenderToPng.h"
#include "presets/OutputMapFile.h"
#include "presets/PresetFileIo.h"

#include <fstream>

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
    bool m_open = false;
    bool m_overwritePrompt = false;
    std::string m_filter;
    std::string m_startDir;
    int m_dialogs = 0;
};

TEST_F(OutputMapFileLink, SavedMapReadBackAfterAChangeReachesTheDeviceWithItsCrossovers) {
    m_view->ShowSubPage(PAGE_OUTPUT, TRUE);
    Pump([] { return false; }, 200);
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

    Answer(m_dir + "/front.vtac");
    const int messages = m_view->m_nMessageCount;
    m_page->Map().OnReadMapFile();
    EXPECT_TRUE(m_open);
    EXPECT_EQ(m_startDir, m_dir) << "the kind-3 folder was remembered at the save";
    EXPECT_EQ(m_view->m_nMessageCount, messages);
    EXPECT_EQ(g_speakerMap, savedMap);
    EXPECT_EQ(m_doc->GetOut(kOut)->GetHPF()->GetFreq(), savedHp) << "the file's crossover applies";
    ASSERT_TRUE(Pump([&] { return m_dev.GetState().speakerMap == savedMap; }));
    r9test::RenderToPng(m_view->Widget(), "output_map_file_read_back");
}

TEST_F(OutputMapFileLink, RefusedAndCancelledReadsChangeNothing) {
    m_view->ShowSubPage(PAGE_OUTPUT, TRUE);
    Pump([] { return false; }, 200);
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
